// The project's attributes: one table per type (1 to 18) of host attribute records with their
// definition memos and add-on user data. Indices are never reused while a higher one is in use,
// so deleting leaves a hole, and a type's count is its highest index in use: walks bounded by the
// count reach every attribute above a hole. Copies share their tables (PersistentMap.h), so that an
// undo step keeps the attributes as they were at the cost of what the step changes of them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "PersistentMap.h"
#include "StoredBlocks.h"
#include "platform/api/AttributeRecords.h"

namespace zavhost {

struct StoredAttribute {
    API_Attribute record; // its pointer fields are always null
    StoredBlocks memo;
    std::optional<StoredUserData> userData;
    std::string texturePath; // a surface's texture file, handed out as a new location

    const HostAttributeHeader& header() const { return record.header; }
    std::string name() const;
    bool operator==(const StoredAttribute& other) const;
};

class AttributeStore {
public:
    using Table = PersistentMap<int16_t, StoredAttribute>;
    static constexpr uint32_t firstType = AttrPen;
    static constexpr uint32_t lastType = AttrLastType;
    static bool validType(uint32_t type) { return type >= firstType && type <= lastType; }
    static std::string typeName(uint32_t type);         // "pen", "layer", ... or "type N"
    static uint32_t typeNamed(const std::string& name); // a name or a number; 0 when neither

    // A new project's attributes: pens, layers (1 is the default layer), a line type, a fill, a
    // font, a city, surfaces, a building material, a composite of it with its cores and edges, a
    // profile, a layer combination of every layer.
    static AttributeStore withDefaults();

    // Adds a record (its memo may be null) under a new index, written into the record's header.
    // BadParameter for a bad type or a name that another attribute of the type has.
    GSErrCode create(API_Attribute* record, const HostAttributeMemo* memo);
    // Replaces the record (and the memo, when one is given) of the header's type and index; a
    // surface given without a texture location keeps its texture file.
    GSErrCode modify(const API_Attribute& record, const HostAttributeMemo* memo);
    GSErrCode remove(uint32_t type, int16_t index);
    // Fills the record of the header's type and index; a surface with a texture file gets a new
    // location of it, which the caller deletes.
    GSErrCode get(API_Attribute* record) const;

    // Why the host refuses the memo given with a record, or empty: a layer combination's states
    // (LayerCombinations.h); a composite's cores and edges, when it gives either, must be whole
    // records, at least one core and one edge more than cores.
    std::string memoFault(const API_Attribute& record, const HostAttributeMemo* memo) const;

    const StoredAttribute* find(uint32_t type, int16_t index) const;
    // The attribute for changing, or null; what another copy shares is copied first. The pointer
    // holds until the store is changed again or copied.
    StoredAttribute* edit(uint32_t type, int16_t index);
    // 0 when no attribute of the type has the name.
    int16_t search(uint32_t type, std::string_view name) const;
    uint16_t count(uint32_t type) const; // the highest index in use
    size_t liveCount(uint32_t type) const;
    const Table& table(uint32_t type) const;
    // Puts a stored attribute in place as it was saved; false when the index is taken or bad.
    bool restore(uint32_t type, int16_t index, StoredAttribute attribute);

    bool operator==(const AttributeStore&) const = default;

private:
    std::array<Table, lastType + 1> m_tables;
};

// Copies a record into stored form: the header's name pointer and a surface's texture location
// become nothing (the location's path is kept).
StoredAttribute storedAttributeOf(const API_Attribute& record);

} // namespace zavhost
