#include "assetgen/world_icons.h"

#include "assetgen/art_bmp_writer.h"
#include "world/pedestal_strip.h"

namespace assetgen {
namespace {

using world::palette_plan::Common;
using world::palette_plan::CommonPalette;
using world::palette_plan::kGreenKey;
using world::palette_plan::kOutline;

constexpr uint8_t C(Ramp r, int s) { return Common(r, s); }
constexpr int kIconSize = 56;

const CategoryNames kCategories[kCategoryCount] = {
    {"balls", "tbalflag.bmp", "ballflag.bmp"},     {"Crockery", "TpotFlag.bmp", "crockflg.bmp"},
    {"Footware", "hHeelflg.bmp", "shoeflag.bmp"},  {"fruit", "applflag.bmp", "fruitflg.bmp"},
    {"Hats", "tophtflg.bmp", "hatflag.bmp"},       {"Sweets", "cndyflag.bmp", "sweetflg.bmp"},
};

void Balls(Picture& p, int i) {
    const int c = 28;
    switch (i) {
        case 0:  // beach ball: coloured segments
            p.ShadedEllipse(c, c, 24, 24, Ramp::Grey, 5, 7);
            for (int y = -24; y <= 24; ++y)
                for (int x = -24; x <= 24; ++x) {
                    if (x * x + y * y > 24 * 24) continue;
                    const int seg = ((x + 30) * 3 / 20) % 3;
                    const Ramp r = seg == 0 ? Ramp::Red : seg == 1 ? Ramp::Blue : Ramp::Yellow;
                    if ((x + 30) / 10 % 2 == 0) p.Plot(c + x, c + y, C(r, 4 - (x + y > 20)));
                }
            p.FillEllipse(c - 8, c - 10, 4, 3, C(Ramp::Grey, 7));
            break;
        case 1:  // football: white with dark patches
            p.ShadedEllipse(c, c, 24, 24, Ramp::Grey, 4, 7);
            p.FillPolygon({{c - 5, c - 6}, {c + 5, c - 6}, {c + 8, c + 3}, {c, c + 9}, {c - 8, c + 3}}, C(Ramp::Grey, 1));
            p.FillEllipse(c - 18, c - 6, 4, 5, C(Ramp::Grey, 1));
            p.FillEllipse(c + 18, c - 6, 4, 5, C(Ramp::Grey, 1));
            p.FillEllipse(c - 10, c + 18, 5, 4, C(Ramp::Grey, 1));
            p.FillEllipse(c + 10, c + 18, 5, 4, C(Ramp::Grey, 1));
            p.FillEllipse(c, c - 21, 6, 3, C(Ramp::Grey, 1));
            break;
        case 2:  // tennis ball: yellow-green with a white seam
            p.ShadedEllipse(c, c, 20, 20, Ramp::Yellow, 2, 6);
            for (int t = 0; t < 64; ++t) {
                // The seam: an S curve across the ball.
                const int x = c - 18 + t * 36 / 64, y = c + Sine64(t) * 9 / 256;
                p.FillEllipse(x, y, 1, 1, C(Ramp::Grey, 7));
            }
            break;
        case 3:  // basketball: orange with dark lines
            p.ShadedEllipse(c, c, 24, 24, Ramp::Orange, 1, 5);
            p.Line(c - 24, c, c + 24, c, C(Ramp::Brown, 0), 2);
            p.Line(c, c - 24, c, c + 24, C(Ramp::Brown, 0), 2);
            for (int y = -22; y <= 22; ++y) {
                const int bow = 10 - y * y / 50;
                p.Plot(c - 12 - bow / 2, c + y, C(Ramp::Brown, 0));
                p.Plot(c + 12 + bow / 2, c + y, C(Ramp::Brown, 0));
            }
            break;
        case 4:  // bowling ball: blue with three finger holes
            p.ShadedEllipse(c, c, 24, 24, Ramp::Purple, 0, 5);
            p.FillEllipse(c - 6, c - 10, 3, 3, C(Ramp::Grey, 0));
            p.FillEllipse(c + 4, c - 12, 3, 3, C(Ramp::Grey, 0));
            p.FillEllipse(c - 1, c - 2, 3, 3, C(Ramp::Grey, 0));
            break;
        default:  // rugby ball: brown oval with laces
            p.ShadedEllipse(c, c, 26, 15, Ramp::Brown, 2, 6);
            p.Line(c - 10, c - 2, c + 10, c - 2, C(Ramp::Grey, 7), 2);
            for (int x = -8; x <= 8; x += 4) p.Line(c + x, c - 5, c + x, c + 1, C(Ramp::Grey, 7), 1);
            break;
    }
}

void Crockery(Picture& p, int i) {
    switch (i) {
        case 0:  // teapot
            p.ShadedEllipse(28, 34, 18, 15, Ramp::Sky, 2, 6);
            p.Line(44, 30, 53, 18, C(Ramp::Sky, 3), 4);
            p.FillEllipse(9, 32, 6, 9, C(Ramp::Sky, 3));
            p.FillEllipse(9, 32, 3, 5, kGreenKey);
            p.FillRect(18, 17, 20, 5, C(Ramp::Sky, 4));
            p.FillEllipse(28, 14, 3, 3, C(Ramp::Sky, 5));
            p.FillEllipse(24, 36, 3, 3, C(Ramp::Pink, 5));
            p.FillEllipse(33, 38, 3, 3, C(Ramp::Pink, 5));
            break;
        case 1:  // cup and saucer
            p.FillEllipse(28, 46, 24, 6, C(Ramp::Grey, 6));
            p.FillPolygon({{12, 20}, {44, 20}, {40, 44}, {16, 44}}, C(Ramp::Red, 5));
            p.FillRect(12, 20, 33, 4, C(Ramp::Red, 6));
            p.FillEllipse(47, 30, 6, 7, C(Ramp::Red, 4));
            p.FillEllipse(47, 30, 3, 4, kGreenKey);
            break;
        case 2:  // plate with a pattern
            p.ShadedEllipse(28, 30, 26, 18, Ramp::Grey, 5, 7);
            p.FillEllipse(28, 30, 18, 12, C(Ramp::Blue, 5));
            p.FillEllipse(28, 30, 15, 10, C(Ramp::Grey, 7));
            p.FillEllipse(28, 30, 5, 4, C(Ramp::Blue, 3));
            break;
        case 3:  // jug
            p.FillPolygon({{16, 14}, {38, 14}, {44, 50}, {12, 50}}, C(Ramp::Yellow, 5));
            p.FillPolygon({{14, 14}, {6, 8}, {20, 12}}, C(Ramp::Yellow, 5));
            p.FillEllipse(44, 30, 7, 11, C(Ramp::Yellow, 3));
            p.FillEllipse(44, 30, 4, 7, kGreenKey);
            p.FillRect(14, 30, 28, 4, C(Ramp::Orange, 4));
            break;
        case 4:  // bowl
            p.FillEllipse(28, 28, 26, 8, C(Ramp::Teal, 6));
            for (int y = 28; y < 50; ++y) {
                const int half = 26 - (y - 28) * (y - 28) / 26;
                p.FillRect(28 - half, y, 2 * half, 1, C(Ramp::Teal, 3 + (y < 36)));
            }
            p.FillEllipse(28, 28, 22, 5, C(Ramp::Teal, 1));
            break;
        default:  // mug with a heart
            p.ShadedRect(10, 12, 30, 38, Ramp::Leaf, 2, 6);
            p.FillEllipse(43, 30, 9, 10, C(Ramp::Leaf, 3));
            p.FillEllipse(43, 30, 5, 6, kGreenKey);
            p.FillEllipse(21, 28, 4, 4, C(Ramp::Red, 4));
            p.FillEllipse(29, 28, 4, 4, C(Ramp::Red, 4));
            p.FillPolygon({{17, 30}, {33, 30}, {25, 40}}, C(Ramp::Red, 4));
            break;
    }
}

void Footware(Picture& p, int i) {
    switch (i) {
        case 0:  // high heel
            p.FillPolygon({{4, 36}, {30, 40}, {48, 24}, {54, 26}, {52, 34}, {38, 48}, {6, 46}}, C(Ramp::Red, 4));
            p.FillRect(48, 30, 5, 20, C(Ramp::Red, 2));
            p.FillEllipse(14, 38, 8, 3, C(Ramp::Red, 6));
            break;
        case 1:  // boot
            p.FillPolygon({{16, 6}, {36, 6}, {36, 36}, {52, 40}, {52, 50}, {12, 50}}, C(Ramp::Brown, 3));
            p.FillRect(12, 46, 41, 5, C(Ramp::Brown, 0));
            p.FillRect(16, 6, 21, 6, C(Ramp::Brown, 5));
            break;
        case 2:  // trainer
            p.FillPolygon({{4, 30}, {20, 22}, {36, 24}, {52, 36}, {52, 46}, {4, 46}}, C(Ramp::Sky, 5));
            p.FillRect(4, 42, 49, 5, C(Ramp::Grey, 7));
            p.Line(22, 28, 40, 38, C(Ramp::Red, 4), 3);
            p.Line(20, 26, 26, 24, C(Ramp::Grey, 7), 2);
            break;
        case 3:  // slipper with a bobble
            p.FillEllipse(28, 38, 24, 10, C(Ramp::Pink, 4));
            p.FillEllipse(20, 36, 14, 8, C(Ramp::Pink, 6));
            p.FillEllipse(14, 26, 6, 6, C(Ramp::Pink, 7));
            break;
        case 4:  // flip-flop seen from above
            p.FillEllipse(28, 30, 14, 24, C(Ramp::Yellow, 4));
            p.Line(28, 14, 18, 30, C(Ramp::Blue, 3), 3);
            p.Line(28, 14, 38, 30, C(Ramp::Blue, 3), 3);
            break;
        default:  // wellington boot
            p.FillPolygon({{16, 4}, {38, 4}, {38, 38}, {50, 40}, {52, 52}, {14, 52}}, C(Ramp::Leaf, 3));
            p.FillRect(14, 48, 39, 5, C(Ramp::Leaf, 1));
            p.FillRect(20, 8, 4, 30, C(Ramp::Leaf, 5));
            break;
    }
}

void Fruit(Picture& p, int i) {
    switch (i) {
        case 0:  // apple
            p.ShadedEllipse(28, 32, 20, 19, Ramp::Red, 1, 5);
            p.Line(28, 14, 30, 6, C(Ramp::Brown, 1), 3);
            p.FillEllipse(36, 9, 7, 3, C(Ramp::Leaf, 4));
            break;
        case 1:  // banana
            for (int t = 0; t < 40; ++t) {
                const int x = 8 + t, y = 18 + (t - 20) * (t - 20) / 20;
                p.FillEllipse(x, y + 6, 5 - std::abs(t - 20) / 6, 5 - std::abs(t - 20) / 6, C(Ramp::Yellow, 4 + (t % 9 == 0)));
            }
            p.FillRect(6, 34, 4, 4, C(Ramp::Brown, 1));
            break;
        case 2:  // pear
            p.ShadedEllipse(28, 38, 17, 15, Ramp::Leaf, 3, 7);
            p.ShadedEllipse(28, 20, 10, 11, Ramp::Leaf, 3, 7);
            p.Line(28, 8, 30, 2, C(Ramp::Brown, 1), 2);
            break;
        case 3:  // cherries
            p.Line(18, 36, 30, 8, C(Ramp::Leaf, 2), 2);
            p.Line(38, 38, 30, 8, C(Ramp::Leaf, 2), 2);
            p.FillEllipse(34, 8, 7, 3, C(Ramp::Leaf, 4));
            p.ShadedEllipse(17, 42, 10, 10, Ramp::Red, 0, 4);
            p.ShadedEllipse(39, 43, 10, 10, Ramp::Red, 0, 4);
            break;
        case 4:  // orange
            p.ShadedEllipse(28, 30, 21, 21, Ramp::Orange, 2, 6);
            for (int k = 0; k < 20; ++k) p.Plot(16 + int(Hash(k, 1, 5) % 24), 20 + int(Hash(k, 2, 5) % 22), C(Ramp::Orange, 2));
            p.FillEllipse(28, 10, 3, 2, C(Ramp::Leaf, 3));
            break;
        default:  // strawberry
            p.FillPolygon({{8, 16}, {48, 16}, {40, 38}, {28, 54}, {16, 38}}, C(Ramp::Red, 4));
            p.FillEllipse(28, 18, 20, 7, C(Ramp::Red, 4));
            for (int k = 0; k < 12; ++k) p.Plot(14 + (k * 7) % 28, 22 + (k * 11) % 20, C(Ramp::Yellow, 6));
            p.FillPolygon({{16, 12}, {28, 6}, {40, 12}, {28, 16}}, C(Ramp::Leaf, 3));
            break;
    }
}

void Hats(Picture& p, int i) {
    switch (i) {
        case 0:  // top hat
            p.FillEllipse(28, 48, 26, 5, C(Ramp::Grey, 1));
            p.ShadedRect(14, 10, 28, 38, Ramp::Grey, 0, 3);
            p.FillRect(14, 38, 28, 6, C(Ramp::Red, 4));
            break;
        case 1:  // cowboy hat
            p.FillEllipse(28, 40, 27, 8, C(Ramp::Brown, 4));
            p.FillEllipse(28, 26, 14, 16, C(Ramp::Brown, 4));
            p.FillRect(14, 32, 29, 5, C(Ramp::Brown, 1));
            p.FillEllipse(28, 14, 5, 3, C(Ramp::Brown, 2));
            break;
        case 2:  // party hat
            p.FillPolygon({{28, 2}, {46, 50}, {10, 50}}, C(Ramp::Purple, 4));
            p.Line(22, 20, 36, 20, C(Ramp::Yellow, 5), 3);
            p.Line(17, 34, 40, 34, C(Ramp::Yellow, 5), 3);
            p.FillEllipse(28, 4, 4, 4, C(Ramp::Pink, 5));
            break;
        case 3:  // crown
            p.FillPolygon({{6, 48}, {6, 16}, {17, 30}, {28, 10}, {39, 30}, {50, 16}, {50, 48}}, C(Ramp::Gold, 4));
            p.FillRect(6, 40, 45, 8, C(Ramp::Gold, 2));
            p.FillEllipse(28, 44, 3, 3, C(Ramp::Red, 4));
            p.FillEllipse(16, 44, 2, 2, C(Ramp::Blue, 5));
            p.FillEllipse(40, 44, 2, 2, C(Ramp::Blue, 5));
            break;
        case 4:  // bobble hat
            p.FillEllipse(28, 36, 22, 18, C(Ramp::Teal, 4));
            p.FillRect(6, 40, 45, 12, C(Ramp::Teal, 2));
            for (int x = 8; x < 50; x += 6) p.FillRect(x, 42, 3, 8, C(Ramp::Teal, 5));
            p.FillEllipse(28, 14, 8, 8, C(Ramp::Grey, 7));
            break;
        default:  // baseball cap
            p.FillEllipse(24, 36, 20, 18, C(Ramp::Blue, 4));
            p.FillRect(4, 36, 41, 20, kGreenKey);
            p.FillEllipse(44, 38, 12, 4, C(Ramp::Blue, 2));
            p.FillEllipse(24, 18, 3, 2, C(Ramp::Blue, 6));
            break;
    }
}

void Sweets(Picture& p, int i) {
    switch (i) {
        case 0:  // lollipop with a spiral
            p.FillRect(27, 30, 3, 26, C(Ramp::Grey, 6));
            p.FillEllipse(28, 20, 18, 18, C(Ramp::Pink, 5));
            for (int t = 0; t < 96; ++t) {
                const int r = t * 16 / 96;
                p.FillEllipse(28 + Cosine64(t) * r / 256, 20 + Sine64(t) * r / 256, 1, 1, C(Ramp::Red, 3));
            }
            break;
        case 1:  // wrapped candy
            p.ShadedEllipse(28, 28, 13, 11, Ramp::Orange, 3, 6);
            p.FillPolygon({{15, 28}, {2, 16}, {2, 40}}, C(Ramp::Yellow, 5));
            p.FillPolygon({{41, 28}, {54, 16}, {54, 40}}, C(Ramp::Yellow, 5));
            break;
        case 2:  // ice cream cone
            p.FillPolygon({{16, 26}, {40, 26}, {28, 56}}, C(Ramp::Gold, 5));
            p.Line(20, 32, 32, 48, C(Ramp::Gold, 2), 1);
            p.Line(36, 32, 24, 48, C(Ramp::Gold, 2), 1);
            p.ShadedEllipse(28, 18, 14, 13, Ramp::Pink, 4, 7);
            p.FillEllipse(28, 4, 3, 3, C(Ramp::Red, 4));
            break;
        case 3:  // cupcake
            p.FillPolygon({{12, 30}, {44, 30}, {40, 52}, {16, 52}}, C(Ramp::Sky, 4));
            for (int x = 16; x < 42; x += 5) p.Line(x, 31, x + 1, 51, C(Ramp::Sky, 2), 1);
            p.ShadedEllipse(28, 24, 19, 12, Ramp::Grey, 5, 7);
            p.FillEllipse(28, 10, 5, 5, C(Ramp::Red, 4));
            break;
        case 4:  // doughnut
            p.ShadedEllipse(28, 30, 25, 20, Ramp::Fur, 2, 5);
            p.FillEllipse(28, 28, 21, 16, C(Ramp::Pink, 5));
            for (int k = 0; k < 14; ++k)
                p.FillRect(12 + int(Hash(k, 3, 9) % 32), 16 + int(Hash(k, 4, 9) % 24), 3, 1, C(k % 2 ? Ramp::Yellow : Ramp::Sky, 5));
            p.FillEllipse(28, 30, 7, 5, kGreenKey);
            break;
        default:  // candy cane
            for (int t = 0; t < 32; ++t) {
                const int x = 24 + Cosine64(t) * 10 / 256, y = 16 - Sine64(t) * 10 / 256;
                p.FillEllipse(x, y, 4, 4, C((t / 5) % 2 ? Ramp::Red : Ramp::Grey, (t / 5) % 2 ? 4 : 7));
            }
            for (int y = 16; y < 54; ++y) p.FillRect(10, y, 9, 1, C(((y / 5) % 2) ? Ramp::Red : Ramp::Grey, ((y / 5) % 2) ? 4 : 7));
            break;
    }
}

using Painter = void (*)(Picture&, int);
const Painter kPainters[kCategoryCount] = {Balls, Crockery, Footware, Fruit, Hats, Sweets};

// A flag strip: cloth waving on a pole at the right edge, with the
// category's first icon shrunk onto it.
Picture FlagStrip(int category, int frames) {
    constexpr int kW = 72, kH = 56;
    const Picture icon = DrawIcon(category, 0);
    std::vector<Picture> all;
    for (int f = 0; f < frames; ++f) {
        Picture frame(kW, kH, kGreenKey);
        const Ramp cloth = category % 2 ? Ramp::Yellow : Ramp::Sky;
        for (int x = 0; x < 64; ++x) {
            const int wave = Sine64(x * 2 + f * 64 / frames) * 4 / 256 * (64 - x) / 64;
            frame.FillRect(x, 6 + wave, 1, 38, C(cloth, 5 + ((x / 8 + f) % 2)));
        }
        // Half-size icon in the middle of the cloth.
        for (int y = 0; y < icon.height(); y += 2)
            for (int x = 0; x < icon.width(); x += 2) {
                const uint8_t v = icon.At(x, y);
                if (v != kGreenKey) {
                    const int px = 18 + x / 2;
                    frame.Plot(px, 9 + y / 2 + Sine64(px * 2 + f * 64 / frames) * 4 / 256 * (64 - px) / 64, v);
                }
            }
        // Rings that tie the cloth to the post standing just right of it.
        frame.FillRect(64, 6, 6, 3, C(Ramp::Slate, 5));
        frame.FillRect(64, 36, 6, 3, C(Ramp::Slate, 5));
        frame.Outline(kGreenKey, kOutline);
        all.push_back(frame);
    }
    return JoinStrip(all, kGreenKey);
}

// Sparkles: 18 frames of a star that grows, turns and fades.
Picture Sparkles() {
    std::vector<Picture> frames;
    for (int f = 0; f < 18; ++f) {
        Picture p(32, 32, kGreenKey);
        const int size = f < 9 ? 3 + f : 21 - f;
        const int turn = f * 2;
        for (int arm = 0; arm < 4; ++arm) {
            const int a = turn + arm * 16;
            p.Line(16, 16, 16 + Cosine64(a) * size / 256, 16 + Sine64(a) * size / 256, C(Ramp::Yellow, 7), 2);
        }
        for (int arm = 0; arm < 4; ++arm) {
            const int a = turn + 8 + arm * 16;
            p.Line(16, 16, 16 + Cosine64(a) * size / 512, 16 + Sine64(a) * size / 512, C(Ramp::Gold, 5), 1);
        }
        p.FillEllipse(16, 16, 2, 2, C(Ramp::Grey, 7));
        frames.push_back(p);
    }
    return JoinStrip(frames, kGreenKey);
}

// The pedestal: a low two-step stand, back shelf top at y 8 and front shelf
// top at y 26; frames 1..3 light up its stars one by one (the finishing run).
// It is low enough that the dog, standing in front of it, reaches the key
// that appears on its back shelf.
Picture Pedestal() {
    constexpr int kW = world::pedestal::kFrameWidth, kH = world::pedestal::kFrameHeight;
    std::vector<Picture> frames;
    for (int f = 0; f < world::pedestal::kFrames; ++f) {
        Picture p(kW, kH, kGreenKey);
        p.ShadedRect(20, 8, 180, 18, Ramp::Purple, 2, 5);
        p.FillRect(20, 6, 180, 4, C(Ramp::Purple, 6));
        p.ShadedRect(4, 26, 212, 24, Ramp::Purple, 1, 4);
        p.FillRect(4, 24, 212, 4, C(Ramp::Purple, 6));
        p.FillRect(4, 48, 212, 5, C(Ramp::Purple, 0));
        for (int s = 0; s < 3; ++s) {
            const bool lit = f > s;
            const int x = 50 + s * 60;
            p.FillEllipse(x, 38, 7, 7, C(lit ? Ramp::Yellow : Ramp::Purple, lit ? 6 : 2));
            if (lit) p.FillEllipse(x, 38, 3, 3, C(Ramp::Grey, 7));
        }
        if (f == world::pedestal::kLastFrame) p.FillRect(20, 50, 180, 3, C(Ramp::Gold, 6));
        p.Outline(kGreenKey, kOutline);
        frames.push_back(p);
    }
    return JoinStrip(frames, kGreenKey);
}

Picture Key(int turn7) {
    // A golden key on its side; turn7 0..6 rotates it through 7 positions.
    Picture p(44, 44, kGreenKey);
    const int a = -16 + turn7 * 6;  // from pointing up to pointing down-left
    const int cx = 22, cy = 22;
    const int ex = cx + Cosine64(a) * 16 / 256, ey = cy + Sine64(a) * 16 / 256;
    p.Line(cx - Cosine64(a) * 8 / 256, cy - Sine64(a) * 8 / 256, ex, ey, C(Ramp::Gold, 4), 4);
    p.Line(ex, ey, ex + Cosine64(a + 16) * 6 / 256, ey + Sine64(a + 16) * 6 / 256, C(Ramp::Gold, 3), 3);
    const int bx = cx - Cosine64(a) * 12 / 256, by = cy - Sine64(a) * 12 / 256;
    p.FillEllipse(bx, by, 7, 7, C(Ramp::Gold, 5));
    p.FillEllipse(bx, by, 3, 3, kGreenKey);
    p.Outline(kGreenKey, kOutline);
    return p;
}

Picture MiniKey() {
    Picture p(40, 24, kGreenKey);
    p.FillEllipse(9, 12, 8, 8, C(Ramp::Gold, 5));
    p.FillEllipse(9, 12, 3, 3, kGreenKey);
    p.FillRect(16, 10, 20, 5, C(Ramp::Gold, 4));
    p.FillRect(30, 14, 3, 6, C(Ramp::Gold, 3));
    p.FillRect(25, 14, 3, 5, C(Ramp::Gold, 3));
    p.FillEllipse(6, 9, 2, 2, C(Ramp::Yellow, 7));
    p.Outline(kGreenKey, kOutline);
    return p;
}

// The lock body: a big friendly lemon with three key slots, 84 pixels apart.
Picture Lemon() {
    Picture p(260, 110, kGreenKey);
    p.ShadedEllipse(130, 58, 126, 50, Ramp::Yellow, 2, 6);
    p.FillEllipse(6, 58, 8, 6, C(Ramp::Yellow, 3));
    p.FillEllipse(254, 58, 8, 6, C(Ramp::Yellow, 3));
    for (int s = 0; s < 3; ++s) {
        const int x = 84 * s;
        p.FillEllipse(x + 24, 50, 18, 18, C(Ramp::Gold, 2));  // slot plate
        p.FillRect(x + 20, 38, 8, 22, C(Ramp::Brown, 0));      // keyhole
        p.FillEllipse(x + 24, 38, 5, 5, C(Ramp::Brown, 0));
        p.FillEllipse(x + 38, 14, 8, 6, C(Ramp::Slate, 2));    // socket of the slot light
    }
    p.Outline(kGreenKey, kOutline);
    return p;
}

Picture Light(Ramp ramp) {
    Picture p(16, 12, kGreenKey);
    p.ShadedEllipse(8, 6, 7, 5, ramp, 3, 7);
    return p;
}

Picture Lever() {
    std::vector<Picture> frames;
    for (int f = 0; f < 4; ++f) {
        Picture p(60, 100, kGreenKey);
        p.ShadedRect(16, 76, 28, 22, Ramp::Slate, 2, 5);
        const int a = -16 + f * 5;  // up, then pulled towards the right
        const int ex = 30 + Cosine64(a) * 60 / 256, ey = 80 + Sine64(a) * 60 / 256;
        p.Line(30, 80, ex, ey, C(Ramp::Slate, 4), 5);
        p.ShadedEllipse(ex, ey, 8, 8, Ramp::Red, 2, 6);
        p.Outline(kGreenKey, kOutline);
        frames.push_back(p);
    }
    return JoinStrip(frames, kGreenKey);
}

// A fish-shaped lock beside the sub-room's pedestal: three glowing frames,
// and four quarters of it closing.
Picture Fish(int glow, int closed) {
    Picture p(70, 60, kGreenKey);
    const Ramp body = closed >= 0 ? Ramp::Slate : Ramp::Teal;
    p.ShadedEllipse(30, 36, 26, 16, body, 2, 6);
    p.FillPolygon({{52, 36}, {68, 22}, {68, 50}}, C(body, 3));
    p.FillEllipse(16, 32, 4, 4, C(Ramp::Grey, 7));
    p.FillEllipse(15, 32, 2, 2, C(Ramp::Grey, 0));
    const int mouth = closed >= 0 ? 3 - closed : 3;
    p.FillEllipse(6, 40, 4, mouth + 1, C(Ramp::Red, 2));
    if (glow > 0) {
        for (int k = 0; k < glow * 3; ++k) {
            const int x = 8 + int(Hash(k, glow, 4) % 50), y = 24 + int(Hash(k, glow, 5) % 24);
            p.Plot(x, y, C(Ramp::Yellow, 7));
        }
    }
    p.Outline(kGreenKey, kOutline);
    return p;
}

// ".\LoadAnim.bmp": a bouncing drum (frames 1 and 2) and a running dog's
// body (frames 3..8) and legs (frames 9..11) at the loader's fixed rectangles.
Picture LoadAnim() {
    Picture p(168, 310, kGreenKey);
    auto drum = [&](int x, int y, int w, int h) {
        p.FillEllipse(x + w / 2, y + h - 12, w / 2 - 3, 10, C(Ramp::Red, 2));
        p.FillRect(x + 3, y + 14, w - 6, h - 26, C(Ramp::Red, 4));
        p.FillEllipse(x + w / 2, y + 14, w / 2 - 3, 10, C(Ramp::Grey, 7));
        for (int k = 0; k < 4; ++k) p.Line(x + 6 + k * (w - 12) / 3, y + 20, x + 6 + (k + 1) % 4 * (w - 12) / 3, y + h - 14, C(Ramp::Gold, 5), 1);
    };
    drum(0, 0, 57, 57);
    drum(0, 57, 57, 58);
    p.FillRect(0, 57, 57, 2, kGreenKey);
    auto body = [&](int x, int y, int w, int h, int lean) {
        // Trunk, head with an ear and a tail, facing right.
        p.FillEllipse(x + w / 2 - 2, y + h - 16, w / 2 - 6, 12, C(Ramp::Fur, 4));
        p.FillEllipse(x + w - 14 + lean, y + h / 2 - 6, 11, 11, C(Ramp::Fur, 5));
        p.FillEllipse(x + w - 18 + lean, y + h / 2 - 14, 4, 7, C(Ramp::Brown, 2));
        p.FillEllipse(x + w - 8 + lean, y + h / 2 - 7, 2, 2, C(Ramp::Grey, 0));
        p.FillEllipse(x + w - 3 + lean, y + h / 2 - 3, 2, 2, C(Ramp::Grey, 0));
        p.Line(x + 4, y + h - 20, x + 1, y + h - 30 - lean, C(Ramp::Fur, 3), 3);
    };
    const int bodies[6][4] = {{0, 168, 51, 67}, {51, 168, 40, 67}, {91, 168, 38, 65},
                              {0, 235, 52, 63}, {52, 235, 55, 62}, {107, 235, 61, 56}};
    for (int i = 0; i < 6; ++i) body(bodies[i][0], bodies[i][1], bodies[i][2], bodies[i][3], (i % 2) - 1);
    const int feet[3][2] = {{0, 298}, {31, 298}, {62, 298}};
    for (int i = 0; i < 3; ++i) {
        const int x = feet[i][0], y = feet[i][1];
        const int spread = 4 + i * 4;
        p.Line(x + 15 - spread, y + 1, x + 12 - spread, y + 9, C(Ramp::Fur, 3), 3);
        p.Line(x + 15 + spread, y + 1, x + 18 + spread, y + 9, C(Ramp::Fur, 3), 3);
        p.FillRect(x + 9 - spread, y + 9, 6, 2, C(Ramp::Brown, 1));
        p.FillRect(x + 16 + spread, y + 9, 6, 2, C(Ramp::Brown, 1));
    }
    p.Outline(kGreenKey, kOutline);
    return p;
}

int Write(const std::string& dir, const std::string& rel, const Picture& p) {
    return WriteBmp8(dir + "/" + rel, p.width(), p.height(), p.pixels(), CommonPalette());
}

}  // namespace

const CategoryNames& Category(int category) { return kCategories[category % kCategoryCount]; }

Picture DrawIcon(int category, int index) {
    Picture p(kIconSize, kIconSize, kGreenKey);
    kPainters[category % kCategoryCount](p, index % 6);
    p.Outline(kGreenKey, kOutline);
    return p;
}

int WriteSharedArt(const std::string& dataDir) {
    int ok = 1;
    const std::string icons = "graphics/icons/";
    for (int c = 0; c < kCategoryCount; ++c) {
        const std::string folder = icons + kCategories[c].folder + "/";
        for (int i = 0; i < 6; ++i) ok &= Write(dataDir, folder + char('1' + i) + "a.bmp", DrawIcon(c, i));
        ok &= Write(dataDir, folder + kCategories[c].easyFlag, FlagStrip(c, 7));
        ok &= Write(dataDir, folder + kCategories[c].flag, FlagStrip(c, 5));
    }
    ok &= Write(dataDir, icons + "sparkles.bmp", Sparkles());
    ok &= Write(dataDir, icons + "peds.bmp", Pedestal());
    const std::string lock = "graphics/lockstuff/";
    ok &= Write(dataDir, lock + "keymini.bmp", MiniKey());
    ok &= Write(dataDir, lock + "lemon.bmp", Lemon());
    ok &= Write(dataDir, lock + "redlight.bmp", Light(Ramp::Red));
    ok &= Write(dataDir, lock + "greenlight.bmp", Light(Ramp::Leaf));
    ok &= Write(dataDir, lock + "lever.bmp", Lever());
    ok &= Write(dataDir, lock + "fishglow.bmp", JoinStrip({Fish(0, -1), Fish(1, -1), Fish(2, -1)}, kGreenKey));
    ok &= Write(dataDir, lock + "fishclos.bmp", JoinStrip({Fish(0, 0), Fish(0, 1), Fish(0, 2), Fish(0, 3)}, kGreenKey));
    for (int k = 0; k < 7; ++k) ok &= Write(dataDir, lock + "Fish" + char('A' + k) + ".bmp", Key(k));
    ok &= Write(dataDir, "LoadAnim.bmp", LoadAnim());
    return ok;
}

}  // namespace assetgen
