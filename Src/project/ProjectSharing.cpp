// A shared project's users, element reservations and lockable attribute settings.
#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "platform/api/AttributeRecords.h"
#include "platform/gsroot/Containers.h"
#include "project/ElementLinkList.h"
#include "project/Project.h"

namespace tarnwick {

namespace {
GS::Array<API_Guid> guidsOf(const ElementLinkList& links) {
    GS::Array<API_Guid> guids;
    for (const ElementLink* link : links)
        if (link != nullptr) guids.Push(link->getGuid().toAPI());
    return guids;
}

String wideText(const char16_t (&field)[256]) {
    return String(field, sizeof field);
}
} // namespace

size_t Project::getUserCount() {
    if (m_users) return m_users->size();
    m_users = std::make_unique<UserList>();
    if (!ACAPIsSharedProject()) return 0;
    HostSharedUsers users;
    GSErrCode err = ACAPEnvironmentCall(fourCC("SHAR"), &users);
    if (err == hosterr::Ok && users.users != nullptr && users.count > 0) {
        // The count is the host's word; never read past what the handle holds.
        size_t held = static_cast<size_t>(getHandleSize(users.users)) / sizeof(HostSharedUser);
        size_t count = std::min(static_cast<size_t>(users.count), held);
        for (size_t i = 0; i < count; ++i) {
            auto record = std::make_unique<HostSharedUser>();
            std::memcpy(static_cast<void*>(record.get()), *users.users + i * sizeof(HostSharedUser),
                        sizeof(HostSharedUser));
            m_users->push_back(std::make_unique<User>(Guid(record->guid), wideText(record->loginName),
                                                      wideText(record->fullName), record->userId,
                                                      record->secondWord));
        }
    }
    freeHandle(users.users);
    return m_users->size();
}

const Project::User* Project::getUser(size_t index) {
    return index < getUserCount() ? (*m_users)[index] : nullptr;
}

bool Project::reserveElements(const ElementLinkList& links) {
    if (links.empty()) return true;
    GS::Array<API_Guid> guids = guidsOf(links);
    GS::HashTable<API_Guid, int16_t> heldByOthers;
    return ACAPGetElementReservations(&guids, &heldByOthers) == hosterr::Ok && heldByOthers.IsEmpty();
}

bool Project::releaseElements(const ElementLinkList& links) {
    if (links.empty()) return true;
    GS::Array<API_Guid> guids = guidsOf(links);
    return ACAPReleaseElements(&guids) == hosterr::Ok;
}

Guid Project::getLockableObjectGuid(uint8_t attributeType) const {
    if (attributeType != AttrLayer) return Guid();
    API_Guid guid;
    if (ACAPGetLockableObjectGuid(&guid, "LayerSettingsDialog") != hosterr::Ok) return Guid();
    return Guid(guid);
}

namespace {
// The lockable object's Guid when both host gates allow it and its status is the wanted one.
bool lockableReady(const Guid& guid, int32_t status, API_Guid& out) {
    if (!guid.isValid()) return false;
    out = guid.toAPI();
    return ACAPLockableObjectQueryCall(&out) && ACAPLockableObjectStateCall(&out) &&
           ACAPGetLockableObjectStatus(&out, 0) == status;
}

constexpr int32_t freeToReserve = 1;
constexpr int32_t reservedByMe = 2;
} // namespace

bool Project::reserveAttributeSettings(uint8_t attributeType) {
    API_Guid guid;
    if (!lockableReady(getLockableObjectGuid(attributeType), freeToReserve, guid)) return false;
    return ACAPReserveLockableObject(&guid, 0, 1) == hosterr::Ok;
}

bool Project::releaseAttributeSettings(uint8_t attributeType) {
    API_Guid guid;
    if (!lockableReady(getLockableObjectGuid(attributeType), reservedByMe, guid)) return false;
    return ACAPReleaseLockableObject(&guid, 1) == hosterr::Ok;
}

} // namespace tarnwick
