// Built from the generator's own source so the pictures are checked as drawn.
#include "assetgen/chars_sheets.cpp"
