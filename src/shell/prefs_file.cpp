#include "shell/prefs_file.h"

#include <bit>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/system.h"

namespace shell {

namespace {

enum class TokenResult { Key, Skip, End };

// Reads one whitespace-separated token and the whitespace after it. A token
// too long for a key is consumed whole and reported as Skip, so no part of it
// can turn into a key of its own.
TokenResult ReadToken(FILE* file, char (&token)[PrefsRecord::kKeySize]) {
    token[0] = '\0';
    if (std::fscanf(file, "%31s", token) != 1) return TokenResult::End;
    const int next = std::fgetc(file);
    bool tooLong = false;
    if (next != EOF && !std::isspace(next)) {
        tooLong = true;
        std::fscanf(file, "%*s");
    }
    std::fscanf(file, " ");
    return tooLong || token[0] == '\0' ? TokenResult::Skip : TokenResult::Key;
}

bool IsKeyKind(char letter) {
    return letter == 's' || letter == 'i' || letter == 'f' || letter == 'b';
}

// "%d ", widened so that an absurdly long number saturates instead of
// overflowing the int.
bool ReadInt(FILE* file, int32_t* value) {
    long long wide = 0;
    if (std::fscanf(file, "%lld ", &wide) != 1) return false;
    if (wide > INT32_MAX) wide = INT32_MAX;
    if (wide < INT32_MIN) wide = INT32_MIN;
    *value = static_cast<int32_t>(wide);
    return true;
}

bool ReadFloat(FILE* file, float* value) {
    return std::fscanf(file, "%f ", value) == 1;
}

// Whatever precedes the opening quote on the line is skipped; the value runs
// to the next quote, line feed or carriage return and must not be empty.
// Anything past 255 characters is dropped, not read as further tokens.
bool ReadText(FILE* file, char (&value)[PrefsStringRecord::kValueSize]) {
    std::fscanf(file, "%*[^\"\n\r]");
    if (std::fgetc(file) != '"') return false;
    value[0] = '\0';
    if (std::fscanf(file, "%255[^\"\n\r]", value) != 1) return false;
    std::fscanf(file, "%*[^\"\n\r]");
    return true;
}

// The value of a key of the given kind, as a new record, or null when it does
// not parse.
std::unique_ptr<PrefsRecord> ReadRecord(FILE* file, const char* key) {
    switch (key[0]) {
    case 'i':
    case 'b': {
        int32_t value = 0;
        if (!ReadInt(file, &value)) return nullptr;
        if (key[0] == 'b') return std::make_unique<PrefsSwitchRecord>(key, value);
        return std::make_unique<PrefsIntRecord>(key, value);
    }
    case 'f': {
        float value = 0;
        if (!ReadFloat(file, &value)) return nullptr;
        return std::make_unique<PrefsFloatRecord>(key, value);
    }
    default: {
        char value[PrefsStringRecord::kValueSize];
        if (!ReadText(file, value)) return nullptr;
        return std::make_unique<PrefsStringRecord>(key, value);
    }
    }
}

// A key given again: its new value replaces the old one when it parses.
void Overwrite(PrefsRecord* existing, std::unique_ptr<PrefsRecord> fresh) {
    if (!fresh) return;
    if (auto* text = dynamic_cast<PrefsStringRecord*>(existing)) {
        text->Set(static_cast<PrefsStringRecord*>(fresh.get())->value);
    } else if (auto* number = dynamic_cast<PrefsIntRecord*>(existing)) {
        number->value = static_cast<PrefsIntRecord*>(fresh.get())->value;
    } else if (auto* real = dynamic_cast<PrefsFloatRecord*>(existing)) {
        real->value = static_cast<PrefsFloatRecord*>(fresh.get())->value;
    }
}

void DebugPrint(const char* format, const char* key, auto value) {
    char text[512];
    std::snprintf(text, sizeof text, format, key, value);
    platform::OutputDebugString(text);
}

}  // namespace

PrefsRecord::PrefsRecord(const char* key) {
    std::snprintf(key_, sizeof key_, "%s", key);
}

PrefsStringRecord::PrefsStringRecord(const char* key, const char* text) : PrefsRecord(key) {
    Set(text);
}

void PrefsStringRecord::Set(const char* text) {
    std::snprintf(value, sizeof value, "%s", text);
}

void PrefsIntRecord::Dump() const { DebugPrint("%s  %d\n", Key(), static_cast<int>(value)); }
void PrefsFloatRecord::Dump() const { DebugPrint("%s  %f\n", Key(), static_cast<double>(value)); }
void PrefsStringRecord::Dump() const { DebugPrint("%s  %s\n", Key(), value); }

PrefsFile::PrefsFile(const char* fileName) {
    Read(fileName);
}

int PrefsFile::Read(const char* fileName) {
    unreadFile_.clear();
    FILE* file = platform::OpenFile(fileName, "rt");
    if (!file) {
        unreadFile_ = fileName ? fileName : "";
        return 0;
    }
    while (!std::feof(file) && !std::ferror(file)) {
        char token[PrefsRecord::kKeySize];
        if (ReadToken(file, token) != TokenResult::Key) continue;
        if (!IsKeyKind(token[0])) continue;

        const int found = Lookup(token);
        if (found >= 0) {
            Overwrite(records_[found].get(), ReadRecord(file, token));
            continue;
        }
        // A full store ignores new keys; their values are read as tokens.
        if (count_ == kMaxRecords) continue;
        records_[count_++] = ReadRecord(file, token);
    }
    std::fclose(file);
    return 1;
}

int PrefsFile::Lookup(const char* key) {
    if (cachedIndex_ >= 0 && cachedIndex_ < count_ && records_[cachedIndex_] &&
        std::strcmp(records_[cachedIndex_]->Key(), key) == 0) {
        return cachedIndex_;
    }
    for (int i = 0; i < count_; ++i) {
        if (records_[i] && std::strcmp(records_[i]->Key(), key) == 0) {
            cachedIndex_ = i;
            return i;
        }
    }
    return -1;
}

int PrefsFile::Has(const char* key) {
    return Lookup(key) >= 0 ? 1 : 0;
}

PrefsRecord* PrefsFile::Find(const char* key) {
    const int index = Lookup(key);
    return index >= 0 ? records_[index].get() : nullptr;
}

void PrefsFile::ShowMissingKey(const char* key, platform::HWND owner) {
    if (!unreadFile_.empty()) {
        // Every key is missing then: one box for the file, not one per key.
        if (unreadFileShown_) return;
        unreadFileShown_ = true;
        const std::string text = "The preferences file " + unreadFile_ +
                                 " could not be read; the game goes on without its settings.";
        platform::MessageBox(owner, text.c_str(), "Startup Error",
                             platform::MB_ICONEXCLAMATION | platform::MB_SETFOREGROUND);
        return;
    }
    const std::string text = std::string("Key missing from prefs file:-\n") + key;
    platform::MessageBox(owner, text.c_str(), "Startup Error",
                         platform::MB_ICONEXCLAMATION | platform::MB_SETFOREGROUND);
}

int32_t PrefsFile::GetInt(const char* key, platform::HWND messageOwner) {
    if (!Has(key)) {
        ShowMissingKey(key, messageOwner);
        return 0;
    }
    const PrefsRecord* record = records_[cachedIndex_].get();
    if (auto* number = dynamic_cast<const PrefsIntRecord*>(record)) return number->value;
    if (auto* real = dynamic_cast<const PrefsFloatRecord*>(record)) {
        return std::bit_cast<int32_t>(real->value);
    }
    return 0;
}

const char* PrefsFile::GetString(const char* key, platform::HWND messageOwner) {
    if (!Has(key)) {
        ShowMissingKey(key, messageOwner);
        return nullptr;
    }
    auto* text = dynamic_cast<const PrefsStringRecord*>(records_[cachedIndex_].get());
    return text ? text->value : nullptr;
}

void PrefsFile::DumpAll() const {
    for (int i = 0; i < count_; ++i) {
        if (records_[i]) records_[i]->Dump();
    }
}

const PrefsRecord* PrefsFile::Slot(int i) const {
    return i >= 0 && i < count_ ? records_[i].get() : nullptr;
}

}  // namespace shell
