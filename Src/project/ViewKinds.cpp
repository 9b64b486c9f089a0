#include "project/ViewKinds.h"

#include "Environment/HostCalls.h"

namespace tarnwick {

GSErrCode Worksheet::storeName(const String& name) {
    HostDatabaseInfo record;
    m_lastError = hosterr::Ok;
    // Without a host code the worksheet could not be made current.
    if (!readInfo(record)) return m_lastError != hosterr::Ok ? m_lastError : hosterr::BadDatabase;
    name.copyToUtf16(record.name, sizeof record.name);
    m_lastError = ACAPDatabaseCall(fourCC("MDAT"), &record);
    return m_lastError;
}

} // namespace tarnwick
