# Songs made to hurt, through every step a song takes: a Google Benchmark
# program over the window and print libraries. Included from bench/CMakeLists.txt.
if(NOT TARGET liravox_hostile_bench)
    add_executable(liravox_hostile_bench ${CMAKE_CURRENT_LIST_DIR}/hostile_bench.cpp)
    target_link_libraries(liravox_hostile_bench PRIVATE liravox_gui benchmark::benchmark)
endif()
