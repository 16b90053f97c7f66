#include "sprites/anim_sequence.h"

namespace sprites {

AnimSequence::AnimSequence(uint16_t count, const uint16_t* frameNumbers, const uint16_t* offsetsX,
                           const uint16_t* offsetsY)
    // The index is 16-bit signed, so longer sequences are cut.
    : count_(frameNumbers ? (count > 32767 ? uint16_t{32767} : count) : uint16_t{0}),
      frames_(frameNumbers, frameNumbers ? frameNumbers + count_ : frameNumbers),
      offsetsX_(count_, 0),
      offsetsY_(count_, 0) {
    for (uint16_t i = 0; i < count_; ++i) {
        if (offsetsX) offsetsX_[i] = offsetsX[i];
        if (offsetsY) offsetsY_[i] = offsetsY[i];
    }
}

int AnimSequence::Set(int code) {
    if (count_ == 0) return 0;
    const int last = count_ - 1;
    switch (code) {
        case kLast:
            index_ = static_cast<int16_t>(last);
            return 3;
        case kFirst:
            index_ = 0;
            return 1;
        case kPrevious:
            index_ = static_cast<int16_t>(index_ <= 0 ? last : index_ - 1);
            return 1;
        case kNext:
            index_ = static_cast<int16_t>(index_ >= last ? 0 : index_ + 1);
            return index_ == last ? 3 : 1;
        default:
            if (code >= 0 && code < count_) {
                index_ = static_cast<int16_t>(code);
                return 1;
            }
            return 0;
    }
}

int AnimSequence::GetIndex() const { return index_; }

int AnimSequence::Get(int16_t* frame, int16_t* dx, int16_t* dy) const {
    const bool valid = index_ >= 0 && index_ < count_;
    if (frame) *frame = valid ? static_cast<int16_t>(frames_[index_]) : 0;
    if (dx) *dx = valid ? static_cast<int16_t>(offsetsX_[index_]) : 0;
    if (dy) *dy = valid ? static_cast<int16_t>(offsetsY_[index_]) : 0;
    return valid ? 1 : 0;
}

bool AnimSequence::IsLast() const { return count_ > 0 && index_ == count_ - 1; }

}  // namespace sprites
