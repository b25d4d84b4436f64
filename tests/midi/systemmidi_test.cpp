#include "testmain.h"

#include "app/appstate.h"
#include "app/messages.h"
#include "app/settings.h"
#include "midi/chordplayer.h"
#include "midi/midierror.h"
#include "midi/midilib.h"
#include "midi/midistartup.h"
#include "midi/playbacknotes.h"
#include "midi/synthport.h"

using namespace lvx;
using namespace lvx::midi;
using namespace Qt::StringLiterals;

// The machine's own devices, whatever it has: a build server with no sound
// hardware at all must run every step without a crash, silently at start-up.
class SystemMidiTest final : public QObject
{
    Q_OBJECT

private slots:
    void init() { test::clearSettings(); }

    void neverTriesDriversThatCannotBeHeard()
    {
        const QStringList drivers = synthAudioDrivers();
        QVERIFY(!drivers.contains(u"file"_s));   // would write a WAV into the current folder
        QVERIFY(!drivers.contains(u"sdl2"_s));   // needs SDL started by the program
        if (drivers.contains(u"pulseaudio"_s) && drivers.contains(u"alsa"_s))
            QVERIFY(drivers.indexOf(u"pulseaudio"_s) < drivers.indexOf(u"alsa"_s));
    }

    void startUpPlayAndExitRunOnAnyMachine()
    {
        SaveSetting(u"Midi"_s, u"MidiDev"_s, u"-1"_s);
        AppState app;
        app.guitarSustain = 20;
        app.guitarDelay = 10;
        RecordingMessages messages;
        MidiLib midi(app, messages);
        midiStartUp(midi);
        QCOMPARE(messages.texts(), QStringList());
        QCOMPARE(midi.hasOutputDevice(), app.midiOpen || midi.countDevices() > 0);

        PlaybackNotes notes;
        notes.append(0);
        notes.append(4);
        PlayChordNotes(midi, notes);
        // Sounded, or said once why not.
        QVERIFY(messages.texts().isEmpty() || messages.texts() == QStringList{errorText(MidiError::NotOpen)});
        QCOMPARE(app.PlayingCount, qint16(0));

        midiShutDown(midi);
        QVERIFY(!app.midiOpen);
        QCOMPARE(GetSetting(u"Midi"_s, u"LastHandle"_s, QString()), u"0"_s);
    }

    void aPortNumberBeyondTheListIsRefused()
    {
        AppState app;
        RecordingMessages messages;
        MidiLib midi(app, messages);
        midi.open(midi.countDevices());
        QCOMPARE(messages.texts(), QStringList{errorText(MidiError::BadDevice)});
        QVERIFY(!app.midiOpen);
    }
};

LIRAVOX_TEST_MAIN(SystemMidiTest)
#include "systemmidi_test.moc"
