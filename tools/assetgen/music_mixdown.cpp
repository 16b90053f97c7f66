#include "assetgen/music_mixdown.h"

#include <algorithm>
#include <cmath>

#include "assetgen/music_instruments.h"

namespace assetgen::music {

namespace {

constexpr double kTicksPerSecond = 120.0;

void PlayNote(dsp::Signal& out, const InstrumentDef& instrument, const Note& note) {
    const std::vector<float>& s = instrument.samples;
    if (s.size() < 2) return;
    const double ratio = std::pow(2.0, double(note.pitch - instrument.root) / 12.0);
    const double gain = std::pow(10.0, instrument.gain / 20.0) * note.velocity / 127.0;
    const size_t start = size_t(note.start / kTicksPerSecond * dsp::kRate);
    const size_t held = size_t(note.length / kTicksPerSecond * dsp::kRate);
    const double release = double(instrument.release);
    double position = 0;
    for (size_t n = 0;; ++n) {
        double level = 1;
        if (n >= held) {
            if (release > 0) {
                level = 1.0 - double(n - held) / release;
                if (level <= 0) break;
            }
        } else if (instrument.loop && position >= instrument.loopEnd) {
            position -= double(instrument.loopEnd - instrument.loopStart);
        }
        if (position >= double(s.size() - 1)) break;
        const size_t i = size_t(position);
        const double frac = position - double(i);
        const double v = s[i] + (s[i + 1] - s[i]) * frac;
        if (out.size() <= start + n) out.resize(start + n + 1, 0.0f);
        out[start + n] += float(v * gain * level);
        position += ratio;
    }
}

}  // namespace

dsp::Signal Mixdown(const std::vector<Part>& parts, uint32_t ticks) {
    dsp::Signal out(size_t(ticks / kTicksPerSecond * dsp::kRate), 0.0f);
    for (const Part& part : parts)
        for (const Note& note : part.notes) {
            int program = -1;
            for (const auto& [channel, p] : part.programs)
                if (channel == note.channel) program = p;
            if (const InstrumentDef* instrument = FindInstrument(program)) PlayNote(out, *instrument, note);
        }
    return out;
}

dsp::Signal PlacedLoop(const Part& part, uint32_t loopTicks) {
    Part twice = part;
    for (const Note& n : part.notes) {
        Note again = n;
        again.start += loopTicks;
        twice.notes.push_back(again);
    }
    dsp::Signal mix = Mixdown({twice}, 2 * loopTicks);
    const size_t from = size_t(loopTicks / kTicksPerSecond * dsp::kRate);
    mix.erase(mix.begin(), mix.begin() + long(std::min(from, mix.size())));
    mix.resize(from, 0.0f);  // exactly one loop
    // A placed icon's track: -900 hundredths of a decibel, half to each side.
    const float placedGain = float(std::pow(10.0, -900 / 2000.0) * 0.5);
    for (float& v : mix) v *= placedGain;
    return mix;
}

}  // namespace assetgen::music
