#pragma once

#include "songline.h"

#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace lvx::song {

struct Directive;

// One fact about a song (artist, key, tempo...): its name in lower case, its
// value, and the line that holds it, as read or as last written.
struct MetaEntry
{
    QString name;
    QString value;
    QString source;

    friend bool operator==(const MetaEntry&, const MetaEntry&) = default;
};

// The fact a directive gives, written "{artist: X}", "{meta: artist X}" or
// "{x_name: X}"; nothing for any other directive and for a "{meta}" that
// names nothing. Title and subtitle come out like any other name: the reader
// decides what they fill.
std::optional<MetaEntry> readMetadata(const Directive& directive, QStringView source);

// What a directive gives the song's title or subtitle, read as "{t: X}",
// "{title: X}", "{st: X}", "{subtitle: X}" or as the fact "{meta: title X}"
// (fact: readMetadata of the same directive); nothing for any other directive.
struct HeaderValue
{
    bool title = true;   // false: the subtitle
    QString value;
};
std::optional<HeaderValue> headerValue(const Directive& directive, const std::optional<MetaEntry>& fact);
// The same for a source line.
std::optional<HeaderValue> headerValueOf(QStringView line);

// A song's facts in file order, from the lines the reader marked as facts.
QList<MetaEntry> songMetadata(const QList<SongLine>& lines);
// The fact a line holds, if the reader marked it as one.
std::optional<MetaEntry> metadataOf(const SongLine& line);
// The fact a line of text states, read as a directive is read, marked or not:
// the reader marks only the facts of a file's first song.
std::optional<MetaEntry> readMetadataLine(QStringView text);

// The line holding a fact rewritten with a new value in its own form, so that
// everything else on it stays as it was; a new fact is written "{name: value}".
QString metadataLine(const MetaEntry& entry, const QString& value);
SongLine newMetadataLine(const QString& name, const QString& value);
// Gives the fact at index (in file order) a new value, its line rewritten in
// place; false when the song has no such fact.
bool setMetadataValue(QList<SongLine>& lines, qsizetype index, const QString& value);

// The first value a song gives for a fact, blank when it gives none.
QString firstValue(const QList<MetaEntry>& entries, QStringView name);
// What a musician wants to see under the title, in one line: the artist (else
// the composer), key, capo, time and tempo the song gives, for example
// "Marty Robbins \u00b7 Key G \u00b7 Capo 2 \u00b7 3/4 \u00b7 96 bpm".
QString headerLine(const QList<MetaEntry>& entries);

} // namespace lvx::song
