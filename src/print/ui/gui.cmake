target_sources(liravox_gui PRIVATE
    print/ui/frmalbum.cpp print/ui/frmalbum.h
    print/ui/frmpagesetup.cpp print/ui/frmpagesetup.h
    print/ui/frmpreview.cpp print/ui/frmpreview.h
    print/ui/frmprintpreview.cpp print/ui/frmprintpreview.h
    print/ui/printdialogs.cpp print/ui/printdialogs.h
    print/ui/printersurface.cpp print/ui/printersurface.h
)
