#pragma once
// "prefs.ini": a stream of whitespace-separated key/value tokens read once at
// start-up. The first letter of a key gives its kind: s text (in double
// quotes), i integer, b switch, f float. Records live for the whole run, since
// text values are handed out as pointers into them.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/win_types.h"

namespace shell {

class PrefsRecord {
public:
    static constexpr int kKeySize = 32;  // at most 31 characters and the NUL

    explicit PrefsRecord(const char* key);
    virtual ~PrefsRecord() = default;
    PrefsRecord(const PrefsRecord&) = delete;
    PrefsRecord& operator=(const PrefsRecord&) = delete;

    const char* Key() const { return key_; }
    // Writes "key  value" to the debugger output.
    virtual void Dump() const = 0;

private:
    char key_[kKeySize];
};

class PrefsIntRecord : public PrefsRecord {
public:
    PrefsIntRecord(const char* key, int32_t value) : PrefsRecord(key), value(value) {}
    void Dump() const override;
    int32_t value;
};

// A switch is an integer used as on (non-zero) / off.
class PrefsSwitchRecord : public PrefsIntRecord {
public:
    using PrefsIntRecord::PrefsIntRecord;
};

class PrefsFloatRecord : public PrefsRecord {
public:
    PrefsFloatRecord(const char* key, float value) : PrefsRecord(key), value(value) {}
    void Dump() const override;
    float value;
};

class PrefsStringRecord : public PrefsRecord {
public:
    static constexpr int kValueSize = 256;  // at most 255 characters and the NUL
    PrefsStringRecord(const char* key, const char* text);
    void Dump() const override;
    void Set(const char* text);
    char value[kValueSize];
};

class PrefsFile {
public:
    static constexpr int kMaxRecords = 256;

    PrefsFile() = default;
    // An empty store, then Read(fileName).
    explicit PrefsFile(const char* fileName);
    PrefsFile(const PrefsFile&) = delete;
    PrefsFile& operator=(const PrefsFile&) = delete;

    // 1 when the file was opened (whatever it held), 0 when it cannot be.
    int Read(const char* fileName);

    // Exact, case-sensitive key lookup; remembers the slot it found.
    int Has(const char* key);
    PrefsRecord* Find(const char* key);

    // The start-up readers: a missing key shows the "Startup Error" box on
    // messageOwner and gives 0 / null. When the file itself could not be
    // read, one box names the file instead and the other keys say nothing. GetInt on a float key gives the
    // float's bits; on a text key, 0. GetString on a non-text key gives null.
    int32_t GetInt(const char* key, platform::HWND messageOwner = nullptr);
    const char* GetString(const char* key, platform::HWND messageOwner = nullptr);

    // Every record's Dump, in slot order.
    void DumpAll() const;

    int Count() const { return count_; }
    // Slot i (0 .. Count() - 1); null for an entry whose value did not parse.
    const PrefsRecord* Slot(int i) const;

private:
    int Lookup(const char* key);
    void ShowMissingKey(const char* key, platform::HWND owner);

    std::string unreadFile_;  // the file that could not be read, if any
    bool unreadFileShown_ = false;

    std::array<std::unique_ptr<PrefsRecord>, kMaxRecords> records_{};
    int cachedIndex_ = -1;
    int count_ = 0;
};

}  // namespace shell
