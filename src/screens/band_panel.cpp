#include "screens/band_panel.h"

#include "platform/clock.h"
#include "platform/devices.h"
#include "screens/den_screen.h"
#include "sprites/sprite.h"
#include "sprites/sprite_group.h"
#include "world/game_services.h"

namespace screens {

namespace {

bool Held(int virtualKey) {
    return platform::GetAsyncKeyState(virtualKey) < 0;
}

}  // namespace

BandPanel::BandPanel(world::GameServices* owner, DenScreen* home) : game(owner), den(home) {}

BandPanel::Action BandPanel::ReadKeys() {
    if (Held(platform::VK_RETURN) || Held(platform::VK_SPACE) || Held(platform::VK_LBUTTON)) return Action::Close;
    // Tested in this order, the last one held wins.
    Action action = Action::None;
    if (Held(platform::VK_DOWN)) action = Action::Down;
    if (Held(platform::VK_UP)) action = Action::Up;
    if (Held(platform::VK_RIGHT)) action = Action::Right;
    if (Held(platform::VK_LEFT)) action = Action::Left;
    return action;
}

int BandPanel::Update() {
    const uint32_t now = platform::timeGetTime();
    if (now - lastKeyTime < kActionInterval) return active;
    if (!active) return Open(now);

    const Action action = ReadKeys();
    int& value = values[selected];
    switch (action) {
        case Action::Left:
            if (StepSelection(-1)) Redraw();
            break;
        case Action::Right:
            if (StepSelection(+1)) Redraw();
            break;
        case Action::Up:
            if (value >= 1) --value;
            Redraw();
            break;
        case Action::Down:
            if (value < optionCount - 1) ++value;
            Redraw();
            break;
        case Action::Close:
            Close();
            break;
        case Action::None:
            break;
    }
    if (action != Action::None) lastKeyTime = now;
    Apply();
    return active;
}

int BandPanel::Open(uint32_t now) {
    int first = -1;
    for (int k = memberCount - 1; k >= 0; --k) {
        values[k] = den->memberValues[k];
        if (values[k] != audio::kBandNotJoined) first = k;
    }
    if (first < 0) return 0;  // nobody to choose for
    selected = first;
    active = 1;
    if (den->layer) {
        den->layer->Insert(den->cloud.get());
        den->layer->Insert(den->bubble.get());
        for (auto& icon : den->icons) den->layer->Insert(icon.get());
    }
    Redraw();
    lastKeyTime = now;
    return 1;
}

void BandPanel::Close() {
    active = 0;
    if (den->layer) {
        den->layer->Unlink(den->cloud.get());
        den->layer->Unlink(den->bubble.get());
        for (auto& icon : den->icons) den->layer->Unlink(icon.get());
    }
    game->SetRedrawFrames(2);
}

bool BandPanel::StepSelection(int direction) {
    int k = selected;
    for (int step = 0; step < 10; ++step) {
        k = (k + direction + memberCount) % memberCount;
        if (values[k] != audio::kBandNotJoined) {
            selected = k;
            return true;
        }
    }
    return false;
}

void BandPanel::Apply() {
    for (int k = 0; k < memberCount; ++k) den->memberValues[k] = values[k];
    den->ShowMembers();
}

void BandPanel::Redraw() {
    const int m = selected;
    const PanelPoint cloud = kCloud[m];
    if (den->cloud) den->cloud->SetPosition(cloud.x, cloud.y);
    if (den->bubble) {
        den->bubble->frame = &den->bubbleFrames[m];
        den->bubble->SetPosition(kBubble[m].x, kBubble[m].y);
    }
    for (int j = 0; j < optionCount; ++j) {
        sprites::Sprite* icon = den->icons[j].get();
        if (!icon) continue;
        const int cell = m * DenScreen::kIconColumns + j;
        const bool lit = j == values[m];
        icon->frame = lit ? &den->litIconFrames[cell] : &den->iconFrames[cell];
        const int32_t shift = lit ? kLitShift : 0;
        icon->SetPosition(cloud.x + kIconOffset[j].x - shift, cloud.y + kIconOffset[j].y - shift);
    }
    game->SetRedrawFrames(2);
}

}  // namespace screens
