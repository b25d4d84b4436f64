#include "modos.h"

#include <limits>

namespace lvx::music {

bool Modos::hasAlias(int index) const
{
    return index >= 1 && index <= SinonimosDim && index <= m_sinonimos.size();
}

void Modos::SinonimosAdd(const QString& alias)
{
    if (SinonimosDim >= std::numeric_limits<qint16>::max())
        return;
    SinonimosReDim(SinonimosDim + 1);
    SinonimosSet(SinonimosDim, alias);
}

QString Modos::SinonimosGet(int index) const
{
    return hasAlias(index) ? m_sinonimos.at(index - 1) : QString();
}

void Modos::SinonimosSet(int index, const QString& alias)
{
    if (hasAlias(index))
        m_sinonimos[index - 1] = alias;
}

void Modos::SinonimosReDim(int count)
{
    if (count < 0 || count > std::numeric_limits<qint16>::max())
        return;
    m_sinonimos.resize(count);
    SinonimosDim = qint16(count);
}

void Modos::Create(const QString& Name, const QString& Desc, qint16 i0, qint16 i1, qint16 i2, qint16 i3, qint16 i4,
                   qint16 i5, qint16 i6, qint16 i7)
{
    Nombre = Name;
    Descripcion = Desc;
    const std::array<qint16, MaxIntervals> intervals{i0, i1, i2, i3, i4, i5, i6, i7};
    m_numInv = 0;
    for (int index = 0; index < MaxIntervals; ++index) {
        m_intervals[index] = intervals[index];
        if (intervals[index] != -1)
            ++m_numInv;
    }
    SinonimosReDim(0);
}

qint16 Modos::GetInv(int index) const
{
    return index >= 0 && index < IntervalSlots ? m_intervals[index] : qint16(-1);
}

void Modos::SetInv(int index, qint16 val)
{
    if (index >= 0 && index < IntervalSlots)
        m_intervals[index] = val;
}

qint16 Modos::GetNumInv() const
{
    return m_numInv;
}

void Modos::SetNumInv(qint16 count)
{
    m_numInv = count;
}

void Modos::SetToActive(Modos& active) const
{
    active.Nombre = Nombre;
    active.Descripcion = Descripcion;
    active.SetNumInv(GetNumInv());
    for (int index = 0; index < MaxIntervals; ++index)
        active.SetInv(index, GetInv(index));
    active.SinonimosReDim(SinonimosDim);
    for (int index = 1; index <= SinonimosDim; ++index)
        active.SinonimosSet(index, SinonimosGet(index));
}

void Modos::GetFromActive(const Modos& active)
{
    active.SetToActive(*this);
}

} // namespace lvx::music
