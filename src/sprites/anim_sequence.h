#pragma once
// A list of frame numbers with an x and y offset each, and a current index.
#include <cstdint>
#include <vector>

namespace sprites {

class AnimSequence {
public:
    // Set codes and what they do.
    static constexpr int kLast = -16;      // index = last, result 3
    static constexpr int kFirst = -8;      // index = 0, result 1
    static constexpr int kPrevious = -4;   // back one, wrapping to the last
    static constexpr int kNext = -2;       // on one, wrapping; 3 when it lands on the last

    // The arrays are copied; offsets are stored as 16-bit values and read
    // back signed.
    AnimSequence(uint16_t count, const uint16_t* frameNumbers, const uint16_t* offsetsX, const uint16_t* offsetsY);
    virtual ~AnimSequence() = default;

    // Returns 3 on landing on the last entry by kLast or kNext, 1 for other
    // moves, 0 for an unknown code (or an empty sequence).
    virtual int Set(int code);
    virtual int GetIndex() const;
    // The frame number and offsets at the index; 0 (and zeros) when empty.
    virtual int Get(int16_t* frame, int16_t* dx, int16_t* dy) const;
    virtual bool IsLast() const;

    uint16_t Count() const { return count_; }

private:
    uint16_t count_;
    std::vector<uint16_t> frames_, offsetsX_, offsetsY_;
    int16_t index_ = 0;
};

}  // namespace sprites
