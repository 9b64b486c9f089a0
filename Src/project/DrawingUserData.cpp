// Drawing: the elements' add-on user data.
#include "project/Drawing.h"
#include "project/Project.h"

namespace tarnwick {

std::unique_ptr<MemoryBlock> Drawing::getUserData(const ElementLink& link, uint32_t* flags, uint32_t* version,
                                                  uint32_t* platform) {
    if (!makeCurrent()) {
        if (flags != nullptr) *flags = 0;
        if (version != nullptr) *version = 0;
        if (platform != nullptr) *platform = 0;
        return nullptr;
    }
    return m_project->getElementUserData(link, flags, version, platform);
}

bool Drawing::setUserData(const ElementLink& link, MemoryBlock* data, bool keepEmpty, uint32_t flags,
                          uint16_t version, uint16_t platform) {
    if (link.hasGuid() && !makeCurrent()) return false;
    if (m_project == nullptr) return false;
    return m_project->setElementUserData(link, data, keepEmpty, flags, version, platform);
}

} // namespace tarnwick
