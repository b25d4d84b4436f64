target_sources(liravox_gui PRIVATE
    app/desktopcontext.cpp app/desktopcontext.h
    app/frmabout.cpp app/frmabout.h
    app/frmmain.cpp app/frmmain.h
    app/frmmainmenus.cpp
    app/guimessages.cpp app/guimessages.h
    app/mainprogram.cpp app/mainprogram.h
    ${PROJECT_SOURCE_DIR}/data/icons/icons.qrc
)
