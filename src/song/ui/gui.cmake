target_sources(liravox_gui PRIVATE
    song/ui/frmnotepad.cpp song/ui/frmnotepad.h
    song/ui/frmnotepadcommands.cpp
    song/ui/frmsongproperties.cpp song/ui/frmsongproperties.h
)
