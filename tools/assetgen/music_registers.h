#pragma once
// Keeps every note where its instrument lives: nothing under E1, and no note
// more than an octave from the root of the sample that plays it (notes low
// for their instrument move to its low-register sample).
#include "assetgen/music_score.h"

namespace assetgen::music {

constexpr int kLowestNote = 28;  // E1: a bass any lower turns to mud

void FitRegisters(Part& part);
void FitRegisters(Song& song);

}  // namespace assetgen::music
