// The generator is a program of its own; this test compiles its sources in.
#include "assetgen/world_rooms.cpp"
