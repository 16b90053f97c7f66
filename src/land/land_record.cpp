#include "land/land_record.h"

#include <cstring>

namespace land {

void InitLandRecord(LandRecord* record) {
    std::memset(record, 0, sizeof(*record));
}

}  // namespace land
