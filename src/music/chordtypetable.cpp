#include "chordtypetable.h"

namespace lvx::music {

namespace {

bool matchesAlias(const Modos& mode, const QString& alias)
{
    if (mode.Nombre == alias)
        return true;
    for (int index = 1; index <= mode.SinonimosDim; ++index) {
        if (mode.SinonimosGet(index) == alias)
            return true;
    }
    return false;
}

} // namespace

bool ChordTypeTable::aliasTaken(const QString& alias) const
{
    return indexOf(alias) >= 0;
}

bool ChordTypeTable::add(const Modos& mode)
{
    if (aliasTaken(mode.Nombre))
        return false;
    m_keys.append(mode.Nombre);
    m_entries.append(mode);
    return true;
}

bool ChordTypeTable::remove(const QString& key)
{
    const qsizetype index = indexOf(key);
    if (index < 0)
        return false;
    m_keys.removeAt(index);
    m_entries.removeAt(index);
    return true;
}

void ChordTypeTable::clear()
{
    m_keys.clear();
    m_entries.clear();
}

Modos* ChordTypeTable::find(const QString& key)
{
    return at(indexOf(key));
}

const Modos* ChordTypeTable::find(const QString& key) const
{
    return at(indexOf(key));
}

qsizetype ChordTypeTable::indexOf(const QString& key) const
{
    for (qsizetype index = 0; index < m_keys.size(); ++index) {
        if (m_keys[index].compare(key, Qt::CaseInsensitive) == 0)
            return index;
    }
    return -1;
}

qsizetype ChordTypeTable::aliasIndex(const QString& alias) const
{
    for (qsizetype index = 0; index < m_entries.size(); ++index) {
        if (matchesAlias(m_entries[index], alias))
            return index;
    }
    return -1;
}

Modos* ChordTypeTable::findByAlias(const QString& alias)
{
    return at(aliasIndex(alias));
}

const Modos* ChordTypeTable::findByAlias(const QString& alias) const
{
    return at(aliasIndex(alias));
}

Modos* ChordTypeTable::at(qsizetype index)
{
    return index >= 0 && index < m_entries.size() ? &m_entries[index] : nullptr;
}

const Modos* ChordTypeTable::at(qsizetype index) const
{
    return index >= 0 && index < m_entries.size() ? &m_entries[index] : nullptr;
}

QString ChordTypeTable::keyAt(qsizetype index) const
{
    return index >= 0 && index < m_keys.size() ? m_keys[index] : QString();
}

bool ChordTypeTable::swap(qsizetype index, qsizetype otherIndex)
{
    const qsizetype count = m_entries.size();
    if (index < 0 || index >= count || otherIndex < 0 || otherIndex >= count)
        return false;
    m_keys.swapItemsAt(index, otherIndex);
    m_entries.swapItemsAt(index, otherIndex);
    return true;
}

bool ChordTypeTable::moveUp(qsizetype index)
{
    return swap(index, index - 1);
}

bool ChordTypeTable::moveDown(qsizetype index)
{
    return swap(index, index + 1);
}

} // namespace lvx::music
