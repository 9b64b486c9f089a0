#include "Environment/Resources.h"

#include <climits>
#include <string>

#include "Environment/HostCalls.h"
#include "platform/gsroot/ResourceStrings.h"

namespace tarnwick {

String loadResourceString(uint32_t listId, uint32_t index) {
    if (listId > INT32_MAX || index == 0 || index > INT32_MAX) return String();
    GSResModule module = ACAPGetOwnResModule();
    if (module == nullptr) return String();
    std::string text;
    if (!RSGetIndString(module, static_cast<int32_t>(listId), static_cast<int32_t>(index), &text))
        return String();
    return String(std::move(text));
}

} // namespace tarnwick
