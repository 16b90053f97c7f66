#pragma once
// A checked reader of whole ".lnd" files into their records, for tools and
// tests (and for anyone who wants to look at a level before loading it). It
// knows the payload of every section type, never reads past the data it was
// given, and fails with a message on a short or absurd file.
#include <cstdint>
#include <string>
#include <vector>

#include "world/land_file_format.h"

namespace world::lnd {

// Parses a file image. Returns 1, or 0 with a message in *error.
int ParseLandFile(const uint8_t* bytes, size_t size, LandFileData* out, std::string* error);
// Reads and parses a file (name resolved like the game's file names).
int ReadLandFile(const std::string& name, LandFileData* out, std::string* error);

// Checks that a file suits one reader: only the section types it accepts,
// every count within the reader's limits, every placement naming an existing
// image and every animation placement an existing strip. Returns 1, or 0 with
// a message in *error.
int CheckForReader(const LandFileData& data, Reader reader, std::string* error);

}  // namespace world::lnd
