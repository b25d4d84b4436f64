// Subcommands that read a song file: dump, write, transpose, replace, the
// whole-text conversions and the chord sheet.

#include "command.h"
#include "commands.h"
#include "json.h"

#include "song/chordsheet.h"
#include "song/song.h"
#include "song/sourceconversions.h"

namespace lvx::cli {

namespace {

// Checks the arguments: exactly count positional ones and no stray option.
bool argumentsFit(const Command& command, qsizetype count)
{
    return !command.hasUnknownOption() && command.args.size() == count;
}

Json songJson(const song::Song& song)
{
    Json margins = Json::object();
    margins.add(QStringLiteral("left"), int(song.MargenL))
        .add(QStringLiteral("right"), int(song.MargenR))
        .add(QStringLiteral("top"), int(song.MargenT))
        .add(QStringLiteral("bottom"), int(song.MargenB));
    Json fonts = Json::array();
    for (const Fonts& font : song.fonts->items()) {
        Json item = Json::object();
        item.add(QStringLiteral("source"), font.Source)
            .add(QStringLiteral("name"), font.Name)
            .add(QStringLiteral("size"), int(font.Size))
            .add(QStringLiteral("bold"), font.Bold)
            .add(QStringLiteral("italic"), font.Italic)
            .add(QStringLiteral("color"), qint64(font.Color));
        fonts.append(item);
    }
    Json chordDefs = Json::array();
    for (const music::GuitarChordDef& def : song.chordDefs) {
        Json frets = Json::array();
        for (int string = 1; string <= 6; ++string)
            frets.append(int(def.frets[string]));
        Json item = Json::object();
        item.add(QStringLiteral("name"), def.name).add(QStringLiteral("baseFret"), int(def.baseFret)).add(QStringLiteral("frets"), frets);
        chordDefs.append(item);
    }
    Json lines = Json::array();
    for (const song::SongLine& line : song.lines) {
        Json chords = Json::array();
        for (const song::ChordPlacement& chord : line.chords) {
            Json item = Json::object();
            item.add(QStringLiteral("name"), chord.name).add(QStringLiteral("position"), int(chord.position));
            chords.append(item);
        }
        Json item = Json::object();
        item.add(QStringLiteral("kind"), int(line.kind)).add(QStringLiteral("text"), line.text).add(QStringLiteral("chords"), chords);
        lines.append(item);
    }
    Json object = Json::object();
    object.add(QStringLiteral("title"), song.title)
        .add(QStringLiteral("subtitle"), song.subtitle)
        .add(QStringLiteral("chordPro"), song.chordPro)
        .add(QStringLiteral("chordSize"), int(song.ChordSize))
        .add(QStringLiteral("chordPosition"), int(song.ChordPosition))
        .add(QStringLiteral("printChords"), song.PrintChordsFlag)
        .add(QStringLiteral("printMajor"), song.PrintMajorFlag)
        .add(QStringLiteral("printMinor"), song.PrintMinorFlag)
        .add(QStringLiteral("printSeventh"), song.PrintSeventhFlag)
        .add(QStringLiteral("printBemol"), song.PrintBemolFlag)
        .add(QStringLiteral("printBassNotRoot"), song.PrintBassNotRootFlag)
        .add(QStringLiteral("margins"), margins)
        .add(QStringLiteral("orientation"), int(song.PrintOrientation))
        .add(QStringLiteral("fonts"), fonts)
        .add(QStringLiteral("chordDefs"), chordDefs)
        .add(QStringLiteral("lines"), lines);
    return object;
}

// Loads the one song file the subcommand names last and runs what to do with it.
template<typename Action>
int withSong(Command& command, qsizetype arguments, const QString& usageText, Action action)
{
    if (!argumentsFit(command, arguments))
        return command.usage(usageText);
    song::Song song(command.context);
    if (!command.loadSong(song, command.args.last()))
        return ExitRefused;
    return action(song);
}

// The whole text of a file, for the conversions that work on text, not songs.
template<typename Convert>
int convertFile(Command& command, const QString& usageText, Convert convert)
{
    if (!argumentsFit(command, 1))
        return command.usage(usageText);
    const QString path = command.args.first();
    if (!command.readableFile(path))
        return ExitRefused;
    const song::TextFile file = song::ReadTextFile(path, command.messages, song::MissingFile::Refuse);
    if (!file.ok)
        return ExitRefused;
    command.print(convert(file.text));
    return ExitOk;
}

} // namespace

int runDump(Command& command)
{
    return withSong(command, 1, QStringLiteral("usage: lvx dump FILE"), [&](song::Song& song) {
        command.printLine(songJson(song).toText());
        return int(ExitOk);
    });
}

int runWrite(Command& command)
{
    return withSong(command, 1, QStringLiteral("usage: lvx write FILE"), [&](song::Song& song) {
        command.print(song.LinesToString());
        return int(ExitOk);
    });
}

int runTranspose(Command& command)
{
    const QString usageText = QStringLiteral("usage: lvx transpose N FILE (N: semitones, -12 to 12)");
    bool isNumber = false;
    const int semitones = command.args.value(0).toInt(&isNumber);
    if (!isNumber || semitones < -12 || semitones > 12)
        return command.usage(usageText);
    return withSong(command, 2, usageText, [&](song::Song& song) {
        song.Transpose(semitones);
        command.print(song.LinesToString());
        return int(ExitOk);
    });
}

int runReplace(Command& command)
{
    return withSong(command, 3, QStringLiteral("usage: lvx replace FIND REPLACEMENT FILE"), [&](song::Song& song) {
        song.ReplaceChords(command.args.at(0), command.args.at(1));
        command.print(song.LinesToString());
        return int(ExitOk);
    });
}

int runConvertCrd(Command& command)
{
    return convertFile(command, QStringLiteral("usage: lvx convert-crd FILE"), song::chordSheetToChordPro);
}

int runText(Command& command)
{
    if (command.hasUnknownOption() || command.args.isEmpty())
        return command.usage(QStringLiteral("usage: lvx text FILE..."));
    int exitCode = ExitOk;
    bool first = true;
    for (const QString& path : std::as_const(command.args)) {
        song::Song song(command.context);
        // A song that cannot be read is reported; the others still come out.
        if (!command.loadSong(song, path)) {
            exitCode = ExitRefused;
            continue;
        }
        if (!first)
            command.print(QStringLiteral("\r\n"));
        command.print(song::chordSheetText(song).text);
        first = false;
    }
    return exitCode;
}

int runSolfege(Command& command)
{
    return convertFile(command, QStringLiteral("usage: lvx solfege FILE"), [&](const QString& text) {
        return song::ConvertSolfegeChords(text, command.messages);
    });
}

} // namespace lvx::cli
