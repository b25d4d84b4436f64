#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lvx {
class Messages;
}

namespace lvx::music {

class ChordTypeTable;
struct GuitarChordDef;

// One note as the chord dialog offers it: a letter and at most one accidental.
struct DialogNote
{
    int letter = 0; // 0..6 for C, D, E, F, G, A, B
    bool sharp = false;
    bool flat = false;

    friend bool operator==(const DialogNote&, const DialogNote&) = default;
};

// The pitch class (0..11) of a letter with its accidental.
quint8 ChordVal(int letter, bool sharp, bool flat);
inline quint8 ChordVal(const DialogNote& note)
{
    return ChordVal(note.letter, note.sharp, note.flat);
}

// The nine note labels of a row: the seven letters, then "#" and "b".
inline constexpr int LetterCount = 7;
inline constexpr int SharpIndex = 7;
inline constexpr int FlatIndex = 8;
inline constexpr int NoteLabelCount = 9;

// "C".."B" in letter notation, "Do".."Si" in any other.
QString noteCaption(int letter, const QString& notation);

// The chord types that have a label of their own, in label order.
const QStringList& basicChordTypes();

// What the chord dialog is editing: a chord built from a tone, a type and an
// optional bass, or a free text label.
struct ChordDialogState
{
    bool textLabel = false;
    QString text;       // the text label's text, without its apostrophe
    DialogNote tone;
    bool bassOn = false;
    DialogNote bass;
    QString type = QStringLiteral("maj");

    // A letter index chooses the letter and drops the accidental; an accidental
    // toggles and clears the other one. A new tone takes the bass along and
    // switches it off; a bass click switches it on.
    void clickTone(int index);
    void clickBass(int index);
    // Ticking the box by hand starts the bass from the tone; the dialog's own
    // changes keep the bass note as it was.
    void setBassOn(bool on, bool byUser);
    // Empty text means a plain major chord.
    void setType(const QString& newType);

    // In letter notation; the bass only when it is on and sounds another pitch.
    QString ChordName() const;
    // The label text the dialog hands back on OK.
    QString result() const;
};

inline constexpr QStringView InvalidChordMessage = u"Invalid Chord, Assume Text Label";
inline constexpr QStringView InvalidToneMessage = u"Invalid Tone, assume Text Label";
inline constexpr QStringView InvalidBassMessage = u"Invalid Bass Tone, assume Tonic";

// The dialog's state for a label's text; an empty text is a new chord (C major).
// Text that is no chord opens as a text label, with a message unless it was
// one already.
ChordDialogState decodeLabel(const QString& label, Messages& messages);

inline constexpr QStringView InvalidToneAssumeCMessage = u"Invalid Tone, assume C ";

// How the fingering editor reads a fingering's name: it always edits a chord, so
// a name that starts with no note letter becomes a C chord of the rest (with a
// message), and everything after the first "/" is the bass. An empty name is a
// plain C without a message.
ChordDialogState decodeFingeringName(const QString& name, Messages& messages);

// The "other types" list: every chord type name and alias, and on the guitar the
// types of the fingerings for this tone and bass (global dictionary first),
// sorted, without repeats and without the types that have labels of their own.
QStringList otherChordTypes(const ChordTypeTable& types, bool guitar, int tone, int bass,
                            const QList<GuitarChordDef>& globalDefs, const QList<GuitarChordDef>& songDefs);

} // namespace lvx::music
