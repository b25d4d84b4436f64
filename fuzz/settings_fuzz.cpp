// Settings as another program or a damaged file may leave them: each input line
// is the value of one key of the settings table, in table order (the song fonts
// and margins included). Start-up reads them, the MIDI output opens with them, a
// song loads with them, prints, and plays a chord: every value must be used in
// a range that works, whatever it holds.

#include "fuzzsupport.h"
#include "pagesurface.h"

#include "base/settings.h"
#include "base/startup.h"
#include "midi/chordplayer.h"
#include "midi/midilib.h"
#include "midi/midiport.h"
#include "midi/midistartup.h"
#include "midi/playbacknotes.h"
#include "midi/messagelog.h"
#include "midi/recordingport.h"
#include "print/printjob.h"

#include <QFile>
#include <QSettings>

using namespace lvx;

namespace {

QStringList settingKeys()
{
    QStringList keys{
        QStringLiteral("Public/DefDir"),       QStringLiteral("Public/Modo Acordes"),
        QStringLiteral("Public/Instrument"),   QStringLiteral("Public/LyricsOnly"),
        QStringLiteral("Public/ChordsOnly"),   QStringLiteral("Midi/PianoSustain"),
        QStringLiteral("Midi/GuitarSustain"),  QStringLiteral("Midi/PianoDelay"),
        QStringLiteral("Midi/GuitarDelay"),    QStringLiteral("Midi/LastHandle"),
        QStringLiteral("Midi/MidiDev"),        QStringLiteral("Midi/GuitarPatch"),
        QStringLiteral("Midi/PianoPatch"),     QStringLiteral("Printer/ColorPrintingFlag"),
        QStringLiteral("Margins/LeftMargin"),  QStringLiteral("Margins/RightMargin"),
        QStringLiteral("Margins/TopMargin"),   QStringLiteral("Margins/BottonMargin"),
        QStringLiteral("Recent Files/RecentFile1"),
    };
    for (const char* role : {"Title", "SubTitle", "Lyric", "Chord", "Comment", "Tablature", "Header", "Footer", "Control"}) {
        for (const char* item : {"FontName", "FontSize", "FontColor", "FontBold", "FontItalic"})
            keys.append(u"SongFonts/" + QString::fromLatin1(role) + QString::fromLatin1(item));
    }
    return keys;
}

// One device that takes every message, on a clock that only moves when waited on.
class OneDevice final : public midi::MidiSystem
{
public:
    QStringList outputNames() override { return {QStringLiteral("Port")}; }
    bool mapperAvailable() override { return false; }
    std::unique_ptr<midi::MidiPort> openOutput(qint32 device, midi::MidiError& error) override
    {
        if (device != 0) {
            error = midi::MidiError::BadDevice;
            return nullptr;
        }
        auto port = std::make_unique<midi::RecordingPort>(midi::RecordingPort::Clock::Virtual);
        opened = port.get();
        return port;
    }

    midi::RecordingPort* opened = nullptr;
};

// Every message a chord sent is a valid MIDI message: data bytes below 128.
void checkMessages(const midi::RecordingPort& port)
{
    for (const QString& line : port.log().lines()) {
        const QStringList fields = line.split(u' ');
        if (fields.size() != 4 || fields[2].toInt() > 127 || fields[3].toInt() > 127)
            fuzz::fail("A chord sent a message MIDI does not have", line);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialize();
    QFile song(fuzz::scratchFolder() + QStringLiteral("/song.cho"));
    if (song.open(QIODevice::WriteOnly))
        song.write("{t:Song}\r\n{soc}\r\n[C]Amazing [G/B]grace\r\n{eoc}\r\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QStringList values = song::SplitLines(fuzz::fileText(data, size));
    static const QStringList keys = settingKeys();
    {
        QSettings store(QStringLiteral("Liravox"), QStringLiteral("Liravox"));
        store.clear();
        for (qsizetype index = 0; index < values.size() && index < keys.size(); ++index)
            store.setValue(keys[index], values[index]);
    }

    fuzz::QuietMessages messages;
    song::SongContext context{messages};
    readStartupSettings(context.app);
    auto system = std::make_unique<OneDevice>();
    OneDevice& device = *system;
    midi::MidiLib midi(context.app, messages, std::move(system));
    midi::midiStartUp(midi);

    song::Song song(context);
    context.app.CurrentFileName = fuzz::scratchFolder() + QStringLiteral("/song.cho");
    song.LoadFile();
    print::PrintJob job(context, nullptr);
    fuzz::PageSurface paper;
    job.PrintSongPages(paper, song);

    midi::PlaybackNotes notes;
    for (int pitch : {4, 11, 16, 20})
        notes.append(pitch);
    midi::PlayChordNotes(midi, notes);
    if (device.opened != nullptr)
        checkMessages(*device.opened);
    return 0;
}
