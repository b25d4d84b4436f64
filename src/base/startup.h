#pragma once

#include <QString>

namespace lvx {

struct AppState;
class Messages;

// Reads the settings into the application state, makes the saved folder current,
// creates the timing counters and takes the file named on the command line into
// CurrentFileName ("File not Found" when it does not exist).
void StartUp(AppState& state, Messages& messages, const QString& commandLine);

// The file name in a command line: trimmed, and without its enclosing quotes.
// The settings part of start-up alone, for programs without a window (lvx):
// notation, instrument, playback times, output flags, timing counters, writer flags.
void readStartupSettings(AppState& state);

QString commandLineFileName(const QString& commandLine);

// Names of the timing counters, in index order from 1.
QStringList timingCounterNames();

} // namespace lvx
