target_sources(liravox_gui PRIVATE
    editor/frmmenulinea.cpp editor/frmmenulinea.h
    editor/frmsong.cpp editor/frmsong.h
    editor/frmsongchords.cpp
    editor/frmsongedit.cpp
    editor/frmsongfile.cpp
    editor/frmsongkeys.cpp
    editor/frmsongmenus.cpp
    editor/frmsongpaint.cpp
    editor/hostmenus.cpp editor/hostmenus.h
    editor/songhost.h
    editor/songwidgets.cpp editor/songwidgets.h
)
