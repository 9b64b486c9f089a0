// The unique id of a library part: two braced Guids joined by a hyphen, at most 127 bytes. The
// host tells whether one part derives from another and which of two versions is newer.
#pragma once

#include "Environment/Guid.h"
#include "Environment/String.h"

namespace tarnwick {

class FamilyGuid : public String {
public:
    // compare's answers.
    enum Order : int { Older = 0, Same = 1, Newer = 2, Unrelated = 4 };

    FamilyGuid() = default;
    FamilyGuid(const String& text) : String(text) {}
    explicit FamilyGuid(const Guid& guid) : String(guid.toString()) {}

    bool isValid() const { return !isEmpty(); }
    // The host says that this part derives from parent ("CLPS" answers 0).
    bool isSubtypeOf(const FamilyGuid& parent) const;
    // The host's "COMP" of this id with other: 0 Same, 0x810600D1 Older, 0x810600D2 Newer, any other
    // answer Unrelated. Asked also for an empty id.
    Order compare(const FamilyGuid& other) const;
};

} // namespace tarnwick
