#include "solfege.h"

#include "notetables.h"

#include "base/text.h"

namespace lvx::music {

namespace {

// A syllable is found where its first two letters occur at an odd position of
// this text; "sol" is the one syllable of three letters.
constexpr QStringView Syllables = u"doremifasolasi";
constexpr QStringView SyllableLetters = u"CDEFGAB";
constexpr qsizetype SolPosition = 9;

// The letter spelling of one side of the slash, or empty when it does not start
// with a syllable. Whatever follows the syllable is kept as written.
QString partToLetters(QStringView part)
{
    // An empty text would be "found" at the very start and read as Do.
    if (part.isEmpty())
        return {};
    const qsizetype position = Syllables.indexOf(lowerChars(part.left(2))) + 1;
    if (position % 2 == 0)
        return {};
    const qsizetype syllableLength = position == SolPosition ? 3 : 2;
    return SyllableLetters[(position - 1) / 2] + part.mid(syllableLength).toString();
}

} // namespace

QString solfegeChordToLetters(const QString& name)
{
    const qsizetype slashIndex = name.indexOf(u'/');
    const QStringView chord = slashIndex < 0 ? QStringView(name) : QStringView(name).left(slashIndex);
    const QStringView bass = slashIndex < 0 ? QStringView() : QStringView(name).mid(slashIndex + 1);

    QString result = partToLetters(chord);
    if (result.isEmpty())
        return {};
    const QString bassLetters = partToLetters(bass);
    if (!bassLetters.isEmpty())
        result += QChar(u'/') + bassLetters;
    return result;
}

QString SolfegeToLetters(const QString& name, const QString& notation)
{
    return isLetterNotation(notation) ? name : solfegeChordToLetters(name);
}

} // namespace lvx::music
