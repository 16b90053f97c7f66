#pragma once
// Hooks between the parts of the platform layer (not for game code): the
// backend's event pump and wait call the movie device, the video layer hears
// about focus changes, and headless waits know the next moment that matters.
#include <cstdint>
#include <functional>
#include <optional>

struct SDL_Window;

namespace platform::internal {

// Called at the start of every event pump (PeekMessage, WaitMessage) on the
// main thread: the movie device shows its next frame and posts its
// notification from here.
int AddPumpHook(std::function<void()> hook);
void RemovePumpHook(int id);

// The next clock time at which a source wants to run (a movie frame), or none.
// A headless WaitMessage moves the manual clock on to the earliest of these,
// the next timer event and the next script event; the SDL wait uses it as its
// time-out.
int AddDeadlineSource(std::function<std::optional<uint32_t>()> source);
void RemoveDeadlineSource(int id);

// Window activation and minimisation, before the WM_ACTIVATEAPP message is
// queued (exclusive-mode surfaces are lost from this moment).
int AddActivationListener(std::function<void(bool active, bool minimized)> listener);
void RemoveActivationListener(int id);

// The SDL window of the main window, or null (headless, or no window yet).
SDL_Window* NativeWindow();

}  // namespace platform::internal
