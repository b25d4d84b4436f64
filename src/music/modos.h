#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

namespace lvx::music {

// One chord type: the text after the tonic (m7, sus4, ...) with its other
// spellings and its notes as semitones above the tonic (the tonic itself is 0).
// Indexes out of range are ignored on writing and read as -1 or empty text.
class Modos final
{
public:
    QString Nombre;         // main alias, the key in the chord type table
    QString Descripcion;
    qint16 SinonimosDim = 0; // number of further aliases

    static constexpr int IntervalSlots = 9; // 0..8; only 0..7 are ever filled
    static constexpr int MaxIntervals = 8;

    // Further aliases, counted from 1.
    void SinonimosAdd(const QString& alias);
    QString SinonimosGet(int index) const;
    void SinonimosSet(int index, const QString& alias);
    // Keeps the aliases that still fit; new ones are empty.
    void SinonimosReDim(int count);

    // Intervals -1 mark empty slots and do not count. The aliases are cleared.
    void Create(const QString& Name, const QString& Desc, qint16 i0, qint16 i1, qint16 i2, qint16 i3, qint16 i4,
                qint16 i5, qint16 i6, qint16 i7);

    qint16 GetInv(int index) const;
    void SetInv(int index, qint16 val);
    qint16 GetNumInv() const;
    void SetNumInv(qint16 count);

    // The hand-over to and from the chord type editor: the name, description,
    // interval count, slots 0..7 and the aliases, in that order.
    void SetToActive(Modos& active) const;
    void GetFromActive(const Modos& active);

    bool operator==(const Modos& other) const = default;

private:
    QStringList m_sinonimos; // alias n at index n - 1
    std::array<qint16, IntervalSlots> m_intervals{-1, -1, -1, -1, -1, -1, -1, -1, -1};
    qint16 m_numInv = 0;

    bool hasAlias(int index) const;
};

} // namespace lvx::music
