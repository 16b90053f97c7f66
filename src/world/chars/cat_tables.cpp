#include "world/chars/cat_tables.h"

#include "world/chars/poses.h"

namespace world::chars {
namespace {

constexpr int kSheetWidth = 640;
constexpr int kOneShotFacing = 3;

struct Box {
    int w, h, ax, ay;
};

Box CatBody(int facing, bool balloon) {
    Box b = facing % 4 == 2 ? Box{46, 34, 23, 30} : facing % 2 ? Box{38, 36, 19, 32} : Box{28, 38, 14, 34};
    if (balloon) {
        // The balloon floats above on its string; the feet hang clear of the
        // ground, so the standing point lies below the frame's paws.
        b.h += 54;
        b.ay += 54;
    }
    return b;
}

// Where the head sits on a body facing this way: the neck point, forward of
// the shoulders and up.
ScreenOffset Neck(int facing, bool balloon) { return ProjectLocal(facing, 8, 0, balloon ? 20 : 15); }

}  // namespace

CatTables MakeCatTables(CatLayout layout) {
    const bool balloon = layout == CatLayout::Balloon;
    SheetBuilder b(balloon ? ".\\Graphics\\chars\\blooncat.bmp" : ".\\Graphics\\chars\\sourpuss.bmp", kSheetWidth);
    const uint8_t bodyFigure = balloon ? kFigBalloonCat : kFigCat;
    const int walkSteps = balloon ? 4 : 5;
    auto body = [&](uint8_t action, int facing, int phase, int tail = 0) {
        const Box box = CatBody(facing, balloon);
        Pose p;
        p.figure = bodyFigure;
        p.facing = static_cast<uint8_t>(facing);
        p.action = action;
        p.phase = static_cast<int8_t>(phase);
        p.tail = static_cast<int8_t>(tail);
        return b.Add(box.w, box.h, box.ax, box.ay, p);
    };
    auto prop = [&](uint8_t figure, int w, int h, int phase, uint8_t action = 0) {
        Pose p;
        p.figure = figure;
        p.phase = static_cast<int8_t>(phase);
        p.action = action;
        return b.Add(w, h, w / 2, h - 2, p);
    };

    uint16_t walk[8][5] = {}, stand[8];
    for (int dir = 0; dir < 8; ++dir)
        for (int k = 0; k < walkSteps; ++k) walk[dir][k] = body(kActWalk, dir, k, k % 2 ? 1 : -1);
    b.NewRow();
    for (int dir = 0; dir < 8; ++dir) stand[dir] = body(kActStand, dir, 0, 1);
    // Heads: one per way of looking (eighths) for the ordinary cat; the
    // balloon cat only ever faces the viewer, so five turns round the front.
    const int headCount = balloon ? 5 : 8;
    uint16_t head[8] = {};
    for (int i = 0; i < headCount; ++i) {
        Pose p;
        p.figure = kFigCatHead;
        p.facing = static_cast<uint8_t>(balloon ? (2 + i) : i);
        p.variant = balloon ? 1 : 0;
        head[i] = b.Add(24, 24, 12, 18, p);
    }
    b.NewRow();
    uint16_t cloud[8], paws[5], streak[2] = {};
    for (int k = 0; k < 5; ++k) cloud[k] = prop(kFigCloud, 56, 44, k);
    for (int k = 0; k < 5; ++k) paws[k] = prop(kFigPaws, 40, 30, k, 1);
    for (int k = 5; k < 8; ++k) cloud[k] = prop(kFigCloud, 56, 44, k);
    const int streaks = balloon ? 1 : 2;
    for (int k = 0; k < streaks; ++k) streak[k] = prop(kFigStreak, 40, 24, k);
    uint16_t lick[3] = {}, hiss[3] = {};
    if (!balloon) {
        for (int k = 0; k < 3; ++k) lick[k] = body(kActLick, kOneShotFacing, k);
        for (int k = 0; k < 3; ++k) hiss[k] = body(kActHiss, kOneShotFacing, k, 2);
    }

    CatRoles r;
    auto headStep = [&](int facing, int turn, int bob) {
        const ScreenOffset n = Neck(facing, balloon);
        const int look = balloon ? kCatHeadStraight + turn : ((facing + turn) & 7);
        return b.At(head[look], n.x, n.y - bob);
    };
    for (int dir = 0; dir < 8; ++dir) {
        SeqSteps s;
        for (int k = 0; k < walkSteps; ++k) s.push_back(b.At(walk[dir][k], 0, balloon ? -(k % 2) * 2 : 0));
        r.walk[dir].main = static_cast<int16_t>(b.AddSequence(s));
    }
    for (int dir = 0; dir < 8; ++dir) {
        SeqSteps s;
        const int face = balloon ? 4 : dir;
        for (int k = 0; k < walkSteps; ++k) {
            // The head rides the body's bob (walk phases 1 and 3 are up).
            const int bob = balloon ? (k % 2) * 2 : (k % 2);
            s.push_back(headStep(face, 0, bob));
        }
        r.walk[dir].overlay = static_cast<int16_t>(b.AddSequence(s));
    }
    for (int dir = 0; dir < 8; ++dir) r.stand[dir].main = static_cast<int16_t>(b.AddSequence({b.At(stand[dir])}));
    if (balloon) {
        SeqSteps s;
        for (int t = 0; t < kCatHeadSteps; ++t) s.push_back(headStep(4, t - kCatHeadStraight, 0));
        const int16_t shared = static_cast<int16_t>(b.AddSequence(s));
        for (int dir = 0; dir < 8; ++dir) r.stand[dir].overlay = shared;
    } else {
        for (int dir = 0; dir < 8; ++dir) {
            SeqSteps s;
            for (int t = 0; t < kCatHeadSteps; ++t) s.push_back(headStep(dir, t - kCatHeadStraight, 0));
            r.stand[dir].overlay = static_cast<int16_t>(b.AddSequence(s));
        }
    }
    {
        SeqSteps main, over;
        for (int k = 0; k < 5; ++k) {
            main.push_back(b.At(cloud[k], (k % 2) * 4 - 2, 4));
            over.push_back(b.At(paws[(k + 2) % 5], (k % 3) * 8 - 8, k % 2 ? -8 : 0));
        }
        r.scuffle = {static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))};
        main = {b.At(cloud[5], 0, 4), b.At(cloud[6], 0, 4), b.At(cloud[7], 0, 4), b.At(streak[0]), b.At(streak[streaks - 1])};
        over = {b.At(paws[0], 0, -4), b.At(0), b.At(0), b.At(0), b.At(0)};
        r.scuffleEnd = {static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))};
    }
    if (!balloon) {
        // One-shots turned three-quarters to the viewer; the head stays on
        // the body's neck and dips while licking.
        const ScreenOffset n = Neck(kOneShotFacing, false);
        SeqSteps main, over;
        const int order[7] = {0, 1, 2, 1, 2, 1, 0};
        for (int k : order) {
            main.push_back(b.At(lick[k]));
            over.push_back(b.At(head[kOneShotFacing], n.x - (k ? 3 : 0), n.y + (k ? 3 : 0)));
        }
        r.oneShots.push_back({static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))});
        main.clear();
        over.clear();
        const int arch[6] = {0, 1, 2, 2, 1, 0};
        for (int k : arch) {
            main.push_back(b.At(hiss[k]));
            over.push_back(b.At(head[kOneShotFacing], n.x, n.y - 2 * k));
        }
        r.oneShots.push_back({static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))});
    }
    return {b.Finish(), r};
}

}  // namespace world::chars
