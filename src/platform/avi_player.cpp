#include "platform/avi_player.h"

#include <algorithm>

#include "platform/video_out.h"

namespace platform::avi {
namespace {

// Milliseconds from the start at which a moment in microseconds has come.
uint32_t CeilMs(uint64_t micros) { return uint32_t((micros + 999) / 1000); }

}  // namespace

AviPlayer::AviPlayer(AviFile file) : file_(std::move(file)), decoder_(file_) {}

void AviPlayer::Play(uint32_t now) {
    decoder_.Rewind();
    start_ = now;
    playing_ = true;
    Update(now);
}

bool AviPlayer::Update(uint32_t now) {
    if (!playing_) return false;
    // Unsigned difference: correct across the 32-bit wrap of the clock.
    const uint64_t elapsed = uint64_t(uint32_t(now - start_)) * 1000;
    const bool over = elapsed >= file_.Duration();
    // A late update still leaves the last picture on the screen at the end.
    ShowFrame(std::min(file_.FrameAt(elapsed), file_.frames.size() - 1));
    if (over) playing_ = false;
    return over;
}

void AviPlayer::ShowFrame(size_t due) {
    if (decoder_.decoded() > due) return;
    // Late frames are decoded (each codes only its changes) but not shown.
    while (decoder_.decoded() <= due)
        if (!decoder_.DecodeNext()) break;  // cannot happen: every frame was checked at open
    PresentIndexed(decoder_.pixels(), file_.width, file_.height, file_.width, decoder_.palette());
}

std::optional<uint32_t> AviPlayer::NextDeadline() const {
    if (!playing_) return std::nullopt;
    return start_ + CeilMs(file_.FrameTime(decoder_.decoded()));
}

}  // namespace platform::avi
