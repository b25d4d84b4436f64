#pragma once

#include <QLoggingCategory>

// Why an output would not open or sound, for whoever turns the category on
// (QT_LOGGING_RULES="liravox.midi.debug=true"). Users see only the error texts.
Q_DECLARE_LOGGING_CATEGORY(lcMidi)
