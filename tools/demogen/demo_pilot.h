#pragma once
// The child at the keyboard while a demo is recorded: walks the dog to an
// icon that one of the land's sub-rooms takes, picks it up, carries it
// through that room's door, puts it down by the pedestal, walks out again
// and goes for the next icon. Each frame it looks at the live land screen
// and holds the arrow keys towards the next point of a path searched over
// the place's blocking sprites.
#include <set>
#include <vector>

#include "demogen/walk_grid.h"

namespace land {
class LandScreen;
}
namespace world {
struct InputState;
}
class LandSprite;

namespace demogen {

class DemoPilot {
public:
    // Called before every frame of the game.
    void Steer(land::LandScreen& screen, int difficulty);

    int IconsPickedUp() const { return pickedUp_; }
    int IconsDelivered() const { return delivered_; }

private:
    // What the child is about; each step waits for the game to show it done.
    enum class Goal { ChooseIcon, ToIcon, PickUp, ToDoor, IntoRoom, ToPedestal, PutDown, ToExit, OutOfRoom };
    enum class Walk { Walking, Arrived, Stuck };
    static constexpr int kExitDoor = 99;  // GridOf: in a room, its exit may be walked into

    // Holds exactly these direction bits (1 up, 2 down, 4 right, 8 left).
    void Hold(int keys);
    // Presses the fire key for a few frames.
    void PressFire();
    // One line on stderr per change of goal (and every 50 frames) when
    // DEMOGEN_TRACE is set.
    void Trace(const land::LandScreen& screen);
    // Keys towards the path a few cells ahead of the dog.
    Walk Follow(land::LandScreen& screen);
    void SetPath(std::vector<Point> path);
    // The nearest icon (by the walk) that one of the sub-rooms would take.
    bool ChooseIcon(land::LandScreen& screen, int difficulty);
    bool PlanToDoor(land::LandScreen& screen);
    // In a sub-room: to the front of the pedestal, or to just before the exit.
    bool PlanInRoom(land::LandScreen& screen, bool toExit);
    // The place on show: its sprites block, its doors (but `openDoor`) and
    // holes are forbidden.
    WalkGrid GridOf(land::LandScreen& screen, int openDoor) const;
    void Wait(int frames) { waitFrames_ = frames; }

    Goal goal_ = Goal::ChooseIcon;
    std::vector<Point> path_;
    size_t along_ = 0;
    int held_ = 0, fireDown_ = 0, waitFrames_ = 0, patience_ = 0, stuckFrames_ = 0;
    int lastX_ = 0, lastY_ = 0;  // where the dog last made headway
    const world::InputState* input_ = nullptr;
    LandSprite* target_ = nullptr;
    int door_ = -1;  // the sub-room that takes the target
    std::set<const LandSprite*> tried_;  // picked up already, or out of reach
    int pickedUp_ = 0, delivered_ = 0;
    Goal tracedGoal_ = Goal::OutOfRoom;
    int tracedFrames_ = 0;
};

}  // namespace demogen
