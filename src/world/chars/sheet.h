#pragma once
// A character sheet as program data: where every frame lies on the bitmap,
// the pose it shows, and the animation sequences over those frames. The game
// builds its FrameRecords and AnimSequences from these tables, and the
// content generator draws each frame into exactly the rectangle given here,
// so a table and its picture cannot disagree.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "sprites/anim_sequence.h"
#include "sprites/frame_record.h"

namespace world::chars {

// How a frame is drawn. The game never reads it; the generator does.
struct Pose {
    uint8_t figure = 0;   // which body or prop (each sheet's own numbering)
    uint8_t facing = 4;   // 0 up, clockwise in eighths: 2 right, 4 towards the viewer
    uint8_t action = 0;   // stance or gesture (each figure's own numbering)
    int8_t phase = 0;     // step of the action's cycle, 0..15
    int8_t head = 0;      // head turn in eighths, -2..2 (positive: clockwise)
    int8_t tail = 0;      // tail wag, -2..2
    int8_t bob = 0;       // body raised by this many pixels
    uint8_t variant = 0;  // small details: open mouth, closed eyes, colours
};

struct SheetFrame {
    platform::RECT rect;          // on the sheet; right and bottom exclusive
    int16_t anchorX = 0;          // the point the character stands on,
    int16_t anchorY = 0;          // relative to the rectangle's top-left
    Pose pose;
    int Width() const { return rect.right - rect.left; }
    int Height() const { return rect.bottom - rect.top; }
};

struct SeqStep {
    uint16_t frame = 0;
    int16_t dx = 0, dy = 0;
    friend bool operator==(const SeqStep&, const SeqStep&) = default;
};
using SeqSteps = std::vector<SeqStep>;

struct CharacterSheet {
    std::string file;                 // as the game names it, ".\Graphics\..."
    int width = 0, height = 0;        // of the bitmap
    std::vector<SheetFrame> frames;   // frames[0] is the empty rectangle
    std::vector<SeqSteps> sequences;

    int FrameCount() const { return static_cast<int>(frames.size()) - 1; }
};

// The frame table of a sheet over a loaded surface (count + 1 records).
std::vector<sprites::FrameRecord> MakeFrameTable(const CharacterSheet& sheet, sprites::Surface* surface);
// One sequence object per table entry, each at index 0.
std::unique_ptr<sprites::AnimSequence> MakeSequence(const SeqSteps& steps);
std::vector<std::unique_ptr<sprites::AnimSequence>> MakeSequences(const CharacterSheet& sheet);

// Lays frames out on a sheet in rows (left to right, top to bottom, a new
// row when the next frame would pass the sheet width) and records poses.
class SheetBuilder {
public:
    SheetBuilder(std::string file, int sheetWidth);

    // Adds a frame of w x h whose standing point is (anchorX, anchorY) inside
    // it; returns its frame number.
    uint16_t Add(int w, int h, int anchorX, int anchorY, const Pose& pose);
    // Adds a frame at a given rectangle (grids whose cells are fixed).
    uint16_t AddAt(const platform::RECT& rect, int anchorX, int anchorY, const Pose& pose);
    // Ends the current row so the next frame starts a new one.
    void NewRow();

    // A step showing frame with its standing point at (x, y) from the
    // character's position.
    SeqStep At(uint16_t frame, int x = 0, int y = 0) const;
    // Appends a sequence; returns its index.
    int AddSequence(SeqSteps steps);
    int FrameCount() const { return static_cast<int>(sheet_.frames.size()) - 1; }

    CharacterSheet Finish();

private:
    CharacterSheet sheet_;
    int cursorX_ = 0, cursorY_ = 0, rowHeight_ = 0;
};

// Starts a character's sequence pair from its table: the main sequence and
// its overlay (an index outside the table selects none) both go to their
// first step.
inline void StartSequencePair(const std::vector<std::unique_ptr<sprites::AnimSequence>>& sequences, int16_t main,
                              int16_t overlay, sprites::AnimSequence** first, sprites::AnimSequence** second) {
    auto pick = [&sequences](int16_t index) -> sprites::AnimSequence* {
        return index >= 0 && static_cast<size_t>(index) < sequences.size() ? sequences[index].get() : nullptr;
    };
    *first = pick(main);
    *second = pick(overlay);
    if (*first) (*first)->Set(sprites::AnimSequence::kFirst);
    if (*second) (*second)->Set(sprites::AnimSequence::kFirst);
}

}  // namespace world::chars
