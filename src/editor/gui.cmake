target_sources(liravox_gui PRIVATE
)
