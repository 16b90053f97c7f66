#include "platform/internal/drives.h"

#include <fstream>
#include <sstream>

namespace platform::internal {

namespace {
// /proc/mounts writes space, tab, newline and backslash as \ooo.
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.size() == 3 && digits.find_first_not_of("01234567") == std::string::npos) {
                out += char(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}
}  // namespace

std::vector<std::string> OpticalMountPoints(const std::string& mountsText) {
    std::vector<std::string> points;
    std::istringstream lines(mountsText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        if (type == "iso9660" || type == "udf") points.push_back(Unescape(mountPoint));
    }
    return points;
}

UINT SystemDriveType(char letter, std::string* root) {
    if (letter >= 'a' && letter <= 'z') letter = char(letter - 32);
    if (letter == 'C') {
        if (root) *root = "/";
        return DRIVE_FIXED;
    }
    if (letter < 'D' || letter > 'Z') return DRIVE_NO_ROOT_DIR;
    std::ifstream file("/proc/mounts");
    std::ostringstream text;
    text << file.rdbuf();
    const std::vector<std::string> points = OpticalMountPoints(text.str());
    const size_t index = size_t(letter - 'D');
    if (index >= points.size()) return DRIVE_NO_ROOT_DIR;
    if (root) *root = points[index];
    return DRIVE_CDROM;
}

}  // namespace platform::internal
