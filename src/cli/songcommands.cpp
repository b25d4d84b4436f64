// Subcommands that read a song file: dump, write, transpose, replace, the
// whole-text conversions and the chord sheet.

#include "batch.h"
#include "command.h"
#include "commands.h"
#include "json.h"

#include "music/keys.h"
#include "song/chordsheet.h"
#include "song/song.h"
#include "song/sourceconversions.h"

namespace lvx::cli {

namespace {

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
    Json metadata = Json::array();
    for (const song::MetaEntry& entry : song.metadata()) {
        Json item = Json::object();
        item.add(QStringLiteral("name"), entry.name).add(QStringLiteral("value"), entry.value);
        metadata.append(item);
    }
    Json object = Json::object();
    object.add(QStringLiteral("title"), song.title)
        .add(QStringLiteral("subtitle"), song.subtitle)
        .add(QStringLiteral("metadata"), metadata)
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

// A command over song files: the song as the program loads it, changed by
// `action`, which gives the result.
template<typename Action>
int overSongs(Command& command, qsizetype leading, bool songResults, const QString& usageText, Action action)
{
    Batch batch;
    const QString problem = takeBatch(command, leading, songResults, batch);
    if (!problem.isEmpty())
        return command.usage(problem + u'\n' + usageText);
    return runBatch(command, batch, [&](const QString& path) -> std::optional<BatchResult> {
        song::Song song(command.context);
        if (!command.loadSong(song, path))
            return std::nullopt;
        std::optional<BatchResult> result = action(song);
        if (result)
            result->readInPart = !song.partlyReadFile.isEmpty();
        return result;
    });
}

// A command over whole texts, for the conversions that work on text, not songs.
template<typename Convert>
int overTexts(Command& command, const QString& usageText, Convert convert)
{
    Batch batch;
    const QString problem = takeBatch(command, 0, true, batch);
    if (!problem.isEmpty())
        return command.usage(problem + u'\n' + usageText);
    return runBatch(command, batch, [&](const QString& path) -> std::optional<BatchResult> {
        const song::TextFile file = command.readText(path);
        if (!file.ok)
            return std::nullopt;
        return BatchResult{convert(file.text), file.encoding, true, file.truncated};
    });
}

BatchResult songText(const song::Song& song)
{
    return {song.LinesToString(), song.encoding, true, false, song.finalLineEnd()};
}

} // namespace

int runDump(Command& command)
{
    return overSongs(command, 0, false, QStringLiteral("usage: lvx dump [-o DIR] FILE..."), [](const song::Song& song) {
        return BatchResult{songJson(song).toText(), song::TextEncoding::Utf8, false};
    });
}

int runWrite(Command& command)
{
    return overSongs(command, 0, true, QStringLiteral("usage: lvx write [-o DIR | --in-place] FILE..."), songText);
}

int runTranspose(Command& command)
{
    const QString usageText = QStringLiteral("usage: lvx transpose N [-o DIR | --in-place] FILE... (N: semitones, -12 to 12)\n"
                                             "       lvx transpose --to-key KEY [-o DIR | --in-place] FILE...");
    QString target;
    if (command.takeOption(QStringLiteral("--to-key"), target)) {
        if (!music::ParseKey(target))
            return command.usage(u"Not a key: " + target + u'\n' + usageText);
        return overSongs(command, 0, true, usageText, [&](song::Song& song) -> std::optional<BatchResult> {
            if (!song.TransposeToKey(target)) {
                command.messages.inform(song.caption + u" names no key to move from.");
                return std::nullopt;
            }
            return songText(song);
        });
    }
    bool isNumber = false;
    const int semitones = command.args.value(0).toInt(&isNumber);
    if (!isNumber || semitones < -12 || semitones > 12)
        return command.usage(usageText);
    // Songs of a batch share their chords: each name is transposed once a call.
    QHash<QString, QString> names;
    return overSongs(command, 1, true, usageText, [&](song::Song& song) {
        song.Transpose(semitones, &names);
        return songText(song);
    });
}

int runReplace(Command& command)
{
    const QString usageText = QStringLiteral("usage: lvx replace FIND REPLACEMENT [-o DIR | --in-place] FILE...");
    return overSongs(command, 2, true, usageText, [&](song::Song& song) {
        song.ReplaceChords(command.args.at(0), command.args.at(1));
        return songText(song);
    });
}

int runConvertCrd(Command& command)
{
    return overTexts(command, QStringLiteral("usage: lvx convert-crd [-o DIR | --in-place] FILE..."), song::chordSheetToChordPro);
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
    return overTexts(command, QStringLiteral("usage: lvx solfege [-o DIR | --in-place] FILE..."), [&](const QString& text) {
        return song::ConvertSolfegeChords(text, command.messages);
    });
}

} // namespace lvx::cli
