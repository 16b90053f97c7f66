// MCI string commands. There is no CD audio here: every command naming the
// "cdaudio" device (or an alias the game opened on it) answers
// MCIERR_NO_DEVICE; nothing else is understood.
#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <strings.h>
#include <vector>

#include "platform/mci.h"

namespace platform {
namespace {

std::vector<std::string> Words(const char* command) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string word; in >> word;) {
        for (char& c : word) c = char(std::tolower(static_cast<unsigned char>(c)));
        words.push_back(word);
    }
    return words;
}

// Aliases given by "open cdaudio ... alias <name>" (lower case).
std::set<std::string>& CdAliases() {
    static std::set<std::string> aliases;
    return aliases;
}

}  // namespace

MCIERROR mciSendString(const char* command, char* answer, UINT answerSize, HWND) {
    if (answer && answerSize > 0) answer[0] = '\0';
    if (!command) return MCIERR_UNRECOGNIZED_COMMAND;
    const std::vector<std::string> words = Words(command);
    if (words.size() < 2) return MCIERR_UNRECOGNIZED_COMMAND;

    bool namesCd = words[1] == "cdaudio" || CdAliases().count(words[1]) > 0;
    for (size_t i = 1; i + 1 < words.size(); ++i)
        if (words[i] == "type" && words[i + 1] == "cdaudio") namesCd = true;
    if (!namesCd) return MCIERR_UNRECOGNIZED_COMMAND;

    if (words[0] == "open")
        for (size_t i = 2; i + 1 < words.size(); ++i)
            if (words[i] == "alias") CdAliases().insert(words[i + 1]);
    return MCIERR_NO_DEVICE;
}

}  // namespace platform
