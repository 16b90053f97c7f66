#include "platform/dsound.h"

#include <cstring>
#include <new>

#include "platform/dsound_card.h"
#include "platform/internal/backend.h"

namespace platform {

using dsound_detail::BufferState;
using dsound_detail::SampleMemory;

namespace {

constexpr DWORD kMinBufferBytes = 4;
constexpr DWORD kMaxBufferBytes = 0x0FFFFFFF;
// How far the write cursor runs ahead of the play cursor: about 10 ms.
constexpr DWORD kWriteLeadDivisor = 100;

bool ValidFormat(const WAVEFORMATEX& f) {
    return f.wFormatTag == WAVE_FORMAT_PCM && (f.nChannels == 1 || f.nChannels == 2) &&
           (f.wBitsPerSample == 8 || f.wBitsPerSample == 16) &&
           f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8 &&
           f.nSamplesPerSec >= DSBFREQUENCY_MIN && f.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

DWORD BufferBytes(const BufferState& s) {
    return s.primary ? sound_card::kPrimaryBytes : DWORD(s.memory->bytes.size());
}

}  // namespace

// ---- buffers -------------------------------------------------------------

IDirectSoundBuffer::IDirectSoundBuffer(IDirectSound* owner, std::shared_ptr<BufferState> state)
    : owner_(owner), state_(std::move(state)) {
    // A buffer keeps its device (and so the card) alive until it is released.
    owner_->AddRef();
    sound_card::Register(state_);
}

IDirectSoundBuffer::~IDirectSoundBuffer() {
    state_->status = 0;
    sound_card::Unregister(state_.get());
    owner_->Release();
}

ULONG IDirectSoundBuffer::AddRef() { return ++references_; }

ULONG IDirectSoundBuffer::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectSoundBuffer::GetCaps(DSBCAPS* caps) {
    if (!caps || caps->dwSize < sizeof(DSBCAPS)) return DSERR_INVALIDPARAM;
    caps->dwFlags = state_->flags | (state_->primary ? 0 : DSBCAPS_LOCSOFTWARE);
    caps->dwBufferBytes = BufferBytes(*state_);
    caps->dwUnlockTransferRate = 0;
    caps->dwPlayCpuOverhead = 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) {
    const BufferState& s = *state_;
    DWORD bytes = BufferBytes(s);
    DWORD play = 0, write = 0;
    if (!s.primary) {
        const DWORD align = s.format.nBlockAlign;
        play = DWORD((s.position.load() >> 32) * align) % bytes;
        write = play;
        if (s.status.load() & DSBSTATUS_PLAYING) {
            DWORD lead = (sound_card::OutputRate() / kWriteLeadDivisor) * align;
            write = (play + lead) % bytes;
        }
    }
    if (playCursor) *playCursor = play;
    if (writeCursor) *writeCursor = write;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFormat(WAVEFORMATEX* format, DWORD sizeAllocated, DWORD* written) {
    if (!format) {
        if (!written) return DSERR_INVALIDPARAM;
        *written = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    WAVEFORMATEX copy = state_->format;
    copy.cbSize = 0;
    DWORD n = sizeAllocated < sizeof(WAVEFORMATEX) ? sizeAllocated : DWORD(sizeof(WAVEFORMATEX));
    if (n < 16) return DSERR_INVALIDPARAM;
    std::memcpy(format, &copy, n);
    if (written) *written = n;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetVolume(LONG* volume) {
    if (!volume) return DSERR_INVALIDPARAM;
    if (!(state_->flags & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    *volume = state_->volume.load();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetPan(LONG* pan) {
    if (!pan) return DSERR_INVALIDPARAM;
    if (!(state_->flags & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    *pan = state_->pan.load();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetFrequency(DWORD* frequency) {
    if (!frequency) return DSERR_INVALIDPARAM;
    if (!(state_->flags & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
    DWORD f = state_->frequency.load();
    *frequency = f ? f : state_->format.nSamplesPerSec;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
    if (!status) return DSERR_INVALIDPARAM;
    *status = state_->status.load();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** part1, DWORD* bytes1,
                                 void** part2, DWORD* bytes2, DWORD flags) {
    if (!part1 || !bytes1) return DSERR_INVALIDPARAM;
    *part1 = nullptr;
    *bytes1 = 0;
    if (part2) *part2 = nullptr;
    if (bytes2) *bytes2 = 0;
    if (state_->primary) return DSERR_PRIOLEVELNEEDED;  // primary memory is the card's own
    SampleMemory& memory = *state_->memory;
    const DWORD size = DWORD(memory.bytes.size());
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    if (offset + bytes > size && (!part2 || !bytes2)) return DSERR_INVALIDPARAM;
    if (memory.lockedBy.load() == std::this_thread::get_id()) return DSERR_INVALIDCALL;
    memory.guard.lock();
    memory.lockedBy = std::this_thread::get_id();
    *part1 = memory.bytes.data() + offset;
    *bytes1 = std::min(bytes, size - offset);
    if (bytes > *bytes1) {
        *part2 = memory.bytes.data();
        *bytes2 = bytes - *bytes1;
    }
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* part1, DWORD bytes1, void*, DWORD) {
    if (state_->primary) return DSERR_INVALIDCALL;
    SampleMemory& memory = *state_->memory;
    uint8_t* begin = memory.bytes.data();
    uint8_t* p = static_cast<uint8_t*>(part1);
    if (!p || p < begin || p + bytes1 > begin + memory.bytes.size()) return DSERR_INVALIDPARAM;
    if (memory.lockedBy.load() != std::this_thread::get_id()) return DSERR_INVALIDCALL;
    memory.lockedBy = std::thread::id{};
    memory.guard.unlock();
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD flags) {
    DWORD status = DSBSTATUS_PLAYING | ((flags & DSBPLAY_LOOPING) ? DSBSTATUS_LOOPING : 0);
    state_->status = status;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Stop() {
    state_->status = 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetCurrentPosition(DWORD position) {
    if (state_->primary) return DSERR_INVALIDCALL;
    if (position >= BufferBytes(*state_)) return DSERR_INVALIDPARAM;
    state_->position = uint64_t(position / state_->format.nBlockAlign) << 32;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFormat(const WAVEFORMATEX* format) {
    if (!format) return DSERR_INVALIDPARAM;
    if (!state_->primary) return DSERR_INVALIDCALL;
    if (!owner_ || owner_->CooperativeLevel() < DSSCL_PRIORITY) return DSERR_PRIOLEVELNEEDED;
    if (!ValidFormat(*format)) return DSERR_BADFORMAT;
    state_->format = *format;
    state_->format.cbSize = 0;
    sound_card::SetOutputRate(format->nSamplesPerSec);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetVolume(LONG volume) {
    if (!(state_->flags & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    state_->volume = volume;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetPan(LONG pan) {
    if (!(state_->flags & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
    state_->pan = pan;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::SetFrequency(DWORD frequency) {
    if (!(state_->flags & DSBCAPS_CTRLFREQUENCY) || state_->primary) return DSERR_CONTROLUNAVAIL;
    // 0 means the format's own rate.
    if (frequency != 0 && (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX))
        return DSERR_INVALIDPARAM;
    state_->frequency = frequency;
    return DS_OK;
}

// ---- device --------------------------------------------------------------

ULONG IDirectSound::AddRef() { return ++references_; }

ULONG IDirectSound::Release() {
    ULONG left = --references_;
    if (left == 0) {
        delete this;
        sound_card::Release();
    }
    return left;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND, DWORD level) {
    if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
    level_ = level;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* description, IDirectSoundBuffer** buffer,
                                        void* outer) {
    if (!buffer) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    if (!description || description->dwSize < 20) return DSERR_INVALIDPARAM;
    if (level_ == 0) return DSERR_UNINITIALIZED;
    internal::Backend* backend = internal::CurrentBackendPtr();
    if (backend && backend->SoundBufferFails()) return DSERR_OUTOFMEMORY;
    auto state = std::make_shared<BufferState>();
    state->flags = description->dwFlags;
    if (description->dwFlags & DSBCAPS_PRIMARYBUFFER) {
        if (description->dwBufferBytes != 0 || description->lpwfxFormat) return DSERR_INVALIDPARAM;
        state->primary = true;
        state->format.wFormatTag = WAVE_FORMAT_PCM;
        state->format.nChannels = 2;
        state->format.wBitsPerSample = 16;
        state->format.nBlockAlign = 4;
        state->format.nSamplesPerSec = sound_card::OutputRate();
        state->format.nAvgBytesPerSec = state->format.nSamplesPerSec * 4;
    } else {
        const WAVEFORMATEX* format = description->lpwfxFormat;
        if (!format) return DSERR_INVALIDPARAM;
        if (!ValidFormat(*format)) return DSERR_BADFORMAT;
        DWORD bytes = description->dwBufferBytes;
        if (bytes < kMinBufferBytes || bytes > kMaxBufferBytes) return DSERR_INVALIDPARAM;
        state->format = *format;
        state->format.cbSize = 0;
        try {
            state->memory = std::make_shared<SampleMemory>(bytes);
        } catch (const std::bad_alloc&) {
            return DSERR_OUTOFMEMORY;
        }
    }
    *buffer = new IDirectSoundBuffer(this, std::move(state));
    return DS_OK;
}

HRESULT IDirectSound::DuplicateSoundBuffer(IDirectSoundBuffer* original, IDirectSoundBuffer** duplicate) {
    if (!duplicate) return DSERR_INVALIDPARAM;
    *duplicate = nullptr;
    if (!original) return DSERR_INVALIDPARAM;
    const BufferState& from = *original->State();
    if (from.primary) return DSERR_INVALIDCALL;
    auto state = std::make_shared<BufferState>();
    state->flags = from.flags;
    state->format = from.format;
    state->memory = from.memory;
    state->volume = from.volume.load();
    state->pan = from.pan.load();
    state->frequency = from.frequency.load();
    *duplicate = new IDirectSoundBuffer(this, std::move(state));
    return DS_OK;
}

HRESULT IDirectSound::GetCaps(DSCAPS* caps) {
    if (!caps) return DSERR_INVALIDPARAM;
    caps->dwFlags = 0;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    return DS_OK;
}

HRESULT DirectSoundCreate(const void*, IDirectSound** device, void* outer) {
    if (!device) return DSERR_INVALIDPARAM;
    *device = nullptr;
    if (outer) return DSERR_NOAGGREGATION;
    if (!sound_card::Acquire()) return DSERR_NODRIVER;
    *device = new IDirectSound();
    return DS_OK;
}

}  // namespace platform
