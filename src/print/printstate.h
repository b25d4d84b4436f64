#pragma once

#include "base/appstate.h"
#include "music/chordsymbol.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace lvx::print {

// A chord the song uses, and whether it gets a diagram.
struct UsedChord
{
    music::ChordSymbol chord;
    bool print = false;
};

// Diagram measures for the size in force (twips, points for the font sizes).
struct DiagramSize
{
    int baseWidth = 800;     // BW; half as wide again for the piano
    int baseHeight = 450;    // BH
    int nameSize = 8;        // NS
    int fretSize = 6;        // LS
    int cellWidth = 1050;    // DiagramWidth
    int cellHeight = 850;    // DiagramHeight
};

// A chord name as a print reads it: the chord, and how it prints.
struct NamedChord
{
    music::ChordSymbol chord;
    QString text;
    int song = 0;   // the last song it was met in (PrintState::ChordNamesSong)
};

// The page layout state of the print or preview in progress.
struct PrintState
{
    // The chord names read so far in this print, in the notation they were
    // printed in: a book repeats the same few hundred names from song to song.
    QHash<QString, NamedChord> ChordNames;
    QString ChordNamesNotation;
    int ChordNamesSong = 0;   // songs read so far in this print

    // The song turned into markup, and the chords it uses.
    QStringList MarkupLines;
    QList<UsedChord> UsedChords;
    QString PrintTitle;
    QString PrintSubTitle;
    // What the page header and footer say, "left|centre|right" with fields.
    QString HeaderTemplate;
    QString FooterTemplate = AppState::defaultPageFooter();

    double TextLeft = 0;
    double TextTop = 0;
    double TextBottom = 0;
    double TextRight = 0;
    bool FirstColumn = true;
    bool TwoColumns = false;
    double LastLineFeed = 0;
    bool SectionOpen = false;
    double MaxLineHeight = 0;
    bool CenterLine = false;
    bool NewPageRequested = false;
    bool ColumnBreakRequested = false;
    int BaseFontSize = 0;
    double ScriptShift = 0;

    // Font scale of the target: 1 / 1.0 on paper, the preview's zoom otherwise.
    qint32 ScaleNum = 1;
    double ScaleDen = 1.0;
    bool ToPaper = false;
    bool ToPreview = false;
    int PreviewPage = 1;

    int NextChordIndex = 0;   // 0-based index of the first chord not drawn yet
    DiagramSize diagram;
    bool ColorPrinting = false;

    // A font size for the target: the reference size scaled to the preview.
    double scaled(double size) const { return double(int(size * ScaleNum / ScaleDen)); }
};

} // namespace lvx::print
