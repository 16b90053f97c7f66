#pragma once
// The characters' bodies as solid shapes, built from a pose.
#include "assetgen/chars_render.h"
#include "world/chars/sheet.h"

namespace assetgen::chars {

// The pup in a pose (on its water-jet when jet is set).
Figure PupFigure(const world::chars::Pose& pose, bool jet);
// The cat's body without its head, and the head alone (facing gives the way
// the head looks); balloon hangs the body under a balloon.
Figure CatBodyFigure(const world::chars::Pose& pose, bool balloon);
Figure CatHeadFigure();
// Band member m (0..5, den numbering) in a pose, without its instrument.
Figure MusicianFigure(const world::chars::Pose& pose);

// Draws a sheet frame of any figure (bodies, props, instruments) into pic,
// whose rectangle must hold the key colour. Returns false for a figure this
// generator does not know.
bool DrawFrame(Picture& pic, const world::chars::SheetFrame& frame, uint8_t key = 1);

}  // namespace assetgen::chars
