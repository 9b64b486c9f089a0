// The module's calls for where elements meet: the connection record of an element, and its
// release. Both go through the database dispatcher ("GECN", "DECN").
#pragma once

#include <cstdint>

#include "Environment/HostCalls.h"
#include "platform/api/WallRecords.h"

// Fills the record (zero it first) with new handles the caller releases with
// ACAPDisposeConnectionData, also when the call fails.
inline GSErrCode ACAPGetElementConnections(const API_Guid* guid, uint32_t kind,
                                           HostElementConnections* record) {
    return ACAPDatabaseCall(fourCC("GECN"), const_cast<API_Guid*>(guid),
                            reinterpret_cast<void*>(static_cast<uintptr_t>(kind)), record);
}
// Frees every handle of the record and nulls it; the counts stay.
inline GSErrCode ACAPDisposeConnectionData(HostElementConnections* record) {
    return ACAPDatabaseCall(fourCC("DECN"), record);
}
