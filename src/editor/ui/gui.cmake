target_sources(liravox_gui PRIVATE
    editor/ui/findbar.cpp editor/ui/findbar.h
    editor/ui/frmmenulinea.cpp editor/ui/frmmenulinea.h
    editor/ui/frmsong.cpp editor/ui/frmsong.h
    editor/ui/frmsongchordkeys.cpp
    editor/ui/frmsongchords.cpp
    editor/ui/frmsongedit.cpp
    editor/ui/frmsongfile.cpp
    editor/ui/frmsongfind.cpp
    editor/ui/frmsongkeys.cpp
    editor/ui/frmsongmenus.cpp
    editor/ui/frmsongpaint.cpp
    editor/ui/frmsongsections.cpp
    editor/ui/frmsongselect.cpp
    editor/ui/hostmenus.cpp editor/ui/hostmenus.h
    editor/ui/songhost.h
    editor/ui/songwidgets.cpp editor/ui/songwidgets.h
)
