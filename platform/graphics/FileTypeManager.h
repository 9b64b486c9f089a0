// The host's registry of file types, as far as the module asks it: the image types by MIME type.
#pragma once

#include <string_view>

#include "platform/api/HostTypes.h"

namespace FTM {

// A file type id; the image types' ids are their GX::ImageType numbers.
using TypeID = int32_t;
inline constexpr TypeID UnknownType = -1;

class HOSTLIB_API FileTypeManager {
public:
    // The type of "image/png", "image/jpeg" or "image/bmp" (letter case aside, as MIME types
    // go); UnknownType for any other text.
    static TypeID SearchForMime(std::string_view mimeType);
};

} // namespace FTM
