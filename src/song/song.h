#pragma once

#include "chorddefinitions.h"
#include "metadata.h"
#include "songcontext.h"
#include "songline.h"
#include "textfile.h"
#include "textstyle.h"

#include "base/fonts.h"
#include "music/guitarchord.h"
#include "music/keys.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

#include <optional>

namespace lvx::music {
class Modos;
}

namespace lvx::song {

struct Directive;

// A song: its lines, its song-wide values, its own fingerings and fonts, and the
// operations that read it from ChordPro text and write it back. Lists are
// 0-based; line and chord numbers shown to users are 1-based.
class Song final
{
public:
    explicit Song(SongContext& context);

    // The lines as the reader built them.
    QList<SongLine> lines;

    QString title;
    QString subtitle;

    bool PrintChordsFlag = true;
    bool PrintMajorFlag = true;
    bool PrintMinorFlag = true;
    bool PrintSeventhFlag = true;
    bool PrintBemolFlag = true;
    bool PrintBassNotRootFlag = true;
    qint16 ChordSize = 1;       // diagram size 0, 1 or 2
    qint16 ChordPosition = 1;   // diagrams 0 beside the text, 1 below it

    qint16 MargenL = 800;       // twips
    qint16 MargenR = 600;
    qint16 MargenT = 1000;
    qint16 MargenB = 1000;
    qint16 PrintOrientation = 1;   // 1 portrait, 2 landscape

    bool Modificada = false;
    bool chordPro = false;      // the text looked like ChordPro when loaded

    FontSetRef fonts = std::make_shared<FontSet>();
    QList<music::GuitarChordDef> chordDefs;
    // The definition lines as they were read, so that saving writes each
    // definition the user left alone exactly as it stood.
    QList<DefinitionLine> chordDefLines;
    QStringList LastChords;     // oldest first

    // The window's caption: the file's path, or "Untitled..." for a new song.
    QString caption;
    TextEncoding encoding = TextEncoding::Utf8;
    // How saving writes the song: in the style of the file it came from, or
    // with the program's full header (new songs, the program's own files).
    TextStyle style;
    // The file the song was read from only in part, or could not be read from at
    // all: saving never writes over it.
    QString partlyReadFile;

    // View state the reader resets: the first line shown, and whether the next
    // paint adds the chords it shows to the recent chords.
    int TopLine = 1;
    bool CollectChords = false;

    // Reader state: inside a tablature section; which define syntax is in force.
    bool inTab = false;
    bool newDefine = false;

    SongContext& context() const { return m_context; }

    // -- reading and writing text
    void StringToLinesRec(const QString& text);
    QString LinesToString() const;
    // Whether LinesToString writes the song in its own style now.
    bool writesOwnStyle() const;
    // How saving ends the text: as LinesToString gives it for a song in its
    // own style whose file ended without a line end, else with one.
    FinalLineEnd finalLineEnd() const
    {
        return writesOwnStyle() && !style.finalLineEnd ? FinalLineEnd::AsGiven : FinalLineEnd::Added;
    }
    static QString ModeDefToStr(const music::Modos& mode);
    static qint16 InvParse(const QString& name);
    static void ExpandTabs(QString& text);

    // -- files (the name comes through the context's CurrentFileName)
    // False when the file could not be read; the song is then empty.
    bool LoadFile();
    // Loads text read elsewhere (standard input) as LoadFile loads a file's.
    void LoadText(const QString& text, TextEncoding textEncoding);
    // The song-wide values every load starts from: no title, the fonts and
    // margins of the settings; what a page of the program's own looks like.
    void resetForLoad();
    bool SaveFile();
    bool SaveSongFileAs(const QString& name);
    // The song as it is now is what its file holds (just loaded or saved): not
    // modified, and a song edited back to this text is unchanged again.
    void markSaved();
    bool matchesSaved() const { return LinesToString() == m_savedText; }
    // Saves under the caption, asking for a name when the song is untitled or
    // its file was read only in part.
    bool SaveSongFile();
    // Whether fileName is the file this song was read from only in part.
    bool readInPart(const QString& fileName) const;
    // Whether fileName may be saved over with text: yes, unless it is the
    // song's file, another program saved something else there since the song
    // read or saved it, and the user says no to losing that.
    bool mayOverwrite(const QString& fileName, const QString& text);
    // Says that the song's file was read only in part and asks for another name.
    QString otherNameForPartlyRead();
    void SaveDefaultFile();

    // -- fonts
    QString FontToStr(const Fonts& font) const { return lvx::FontToStr(font); }
    bool FontFromStr(const QString& text) { return lvx::FontFromStr(*fonts, text); }
    void FontsToPublic() { m_context.fonts.publicSet = fonts; }
    void FontsFromPublic() { fonts = m_context.fonts.publicSet; }

    // -- the song's own fingerings; indexes count from 1 as users see them
    qint16 ChordDefDim() const { return qint16(chordDefs.size()); }
    void ChordDefInit() { chordDefs.clear(); }
    void ChordDefInsert(int pos);
    void ChordDefNew();
    void ChordDefRemove(int index);
    void ChordDefSetToActive(int index);
    void ChordDefGetFromActive(int index);

    // -- chord edits over the whole song
    void LastChordsAdd(const QString& name);
    // `names`, when given, keeps the names transposed so far by the same
    // semitones, for a caller that transposes song after song.
    void Transpose(int semitones, QHash<QString, QString>* names = nullptr);
    void ReplaceChords(const QString& find, const QString& replacement);
    // The first key the song names that reads as a key, and its name as written.
    std::optional<music::MusicalKey> key() const;
    QString keyName() const;
    // Moves every chord and key from the song's key to target, spelled as the
    // target is written. False, changing nothing, when the song names no key
    // or target is none.
    bool TransposeToKey(const QString& target);
    // The song's facts (artist, key...) in file order.
    QList<MetaEntry> metadata() const { return songMetadata(lines); }

    // The longest lyric a line holds; longer lines are split when read.
    static constexpr qsizetype MaxLineLength = 32767;

private:
    SongContext& m_context;
    QString m_savedText;
    // The title and subtitle lines of the text last read.
    HeaderLine m_titleLine;
    HeaderLine m_subtitleLine;
    // Where the first of the program's settings stood in the file, if it had
    // one, and each settings line by the line of the header that says the same.
    // Kept from the load: the source editor's text holds no settings.
    std::optional<Placement> m_settingsLine;
    QHash<QString, HeaderLine> m_settingsLines;
    // The settings header of the values a load starts from: in its own style
    // a song writes only the settings that differ from these.
    QStringList m_defaultHeader;
    // The song's file as the song last read or saved it.
    QString m_diskFile;
    FileStamp m_diskStamp;

    // What the reader keeps between the lines of one text.
    struct Reading
    {
        QString notationEnd;        // inside notation for another tool, up to this directive
        bool titleRead = false;
        bool subtitleRead = false;
        bool metadataFontRead = false;
        bool laterSong = false;     // past the first song of a file that holds several
        bool inGrid = false;        // the tablature section open is a grid
        bool chordLine = false;     // the definition just read is a "chord" line
        qsizetype sourceLine = 0;   // the line being read, counted from 1
        quint32 headerRead = 0;     // which directives of the settings header were read
        bool modeRead = false;      // a chord type declaration was read
        QStringList problems;       // definitions and declarations that could not be read
    };
    Reading m_reading;

    void readText(const QString& text, bool reportProblems);
    void reportProblems();
    // The reader of one source line: false when the line produces no record.
    // A lyric too long for 16-bit positions gives several records.
    bool parseLine(QStringView source, QList<SongLine>& records);
    bool readDirective(QStringView line, QStringView source, SongLine& record);
    bool readDefinition(const Directive& directive, SongLine& record);
    bool applySongValue(const QString& name, const QString& argument);
    // Remembers a settings line just read, and where it stood.
    void noteSettingsLine(const Directive& directive, QStringView source);
    static void parseLyric(QStringView line, bool inTab, QList<SongLine>& records);
    // Whether the line's source, read again, gives the line.
    static bool lyricReadsAs(const SongLine& line, bool inTab);
    Placement placementHere() const { return placementAt(lines.size(), m_reading.sourceLine); }
    // Whether the text last read holds the program's whole settings header, or
    // declares chord types: a file the program wrote.
    bool readProgramHeader() const;
    // The chords of one lyric as the reader meets them, positions not yet 16-bit.
    using ChordRun = QVarLengthArray<std::pair<QString, qsizetype>, 16>;
    static void splitLongLyric(QString text, const ChordRun& chords, QList<SongLine>& records);
    bool parseModeDef(const QString& argument);

    QString readTextForLoad(bool& readable);
    void finishLoad(const QString& text, bool newSong);
    // The settings header: print options, fonts, margins and orientation.
    QStringList settingsHeader() const;
    // False for the header line of the facts' font while it follows the
    // subtitle's: songs keep the font lines they always had.
    bool writesHeaderLine(const QString& line) const;
    QString ownStyleText() const;
    // The text of one line of the song; nothing for a line that is not written.
    std::optional<QString> writtenLine(const SongLine& line, bool inTab, bool ownStyle) const;
    bool fitsReadLimit(const QString& fileName, const QString& text);
    // The bytes saving the text writes.
    QByteArray fileBytes(const QString& text) const;
};

// The default song file and its template.
QString defaultSongPath();
QString defaultSongTemplate();

} // namespace lvx::song
