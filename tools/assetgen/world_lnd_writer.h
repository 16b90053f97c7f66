#pragma once
// Writes level records into the ".lnd" layout (the inverse of the checked
// reader in world/land_file_reader.h).
#include <cstdint>
#include <string>
#include <vector>

#include "world/land_file_format.h"

namespace assetgen {

std::vector<uint8_t> EncodeLandFile(const world::lnd::LandFileData& data);

}  // namespace assetgen
