target_sources(liravox_gui PRIVATE
    app/desktopcontext.cpp app/desktopcontext.h
    app/frmabout.cpp app/frmabout.h
    app/frmmain.cpp app/frmmain.h
    app/frmmainmenus.cpp
    app/frmmainwindows.cpp
    app/frmoptions.cpp app/frmoptions.h
    app/frmoptionsfonts.cpp
    app/frmoptionsmidi.cpp
    app/optionspages.cpp app/optionspages.h
    app/screenfit.cpp app/screenfit.h
    app/guimessages.cpp app/guimessages.h
    app/mainprogram.cpp app/mainprogram.h
    app/songrecovery.cpp app/songrecovery.h
    ${PROJECT_SOURCE_DIR}/data/icons/icons.qrc
)
