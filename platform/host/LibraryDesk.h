// What the host's library manager holds while the module works with it, and never saves: the part
// being created, whether a new part may replace the part of its name ("OWLP"), and the answers the
// user gives the object settings dialog ("OBJS"), in the order the scenario queued them.
#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "LibraryManager.h"

namespace zavhost {

// One answer to the object settings: cancel, or accept with the changes made in the dialog.
struct ObjectSettingsAnswer {
    bool accept = false;
    std::optional<std::string> part; // another part, by name
    std::optional<double> angle;     // degrees
    // Parameters set: name, kind ("int", "length", "real", "text", ...) and the value as text.
    struct Value {
        std::string name;
        std::string kind;
        std::string value;
    };
    std::vector<Value> values;
    int line = 0; // where the scenario queued it
};

struct LibraryDesk {
    bool overwrite = false;
    std::optional<LibraryPart> openPart;
    uint32_t replacing = 0; // the index the open part takes over when saved; 0 for a new one
    std::deque<ObjectSettingsAnswer> objectSettings;
};

} // namespace zavhost
