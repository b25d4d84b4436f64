#pragma once

#include "midi/midilib.h"
#include "song/song.h"
#include "song/songcontext.h"
#include "song/songline.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QPrinter;

namespace lvx {

class Messages;
class RecoveryFiles;

// Everything the windows of the desktop program share: the application state,
// the chord hand-over slots and fonts (in the song context), the MIDI output,
// the global chord dictionary, the song clipboard, and a way to reach the main
// window's active song window. Tests build a fresh one per test.
class DesktopContext final
{
public:
    explicit DesktopContext(Messages& messages, std::unique_ptr<midi::MidiSystem> system = midi::createSystemMidi());
    ~DesktopContext();
    Q_DISABLE_COPY_MOVE(DesktopContext)

    song::SongContext context;
    AppState& app;
    music::MusicState& music;
    Messages& messages;
    midi::MidiLib midi;

    // The global chord dictionary ("Chords.dat"), a song never shown.
    song::Song dictionary;

    // The song clipboard: what the last Copy or Cut of a line box took.
    song::SongLine ClipLine;
    bool clipLineFilled = false;
    void clearClipLine();

    // The printer chosen in Printer Setup, where every later print starts;
    // null until the user chose one.
    std::unique_ptr<QPrinter> printer;

    // Where song windows copy their unsaved changes; none in tests that do not ask.
    RecoveryFiles* recovery = nullptr;

    // The main window, and its active song window (nullptr when none); set by
    // the main window, replaced by tests.
    QPointer<QWidget> mainWindow;
    std::function<QWidget*()> activeChild = [] { return nullptr; };
};

} // namespace lvx
