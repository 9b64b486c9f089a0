// A host door (type 5): the joinery whose library part is a door part (kind 3). It keeps its own
// part across a reset to the host's defaults, and its quantities are the opening fields of the
// host's quantity block, each asked for alone.
#pragma once

#include "construction/Joinery.h"
#include "library/FamilyGuid.h"
#include "platform/api/LibraryRecords.h"

namespace tarnwick {

class Library;

class Door : public Joinery {
public:
    static constexpr uint8_t TypeCode = HostDoorTypeCode;
    static constexpr uint32_t ComponentKind = LibPartDoor;
    // What the default door's memo is read with: every part but bit 30.
    static constexpr uint64_t DefaultsMemoMask = 0x07FFFFFFBFFFFFFFULL;

    // The host's default door and its part; withMemo, the default memo's parameters and gables as
    // well, else the part's own parameters. Without defaults the record is zero-filled.
    explicit Door(bool withMemo);
    // A new door of the part, on the host's default settings.
    explicit Door(const ComponentLink& component);
    Door(const FamilyGuid& part, Library* library);
    Door(const API_Element& record, const ElementLink& link);
    Door(const Door& other) = default;
    ~Door() override = default;

    std::unique_ptr<Element> clone() const override { return std::make_unique<Door>(*this); }
    // Kind 0 stands for a door part; a part of any other kind is refused and nothing changes.
    void setComponentLink(const ComponentLink& link, bool resetSizes, bool loadParameters) override;
    // The host's default door, keeping the door's own part. False when the host has no defaults.
    virtual bool resetToDefaults();
};

// The factory's creator of doors; null for a record of another type.
std::unique_ptr<Element> createDoor(const API_Element& record, ElementLink& link);

} // namespace tarnwick
