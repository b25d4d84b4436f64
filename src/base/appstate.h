#pragma once

#include "base/timingcounters.h"

#include <QString>
#include <QtGlobal>

namespace lvx {

// The application-wide values start-up reads from the settings and every part
// of the program reads afterwards.
struct AppState
{
    QString notation = QStringLiteral("C");     // "C" letter names, anything else solfege
    QString instrument = QStringLiteral("Guitar");

    qint16 pianoSustain = 300;
    qint16 guitarSustain = 200;
    qint16 pianoDelay = 100;
    qint16 guitarDelay = 100;

    bool LyricsOnly = false;
    bool ChordsOnly = false;
    bool colorPrinting = false;
    // Chords shown as they sound: moved up by the song's capo. The song keeps
    // them as written, the shapes a capo player fingers.
    bool soundingChords = false;

    qint16 midiDevice = 0;
    qint16 guitarPatch = 24;
    qint16 pianoPatch = 0;
    qint32 midiHandle = 0;
    bool midiOpen = false;

    // The slot through which a file name reaches a song's load and save.
    QString CurrentFileName;
    bool PaintEnabled = true;

    // Which groups of directives the song writer emits.
    bool WriteSongText = true;
    bool WriteFormat = true;
    bool WriteModes = false;
    // Songs from other tools are saved in their own style unless this is set:
    // then every song gets the full settings header, as the program's own do.
    bool WriteEverySetting = false;

    // Page header and footer, "left|centre|right", with fields such as %{title}.
    QString pageHeader;
    QString pageFooter = defaultPageFooter();
    static QString defaultPageFooter() { return QStringLiteral("%{title} - %{subtitle}||Page %{page}"); }

    // Chord playbacks in progress; a song window does not close while one runs.
    qint16 PlayingCount = 0;

    TimingCounters timers;

    bool lettersNotation() const { return notation == u"C"; }
};

} // namespace lvx
