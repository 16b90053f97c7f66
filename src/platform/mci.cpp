// The "avivideo" device of the media control interface. Open devices live in
// a process-wide table; each one runs from the main thread's event pump,
// where it shows its frames and posts its notification, and tells headless
// waits when its next frame is due.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <strings.h>
#include <string>

#include "platform/avi_player.h"
#include "platform/avi_reader.h"
#include "platform/avi_sound.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/internal/hooks.h"
#include "platform/mci.h"
#include "platform/messages.h"

namespace platform {
namespace {

constexpr size_t kMaxMovieBytes = size_t(512) << 20;

class MovieDevice {
public:
    MovieDevice(MCIDEVICEID id, avi::AviFile file) : id_(id), player_(std::move(file)) {
        pumpHook_ = internal::AddPumpHook([this] { Pump(); });
        deadlineSource_ = internal::AddDeadlineSource([this] { return player_.NextDeadline(); });
    }
    ~MovieDevice() {
        internal::RemovePumpHook(pumpHook_);
        internal::RemoveDeadlineSource(deadlineSource_);
    }
    MovieDevice(const MovieDevice&) = delete;
    MovieDevice& operator=(const MovieDevice&) = delete;

    void Play(HWND notifyWindow) {
        // A play replacing one that promised a notification supersedes it.
        EndPendingNotification(MCI_NOTIFY_SUPERSEDED);
        notifyWindow_ = notifyWindow;
        sound_.reset();
        player_.Play(timeGetTime());
        if (player_.file().hasSound)
            sound_ = avi::MovieSoundOutput::Start(player_.file().sound, player_.file().pcm);
    }
    void Stop() {
        player_.Stop();
        sound_.reset();
        EndPendingNotification(MCI_NOTIFY_ABORTED);
    }

private:
    void Pump() {
        if (player_.Update(timeGetTime())) EndPendingNotification(MCI_NOTIFY_SUCCESSFUL);
    }
    void EndPendingNotification(WPARAM code) {
        if (notifyWindow_) PostMessage(notifyWindow_, MM_MCINOTIFY, code, LPARAM(id_));
        notifyWindow_ = nullptr;
    }

    MCIDEVICEID id_;
    avi::AviPlayer player_;
    std::unique_ptr<avi::MovieSoundOutput> sound_;
    HWND notifyWindow_ = nullptr;  // set while a play with MCI_NOTIFY is outstanding
    int pumpHook_ = 0;
    int deadlineSource_ = 0;
};

std::map<MCIDEVICEID, std::unique_ptr<MovieDevice>>& Devices() {
    static std::map<MCIDEVICEID, std::unique_ptr<MovieDevice>> devices;
    return devices;
}

MCIDEVICEID LowestFreeId() {
    MCIDEVICEID id = 1;
    for (const auto& [used, device] : Devices()) {
        if (used != id) break;
        ++id;
    }
    return id;
}

bool EndsWithAvi(const std::string& name) {
    return name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".avi") == 0;
}

// Reads the whole movie file; MCIERR_FILE_NOT_FOUND when there is no such
// file, MCIERR_INVALID_FILE when it cannot be read or is absurdly large.
MCIERROR ReadMovieFile(const char* name, std::vector<uint8_t>* bytes) {
    const std::string path = ResolvePath(name);
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return MCIERR_FILE_NOT_FOUND;
    FILE* file = OpenFile(name, "rb");
    if (!file) return MCIERR_FILE_NOT_FOUND;
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    size_t got = 0;
    bool tooLarge = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (data.size() + got > kMaxMovieBytes) {
            tooLarge = true;
            break;
        }
        data.insert(data.end(), buffer, buffer + got);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || tooLarge) return MCIERR_INVALID_FILE;
    *bytes = std::move(data);
    return 0;
}

MCIERROR Open(DWORD flags, MCI_OPEN_PARMS* parms) {
    if (!parms) return MCIERR_NULL_PARAMETER_BLOCK;
    const char* element = (flags & MCI_OPEN_ELEMENT) ? parms->lpstrElementName : nullptr;
    if (flags & MCI_OPEN_TYPE) {
        const char* type = parms->lpstrDeviceType;
        if (type && strcasecmp(type, "cdaudio") == 0) return MCIERR_NO_DEVICE;
        if (!type || strcasecmp(type, "avivideo") != 0) return MCIERR_INVALID_DEVICE_NAME;
    } else if (!element || !EndsWithAvi(element)) {
        return MCIERR_INVALID_DEVICE_NAME;
    }
    // A movie device without a file has nothing to play.
    if (!element || !*element) return MCIERR_FILE_NOT_FOUND;

    std::vector<uint8_t> bytes;
    if (const MCIERROR error = ReadMovieFile(element, &bytes)) return error;
    avi::AviFile file;
    if (!avi::ParseAvi(std::move(bytes), &file, nullptr)) return MCIERR_INVALID_FILE;

    const MCIDEVICEID id = LowestFreeId();
    Devices()[id] = std::make_unique<MovieDevice>(id, std::move(file));
    parms->wDeviceID = id;
    return 0;
}

}  // namespace

MCIERROR mciSendCommand(MCIDEVICEID device, UINT command, DWORD flags, void* param) {
    if (command == MCI_OPEN) return Open(flags, static_cast<MCI_OPEN_PARMS*>(param));

    auto found = Devices().find(device);
    if (found == Devices().end()) return MCIERR_INVALID_DEVICE_ID;
    MovieDevice& movie = *found->second;
    switch (command) {
        case MCI_PLAY: {
            if (flags & MCI_WAIT) return MCIERR_UNSUPPORTED_FUNCTION;
            const auto* parms = static_cast<const MCI_PLAY_PARMS*>(param);
            if ((flags & MCI_NOTIFY) && !parms) return MCIERR_NULL_PARAMETER_BLOCK;
            // Full screen or not, PresentIndexed scales the picture to the window.
            HWND window = (flags & MCI_NOTIFY) ? reinterpret_cast<HWND>(parms->dwCallback) : nullptr;
            movie.Play(window);
            return 0;
        }
        case MCI_STOP:
            movie.Stop();
            return 0;
        case MCI_BREAK:
            // There is no key that could break into a play here: nothing to set.
            return 0;
        case MCI_CLOSE: {
            movie.Stop();
            // Released after the table lets go, so that a hook never sees a dead device.
            std::unique_ptr<MovieDevice> closing = std::move(found->second);
            Devices().erase(found);
            return 0;
        }
        default:
            return MCIERR_UNRECOGNIZED_COMMAND;
    }
}

}  // namespace platform
