// The project's notes and the dialog that edits them: a list with a name, a status and a done mark
// per note, each edited in place, a record-status filter and a delete button. Deleted notes are
// kept, marked, as a record database keeps its deleted records.
#pragma once

#include <vector>

#include "Environment/String.h"

namespace tarnwick {
class Addon;
}

namespace demo {

struct NoteRecord {
    tarnwick::String name;
    tarnwick::String status;
    bool done = false;
    bool deleted = false;
};

// The project's notes as a package of the project (module data), empty until stored.
std::vector<NoteRecord> readNotes();
void registerNoteBook(tarnwick::Addon& addon);

// Opens "Edit Notes"; OK stores the notes as one undoable step, Cancel changes nothing.
void editNotes();

} // namespace demo
