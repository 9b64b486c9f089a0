// An element as a person reads it in a message or the transcript: what it is, where it stands,
// its text and its user data; and what a module changed of a model while it heard a user's edit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ElementStore.h"

namespace zavhost {

struct ProjectModel;

// "label "F10/110 Clay facing brickwork"", "wall W-01", "hotspot": the type, then the ID, else the
// text's first line (shortened).
std::string elementName(const StoredElement& element);
// "at 2 0.15", "from 0 0 to 4 0", "at 0 0, 4 0, 4 0.3, 0 0.3": its node points (at most four
// named); empty when it has none.
std::string placeOf(const StoredElement& element);
// User data shortened for a line: the blanks between tags dropped, at most `most` characters, then
// "... (N bytes)".
std::string shortUserData(const std::string& bytes, size_t most = 160);
// Everything above, for the message of a failed expectation: "label "..." in the floor plan on
// storey 0, at 2 0.15, text "...", user data "...", ID "..."".
std::string elementHoldings(const StoredElement& element);

// The elements of a model as they are now, to tell later what became of them. It keeps a copy of
// the model, which shares its elements with it, so that telling costs what changed.
class ElementSnapshot {
public:
    explicit ElementSnapshot(const ProjectModel& model);
    // One line for each element made, changed or deleted since, in the model's order: "moves label
    // "..." from 2 0.15 to 3 2.15", "deletes label "..." at 1.4 0", "makes ...", "changes ...".
    std::vector<std::string> changesTo(const ProjectModel& model) const;

private:
    std::shared_ptr<const ProjectModel> m_model;
};

} // namespace zavhost
