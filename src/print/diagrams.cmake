# Chord diagrams: the fingering a guitar grid shows, the grid and keyboard
# drawings, and their placement at the end of a page.
target_sources(liravox_print PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/chorddiagram.cpp
    ${CMAKE_CURRENT_LIST_DIR}/chorddiagram.h
    ${CMAKE_CURRENT_LIST_DIR}/diagramplacement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/nullsurface.h
)
