#include "instrumentnames.h"

#include <QStringView>

namespace lvx::midi {

namespace {

// Spelled as the program has always shown them ("Honkytonk", "Percuss. Organ",
// "atmo - sphere"): users find their patch by these texts.
constexpr std::array<QStringView, GeneralMidiPrograms> GeneralMidiNames{
    u"Acoustic Grand Piano", u"Bright Acoustic Piano", u"Electric Grand Piano", u"Honkytonk Piano", u"Rhodes Piano",
    u"Chorus Piano", u"Harpsichord", u"Clavinet", u"Celesta", u"Glockenspiel", u"Music Box", u"Vibraphone",
    u"Marimba", u"Xylophone", u"Tubular Bells", u"Dulcimer", u"Hammond Organ", u"Percuss. Organ", u"Rock Organ",
    u"Church Organ", u"Reed Organ", u"Accordion", u"Harmonica", u"Tango Accordion", u"Acoustic Guitar (nylon)",
    u"Acoustic Guitar (steel)", u"Electric Guitar (jazz)", u"Electric Guitar (clean)", u"Electric Guitar (muted)",
    u"Overdriven Guitar", u"Distortion Guitar", u"Guitar Harmonics", u"Acoustic Bass", u"Electric Bass (finger)",
    u"Electric Bass (pick)", u"Fretless Bass", u"Slap Bass 1", u"Slap Bass 2", u"Synth Bass 1", u"Synth Bass 2",
    u"Violin", u"Viola", u"Cello", u"Contra Bass", u"Tremolo Strings", u"Pizzicato Strings", u"Orchestral Harp",
    u"Timpani", u"String Ensemble 1", u"String Ensemble 2", u"Synth Strings 1", u"Synth Strings 2", u"Choir Aahs",
    u"Voice Oohs", u"Synth Voice", u"Orchestra Hit", u"Trumpet", u"Trombone", u"Tuba", u"Muted Trumpet",
    u"French Horn", u"Brass Section", u"Synth Brass 1", u"Synth Brass 2", u"Soprano Sax", u"Alto Sax", u"Tenor Sax",
    u"Baritone Sax", u"Oboe", u"English Horn", u"Bassoon", u"Clarinet", u"Piccolo", u"Flute", u"Recorder",
    u"Pan Flute", u"Bottle Blow", u"Shaku", u"Whistle", u"Ocarina", u"Lead 1 (square)", u"Lead 2 (saw tooth)",
    u"Lead 3 (calliope lead)", u"Lead 4 (chiff lead)", u"Lead 5 (charang)", u"Lead 6 (voice)", u"Lead 7 (fifths)",
    u"Lead 8 (bass + lead)", u"Pad 1 (new age)", u"Pad 2 (warm)", u"Pad 3 (poly synth)", u"Pad 4 (choir)",
    u"Pad 5 (bowed)", u"Pad 6 (metallic)", u"Pad 7 (halo)", u"Pad 8 (sweep)", u"FX 1 (rain)", u"FX 2 (sound track)",
    u"FX 3 (crystal)", u"FX 4 (atmo - sphere)", u"FX 5 (bright)", u"FX 6 (goblins)", u"FX 7 (echoes)",
    u"FX 8 (sci-fi)", u"Sitar", u"Banjo", u"Shamisen", u"Koto", u"Kalimba", u"Bagpipe", u"Fiddle", u"Shanai",
    u"Tinkle Bell", u"Agogo", u"Steel Drums", u"Wood block", u"Taiko Drum", u"Melodic Tom", u"Synth Drum",
    u"Reverse Cymbal", u"Guitar Fret Noise", u"Breath Noise", u"Seashore", u"Bird Tweet", u"Telephone Ring",
    u"Helicopter", u"Applause", u"Gunshot"
};

} // namespace

void InstrumentNames::add(const QString& name)
{
    if (m_count >= Capacity)
        return;
    m_names[m_count] = name;
    ++m_count;
}

void InstrumentNames::fill()
{
    m_count = 0;
    for (QStringView name : GeneralMidiNames)
        add(name.toString());
}

QString InstrumentNames::name(int program) const
{
    return program >= 0 && program < m_count ? m_names[program] : QString();
}

QStringList InstrumentNames::names() const
{
    return QStringList(m_names.begin(), m_names.begin() + m_count);
}

} // namespace lvx::midi
