// Names one host database (view): its kind, the host's Guid of it and, for the floor plan and
// the 3D model, a storey index. The floor plan and the 3D model are named by kind alone.
#pragma once

#include <cstdint>

#include "Environment/Guid.h"
#include "platform/api/ElementRecords.h"

namespace tarnwick {

class Storey;

class DatabaseRef {
public:
    DatabaseRef() = default;
    DatabaseRef(uint32_t kind, const Guid& databaseGuid, uint32_t storeyIndex = 0)
        : m_kind(kind), m_databaseGuid(databaseGuid), m_storeyIndex(storeyIndex) {}
    // The kind and Guid of a host database record.
    explicit DatabaseRef(const HostDatabaseInfo& record, uint32_t storeyIndex = 0);

    uint32_t getKind() const { return m_kind; }
    const Guid& getDatabaseGuid() const { return m_databaseGuid; }
    uint32_t getStoreyIndex() const { return m_storeyIndex; }
    void setKind(uint32_t kind) { m_kind = kind; }
    void setDatabaseGuid(const Guid& guid) { m_databaseGuid = guid; }
    void setStoreyIndex(uint32_t index) { m_storeyIndex = index; }

    // Named by kind and storey: kinds 0, 1 and 4, or an empty Guid.
    bool isGuidless() const;
    bool isGuidIdentified() const { return !isGuidless(); }
    // False for kind 0; true for the floor plan and the 3D model; else true with a Guid.
    bool isDefined() const;

    // Kinds must agree; then kinds 0, 1 and 4, or an empty Guid on this side, match; otherwise
    // the Guids decide. The storey is never compared.
    bool operator==(const DatabaseRef& other) const;
    bool operator!=(const DatabaseRef& other) const { return !(*this == other); }
    // A total order: kind (signed), then storey-named before Guid-named, then the Guid or the
    // storey index. Refs equal under == may still be ordered by their storeys.
    bool operator<(const DatabaseRef& other) const;
    // As ==, with the floor plan and the 3D model counting as one database (they hold the same
    // elements).
    bool isSameDatabase(const DatabaseRef& other) const;

    // The floor plan's storey of the index; null when the ref is named by Guid or the plan has no
    // such storey. The plan owns it.
    Storey* getStorey() const;
    void setStorey(const Storey& storey);
    void clear(bool alsoStorey);

private:
    uint32_t m_kind = 0;
    Guid m_databaseGuid;
    uint32_t m_storeyIndex = 0;
};

} // namespace tarnwick
