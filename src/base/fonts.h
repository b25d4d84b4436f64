#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace lvx {

// One font description: the face, size, style and colour of one text role.
// Colours are 24-bit values with red in the low byte and blue in the high byte.
class Fonts final
{
public:
    QString Source;   // the role name, also the key in its set
    QString Name;
    qint16 Size = 0;
    bool Bold = false;
    bool Italic = false;
    qint32 Color = 0;

    void Create(const QString& source, const QString& name, qint16 size, bool bold, bool italic, qint32 color);
    void GetFromActive(const Fonts& active);
    void SetToActive(Fonts& active) const;

    friend bool operator==(const Fonts&, const Fonts&) = default;
};

// The font descriptions of one song, keyed by role in insertion order.
// Roles are found without regard to case.
class FontSet final
{
public:
    Fonts* find(const QString& role);
    const Fonts* find(const QString& role) const;
    // Adds a description under its Source; an existing role is replaced in place.
    void add(const Fonts& font);
    void clear() { m_fonts.clear(); }

    const QList<Fonts>& items() const { return m_fonts; }
    qsizetype size() const { return m_fonts.size(); }

private:
    QList<Fonts> m_fonts;
};

// Font sets are shared: the public set is the very set of the song activated last.
using FontSetRef = std::shared_ptr<FontSet>;

// The font hand-over slots of the program.
struct FontState
{
    FontSetRef publicSet = std::make_shared<FontSet>();
    Fonts activeFont;
};

// What a screen and a page can show. A description keeps whatever size and name
// it was given (a song file writes back what it said); text is drawn at the
// nearest size in range, in a face named by at most the first characters.
inline constexpr double SmallestFontSize = 4;
inline constexpr double LargestFontSize = 200;
inline constexpr qsizetype LongestFontName = 100;
double usableFontSize(double points);
QString usableFontName(const QString& name);
inline QStringView usableFontName(QStringView name)
{
    return name.left(LongestFontName);
}

// The song's facts under the subtitle ("Metadata"): the subtitle's face two
// points smaller, unless the song sets a font of its own for them.
Fonts metadataFontFor(const Fonts& subtitle);

// "Title,Comic Sans MS,20,0,true,false": role, name, size, colour, bold, italic.
QString FontToStr(const Fonts& font);

// Applies a font description text to the set. An optional leading index item is
// skipped; a role that is not in the set, or a value that does not fit, changes
// nothing and says nothing. False when the text names no role the program has
// (another tool's font line, which the caller may want to keep).
bool FontFromStr(FontSet& set, const QString& text);
// The role a font description is for, as FontFromStr reads it.
QString fontRole(const QString& text);
// The text roles the program draws with ("Title", "Lyric", ...), in any case.
bool isFontRole(const QString& role);

class SettingsStore;

// Adds one role read from the "SongFonts" settings, with the given defaults.
void loadFontRole(FontSet& set, const SettingsStore& store, const QString& role, const QString& name, qint16 size,
                  const QString& bold, const QString& italic, qint32 color);

// Empties the set and adds the nine roles with their settings or defaults.
void loadSongFontDefaults(FontSet& set);
void loadSongFontDefaults(FontSet& set, const SettingsStore& store);

// Something text can be drawn on: a window, a picture or a printer page.
class FontSurface
{
public:
    virtual ~FontSurface() = default;
    virtual void setFont(const QString& name, qint16 size, bool bold, bool italic) = 0;
    virtual void setForeColor(qint32 color) = 0;
};

// Gives the surface the font and colour stored for the role in the set.
// Returns false, leaving the surface alone, when the set lacks the role.
bool ApplyFontRole(FontSurface& surface, const FontSet& set, const QString& role);

} // namespace lvx
