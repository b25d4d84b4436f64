target_sources(liravox_gui PRIVATE
    song/frmnotepad.cpp song/frmnotepad.h
    song/frmnotepadcommands.cpp
)
