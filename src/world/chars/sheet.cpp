#include "world/chars/sheet.h"

#include <algorithm>

namespace world::chars {

std::vector<sprites::FrameRecord> MakeFrameTable(const CharacterSheet& sheet, sprites::Surface* surface) {
    std::vector<sprites::FrameRecord> table;
    table.reserve(sheet.frames.size());
    for (const SheetFrame& frame : sheet.frames) table.push_back({surface, frame.rect});
    return table;
}

std::unique_ptr<sprites::AnimSequence> MakeSequence(const SeqSteps& steps) {
    std::vector<uint16_t> frames, xs, ys;
    for (const SeqStep& s : steps) {
        frames.push_back(s.frame);
        xs.push_back(static_cast<uint16_t>(s.dx));
        ys.push_back(static_cast<uint16_t>(s.dy));
    }
    return std::make_unique<sprites::AnimSequence>(static_cast<uint16_t>(steps.size()), frames.data(), xs.data(),
                                                   ys.data());
}

std::vector<std::unique_ptr<sprites::AnimSequence>> MakeSequences(const CharacterSheet& sheet) {
    std::vector<std::unique_ptr<sprites::AnimSequence>> out;
    out.reserve(sheet.sequences.size());
    for (const SeqSteps& steps : sheet.sequences) out.push_back(MakeSequence(steps));
    return out;
}

SheetBuilder::SheetBuilder(std::string file, int sheetWidth) {
    sheet_.file = std::move(file);
    sheet_.width = sheetWidth;
    sheet_.frames.push_back({});  // frame 0: the empty rectangle
}

uint16_t SheetBuilder::Add(int w, int h, int anchorX, int anchorY, const Pose& pose) {
    if (cursorX_ > 0 && cursorX_ + w > sheet_.width) NewRow();
    const platform::RECT rect{cursorX_, cursorY_, cursorX_ + w, cursorY_ + h};
    cursorX_ += w;
    rowHeight_ = std::max(rowHeight_, h);
    return AddAt(rect, anchorX, anchorY, pose);
}

uint16_t SheetBuilder::AddAt(const platform::RECT& rect, int anchorX, int anchorY, const Pose& pose) {
    SheetFrame frame;
    frame.rect = rect;
    frame.anchorX = static_cast<int16_t>(anchorX);
    frame.anchorY = static_cast<int16_t>(anchorY);
    frame.pose = pose;
    sheet_.frames.push_back(frame);
    sheet_.height = std::max<int>(sheet_.height, rect.bottom);
    sheet_.width = std::max<int>(sheet_.width, rect.right);
    return static_cast<uint16_t>(sheet_.frames.size() - 1);
}

void SheetBuilder::NewRow() {
    cursorY_ += rowHeight_;
    cursorX_ = 0;
    rowHeight_ = 0;
}

SeqStep SheetBuilder::At(uint16_t frame, int x, int y) const {
    if (frame == 0 || frame >= sheet_.frames.size()) return {0, static_cast<int16_t>(x), static_cast<int16_t>(y)};
    const SheetFrame& f = sheet_.frames[frame];
    return {frame, static_cast<int16_t>(x - f.anchorX), static_cast<int16_t>(y - f.anchorY)};
}

int SheetBuilder::AddSequence(SeqSteps steps) {
    sheet_.sequences.push_back(std::move(steps));
    return static_cast<int>(sheet_.sequences.size()) - 1;
}

CharacterSheet SheetBuilder::Finish() {
    // Bitmap rows are padded to four bytes anyway; keep the width a multiple
    // of four so the file has no padding at all.
    sheet_.width = (sheet_.width + 3) & ~3;
    return std::move(sheet_);
}

}  // namespace world::chars
