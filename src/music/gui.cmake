target_sources(liravox_gui PRIVATE
    music/choicelabel.cpp music/choicelabel.h
    music/chordmapview.cpp music/chordmapview.h
    music/commandbutton.cpp music/commandbutton.h
    music/fretboardview.cpp music/fretboardview.h
    music/frmchord.cpp music/frmchord.h
    music/frmmode.cpp music/frmmode.h
    music/frmmodedef.cpp music/frmmodedef.h
    music/frmmodes.cpp music/frmmodes.h
    music/frmpiano.cpp music/frmpiano.h
    music/frmchorddef.cpp music/frmchorddef.h
    music/frmchordlist.cpp music/frmchordlist.h
    music/frmreplace.cpp music/frmreplace.h
    music/frmtranspose.cpp music/frmtranspose.h
    music/pianokeyboard.cpp music/pianokeyboard.h
)
