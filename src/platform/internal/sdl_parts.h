#pragma once
// The pieces of the SDL backend that have a job of their own: key mapping,
// presenting, joystick 0 and message boxes.
#include <SDL.h>

#include <chrono>

#include "platform/devices.h"
#include "platform/win_types.h"

namespace platform::internal {

// The virtual key of an SDL key, or 0 for keys the game never sees.
int VirtualKeyFromSdl(SDL_Keycode key);
// The position of an SDL game-controller button.
PadButton PadButtonFromSdl(Uint8 button);

// Draws a picture texture enlarged into a destination rectangle, sharply:
// a whole-factor nearest-neighbour enlargement, then a smooth final step.
class SharpScaler {
public:
    SharpScaler() = default;
    ~SharpScaler() { Release(); }
    SharpScaler(const SharpScaler&) = delete;
    SharpScaler& operator=(const SharpScaler&) = delete;

    void Draw(SDL_Renderer* renderer, SDL_Texture* picture, int width, int height, const SDL_Rect& dest);
    // Before the renderer goes away.
    void Release();

private:
    bool Prepare(SDL_Renderer* renderer, int width, int height);
    SDL_Texture* enlarged_ = nullptr;
    int enlargedWidth_ = 0, enlargedHeight_ = 0;
};

// Shows 0x00RRGGBB pictures in the window: a streaming texture, as large as
// the window holds at the picture's shape (or at a whole multiple in
// whole-step mode), centred with black bars, and paced to about 60 Hz when
// the renderer cannot wait for the vertical blank.
class SdlPresenter {
public:
    SdlPresenter() = default;
    ~SdlPresenter() { Release(); }
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // Uploads the changed rectangle and shows the picture, or leaves it for
    // the next refresh when the last one was shown less than a refresh ago
    // (never for everyStep presents), so a burst of presents blocks at most
    // one refresh in all.
    void Present(SDL_Window* window, const uint32_t* pixels, int width, int height, const RECT& changed,
                 bool everyStep);
    // Shows a picture left for the next refresh once that refresh is due.
    void ShowPending();
    // The window lost its contents (uncovered): show the picture again.
    void Redraw() { pending_ = texture_ != nullptr; }
    void Release();
    // A point in window coordinates in the last picture's coordinates.
    POINT ToPicture(int x, int y) const;

private:
    bool EnsureRenderer(SDL_Window* window);
    bool EnsureTexture(int width, int height);
    void Show();

    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    int textureWidth_ = 0, textureHeight_ = 0;
    bool failed_ = false;
    bool pace_ = false;
    bool driverHasScreen_ = false;
    int fastPresents_ = 0;
    SDL_Rect dest_{0, 0, 0, 0};
    SharpScaler scaler_;
    std::chrono::steady_clock::time_point nextFrame_{};
    std::chrono::steady_clock::time_point lastPresent_{};
    std::chrono::steady_clock::time_point lastShown_{};
    bool vsync_ = false;
    bool pending_ = false;
    int outputWidth_ = 0, outputHeight_ = 0;
};

// The first device: a game controller when one is plugged in (its events
// feed the shared controller state, gamepad.h), else a plain joystick read
// here directly.
class SdlJoystick {
public:
    SdlJoystick() = default;
    ~SdlJoystick() { Close(); }
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Opens the first device (a game controller if it is one) unless the
    // open one is still attached; called on every plug and unplug. Tells the
    // shared controller state when a controller came or went.
    void Refresh();
    void Close();
    // The open controller's instance id, or -1.
    SDL_JoystickID PadId() const { return pad_ ? padId_ : -1; }
    // The plain joystick; JOYERR_UNPLUGGED without one.
    MMRESULT Read(DWORD* x, DWORD* y, DWORD* buttons);

private:
    SDL_GameController* pad_ = nullptr;
    SDL_JoystickID padId_ = -1;
    SDL_Joystick* stick_ = nullptr;
};

// Returns IDOK or IDCANCEL; when no box can be shown, the text goes to
// standard error and the answer is Cancel for OK/Cancel boxes, else OK.
int ShowSdlMessageBox(SDL_Window* parent, const char* text, const char* caption, UINT flags);

}  // namespace platform::internal
