#include "commandline.h"

#include "command.h"

#include "base/startup.h"

#include <QFile>

namespace lvx::cli {

namespace {

const char16_t* const UsageText =
    u"usage: lvx [--notation C|Do] [--home DIR] COMMAND ARGS...\n"
    u"commands:\n"
    u"  chord NAME...                  how each chord name is read, as JSON lines\n"
    u"  dump FILE...                   the song as the program holds it, as JSON\n"
    u"  write FILE...                  the song written back as ChordPro text\n"
    u"  transpose N FILE...            the song transposed by N semitones\n"
    u"  transpose --to-key KEY FILE... the song moved from its {key} to KEY, spelled as KEY is\n"
    u"  replace FIND REPLACEMENT FILE... the song with one chord replaced by another\n"
    u"  name PITCHCLASS... [--bass PC] the chord made of these pitch classes (0 = C)\n"
    u"  convert-crd FILE...            a chord sheet (chord lines over lyrics) read as ChordPro\n"
    u"  text FILE...                   each song as a plain-text chord sheet, chords over lyrics\n"
    u"  solfege FILE...                solfege chord names turned into letters\n"
    u"  fingering NAME [--song FILE]   the guitar fingering drawn for a chord, as JSON\n"
    u"  play NAME... [--instrument Guitar|Piano] [--log] [--wav OUT.wav]\n"
    u"                                 plays chords as a click on their label does\n"
    u"  pdf [OPTIONS] -o OUT.pdf FILE... a song, several songs or an .abm album printed to PDF\n"
    u"                                 (-o - writes it to standard output; --contents,\n"
    u"                                 --contents-sorted and --contents-by-artist open a book\n"
    u"                                 with contents pages; \"lvx pdf\" alone lists every option)\n"
    u"  markup [--sounding] FILE       the print markup of a song\n"
    u"Song commands read \"-\" as standard input and write one result to standard output;\n"
    u"several files need -o DIR (one file each, same names) or --in-place (saved as the\n"
    u"program saves: same encoding, the old file replaced only once the new one is whole).";

const QStringList PrintCommands{QStringLiteral("fingering"), QStringLiteral("play"), QStringLiteral("pdf"),
                                QStringLiteral("markup")};
const QStringList TextCommands{QStringLiteral("chord"), QStringLiteral("dump"), QStringLiteral("write"),
                               QStringLiteral("transpose"), QStringLiteral("replace"), QStringLiteral("name"),
                               QStringLiteral("convert-crd"), QStringLiteral("solfege"),
                               QStringLiteral("text")};

QString usageText()
{
    return QString::fromUtf16(UsageText);
}

} // namespace

bool isPrintCommand(const QString& name)
{
    return PrintCommands.contains(name);
}

QString commandName(const QStringList& arguments)
{
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (argument == u"--home" || argument == u"--notation")
            ++index;
        else if (TextCommands.contains(argument) || PrintCommands.contains(argument))
            return argument;
    }
    return {};
}

int runCommandLine(const QStringList& arguments, const CommandTable& commands)
{
    Command command;
    command.args = arguments.mid(1);

    QString home;
    if (command.takeOption(QStringLiteral("--home"), home))
        qputenv("LIRAVOX_HOME", QFile::encodeName(home));
    QString notation;
    const bool notationGiven = command.takeOption(QStringLiteral("--notation"), notation);
    if (notationGiven && notation != u"C" && notation != u"Do")
        return command.usage(QStringLiteral("--notation takes C or Do"));

    if (command.takeFlag(QStringLiteral("--help")) || command.args.isEmpty())
        return command.usage(usageText());
    const QString name = command.args.takeFirst();
    const auto found = commands.find(name);
    if (found == commands.end())
        return command.usage(u"unknown command: " + name + u'\n' + usageText());

    readStartupSettings(command.app);
    if (notationGiven)
        command.app.notation = notation;
    const int code = found->second(command);
    return command.finishOutput() ? code : ExitRefused;
}

} // namespace lvx::cli
