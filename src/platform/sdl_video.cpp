#include <algorithm>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/internal/core.h"
#include "platform/internal/picture_rect.h"
#include "platform/internal/sdl_parts.h"

namespace platform::internal {

namespace {
constexpr auto kFramePeriod = std::chrono::microseconds(16667);
// Presents that return sooner than this after the previous one did not wait
// for the display; this many in a row switch the frame limiter on.
constexpr auto kUnpacedInterval = std::chrono::milliseconds(3);
constexpr int kUnpacedLimit = 30;

// Drivers without a screen have nothing to pace against.
bool DriverHasScreen() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return !(driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0));
}
}  // namespace

bool SdlPresenter::EnsureRenderer(SDL_Window* window) {
    if (renderer_) return true;
    if (failed_ || !window) return false;
    renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
        std::fprintf(stderr, "platform: no renderer for the window: %s\n", SDL_GetError());
        failed_ = true;
        return false;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    driverHasScreen_ = DriverHasScreen();
    vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) && driverHasScreen_;
    pace_ = !(info.flags & SDL_RENDERER_PRESENTVSYNC) && driverHasScreen_;
    fastPresents_ = 0;
    return true;
}

void SdlPresenter::Release() {
    scaler_.Release();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    texture_ = nullptr;
    renderer_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    outputWidth_ = outputHeight_ = 0;
    pending_ = false;
    failed_ = false;
}

bool SdlPresenter::EnsureTexture(int width, int height) {
    if (texture_ && textureWidth_ == width && textureHeight_ == height) return true;
    if (texture_) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (!texture_) {
        std::fprintf(stderr, "platform: cannot make a %dx%d texture: %s\n", width, height, SDL_GetError());
        textureWidth_ = textureHeight_ = 0;
        return false;
    }
    SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
    textureWidth_ = width;
    textureHeight_ = height;
    return true;
}

void SdlPresenter::Present(SDL_Window* window, const uint32_t* pixels, int width, int height,
                           const RECT& changed, bool everyStep) {
    if (!EnsureRenderer(window)) return;
    const bool fresh = !texture_ || textureWidth_ != width || textureHeight_ != height;
    if (!EnsureTexture(width, height)) return;
    // A new texture holds nothing yet: all of it is uploaded.
    const RECT area = fresh ? RECT{0, 0, width, height} : changed;
    if (area.left < area.right && area.top < area.bottom) {
        const SDL_Rect rect{int(area.left), int(area.top), int(area.right - area.left), int(area.bottom - area.top)};
        SDL_UpdateTexture(texture_, &rect, pixels + size_t(area.top) * size_t(width) + size_t(area.left), width * 4);
        pending_ = true;
    }
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    if (outW != outputWidth_ || outH != outputHeight_) pending_ = true;  // a resized window is drawn anew
    if (everyStep) pending_ = true;
    if (!pending_) return;  // the screen already shows this picture
    // Presents that wait for the display come at most once a refresh; one
    // asked for sooner leaves its picture for the next refresh.
    const bool waits = vsync_ || pace_;
    if (!everyStep && waits && std::chrono::steady_clock::now() - lastShown_ < kFramePeriod) return;
    Show();
}

void SdlPresenter::ShowPending() {
    if (!pending_ || !renderer_ || !texture_) return;
    if ((vsync_ || pace_) && std::chrono::steady_clock::now() - lastShown_ < kFramePeriod) return;
    Show();
}

void SdlPresenter::Show() {
    const int width = textureWidth_, height = textureHeight_;
    int outW = 0, outH = 0;
    SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    outputWidth_ = outW;
    outputHeight_ = outH;
    const PictureRect rect = FitPicture(outW, outH, width, height, GetCore().desktop.wholeSteps);
    dest_ = SDL_Rect{rect.x, rect.y, rect.width, rect.height};
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    scaler_.Draw(renderer_, texture_, width, height, dest_);

    if (pace_) {
        const auto now = std::chrono::steady_clock::now();
        if (nextFrame_ > now) std::this_thread::sleep_until(nextFrame_);
        nextFrame_ = std::max(now, nextFrame_) + kFramePeriod;
    }
    SDL_RenderPresent(renderer_);
    pending_ = false;

    // Some renderers claim to wait for the vertical blank and do not (the
    // software one, hidden windows): measure, and fall back to the limiter.
    const auto presented = std::chrono::steady_clock::now();
    if (!pace_ && driverHasScreen_) {
        fastPresents_ = presented - lastPresent_ < kUnpacedInterval ? fastPresents_ + 1 : 0;
        if (fastPresents_ >= kUnpacedLimit) {
            pace_ = true;
            vsync_ = false;
        }
    }
    lastPresent_ = presented;
    lastShown_ = presented;
}

POINT SdlPresenter::ToPicture(int x, int y) const {
    if (dest_.w <= 0 || dest_.h <= 0 || textureWidth_ <= 0) return POINT{x, y};
    // Window and renderer output sizes differ on high-density screens.
    int winW = 0, winH = 0, outW = 0, outH = 0;
    SDL_Window* window = renderer_ ? SDL_RenderGetWindow(renderer_) : nullptr;
    if (window) SDL_GetWindowSize(window, &winW, &winH);
    if (renderer_) SDL_GetRendererOutputSize(renderer_, &outW, &outH);
    if (winW > 0 && winH > 0 && outW > 0 && outH > 0) {
        x = x * outW / winW;
        y = y * outH / winH;
    }
    return POINT{(x - dest_.x) * textureWidth_ / dest_.w, (y - dest_.y) * textureHeight_ / dest_.h};
}

}  // namespace platform::internal
