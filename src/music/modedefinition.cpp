#include "modedefinition.h"

#include "chordtypetable.h"
#include "modos.h"

#include "base/text.h"

namespace lvx::music {

namespace {

const QString InvalidMainAlias = QStringLiteral("Invalid Mode Main Alias, Try Again");
const QString MissingDescription = QStringLiteral("Must input Description, Try Again");
const QString DuplicateAlias = QStringLiteral("Main Alias Duplicate, try again");

} // namespace

const QStringList& intervalCaptions()
{
    static const QStringList captions{
        QStringLiteral("1"),        QStringLiteral("1# / 2b"),  QStringLiteral("2"),        QStringLiteral("2# / 3b"),
        QStringLiteral("3"),        QStringLiteral("4"),        QStringLiteral("4# / 5b"),  QStringLiteral("5"),
        QStringLiteral("5# / 6b"),  QStringLiteral("6"),        QStringLiteral("6# / 7b"),  QStringLiteral("7"),
        QStringLiteral("8"),        QStringLiteral("8# / 9b"),  QStringLiteral("9"),        QStringLiteral("9# / 10b"),
        QStringLiteral("10"),       QStringLiteral("11"),       QStringLiteral("11# / 12b"), QStringLiteral("12"),
        QStringLiteral("12# / 13b"), QStringLiteral("13"),      QStringLiteral("13# /14b"), QStringLiteral("14"),
    };
    return captions;
}

IntervalToggles togglesOf(const Modos& mode)
{
    IntervalToggles toggles{};
    for (int slot = 0; slot < Modos::MaxIntervals; ++slot) {
        const int interval = mode.GetInv(slot);
        if (interval >= 0 && interval < IntervalToggleCount)
            toggles.at(size_t(interval)) = true;
    }
    return toggles;
}

QString checkModeDefinition(const QString& mainAlias, const QString& description, ModeEdit edit,
                            const QString& activeName, const ChordTypeTable& table)
{
    if (mainAlias.isEmpty() || mainAlias.contains(u' ') || mainAlias.contains(u':'))
        return InvalidMainAlias;
    if (trimBlanks(description).isEmpty())
        return MissingDescription;
    // Keys ignore case, so a new "M7" collides with an existing "m7".
    const bool renamed = edit == ModeEdit::New || mainAlias != activeName;
    if (renamed && table.aliasTaken(mainAlias))
        return DuplicateAlias;
    return {};
}

void storeModeDefinition(Modos& mode, const QString& mainAlias, const QString& description,
                         const IntervalToggles& toggles, const QStringList& aliases)
{
    int count = 0;
    for (int semitone = 0; semitone < IntervalToggleCount && count < Modos::MaxIntervals; ++semitone) {
        if (toggles.at(size_t(semitone)))
            mode.SetInv(count++, qint16(semitone));
    }
    mode.SetNumInv(qint16(count));
    for (int slot = count; slot < Modos::MaxIntervals; ++slot)
        mode.SetInv(slot, -1);

    mode.Nombre = mainAlias;
    mode.Descripcion = description;
    mode.SinonimosReDim(0);
    for (const QString& alias : aliases)
        mode.SinonimosAdd(alias);
}

std::optional<QString> aliasFromInput(const QString& typed)
{
    const QString alias = trimBlanks(typed);
    if (alias.isEmpty() || alias.contains(u' '))
        return std::nullopt;
    return alias;
}

QString chordTypeListLine(const Modos& mode)
{
    return mode.Descripcion + u"-(" + mode.Nombre + u')';
}

qsizetype insertChordTypeAfter(ChordTypeTable& table, qsizetype selectedIndex, const Modos& mode)
{
    const qsizetype target = qMin(qMax(selectedIndex, qsizetype(0)) + 1, table.size());
    if (!table.add(mode))
        return -1;
    // Added last, then walked up: the table keeps every other entry's key as it was.
    qsizetype index = table.size() - 1;
    while (index > target && table.moveUp(index))
        --index;
    return index;
}

QList<ChordSymbol> scaleChords(const Modos& mode)
{
    QList<ChordSymbol> chords;
    for (qint16 tone = 0; tone < 12; ++tone) {
        ChordSymbol chord;
        chord.tone = tone;
        chord.bass = tone;
        chord.toneSharp = true;
        chord.bassSharp = true;
        chord.mode = mode.Nombre;
        chords.append(chord);
    }
    return chords;
}

} // namespace lvx::music
