// The Midi Setup page: the output device and how each instrument sounds.

#include "desktopcontext.h"
#include "frmoptions.h"
#include "base/optionvalues.h"

#include "midi/chordplayer.h"
#include "midi/midistartup.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace lvx {

namespace {

// Up to three seconds of sustain and half a second between notes: wide enough
// for any chord, narrow enough that the usual values are not squeezed to one end.
constexpr int SustainSteps = 30;
constexpr int DelaySteps = 50;

QSlider* addTimeSlider(QGridLayout* layout, int row, const QString& name, const QString& caption, int steps,
                       qint16 (*toMilliseconds)(int))
{
    auto* parent = layout->parentWidget();
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setRange(0, steps);
    slider->setPageStep(steps / 10);
    auto* label = new QLabel(caption, parent);
    label->setBuddy(slider);
    auto* shown = new QLabel(parent);
    shown->setMinimumWidth(shown->fontMetrics().horizontalAdvance(u"0000 ms"_s));
    shown->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    shown->setText(QString::number(toMilliseconds(slider->value())) + u" ms"_s);
    QObject::connect(slider, &QSlider::valueChanged, shown, [shown, toMilliseconds](int value) {
        shown->setText(QString::number(toMilliseconds(value)) + u" ms"_s);
    });
    layout->addWidget(label, row, 0);
    layout->addWidget(slider, row, 1);
    layout->addWidget(shown, row, 2);
    return slider;
}

} // namespace

QWidget* frmOptions::createMidiPage()
{
    auto* page = new QWidget(this);
    auto* device = new QGroupBox(u"Midi Device "_s, page);
    cMidiDevs = new QComboBox(device);
    cMidiDevs->setObjectName(u"cMidiDevs"_s);
    auto* deviceLayout = new QVBoxLayout(device);
    deviceLayout->addWidget(cMidiDevs);

    auto* voices = new QHBoxLayout;
    voices->addWidget(createVoiceBox(u"Guitar Patch "_s, u"Guitar"_s));
    voices->addWidget(createVoiceBox(u"Piano Patch "_s, u"Piano"_s));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(device);
    layout->addLayout(voices);
    layout->addStretch();
    return page;
}

QWidget* frmOptions::createVoiceBox(const QString& title, const QString& instrument)
{
    Voice& voice = instrument == u"Guitar" ? m_guitar : m_piano;
    auto* box = new QGroupBox(title, this);
    auto* layout = new QGridLayout(box);
    voice.patch = new QComboBox(box);
    voice.patch->setObjectName(u"c"_s + instrument + u"Patch"_s);
    layout->addWidget(voice.patch, 0, 0, 1, 3);
    voice.sustain = addTimeSlider(layout, 1, u"s"_s + instrument + u"Sustain"_s, u"Sustain:"_s, SustainSteps,
                                  &sliderToSustain);
    voice.delay = addTimeSlider(layout, 2, u"s"_s + instrument + u"Delay"_s, u"Arpegio Delay"_s, DelaySteps,
                                &sliderToDelay);
    voice.test = new QPushButton(u"Test"_s, box);
    voice.test->setObjectName(u"Test"_s + instrument);
    voice.test->setAutoDefault(false);
    layout->addWidget(voice.test, 3, 2, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    connect(voice.test, &QPushButton::clicked, this, [this, instrument, &voice] { testVoice(instrument, voice); });
    return box;
}

void frmOptions::loadMidi()
{
    midi::MidiLib& midi = m_desktop.midi;
    const AppState& app = m_desktop.app;
    const bool anyDevice = midi.hasOutputDevice();
    for (QWidget* control : std::initializer_list<QWidget*>{cMidiDevs, m_guitar.patch, m_guitar.sustain,
                                                            m_guitar.delay, m_guitar.test, m_piano.patch,
                                                            m_piano.sustain, m_piano.delay, m_piano.test})
        control->setEnabled(anyDevice);

    cMidiDevs->clear();
    cMidiDevs->addItem(midi::MidiMapperName.toString());
    cMidiDevs->addItems(midi.listDevices());
    cMidiDevs->setCurrentIndex(deviceListIndex(app.midiDevice));

    const QStringList instruments = midi.instrumentNames().names();
    for (QComboBox* patch : {m_guitar.patch, m_piano.patch}) {
        patch->clear();
        patch->addItems(instruments);
    }
    m_guitar.patch->setCurrentIndex(app.guitarPatch);
    m_piano.patch->setCurrentIndex(app.pianoPatch);
    m_guitar.sustain->setValue(sustainToSlider(app.guitarSustain));
    m_guitar.delay->setValue(delayToSlider(app.guitarDelay));
    m_piano.sustain->setValue(sustainToSlider(app.pianoSustain));
    m_piano.delay->setValue(delayToSlider(app.pianoDelay));
}

qint16 frmOptions::patchShown(const Voice& voice, qint16 before) const
{
    const int index = voice.patch->currentIndex();
    return index < 0 ? before : qint16(index);
}

void frmOptions::applyMidi()
{
    AppState& app = m_desktop.app;
    const int listIndex = cMidiDevs->currentIndex();
    midi::changeMidiDevice(m_desktop.midi, listIndex < 0 ? app.midiDevice : deviceFromListIndex(listIndex));

    VoiceOptions voices;
    voices.guitarPatch = patchShown(m_guitar, app.guitarPatch);
    voices.guitarSustain = sliderToSustain(m_guitar.sustain->value());
    voices.guitarDelay = sliderToDelay(m_guitar.delay->value());
    voices.pianoPatch = patchShown(m_piano, app.pianoPatch);
    voices.pianoSustain = sliderToSustain(m_piano.sustain->value());
    voices.pianoDelay = sliderToDelay(m_piano.delay->value());
    applyVoiceOptions(app, voices);
}

void frmOptions::testVoice(const QString& instrument, const Voice& voice)
{
    const qint16 patchBefore = instrument == u"Guitar" ? m_desktop.app.guitarPatch : m_desktop.app.pianoPatch;
    const midi::PlaybackVoice shown{patchShown(voice, patchBefore), sliderToSustain(voice.sustain->value()),
                                    sliderToDelay(voice.delay->value())};
    midi::playTestChord(m_desktop.midi, instrument, shown);
}

} // namespace lvx
