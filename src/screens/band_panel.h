#pragma once
// The panel in which the child chooses what each band member plays: a cloud
// over the selected member with a thought bubble and seven icons (parts 0..5
// and "none"), the chosen one lit. Left and Right move between the members
// that have joined, Up and Down change the selected member's part, Enter,
// Space or a left click close the panel. One action per 200 ms, so a held
// key repeats at that pace.
#include <cstdint>

#include "audio/band_mix.h"

namespace world {
class GameServices;
}

namespace screens {

class DenScreen;

struct PanelPoint {
    int32_t x, y;
};

class BandPanel {
public:
    static constexpr int kMemberCount = audio::kBandMembers;
    static constexpr int kOptionCount = audio::kBandParts + 1;
    static constexpr uint32_t kActionInterval = 200;  // ms between two actions
    // Where the cloud and the bubble of each member go on the screen.
    static constexpr PanelPoint kCloud[kMemberCount] = {{60, 109},  {114, 79}, {185, 65},
                                                         {218, 55}, {337, 77}, {360, 104}};
    static constexpr PanelPoint kBubble[kMemberCount] = {{140, 248}, {200, 221}, {239, 188},
                                                          {302, 200}, {395, 220}, {441, 258}};
    // Each option's icon from the cloud's corner; a lit icon sits 5 pixels
    // up and left of its place.
    static constexpr PanelPoint kIconOffset[kOptionCount] = {{34, 10}, {65, 30}, {102, 48}, {25, 62},
                                                              {56, 82}, {93, 100}, {130, 118}};
    static constexpr int32_t kLitShift = 5;

    BandPanel(world::GameServices* game, DenScreen* den);

    // One tick of the open panel; returns the new panel-open flag (0 once it
    // closed, or at once when no member has joined).
    int Update();
    // Puts the cloud, the bubble and the icons over the selected member.
    void Redraw();

    world::GameServices* game;
    DenScreen* den;
    int memberCount = kMemberCount;
    int optionCount = kOptionCount;
    int selected = 0;
    int values[kMemberCount] = {-1, -1, -1, -1, -1, -1};
    int active = 0;
    uint32_t lastKeyTime = 0;

private:
    enum class Action { None, Close, Left, Right, Up, Down };
    static Action ReadKeys();
    int Open(uint32_t now);
    void Close();
    // Steps the selection to the next joined member, down (-1) or up (+1);
    // false when none was found within ten steps.
    bool StepSelection(int direction);
    // The den's member values and the band's shown and playing flags follow
    // the working copy.
    void Apply();
};

}  // namespace screens
