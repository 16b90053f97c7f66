#pragma once
// The software sound card under the sound buffers: it mixes every playing
// secondary buffer from its play cursor into signed 16-bit stereo output,
// resampling for each buffer's frequency, applying the buffer's volume and pan
// and the system mixer's master and wave volumes (platform/mmmixer.h), and
// saturating the sum. On a desktop it feeds an SDL audio device; headless (or
// when no device opens) it is a virtual card that consumes frames as time
// passes - the manual clock's, so tests run deterministic and faster than
// real time - and can capture what it played.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/dsound.h"

namespace platform::dsound_detail {

// Sample memory, shared by a buffer and its duplicates. Lock/Unlock hold
// `guard`, and the card holds it while it reads, so the two never overlap.
struct SampleMemory {
    explicit SampleMemory(size_t size) : bytes(size, 0) {}
    std::vector<uint8_t> bytes;
    std::mutex guard;
    std::atomic<std::thread::id> lockedBy{};
};

struct BufferState {
    DWORD flags = 0;
    bool primary = false;
    WAVEFORMATEX format{};                 // fixed at creation for secondaries
    std::shared_ptr<SampleMemory> memory;  // null for the primary buffer
    // Play position in frames, 32.32 fixed point (the fraction is the
    // resampler's phase).
    std::atomic<uint64_t> position{0};
    std::atomic<DWORD> status{0};
    std::atomic<LONG> volume{0};
    std::atomic<LONG> pan{0};
    std::atomic<DWORD> frequency{0};

    DWORD FrameCount() const {
        return format.nBlockAlign ? DWORD(memory ? memory->bytes.size() / format.nBlockAlign : 0) : 0;
    }
};

}  // namespace platform::dsound_detail

namespace platform::sound_card {

constexpr DWORD kDefaultRate = 22050;
// What the primary buffer reports as its size: typical of the sound cards
// the game was made for (32 segments of 128 frames at 16-bit stereo).
constexpr DWORD kPrimaryBytes = 16384;

// Reference-counted use of the card by devices and buffers: the first use
// opens it, the last release closes it. Return 1 / 0 (platform not started).
int Acquire();
void Release();
bool IsOpen();
// True when output goes to the virtual card rather than an audio device.
bool IsVirtual();

// The primary buffer's format sets the output rate (the device is reopened).
void SetOutputRate(DWORD rate);
DWORD OutputRate();

void Register(const std::shared_ptr<dsound_detail::BufferState>& buffer);
void Unregister(const dsound_detail::BufferState* buffer);

// Mixes `frames` output frames (interleaved left/right) from every playing
// buffer and advances their cursors. The device callback and the virtual card
// call this; tests and benchmarks may call it directly.
void Mix(int16_t* out, size_t frames);

// The game's output stage (platform/output_dynamics.h) on everything the card
// plays, before the system mixer's volumes; off, the card outputs the plain
// saturated sum. Off until the game switches it on.
void UseOutputStage(bool on);
bool OutputStageOn();

// Capture of everything the card outputs from now on (device or virtual).
void StartCapture();
// Stops capturing and returns the frames captured (interleaved stereo).
std::vector<int16_t> StopCapture();
// Writes captured frames as a 16-bit stereo WAVE file at the output rate.
int WriteCaptureWave(const std::string& path, const std::vector<int16_t>& frames, DWORD rate);

}  // namespace platform::sound_card
