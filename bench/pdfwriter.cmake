# Album printing on the QPdfWriter surface and on the direct PDF writer: a
# plain program timing one whole print per run. Included from bench/CMakeLists.txt.
if(NOT TARGET liravox_pdfwriter_bench)
    add_executable(liravox_pdfwriter_bench ${CMAKE_CURRENT_LIST_DIR}/pdfwriter_bench.cpp)
    target_link_libraries(liravox_pdfwriter_bench PRIVATE liravox_printpainter)
    # It reads Chords.dat as the program does, from beside itself.
    liravox_data_beside_program(liravox_pdfwriter_bench)
endif()
