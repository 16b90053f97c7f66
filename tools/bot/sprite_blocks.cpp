#include "bot/sprite_blocks.h"

#include <algorithm>

#include "sprites/locked_picture.h"
#include "sprites/sprite.h"

namespace bot {

void AddBlocks(sprites::Sprite& sprite, std::vector<platform::RECT>* out) {
    if (!sprite.frame || !sprite.frame->surface) return;
    platform::RECT box, rect;
    sprite.GetHitBox(&box);
    sprite.GetRect(&rect);
    const int left = std::max(box.left, rect.left), right = std::min(box.right, rect.right);
    const int top = std::max(box.top, rect.top), bottom = std::min(box.bottom, rect.bottom);
    if (left >= right || top >= bottom) return;
    sprites::LockedPicture picture;
    sprites::LockedPicture::Step failed;
    if (picture.Open(*sprite.frame, &failed) != 0) {
        out->push_back(platform::RECT{left, top, right, bottom});  // unreadable: the whole box
        return;
    }
    for (int y = top; y < bottom; ++y) {
        int runStart = -1;
        for (int x = left; x <= right; ++x) {
            const bool opaque = x < right && !picture.RowClear(y - rect.top, x - rect.left, x - rect.left + 1);
            if (opaque && runStart < 0) runStart = x;
            if (!opaque && runStart >= 0) {
                out->push_back(platform::RECT{runStart, y, x, y + 1});
                runStart = -1;
            }
        }
    }
}

}  // namespace bot
