#pragma once
// The two 18-entry note tables the land records refer to. Nothing plays from
// them, but the reference is part of every record (a raw word in saved games
// and demo files), so the records keep pointing at one of them.
#include <array>
#include <cstdint>

namespace shell {

using NoteTable = std::array<int, 18>;

inline constexpr NoteTable kNoteTableA = {2, 4, 0, 1, 1, 1, 0, 1, 1, 1, 0, 2, 1, 1, 1, 1, 0, 2};
inline constexpr NoteTable kNoteTableB = kNoteTableA;

// The word a record stores for each table (0 means none).
constexpr int32_t kNoteTableIdA = 1;
constexpr int32_t kNoteTableIdB = 2;

// The table a record's word refers to, or null.
const NoteTable* NoteTableFor(int32_t id);

}  // namespace shell
