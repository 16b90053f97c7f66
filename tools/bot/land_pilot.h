#pragma once
// A child at the keyboard in one land. Each frame it looks at the live land
// screen (the place's map and sprites, what a player sees) and the notes the
// game plays (what a player hears), and holds the keys towards the next
// point of a path searched over the place's blocking sprites, its doors and
// its holes. It carries icons to the sub-rooms, learning from the icons a
// room refuses which room takes which kind; fetches the keys the pedestals
// reveal and puts them in the lock; and, when asked to finish the land,
// matches each key's note to the one the member hums and pulls the lever.
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "bot/ear.h"
#include "bot/hands.h"
#include "bot/walk_grid.h"
#include "platform/win_types.h"

namespace land {
class LandScreen;
}
namespace world {
class PlayerDog;
}
class LandSprite;

namespace bot {

struct LandTally {
    int iconsCarried = 0;  // put down in a sub-room
    int iconsPlaced = 0;
    int wrongDrops = 0;    // refused by the room and floated home
    int keysInserted = 0;
    int lockAttempts = 0;  // lever pulls
    double distance = 0;   // pixels walked
};

class LandPilot {
public:
    // finish: open the lock once the land has nothing left to carry; without
    // it the pilot only carries icons (the title demos).
    LandPilot(Hands* hands, bool finish) : hands_(hands), finish_(finish) {}

    // Called before every frame of the game while the land screen runs.
    void Steer(land::LandScreen& screen);

    const LandTally& Tally() const { return tally_; }
    // Why the land cannot be finished; empty while there is hope.
    const std::string& GaveUp() const { return gaveUp_; }

private:
    enum class Walk { Walking, Arrived, Stuck };
    enum class Act {
        None,
        WalkTo,      // path_ then `then_`
        PickUp,      // pressing fire until the target is in the mouth
        PushDoor,    // into the door ahead (door_)
        IntoHole,    // up into hole hole_
        PutDown,     // pressing fire until the mouth is empty
        Settle,      // watching what the room did with the drop
        PressLock,   // pressing fire on a lock control
        Nudge,       // up towards the target until it is within reach
        BackOff,     // down a few steps, away from whatever wedges the dog
    };
    static constexpr uint32_t kFrameMs = 40;  // the frame period the pilot is steered at

    void OpenLand(land::LandScreen& screen);
    void InSubRoom(land::LandScreen& screen);
    void InLockRoom(land::LandScreen& screen);
    void Solve(land::LandScreen& screen);
    void Listen(land::LandScreen& screen);

    // The icon kinds (sets) a room is still worth trying with.
    std::vector<int> RoomsFor(int iconIndex, int doorCount) const;
    bool WorkLeft(land::LandScreen& screen) const;
    bool ChooseIcon(land::LandScreen& screen);
    // Of `icons`, the one with the shortest walk to it and on to a room that
    // may take it; none when no walk reaches any.
    LandSprite* CheapestTrip(land::LandScreen& screen, const std::vector<LandSprite*>& icons) const;
    // A walk to where goal holds, through one hole when the way is cut.
    bool PlanTo(land::LandScreen& screen, int openDoor, const std::function<bool(int, int)>& goal, Act then);
    bool PlanOnce(land::LandScreen& screen, int openDoor, const std::function<bool(int, int)>& goal, Act then);
    bool PlanToDoor(land::LandScreen& screen, int door);
    WalkGrid GridOf(land::LandScreen& screen, int openDoor) const;
    Walk Follow(land::LandScreen& screen);
    // The keys to hold instead of `keys` while the dog is held in place.
    int Slide(const world::PlayerDog& dog, int keys);
    void Start(Act act, int patience);
    // One line on stderr per change of act (and every 50 frames) when
    // BOT_TRACE is set.
    void Trace(const land::LandScreen& screen);
    // The pilot keeps its own time by the frames it has seen: reading the
    // game's clock would move a headless clock on and change the game.
    uint32_t Now() const { return frames_ * kFrameMs; }
    void GiveUp(const std::string& reason) {
        if (gaveUp_.empty()) gaveUp_ = reason;
    }

    Hands* hands_;
    bool finish_;
    uint32_t frames_ = 0;
    bool tight_ = false;  // the grid of the moment keeps no margin from doors
    LandTally tally_;
    std::string gaveUp_;
    const void* input_ = nullptr;

    Act act_ = Act::None, then_ = Act::None;
    int patience_ = 0, waitFrames_ = 0, stuckFrames_ = 0, replans_ = 0;
    std::vector<Point> path_;
    std::optional<WalkGrid> pathGrid_;  // the grid path_ was planned on
    size_t along_ = 0, bestAlong_ = 0;
    int prevX_ = 0, prevY_ = 0;
    int frameX_ = 0, frameY_ = 0, heldKeys_ = 0, blockedFrames_ = 0, slideFrames_ = 0, slideKeys_ = 0, slideFrom_ = 0;
    bool hadDog_ = false;
    LandSprite* target_ = nullptr;
    int door_ = -1, hole_ = -1, control_ = 0;
    int pushDir_ = 0;

    // What the refused and accepted drops taught.
    int roomOfSet_[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
    int setOfRoom_[3] = {-1, -1, -1};
    int refused_[8] = {};                    // bit r: room r refused the set
    std::vector<std::pair<int, std::pair<Point, Point>>> learnedSteps_;  // (room or -1, step) where walks stuck
    std::vector<const LandSprite*> triedIcons_;  // one entry per failed walk
    std::set<const LandSprite*> hopeless_;   // no room takes it

    // The lock, as heard and seen.
    Ear ear_;
    std::vector<HeardNote> hum_;             // the last hummed run of notes
    int32_t combination_[3] = {};
    bool knowCombination_ = false;
    int32_t slotNote_[3] = {};
    bool slotHeard_[3] = {};
    uint32_t lastPress_ = 0;
    int checkWait_ = 0, humWait_ = 0;
    Act tracedAct_ = Act::None;
    int tracedFrames_ = 0;
};

}  // namespace bot
