#include "base/fonts.h"

#include "base/numbers.h"
#include "base/settings.h"
#include "base/text.h"

#include <algorithm>

namespace lvx {

namespace {

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

// Takes the first comma-separated item off the front of rest.
QString takeItem(QString& rest)
{
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0) {
        QString item = rest;
        rest.clear();
        return item;
    }
    QString item = trimBlanks(QStringView(rest).left(comma));
    rest = trimBlanks(QStringView(rest).mid(comma + 1));
    return item;
}

// The role of a description, taken from its start: a number may stand before it.
QString takeRole(QString& rest)
{
    const QString role = takeItem(rest);
    return QStringLiteral("012345678").contains(role) ? takeItem(rest) : role;
}

} // namespace

double usableFontSize(double points)
{
    // NaN compares false both ways: it lands on the smallest size.
    if (!(points >= SmallestFontSize))
        return SmallestFontSize;
    return std::min(points, LargestFontSize);
}

QString usableFontName(const QString& name)
{
    return name.left(LongestFontName);
}

void Fonts::Create(const QString& source, const QString& name, qint16 size, bool bold, bool italic, qint32 color)
{
    Source = source;
    Name = name;
    Size = size;
    Bold = bold;
    Italic = italic;
    Color = color;
}

void Fonts::GetFromActive(const Fonts& active)
{
    *this = active;
}

void Fonts::SetToActive(Fonts& active) const
{
    active = *this;
}

Fonts* FontSet::find(const QString& role)
{
    for (Fonts& font : m_fonts) {
        if (font.Source.compare(role, Qt::CaseInsensitive) == 0)
            return &font;
    }
    return nullptr;
}

const Fonts* FontSet::find(const QString& role) const
{
    return const_cast<FontSet*>(this)->find(role);
}

void FontSet::add(const Fonts& font)
{
    if (Fonts* existing = find(font.Source))
        *existing = font;
    else
        m_fonts.append(font);
}

QString FontToStr(const Fonts& font)
{
    return font.Source + u',' + font.Name + u',' + QString::number(font.Size) + u',' + QString::number(font.Color)
        + u',' + boolText(font.Bold) + u',' + boolText(font.Italic);
}

bool isFontRole(const QString& role)
{
    static const QStringList roles = QStringLiteral("Title SubTitle Lyric Chord Comment Tablature Header Footer Control Metadata")
                                         .split(u' ');
    return roles.contains(role, Qt::CaseInsensitive);
}

QString fontRole(const QString& text)
{
    QString rest = text;
    return takeRole(rest);
}

bool FontFromStr(FontSet& set, const QString& text)
{
    QString rest = text;
    const QString role = takeRole(rest);

    Fonts* font = set.find(role);
    if (font == nullptr)
        return isFontRole(role);
    font->Source = role;
    font->Name = takeItem(rest);
    if (const auto size = fitInt16(leadingNumber(takeItem(rest))))
        font->Size = *size;
    if (const auto color = fitInt32(leadingNumber(takeItem(rest))))
        font->Color = *color;
    font->Bold = takeItem(rest) == u"true";
    font->Italic = takeItem(rest) == u"true";
    return true;
}

void loadFontRole(FontSet& set, const SettingsStore& store, const QString& role, const QString& name, qint16 size,
                  const QString& bold, const QString& italic, qint32 color)
{
    const QString section = QStringLiteral("SongFonts");
    Fonts font;
    font.Source = role;
    font.Name = store.value(section, role + u"FontName", name);
    font.Size = toInt16(leadingNumber(store.value(section, role + u"FontSize", QString::number(size))));
    font.Color = toInt32(leadingNumber(store.value(section, role + u"FontColor", QString::number(color))));
    font.Bold = isTrueText(store.value(section, role + u"FontBold", bold));
    font.Italic = isTrueText(store.value(section, role + u"FontItalic", italic));
    set.add(font);
}

void loadSongFontDefaults(FontSet& set)
{
    loadSongFontDefaults(set, SettingsStore());
}

void loadSongFontDefaults(FontSet& set, const SettingsStore& store)
{
    const QString comic = QStringLiteral("Comic Sans MS");
    const QString yes = QStringLiteral("true");
    const QString no = QStringLiteral("false");
    set.clear();
    loadFontRole(set, store, QStringLiteral("Title"), comic, 20, yes, no, 0);
    loadFontRole(set, store, QStringLiteral("SubTitle"), comic, 16, yes, no, 0);
    loadFontRole(set, store, QStringLiteral("Lyric"), comic, 10, no, no, 0);
    loadFontRole(set, store, QStringLiteral("Chord"), QStringLiteral("Arial"), 8, no, yes, 255);
    loadFontRole(set, store, QStringLiteral("Comment"), comic, 8, no, no, 16711680);
    loadFontRole(set, store, QStringLiteral("Tablature"), QStringLiteral("Courier New"), 10, no, no, 65280);
    loadFontRole(set, store, QStringLiteral("Header"), comic, 10, yes, no, 0);
    loadFontRole(set, store, QStringLiteral("Footer"), comic, 10, yes, no, 0);
    loadFontRole(set, store, QStringLiteral("Control"), QStringLiteral("MS Sans Serif"), 8, no, no, 16711680);
    set.add(metadataFontFor(*set.find(QStringLiteral("SubTitle"))));
}

Fonts metadataFontFor(const Fonts& subtitle)
{
    Fonts font = subtitle;
    font.Source = QStringLiteral("Metadata");
    font.Size = qint16(std::max(int(SmallestFontSize), subtitle.Size - 2));
    return font;
}

bool ApplyFontRole(FontSurface& surface, const FontSet& set, const QString& role)
{
    const Fonts* font = set.find(role);
    if (font == nullptr)
        return false;
    surface.setFont(font->Name, font->Size, font->Bold, font->Italic);
    surface.setForeColor(font->Color);
    return true;
}

} // namespace lvx
