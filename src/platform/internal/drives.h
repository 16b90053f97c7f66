#pragma once
// Drive letters on a real system: C: is the root file system; CD-ROM drives
// are the mount points of optical media, lettered from D: in mount order.
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace platform::internal {

// Mount points with an iso9660 or udf file system, in the order of the text
// (the format of /proc/mounts, with its octal escapes undone).
std::vector<std::string> OpticalMountPoints(const std::string& mountsText);
UINT SystemDriveType(char letter, std::string* root);

}  // namespace platform::internal
