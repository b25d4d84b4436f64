#include "base/optionvalues.h"

#include "base/appstate.h"
#include "base/numbers.h"
#include "base/settings.h"

namespace lvx {

namespace {

constexpr int SustainStep = 100;
constexpr int DelayStep = 10;

int toSlider(qint16 milliseconds, int step)
{
    return int(roundHalfEven(double(milliseconds) / step));
}

void saveMidi(const QString& key, qint16 value)
{
    SaveSetting(QStringLiteral("Midi"), key, QString::number(value));
}

} // namespace

int outputChoice(bool lyricsOnly, bool chordsOnly)
{
    // Both flags set can only come from a hand-edited store, and only one
    // choice can show; applying then clears the other flag.
    if (chordsOnly)
        return 2;
    return lyricsOnly ? 1 : 0;
}

void setOutputChoice(AppState& app, int choice)
{
    app.LyricsOnly = choice == 1;
    app.ChordsOnly = choice == 2;
}

int sustainToSlider(qint16 milliseconds)
{
    return toSlider(milliseconds, SustainStep);
}

qint16 sliderToSustain(int value)
{
    return toInt16(double(value) * SustainStep);
}

int delayToSlider(qint16 milliseconds)
{
    return toSlider(milliseconds, DelayStep);
}

qint16 sliderToDelay(int value)
{
    return toInt16(double(value) * DelayStep);
}

GeneralOptions generalOptions(const AppState& app)
{
    return {outputChoice(app.LyricsOnly, app.ChordsOnly), app.lettersNotation() ? QStringLiteral("C") : QStringLiteral("Do"),
            app.instrument == u"Guitar" ? QStringLiteral("Guitar") : QStringLiteral("Piano"), app.soundingChords,
            app.WriteEverySetting};
}

void applyGeneralOptions(AppState& app, const GeneralOptions& options)
{
    const QString publicSection = QStringLiteral("Public");
    app.notation = options.notation;
    SaveSetting(publicSection, QStringLiteral("Modo Acordes"), app.notation);
    app.instrument = options.instrument;
    SaveSetting(publicSection, QStringLiteral("Instrument"), app.instrument);
    setOutputChoice(app, options.output);
    SaveSettingFlag(publicSection, QStringLiteral("LyricsOnly"), app.LyricsOnly);
    SaveSettingFlag(publicSection, QStringLiteral("ChordsOnly"), app.ChordsOnly);
    app.soundingChords = options.soundingChords;
    SaveSettingFlag(publicSection, QStringLiteral("SoundingChords"), app.soundingChords);
    app.WriteEverySetting = options.writeEverySetting;
    SaveSettingFlag(publicSection, QStringLiteral("WriteEverySetting"), app.WriteEverySetting);
}

void applyPageTemplates(AppState& app, const QString& header, const QString& footer)
{
    app.pageHeader = header;
    SaveSetting(QStringLiteral("Printer"), QStringLiteral("PageHeader"), header);
    app.pageFooter = footer;
    SaveSetting(QStringLiteral("Printer"), QStringLiteral("PageFooter"), footer);
}

VoiceOptions voiceOptions(const AppState& app)
{
    return {app.guitarPatch, app.guitarSustain, app.guitarDelay, app.pianoPatch, app.pianoSustain, app.pianoDelay};
}

void applyVoiceOptions(AppState& app, const VoiceOptions& options)
{
    app.guitarPatch = options.guitarPatch;
    saveMidi(QStringLiteral("GuitarPatch"), app.guitarPatch);
    app.guitarSustain = options.guitarSustain;
    saveMidi(QStringLiteral("GuitarSustain"), app.guitarSustain);
    app.guitarDelay = options.guitarDelay;
    saveMidi(QStringLiteral("GuitarDelay"), app.guitarDelay);
    app.pianoPatch = options.pianoPatch;
    saveMidi(QStringLiteral("PianoPatch"), app.pianoPatch);
    app.pianoSustain = options.pianoSustain;
    saveMidi(QStringLiteral("PianoSustain"), app.pianoSustain);
    app.pianoDelay = options.pianoDelay;
    saveMidi(QStringLiteral("PianoDelay"), app.pianoDelay);
}

} // namespace lvx
