// Texts of legacy preset files are 8-bit bytes of the platform that wrote them. Our texts are
// UTF-8, and a name that is not would be lost on its way through the project's XML.
#pragma once

#include <string>

#include "Environment/String.h"

namespace tarnwick {

enum class LegacyCodePage { Windows1252, MacRoman };

// Valid UTF-8 is kept as it is; anything else is decoded byte by byte from the code page, bytes
// the code page leaves undefined becoming U+FFFD.
String decodeLegacyText(std::string bytes, LegacyCodePage codePage);

} // namespace tarnwick
