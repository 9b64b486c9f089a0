// The module's compiled resources as the host reads them: typed blobs by id.
#pragma once

#include "HostTypes.h"

struct ResourceEntry {
    // Four-character code: 'STRS' string lists, 'DLGR' dialogs, 'GICN' icons and 'GPIC' pictures
    // drawn for 96 dots per inch, 'GIC2' and 'GPI2' for 192 (platform/dg/DGImage.h).
    uint32_t type = 0;
    int32_t id = 0;
    const unsigned char* data = nullptr;
    uint32_t size = 0;
};

struct ResourceModule {
    uint32_t count = 0;
    const ResourceEntry* entries = nullptr;
};

using GSResModule = const ResourceModule*;
