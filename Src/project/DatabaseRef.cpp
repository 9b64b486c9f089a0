#include "project/DatabaseRef.h"

#include "Environment/Host.h"
#include "project/Plan.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
bool namedByKind(uint32_t kind) {
    return kind == DatabaseNone || kind == DatabasePlan || kind == DatabaseModel;
}

bool planOrModel(uint32_t kind) {
    return kind == DatabasePlan || kind == DatabaseModel;
}
} // namespace

DatabaseRef::DatabaseRef(const HostDatabaseInfo& record, uint32_t storeyIndex)
    : m_kind(record.kind), m_databaseGuid(record.databaseGuid), m_storeyIndex(storeyIndex) {}

bool DatabaseRef::isGuidless() const {
    return namedByKind(m_kind) || !m_databaseGuid.isValid();
}

bool DatabaseRef::isDefined() const {
    if (m_kind == DatabaseNone) return false;
    return planOrModel(m_kind) || m_databaseGuid.isValid();
}

bool DatabaseRef::operator==(const DatabaseRef& other) const {
    if (m_kind != other.m_kind) return false;
    if (namedByKind(m_kind) || !m_databaseGuid.isValid()) return true;
    return m_databaseGuid == other.m_databaseGuid;
}

bool DatabaseRef::operator<(const DatabaseRef& other) const {
    auto kind = static_cast<int32_t>(m_kind);
    auto otherKind = static_cast<int32_t>(other.m_kind);
    if (kind != otherKind) return kind < otherKind;
    bool byGuid = isGuidIdentified();
    if (byGuid != other.isGuidIdentified()) return !byGuid;
    if (byGuid) return m_databaseGuid < other.m_databaseGuid;
    return m_storeyIndex < other.m_storeyIndex;
}

bool DatabaseRef::isSameDatabase(const DatabaseRef& other) const {
    if (planOrModel(m_kind) && planOrModel(other.m_kind)) return true;
    return *this == other;
}

Storey* DatabaseRef::getStorey() const {
    if (isGuidIdentified()) return nullptr;
    Plan* plan = Host::getPlan();
    return plan == nullptr ? nullptr : plan->getStorey(static_cast<uint16_t>(m_storeyIndex));
}

void DatabaseRef::setStorey(const Storey& storey) {
    m_storeyIndex = storey.getIndex();
}

void DatabaseRef::clear(bool alsoStorey) {
    m_kind = DatabaseNone;
    m_databaseGuid.clear();
    if (alsoStorey) m_storeyIndex = 0;
}

} // namespace tarnwick
