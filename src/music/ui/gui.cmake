target_sources(liravox_gui PRIVATE
    music/ui/choicelabel.cpp music/ui/choicelabel.h
    music/ui/chordmapview.cpp music/ui/chordmapview.h
    music/ui/commandbutton.cpp music/ui/commandbutton.h
    music/ui/fretboardview.cpp music/ui/fretboardview.h
    music/ui/frmchord.cpp music/ui/frmchord.h
    music/ui/frmmode.cpp music/ui/frmmode.h
    music/ui/frmmodedef.cpp music/ui/frmmodedef.h
    music/ui/frmmodes.cpp music/ui/frmmodes.h
    music/ui/frmpiano.cpp music/ui/frmpiano.h
    music/ui/frmchorddef.cpp music/ui/frmchorddef.h
    music/ui/frmchordlist.cpp music/ui/frmchordlist.h
    music/ui/frmreplace.cpp music/ui/frmreplace.h
    music/ui/frmtranspose.cpp music/ui/frmtranspose.h
    music/ui/pianokeyboard.cpp music/ui/pianokeyboard.h
)
