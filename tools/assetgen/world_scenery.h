#pragma once
// The scenery of each land: barrier pieces that shape paths and mazes,
// buildings with doors, holes, trees and props, strip animations, the
// proximity animation, the watcher and the icon post. Every piece is keyed
// on green and drawn in the land's palette; its footprint (the part that
// blocks the dog and sets the drawing order) lies at its base.
#include <string>
#include <vector>

#include "assetgen/art_canvas.h"
#include "assetgen/world_palettes.h"
#include "world/land_file_format.h"

namespace assetgen {

struct ArtPiece {
    std::string file;        // name inside the land folder
    Picture picture{1, 1};   // the whole bitmap (a strip for animations)
    world::lnd::Rect footprint;
    int frames = 1;

    int FrameWidth() const { return picture.width() / frames; }
    int Height() const { return picture.height(); }
};

// Door and hole areas relative to a piece's top-left corner.
struct LandArt {
    ArtPiece wallH;     // horizontal barrier, kCellSize wide
    ArtPiece wallV;     // vertical barrier piece, stacked every kWallStep
    ArtPiece post;      // where barriers meet
    ArtPiece tree;      // decoration inside cells
    ArtPiece prop;      // second decoration
    ArtPiece hut;       // sub-room door building
    ArtPiece hall;      // main door building
    ArtPiece gate;      // the way home (start area)
    ArtPiece hole;      // a hole (hot spot)
    ArtPiece iconPost;  // actor kinds 10..12
    ArtPiece anim;      // strip animation
    ArtPiece banner;    // strip animation: a waving banner
    ArtPiece proximity; // actor kind 1
    ArtPiece watcher;   // actor kind 5, 8 frames
    world::lnd::Rect hutDoor, hallDoor, gateArea, holeArea;
};

inline constexpr int kCellSize = 200;  // maze cell of the land layouts
inline constexpr int kWallStep = 40;   // spacing of vertical barrier pieces

LandArt MakeLandArt(Place land);

// Every piece, for writing.
std::vector<const ArtPiece*> AllPieces(const LandArt& art);

}  // namespace assetgen
