target_sources(liravox_gui PRIVATE
    print/frmalbum.cpp print/frmalbum.h
    print/frmpagesetup.cpp print/frmpagesetup.h
    print/frmpreview.cpp print/frmpreview.h
    print/frmprintpreview.cpp print/frmprintpreview.h
    print/printdialogs.cpp print/printdialogs.h
    print/printersurface.cpp print/printersurface.h
)
