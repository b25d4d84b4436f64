# The chord playback timing benchmark: a plain program, since it measures a
# real-time schedule rather than throughput. Included from bench/CMakeLists.txt.
if(NOT TARGET liravox_midi_bench)
    add_executable(liravox_midi_bench ${CMAKE_CURRENT_LIST_DIR}/midi_latency.cpp)
    target_link_libraries(liravox_midi_bench PRIVATE liravox_midi)
    add_dependencies(liravox_midi_bench liravox_sound)
endif()
