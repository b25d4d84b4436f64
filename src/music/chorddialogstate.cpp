#include "chorddialogstate.h"

#include "chordsymbol.h"
#include "chordtypetable.h"
#include "guitarchord.h"
#include "notetables.h"

#include "base/messages.h"
#include "base/text.h"

#include <algorithm>
#include <array>

namespace lvx::music {

namespace {

constexpr QStringView Letters = u"CDEFGAB";
constexpr std::array<int, LetterCount> LetterPitches{0, 2, 4, 5, 7, 9, 11};
constexpr std::array<QStringView, LetterCount> SolfegeCaptions{u"Do", u"Re", u"Mi", u"Fa", u"Sol", u"La", u"Si"};

// -1 when the text does not start with one of C..B in either case. Like the
// classic InStr, an empty text is found at the first letter.
int letterIndex(QStringView text)
{
    if (text.isEmpty())
        return 0;
    return int(Letters.indexOf(upperChars(text.left(1))));
}

QString noteText(const DialogNote& note)
{
    QString text = Letters.mid(note.letter, 1).toString();
    if (note.sharp)
        text += u'#';
    if (note.flat)
        text += u'b';
    return text;
}

// A "#" or "b" right after the letter; it is taken off the text.
void takeAccidental(QStringView& text, DialogNote& note)
{
    if (text.startsWith(u'#'))
        note.sharp = true;
    else if (text.startsWith(u'b'))
        note.flat = true;
    else
        return;
    text = text.mid(1);
}

void applyClick(DialogNote& note, int index)
{
    if (index >= 0 && index < LetterCount) {
        note = DialogNote{index, false, false};
    } else if (index == SharpIndex) {
        note.sharp = !note.sharp;
        note.flat = false;
    } else if (index == FlatIndex) {
        note.flat = !note.flat;
        note.sharp = false;
    }
}

// The slash that parsing a chord name takes for the bass: the second one when
// there are two, so 6/9 stays a type. -1 when the text after it is no note, in
// which case the slash belongs to the type (C6/9 keeps its 6/9).
qsizetype bassSeparator(QStringView rest)
{
    qsizetype slash = rest.indexOf(u'/');
    if (slash < 0)
        return -1;
    const qsizetype second = rest.indexOf(u'/', slash + 1);
    if (second >= 0)
        slash = second;
    return LetterTable.indexOf(trimBlanks(rest.mid(slash + 1))) >= 0 ? slash : -1;
}

void decodeBass(QStringView bassText, ChordDialogState& state, Messages& messages)
{
    state.bassOn = true;
    const int letter = letterIndex(bassText);
    if (letter < 0) {
        messages.inform(InvalidBassMessage.toString());
        state.bass = DialogNote{state.tone.letter, false, false};
    } else {
        state.bass = DialogNote{letter, false, false};
    }
    bassText = bassText.mid(1);
    takeAccidental(bassText, state.bass);
}

void decodeChordName(const QString& label, ChordDialogState& state, Messages& messages)
{
    const int letter = letterIndex(label);
    if (letter < 0) {
        messages.inform(InvalidToneMessage.toString());
        state.textLabel = true;
        state.text = label;
        return;
    }
    state.tone.letter = letter;
    QStringView rest = QStringView(label).mid(1);
    takeAccidental(rest, state.tone);
    const qsizetype slash = bassSeparator(rest);
    state.setType((slash < 0 ? rest : rest.left(slash)).toString());
    if (slash < 0) {
        state.bass = state.tone;
        state.bassOn = false;
    } else {
        decodeBass(trimBlanks(rest.mid(slash + 1)), state, messages);
    }
}

bool caseInsensitiveFirst(const QString& a, const QString& b)
{
    const int order = QString::compare(a, b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
}

void addFingeringTypes(QStringList& list, const QList<GuitarChordDef>& defs, int tone, int bass)
{
    for (const GuitarChordDef& def : defs) {
        const ChordSymbol chord = ParseChord(def.name);
        if (chord.tone == tone && chord.bass == bass)
            list.append(chord.mode);
    }
}

} // namespace

quint8 ChordVal(int letter, bool sharp, bool flat)
{
    const int pitch = LetterPitches.at(std::clamp(letter, 0, LetterCount - 1));
    return quint8((pitch + (sharp ? 1 : 0) + (flat ? 11 : 0)) % 12);
}

QString noteCaption(int letter, const QString& notation)
{
    if (letter < 0 || letter >= LetterCount)
        return {};
    if (isLetterNotation(notation))
        return Letters.mid(letter, 1).toString();
    return SolfegeCaptions.at(letter).toString();
}

const QStringList& basicChordTypes()
{
    static const QStringList types{QStringLiteral("maj"), QStringLiteral("maj7"), QStringLiteral("7"), QStringLiteral("m"),
                                    QStringLiteral("m7"),  QStringLiteral("aug"),  QStringLiteral("dim")};
    return types;
}

void ChordDialogState::clickTone(int index)
{
    applyClick(tone, index);
    bass = tone;
    bassOn = false;
}

void ChordDialogState::clickBass(int index)
{
    applyClick(bass, index);
    bassOn = true;
}

void ChordDialogState::setBassOn(bool on, bool byUser)
{
    if (on && byUser)
        bass = tone;
    bassOn = on;
}

void ChordDialogState::setType(const QString& newType)
{
    type = newType.isEmpty() ? QStringLiteral("maj") : newType;
}

QString ChordDialogState::ChordName() const
{
    QString name = noteText(tone);
    if (type != u"maj")
        name += type;
    if (bassOn && ChordVal(bass) != ChordVal(tone))
        name += u'/' + noteText(bass);
    return name;
}

QString ChordDialogState::result() const
{
    if (textLabel)
        return u'\'' + text;
    return ChordName();
}

ChordDialogState decodeLabel(const QString& label, Messages& messages)
{
    ChordDialogState state;
    if (label.isEmpty())
        return state;
    const ChordSymbol chord = ParseChord(label);
    if (isTextLabel(label) || chord.tone < 0 || chord.bass < 0) {
        if (!isTextLabel(label))
            messages.inform(InvalidChordMessage.toString());
        state.textLabel = true;
        state.text = isTextLabel(label) ? label.mid(1) : label;
        return state;
    }
    decodeChordName(label, state, messages);
    return state;
}

ChordDialogState decodeFingeringName(const QString& name, Messages& messages)
{
    ChordDialogState state;
    const int letter = letterIndex(name);
    if (letter < 0)
        messages.inform(InvalidToneAssumeCMessage.toString());
    state.tone.letter = qMax(letter, 0);
    QStringView rest = QStringView(name).mid(1);
    takeAccidental(rest, state.tone);
    const qsizetype slash = rest.indexOf(u'/');
    state.setType((slash < 0 ? rest : rest.left(slash)).toString());
    // "Am/" names no bass: an empty bass would otherwise read as C.
    const QStringView bassText = slash < 0 ? QStringView() : rest.mid(slash + 1);
    if (bassText.isEmpty()) {
        state.bass = state.tone;
        state.bassOn = false;
    } else {
        decodeBass(bassText, state, messages);
    }
    return state;
}

QStringList otherChordTypes(const ChordTypeTable& types, bool guitar, int tone, int bass,
                            const QList<GuitarChordDef>& globalDefs, const QList<GuitarChordDef>& songDefs)
{
    QStringList list;
    for (const Modos& type : types) {
        list.append(type.Nombre);
        for (int alias = 1; alias <= type.SinonimosDim; ++alias)
            list.append(type.SinonimosGet(alias));
    }
    if (guitar) {
        addFingeringTypes(list, globalDefs, tone, bass);
        addFingeringTypes(list, songDefs, tone, bass);
    }
    std::sort(list.begin(), list.end(), caseInsensitiveFirst);
    // Walks down to the second entry only: the first one always stays.
    for (qsizetype index = list.size() - 1; index >= 1; --index) {
        if (list.at(index) == list.at(index - 1) || basicChordTypes().contains(list.at(index)))
            list.removeAt(index);
    }
    return list;
}

} // namespace lvx::music
