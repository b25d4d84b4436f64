target_sources(liravox_gui PRIVATE
    app/desktopcontext.cpp app/desktopcontext.h
    app/guimessages.cpp app/guimessages.h
)
