# The song window's layout and keystroke timing: a plain program over the
# window library. Included from bench/CMakeLists.txt.
if(NOT TARGET liravox_editor_bench)
    add_executable(liravox_editor_bench ${CMAKE_CURRENT_LIST_DIR}/editor_bench.cpp)
    target_link_libraries(liravox_editor_bench PRIVATE liravox_gui Qt6::Test)
endif()
