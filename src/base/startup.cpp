#include "base/startup.h"

#include "base/appstate.h"
#include "base/messages.h"
#include "base/settings.h"
#include "base/system.h"
#include "base/text.h"

#include <QDir>
#include <QFileInfo>

namespace lvx {

namespace {

void enterDefaultFolder()
{
    const QString home = programFolder();
    const QString saved = GetSetting(QStringLiteral("Public"), QStringLiteral("DefDir"), home);
    if (FolderExists(saved).isEmpty() || !QDir::setCurrent(saved))
        QDir::setCurrent(home);
}

void readPublicSettings(AppState& state)
{
    const QString publicSection = QStringLiteral("Public");
    state.notation = GetSetting(publicSection, QStringLiteral("Modo Acordes"), QStringLiteral("C"));
    state.instrument = GetSetting(publicSection, QStringLiteral("Instrument"), QStringLiteral("Guitar"));
}

void readMidiTimes(AppState& state)
{
    const QString midi = QStringLiteral("Midi");
    state.pianoSustain = GetSettingNumber(midi, QStringLiteral("PianoSustain"), QStringLiteral("300"));
    state.guitarSustain = GetSettingNumber(midi, QStringLiteral("GuitarSustain"), QStringLiteral("200"));
    state.pianoDelay = GetSettingNumber(midi, QStringLiteral("PianoDelay"), QStringLiteral("100"));
    state.guitarDelay = GetSettingNumber(midi, QStringLiteral("GuitarDelay"), QStringLiteral("100"));
}

void createTimingCounters(AppState& state)
{
    state.timers = TimingCounters();
    for (const QString& name : timingCounterNames())
        state.timers.TimerAdd(name);
    state.timers.TimerReset();
}

// A name from a shell is relative to the folder the program was started in,
// not to the saved folder start-up moves to.
void takeCommandLineFile(AppState& state, Messages& messages, const QString& commandLine, const QString& startFolder)
{
    state.CurrentFileName.clear();
    const QString name = commandLineFileName(commandLine);
    if (name.isEmpty())
        return;
    const QFileInfo file(QDir(startFolder), name);
    // Only a file counts: a folder of that name is as good as nothing.
    if (!file.isFile()) {
        messages.inform(QStringLiteral("File not Found"));
        return;
    }
    state.CurrentFileName = file.absoluteFilePath();
}

} // namespace

QStringList timingCounterNames()
{
    return {QStringLiteral("PrintLine"), QStringLiteral("AddChord"), QStringLiteral("Set Label"),
            QStringLiteral("Set Text"), QStringLiteral("Draw Lines"), QStringLiteral("Set Label Prop")};
}

QString commandLineFileName(const QString& commandLine)
{
    const QString name = trimBlanks(commandLine);
    if (name.startsWith(u'"'))
        return name.mid(1, name.size() - 2);
    return name;
}

void StartUp(AppState& state, Messages& messages, const QString& commandLine)
{
    const QString startFolder = QDir::currentPath();
    enterDefaultFolder();
    readStartupSettings(state);
    takeCommandLineFile(state, messages, commandLine, startFolder);
}

void readStartupSettings(AppState& state)
{
    readPublicSettings(state);
    readMidiTimes(state);
    state.colorPrinting = GetSettingFlag(QStringLiteral("Printer"), QStringLiteral("ColorPrintingFlag"), QStringLiteral("False"));
    state.pageHeader = GetSetting(QStringLiteral("Printer"), QStringLiteral("PageHeader"), QString());
    state.pageFooter = GetSetting(QStringLiteral("Printer"), QStringLiteral("PageFooter"), AppState::defaultPageFooter());
    createTimingCounters(state);

    state.PaintEnabled = true;
    state.WriteModes = false;
    state.WriteFormat = true;
    state.WriteSongText = true;

    state.LyricsOnly = GetSettingFlag(QStringLiteral("Public"), QStringLiteral("LyricsOnly"), QStringLiteral("False"));
    state.ChordsOnly = GetSettingFlag(QStringLiteral("Public"), QStringLiteral("ChordsOnly"), QStringLiteral("False"));
    state.soundingChords = GetSettingFlag(QStringLiteral("Public"), QStringLiteral("SoundingChords"), QStringLiteral("False"));
    state.WriteEverySetting = GetSettingFlag(QStringLiteral("Public"), QStringLiteral("WriteEverySetting"), QStringLiteral("False"));
    state.PlayingCount = 0;
}

} // namespace lvx
