#pragma once

#include "songcontext.h"
#include "songline.h"
#include "textfile.h"

#include "app/fonts.h"
#include "music/guitarchord.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>

namespace lvx::music {
class Modos;
}

namespace lvx::song {

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
    QStringList LastChords;     // oldest first

    // The window's caption: the file's path, or "Untitled..." for a new song.
    QString caption;
    TextEncoding encoding = TextEncoding::Utf8;

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
    static QString ModeDefToStr(const music::Modos& mode);
    static qint16 InvParse(const QString& name);
    static void ExpandTabs(QString& text);

    // -- files (the name comes through the context's CurrentFileName)
    void LoadFile();
    // Loads text read elsewhere (standard input) as LoadFile loads a file's.
    void LoadText(const QString& text, TextEncoding textEncoding);
    // The song-wide values every load starts from: no title, the fonts and
    // margins of the settings; what a page of the program's own looks like.
    void resetForLoad();
    bool SaveFile();
    bool SaveSongFileAs(const QString& name);
    // Saves under the caption, asking for a name when the song is untitled.
    bool SaveSongFile();
    void SaveDefaultFile();

    // -- fonts
    QString FontToStr(const Fonts& font) const { return lvx::FontToStr(font); }
    void FontFromStr(const QString& text) { lvx::FontFromStr(*fonts, text); }
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
    void Transpose(int semitones);
    void ReplaceChords(const QString& find, const QString& replacement);

    // The longest lyric a line holds; longer lines are split when read.
    static constexpr qsizetype MaxLineLength = 32767;

private:
    SongContext& m_context;

    // The reader of one source line: false when the line produces no record.
    // A lyric too long for 16-bit positions gives several records.
    bool parseLine(QStringView source, QList<SongLine>& records);
    bool applyDirective(const QString& name, const QString& argument, SongLine& record);
    bool applySongValue(const QString& name, const QString& argument);
    void parseLyric(QStringView line, QList<SongLine>& records) const;
    // The chords of one lyric as the reader meets them, positions not yet 16-bit.
    using ChordRun = QVarLengthArray<std::pair<QString, qsizetype>, 16>;
    static void splitLongLyric(QString text, const ChordRun& chords, QList<SongLine>& records);
    bool parseChordDef(const QString& argument, music::GuitarChordDef& def) const;
    void parseModeDef(const QString& argument);

    QString readTextForLoad();
    void finishLoad(const QString& text);
};

// The default song file and its template.
QString defaultSongPath();
QString defaultSongTemplate();

} // namespace lvx::song
