// The cat, the six musicians and their instruments, and the one entry point
// that draws any frame of the character sheets.
#include <algorithm>
#include <cmath>

#include "assetgen/chars_figures.h"
#include "assetgen/chars_props.h"
#include "world/chars/poses.h"
#include "world/palette_plan.h"

namespace assetgen::chars {
namespace {

using namespace world::chars;
using world::palette_plan::Common;
using world::palette_plan::kOutline;

constexpr double kPi = 3.14159265358979323846;
constexpr uint8_t C(Ramp r, int s) { return Common(r, s); }

// --- The cat ---------------------------------------------------------------

// A blue-grey tabby with a white chest, socks, muzzle and tail tip: light
// enough that its dark outline and stripes show on every land's ground, and
// nothing like the pup's warm tan.
constexpr Ramp kCatFur = Ramp::Slate;
constexpr int kCatLo = 2, kCatHi = 6;
constexpr Ramp kCatWhite = Ramp::Grey;
constexpr int kWhiteLo = 5, kWhiteHi = 7;
const uint8_t kStripe = C(Ramp::Slate, 1);

void CatLegs(Figure& f, double z, double phi, bool walking, double dangle, double spread = 0) {
    const double swing = walking ? 6 * std::sin(phi) : 0;
    const double lift = walking ? 3 * std::max(0.0, std::cos(phi)) : 0;
    const double lift2 = walking ? 3 * std::max(0.0, -std::cos(phi)) : 0;
    const double foot = 1.2 + dangle;
    const double fx = 7 + spread, hx = -7 - spread;
    const Vec3 feet[4] = {{fx + swing, -3.5, foot + lift}, {fx - swing, 3.5, foot + lift2},
                          {hx - swing, -3.5, foot + lift2}, {hx + swing, 3.5, foot + lift}};
    const Vec3 hips[4] = {{7, -3.5, z - 2}, {7, 3.5, z - 2}, {-7, -3.5, z - 2}, {-7, 3.5, z - 2}};
    for (int i = 0; i < 4; ++i) {
        f.Limb(hips[i], feet[i], i < 2 ? 1.9 : 2.2, kCatFur, kCatLo, kCatHi - 1);
        // White socks.
        f.Add({{feet[i].x + 0.8, feet[i].y, feet[i].z + 0.6}, {2.3, 1.9, 1.5}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
    }
}

// The tail from its root: a curve of three pieces ending in a white tip.
// curl bends the end over (a question mark), puff thickens it (fright).
void CatTail(Figure& f, Vec3 root, double wag, double rise, double curl, double puff = 0) {
    const Vec3 mid{root.x - 4, root.y + wag, root.z + rise * 0.55};
    const Vec3 top{root.x - 5, root.y + wag * 1.4, root.z + rise};
    const Vec3 tip{top.x + curl, top.y + wag * 0.4, top.z + 3 - std::fabs(curl) * 0.4};
    const double r = 1.8 + puff;
    f.Limb(root, mid, r, kCatFur, kCatLo, kCatHi - 1);
    f.Limb(mid, top, r, kCatFur, kCatLo, kCatHi - 1);
    f.Limb(top, tip, r * 0.95, kCatWhite, kWhiteLo, kWhiteHi);
    // A dark ring across the tail.
    f.Add({mid, {r * 0.9, r + 0.3, r + 0.3}, 0, 0, 0, kCatFur, 0, 0, kStripe});
}

// Tabby stripes across the back: thin dark bands laid over the body blob.
void CatStripes(Figure& f, double z, double length, double height, double pitch = 0) {
    for (int i = -1; i <= 1; ++i) {
        const double x = i * length * 0.4;
        f.Add({{x, 0, z + height * 0.55}, {0.9, 4.6, height * 0.5}, pitch, 0, 0, kCatFur, 0, 0, kStripe});
    }
}

}  // namespace

Figure CatBodyFigure(const Pose& p, bool balloon) {
    Figure f;
    const bool walking = p.action == kActWalk;
    const int steps = balloon ? 4 : 5;
    const double phi = 2 * kPi * p.phase / steps;
    const double lift = balloon ? 8 : 0;
    const double z = 11 + (walking ? std::fabs(std::sin(phi)) : 0) + lift;
    if (p.action == kActLick) {
        // Sitting up, one front paw raised to the mouth, tail curled round.
        f.Add({{-2, 0, 9}, {7, 5.8, 7.5}, 0.8, 0, 0, kCatFur, kCatLo, kCatHi, 0});
        f.Add({{2, 0, 12}, {4.2, 4.6, 5.2}, 0.6, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
        for (int s = -1; s <= 1; s += 2) f.Add({{-4, 5.5 * s, 5}, {5.5, 2.6, 4.5}, 0, 0, 0, kCatFur, kCatLo, kCatHi, 0});
        f.Limb({3, -3, 11}, {4, -3, 1.4}, 1.9, kCatFur, kCatLo, kCatHi - 1);
        f.Add({{4.8, -3, 1.6}, {2.3, 1.9, 1.5}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
        const Vec3 paw{5.0 + p.phase, 2, 5 + 4.5 * p.phase};
        f.Limb({3, 3, 11}, paw, 1.9, kCatFur, kCatLo, kCatHi - 1);
        f.Add({paw, {2.3, 2.1, 2.1}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
        f.Limb({-8, 0, 2}, {-6, 8, 1.5}, 1.7, kCatFur, kCatLo, kCatHi - 1);
        f.Limb({-6, 8, 1.5}, {2, 9, 1.5}, 1.6, kCatFur, kCatLo, kCatHi - 1);
        f.Add({{3, 9, 1.6}, {2, 1.6, 1.4}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
        return f;
    }
    if (p.action == kActHiss) {
        // Back arched high on stiff legs, fur and tail puffed up.
        const double arch = 2.5 * p.phase;
        f.Add({{0, 0, z + arch}, {9, 5.6, 5.2 + arch / 2}, 0, 0, 0, kCatFur, kCatLo, kCatHi, 0});
        f.Add({{5, 0, z + arch * 0.6 - 1.5}, {4.5, 4.4, 4.2}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
        CatStripes(f, z + arch, 9, 5.2 + arch / 2);
        // Bristling tufts along the spine.
        for (int i = -2; i <= 2 && p.phase > 0; ++i)
            f.Add({{i * 3.0, 0, z + arch * 1.5 + 5.5 - std::fabs(i) * 0.8}, {1.1, 1.2, 1.2 + 0.4 * p.phase}, 0, 0, 0, kCatFur, kCatLo, kCatHi, 0});
        CatLegs(f, z + arch * 0.6, 0, false, 0, 1.5 + 0.5 * p.phase);
        CatTail(f, {-9, 0, z + arch}, 0, 14 + 2 * p.phase, 0, 0.6 * p.phase);
        return f;
    }
    f.Add({{0, 0, z}, {10.5, 5.6, 5.2}, 0, 0, 0, kCatFur, kCatLo, kCatHi, 0});
    f.Add({{5.5, 0, z - 1.2}, {5, 4.6, 4.4}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});  // white chest
    CatStripes(f, z, 10.5, 5.2);
    CatLegs(f, z, phi, walking, lift);
    // Tail held high, its tip curled over, swinging with the walk; standing
    // it curls the other way with the pose's wag.
    const double wag = p.tail * 1.5 + (walking ? 2 * std::sin(phi) : 0);
    CatTail(f, {-9.5, 0, z + 1.5}, wag, walking ? 14 : 16, walking ? 3.5 : 4 + p.tail);
    if (balloon) {
        // String from the harness up to a red balloon.
        f.Limb({0, 0, z + 5}, {-2, 0, z + 48}, 0.9, Ramp::Grey, 2, 2, C(Ramp::Grey, 2));
        f.Add({{-2, 0, z + 60}, {10, 10, 12}, 0, 0, 0, Ramp::Red, 1, 7, 0});
        f.Add({{-2, 0, z + 47}, {1.5, 1.5, 1.5}, 0, 0, 0, Ramp::Red, 1, 3, 0});
        f.Add({{0, 0, z + 3}, {4, 6, 2}, 0, 0, 0, Ramp::Brown, 1, 4, 0});  // harness
    }
    return f;
}

Figure CatHeadFigure() {
    Figure f;
    f.Add({{0, 0, 5}, {6.2, 7.2, 6}, 0, 0, 0, kCatFur, kCatLo, kCatHi, 0});
    // Cheek ruffs widen the face; a white muzzle and chin.
    for (int s = -1; s <= 1; s += 2) f.Add({{1, 6.2 * s, 3.2}, {3, 2.4, 2.6}, 0, 0, 0, kCatFur, kCatLo, kCatHi, 0});
    f.Add({{4.4, 0, 2.8}, {2.8, 3.8, 2.4}, 0, 0, 0, kCatWhite, kWhiteLo, kWhiteHi, 0});
    f.Add({{6.6, 0, 4}, {1, 1.4, 1}, 0, 0, 0, Ramp::Pink, 4, 4, C(Ramp::Pink, 3)});
    // A tabby "M" on the forehead.
    f.Add({{4.2, 0, 9}, {1.2, 3.2, 0.6}, 0, 0, 0, kCatFur, 0, 0, kStripe});
    for (int s = -1; s <= 1; s += 2) {
        // Big green eyes with slit pupils under a grumpy brow.
        f.Add({{5, 2.8 * s, 6.4}, {1, 1.9, 1.5}, 0, 0, 0, Ramp::Leaf, 5, 5, C(Ramp::Leaf, 5)});
        f.Add({{5.6, 2.8 * s, 6.3}, {0.6, 0.45, 1.2}, 0, 0, 0, Ramp::Grey, 0, 0, kOutline});
        f.Add({{5.4, 2.8 * s, 7.9}, {1.1, 2.2, 0.45}, 0, 0, 0.25 * s, kCatFur, 0, 0, kOutline});
        // Tall pointed ears with pink insides.
        f.Add({{0, 4.4 * s, 12}, {1.8, 2.4, 4.4}, 0, 0, 0.3 * s, kCatFur, kCatLo, kCatHi - 1, 0});
        f.Add({{0.9, 4.3 * s, 11.6}, {0.6, 1.3, 2.8}, 0, 0, 0.3 * s, Ramp::Pink, 4, 4, C(Ramp::Pink, 4)});
        // Whiskers.
        f.Limb({6.4, 2.2 * s, 3.4}, {6.8, 8.5 * s, 4.2}, 0.25, Ramp::Grey, 7, 7, C(Ramp::Grey, 7));
        f.Limb({6.4, 2.2 * s, 2.8}, {6.8, 8.5 * s, 2.0}, 0.25, Ramp::Grey, 7, 7, C(Ramp::Grey, 7));
    }
    return f;
}

// --- The musicians ---------------------------------------------------------

namespace {

struct Look {
    Ramp fur, belly;
    int style;   // 0 alien, 1 chilli dog, 2 bull, 3 ice dog, 4 scruffy cat, 5 poodle
};
constexpr Look kLooks[6] = {
    {Ramp::Leaf, Ramp::Yellow, 0}, {Ramp::Red, Ramp::Orange, 1}, {Ramp::Brown, Ramp::Fur, 2},
    {Ramp::Sky, Ramp::Grey, 3},    {Ramp::Orange, Ramp::Yellow, 4}, {Ramp::Pink, Ramp::Grey, 5},
};

void MusicianHead(Figure& f, const Look& look, Vec3 c, double tip, bool mouthO, bool sad) {
    f.Add({c, {9, 10, 9}, tip, 0, 0, look.fur, 1, 6, 0});
    const double ey = c.z + 2;
    for (int s = -1; s <= 1; s += 2) {
        const bool big = look.style == 0;
        if (look.style == 1) {
            f.Add({{c.x + 7.5, 3.8 * s, ey}, {1.2, 3.4, 2}, 0, 0, 0, Ramp::Grey, 0, 0, C(Ramp::Grey, 0)});  // shades
        } else {
            f.Add({{c.x + 7.6, 3.6 * s, ey}, {1, big ? 2.6 : 1.8, big ? 3.4 : 2.4}, 0, 0, 0, Ramp::Grey, 7, 7, C(Ramp::Grey, 7)});
            f.Add({{c.x + 8.4, 3.6 * s, ey - (sad ? 1 : 0)}, {0.6, big ? 1.4 : 1, big ? 1.8 : 1.2}, 0, 0, 0, Ramp::Grey, 0, 0, kOutline});
        }
        switch (look.style) {
            case 0: f.Limb({c.x, 3.0 * s, c.z + 8}, {c.x - 1, 6.0 * s, c.z + 17}, 0.8, Ramp::Leaf, 1, 3);
                    f.Add({{c.x - 1, 6.0 * s, c.z + 18}, {2, 2, 2}, 0, 0, 0, Ramp::Yellow, 3, 6, 0}); break;
            case 1: f.Add({{c.x - 1, 9.5 * s, c.z - 1}, {2.4, 2.6, 7}, 0, 0, -0.25 * s, look.fur, 0, 4, 0}); break;  // floppy
            case 3: f.Add({{c.x - 1, 6.0 * s, c.z + 9}, {1.8, 2.8, 5.5}, 0, 0, 0.3 * s, look.fur, 1, 5, 0});      // pricked
                    f.Add({{c.x - 0.2, 6.0 * s, c.z + 8.5}, {0.8, 1.4, 3.2}, 0, 0, 0.3 * s, Ramp::Grey, 6, 6, C(Ramp::Grey, 6)}); break;
            case 2: f.Limb({c.x, 7.0 * s, c.z + 5}, {c.x + 1, 12.0 * s, c.z + 10}, 1.4, Ramp::Gold, 3, 7);
                    f.Add({{c.x - 1, 9.0 * s, c.z + 1}, {1.6, 3, 2}, 0, 0, 0, look.fur, 1, 5, 0}); break;
            case 4: f.Add({{c.x - 1, 5.5 * s, c.z + 8}, {2, 2.6, 4.2}, 0, 0, 0.4 * s, look.fur, 1, 5, 0}); break;
            default: f.Add({{c.x - 1, 8.5 * s, c.z - 3}, {3.5, 3.5, 6}, 0, 0, 0, Ramp::Pink, 3, 7, 0}); break;
        }
    }
    if (look.style == 5) f.Add({{c.x - 1, 0, c.z + 9}, {5, 6, 4}, 0, 0, 0, Ramp::Pink, 4, 7, 0});  // top-knot
    const bool snout = look.style == 1 || look.style == 2 || look.style == 3 || look.style == 5;
    if (snout) {
        f.Add({{c.x + 8, 0, c.z - 3}, {4, look.style == 2 ? 6.0 : 4.0, 3.4}, 0, 0, 0, look.belly, 3, 7, 0});
        f.Add({{c.x + 11.5, 0, c.z - 1.5}, {1.4, 1.8, 1.2}, 0, 0, 0, Ramp::Grey, 0, 0, kOutline});
        if (look.style == 2) f.Add({{c.x + 11, 0, c.z - 5.5}, {0.8, 2.2, 1.6}, 0, 0, 0, Ramp::Gold, 6, 6, C(Ramp::Gold, 6)});
    }
    const double my = c.z - (snout ? 6 : 4);
    if (mouthO) f.Add({{c.x + 8.6, 0, my}, {0.8, 1.6, 1.6}, 0, 0, 0, Ramp::Red, 0, 0, C(Ramp::Red, 0)});
    else if (sad) f.Add({{c.x + 8.6, 0, my}, {0.6, 2.4, 0.5}, 0, 0, 0, Ramp::Grey, 0, 0, kOutline});
    else f.Add({{c.x + 8.2, 0, my - 0.5}, {0.8, 3, 1.1}, 0, 0, 0, Ramp::Red, 1, 1, C(Ramp::Red, 1)});
}

}  // namespace

namespace {

// Each musician's build: six different bodies, not one body recoloured.
struct Build {
    double legLength, legRadius, hipWidth;   // hips are legLength above the ground
    Vec3 body;                               // torso radii (forward, across, up)
    double shoulderWidth, armRadius, armLength;
    double neck;                             // head centre above the torso's top
    double headScale;
};
constexpr Build kBuilds[6] = {
    {19, 1.6, 3.0, {5, 6, 11}, 6.5, 1.5, 14, 6, 1.05},    // alien: thin, tall, big head
    {19, 3.2, 4.5, {9, 10, 10}, 10.0, 2.8, 10, 4, 1.0},     // chilli dog: short and round
    {16, 4.0, 5.0, {10, 10.5, 13}, 10.5, 3.6, 12, 3, 0.9},  // bull: wide and heavy
    {13, 3.4, 5.0, {9, 10, 13}, 9.5, 3.0, 12, 5, 1.0},      // ice dog: a husky in a ruff
    {20, 2.2, 3.8, {6, 7.5, 12}, 8.0, 2.0, 13, 6, 0.95},    // scruffy cat: lean, long legs
    {22, 1.6, 3.5, {7, 8, 8}, 8.0, 1.5, 12, 8, 0.9},       // poodle: thin legs, pompoms
};

// Tails, ruffs and pompoms that make each outline its own.
void MusicianExtras(Figure& f, const Look& look, const Build& b, double hips, double z, int k) {
    switch (look.style) {
        case 1:  // a short stubby tail
            f.Limb({-b.body.x, 0, hips + 4}, {-b.body.x - 5, 2, hips + 9}, 2.2, look.fur, 1, 5);
            break;
        case 2:  // a long tail with a dark tuft
            f.Limb({-b.body.x, 0, hips + 6}, {-b.body.x - 4, 7, hips - 6}, 1.4, look.fur, 1, 5);
            f.Add({{-b.body.x - 4, 7, hips - 8}, {2.5, 2.5, 3.5}, 0, 0, 0, Ramp::Brown, 0, 2, 0});
            break;
        case 3:  // a thick white ruff and a bushy tail curled over the back
            for (int i = 0; i < 7; ++i) {
                const double a = (i - 3) * 0.45;
                f.Add({{2 + 4 * std::cos(a), 10 * std::sin(a), z + b.body.z - 3}, {4, 4, 4}, 0, 0, 0, Ramp::Grey, 5, 7, 0});
            }
            f.Add({{-b.body.x - 3, -3, hips + 12}, {5, 5, 7}, 0.6, 0, 0, look.fur, 2, 6, 0});
            f.Add({{-b.body.x - 2, -4, hips + 17}, {3, 3, 3}, 0, 0, 0, Ramp::Grey, 5, 7, 0});
            break;
        case 4: {  // a long tail curling up, swinging with the beat
            const double sway = 0.0 * k;
            f.Limb({-b.body.x, 0, hips + 3}, {-b.body.x - 4, 10 + sway, hips + 8}, 1.5, look.fur, 1, 5);
            f.Limb({-b.body.x - 4, 10 + sway, hips + 8}, {-b.body.x - 3, 13 + sway, hips + 24}, 1.5, look.fur, 1, 5);
            f.Add({{-b.body.x - 3, 12 + sway, hips + 25}, {2, 2.6, 2}, 0, 0, 0, look.belly, 2, 6, 0});
            break;
        }
        case 5:  // pompoms: tail and shoulders
            f.Add({{-b.body.x - 3, 0, hips + 8}, {4.5, 4.5, 4.5}, 0, 0, 0, look.fur, 3, 7, 0});
            for (int s = -1; s <= 1; s += 2)
                f.Add({{0, (b.body.y + 1) * s, z + b.body.z - 4}, {4, 4, 4}, 0, 0, 0, look.fur, 3, 7, 0});
            break;
        default:  // the alien's spots on its belly
            for (int i = 0; i < 3; ++i) f.Add({{b.body.x - 0.5, -3.0 + 3 * i, z - 2 + (i % 2) * 4}, {0.8, 1.2, 1.2}, 0, 0, 0, Ramp::Yellow, 5, 5, C(Ramp::Yellow, 5)});
            break;
    }
}

}  // namespace

Figure MusicianFigure(const Pose& p) {
    Figure f;
    const Look& look = kLooks[p.variant % 6];
    const Build& b = kBuilds[p.variant % 6];
    const int k = p.phase;
    double bob = 0, armL = 0, armR = 0, tip = 0, lean = 0;
    bool mouthO = false, sad = false;
    switch (p.action) {
        case kActCaptive: sad = true; tip = k == 0 ? -0.35 : 0.25; armL = armR = -0.2; break;
        case kActHum: mouthO = true; tip = 0.3; bob = k % 2; armL = armR = 0.2 + 0.2 * k; break;
        case kActFreed:
            bob = (k % 2) ? 6 : 1;
            armL = (k % 2) ? 2.6 : 1.8;
            armR = (k % 2) ? 1.8 : 2.6;
            tip = 0.2;
            mouthO = k % 3 == 0;
            lean = ((k % 4) - 1.5) * 0.08;
            break;
        default:  // playing
            bob = (k % 2) ? 1.5 : 0;
            armL = 0.9 + 0.25 * std::sin(k * 1.3);
            armR = 0.9 + 0.25 * std::cos(k * 1.1);
            tip = 0.1 * std::sin(k * 0.9);
            lean = 0.06 * std::sin(k * 0.7);
            break;
    }
    const double jump = p.action == kActFreed && bob > 2 ? bob - 1 : 0;
    const double hips = b.legLength + bob;
    for (int s = -1; s <= 1; s += 2) {
        // The legs stay put while the body bobs on them (it covers the
        // hips), so the feet of a playing member never move.
        f.Limb({0, b.hipWidth * s, b.legLength + jump}, {1, (b.hipWidth + 0.5) * s, 3 + jump}, b.legRadius, look.fur, 1, 5);
        f.Add({{3, (b.hipWidth + 0.5) * s, 2 + jump}, {5, std::max(2.4, b.legRadius), 2.2}, 0, 0, 0, look.belly, 2, 6, 0});
        if (look.style == 5) f.Add({{1, (b.hipWidth + 0.5) * s, 6 + jump}, {3.6, 3.6, 3.2}, 0, 0, 0, look.fur, 3, 7, 0});
    }
    const double z = hips + b.body.z - 2;
    f.Add({{0, 0, z}, b.body, 0, 0, lean, look.fur, 1, 6, 0});
    f.Add({{b.body.x * 0.5, 0, z - 2}, {b.body.x * 0.6, b.body.y * 0.65, b.body.z * 0.7}, 0, 0, lean, look.belly, 3, 7, 0});
    MusicianExtras(f, look, b, hips, z, k);
    for (int s = -1; s <= 1; s += 2) {
        const double a = s < 0 ? armL : armR;
        const Vec3 shoulder{1, b.shoulderWidth * s, z + b.body.z * 0.55};
        const double reach = b.armLength;
        const Vec3 hand{shoulder.x + 5 + 3 * std::sin(a), shoulder.y + s * (3 + 5 * std::sin(a * 0.7)), shoulder.z - reach * std::cos(a)};
        f.Limb(shoulder, hand, b.armRadius, look.fur, 1, 5);
        f.Add({hand, {2.8, 2.8, 2.8}, 0, 0, 0, look.belly, 2, 6, 0});
        if (look.style == 5) f.Add({hand, {3.4, 3.4, 3.4}, 0, 0, 0, look.fur, 3, 7, 0});
    }
    if (look.style == 0) f.Limb({0, 0, z + b.body.z - 2}, {1, 13.0 * lean, z + b.body.z + b.neck - 4}, 2.0, look.fur, 1, 5);
    Figure head;
    MusicianHead(head, look, {0, 0, 0}, tip, mouthO, sad);
    head.ScaleInto(f, b.headScale, {2, 13.0 * lean, z + b.body.z + b.neck});
    return f;
}

namespace {

// The instruments, drawn flat in front of the player; (x, y) is the
// player's standing point, s the scale, phase the playing step.
void Instrument(Picture& p, int member, int x, int y, double s, int phase) {
    auto S = [&](double v) { return static_cast<int>(std::lround(v * s)); };
    switch (member) {
        case 0: {  // drum kit: bass drum, snare, cymbal, sticks
            p.FillEllipse(x, y - S(12), S(15), S(12), C(Ramp::Red, 3));
            p.FillEllipse(x, y - S(12), S(11), S(8), C(Ramp::Grey, 7));
            p.FillEllipse(x, y - S(12), S(4), S(3), C(Ramp::Red, 4));
            p.FillEllipse(x - S(17), y - S(27), S(9), S(3), C(Ramp::Grey, 6));
            p.FillRect(x - S(25), y - S(27), S(16), S(5), C(Ramp::Red, 2));
            const int tilt = phase % 2 ? 2 : -1;
            p.FillEllipse(x + S(18), y - S(40) + tilt, S(10), S(2), C(Ramp::Gold, 6));
            p.Line(x + S(18), y - S(38), x + S(18), y - S(4), C(Ramp::Slate, 2), 1);
            const int hit = phase % 3;
            p.Line(x - S(6), y - S(36), x - S(14) - hit * 2, y - S(30) + (hit == 1 ? -S(6) : 0), C(Ramp::Brown, 5), 2);
            p.Line(x + S(6), y - S(36), x + S(14) + hit, y - S(40) + (hit == 2 ? -S(5) : 0), C(Ramp::Brown, 5), 2);
            break;
        }
        case 1: {  // guitar across the chest, strummed
            const int dy = phase % 2;
            p.ShadedEllipse(x - S(4), y - S(24) + dy, S(10), S(8), Ramp::Orange, 2, 5);
            p.ShadedEllipse(x + S(4), y - S(28) + dy, S(7), S(6), Ramp::Orange, 2, 5);
            p.FillEllipse(x + S(1), y - S(26) + dy, S(2), S(2), C(Ramp::Brown, 0));
            p.Line(x + S(8), y - S(30) + dy, x + S(26), y - S(46) + dy, C(Ramp::Brown, 2), S(3));
            p.FillRect(x + S(24), y - S(50) + dy, S(5), S(5), C(Ramp::Brown, 1));
            p.Line(x - S(6) + phase % 3, y - S(30), x - S(2) + phase % 3, y - S(20), C(Ramp::Grey, 7), 1);
            break;
        }
        case 2: {  // saxophone held up to the mouth
            const int rock = phase % 3 - 1;
            p.Line(x + S(6), y - S(46), x + S(4) + rock, y - S(26), C(Ramp::Gold, 5), S(4));
            p.FillEllipse(x + S(8) + rock, y - S(22), S(6), S(5), C(Ramp::Gold, 4));
            p.FillEllipse(x + S(14) + rock, y - S(28), S(5), S(5), C(Ramp::Gold, 2));
            p.FillEllipse(x + S(14) + rock, y - S(28), S(3), S(3), C(Ramp::Gold, 0));
            for (int i = 0; i < 3; ++i) p.FillEllipse(x + S(5) + rock, y - S(42) + S(6) * i, 1, 1, C(Ramp::Grey, 7));
            break;
        }
        case 3: {  // keyboard on a stand, keys going down
            p.FillRect(x - S(27), y - S(30), S(54), S(9), C(Ramp::Grey, 1));
            for (int i = 0; i < 9; ++i) {
                const bool down = (i + phase) % 4 == 0;
                p.FillRect(x - S(25) + S(6) * i, y - S(29) + (down ? 1 : 0), S(5), S(6), C(Ramp::Grey, down ? 5 : 7));
            }
            p.Line(x - S(18), y - S(21), x - S(6), y, C(Ramp::Slate, 3), 2);
            p.Line(x + S(18), y - S(21), x + S(6), y, C(Ramp::Slate, 3), 2);
            break;
        }
        case 4: {  // trumpet raised to the mouth
            const int up = (phase % 2 ? -2 : 0) + S(16);
            p.FillRect(x + S(4), y - S(64) + up, S(20), S(3), C(Ramp::Gold, 5));
            p.FillPolygon({{x + S(22), y - S(63) + up}, {x + S(30), y - S(70) + up}, {x + S(30), y - S(56) + up}}, C(Ramp::Gold, 4));
            p.FillRect(x + S(10), y - S(68) + up, S(2), S(4), C(Ramp::Gold, 3));
            p.FillRect(x + S(14), y - S(68) + up, S(2), S(4), C(Ramp::Gold, 3));
            break;
        }
        default: {  // double bass standing beside the player, plucked
            const int sway = phase % 3 - 1;
            p.ShadedEllipse(x - S(13) + sway, y - S(13), S(13), S(12), Ramp::Brown, 2, 5);
            p.ShadedEllipse(x - S(13) + sway, y - S(31), S(10), S(9), Ramp::Brown, 2, 5);
            p.Line(x - S(13) + sway, y - S(38), x - S(13) + sway * 2, y - S(53), C(Ramp::Brown, 0), S(3));
            p.Line(x - S(13) + sway, y - S(30), x - S(13) + sway, y - S(4), C(Ramp::Grey, 6), 1);
            break;
        }
    }
}

bool DrawFrameAlone(Picture& pic, const SheetFrame& f, uint8_t key);

void DrawMusicianFrame(Picture& pic, const SheetFrame& f, uint8_t key) {
    const Pose& p = f.pose;
    const int member = p.variant % 6;
    const int x = f.rect.left + f.anchorX, y = f.rect.top + f.anchorY;
    // Den frames are 88 high; the lock rooms and rewards draw larger.
    const double s = std::max(0.6, (f.Height() - 8) / 80.0);
    if (p.tail == 2) {
        Instrument(pic, member, x, y, s, p.phase);
        OutlineRect(pic, f.rect, key);
        return;
    }
    MusicianFigure(p).Render(pic, f.rect, f.anchorX, f.anchorY, 4, s, p.action == kActPlay ? 0.25 : 0, key);
    if (p.action == kActCaptive) {
        // A ball and chain at the ankle.
        const auto S = [&](double v) { return static_cast<int>(std::lround(v * s)); };
        pic.Line(x + S(5), y - S(2), x + S(20), y - S(1), C(Ramp::Slate, 2), 2);
        pic.FillEllipse(x + S(24), y - S(4), S(5), S(5), C(Ramp::Slate, 1));
        pic.FillEllipse(x + S(22), y - S(6), S(2), S(2), C(Ramp::Slate, 4));
    }
    if (p.tail == 1) Instrument(pic, member, x, y, s, p.phase);
    OutlineRect(pic, f.rect, key);
}

}  // namespace

bool DrawFrame(Picture& pic, const SheetFrame& frame, uint8_t key) {
    if (frame.Width() <= 0 || frame.Height() <= 0) return true;
    // Each frame is drawn on its own and then copied in, so nothing of it
    // can spill into a neighbouring frame.
    SheetFrame f = frame;
    f.rect = {0, 0, frame.Width(), frame.Height()};
    Picture own(frame.Width(), frame.Height(), key);
    const bool known = DrawFrameAlone(own, f, key);
    pic.Draw(own, frame.rect.left, frame.rect.top, key);
    return known;
}

namespace {

bool DrawFrameAlone(Picture& pic, const SheetFrame& f, uint8_t key) {
    const Pose& p = f.pose;
    switch (p.figure) {
        case kFigDog:
        case kFigJetDog: {
            // Sheet frames are drawn life size; the rewards' big frames scale up.
            const double s = f.Height() > 90 ? (f.Height() - 8) / 48.0 : 1.0;
            PupFigure(p, p.figure == kFigJetDog).Render(pic, f.rect, f.anchorX, f.anchorY, p.facing, s, 0, key);
            // At its life size the pup is small beside huts and walls; a
            // bold outline keeps its shape on any ground.
            if (s == 1.0) ThickenOutline(pic, f.rect, key);
            return true;
        }
        case kFigRewardDuo: {
            // The member on the left, the pup dancing on the right.
            Pose member = p, pup = p;
            member.figure = kFigMusician;
            SheetFrame left = f;
            left.anchorX = static_cast<int16_t>(f.Width() * 36 / 100);
            left.pose = member;
            DrawMusicianFrame(pic, left, key);
            pup.figure = kFigDog;
            pup.action = kActDance;
            pup.variant = kMouthOpen | kTongue;
            pup.phase = static_cast<int8_t>(p.phase % 5);
            const double s = (f.Height() - 8) / 48.0 * 0.62;
            PupFigure(pup, false).Render(pic, f.rect, f.Width() * 76 / 100, f.anchorY, 4, s, 0, key);
            return true;
        }
        case kFigCat:
        case kFigBalloonCat:
            CatBodyFigure(p, p.figure == kFigBalloonCat).Render(pic, f.rect, f.anchorX, f.anchorY, p.facing, 1.0, 0, key);
            return true;
        case kFigCatHead:
            CatHeadFigure().Render(pic, f.rect, f.anchorX, f.anchorY, p.facing, 1.0, 0, key);
            return true;
        case kFigMusician: DrawMusicianFrame(pic, f, key); return true;
        default: return DrawProp(pic, f, key);
    }
}

}  // namespace

}  // namespace assetgen::chars
