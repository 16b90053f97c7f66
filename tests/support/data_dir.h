#pragma once
// The generated data folder the tests read: $TW_DATA_DIR, else <build>/data.
#include <cstdlib>
#include <string>

namespace test_support {

inline std::string GeneratedDataDir() {
    const char* env = std::getenv("TW_DATA_DIR");
    return env && *env ? env : std::string(TW_BINARY_DIR) + "/data";
}

}  // namespace test_support
