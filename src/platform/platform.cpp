// Installs and removes the one backend of the process.
#include "platform/platform.h"

#include <atomic>
#include <cstdio>

#include "platform/desktop_settings.h"
#include "platform/internal/core.h"
#include "platform/internal/headless_backend.h"
#include "platform/internal/hook_registry.h"
#include "platform/internal/sdl_backend.h"

namespace platform {

namespace {
// Owned here; the atomic copy lets the timer thread read it without a race.
std::unique_ptr<internal::Backend> g_backend;
std::atomic<internal::Backend*> g_current{nullptr};
std::string g_settingsPath;  // main thread only, with the backend
}  // namespace

namespace internal {
Backend* CurrentBackendPtr() { return g_current.load(std::memory_order_acquire); }
}  // namespace internal

int Startup(const PlatformOptions& options) {
    if (g_backend) return 0;  // one backend per process at a time
    internal::ResetCore();
    internal::ClearHooks();
    internal::Core& core = internal::GetCore();
    g_settingsPath = options.settingsPath;
    if (!g_settingsPath.empty()) LoadDesktopSettings(g_settingsPath, &core.desktop);
    if (options.fullscreen >= 0) core.desktop.fullscreen = options.fullscreen != 0;
    core.noSound = options.noSound;
    std::unique_ptr<internal::Backend> backend;
    if (options.kind == BackendKind::Headless) {
        backend = std::make_unique<internal::HeadlessBackend>(options.headlessAutoAdvanceMs);
    } else {
        backend = internal::CreateSdlBackend();
        if (!backend) return 0;
    }
    g_backend = std::move(backend);
    g_current.store(g_backend.get(), std::memory_order_release);
    return 1;
}

void Shutdown() {
    if (!g_backend) return;
    internal::Core& core = internal::GetCore();
    if (!g_settingsPath.empty() && !SaveDesktopSettings(g_settingsPath, core.desktop))
        std::fprintf(stderr, "platform: the window settings could not be written to %s\n", g_settingsPath.c_str());
    g_settingsPath.clear();
    if (core.window) {
        g_backend->ReleaseInstanceLock();
        g_backend->DestroyNativeWindow(*core.window);
    }
    core.postTarget.store(nullptr);
    core.window.reset();
    g_current.store(nullptr, std::memory_order_release);
    g_backend.reset();  // stops the timer thread before anything else goes
    internal::ClearHooks();
    internal::ResetCore();
}

bool IsStarted() { return g_current.load() != nullptr; }

BackendKind CurrentBackend() {
    internal::Backend* backend = internal::CurrentBackendPtr();
    return backend ? backend->Kind() : BackendKind::Sdl;
}

ScopedHeadless::ScopedHeadless(unsigned autoAdvanceMs) {
    Shutdown();  // a test that failed half-way may have left one running
    PlatformOptions options;
    options.kind = BackendKind::Headless;
    options.headlessAutoAdvanceMs = autoAdvanceMs;
    if (!Startup(options)) std::fprintf(stderr, "platform: headless start-up failed\n");
}

ScopedHeadless::~ScopedHeadless() { Shutdown(); }

}  // namespace platform
