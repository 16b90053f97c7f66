// Sharp enlarging: the picture is first enlarged by a whole factor with
// nearest-neighbour sampling into a target texture, which is then smoothed
// down to the destination. Pixels stay square and crisp at any window size;
// only the one-pixel seams between them are blended.
#include <algorithm>

#include "platform/internal/picture_rect.h"
#include "platform/internal/sdl_parts.h"

namespace platform::internal {

namespace {
// Keeps the intermediate texture within what every renderer accepts.
constexpr int kLargestTexture = 4096;
}  // namespace

void SharpScaler::Release() {
    if (enlarged_) SDL_DestroyTexture(enlarged_);
    enlarged_ = nullptr;
    enlargedWidth_ = enlargedHeight_ = 0;
}

void SharpScaler::Draw(SDL_Renderer* renderer, SDL_Texture* picture, int width, int height, const SDL_Rect& dest) {
    const PictureRect rect{dest.x, dest.y, dest.w, dest.h};
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer, &info);
    const int textureLimit = std::min(kLargestTexture, info.max_texture_width > 0 ? info.max_texture_width : kLargestTexture);
    const int factor = PreScaleFactor(rect, width, height, textureLimit / std::max(width, height));
    const bool exact = dest.w == width * factor && dest.h == height * factor;
    // A whole multiple (or a shrink) needs no smoothing; so does a renderer
    // that cannot draw into textures.
    if (exact || dest.w < width || !SDL_RenderTargetSupported(renderer) || !Prepare(renderer, width * factor, height * factor)) {
        SDL_RenderCopy(renderer, picture, nullptr, &dest);
        return;
    }
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_SetRenderTarget(renderer, enlarged_);
    SDL_RenderCopy(renderer, picture, nullptr, nullptr);
    SDL_SetRenderTarget(renderer, previous);
    SDL_RenderCopy(renderer, enlarged_, nullptr, &dest);
}

bool SharpScaler::Prepare(SDL_Renderer* renderer, int width, int height) {
    if (enlarged_ && enlargedWidth_ == width && enlargedHeight_ == height) return true;
    Release();
    enlarged_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_TARGET, width, height);
    if (!enlarged_) return false;
    SDL_SetTextureScaleMode(enlarged_, SDL_ScaleModeLinear);
    enlargedWidth_ = width;
    enlargedHeight_ = height;
    return true;
}

}  // namespace platform::internal
