#pragma once

#include "music/guitarchord.h"
#include "music/modos.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <initializer_list>

namespace lvx::test {

// A chord type for a test table: up to eight intervals, its aliases and description.
inline music::Modos chordType(const QString& name, std::initializer_list<qint16> intervals = {0, 4, 7},
                              const QStringList& aliases = {}, const QString& description = {})
{
    std::array<qint16, 8> steps;
    steps.fill(-1);
    std::copy(intervals.begin(), intervals.end(), steps.begin());
    music::Modos mode;
    mode.Create(name, description, steps[0], steps[1], steps[2], steps[3], steps[4], steps[5], steps[6], steps[7]);
    for (const QString& alias : aliases)
        mode.SinonimosAdd(alias);
    return mode;
}

// A fingering as a chord line writes it: frets from string 6 down to string 1.
inline music::GuitarChordDef fingering(const QString& name, std::array<qint16, 6> low6ToHigh1, qint16 baseFret = 0)
{
    music::GuitarChordDef def;
    def.name = name;
    def.baseFret = baseFret;
    for (int string = 6; string >= 1; --string)
        def.frets.at(string) = low6ToHigh1.at(6 - string);
    return def;
}

} // namespace lvx::test
