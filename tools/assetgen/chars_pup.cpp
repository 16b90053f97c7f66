// The pup: a round tan body, big head with a pale muzzle, floppy orange
// ears, four short legs and a waggy tail.
#include <cmath>

#include "assetgen/chars_figures.h"
#include "world/chars/poses.h"
#include "world/palette_plan.h"

namespace assetgen::chars {
namespace {

using namespace world::chars;
using world::palette_plan::Common;
using world::palette_plan::kOutline;

constexpr double kPi = 3.14159265358979323846;
// A mango-orange coat with cream muzzle, belly and paws and dark brown ears:
// strong enough to stand out on sandy paths and green or dark ground alike.
constexpr Ramp kFurRamp = Ramp::Orange;
constexpr Ramp kPaleRamp = Ramp::Fur;
constexpr Ramp kEarRamp = Ramp::Brown;

// The head around its centre, turned by yaw (radians) and tipped by pitch.
void Head(Figure& f, Vec3 c, double yaw, double pitch, uint8_t face, double earLift = 0) {
    auto at = [&](double fw, double rt, double up) {
        // Turn about the up axis, then tip forward/back.
        const double x1 = fw * std::cos(pitch) - up * std::sin(pitch), z1 = fw * std::sin(pitch) + up * std::cos(pitch);
        return Vec3{c.x + x1 * std::cos(yaw) - rt * std::sin(yaw), c.y + x1 * std::sin(yaw) + rt * std::cos(yaw),
                    c.z + z1};
    };
    Blob head{c, {7, 7.5, 6.5}, pitch, yaw, 0, kFurRamp, 1, 6, 0};
    f.Add(head);
    Blob muzzle{at(5.5, 0, -2), {4.6, 3.8, 3.2}, pitch, yaw, 0, kPaleRamp, 4, 7, 0};
    f.Add(muzzle);
    f.Add({at(9.6, 0, -0.8), {1.6, 2.1, 1.5}, 0, yaw, 0, Ramp::Grey, 0, 0, kOutline});
    const bool closed = face & kEyesClosed, half = face & kEyesHalf;
    for (int side = -1; side <= 1; side += 2) {
        const double lid = closed ? 0.45 : half ? 0.9 : 1.8;
        f.Add({at(5.2, 3.0 * side, 2.2), {1.5, 1.7, lid * 1.25}, pitch, yaw, 0, Ramp::Grey, 0, 0, kOutline});
        if (!closed && !half) f.Add({at(6.7, 3.0 * side - 0.4, 3.0), {0.8, 0.8, 0.8}, 0, 0, 0, Ramp::Grey, 7, 7, Common(Ramp::Grey, 7)});
        // Floppy ears hang from the top of the head.
        Blob ear{at(-1, 6.2 * side, 1.5 + earLift), {2.6, 1.8, 5.2}, pitch, yaw, -0.35 * side - earLift * 0.12 * side,
                 kEarRamp, 1, 4, 0};
        f.Add(ear);
    }
    if (face & kMouthOpen) {
        f.Add({at(4.5, 0, -5), {3.4, 3, 1.4}, pitch, yaw, 0, Ramp::Red, 0, 1, 0});
        if (face & kTongue) f.Add({at(6, 0, -6.2), {2.6, 2, 1.2}, pitch - 0.3, yaw, 0, Ramp::Pink, 3, 6, 0});
    } else if (face & kTongue) {
        f.Add({at(7.5, 0, -4.6), {2.2, 1.8, 1.4}, pitch - 0.4, yaw, 0, Ramp::Pink, 3, 6, 0});
    }
}

void Leg(Figure& f, Vec3 hip, Vec3 foot) {
    f.Limb(hip, foot, 2.5, kFurRamp, 1, 5);
    f.Add({{foot.x + 1, foot.y, foot.z + 0.3}, {3, 2.4, 1.6}, 0, 0, 0, kPaleRamp, 5, 7, 0});
}

void Tail(Figure& f, Vec3 root, double wag, double up = 7) {
    f.Limb(root, {root.x - 4, root.y + wag * 3, root.z + up}, 1.7, kFurRamp, 1, 5);
}

// Standing and walking: phase 0..8 is one stride of a trot.
void Standing(Figure& f, const Pose& p, double lean) {
    const bool walking = p.action == kActWalk;
    const double phi = 2 * kPi * p.phase / 9.0;
    const double swing = walking ? 5 * std::sin(phi) : 0;
    const double lift = walking ? 2.2 * std::max(0.0, std::cos(phi)) : 0;
    const double lift2 = walking ? 2.2 * std::max(0.0, -std::cos(phi)) : 0;
    const double bob = walking ? std::fabs(std::sin(phi)) * 1.2 : 0;
    const double z = 12 + bob + p.bob;
    const double roll = p.action == kActShake ? 0.35 * p.head : 0;
    f.Add({{0, 0, z}, {10, 6.5, 6.5}, lean, 0, roll, kFurRamp, 1, 5, 0});
    f.Add({{6.5, 0, z + 2}, {6, 6.2, 6.8}, lean, 0, roll, kFurRamp, 1, 5, 0});
    f.Add({{-1, 0, z - 3.5}, {7, 4.5, 3}, lean, 0, 0, kPaleRamp, 5, 7, 0});  // pale belly
    // A red collar: a spot of strong colour that finds the pup on any ground.
    f.Add({{8, 0, z + 5.5}, {3.4, 7, 2}, lean, 0, roll, Ramp::Red, 2, 5, 0});
    const double front = p.action == kActStop ? 4 : 0, hind = p.action == kActStop ? 3 : 0;
    Leg(f, {7, -4.2, z - 3}, {7 + swing + front, -4.2, 1.3 + lift});
    Leg(f, {7, 4.2, z - 3}, {7 - swing + front, 4.2, 1.3 + lift2});
    Leg(f, {-7, -4.2, z - 3}, {-7 - swing + hind, -4.2, 1.3 + lift2});
    Leg(f, {-7, 4.2, z - 3}, {-7 + swing + hind, 4.2, 1.3 + lift});
    Tail(f, {-9.5, 0, z + 2}, p.tail);
    const double yaw = p.action == kActShake ? 0 : p.head * kPi / 8;
    const double pitch = p.action == kActStop ? 0.25 : (p.variant & kMouthOpen) ? 0.2 * (1 + p.phase) : 0;
    Head(f, {12, 0, z + 10}, yaw, pitch, p.variant, p.action == kActShake ? 3 : 0);
}

void Sitting(Figure& f, const Pose& p) {
    const double z = p.bob;
    f.Add({{-2, 0, 11 + z}, {8, 6.5, 7.5}, 0.75, 0, 0, kFurRamp, 1, 5, 0});
    f.Add({{3, 0, 17 + z}, {5.5, 6, 7}, 0.6, 0, 0, kFurRamp, 1, 5, 0});
    for (int s = -1; s <= 1; s += 2) {
        f.Add({{-3, 6.0 * s, 6 + z}, {6, 2.8, 4.5}, 0, 0, 0, kFurRamp, 1, 5, 0});        // haunch
        f.Add({{3, 5.0 * s, 1.3}, {3.5, 2.4, 1.6}, 0, 0, 0, kPaleRamp, 5, 7, 0});         // hind paw
        Leg(f, {5, 3.6 * s, 14 + z}, {6.5, 3.6 * s, 1.3});
    }
    Tail(f, {-8, 0, 4}, p.tail, 1);
    const double pitch = (p.variant & kMouthOpen) ? 0.15 + 0.15 * p.phase : 0;
    Head(f, {5, 0, 28 + z}, p.head * kPi / 8, p.action == kActYawn ? 0.5 : pitch, p.variant);
}

void Lying(Figure& f, const Pose& p, double eyesDown) {
    const double z = p.bob * 0.5;
    f.Add({{-2, 0, 6 + z}, {11, 7, 5.5}, 0, 0, 0, kFurRamp, 1, 5, 0});
    f.Add({{6, 0, 7 + z}, {6, 6.5, 5.5}, 0, 0, 0, kFurRamp, 1, 5, 0});
    for (int s = -1; s <= 1; s += 2) {
        f.Limb({8, 4.0 * s, 3}, {16, 4.0 * s, 2}, 2.4, kFurRamp, 1, 5);
        f.Add({{17, 4.0 * s, 2}, {3, 2.4, 1.6}, 0, 0, 0, kPaleRamp, 5, 7, 0});
        f.Add({{-7, 6.5 * s, 4}, {5.5, 2.8, 3.5}, 0, 0, 0, kFurRamp, 1, 5, 0});
    }
    f.Limb({-12, 0, 5}, {-18, 2.0 * p.tail, 2}, 1.7, kFurRamp, 1, 5);
    Head(f, {13, 0, 13 + z - eyesDown}, p.head * kPi / 8, -0.15 * eyesDown, p.variant);
}

void Curled(Figure& f, const Pose& p) {
    const double breathe = p.phase * 0.7;
    f.Add({{0, 0, 5}, {10, 8.5, 5 + breathe}, 0, 0.3, 0, kFurRamp, 1, 5, 0});
    f.Limb({-8, -5, 4}, {2, -9, 3}, 1.8, kFurRamp, 1, 5);  // tail wrapped round
    Head(f, {6, 5, 7}, 0.9, -0.2, p.variant);
}

void Rolling(Figure& f, const Pose& p) {
    // 0 on the side, 1 and 2 on the back with paws up, 3 the other side.
    static constexpr double kRoll[4] = {1.1, 2.6, 3.1, -1.1};
    const double r = kRoll[p.phase & 3];
    f.Add({{0, 0, 6}, {11, 7, 6}, 0, 0, r, kFurRamp, 1, 5, 0});
    f.Add({{-1, 0, 3}, {7, 4.5, 3}, 0, 0, r, kPaleRamp, 5, 7, 0});
    const double up = std::fabs(std::sin(r));
    for (int s = -1; s <= 1; s += 2) {
        const double wiggle = (p.phase == 2 ? 2 : 0) * s;
        Leg(f, {6, 3.0 * s, 8}, {7 + wiggle, 5.0 * s, 8 + 7 * (1 - up) + 3});
        Leg(f, {-6, 3.0 * s, 8}, {-7 - wiggle, 5.0 * s, 8 + 7 * (1 - up) + 3});
    }
    Head(f, {13, 0, 8}, 0, 0, p.variant);
}

void UpOnHind(Figure& f, const Pose& p, bool pushing) {
    const double z = p.bob;
    f.Add({{-1, 0, 15 + z}, {7, 6, 9.5}, 1.25, 0, 0, kFurRamp, 1, 5, 0});
    f.Add({{1, 0, 23 + z}, {5.5, 6, 6}, 1.0, 0, 0, kFurRamp, 1, 5, 0});
    for (int s = -1; s <= 1; s += 2) {
        f.Add({{-2, 5.5 * s, 6}, {5.5, 2.8, 4.5}, 0.4, 0, 0, kFurRamp, 1, 5, 0});
        f.Add({{3, 4.5 * s, 1.3}, {3.5, 2.4, 1.6}, 0, 0, 0, kPaleRamp, 5, 7, 0});
        double reach = pushing ? 3 + 3 * p.phase : 2;
        double high = pushing ? 30 + 3 * p.phase : 20;
        if (p.action == kActDance) {
            const double a = (p.phase + (s > 0 ? 2 : 0)) * kPi / 2.5;
            reach = 4 + 4 * std::cos(a);
            high = 24 + 9 * std::sin(a) * s;
        }
        f.Limb({4, 4.2 * s, 24 + z}, {4 + reach, 5.5 * s, high + z}, 2.3, kFurRamp, 1, 5);
        f.Add({{5 + reach, 5.5 * s, high + z}, {2.6, 2.4, 2.2}, 0, 0, 0, kPaleRamp, 5, 7, 0});
    }
    Tail(f, {-6, 0, 8}, p.tail, 3);
    Head(f, {3, 0, 34 + z}, p.head * kPi / 8, pushing ? -0.1 : 0.1, p.variant);
}

void Diving(Figure& f, const Pose& p, bool emerging) {
    // Head first into the ground, or out of it; the ground hides the rest.
    static constexpr double kSinkIn[4] = {0, 5, 13, 22};
    static constexpr double kSinkOut[3] = {18, 9, -3};
    const double sink = emerging ? kSinkOut[p.phase % 3] : kSinkIn[p.phase & 3];
    const double tip = emerging ? 0.5 - 0.25 * p.phase : -0.3 * p.phase;
    Pose standing = p;
    standing.action = kActStand;
    standing.phase = 0;
    Figure body;
    Standing(body, standing, tip);
    body.Shift({0, 0, -sink});
    body.ClipBelow(0);
    f = body;
}

void Bowing(Figure& f, const Pose& p) {
    // Play bow (phase 0: chest low, rear up) and a long stretch (phase 1).
    const bool bow = p.phase == 0;
    f.Add({{0, 0, bow ? 10.0 : 9.0}, {11, 6.5, 6}, bow ? -0.4 : -0.1, 0, 0, kFurRamp, 1, 5, 0});
    for (int s = -1; s <= 1; s += 2) {
        f.Limb({8, 4.0 * s, bow ? 5.0 : 7.0}, {15, 4.0 * s, 2}, 2.4, kFurRamp, 1, 5);
        f.Add({{16, 4.0 * s, 1.5}, {3, 2.4, 1.6}, 0, 0, 0, kPaleRamp, 5, 7, 0});
        Leg(f, {-7, 4.2 * s, bow ? 13.0 : 9.0}, {bow ? -7.0 : -12.0, 4.2 * s, 1.3});
    }
    Tail(f, {-10, 0, bow ? 14.0 : 11.0}, p.tail, 8);
    Head(f, {13, 0, bow ? 9.0 : 15.0}, 0, bow ? -0.1 : 0.4, p.variant);
}

void Sniffing(Figure& f, const Pose& p) {
    Figure body;
    const double z = 12;
    body.Add({{0, 0, z}, {10, 6.5, 6.5}, -0.15, 0, 0, kFurRamp, 1, 5, 0});
    body.Add({{6.5, 0, z + 1}, {6, 6.2, 6.5}, -0.15, 0, 0, kFurRamp, 1, 5, 0});
    Leg(body, {7, -4.2, z - 3}, {8, -4.2, 1.3});
    Leg(body, {7, 4.2, z - 3}, {8, 4.2, 1.3});
    Leg(body, {-7, -4.2, z - 3}, {-7, -4.2, 1.3});
    Leg(body, {-7, 4.2, z - 3}, {-7, 4.2, 1.3});
    Tail(body, {-9.5, 0, z + 2}, (p.phase % 2) ? 2 : -2);
    static constexpr double kTurn[4] = {-0.5, 0, 0.5, 0};
    if (p.phase == 3) Head(body, {12, 0, z + 10}, 0, 0.35, p.variant);
    else Head(body, {14, 4 * kTurn[p.phase & 3], 10}, kTurn[p.phase & 3], -0.8, p.variant);
    f = body;
}

void JetHull(Figure& f) {
    f.Add({{1, 0, 3.5}, {18, 9.5, 4}, 0, 0, 0, Ramp::Red, 1, 5, 0});
    f.Add({{1, 0, 7}, {15, 7.5, 1.2}, 0, 0, 0, Ramp::Grey, 5, 7, 0});
    f.Add({{13, 0, 6}, {5, 6, 2.5}, 0.3, 0, 0, Ramp::Yellow, 2, 6, 0});
    f.Limb({10, 0, 7}, {12, 0, 18}, 1.2, Ramp::Slate, 1, 4);
    f.Limb({12, -5, 18}, {12, 5, 18}, 1.2, Ramp::Slate, 1, 4);
}

}  // namespace

Figure PupFigure(const Pose& pose, bool jet) {
    Figure f;
    Pose p = pose;
    if (jet && p.action == kActWalk) {
        // Riding, not walking: the pup stands on the hull, which rocks.
        p.action = kActStand;
        p.bob = static_cast<int8_t>(p.bob + (p.phase % 3 == 1 ? 1 : 0));
    }
    switch (p.action) {
        case kActStand: case kActWalk: case kActStop: case kActShake: Standing(f, p, p.action == kActStop ? -0.12 : 0); break;
        case kActSit: case kActYawn: Sitting(f, p); break;
        case kActLie: Lying(f, p, 0); break;
        case kActDrowsy: Lying(f, p, 3); break;
        case kActCurl: Curled(f, p); break;
        case kActRoll: Rolling(f, p); break;
        case kActBeg: case kActDance: UpOnHind(f, p, false); break;
        case kActRear: UpOnHind(f, p, true); break;
        case kActDive: Diving(f, p, false); break;
        case kActEmerge: Diving(f, p, true); break;
        case kActStretch: Bowing(f, p); break;
        case kActSniff: Sniffing(f, p); break;
        default: Standing(f, p, 0); break;
    }
    if (jet) {
        f.Shift({0, 0, 6});
        JetHull(f);
    }
    return f;
}

}  // namespace assetgen::chars
