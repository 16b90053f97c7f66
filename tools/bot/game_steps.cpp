#include "bot/game_steps.h"

#include "bot/sprite_blocks.h"

#include <cstdio>
#include <algorithm>
#include <cstdlib>

#include "platform/win_types.h"
#include "screens/den_screen.h"
#include "screens/intro_screen.h"
#include "shell/game_app.h"
#include "sprites/background.h"
#include "sprites/sprite_group.h"
#include "sprites/sprite_world.h"
#include "world/den_band.h"
#include "world/game_services.h"
#include "world/player_dog.h"

namespace bot {
namespace {

using platform::RECT;

bool Overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

bool NewGameStep::Steer(shell::GameApp& game, Hands& hands) {
    hands.BeforeFrame();
    if (game.currentState == world::kStateDen && game.denScreen) return true;
    if (game.introScreen && ++frames_ % 25 == 0) {
        hands.Tap(game.introScreen->menuState == 1 ? platform::VK_RETURN : 'A');
    }
    return false;
}

bool DenDoorStep::Steer(shell::GameApp& game, Hands& hands, bool* failed) {
    hands.BeforeFrame();
    if (game.currentState == world::kStateLand) {
        hands.Hold(0, &game.Input());
        return true;
    }
    screens::DenScreen* den = game.denScreen.get();
    world::PlayerDog* dog = den ? den->dog : nullptr;
    if (!dog || dog->mode == world::PlayerDog::kDoor || dog->mode == world::PlayerDog::kArriving) {
        hands.Hold(0, &game.Input());
        return false;
    }
    const RECT door = den->place.rects[land_];
    if (path_.empty()) {
        std::vector<RECT> blocks, forbidden;
        for (sprites::Sprite* s = den->layer ? den->layer->First() : nullptr; s; s = s->next) {
            if (s != dog) AddBlocks(*s, &blocks);
        }
        for (int k = 0; k < world::lnd::kDenZoneCount; ++k) {
            const RECT& r = den->place.rects[k];
            if (k != land_) forbidden.push_back(RECT{r.left - 29, r.top - 16, r.right + 29, r.bottom + 24});
        }
        const sprites::Background* map = den->World() ? den->World()->background.get() : nullptr;
        const WalkGrid grid(map ? map->MapWidth() : 640, map ? map->MapHeight() : 480, blocks, forbidden);
        // Just below the door: a step up and the dog's door test touches it.
        path_ = grid.Path({dog->x, dog->y}, [&](int x, int y) {
            return x > door.left + 8 && x < door.right - 8 && !Overlap(RECT{x - 21, y - 16, x + 21, y + 8}, door) &&
                   Overlap(RECT{x - 21, y - 32, x + 21, y - 8}, door);
        });
        along_ = 0;
        if (path_.empty()) {
            *failed = true;
            return false;
        }
    }
    // As in a land: from the path point nearest the dog, a few cells on
    // (or straight back onto the path when the dog drifted off it).
    auto far = [&](size_t i) { return std::abs(path_[i].x - dog->x) + std::abs(path_[i].y - dog->y); };
    for (size_t i = along_; i < std::min(path_.size(), along_ + 12); ++i) {
        if (far(i) <= far(along_)) along_ = i;
    }
    const Point aim = path_[std::min(path_.size() - 1, along_ + (far(along_) > 8 ? 1 : 5))];
    const int dx = aim.x - dog->x, dy = aim.y - dog->y;
    int keys = 0;
    if (along_ + 1 >= path_.size() && far(along_) <= 12) {
        keys = Hands::kUp;
    } else {
        if (std::abs(dx) > 4 && std::abs(dx) * 3 > std::abs(dy)) keys |= dx > 0 ? Hands::kRight : Hands::kLeft;
        if (std::abs(dy) > 4 && std::abs(dy) * 3 > std::abs(dx)) keys |= dy > 0 ? Hands::kDown : Hands::kUp;
    }
    hands.Hold(keys, &game.Input());
    if (std::getenv("BOT_TRACE")) {
        std::fprintf(stderr, "den: dog (%d, %d) mode %d aim (%d, %d) %zu/%zu keys %d door %d,%d,%d,%d\n", dog->x, dog->y,
                     dog->mode, aim.x, aim.y, along_, path_.size(), keys, door.left, door.top, door.right, door.bottom);
    }
    return false;
}

bool MemberShown(shell::GameApp& game, int land) {
    screens::DenScreen* den = game.denScreen.get();
    if (game.currentState != world::kStateDen || !den || !den->band) return false;
    for (int m = 0; m < screens::DenScreen::kMembers; ++m) {
        if (screens::DenScreen::kMemberLand[m] == land) return den->band->State(m).shown != 0;
    }
    return false;
}

}  // namespace bot
