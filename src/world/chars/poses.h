#pragma once
// The figures and actions that character poses name (Pose::figure and
// Pose::action). Shared by the tables and the picture generator.
#include <cstdint>

namespace world::chars {

// Figures.
enum Figure : uint8_t {
    kFigDog = 0,          // the pup
    kFigJetDog = 1,       // the pup on its water-jet
    kFigCat = 2,          // cat body without its head
    kFigCatHead = 3,      // cat head; facing gives the way it looks
    kFigBalloonCat = 4,   // cat hanging under a balloon, without its head
    kFigMusician = 5,     // a band member; variant = character (0..5)
    kFigRewardDuo = 6,    // band member and pup dancing together
    // Props and small effects, drawn flat.
    kFigDust = 10,        // puff; phase = size 0..2
    kFigSkid = 11,        // skid marks and dust
    kFigBark = 12,        // bark lines; phase 0..1
    kFigPuff = 13,        // breath puff; phase 0..1
    kFigNote = 14,        // music note; phase = shape 0..3
    kFigZzz = 15,         // sleep letters; phase 0..2
    kFigStars = 16,       // dizzy stars; phase 0..1
    kFigSniff = 17,       // sniff dashes; phase 0..1
    kFigSparkle = 18,     // sparkle; phase 0..1
    kFigHeart = 19,       // heart; phase 0..1
    kFigStretch = 20,     // stretch lines
    kFigCloud = 21,       // scuffle cloud; phase 0..4
    kFigPaws = 22,        // paws and tails poking out of a cloud; phase 0..4
    kFigBundle = 23,      // carried bundle; phase 0 lying, 1 tilted, 2 held
    kFigSpray = 24,       // water-jet spray behind; facing, phase 0..5
    kFigRipple = 25,      // ripples around the resting jet; phase 0..2
    kFigStreak = 26,      // speed lines of a dash; phase 0..1
    kFigHumNote = 27,     // the note a captive hums; phase 0..1
    kFigShackle = 28,     // a broken shackle flying off; phase 0..1
    kFigDrops = 29,       // water drops shaken off; phase 0..1
};

// Actions of the pup (and, where they fit, the cat and musicians).
enum Action : uint8_t {
    kActStand = 0,
    kActWalk = 1,     // phase 0..8 over one stride
    kActSit = 2,
    kActLie = 3,
    kActBeg = 4,      // sitting up on the hind legs
    kActRear = 5,     // up on the hind legs pushing; phase 0..2
    kActCurl = 6,     // curled up asleep; phase 0..1 breathing
    kActRoll = 7,     // rolling over; phase 0..3
    kActDive = 8,     // diving into a hole; phase 0..3
    kActEmerge = 9,   // popping out of a hole; phase 0..2
    kActSniff = 10,   // nose to the ground; phase 0..3
    kActStretch = 11, // play bow and stretch; phase 0..1
    kActDance = 12,   // phase 0..4; variant = dance
    kActStop = 13,    // braking
    kActShake = 14,   // shaking itself; phase 0..2
    kActYawn = 15,
    kActDrowsy = 16,
    kActPlay = 17,    // musician playing; phase 0..n
    kActCaptive = 18, // musician held in the lock room; phase 0..n
    kActHum = 19,     // musician humming; phase 0..n
    kActFreed = 20,   // musician cheering; phase 0..n
    kActLick = 21,    // cat licking a paw; phase 0..2
    kActHiss = 22,    // cat arching; phase 0..2
};

// Pose::variant bits for faces.
enum Face : uint8_t {
    kMouthOpen = 1,
    kTongue = 2,
    kEyesClosed = 4,
    kEyesHalf = 8,
};

// The characters are seen from the front and a little above: a point of
// the ground h pixels up and y pixels further away shows
// y * kViewSin + h * kViewCos pixels higher on the screen.
inline constexpr double kViewSin = 0.5736;  // sin 35 degrees
inline constexpr double kViewCos = 0.8192;

// Where a point forward f, to the right s and up h of a character facing
// the given eighth lands on the screen, relative to its standing point.
struct ScreenOffset {
    int x, y;
};
ScreenOffset ProjectLocal(int facing, double f, double s, double h);

}  // namespace world::chars
