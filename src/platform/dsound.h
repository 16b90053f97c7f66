#pragma once
// The sound-buffer interface the audio code talks to: one device object,
// a primary buffer that carries the output format, and secondary buffers
// (a looping mix buffer, static effect buffers and their duplicates) that the
// software sound card (platform/dsound_card.h) mixes into the output.
// Result codes, flags and units are those of the classic sound-buffer API:
// volumes in hundredths of a decibel (-10000..0), pans -10000..10000.
#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/win_types.h"

namespace platform {

using HRESULT = int32_t;
using ULONG = uint32_t;

constexpr HRESULT HresultOf(uint32_t code) { return static_cast<HRESULT>(code); }
constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_UNSUPPORTED = HresultOf(0x80004001u);
constexpr HRESULT DSERR_GENERIC = HresultOf(0x80004005u);
constexpr HRESULT DSERR_NOAGGREGATION = HresultOf(0x80040110u);
constexpr HRESULT DSERR_OUTOFMEMORY = HresultOf(0x8007000Eu);
constexpr HRESULT DSERR_INVALIDPARAM = HresultOf(0x80070057u);
constexpr HRESULT DSERR_ALLOCATED = HresultOf(0x8878000Au);
constexpr HRESULT DSERR_CONTROLUNAVAIL = HresultOf(0x8878001Eu);
constexpr HRESULT DSERR_INVALIDCALL = HresultOf(0x88780032u);
constexpr HRESULT DSERR_PRIOLEVELNEEDED = HresultOf(0x88780046u);
constexpr HRESULT DSERR_BADFORMAT = HresultOf(0x88780064u);
constexpr HRESULT DSERR_NODRIVER = HresultOf(0x88780078u);
constexpr HRESULT DSERR_ALREADYINITIALIZED = HresultOf(0x88780082u);
constexpr HRESULT DSERR_BUFFERLOST = HresultOf(0x88780096u);
constexpr HRESULT DSERR_OTHERAPPHASPRIO = HresultOf(0x887800A0u);
constexpr HRESULT DSERR_UNINITIALIZED = HresultOf(0x887800AAu);

constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSSCL_EXCLUSIVE = 3;
constexpr DWORD DSSCL_WRITEPRIMARY = 4;

constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_LOCHARDWARE = 0x00000004;
constexpr DWORD DSBCAPS_LOCSOFTWARE = 0x00000008;
constexpr DWORD DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr DWORD DSBCAPS_CTRLPAN = 0x00000040;
constexpr DWORD DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr DWORD DSBCAPS_CTRLDEFAULT = 0x000000E0;

constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr DWORD DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr DWORD DSBSTATUS_LOOPING = 0x00000004;
constexpr DWORD DSBLOCK_ENTIREBUFFER = 0x00000002;

constexpr LONG DSBVOLUME_MIN = -10000;
constexpr LONG DSBVOLUME_MAX = 0;
constexpr LONG DSBPAN_LEFT = -10000;
constexpr LONG DSBPAN_RIGHT = 10000;
constexpr DWORD DSBFREQUENCY_MIN = 100;
constexpr DWORD DSBFREQUENCY_MAX = 100000;

constexpr WORD WAVE_FORMAT_PCM = 1;

#pragma pack(push, 1)
struct WAVEFORMATEX {
    WORD wFormatTag = 0;
    WORD nChannels = 0;
    DWORD nSamplesPerSec = 0;
    DWORD nAvgBytesPerSec = 0;
    WORD nBlockAlign = 0;
    WORD wBitsPerSample = 0;
    WORD cbSize = 0;
};
#pragma pack(pop)
static_assert(sizeof(WAVEFORMATEX) == 18);

struct DSBUFFERDESC {
    DWORD dwSize = 20;
    DWORD dwFlags = 0;
    DWORD dwBufferBytes = 0;
    DWORD dwReserved = 0;
    const WAVEFORMATEX* lpwfxFormat = nullptr;
};

struct DSBCAPS {
    DWORD dwSize = 20;
    DWORD dwFlags = 0;
    DWORD dwBufferBytes = 0;
    DWORD dwUnlockTransferRate = 0;
    DWORD dwPlayCpuOverhead = 0;
};

struct DSCAPS {
    DWORD dwSize = 0;
    DWORD dwFlags = 0;
    DWORD dwMinSecondarySampleRate = 0;
    DWORD dwMaxSecondarySampleRate = 0;
};

namespace dsound_detail {
struct BufferState;
}

class IDirectSound;

// A sound buffer. Reference-counted: Release frees it when the count reaches
// 0 and returns the count left. Cursors and status are atomic, so any thread
// may read them while the sound card plays the buffer.
class IDirectSoundBuffer {
public:
    ULONG AddRef();
    ULONG Release();

    HRESULT GetCaps(DSBCAPS* caps);
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor);
    // With format null, *written receives the size of the format record.
    HRESULT GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* written);
    HRESULT GetVolume(LONG* volume);
    HRESULT GetPan(LONG* pan);
    HRESULT GetFrequency(DWORD* frequency);
    HRESULT GetStatus(DWORD* status);
    // Locks bytes from offset; a region that runs past the end of the buffer
    // wraps and comes back as a second part. Until Unlock the sound card
    // waits for this buffer's memory instead of reading it half written.
    HRESULT Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1, void** part2,
                 DWORD* bytes2, DWORD flags);
    HRESULT Unlock(void* part1, DWORD bytes1, void* part2, DWORD bytes2);
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    HRESULT Stop();
    HRESULT SetCurrentPosition(DWORD position);
    HRESULT SetFormat(const WAVEFORMATEX* format);
    HRESULT SetVolume(LONG volume);
    HRESULT SetPan(LONG pan);
    HRESULT SetFrequency(DWORD frequency);

    // For the sound card and tests.
    const std::shared_ptr<dsound_detail::BufferState>& State() const { return state_; }

private:
    friend class IDirectSound;
    IDirectSoundBuffer(IDirectSound* owner, std::shared_ptr<dsound_detail::BufferState> state);
    ~IDirectSoundBuffer();

    IDirectSound* owner_;
    std::shared_ptr<dsound_detail::BufferState> state_;
    std::atomic<ULONG> references_{1};
};

// The device. Reference-counted like the buffers; every buffer holds a
// reference, so buffers keep working after their creator released the device,
// and the card closes when the device and all its buffers are gone.
class IDirectSound {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer,
                              void* outer);
    // Shares the original's sample memory; own cursor, volume, pan, frequency.
    HRESULT DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate);
    HRESULT GetCaps(DSCAPS* caps);

    DWORD CooperativeLevel() const { return level_; }

private:
    friend HRESULT DirectSoundCreate(const void* guid, IDirectSound** device, void* outer);
    IDirectSound() = default;
    ~IDirectSound() = default;

    std::atomic<ULONG> references_{1};
    DWORD level_ = 0;
};

// Opens the default output (the sound card starts on first use; see
// dsound_card.h). Fails with DSERR_NODRIVER only when the platform is not
// started; a machine without a usable audio device gets the virtual card.
HRESULT DirectSoundCreate(const void* guid, IDirectSound** device, void* outer);

}  // namespace platform
