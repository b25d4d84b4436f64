#pragma once

#include <QString>
#include <QtGlobal>

namespace lvx {

struct AppState;

// What printing puts on paper: 0 lyrics and chords, 1 lyrics only, 2 chords only.
int outputChoice(bool lyricsOnly, bool chordsOnly);
void setOutputChoice(AppState& app, int choice);

// The timing sliders move in whole steps: 100 ms of sustain, 10 ms of delay.
// A stored time between steps shows at the nearest step, halves to even.
int sustainToSlider(qint16 milliseconds);
qint16 sliderToSustain(int value);
int delayToSlider(qint16 milliseconds);
qint16 sliderToDelay(int value);

// The device list shows the mapper (-1) first, then devices 0..n-1.
inline int deviceListIndex(qint16 device)
{
    return device + 1;
}
inline qint16 deviceFromListIndex(int index)
{
    return qint16(index - 1);
}

// Notation, instrument, print output, the chords shown as they sound and how songs
// are saved, as the options show them.
struct GeneralOptions
{
    int output = 0;
    QString notation;
    QString instrument;
    bool soundingChords = false;
    bool writeEverySetting = false;

    friend bool operator==(const GeneralOptions&, const GeneralOptions&) = default;
};

GeneralOptions generalOptions(const AppState& app);
// Takes the values and saves them under "Public": "Modo Acordes", "Instrument",
// then "LyricsOnly", "ChordsOnly", "SoundingChords" and "WriteEverySetting" as "true" or "false".
void applyGeneralOptions(AppState& app, const GeneralOptions& options);

// How the guitar and the piano sound: General MIDI program, note length and
// the time between successive notes, in milliseconds.
struct VoiceOptions
{
    qint16 guitarPatch = 0;
    qint16 guitarSustain = 0;
    qint16 guitarDelay = 0;
    qint16 pianoPatch = 0;
    qint16 pianoSustain = 0;
    qint16 pianoDelay = 0;

    friend bool operator==(const VoiceOptions&, const VoiceOptions&) = default;
};

// The page header and footer templates, saved under "Printer".
void applyPageTemplates(AppState& app, const QString& header, const QString& footer);

VoiceOptions voiceOptions(const AppState& app);
// Takes the values and saves them under "Midi", the guitar's three first.
void applyVoiceOptions(AppState& app, const VoiceOptions& options);

} // namespace lvx
