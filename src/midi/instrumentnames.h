#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace lvx::midi {

inline constexpr int GeneralMidiPrograms = 128;

// The names the patch lists show, indexed by General MIDI program number.
// There is room for one name more than the standard has.
class InstrumentNames final
{
public:
    static constexpr int Capacity = GeneralMidiPrograms + 1;

    // Stores the name at the current count and counts it; a full table keeps what it has.
    void add(const QString& name);
    // Starts over and adds the 128 General MIDI names in program order.
    void fill();

    int count() const { return m_count; }
    // Empty for a program that has no name.
    QString name(int program) const;
    QStringList names() const;

private:
    std::array<QString, Capacity> m_names;
    int m_count = 0;
};

} // namespace lvx::midi
