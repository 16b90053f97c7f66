#include "assetgen/world_rooms.h"

#include "assetgen/world_icons.h"

namespace assetgen {
namespace {

using namespace world::lnd;
using world::palette_plan::Common;
using world::palette_plan::kGreenKey;
using world::palette_plan::kOutline;

constexpr uint8_t kKey = kGreenKey;
constexpr uint8_t C(Ramp r, int s) { return Common(r, s); }

// Back wall with a pattern, a skirting board and a wooden floor.
void PaintRoom(Picture& p, int wallBottom, uint32_t seed) {
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            uint8_t c;
            if (y < wallBottom) {
                c = ((x / 20) % 2) ? Own(PlaceRamp::Wall, 5) : Own(PlaceRamp::Wall, 4);
                if ((x % 40 == 10) && (y % 24 < 12)) c = Own(PlaceRamp::Flower, 4);
            } else {
                const int board = (y - wallBottom) / 14;
                const int joint = (x + board * 53) % 90;
                c = (y - wallBottom) % 14 == 0 || joint == 0 ? Own(PlaceRamp::Ground, 2)
                                                             : Own(PlaceRamp::Ground, 4 + int(Hash(x / 6, board, seed) % 2));
            }
            p.Plot(x, y, c);
        }
    p.FillRect(0, wallBottom - 8, p.width(), 8, Own(PlaceRamp::Wood, 3));
    p.FillRect(0, wallBottom - 8, p.width(), 2, Own(PlaceRamp::Wood, 5));
}

void Rug(Picture& p, int cx, int cy, int rx, int ry) {
    p.FillEllipse(cx, cy, rx, ry, Own(PlaceRamp::Path, 3));
    p.FillEllipse(cx, cy, rx - 6, ry - 5, Own(PlaceRamp::Path, 5));
    p.FillEllipse(cx, cy, rx - 16, ry - 12, Own(PlaceRamp::PathEdge, 4));
    p.FillEllipse(cx, cy, rx - 22, ry - 17, Own(PlaceRamp::Path, 5));
}

// A doorway (an arch in the wall) over the rectangle.
void Doorway(Picture& p, const Rect& r, uint8_t sign) {
    const int w = r.right - r.left;
    p.FillRect(r.left - 4, r.top + w / 2 - 4, w + 8, r.bottom - r.top - w / 2 + 4, Own(PlaceRamp::Wood, 4));
    p.FillEllipse(r.left + w / 2, r.top + w / 2, w / 2 + 4, w / 2 + 4, Own(PlaceRamp::Wood, 4));
    p.FillEllipse(r.left + w / 2, r.top + w / 2, w / 2, w / 2, Own(PlaceRamp::Deep, 2));
    p.FillRect(r.left, r.top + w / 2, w, r.bottom - r.top - w / 2, Own(PlaceRamp::Deep, 2));
    p.FillEllipse(r.left + w / 2, r.top + w / 2, 6, 6, sign);
}

// A hole in the floor with a ladder going down.
void FloorHole(Picture& p, const Rect& r) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    const int rx = (r.right - r.left) / 2 + 4, ry = (r.bottom - r.top) / 2;
    p.FillEllipse(cx, cy, rx + 4, ry + 4, Own(PlaceRamp::Wall, 3));
    p.FillEllipse(cx, cy, rx, ry, Own(PlaceRamp::Deep, 0));
    p.FillRect(cx - 10, cy - ry + 2, 3, ry, Own(PlaceRamp::Wood, 4));
    p.FillRect(cx + 8, cy - ry + 2, 3, ry, Own(PlaceRamp::Wood, 4));
    for (int y = cy - ry + 6; y < cy + 2; y += 7) p.FillRect(cx - 10, y, 21, 2, Own(PlaceRamp::Wood, 5));
}

void Frame(Picture& p, int x, int y, int w, int h, int motif) {
    p.FillRect(x - 4, y - 4, w + 8, h + 8, Own(PlaceRamp::Wood, 3));
    p.FillRect(x, y, w, h, C(Ramp::Sky, 6));
    const Picture icon = DrawIcon(motif % 6, motif / 6);
    for (int yy = 0; yy < icon.height(); yy += 2)
        for (int xx = 0; xx < icon.width(); xx += 2)
            if (icon.At(xx, yy) != kKey) p.Plot(x + w / 2 - 14 + xx / 2, y + h / 2 - 14 + yy / 2, icon.At(xx, yy));
}

Section Typed(uint32_t type) {
    Section s;
    s.type = type;
    return s;
}

// A fish that opens its mouth wide as the dog comes near (the main
// sub-room's two strip animations).
Picture OpeningFish(bool mirrored) {
    std::vector<Picture> frames;
    for (int f = 0; f < 5; ++f) {
        Picture p(80, 70, kKey);
        p.ShadedEllipse(44, 40, 32, 20, Ramp::Orange, 2, 6);
        p.FillPolygon({{72, 40}, {79, 22}, {79, 58}}, C(Ramp::Orange, 3));
        p.FillEllipse(24, 32, 5, 5, C(Ramp::Grey, 7));
        p.FillEllipse(23, 32, 2, 2, kOutline);
        p.FillPolygon({{4, 40 - f * 3}, {22, 42}, {4, 44 + f * 3}}, kKey);
        p.FillRect(20, 66, 50, 4, C(Ramp::Slate, 3));
        p.Outline(kKey, kOutline);
        frames.push_back(mirrored ? p.Mirrored() : p);
    }
    return JoinStrip(frames, kKey);
}

Picture LandEmblem(int land, int w, int h) {
    // What a child sees through an open land door: the land in a picture.
    Picture p(w, h, kKey);
    switch (land) {
        case 0:  // green hills
            p.FillRect(0, 0, w, h, C(Ramp::Sky, 6));
            p.FillEllipse(w / 3, h, w / 2, h / 2, C(Ramp::Leaf, 4));
            p.FillEllipse(w, h, w / 2, h / 3, C(Ramp::Leaf, 3));
            break;
        case 1:  // a striped tent
            p.FillRect(0, 0, w, h, C(Ramp::Sky, 5));
            for (int x = 0; x < w; x += 8) p.FillPolygon({{w / 2, 8}, {x, h}, {x + 8, h}}, (x / 8) % 2 ? C(Ramp::Red, 4) : C(Ramp::Grey, 7));
            break;
        case 2:  // red rock under the sun
            p.FillRect(0, 0, w, h, C(Ramp::Orange, 6));
            p.FillEllipse(w - 14, 14, 8, 8, C(Ramp::Yellow, 6));
            p.FillEllipse(w / 2, h, w / 2, h / 3, C(Ramp::Red, 3));
            break;
        case 3:  // night street with a note
            p.FillRect(0, 0, w, h, C(Ramp::Blue, 1));
            p.FillEllipse(w / 2 - 4, h / 2 + 8, 7, 5, C(Ramp::Yellow, 6));
            p.FillRect(w / 2 + 1, h / 2 - 18, 3, 26, C(Ramp::Yellow, 6));
            break;
        case 4:  // pagoda roof
            p.FillRect(0, 0, w, h, C(Ramp::Pink, 6));
            p.FillPolygon({{4, h / 2}, {w / 2, h / 4}, {w - 4, h / 2}}, C(Ramp::Teal, 3));
            p.FillRect(w / 2 - 12, h / 2, 24, h / 2, C(Ramp::Red, 3));
            break;
        default:  // water with a lily pad
            p.FillRect(0, 0, w, h, C(Ramp::Sky, 4));
            p.FillEllipse(w / 2, h * 2 / 3, 16, 8, C(Ramp::Leaf, 4));
            p.FillEllipse(w / 2 + 6, h * 2 / 3 - 4, 4, 4, C(Ramp::Pink, 5));
            break;
    }
    return p;
}

// Land door k of the den: six frames from shut to wide open.
Picture DenDoorStrip(int land) {
    constexpr int kW = 80, kH = 130;
    std::vector<Picture> frames;
    const Picture view = LandEmblem(land, 56, 90);
    for (int f = 0; f < 6; ++f) {
        Picture p(kW, kH, kKey);
        p.FillRect(4, 10, 72, 120, Own(PlaceRamp::Wood, 2));
        p.Draw(view, 12, 30, -1);
        // The door leaf swings open: it narrows towards its hinge on the left.
        const int leaf = 56 - f * 11;
        if (leaf > 0) {
            p.FillRect(12, 30, leaf, 90, Own(PlaceRamp::Wood, 4));
            p.FillRect(12 + leaf - 3, 30, 3, 90, Own(PlaceRamp::Wood, 2));
            if (leaf > 12) p.FillEllipse(12 + leaf - 8, 76, 3, 3, C(Ramp::Gold, 5));
        }
        // The sign over the door shows the land.
        p.Draw(LandEmblem(land, 40, 20), 20, 2, -1);
        p.FillRect(0, 120, kW, 10, Own(PlaceRamp::Wood, 3));
        p.Outline(kKey, kOutline);
        frames.push_back(p);
    }
    return JoinStrip(frames, kKey);
}

// The instrument band member k plays, waiting on the stage.
Picture Instrument(int k) {
    Picture p(64, 84, kKey);
    switch (k) {
        case 0:  // drum
            p.FillEllipse(32, 70, 28, 10, C(Ramp::Red, 2));
            p.FillRect(4, 40, 57, 30, C(Ramp::Red, 4));
            p.FillEllipse(32, 40, 28, 10, C(Ramp::Grey, 7));
            p.Line(20, 4, 28, 36, C(Ramp::Brown, 4), 3);
            p.Line(46, 4, 38, 36, C(Ramp::Brown, 4), 3);
            break;
        case 1:  // guitar
            p.ShadedEllipse(30, 66, 20, 16, Ramp::Orange, 2, 5);
            p.ShadedEllipse(30, 46, 14, 12, Ramp::Orange, 2, 5);
            p.FillEllipse(30, 60, 5, 5, C(Ramp::Brown, 0));
            p.FillRect(27, 4, 6, 42, C(Ramp::Brown, 2));
            break;
        case 2:  // saxophone
            p.Line(30, 6, 30, 60, C(Ramp::Gold, 5), 7);
            p.FillEllipse(38, 66, 12, 12, C(Ramp::Gold, 4));
            p.FillEllipse(46, 58, 7, 7, C(Ramp::Gold, 2));
            for (int y = 20; y < 56; y += 9) p.FillEllipse(34, y, 2, 2, C(Ramp::Grey, 7));
            break;
        case 3:  // keyboard on a stand
            p.FillRect(2, 40, 60, 16, C(Ramp::Grey, 1));
            for (int x = 4; x < 60; x += 6) p.FillRect(x, 42, 5, 12, C(Ramp::Grey, 7));
            p.Line(12, 56, 32, 82, C(Ramp::Slate, 3), 3);
            p.Line(52, 56, 32, 82, C(Ramp::Slate, 3), 3);
            break;
        case 4:  // trumpet on a stand
            p.Line(32, 40, 32, 82, C(Ramp::Slate, 3), 2);
            p.FillRect(8, 30, 40, 6, C(Ramp::Gold, 5));
            p.FillPolygon({{46, 33}, {60, 22}, {60, 44}}, C(Ramp::Gold, 4));
            p.FillRect(22, 24, 3, 8, C(Ramp::Gold, 3));
            p.FillRect(28, 24, 3, 8, C(Ramp::Gold, 3));
            break;
        default:  // double bass
            p.ShadedEllipse(32, 62, 22, 20, Ramp::Brown, 2, 5);
            p.ShadedEllipse(32, 36, 16, 14, Ramp::Brown, 2, 5);
            p.FillRect(30, 0, 5, 40, C(Ramp::Brown, 0));
            p.FillRect(24, 56, 16, 3, C(Ramp::Brown, 0));
            break;
    }
    p.Outline(kKey, kOutline);
    return p;
}

Picture RecordPlayer() {
    std::vector<Picture> frames;
    for (int f = 0; f < 4; ++f) {
        Picture p(70, 60, kKey);
        p.FillRect(4, 30, 62, 28, Own(PlaceRamp::Wood, 3));
        p.FillEllipse(35, 30, 26, 10, C(Ramp::Grey, 1));
        p.FillEllipse(35, 30, 8, 3, C(Ramp::Red, 4));
        p.FillEllipse(35 + Cosine64(f * 16) * 18 / 256, 30 + Sine64(f * 16) * 6 / 256, 2, 1, C(Ramp::Grey, 5));
        p.Line(60, 20, 46, 30, C(Ramp::Slate, 5), 2);
        const int noteY = 14 - f * 3;
        p.FillEllipse(16 + f * 2, noteY + 6, 3, 2, C(Ramp::Purple, 5));
        p.FillRect(18 + f * 2, noteY - 2, 1, 8, C(Ramp::Purple, 5));
        p.Outline(kKey, kOutline);
        frames.push_back(p);
    }
    return JoinStrip(frames, kKey);
}

Picture Plant() {
    Picture p(60, 100, kKey);
    p.FillPolygon({{14, 70}, {46, 70}, {42, 98}, {18, 98}}, Own(PlaceRamp::Roof, 4));
    for (int k = 0; k < 7; ++k) {
        const int a = 36 + k * 6;
        p.Line(30, 70, 30 + Cosine64(a) * 28 / 256, 40 + Sine64(a) * 34 / 256, C(Ramp::Leaf, 3 + k % 3), 5);
    }
    p.Outline(kKey, kOutline);
    return p;
}

// The band panel's cloud, thought bubbles and the part icons (rows are
// members, columns parts 0..5 and "none").
Picture Cloud() {
    Picture p(180, 160, kKey);
    const int blobs[8][3] = {{50, 50, 40}, {100, 40, 44}, {140, 70, 38}, {130, 120, 36}, {80, 124, 40}, {36, 100, 34}, {90, 80, 50}, {150, 30, 24}};
    for (const auto& b : blobs) p.FillEllipse(b[0], b[1], b[2], b[2] * 4 / 5, C(Ramp::Grey, 6));
    for (const auto& b : blobs) p.FillEllipse(b[0] - 4, b[1] - 4, b[2] - 8, b[2] * 4 / 5 - 8, C(Ramp::Grey, 7));
    p.Outline(kKey, kOutline);
    return p;
}

Picture Bubble(int variant) {
    Picture p(64, 56, kKey);
    const int sizes[3] = {6 + variant % 2, 9, 13 + variant % 3};
    p.FillEllipse(8, 48, sizes[0], sizes[0], C(Ramp::Grey, 7));
    p.FillEllipse(26, 32, sizes[1], sizes[1], C(Ramp::Grey, 7));
    p.FillEllipse(48 - variant, 14, sizes[2], sizes[2] * 3 / 4, C(Ramp::Grey, 7));
    p.Outline(kKey, kOutline);
    return p;
}

// The den's "kept" picture: a cassette with a green tick, or with a red
// cross when the song could not be kept.
Picture Cassette(bool kept) {
    Picture p(72, 56, kKey);
    p.FillRect(2, 10, 64, 40, C(Ramp::Slate, 2));
    p.FillRect(4, 12, 60, 36, C(Ramp::Slate, 4));
    p.FillRect(10, 15, 48, 22, C(Ramp::Yellow, 6));     // the label
    p.FillRect(10, 17, 48, 3, C(Ramp::Red, 4));
    p.FillRect(20, 24, 28, 10, C(Ramp::Grey, 2));       // the window
    for (int reel = 0; reel < 2; ++reel) {
        const int cx = 26 + reel * 16;
        p.FillEllipse(cx, 29, 4, 4, C(Ramp::Grey, 7));
        p.FillEllipse(cx, 29, 2, 2, C(Ramp::Grey, 2));
    }
    p.FillRect(18, 40, 32, 8, C(Ramp::Slate, 3));       // where the tape shows
    if (kept) {
        p.FillEllipse(56, 16, 14, 14, C(Ramp::Leaf, 5));
        p.Line(49, 16, 54, 22, C(Ramp::Grey, 7), 4);
        p.Line(54, 22, 63, 9, C(Ramp::Grey, 7), 4);
    } else {
        p.FillEllipse(56, 16, 14, 14, C(Ramp::Red, 4));
        p.Line(50, 10, 62, 22, C(Ramp::Grey, 7), 4);
        p.Line(62, 10, 50, 22, C(Ramp::Grey, 7), 4);
    }
    p.Outline(kKey, kOutline);
    return p;
}

Picture PartIcons(bool lit) {
    constexpr int kCellW = 30, kCellH = 26;
    static const Ramp kMember[6] = {Ramp::Red, Ramp::Orange, Ramp::Leaf, Ramp::Sky, Ramp::Purple, Ramp::Pink};
    Picture p(kCellW * 7, kCellH * 6, kKey);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 7; ++c) {
            const int x = c * kCellW, y = r * kCellH;
            if (lit) p.FillEllipse(x + 15, y + 13, 14, 12, C(Ramp::Yellow, 6));
            p.FillEllipse(x + 15, y + 13, 11, 10, C(kMember[r], lit ? 5 : 3));
            if (c == 6) {  // "none": a crossed circle
                p.FillEllipse(x + 15, y + 13, 7, 6, C(kMember[r], lit ? 5 : 3));
                p.Line(x + 9, y + 19, x + 21, y + 7, C(Ramp::Grey, 7), 2);
            } else {  // part c: c + 1 little notes
                for (int n = 0; n <= c; ++n) {
                    const int nx = x + 8 + (n % 3) * 6, ny = y + 9 + (n / 3) * 8;
                    p.FillEllipse(nx, ny + 2, 2, 2, C(Ramp::Grey, 7));
                    p.FillRect(nx + 1, ny - 3, 1, 5, C(Ramp::Grey, 7));
                }
            }
        }
    p.Outline(kKey, kOutline);
    return p;
}

}  // namespace

std::vector<int32_t> SlicedCells(int columns, int rows) {
    std::vector<int32_t> cells(size_t(columns) * rows);
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) cells[size_t(c) * rows + r] = r * columns + c;
    return cells;
}

namespace room {
Rect DenDoor(int k) {
    const int x = 25 + k * 100;
    return {x + 10, 120, x + 70, 184};
}
}  // namespace room

// The plaque in a sub-room that tells its set at a glance: room k
// takes set k on easy and medium, shown as k + 1 bright pips in the
// difficulty's colour; on hard the room takes whichever set comes first,
// shown as three open rings.
Picture SetSign(int k, int difficulty) {
    constexpr int kW = 44, kH = 30;
    Picture p(kW, kH, world::palette_plan::kGreenKey);
    p.ShadedRect(2, 2, kW - 4, kH - 6, Ramp::Brown, 2, 4);
    p.FillRect(2, kH - 4, kW - 4, 3, C(Ramp::Brown, 1));
    const Ramp ramp = difficulty == 1 ? Ramp::Yellow : difficulty == 2 ? Ramp::Orange : Ramp::Red;
    const int pips = difficulty == 3 ? 3 : k + 1;
    for (int i = 0; i < pips; ++i) {
        const int x = kW / 2 + (2 * i - (pips - 1)) * 7;
        p.FillEllipse(x, 13, 5, 5, C(ramp, 6));
        p.FillEllipse(x, 13, 2, 2, difficulty == 3 ? C(Ramp::Brown, 3) : C(Ramp::Grey, 7));
    }
    p.Outline(world::palette_plan::kGreenKey, world::palette_plan::kOutline);
    return p;
}

RoomFiles MakeSubRoom(int k) {
    RoomFiles room;
    room.place = Place(int(Place::Subroom1) + k);
    room.folder = "Subroom" + std::to_string(k + 1);
    Picture p(400, 300);
    PaintRoom(p, 80, uint32_t(k));
    Rug(p, 200, 190, 110, 60);
    Doorway(p, room::kSubExit, C(Ramp::Leaf, 5));
    FloorHole(p, room::kSubHole);
    Frame(p, 120, 20, 36, 30, k * 12);
    p.FillRect(30, 100, 60, 6, Own(PlaceRamp::Wood, 3));  // a shelf
    room.tiles = p;

    LandFileData& d = room.level;
    d.tiles = {"tiles.bmp", 40, 30, 10, 10};
    d.cells = SlicedCells(10, 10);
    Section doors = Typed(kDoors);
    doors.doors.push_back({room::kSubExit, 1, "exit"});
    Section zones = Typed(kZones);
    zones.zones.push_back({room::kSubHole, zone::kHotSpot});
    Section actors = Typed(kActors);
    actors.actors.push_back({actor::kLockFish, "..\\graphics\\lockstuff\\fishglow.bmp", 3, room::kSubFishX, room::kSubFishY});
    actors.actors.push_back({actor::kPedestal, "..\\graphics\\icons\\peds.bmp", 4, room::kPedestalX, room::kPedestalY});
    // One spot: the plaque in the front corner (its picture by difficulty).
    Section spots = Typed(kIconSpots);
    spots.spotName = "sign";
    spots.spots.push_back({room::kSubSignX, room::kSubSignY});
    const char* signs[3] = {"icons/easyicon.bmp", "icons/medicon.bmp", "icons/hardicon.bmp"};
    for (int d = 1; d <= 3; ++d) room.pictures.push_back({signs[d - 1], SetSign(k, d)});
    d.sections = {spots, doors, zones, actors};
    return room;
}

RoomFiles MakeMainSubRoom() {
    RoomFiles room;
    room.place = Place::MainSub;
    room.folder = "mainSub";
    Picture p(400, 480);
    PaintRoom(p, 100, 9);
    Rug(p, 190, 400, 150, 60);
    Doorway(p, room::kMainExit, C(Ramp::Leaf, 5));
    Doorway(p, room::kMainDenExit, C(Ramp::Brown, 2));
    FloorHole(p, room::kMainHole);
    // A stage for the lock and a spotlight on the wall.
    p.FillRect(20, 200, 360, 30, Own(PlaceRamp::Wood, 4));
    p.FillRect(20, 200, 360, 3, Own(PlaceRamp::Wood, 6));
    p.FillEllipse(170, 50, 60, 34, Own(PlaceRamp::Light, 5));
    room.tiles = p;
    room.pictures.push_back({"fisha.bmp", OpeningFish(false)});
    room.pictures.push_back({"fishb.bmp", OpeningFish(true)});

    LandFileData& d = room.level;
    d.tiles = {"tiles.bmp", 40, 30, 10, 16};
    d.cells = SlicedCells(10, 16);
    Section doors = Typed(kDoors);
    doors.doors.push_back({room::kMainExit, 1, "exit"});
    Section zones = Typed(kZones);
    zones.zones.push_back({room::kMainDenExit, zone::kDenExit});
    zones.zones.push_back({room::kMainExit, zone::kRoomExit});
    zones.zones.push_back({room::kMainHole, zone::kHotSpot});
    Section actors = Typed(kActors);
    actors.actors.push_back({actor::kLemon, "..\\graphics\\lockstuff\\lemon.bmp", 1, room::kLemonX, room::kLemonY});
    actors.actors.push_back({actor::kLever, "..\\graphics\\lockstuff\\lever.bmp", 4, room::kLeverX, room::kLeverY});
    actors.actors.push_back({actor::kStripA, "fisha.bmp", 5, 24, 384});
    actors.actors.push_back({actor::kStripB, "fishb.bmp", 5, 296, 384});
    d.sections = {doors, zones, actors};
    return room;
}

RoomFiles MakeDen() {
    RoomFiles den;
    den.place = Place::Den;
    den.folder = "graphics/den";
    Picture p(640, 480);
    PaintRoom(p, 190, 21);
    // The stage where the band plays, and a toy chest: the options corner.
    p.FillEllipse(320, 300, 250, 70, Own(PlaceRamp::Wood, 3));
    p.FillEllipse(320, 294, 246, 66, Own(PlaceRamp::Wood, 5));
    Rug(p, 320, 410, 120, 40);
    const Rect& o = room::kDenOptions;
    p.FillRect(o.left, o.top, o.right - o.left, o.bottom - o.top, Own(PlaceRamp::Roof, 4));
    p.FillRect(o.left, o.top, o.right - o.left, 10, Own(PlaceRamp::Roof, 6));
    p.FillEllipse((o.left + o.right) / 2, o.top + 30, 9, 9, C(Ramp::Gold, 5));
    p.FillEllipse((o.left + o.right) / 2, o.top + 30, 4, 4, Own(PlaceRamp::Roof, 4));
    den.tiles = p;

    LandFileData& d = den.level;
    d.tiles = {"tiles.bmp", 32, 32, 20, 15};
    d.cells = SlicedCells(20, 15);
    d.images.push_back({"plant.bmp", {16, 92, 44, 100}});
    d.placements.push_back({0, 566, 330});
    den.pictures.push_back({"plant.bmp", Plant()});

    Section anims = Typed(kAnimations);
    anims.strips.push_back({"player.bmp", {4, 52, 66, 60}, 4});
    anims.animPlacements.push_back({0, 540, 220, 200, 0});
    den.pictures.push_back({"player.bmp", RecordPlayer()});

    Section actors = Typed(kActors);
    for (int k = 0; k < 6; ++k) {
        const std::string door = "door" + std::to_string(k + 1) + ".bmp";
        den.pictures.push_back({door, DenDoorStrip(k)});
        actors.actors.push_back({actor::kDenDoorFirst + uint32_t(k), door, 6, 25 + k * 100, 54});
    }
    // Member k's instrument (member k belongs to land 2, 4, 0, 5, 1, 3).
    for (int k = 0; k < 6; ++k) {
        const std::string piece = "piece" + std::to_string(k + 1) + ".bmp";
        den.pictures.push_back({piece, Instrument(k)});
        actors.actors.push_back({actor::kBandPieceFirst + uint32_t(k), piece, 1, 110 + k * 72, 236 + (k % 2) * 10});
    }
    Section zones = Typed(kZones);
    for (int k = 0; k < 6; ++k) zones.zones.push_back({room::DenDoor(k), uint32_t(k + 1)});
    zones.zones.push_back({room::kDenOptions, 7});
    d.sections = {anims, actors, zones};

    den.pictures.push_back({"cloud.bmp", Cloud()});
    const char* bubbles[5] = {"thobub02.bmp", "thobub03.bmp", "thobub05.bmp", "thobu01.bmp", "thobub04.bmp"};
    for (int k = 0; k < 5; ++k) den.pictures.push_back({bubbles[k], Bubble(k)});
    den.pictures.push_back({"icons.bmp", PartIcons(false)});
    den.pictures.push_back({"liticons.bmp", PartIcons(true)});
    den.pictures.push_back({"tapeok.bmp", Cassette(true)});
    den.pictures.push_back({"tapefail.bmp", Cassette(false)});
    return den;
}

}  // namespace assetgen
