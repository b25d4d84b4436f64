// Guitar chord definitions: read in either of the program's syntaxes or in
// ChordPro's keyword form, and written back the way they were read.

#include "chorddefinitions.h"

#include "base/numbers.h"
#include "base/text.h"

using namespace Qt::StringLiterals;

namespace lvx::song {

namespace {

using music::GuitarChordDef;

constexpr int MaxDefineTokens = 10;
constexpr qsizetype Strings = 6;

qint16 number(QStringView token)
{
    return toInt16(leadingNumber(token));
}

bool isNumber(QStringView token)
{
    qsizetype digits = token.startsWith(u'-') ? 1 : 0;
    if (digits == token.size())
        return false;
    for (; digits < token.size(); ++digits) {
        if (!token[digits].isDigit())
            return false;
    }
    return true;
}

bool isKeyword(QStringView token)
{
    return token == u"base-fret" || token == u"frets" || token == u"fingers" || token == u"keys";
}

void store(GuitarChordDef& def, const QList<qint16>& stringsLowFirst, qint16 writtenBase)
{
    for (int string = 6; string >= 1; --string)
        def.frets[string] = stringsLowFirst[6 - string];
    def.frets[0] = 0;
    def.baseFret = toInt16(double(writtenBase) - 1);
}

// "base-fret 3 frets x 0 2 2 1 0 fingers ...": keywords, each followed by its values.
std::optional<GuitarChordDef> keywordForm(const QString& name, const QStringList& tokens)
{
    qint16 base = 1;
    QList<qint16> frets;
    for (qsizetype i = 0; i < tokens.size();) {
        const QString& keyword = tokens[i++];
        if (!isKeyword(keyword))
            return std::nullopt;
        qsizetype end = i;
        while (end < tokens.size() && !isKeyword(tokens[end]))
            ++end;
        if (keyword == u"base-fret") {
            if (end != i + 1 || !isNumber(tokens[i]))
                return std::nullopt;
            base = number(tokens[i]);
        } else if (keyword == u"frets") {
            for (qsizetype v = i; v < end; ++v) {
                const QString& value = tokens[v];
                if (value == u"x" || value == u"n" || value == u"-")
                    frets.append(GuitarChordDef::NotPlayed);
                else if (isNumber(value))
                    frets.append(number(value));
                else
                    return std::nullopt;
            }
        }
        i = end;
    }
    if (frets.size() != Strings)
        return std::nullopt;
    GuitarChordDef def;
    def.name = name;
    store(def, frets, base);
    return def;
}

// Seven numbers; words holding "fret" are skipped, "x" is a string not played.
std::optional<GuitarChordDef> positionalForm(const QString& name, const QStringList& tokens, bool newSyntax)
{
    QList<qint16> values;
    for (const QString& token : tokens) {
        if (token.contains(u"fret"))
            continue;
        values.append(token == u"x" ? GuitarChordDef::NotPlayed : number(token));
        if (values.size() > MaxDefineTokens)
            return std::nullopt;
    }
    if (values.size() != 7)
        return std::nullopt;
    GuitarChordDef def;
    def.name = name;
    // The old syntax leads with the base fret, the new one ends with it.
    store(def, values.mid(newSyntax ? 0 : 1, Strings), values[newSyntax ? 6 : 0]);
    return def;
}

// The first line not yet written, from `from` on (then from the start), that gave def.
qsizetype findLine(const QList<DefinitionLine>& lines, const QList<bool>& written, qsizetype from,
                   const GuitarChordDef& def)
{
    for (qsizetype step = 0; step < lines.size(); ++step) {
        const qsizetype at = (from + step) % lines.size();
        if (!written[at] && lines[at].def == def)
            return at;
    }
    return -1;
}

} // namespace

std::optional<GuitarChordDef> readChordDefinition(QStringView argument, bool newSyntax, bool* eitherSyntax)
{
    if (eitherSyntax != nullptr)
        *eitherSyntax = false;
    const QString text = trimBlanks(argument);
    const qsizetype blank = text.indexOf(u' ');
    if (blank <= 0)
        return std::nullopt;
    const QString name = text.left(blank);
    const QStringList tokens = lowerChars(QStringView(text).mid(blank + 1)).split(u' ', Qt::SkipEmptyParts);
    if (tokens.contains(u"frets"_s)) {
        if (std::optional<GuitarChordDef> def = keywordForm(name, tokens)) {
            if (eitherSyntax != nullptr)
                *eitherSyntax = true;
            return def;
        }
    }
    return positionalForm(name, tokens, newSyntax);
}

QStringList writtenChordDefinitions(const QList<GuitarChordDef>& defs, const QList<DefinitionLine>& read,
                                    std::optional<bool> startSyntax, QList<qsizetype>* readFrom)
{
    QStringList out;
    const auto append = [&](const QString& line, qsizetype from) {
        out.append(line);
        if (readFrom != nullptr)
            readFrom->append(from);
    };
    QList<bool> written(read.size(), false);
    // The syntax the reader will be in: unknown at the start unless the caller
    // knows, since a text read into an open song keeps the syntax of the last load.
    std::optional<bool> syntax = startSyntax;
    qsizetype next = 0;
    for (const GuitarChordDef& def : defs) {
        const qsizetype at = findLine(read, written, next, def);
        if (at < 0) {
            append(u"{chord: " + music::ChordDefToText(def) + u'}', -1);
            syntax = true;
            continue;
        }
        const DefinitionLine& line = read[at];
        written[at] = true;
        next = at + 1;
        if (!line.eitherSyntax && syntax != line.newSyntax) {
            append(line.newSyntax ? QStringLiteral("{new_define}") : QStringLiteral("{old_define}"), at);
            syntax = line.newSyntax;
        }
        if (line.setsNewSyntax)
            syntax = true;
        append(line.line, at);
    }
    return out;
}

} // namespace lvx::song
