// lvx: the program's libraries without windows, for scripts, tests and benchmarks.

#include "command.h"
#include "commands.h"

#include "app/startup.h"

#include <QGuiApplication>
#include <QFile>

#include <map>

using namespace lvx::cli;

namespace {

const char16_t* const UsageText =
    u"usage: lvx [--notation C|Do] [--home DIR] COMMAND ARGS...\n"
    u"commands:\n"
    u"  chord NAME...                  how each chord name is read, as JSON lines\n"
    u"  dump FILE                      the song as the program holds it, as JSON\n"
    u"  write FILE                     the song written back as ChordPro text\n"
    u"  transpose N FILE               the song transposed by N semitones\n"
    u"  replace FIND REPLACEMENT FILE  the song with one chord replaced by another\n"
    u"  name PITCHCLASS... [--bass PC] the chord made of these pitch classes (0 = C)\n"
    u"  convert-crd FILE               a chord sheet (chord lines over lyrics) read as ChordPro\n"
    u"  text FILE...                   each song as a plain-text chord sheet, chords over lyrics\n"
    u"  solfege FILE                   solfege chord names turned into letters\n"
    u"  fingering NAME [--song FILE]   the guitar fingering drawn for a chord, as JSON\n"
    u"  play NAME... [--instrument Guitar|Piano] [--log] [--wav OUT.wav]\n"
    u"                                 plays chords as a click on their label does\n"
    u"  pdf [OPTIONS] -o OUT.pdf FILE... a song, several songs or an .abm album printed to PDF\n"
    u"  markup FILE                    the print markup of a song";

using Runner = int (*)(Command&);

const std::map<QString, Runner>& commands()
{
    static const std::map<QString, Runner> table{
        {QStringLiteral("chord"), runChord},
        {QStringLiteral("dump"), runDump},
        {QStringLiteral("write"), runWrite},
        {QStringLiteral("transpose"), runTranspose},
        {QStringLiteral("replace"), runReplace},
        {QStringLiteral("name"), runName},
        {QStringLiteral("convert-crd"), runConvertCrd},
        {QStringLiteral("solfege"), runSolfege},
        {QStringLiteral("text"), runText},
        {QStringLiteral("fingering"), runFingering},
        {QStringLiteral("play"), runPlay},
        {QStringLiteral("pdf"), runPdf},
        {QStringLiteral("markup"), runMarkup},
    };
    return table;
}

} // namespace

int main(int argc, char** argv)
{
    // Printing needs fonts, and fonts need a platform; lvx never shows a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Command command;
    command.args = app.arguments().mid(1);

    QString home;
    if (command.takeOption(QStringLiteral("--home"), home))
        qputenv("LIRAVOX_HOME", QFile::encodeName(home));
    QString notation;
    const bool notationGiven = command.takeOption(QStringLiteral("--notation"), notation);
    if (notationGiven && notation != u"C" && notation != u"Do")
        return command.usage(QStringLiteral("--notation takes C or Do"));

    if (command.takeFlag(QStringLiteral("--help")) || command.args.isEmpty())
        return command.usage(QString::fromUtf16(UsageText));
    const QString name = command.args.takeFirst();
    const auto found = commands().find(name);
    if (found == commands().end())
        return command.usage(u"unknown command: " + name + u'\n' + QString::fromUtf16(UsageText));

    lvx::readStartupSettings(command.app);
    if (notationGiven)
        command.app.notation = notation;
    return found->second(command);
}
