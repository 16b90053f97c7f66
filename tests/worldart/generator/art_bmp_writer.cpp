// The generator is a program of its own; this test compiles its sources in.
#include "assetgen/art_bmp_writer.cpp"
