#include "world/chars/poses.h"

#include <cmath>

namespace world::chars {

ScreenOffset ProjectLocal(int facing, double f, double s, double h) {
    const double turn = (facing & 7) * 3.14159265358979323846 / 4.0;
    // Forward for facing up is away from the viewer; right is screen right.
    const double x = f * std::sin(turn) + s * std::cos(turn);
    const double y = f * std::cos(turn) - s * std::sin(turn);
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(-(y * kViewSin + h * kViewCos)))};
}

}  // namespace world::chars
