#pragma once

#include "modos.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace lvx::music {

// The chord types in the order the user keeps them, each under a key that is its
// main alias when it was added. Keys ignore case (an entry "m7" blocks "M7"), but
// chord names are matched exactly: "M7" is not found through "m7".
// Pointers returned here are valid until the table next changes.
class ChordTypeTable final
{
public:
    using iterator = QList<Modos>::iterator;
    using const_iterator = QList<Modos>::const_iterator;

    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    // An entry exists under this key, whatever its case.
    bool aliasTaken(const QString& alias) const;
    // Adds under mode.Nombre; false, and nothing added, when that key is taken.
    bool add(const Modos& mode);
    bool remove(const QString& key);
    void clear();

    Modos* find(const QString& key);
    const Modos* find(const QString& key) const;
    // -1 when no entry has that key.
    qsizetype indexOf(const QString& key) const;

    // The first entry in table order whose main alias or any further alias is
    // exactly this text.
    Modos* findByAlias(const QString& alias);
    const Modos* findByAlias(const QString& alias) const;

    // nullptr or empty text for an index out of range.
    Modos* at(qsizetype index);
    const Modos* at(qsizetype index) const;
    QString keyAt(qsizetype index) const;

    // Swaps an entry with its neighbour; false at the ends or out of range.
    bool moveUp(qsizetype index);
    bool moveDown(qsizetype index);

    iterator begin() { return m_entries.begin(); }
    iterator end() { return m_entries.end(); }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }

private:
    // Kept apart from the entries: renaming an entry does not change its key.
    QStringList m_keys;
    QList<Modos> m_entries;

    qsizetype aliasIndex(const QString& alias) const;
    bool swap(qsizetype index, qsizetype otherIndex);
};

} // namespace lvx::music
