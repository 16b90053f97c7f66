#include "assetgen/world_scenery.h"

#include <algorithm>

namespace assetgen {
namespace {

using world::lnd::Rect;
using world::palette_plan::Common;
using world::palette_plan::kGreenKey;
using world::palette_plan::kOutline;

constexpr uint8_t kKey = kGreenKey;
constexpr int kFaceTop = 40;  // rows of a barrier's top face; the front face follows

// Top and front faces of the land's barriers.
uint8_t BarrierPixel(Place land, int x, int y, bool top, uint32_t seed) {
    const uint32_t h = Hash(x, y, seed);
    switch (land) {
        case Place::Celtic: {
            if (top) return (h % 5 == 0) ? Own(PlaceRamp::Ground2, 4 + int(h % 2)) : Own(PlaceRamp::Foliage, 3 + int((h >> 3) % 2));
            const int row = y / 9, sx = (x + row * 7) / 14;
            const bool mortar = y % 9 == 0 || (x + row * 7) % 14 == 0;
            return mortar ? Own(PlaceRamp::Deep, 3) : Own(PlaceRamp::Wall, 3 + int(Hash(sx, row, seed) % 3));
        }
        case Place::Funland:
            if (top) return ((x + y) / 6 % 2) ? Own(PlaceRamp::Accent2, 5) : Common(Ramp::Grey, 7);
            return (x / 10 % 2) ? Own(PlaceRamp::Roof, 4) : Own(PlaceRamp::Accent, 5);
        case Place::Aussie:
            if (top) return (h % 6 == 0) ? Own(PlaceRamp::Foliage, 3 + int(h % 3)) : Own(PlaceRamp::Ground2, 4 + int((h >> 4) % 2));
            return Own(PlaceRamp::Wall, 2 + ((y + Sine64(x * 3) / 90) / 7) % 4);
        case Place::Jazzland: {
            if (top) return (y < 3) ? Own(PlaceRamp::Wall, 5) : Own(PlaceRamp::Deep, 3 + int(h % 7 == 0));
            const int row = y / 8, bx = (x + (row % 2) * 8) % 16;
            if (y % 8 == 0 || bx == 0) return Own(PlaceRamp::Deep, 4);
            return Own(PlaceRamp::Wall, 3 + int(Hash((x + (row % 2) * 8) / 16, row, seed) % 2));
        }
        case Place::Eastern:
            if (top) return ((x + (y / 6) * 5) % 10 < 8 && y % 6 != 0) ? Own(PlaceRamp::Roof, 4 + (y % 6 < 3)) : Own(PlaceRamp::Roof, 2);
            return y > 26 ? Own(PlaceRamp::Path, 5) : Own(PlaceRamp::Wall, 4 - (x % 50 == 0));
        case Place::Wetland:
        default:
            if (top) return (h % 9 == 0) ? Own(PlaceRamp::Wood, 2) : Own(PlaceRamp::Foliage, 2 + int(h % 4));
            return ((x + int(Hash(x, 0, seed) % 3)) % 4 == 0) ? Own(PlaceRamp::Foliage, 1) : Own(PlaceRamp::Foliage, 3 + int(Hash(x, 1, seed) % 3));
    }
}

Picture Barrier(Place land, int w, int h, uint32_t seed) {
    Picture p(w, h, kKey);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.Plot(x, y, BarrierPixel(land, x, y, y < kFaceTop, seed));
    p.FillRect(0, kFaceTop - 1, w, 1, Own(PlaceRamp::Deep, 2));
    if (land == Place::Jazzland && w > 100) {
        // Lit windows in the street fronts.
        for (int x = 20; x + 24 < w; x += 60) {
            p.FillRect(x, kFaceTop + 6, 22, 18, Own(PlaceRamp::Light, 5));
            p.FillRect(x + 10, kFaceTop + 6, 2, 18, Own(PlaceRamp::Wood, 2));
        }
    }
    if (land == Place::Wetland) {
        // Cattails poking out of the reeds.
        for (int x = 8; x < w; x += 23) p.FillEllipse(x, 6 + (x * 7) % 20, 2, 5, Own(PlaceRamp::Wood, 2));
    }
    // Soft corners.
    for (int k = 0; k < 3; ++k) {
        p.FillRect(0, k, 3 - k, 1, kKey);
        p.FillRect(w - 3 + k, k, 3 - k, 1, kKey);
    }
    p.Outline(kKey, kOutline);
    p.FillRect(0, 0, 1, h, kOutline);
    p.FillRect(w - 1, 0, 1, h, kOutline);
    p.FillRect(0, h - 1, w, 1, kOutline);
    return p;
}

Picture Post(Place land) {
    Picture p(56, 96, kKey);
    switch (land) {
        case Place::Celtic:  // standing stone with a spiral
            p.FillEllipse(28, 40, 20, 36, Own(PlaceRamp::Wall, 4));
            p.FillRect(8, 40, 41, 54, Own(PlaceRamp::Wall, 4));
            p.ShadedRect(8, 40, 41, 54, Ramp::Slate, 3, 5);
            for (int t = 0; t < 64; ++t) p.Plot(28 + Cosine64(t * 2) * (t / 6) / 256, 40 + Sine64(t * 2) * (t / 6) / 256, Own(PlaceRamp::Deep, 3));
            break;
        case Place::Funland:  // striped pole with a balloon
            for (int y = 30; y < 96; ++y) p.FillRect(22, y, 12, 1, (y / 8 % 2) ? Own(PlaceRamp::Flower, 4) : Common(Ramp::Grey, 7));
            p.ShadedEllipse(28, 18, 16, 17, Ramp::Red, 2, 6);
            p.FillRect(8, 84, 40, 12, Own(PlaceRamp::Roof, 3));
            break;
        case Place::Aussie:  // boulder
            p.FillEllipse(28, 66, 27, 29, Own(PlaceRamp::Wall, 3));
            p.FillEllipse(22, 56, 16, 16, Own(PlaceRamp::Wall, 5));
            p.FillEllipse(38, 40, 6, 4, Own(PlaceRamp::Foliage, 4));
            break;
        case Place::Jazzland:  // lamp post on a block
            p.FillRect(6, 70, 44, 26, Own(PlaceRamp::Wall, 3));
            p.FillRect(25, 14, 6, 58, Common(Ramp::Slate, 2));
            p.FillEllipse(28, 12, 12, 10, Own(PlaceRamp::Light, 6));
            p.FillEllipse(28, 12, 6, 5, Own(PlaceRamp::Light, 7));
            break;
        case Place::Eastern:  // stone lantern
            p.FillRect(16, 70, 24, 26, Own(PlaceRamp::PathEdge, 4));
            p.FillRect(10, 40, 36, 30, Own(PlaceRamp::PathEdge, 5));
            p.FillRect(18, 46, 20, 16, Own(PlaceRamp::Light, 6));
            p.FillPolygon({{2, 40}, {28, 14}, {54, 40}}, Own(PlaceRamp::Roof, 3));
            break;
        case Place::Wetland:
        default:  // tree stump with a mushroom
            p.FillRect(10, 40, 36, 56, Own(PlaceRamp::Wood, 3));
            p.FillEllipse(28, 40, 18, 7, Own(PlaceRamp::Wood, 5));
            p.FillEllipse(28, 40, 10, 4, Own(PlaceRamp::Wood, 4));
            p.FillEllipse(40, 70, 8, 5, Own(PlaceRamp::Accent2, 4));
            p.FillRect(39, 74, 3, 6, Common(Ramp::Grey, 7));
            break;
    }
    p.Outline(kKey, kOutline);
    return p;
}

// A bushy tree whose crown comes down near the ground, so what stops the dog
// (the crown and the trunk) is what it sees in its way.
Picture Tree(Place land) {
    Picture p(84, 112, kKey);
    const PlaceRamp canopy = (land == Place::Eastern || land == Place::Funland) ? PlaceRamp::Flower : PlaceRamp::Foliage;
    p.FillPolygon({{36, 76}, {48, 76}, {52, 110}, {32, 110}}, Own(PlaceRamp::Wood, 3));
    if (land == Place::Jazzland) {  // a little club: brick front, awning, a neon note
        p.FillRect(6, 40, 72, 70, Own(PlaceRamp::Wall, 3));
        for (int y = 44; y < 110; y += 6) p.FillRect(6, y, 72, 1, Own(PlaceRamp::Deep, 3));
        p.FillRect(2, 32, 80, 10, Own(PlaceRamp::Deep, 2));
        for (int x = 4; x < 80; x += 10) p.FillRect(x, 42, 10, 10, (x / 10 % 2) ? Own(PlaceRamp::Accent, 5) : Common(Ramp::Grey, 7));
        p.FillRect(30, 70, 24, 40, Own(PlaceRamp::Deep, 1));
        p.FillRect(12, 60, 12, 14, Own(PlaceRamp::Light, 6));
        p.FillRect(60, 60, 12, 14, Own(PlaceRamp::Light, 6));
        p.FillEllipse(38, 22, 7, 5, Own(PlaceRamp::Flower, 6));
        p.FillRect(43, 4, 3, 18, Own(PlaceRamp::Flower, 6));
        p.FillPolygon({{45, 4}, {56, 9}, {56, 14}, {45, 9}}, Own(PlaceRamp::Flower, 6));
        p.Outline(kKey, kOutline);
        return p;
    }
    if (land == Place::Funland) {  // a striped tent with a pennant
        p.FillPolygon({{2, 106}, {42, 22}, {82, 106}}, Own(PlaceRamp::Accent, 5));
        for (int k = 0; k < 4; ++k) p.FillPolygon({{2 + k * 20, 106}, {42, 22}, {12 + k * 20, 106}}, Common(Ramp::Grey, 7));
        p.FillPolygon({{32, 110}, {42, 74}, {52, 110}}, Own(PlaceRamp::Deep, 2));
        p.Line(42, 22, 42, 4, Common(Ramp::Slate, 3), 2);
        p.FillPolygon({{43, 4}, {60, 9}, {43, 14}}, Own(PlaceRamp::Flower, 5));
        p.Outline(kKey, kOutline);
        return p;
    }
    if (land == Place::Wetland) {  // willow: drooping strands
        p.ShadedEllipse(42, 50, 38, 32, Ramp::Leaf, 2, 5);
        for (int x = 8; x < 78; x += 6) p.Line(x, 50, x + 2, 94 - (x % 12), Own(PlaceRamp::Foliage, 3 + (x % 12 == 2)), 2);
    } else if (land == Place::Aussie) {  // gum tree: pale trunk, airy crown
        p.FillPolygon({{36, 56}, {48, 56}, {52, 110}, {32, 110}}, Own(PlaceRamp::Roof, 6));
        for (int k = 0; k < 5; ++k) p.FillEllipse(18 + k * 12, 40 + (k % 2) * 14, 16, 13, Own(PlaceRamp::Foliage, 3 + k % 2));
    } else {
        p.FillEllipse(42, 54, 38, 36, Own(canopy, 3));
        p.FillEllipse(34, 46, 26, 24, Own(canopy, 4));
        p.FillEllipse(28, 38, 12, 10, Own(canopy, 5));
        if (land == Place::Celtic) {
            for (int k = 0; k < 5; ++k) p.FillEllipse(20 + k * 11, 44 + (k * 13) % 30, 3, 3, Own(PlaceRamp::Accent2, 4));
        }
    }
    p.Outline(kKey, kOutline);
    return p;
}

Picture Prop(Place land) {
    Picture p(72, 80, kKey);
    switch (land) {
        case Place::Celtic:  // a harp on a mossy stone
            p.FillEllipse(36, 68, 30, 12, Own(PlaceRamp::Wall, 4));
            p.FillEllipse(30, 64, 16, 5, Own(PlaceRamp::Foliage, 4));
            p.Line(22, 60, 18, 8, Common(Ramp::Gold, 4), 4);                 // pillar
            p.Line(18, 8, 54, 20, Common(Ramp::Gold, 5), 4);                 // neck
            p.Line(54, 20, 40, 60, Common(Ramp::Gold, 4), 5);                // sound box
            for (int k = 1; k < 6; ++k) p.Line(18 + k * 6, 10 + k * 2, 22 + k * 3, 60 - k * 0, Common(Ramp::Grey, 7), 1);
            break;
        case Place::Funland:  // balloon seller's stand
            p.FillRect(20, 50, 32, 30, Own(PlaceRamp::Accent, 5));
            p.FillRect(20, 50, 32, 6, Own(PlaceRamp::Flower, 4));
            for (int k = 0; k < 4; ++k) {
                const int x = 14 + k * 15, y = 14 + (k % 2) * 10;
                p.Line(x, y, 36, 50, Common(Ramp::Grey, 6), 1);
                p.ShadedEllipse(x, y, 9, 11, k % 2 ? Ramp::Blue : Ramp::Pink, 2, 6);
            }
            break;
        case Place::Aussie:  // termite mound
            p.FillPolygon({{12, 80}, {26, 10}, {40, 4}, {50, 24}, {62, 80}}, Own(PlaceRamp::Ground, 4));
            p.FillPolygon({{20, 80}, {30, 24}, {40, 14}, {44, 80}}, Own(PlaceRamp::Ground, 5));
            break;
        case Place::Jazzland:  // a bench with a saxophone case
            p.FillRect(4, 44, 64, 8, Own(PlaceRamp::Wood, 4));
            p.FillRect(4, 30, 64, 6, Own(PlaceRamp::Wood, 5));
            p.FillRect(8, 52, 4, 20, Common(Ramp::Slate, 2));
            p.FillRect(60, 52, 4, 20, Common(Ramp::Slate, 2));
            p.FillEllipse(46, 66, 14, 10, Own(PlaceRamp::Accent2, 3));
            break;
        case Place::Eastern:  // bamboo clump
            for (int k = 0; k < 6; ++k) {
                const int x = 10 + k * 10;
                p.FillRect(x, 6 + (k % 3) * 8, 6, 74 - (k % 3) * 8, Own(PlaceRamp::Accent2, 4 + k % 2));
                for (int y = 16; y < 80; y += 14) p.FillRect(x, y, 6, 2, Own(PlaceRamp::Accent2, 2));
                p.FillEllipse(x + 8, 12 + (k % 3) * 8, 7, 2, Own(PlaceRamp::Foliage, 4));
            }
            break;
        case Place::Wetland:
        default:  // a rowing boat pulled up among reeds
            for (int x = 4; x < 70; x += 7) {
                p.Line(x, 78, x + 2 - (x % 3), 20 + (x * 7) % 24, Own(PlaceRamp::Foliage, 3 + x % 2), 2);
                if (x % 3 == 0) p.FillEllipse(x + 2 - (x % 3), 20 + (x * 7) % 24, 2, 5, Own(PlaceRamp::Wood, 2));
            }
            p.FillPolygon({{2, 56}, {70, 56}, {60, 76}, {12, 76}}, Own(PlaceRamp::Wood, 4));
            p.FillRect(6, 56, 62, 4, Own(PlaceRamp::Wood, 6));
            p.FillRect(30, 60, 12, 3, Own(PlaceRamp::Wood, 2));
            p.Line(20, 58, 54, 46, Own(PlaceRamp::Wood, 3), 2);  // an oar
            break;
    }
    p.Outline(kKey, kOutline);
    return p;
}

// A building with a door in the middle of its base. big: the main hall with a
// lemon over the door.
Picture Building(Place land, bool big) {
    const int w = big ? 220 : 150, h = big ? 200 : 150;
    Picture p(w, h, kKey);
    const int wallTop = h * 45 / 100;
    const PlaceRamp body = (land == Place::Funland) ? PlaceRamp::Accent : (land == Place::Jazzland ? PlaceRamp::Wall : PlaceRamp::Path);
    p.ShadedRect(10, wallTop, w - 20, h - wallTop, Ramp::Fur, 3, 6);
    for (int y = wallTop; y < h; ++y)
        for (int x = 10; x < w - 10; ++x)
            if ((Hash(x, y, 3) % 5) != 0) p.Plot(x, y, Own(body, 4 + (x < w / 3) - (x > 2 * w / 3)));
    switch (land) {
        case Place::Celtic:
        case Place::Funland: {  // cone roof (thatch or tent)
            const PlaceRamp roof = land == Place::Celtic ? PlaceRamp::Roof : PlaceRamp::Flower;
            p.FillPolygon({{0, wallTop + 8}, {w / 2, 4}, {w - 1, wallTop + 8}}, Own(roof, 4));
            for (int x = 0; x < w; x += 14)
                p.Line(w / 2, 6, x, wallTop + 8, Own(roof, land == Place::Funland && x / 14 % 2 ? 6 : 2), 1);
            break;
        }
        case Place::Aussie:  // tin roof
            p.FillPolygon({{0, wallTop + 6}, {12, wallTop - 30}, {w - 12, wallTop - 30}, {w - 1, wallTop + 6}}, Own(PlaceRamp::Roof, 4));
            for (int x = 6; x < w - 6; x += 8) p.Line(x, wallTop - 28, x, wallTop + 4, Own(PlaceRamp::Roof, 6), 1);
            break;
        case Place::Jazzland:  // flat roof, striped awning, a neon note
            p.FillRect(6, wallTop - 40, w - 12, 44, Own(PlaceRamp::Wall, 3));
            for (int x = 20; x < w - 20; x += 12) p.FillRect(x, wallTop - 6, 12, 14, (x / 12 % 2) ? Own(PlaceRamp::Accent, 5) : Common(Ramp::Grey, 7));
            p.FillEllipse(w / 2 - 6, wallTop - 16, 7, 5, Own(PlaceRamp::Flower, 5));
            p.FillRect(w / 2, wallTop - 36, 3, 20, Own(PlaceRamp::Flower, 5));
            break;
        case Place::Eastern:  // curved pagoda roof
            p.FillPolygon({{0, wallTop}, {20, wallTop - 24}, {w - 20, wallTop - 24}, {w - 1, wallTop}, {w - 16, wallTop - 8}, {16, wallTop - 8}}, Own(PlaceRamp::Roof, 3));
            p.FillPolygon({{24, wallTop - 24}, {w / 2, wallTop - 60}, {w - 24, wallTop - 24}}, Own(PlaceRamp::Roof, 4));
            p.FillRect(16, wallTop, 8, h - wallTop, Own(PlaceRamp::Wall, 3));
            p.FillRect(w - 24, wallTop, 8, h - wallTop, Own(PlaceRamp::Wall, 3));
            break;
        case Place::Wetland:
        default:  // hut on stilts with a pitched roof
            p.FillPolygon({{0, wallTop + 4}, {w / 2, wallTop - 50}, {w - 1, wallTop + 4}}, Own(PlaceRamp::Roof, 4));
            for (int x = 16; x < w - 10; x += 30) p.FillRect(x, h - 16, 6, 16, Own(PlaceRamp::Wood, 2));
            break;
    }
    // Windows either side and the door in the middle (its opening is dark but
    // not black, so it stays visible).
    p.FillRect(22, wallTop + 18, 22, 20, Own(PlaceRamp::Light, 5));
    p.FillRect(w - 44, wallTop + 18, 22, 20, Own(PlaceRamp::Light, 5));
    const int dw = big ? 54 : 40, dh = big ? 74 : 56;
    p.FillRect(w / 2 - dw / 2 - 4, h - dh - 4, dw + 8, dh + 4, Own(PlaceRamp::Wood, 4));
    p.FillEllipse(w / 2, h - dh, dw / 2, dw / 3, Own(PlaceRamp::Deep, 2));
    p.FillRect(w / 2 - dw / 2, h - dh, dw, dh, Own(PlaceRamp::Deep, 2));
    if (big) {  // the golden lemon of the lock over the door
        p.ShadedEllipse(w / 2, h - dh - 30, 22, 13, Ramp::Yellow, 3, 7);
        p.FillEllipse(w / 2 - 23, h - dh - 30, 3, 2, Common(Ramp::Yellow, 3));
    }
    p.Outline(kKey, kOutline);
    return p;
}

// The way home: an arch with a paw sign.
Picture Gate() {
    Picture p(120, 110, kKey);
    p.FillRect(8, 30, 18, 80, Own(PlaceRamp::Wood, 3));
    p.FillRect(94, 30, 18, 80, Own(PlaceRamp::Wood, 3));
    p.FillRect(0, 18, 120, 18, Own(PlaceRamp::Wood, 4));
    p.FillRect(36, 0, 48, 26, Common(Ramp::Grey, 7));
    p.FillEllipse(60, 15, 7, 6, Common(Ramp::Brown, 2));
    for (int k = 0; k < 4; ++k) p.FillEllipse(48 + k * 8, 6 + (k % 3 == 0 ? 2 : 0), 3, 3, Common(Ramp::Brown, 2));
    p.FillRect(26, 104, 68, 6, Own(PlaceRamp::PathEdge, 3));
    p.Outline(kKey, kOutline);
    return p;
}

// A mound with a hole in its face, the hole's opening near the top middle.
Picture Hole(Place land) {
    Picture p(96, 80, kKey);
    const PlaceRamp mound = land == Place::Jazzland ? PlaceRamp::Wall : PlaceRamp::Ground;
    p.FillEllipse(48, 60, 47, 30, Own(mound, 3));
    p.FillEllipse(48, 40, 34, 36, Own(mound, 4));
    p.FillEllipse(48, 34, 22, 22, Own(PlaceRamp::Deep, 1));
    p.FillEllipse(48, 40, 16, 14, Own(PlaceRamp::Deep, 0));
    p.FillRect(0, 0, 96, 6, kKey);
    p.Outline(kKey, kOutline);
    return p;
}

Picture IconPost() {
    Picture p(16, 110, kKey);
    p.ShadedRect(4, 4, 8, 104, Ramp::Brown, 2, 5);
    p.FillEllipse(8, 4, 5, 4, Common(Ramp::Gold, 5));
    p.FillRect(0, 102, 16, 8, Common(Ramp::Brown, 1));
    p.Outline(kKey, kOutline);
    return p;
}

std::vector<Picture> Frames(int n, int w, int h) { return std::vector<Picture>(size_t(n), Picture(w, h, kKey)); }

Picture Fountain() {
    auto frames = Frames(6, 110, 100);
    for (int f = 0; f < 6; ++f) {
        Picture& p = frames[size_t(f)];
        p.FillEllipse(55, 78, 52, 20, Own(PlaceRamp::Wall, 4));
        p.FillEllipse(55, 76, 44, 14, Own(PlaceRamp::Water, 4 + (f % 2)));
        p.FillRect(50, 30, 10, 46, Own(PlaceRamp::Wall, 5));
        for (int k = 0; k < 6; ++k) {
            const int phase = (k * 11 + f * 5) % 30;
            const int x = 55 + (k % 2 ? 1 : -1) * (6 + phase), y = 24 + phase * phase / 18;
            p.FillEllipse(x, y, 2, 3, Own(PlaceRamp::Water, 6));
        }
        p.FillEllipse(55, 22, 8, 8, Own(PlaceRamp::Water, 6 + (f % 2)));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

Picture Windmill(Place land) {
    auto frames = Frames(8, 110, 150);
    for (int f = 0; f < 8; ++f) {
        Picture& p = frames[size_t(f)];
        if (land == Place::Aussie) {  // lattice wind pump
            p.Line(40, 148, 55, 46, Common(Ramp::Slate, 3), 3);
            p.Line(70, 148, 55, 46, Common(Ramp::Slate, 3), 3);
            for (int y = 70; y < 148; y += 20) p.Line(40 + (148 - y) * 15 / 102, y, 70 - (148 - y) * 15 / 102, y, Common(Ramp::Slate, 4), 1);
        } else {
            p.FillPolygon({{34, 148}, {44, 56}, {66, 56}, {76, 148}}, Own(PlaceRamp::Wall, 5));
            p.FillRect(48, 120, 14, 28, Own(PlaceRamp::Deep, 2));
        }
        for (int b = 0; b < 4; ++b) {
            const int a = f * 2 + b * 16;
            const int ex = 55 + Cosine64(a) * 44 / 256, ey = 46 + Sine64(a) * 44 / 256;
            p.Line(55, 46, ex, ey, Own(PlaceRamp::Wood, 3), 3);
            p.Line((55 + ex) / 2, (46 + ey) / 2, ex, ey, Own(PlaceRamp::Accent, 6), 7);
        }
        p.FillEllipse(55, 46, 5, 5, Own(PlaceRamp::Wood, 2));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

Picture WaterWheel() {
    auto frames = Frames(8, 120, 120);
    for (int f = 0; f < 8; ++f) {
        Picture& p = frames[size_t(f)];
        p.FillRect(0, 96, 120, 24, Own(PlaceRamp::Water, 4));
        p.FillEllipse(60, 60, 46, 46, Own(PlaceRamp::Wood, 3));
        p.FillEllipse(60, 60, 38, 38, kKey);
        for (int b = 0; b < 8; ++b) {
            const int a = f + b * 8;
            const int ex = 60 + Cosine64(a) * 50 / 256, ey = 60 + Sine64(a) * 50 / 256;
            p.Line(60, 60, ex, ey, Own(PlaceRamp::Wood, 4), 3);
            p.FillEllipse(ex, ey, 6, 6, Own(PlaceRamp::Wood, 5));
        }
        p.FillEllipse(60, 60, 7, 7, Own(PlaceRamp::Wood, 2));
        for (int k = 0; k < 6; ++k) p.Plot(10 + (k * 19 + f * 3) % 100, 100 + (k * 7) % 16, Own(PlaceRamp::Water, 7));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

Picture Carousel() {
    auto frames = Frames(6, 150, 130);
    for (int f = 0; f < 6; ++f) {
        Picture& p = frames[size_t(f)];
        p.FillEllipse(75, 112, 70, 16, Own(PlaceRamp::Wall, 4));
        p.FillRect(72, 30, 6, 80, Common(Ramp::Gold, 5));
        for (int k = 0; k < 5; ++k) {
            const int a = f * 2 + k * 13;
            const int x = 75 + Cosine64(a) * 58 / 256, y = 86 + Sine64(a) * 10 / 256;
            p.FillRect(x - 1, 30, 2, y - 30, Common(Ramp::Gold, 6));
            p.FillEllipse(x, y, 10, 7, k % 2 ? Common(Ramp::Grey, 7) : Own(PlaceRamp::Flower, 5));
            p.FillEllipse(x + 8, y - 6, 4, 4, k % 2 ? Common(Ramp::Grey, 7) : Own(PlaceRamp::Flower, 5));
        }
        p.FillPolygon({{4, 34}, {75, 2}, {146, 34}}, Own(PlaceRamp::Roof, 4));
        for (int x = 4; x < 146; x += 16) p.FillPolygon({{x, 34}, {x + 16, 34}, {75, 2}}, (x / 16 + f) % 2 ? Own(PlaceRamp::Accent, 5) : Common(Ramp::Grey, 7));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

Picture NeonSign() {
    auto frames = Frames(4, 90, 140);
    for (int f = 0; f < 4; ++f) {
        Picture& p = frames[size_t(f)];
        p.FillRect(42, 70, 6, 70, Common(Ramp::Slate, 2));
        p.FillRect(4, 4, 82, 70, Own(PlaceRamp::Deep, 2));
        const uint8_t on = Own(f % 2 ? PlaceRamp::Flower : PlaceRamp::Accent, 6);
        p.FillEllipse(34, 52, 11, 8, on);
        p.FillRect(42, 14, 4, 38, on);
        p.FillPolygon({{44, 14}, {66, 22}, {66, 30}, {44, 22}}, on);
        if (f >= 2) p.FillEllipse(68, 44, 6, 5, Own(PlaceRamp::Accent2, 6));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

Picture Banner() {
    auto frames = Frames(6, 70, 130);
    for (int f = 0; f < 6; ++f) {
        Picture& p = frames[size_t(f)];
        p.FillRect(6, 4, 5, 126, Common(Ramp::Slate, 4));
        for (int x = 11; x < 66; ++x) {
            const int wave = Sine64(x * 2 - f * 11) * 5 / 256;
            p.FillRect(x, 8 + wave, 1, 30, ((x / 9) % 2) ? Own(PlaceRamp::Accent, 5) : Own(PlaceRamp::Accent2, 5));
        }
        p.FillEllipse(8, 4, 4, 4, Common(Ramp::Gold, 6));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

// Actor kind 1: a flower that opens, or a box whose lid lifts and lets a
// smiling spring toy out.
Picture Proximity(Place land) {
    const bool flower = land == Place::Celtic || land == Place::Eastern || land == Place::Wetland;
    auto frames = Frames(6, 80, 96);
    for (int f = 0; f < 6; ++f) {
        Picture& p = frames[size_t(f)];
        if (flower) {
            const PlaceRamp petal = land == Place::Wetland ? PlaceRamp::Flower : PlaceRamp::Accent2;
            p.Line(40, 94, 40, 50, Own(PlaceRamp::Foliage, 3), 3);
            p.FillEllipse(28, 80, 10, 4, Own(PlaceRamp::Foliage, 4));
            p.FillEllipse(52, 84, 10, 4, Own(PlaceRamp::Foliage, 4));
            const int open = f * 3;  // petals spread as it opens
            for (int k = 0; k < 6; ++k) {
                const int a = k * 64 / 6 + 16;
                const int r = 4 + open;
                p.FillEllipse(40 + Cosine64(a) * r / 256, 40 + Sine64(a) * r / 256, 8, 12 - f, Own(petal, 4 + k % 2));
            }
            if (f > 1) p.FillEllipse(40, 40, 3 + f, 3 + f, Own(PlaceRamp::Light, 6));
        } else {
            p.ShadedRect(14, 56, 52, 40, Ramp::Red, 3, 5);
            p.FillRect(14, 74, 52, 4, Common(Ramp::Gold, 5));
            const int lift = f * 10;
            if (f > 0) {
                for (int y = 56 - lift; y < 56; y += 4) p.Line(34, y, 46, y + 2, Common(Ramp::Slate, 5), 2);
                p.ShadedEllipse(40, 44 - lift, 13, 13, Ramp::Fur, 3, 6);
                p.FillEllipse(35, 41 - lift, 2, 2, kOutline);
                p.FillEllipse(45, 41 - lift, 2, 2, kOutline);
                p.Line(34, 49 - lift, 46, 49 - lift, Common(Ramp::Red, 2), 2);
                p.FillPolygon({{30, 32 - lift}, {40, 14 - lift}, {50, 32 - lift}}, Own(PlaceRamp::Accent, 5));
            }
            p.FillRect(10, 50 - lift * 2 / 3, 60, 8, Common(Ramp::Red, 2));
        }
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

// Actor kind 5: frame f looks towards direction (f + 5) mod 8, where 0 is up
// and the directions run clockwise.
Picture Watcher(Place land) {
    static const int kLook[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
    const PlaceRamp body = (land == Place::Jazzland || land == Place::Aussie) ? PlaceRamp::Roof : PlaceRamp::Wood;
    auto frames = Frames(8, 48, 64);
    for (int f = 0; f < 8; ++f) {
        Picture& p = frames[size_t(f)];
        const int d = (f + 5) % 8;
        p.FillEllipse(24, 40, 20, 22, Own(body, 3));
        p.FillEllipse(24, 46, 12, 14, Own(body, 5));
        p.FillPolygon({{6, 22}, {10, 6}, {18, 18}}, Own(body, 3));
        p.FillPolygon({{42, 22}, {38, 6}, {30, 18}}, Own(body, 3));
        for (int e = 0; e < 2; ++e) {
            const int ex = 16 + e * 16, ey = 28;
            p.FillEllipse(ex, ey, 7, 7, Common(Ramp::Grey, 7));
            p.FillEllipse(ex + kLook[d][0] * 3, ey + kLook[d][1] * 3, 3, 3, kOutline);
        }
        p.FillPolygon({{21, 36}, {27, 36}, {24, 42}}, Common(Ramp::Orange, 4));
        p.Outline(kKey, kOutline);
    }
    return JoinStrip(frames, kKey);
}

ArtPiece Piece(const std::string& file, Picture picture, Rect footprint, int frames = 1) {
    ArtPiece piece;
    piece.file = file;
    piece.picture = std::move(picture);
    piece.footprint = footprint;
    piece.frames = frames;
    return piece;
}

}  // namespace

LandArt MakeLandArt(Place land) {
    LandArt a;
    // Footprints reach up to this row of each piece: the dog cannot stand
    // where a piece drawn in front of it would hide more than a third of it,
    // and since it is stopped only by opaque pixels, it is stopped by what it
    // sees and walks through what is see-through (an arch, the key colour).
    constexpr int kBlockFrom = 16;
    // Barriers leave room below them for the dog arriving out of a door.
    constexpr int kBarrierFrom = 24;
    const int wallH = 72;
    a.wallH = Piece("art\\wallh.bmp", Barrier(land, kCellSize, wallH, 1), {0, kBarrierFrom, kCellSize, wallH});
    a.wallV = Piece("art\\wallv.bmp", Barrier(land, 48, wallH, 2), {4, kBarrierFrom, 44, wallH});
    a.post = Piece("art\\post.bmp", Post(land), {4, 40, 52, 96});
    a.tree = Piece("art\\tree.bmp", Tree(land), {8, 48, 76, 112});
    a.prop = Piece("art\\prop.bmp", Prop(land), {6, kBlockFrom, 66, 80});
    a.hut = Piece("art\\hut.bmp", Building(land, false), {8, 40, 142, 150});
    a.hall = Piece("art\\hall.bmp", Building(land, true), {8, 50, 212, 200});
    a.gate = Piece("art\\gate.bmp", Gate(), {0, 80, 120, 110});
    a.hole = Piece("art\\hole.bmp", Hole(land), {0, kBlockFrom, 96, 80});
    a.iconPost = Piece("art\\iconpost.bmp", IconPost(), {0, 105, 16, 110});
    switch (land) {
        case Place::Celtic:
        case Place::Eastern: a.anim = Piece("art\\fountain.bmp", Fountain(), {5, 70, 105, 100}, 6); break;
        case Place::Aussie: a.anim = Piece("art\\windmill.bmp", Windmill(land), {30, 126, 80, 150}, 8); break;
        case Place::Funland: a.anim = Piece("art\\carousel.bmp", Carousel(), {10, 100, 140, 130}, 6); break;
        case Place::Jazzland: a.anim = Piece("art\\neon.bmp", NeonSign(), {36, 120, 54, 140}, 4); break;
        default: a.anim = Piece("art\\wheel.bmp", WaterWheel(), {10, 96, 110, 120}, 8); break;
    }
    a.banner = Piece("art\\banner.bmp", Banner(), {2, 120, 16, 130}, 6);
    a.proximity = Piece("art\\wakeup.bmp", Proximity(land), {0, 91, 80, 96}, 6);
    a.watcher = Piece("art\\watcher.bmp", Watcher(land), {0, 100, 0, 101}, 8);
    a.hutDoor = {75 - 22, 150 - 50, 75 + 22, 150 + 4};
    a.hallDoor = {110 - 30, 200 - 60, 110 + 30, 200 + 4};
    a.gateArea = {30, 70, 90, 110 + 4};
    a.holeArea = {28, 4, 68, 52};
    return a;
}

std::vector<const ArtPiece*> AllPieces(const LandArt& a) {
    return {&a.wallH, &a.wallV, &a.post, &a.tree, &a.prop, &a.hut, &a.hall, &a.gate, &a.hole,
            &a.iconPost, &a.anim, &a.banner, &a.proximity, &a.watcher};
}

}  // namespace assetgen
