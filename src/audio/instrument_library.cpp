// The instrument library and the loading of instrument samples.
#include <strings.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "audio/half_rate_filter.h"
#include "audio/virtual_synth.h"
#include "audio/wave_file.h"
#include "platform/dialogs.h"
#include "platform/files.h"

namespace {

constexpr size_t kMaxLine = 254;
constexpr const char* kSeparators = ", \t\r\n";

// Splits the file into lines: a line feed ends a line, as does a 0xFF byte;
// longer lines are cut into pieces of kMaxLine characters.
std::vector<std::string> ReadLibraryLines(FILE* file) {
    std::vector<std::string> lines;
    std::string line;
    int c;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n' || c == 0xFF) {
            lines.push_back(std::move(line));
            line.clear();
            continue;
        }
        line.push_back(char(c));
        if (line.size() == kMaxLine) {
            lines.push_back(std::move(line));
            line.clear();
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

// Hands out the separated fields of a line; a missing field reads as 0.
class Fields {
public:
    explicit Fields(std::string& line) : next_(line.data()) {}
    const char* Text() {
        char* token = strtok_r(next_, kSeparators, &save_);
        next_ = nullptr;
        return token;
    }
    long Number() {
        const char* t = Text();
        return t ? std::strtol(t, nullptr, 10) : 0;
    }

private:
    char* next_;
    char* save_ = nullptr;
};

}  // namespace

Instrument* VirtualSynth::InstrumentAt(int bank, int program) {
    if (bank < 0 || bank >= kBanks || program < 0 || program >= kPrograms) return nullptr;
    return instruments_[size_t(bank * kPrograms + program)].get();
}

Instrument* VirtualSynth::PutInstrument(int bank, int program, const Instrument& instrument) {
    if (bank < 0 || bank >= kBanks || program < 0 || program >= kPrograms) return nullptr;
    auto& slot = instruments_[size_t(bank * kPrograms + program)];
    slot = std::make_unique<Instrument>(instrument);
    return slot.get();
}

WaveEntry* VirtualSynth::FindOrAddWave(const char* name) {
    if (!waves_) waves_ = std::make_unique<PtrList>();
    for (auto* w = waves_->FirstAs<WaveEntry>(); w; w = waves_->NextAs<WaveEntry>())
        if (strcasecmp(w->fileName.c_str(), name) == 0) return w;
    auto* entry = new WaveEntry;
    entry->fileName = name;
    waves_->PushBack(entry);
    return entry;
}

int VirtualSynth::LoadInstrumentLibrary(const char* path) {
    for (auto& slot : instruments_) slot.reset();
    FILE* file = platform::OpenFile(path, "rb");
    if (!file) {
        platform::MessageBox(window_, "Virtual Synthesiser creation failed", "Could not open wave library file",
                             platform::MB_OK | audio::kStopIcon);
        return 0;
    }
    std::vector<std::string> lines = ReadLibraryLines(file);
    std::fclose(file);
    for (std::string& line : lines) {
        if (line.empty() || line[0] == ';') continue;
        // A line of separators only holds nothing either.
        if (line.find_first_not_of(kSeparators) == std::string::npos) continue;
        Fields fields(line);
        int bank = int(fields.Number() & 0xFF);
        if (bank > 15) bank = 15;
        int program = int(fields.Number() & 0xFF);
        if (program > 127) program = 127;
        auto& slot = instruments_[size_t(bank * kPrograms + program)];
        if (slot) {
            platform::MessageBox(window_, "Virtual Synthesiser creation failed",
                                 "Could not parse wave library file correctly",
                                 platform::MB_OK | audio::kStopIcon);
            return 0;
        }
        slot = std::make_unique<Instrument>();
        Instrument& instrument = *slot;
        if (const char* name = fields.Text()) instrument.wave = FindOrAddWave(name);
        instrument.rootNote = uint8_t(fields.Number() & 0xFF);
        fields.Number();  // spare
        instrument.gain = int8_t(uint8_t(fields.Number() & 0xFF));
        instrument.loopStart = uint32_t(fields.Number());
        instrument.loopEnd = uint32_t(fields.Number());
        instrument.loopFlag = uint8_t(fields.Number() & 0xFF);
        instrument.release = uint32_t(fields.Number());
    }
    return 1;
}

namespace {

// Reads the samples of one WAVE file into the entry (boxes on failure).
int LoadWaveSamples(platform::HWND window, WaveEntry& entry) {
    audio::OpenedWave wave;
    if (!audio::OpenWave(window, entry.fileName.c_str(), &wave)) return 0;
    const uint32_t bytes = wave.data.cksize;
    std::unique_ptr<int16_t[]> samples(new (std::nothrow) int16_t[(size_t(bytes) + 1) / 2 + 1]);
    if (!samples) {
        platform::mmioClose(wave.file, 0);
        audio::WaveError(window, " Could not allocate memory");
        return 0;
    }
    platform::LONG got =
        platform::mmioRead(wave.file, reinterpret_cast<char*>(samples.get()), platform::LONG(bytes));
    platform::mmioClose(wave.file, 0);
    if (got < 0 || uint32_t(got) != bytes) {
        audio::WaveError(window, " Error reading WAVE data");
        return 0;
    }
    entry.format = wave.format;
    entry.samples = std::move(samples);
    entry.dataBytes = bytes;
    return 1;
}

}  // namespace

int VirtualSynth::VS_load_instrument(int bank, int program) {
    Instrument* instrument = InstrumentAt(bank, program);
    if (!waves_ || !instrument || !instrument->wave) return 0;
    WaveEntry& wave = *instrument->wave;
    if (wave.useCount > 0) {
        instrument->state = 1;
        ++wave.useCount;
        return 1;
    }
    if (!LoadWaveSamples(window_, wave)) {
        platform::MessageBox(window_, "Error whilst reading wave file.", "VS_load_instrument() Failed",
                             platform::MB_OK | audio::kStopIcon);
        return 0;
    }
    if (rateFactor_ == 2 && wave.format.wBitsPerSample == 16)
        audio::LowPassForHalfRate(wave.samples.get(), wave.dataBytes / 2);
    wave.useCount = 1;
    instrument->state = 1;
    return 1;
}

int VirtualSynth::VS_unload_instrument(int bank, int program) {
    Instrument* instrument = InstrumentAt(bank, program);
    if (!waves_ || !instrument || !instrument->wave) return 0;
    WaveEntry& wave = *instrument->wave;
    if (wave.useCount > 1) {
        --wave.useCount;
    } else if (wave.useCount == 1) {
        wave.samples.reset();
        wave.dataBytes = 0;
        wave.useCount = 0;
    }
    instrument->state = 0;
    return 1;
}

int VirtualSynth::VS_mark_instruments() {
    for (auto& slot : instruments_)
        if (slot && slot->state != 0) slot->state = 2;
    return 1;
}

int VirtualSynth::VS_sweep_instruments() {
    for (int bank = 0; bank < kBanks; ++bank)
        for (int program = 0; program < kPrograms; ++program) {
            Instrument* instrument = InstrumentAt(bank, program);
            if (instrument && instrument->state == 2) VS_unload_instrument(bank, program);
        }
    return 1;
}

void VirtualSynth::FreeWaves() {
    if (waves_) {
        while (auto* w = static_cast<WaveEntry*>(waves_->PopFront())) delete w;
        waves_.reset();
    }
    for (auto& slot : instruments_) slot.reset();
}
