target_sources(liravox_gui PRIVATE
    music/choicelabel.cpp music/choicelabel.h
    music/chordmapview.cpp music/chordmapview.h
    music/frmchord.cpp music/frmchord.h
    music/frmreplace.cpp music/frmreplace.h
    music/frmtranspose.cpp music/frmtranspose.h
)
