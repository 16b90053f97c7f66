#pragma once
// The collectable icons, their flags and the pieces shared by every land and
// room: six categories of six icons keyed on green, the flag strips of the
// icon posts, the sparkles, the pedestal, the mini key, the lock pieces and
// the loading animation. All of them use only the common block.
#include <string>

#include "assetgen/art_canvas.h"

namespace assetgen {

inline constexpr int kCategoryCount = 6;
// Folder of each category under graphics\icons, and its flag names (seven
// frames on easy, five otherwise).
struct CategoryNames {
    const char* folder;
    const char* easyFlag;
    const char* flag;
};
const CategoryNames& Category(int category);

// Icon `index` (0..5) of a category, keyed on green, at most 65 high.
Picture DrawIcon(int category, int index);

// Writes every shared picture under dataDir. Returns 1 / 0.
int WriteSharedArt(const std::string& dataDir);

}  // namespace assetgen
