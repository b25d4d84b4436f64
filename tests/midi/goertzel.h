#pragma once

#include "wavreader.h"

#include <cmath>
#include <numbers>

// The strength of one frequency in a stretch of sound (the Goertzel filter over
// a Hann window): the amplitude a sine of that frequency would have.
inline double toneAmplitude(const WavSound& sound, double frequency, qsizetype firstFrame, qsizetype frameCount)
{
    const double coefficient = 2 * std::cos(2 * std::numbers::pi * frequency / sound.sampleRate);
    double previous = 0;
    double beforePrevious = 0;
    double windowSum = 0;
    for (qsizetype index = 0; index < frameCount; ++index) {
        const qsizetype frame = firstFrame + index;
        const double window = 0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(index) / double(frameCount - 1));
        const double sample = frame >= 0 && frame < sound.frames() ? sound.mono(frame) * window : 0.0;
        windowSum += window;
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
    return 2 * std::sqrt(std::max(power, 0.0)) / windowSum;
}

// MIDI note number to frequency, A4 = 440 Hz.
inline double noteFrequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}
