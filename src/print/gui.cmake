target_sources(liravox_gui PRIVATE
    print/printdialogs.cpp print/printdialogs.h
    print/printersurface.cpp print/printersurface.h
)
