// The module's compiled resources as the host reads them: typed blobs by id.
#pragma once

#include "HostTypes.h"

struct ResourceEntry {
    uint32_t type = 0; // four-character code: 'STRS' string lists, 'DLGR' dialogs
    int32_t id = 0;
    const unsigned char* data = nullptr;
    uint32_t size = 0;
};

struct ResourceModule {
    uint32_t count = 0;
    const ResourceEntry* entries = nullptr;
};

using GSResModule = const ResourceModule*;
