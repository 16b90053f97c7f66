#include "world/chars/dog_tables.h"

#include <array>

#include "world/chars/poses.h"

namespace world::chars {
namespace {

constexpr int kSheetWidth = 640;
constexpr int kWalkPhases = 9;

struct Box {
    int w, h, ax, ay;
};

// Frame size and standing point of a pup pose. Up and down views are narrow
// and tall, side views long and low. The jet adds its hull around the feet.
Box DogBox(uint8_t action, int facing, bool jet) {
    Box b{30, 52, 15, 48};
    switch (action) {
        case kActStand: case kActWalk: case kActStop: case kActShake:
            if (facing % 4 == 2) b = {50, 46, 25, 42};
            else if (facing % 2 == 1) b = {42, 50, 21, 46};
            break;
        case kActSit: case kActYawn: b = {30, 50, 15, 46}; break;
        case kActBeg: b = {30, 58, 15, 54}; break;
        case kActLie: case kActDrowsy: case kActRoll: b = {44, 40, 22, 36}; break;
        case kActCurl: b = {40, 34, 20, 30}; break;
        case kActRear: b = {30, 62, 15, 58}; break;
        case kActDive: case kActEmerge: b = {34, 52, 17, 48}; break;
        case kActSniff: case kActStretch: b = {36, 48, 18, 44}; break;
        case kActDance: b = {40, 60, 20, 56}; break;
        default: break;
    }
    if (jet) {
        b.w += 14;
        b.h += 8;
        b.ax += 7;
        b.ay += 4;
    }
    return b;
}

class DogBuilder {
public:
    explicit DogBuilder(DogLayout layout)
        : jet_(layout == DogLayout::Jet),
          b_(jet_ ? ".\\Graphics\\chars\\jetdog.bmp" : ".\\Graphics\\chars\\mangopup.bmp", kSheetWidth) {}

    uint16_t Pup(uint8_t action, int facing = 4, int phase = 0, uint8_t variant = 0, int head = 0, int tail = 0,
                 int bob = 0) {
        const Box box = DogBox(action, facing, jet_);
        Pose p;
        p.figure = jet_ ? kFigJetDog : kFigDog;
        p.facing = static_cast<uint8_t>(facing);
        p.action = action;
        p.phase = static_cast<int8_t>(phase);
        p.variant = variant;
        p.head = static_cast<int8_t>(head);
        p.tail = static_cast<int8_t>(tail);
        p.bob = static_cast<int8_t>(bob);
        return b_.Add(box.w, box.h, box.ax, box.ay, p);
    }
    uint16_t Prop(uint8_t figure, int w, int h, int phase = 0, int facing = 4) {
        Pose p;
        p.figure = figure;
        p.phase = static_cast<int8_t>(phase);
        p.facing = static_cast<uint8_t>(facing);
        return b_.Add(w, h, w / 2, h - 2, p);
    }

    bool jet_;
    SheetBuilder b_;
};

SeqSteps Repeat(const SeqSteps& part, int times) {
    SeqSteps out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace

int DirectionIndex(int bits) {
    switch (bits) {
        case 1: return 0;
        case 5: return 1;
        case 4: return 2;
        case 6: return 3;
        case 2: return 4;
        case 10: return 5;
        case 8: return 6;
        case 9: return 7;
        default: return -1;
    }
}

int DirectionBits(int index) {
    static constexpr int kBits[8] = {1, 5, 4, 6, 2, 10, 8, 9};
    return index >= 0 && index < 8 ? kBits[index] : 2;
}

DogTables MakeDogTables(DogLayout layout) {
    DogBuilder d(layout);
    SheetBuilder& b = d.b_;

    // Frames 1..72: the walk, nine phases of one stride per direction.
    uint16_t walk[8][kWalkPhases];
    for (int dir = 0; dir < 8; ++dir)
        for (int k = 0; k < kWalkPhases; ++k) walk[dir][k] = d.Pup(kActWalk, dir, k, 0, 0, (k % 3) - 1);
    b.NewRow();
    // 73..88: braking and a turning glance per direction.
    uint16_t stop[8], turn[8];
    for (int dir = 0; dir < 8; ++dir) stop[dir] = d.Pup(kActStop, dir);
    for (int dir = 0; dir < 8; ++dir) {
        // The head leads the turn towards down.
        const int head = dir == 4 ? 0 : (dir < 4 ? 1 : -1);
        turn[dir] = d.Pup(kActStand, dir, 0, 0, head, 1);
    }
    // 89..103: rest postures and the small idle gestures.
    const uint16_t sit = d.Pup(kActSit, 4, 0, 0, 0, 1);
    const uint16_t lie = d.Pup(kActLie);
    const uint16_t barkStand[2] = {d.Pup(kActStand, 4, 0, kMouthOpen, 0, 2, 1), d.Pup(kActStand, 4, 1, kMouthOpen, 0, -2, 2)};
    const uint16_t barkSit[2] = {d.Pup(kActSit, 4, 0, kMouthOpen, 0, 2, 1), d.Pup(kActSit, 4, 1, kMouthOpen, 0, -2, 2)};
    const uint16_t pantSit[2] = {d.Pup(kActSit, 4, 0, kMouthOpen | kTongue, 0, 1), d.Pup(kActSit, 4, 1, kMouthOpen | kTongue, 0, -1, 1)};
    const uint16_t pantLie[2] = {d.Pup(kActLie, 4, 0, kMouthOpen | kTongue, 0, 1), d.Pup(kActLie, 4, 1, kMouthOpen | kTongue, 0, -1, 1)};
    const uint16_t lookLeft = d.Pup(kActStand, 4, 0, 0, 2, 0);
    const uint16_t lookRight = d.Pup(kActStand, 4, 0, 0, -2, 0);
    const uint16_t beg = d.Pup(kActBeg, 4, 0, kTongue, 0, 2);
    uint16_t sniff[4];
    sniff[0] = d.Pup(kActSniff, 4, 0);
    sniff[1] = d.Pup(kActSniff, 4, 1);
    // 104..111: standing, one per direction; 108 faces the viewer.
    uint16_t stand[8];
    for (int dir = 0; dir < 8; ++dir) stand[dir] = d.Pup(kActStand, dir);
    b.NewRow();
    sniff[2] = d.Pup(kActSniff, 4, 2);
    sniff[3] = d.Pup(kActSniff, 4, 3);
    uint16_t roll[4];
    for (int k = 0; k < 4; ++k) roll[k] = d.Pup(kActRoll, 4, k, k == 2 ? kTongue : 0);
    const uint16_t yawn = d.Pup(kActYawn, 4, 0, kMouthOpen | kEyesClosed);
    const uint16_t drowsy = d.Pup(kActDrowsy, 4, 0, kEyesHalf);
    const uint16_t curled = d.Pup(kActCurl, 4, 0, kEyesClosed);
    const uint16_t breathe[2] = {d.Pup(kActCurl, 4, 0, kEyesClosed, 0, 0, 0), d.Pup(kActCurl, 4, 1, kEyesClosed, 0, 0, 1)};
    const uint16_t stretch[2] = {d.Pup(kActStretch, 4, 0, kMouthOpen | kEyesClosed), d.Pup(kActStretch, 4, 1, kEyesHalf)};
    uint16_t dance[4][8] = {};
    for (int n = 0; n < 3; ++n)
        for (int k = 0; k < 5; ++k) dance[n][k] = d.Pup(kActDance, 4, k, k % 2 ? kMouthOpen | kTongue : kMouthOpen, 0, k % 2 ? 2 : -2, k % 2 ? 3 : 0);
    // The fourth dance spins round once.
    for (int k = 0; k < 8; ++k) dance[3][k] = d.Pup(kActStand, (4 + k) % 8, 0, kMouthOpen, 0, 2, k % 2 ? 4 : 1);
    uint16_t dive[4], emerge[3], rear[3], shake[3];
    for (int k = 0; k < 4; ++k) dive[k] = d.Pup(kActDive, 4, k);
    for (int k = 0; k < 3; ++k) emerge[k] = d.Pup(kActEmerge, 4, k, k == 2 ? kMouthOpen : 0);
    for (int k = 0; k < 3; ++k) rear[k] = d.Pup(kActRear, 0, k);
    for (int k = 0; k < 3; ++k) shake[k] = d.Pup(kActShake, 4, k, kEyesClosed, k - 1);
    b.NewRow();
    uint16_t cloud[3], paws[3];
    for (int k = 0; k < 3; ++k) cloud[k] = d.Prop(kFigCloud, 56, 44, k);
    for (int k = 0; k < 3; ++k) paws[k] = d.Prop(kFigPaws, 40, 30, k);
    uint16_t dust[3], skid[2], barkLines[2], puff[2], note[4], zzz[3], stars[2], sniffDash[2], sparkle[2], heart[2];
    for (int k = 0; k < 3; ++k) dust[k] = d.Prop(kFigDust, 14 + 4 * k, 12 + 2 * k, k);
    for (int k = 0; k < 2; ++k) skid[k] = d.Prop(kFigSkid, 24, 12, k);
    for (int k = 0; k < 2; ++k) barkLines[k] = d.Prop(kFigBark, 32, 20, k);
    for (int k = 0; k < 2; ++k) puff[k] = d.Prop(kFigPuff, 12, 12, k);
    for (int k = 0; k < 4; ++k) note[k] = d.Prop(kFigNote, 20, 22, k);
    for (int k = 0; k < 3; ++k) zzz[k] = d.Prop(kFigZzz, 12 + 3 * k, 12 + 3 * k, k);
    for (int k = 0; k < 2; ++k) stars[k] = d.Prop(kFigStars, 28, 18, k);
    for (int k = 0; k < 2; ++k) sniffDash[k] = d.Prop(kFigSniff, 20, 12, k);
    for (int k = 0; k < 2; ++k) sparkle[k] = d.Prop(kFigSparkle, 14, 14, k);
    for (int k = 0; k < 2; ++k) heart[k] = d.Prop(kFigHeart, 12, 12, k);
    const uint16_t stretchLines = d.Prop(kFigStretch, 30, 14);
    uint16_t bundle[3];
    for (int k = 0; k < 3; ++k) bundle[k] = d.Prop(kFigBundle, 22, 20, k);

    // The jet layout: spray behind the hull and ripples around it.
    uint16_t spray[8][6] = {}, ripple[3] = {};
    if (d.jet_) {
        b.NewRow();
        for (int dir = 0; dir < 8; ++dir)
            for (int k = 0; k < 6; ++k) spray[dir][k] = d.Prop(kFigSpray, 28, 22, k, dir);
        for (int k = 0; k < 3; ++k) ripple[k] = d.Prop(kFigRipple, 52, 18, k);
    }

    // --- Sequences -------------------------------------------------------
    DogRoles r;
    auto one = [&](uint16_t frame, int x = 0, int y = 0) { return SeqSteps{b.At(frame, x, y)}; };
    for (int dir = 0; dir < 8; ++dir) {
        SeqSteps s;
        for (int i = 0; i < 2 * kWalkPhases; ++i) s.push_back(b.At(walk[dir][i % kWalkPhases]));
        r.walk[dir].main = static_cast<int16_t>(b.AddSequence(s));
    }
    for (int dir = 0; dir < 8; ++dir)
        r.stop[dir].main = static_cast<int16_t>(
            b.AddSequence({b.At(walk[dir][4]), b.At(stop[dir]), b.At(stop[dir]), b.At(stand[dir])}));
    for (int dir = 0; dir < 8; ++dir) r.stand[dir].main = static_cast<int16_t>(b.AddSequence(one(stand[dir])));
    for (int dir = 0; dir < 8; ++dir)
        r.turn[dir].main = static_cast<int16_t>(b.AddSequence({b.At(turn[dir]), b.At(stand[dir])}));
    const int16_t empty = static_cast<int16_t>(b.AddSequence(one(0)));

    // Dust kicked up behind the feet, or the jet's spray.
    for (int dir = 0; dir < 8; ++dir) {
        // Behind the heels; a pup walking towards the viewer kicks it out
        // beside its feet instead, where it does not cover the face.
        static constexpr int kDustX[8] = {0, -14, -18, -14, 10, 14, 18, 14};
        static constexpr int kDustY[8] = {8, 6, 2, 4, 4, 4, 2, 6};
        SeqSteps s;
        for (int i = 0; i < 2 * kWalkPhases; ++i) {
            const int bx = dir == 4 && i >= kWalkPhases ? -kDustX[dir] : kDustX[dir];
            const int by = kDustY[dir] - 2;
            // The jet's spray leaves the stern; towards the viewer it fans
            // out either side of the hull.
            static constexpr int kSprayX[8] = {0, -20, -26, -22, 22, 22, 26, 20};
            const int sx = dir == 4 && i % 2 ? -kSprayX[dir] : kSprayX[dir];
            if (d.jet_) s.push_back(b.At(spray[dir][i % 6], sx, by + 6));
            else if (i % kWalkPhases < 3) s.push_back(b.At(dust[i % kWalkPhases], bx, by + 2));
            else s.push_back(b.At(0));
        }
        r.walk[dir].overlay = static_cast<int16_t>(b.AddSequence(s));
    }
    for (int dir = 0; dir < 8; ++dir) {
        SeqSteps s;
        if (d.jet_) s = {b.At(spray[dir][0], 0, 4), b.At(spray[dir][1], 0, 4), b.At(spray[dir][2], 0, 4), b.At(0)};
        else s = {b.At(0), b.At(skid[0], 0, 4), b.At(skid[1], 0, 4), b.At(0)};
        r.stop[dir].overlay = static_cast<int16_t>(b.AddSequence(s));
    }
    for (int dir = 0; dir < 8; ++dir) r.stand[dir].overlay = r.turn[dir].overlay = empty;

    r.rest[0] = {static_cast<int16_t>(b.AddSequence(one(stand[4]))), empty};
    r.rest[1] = {static_cast<int16_t>(b.AddSequence(one(sit))), empty};
    r.rest[2] = {static_cast<int16_t>(b.AddSequence(one(lie))), empty};

    r.bark[0].main = static_cast<int16_t>(b.AddSequence(
        {b.At(stand[4]), b.At(barkStand[0]), b.At(barkStand[1]), b.At(barkStand[0]), b.At(barkStand[1]), b.At(stand[4])}));
    r.bark[1].main = static_cast<int16_t>(
        b.AddSequence({b.At(sit), b.At(barkSit[0]), b.At(barkSit[1]), b.At(barkSit[0]), b.At(barkSit[1]), b.At(sit)}));
    for (int i = 0; i < 2; ++i) {
        const int y = i == 0 ? -46 : -42;
        r.bark[i].overlay = static_cast<int16_t>(b.AddSequence(
            {b.At(0), b.At(barkLines[0], 0, y), b.At(barkLines[1], 0, y), b.At(barkLines[0], 0, y), b.At(barkLines[1], 0, y), b.At(0)}));
    }
    r.pant[0].main = static_cast<int16_t>(b.AddSequence(Repeat({b.At(pantSit[0]), b.At(pantSit[1])}, 6)));
    r.pant[1].main = static_cast<int16_t>(b.AddSequence(Repeat({b.At(pantLie[0]), b.At(pantLie[1])}, 6)));
    r.pant[0].overlay = static_cast<int16_t>(b.AddSequence(Repeat({b.At(puff[0], 2, -20), b.At(puff[1], 3, -24)}, 6)));
    r.pant[1].overlay = static_cast<int16_t>(b.AddSequence(Repeat({b.At(puff[0], 2, -10), b.At(puff[1], 3, -14)}, 6)));

    r.lookLeft = {static_cast<int16_t>(b.AddSequence(one(lookLeft))), empty};
    r.lookRight = {static_cast<int16_t>(b.AddSequence(one(lookRight))), empty};
    r.rollOver.main = static_cast<int16_t>(b.AddSequence({b.At(lie), b.At(roll[0]), b.At(roll[1]), b.At(roll[2]),
                                                          b.At(roll[2]), b.At(roll[3]), b.At(roll[0]), b.At(lie)}));
    r.rollOver.overlay = static_cast<int16_t>(b.AddSequence(
        {b.At(0), b.At(0), b.At(stars[0], 0, -34), b.At(stars[1], 0, -34), b.At(stars[0], 0, -34), b.At(0), b.At(0), b.At(0)}));
    r.beg.main = static_cast<int16_t>(b.AddSequence(one(beg)));
    r.beg.overlay = static_cast<int16_t>(b.AddSequence(one(heart[0], 10, -56)));
    r.sniff.main = static_cast<int16_t>(b.AddSequence({b.At(stand[4]), b.At(sniff[0]), b.At(sniff[1]), b.At(sniff[2]),
                                                       b.At(sniff[1], -3, 0), b.At(sniff[0], -6, 0), b.At(sniff[1], -3, 0),
                                                       b.At(sniff[2]), b.At(sniff[3]), b.At(sniff[3]), b.At(stand[4])}));
    r.sniff.overlay = static_cast<int16_t>(b.AddSequence({b.At(0), b.At(sniffDash[0], 0, -4), b.At(sniffDash[1], 0, -4),
                                                          b.At(0), b.At(sniffDash[0], -6, -4), b.At(sniffDash[1], -6, -4),
                                                          b.At(0), b.At(sniffDash[0], 0, -4), b.At(0), b.At(0), b.At(0)}));

    r.fallAsleep.main = static_cast<int16_t>(
        b.AddSequence({b.At(sit), b.At(yawn), b.At(yawn), b.At(sit), b.At(drowsy), b.At(drowsy), b.At(curled)}));
    r.fallAsleep.overlay = static_cast<int16_t>(
        b.AddSequence({b.At(0), b.At(0), b.At(0), b.At(0), b.At(0), b.At(zzz[0], 12, -26), b.At(zzz[1], 16, -32)}));
    r.asleep.main = static_cast<int16_t>(b.AddSequence(Repeat({b.At(breathe[0]), b.At(breathe[0]), b.At(breathe[1]), b.At(breathe[1])}, 2)));
    r.asleep.overlay = static_cast<int16_t>(b.AddSequence({b.At(zzz[0], 12, -26), b.At(zzz[1], 16, -32), b.At(zzz[2], 20, -40),
                                                           b.At(0), b.At(zzz[0], 12, -26), b.At(zzz[1], 16, -32),
                                                           b.At(zzz[2], 20, -40), b.At(0)}));
    r.getUp.main = static_cast<int16_t>(
        b.AddSequence({b.At(curled), b.At(stretch[0]), b.At(stretch[0]), b.At(stretch[1]), b.At(sit), b.At(stand[4])}));
    r.getUp.overlay = static_cast<int16_t>(
        b.AddSequence({b.At(0), b.At(stretchLines, 0, -38), b.At(stretchLines, 0, -40), b.At(0), b.At(0), b.At(0)}));

    for (int n = 0; n < 3; ++n) {
        // Each dance sways one way and the other and comes back.
        static constexpr int kOrder[3][10] = {{0, 1, 2, 1, 0, 3, 4, 3, 0, 0}, {0, 2, 0, 2, 1, 3, 1, 3, 4, 0},
                                              {4, 3, 2, 1, 0, 1, 2, 3, 4, 0}};
        static constexpr int kSway[3][10] = {{0, -2, -4, -2, 0, 2, 4, 2, 0, 0}, {0, 0, 0, 0, -3, -3, 3, 3, 0, 0},
                                             {0, 1, 2, 3, 4, 3, 2, 1, 0, 0}};
        SeqSteps s;
        for (int i = 0; i < 10; ++i) s.push_back(b.At(dance[n][kOrder[n][i]], kSway[n][i], 0));
        r.dance[n].main = static_cast<int16_t>(b.AddSequence(s));
    }
    {
        SeqSteps s;
        for (int k = 0; k < 8; ++k) s.push_back(b.At(dance[3][k], 0, k % 2 ? -3 : 0));
        s.push_back(b.At(dance[0][2]));
        s.push_back(b.At(stand[4]));
        r.dance[3].main = static_cast<int16_t>(b.AddSequence(s));
    }
    for (int n = 0; n < 4; ++n) {
        SeqSteps s;
        for (int i = 0; i < 10; ++i) {
            if (i % 3 == 2) s.push_back(b.At(0));
            else s.push_back(b.At(note[(n + i) % 4], (i % 2 ? 14 : -14) + (n % 2 ? 2 : -2), -58 - 2 * (i % 3)));
        }
        r.dance[n].overlay = static_cast<int16_t>(b.AddSequence(s));
    }

    // Through a door: walking up and away; arriving: walking down into place.
    {
        SeqSteps main, over;
        for (int i = 0; i < 8; ++i) {
            main.push_back(b.At(walk[0][i], 0, -4 * i));
            over.push_back(i == 7 ? b.At(sparkle[1], 0, -30) : i == 6 ? b.At(sparkle[0], 0, -28) : b.At(0));
        }
        r.door = {static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))};
        main.clear();
        over.clear();
        for (int i = 0; i < 8; ++i) {
            main.push_back(i == 7 ? b.At(stand[4]) : b.At(walk[4][i], 0, -24 + 4 * i));
            over.push_back(i == 0 ? b.At(sparkle[0], 0, -24) : i == 1 ? b.At(sparkle[1], 0, -20) : b.At(0));
        }
        r.arrive = {static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))};
    }
    r.hole.main = static_cast<int16_t>(b.AddSequence(
        {b.At(stand[4]), b.At(dive[0]), b.At(dive[1]), b.At(dive[2], 0, 4), b.At(dive[3], 0, 8), b.At(0)}));
    r.hole.overlay = static_cast<int16_t>(b.AddSequence(
        {b.At(0), b.At(0), b.At(0), b.At(dust[2], 0, 4), b.At(dust[1], 0, 6), b.At(dust[0], 0, 6)}));
    r.emerge.main = static_cast<int16_t>(b.AddSequence(
        {b.At(0), b.At(emerge[0], 0, 6), b.At(emerge[1], 0, 2), b.At(emerge[2], 0, -6), b.At(shake[0]), b.At(stand[4])}));
    r.emerge.overlay = static_cast<int16_t>(b.AddSequence(
        {b.At(dust[0], 0, 6), b.At(dust[1], 0, 6), b.At(dust[2], 0, 6), b.At(0), b.At(0), b.At(0)}));
    r.lever.main = static_cast<int16_t>(
        b.AddSequence({b.At(stand[0]), b.At(rear[0]), b.At(rear[1]), b.At(rear[2]), b.At(rear[2]), b.At(rear[1]), b.At(stand[0])}));
    r.button.main = static_cast<int16_t>(
        b.AddSequence({b.At(stand[0]), b.At(rear[0]), b.At(rear[1]), b.At(rear[1]), b.At(rear[0]), b.At(stand[0])}));
    r.lever.overlay = static_cast<int16_t>(b.AddSequence(
        {b.At(0), b.At(0), b.At(0), b.At(sparkle[0], 6, -62), b.At(sparkle[1], 6, -62), b.At(0), b.At(0)}));
    r.button.overlay = static_cast<int16_t>(
        b.AddSequence({b.At(0), b.At(0), b.At(sparkle[0], 4, -58), b.At(sparkle[1], 4, -58), b.At(0), b.At(0)}));
    {
        SeqSteps main, over;
        for (int i = 0; i < 9; ++i) {
            main.push_back(b.At(cloud[i % 3], (i % 2) * 2 - 1, 4));
            over.push_back(b.At(paws[(i + 1) % 3], (i % 3) * 6 - 6, i % 2 ? -6 : 2));
        }
        r.busy = {static_cast<int16_t>(b.AddSequence(main)), static_cast<int16_t>(b.AddSequence(over))};
    }
    {
        // Picking up: the bundle lies at the drop point for steps 0..6 (it
        // wobbles and tips as the pup noses it), then sits in the mouth.
        SeqSteps s{b.At(bundle[0]), b.At(bundle[0]), b.At(bundle[0], 1, 0), b.At(bundle[0], -1, 0),
                   b.At(bundle[1]),  b.At(bundle[1], 0, -2), b.At(bundle[1], 0, -5), b.At(bundle[2], 0, -16),
                   b.At(bundle[2], 0, -18)};
        r.pickUp = static_cast<int16_t>(b.AddSequence(s));
        r.hold = static_cast<int16_t>(
            b.AddSequence({b.At(bundle[2], 0, -18), b.At(bundle[2], 0, -19), b.At(bundle[2], 0, -18), b.At(bundle[2], 0, -17)}));
    }
    r.shake.main = static_cast<int16_t>(
        b.AddSequence({b.At(shake[0]), b.At(shake[1]), b.At(shake[2]), b.At(shake[1]), b.At(shake[0]), b.At(stand[4])}));
    r.shake.overlay = static_cast<int16_t>(
        b.AddSequence({b.At(0), b.At(stars[0], 0, -40), b.At(stars[1], 0, -40), b.At(0), b.At(0), b.At(0)}));
    if (d.jet_) {
        const int16_t rippleSeq = static_cast<int16_t>(
            b.AddSequence({b.At(ripple[0], 0, 4), b.At(ripple[1], 0, 4), b.At(ripple[2], 0, 4)}));
        for (int dir = 0; dir < 8; ++dir) r.stand[dir].overlay = rippleSeq;
        r.rest[0].overlay = rippleSeq;
    }
    return {b.Finish(), r};
}

}  // namespace world::chars
