#include "shell/note_tables.h"

namespace shell {

const NoteTable* NoteTableFor(int32_t id) {
    if (id == kNoteTableIdA) return &kNoteTableA;
    if (id == kNoteTableIdB) return &kNoteTableB;
    return nullptr;
}

}  // namespace shell
