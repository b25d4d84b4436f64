#include "midilog.h"

Q_LOGGING_CATEGORY(lcMidi, "liravox.midi", QtWarningMsg)
