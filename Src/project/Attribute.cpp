#include "project/Attribute.h"

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"

namespace {
constexpr uint8_t lastSteppedType = 17;
} // namespace

HostAttributeType& operator++(HostAttributeType& type) {
    auto code = static_cast<uint8_t>(type);
    type = static_cast<HostAttributeType>(code >= lastSteppedType ? 0 : code + 1);
    return type;
}

HostAttributeType operator++(HostAttributeType& type, int) {
    HostAttributeType old = type;
    ++type;
    return old;
}

HostAttributeType& operator--(HostAttributeType& type) {
    auto code = static_cast<uint8_t>(type);
    type = static_cast<HostAttributeType>(code == 0 || code > lastSteppedType ? lastSteppedType : code - 1);
    return type;
}

HostAttributeType operator--(HostAttributeType& type, int) {
    HostAttributeType old = type;
    --type;
    return old;
}

namespace tarnwick {

void AttributeMemoDeleter::operator()(HostAttributeMemo* memo) const {
    if (memo == nullptr) return;
    ACAPDisposeAttributeMemo(memo);
    delete memo;
}

namespace {
constexpr uint16_t otherPlatformSign = 0x4D4D; // "MM"
} // namespace

bool Attribute::exists() const {
    return getRecord().index != 0 && m_link.isValid();
}

String Attribute::getName() const {
    const HostAttributeHeader& header = getRecord();
    return String(header.name, sizeof header.name);
}

std::unique_ptr<MemoryBlock> Attribute::getUserData(uint32_t* version, uint32_t* platform) const {
    if (!exists()) return nullptr;
    HostAttributeHeader header;
    m_link.makeHeader(header);
    HostUserData record;
    GSErrCode err = ACAPGetAttributeUserData(&header, &record);
    if (err != hosterr::Ok && err != hosterr::NoUserData) {
        freeHandle(record.dataHandle); // in case the host left one behind
        if (version != nullptr) *version = 0;
        if (platform != nullptr) *platform = 0;
        return nullptr;
    }
    if (version != nullptr) *version = static_cast<uint16_t>(record.version);
    if (platform != nullptr) *platform = record.platformSign == otherPlatformSign ? 1 : 2;
    return std::make_unique<MemoryBlock>(record.dataHandle);
}

void Attribute::setLink(const AttributeLink& link) {
    m_link = link;
    m_link.setType(getTypeCode());
}

void Attribute::unlink() {
    m_link.setIndex(0);
    m_link.setDatabase(nullptr);
}

void Attribute::setName(const String& name) {
    AttributeLink::copyName(name, getRecord());
}

void Attribute::dropLink() const {
    m_link = AttributeLink();
    m_link.setType(m_typeCode);
}

bool operator<(const Attribute& a, const Attribute& b) {
    return a.getIndex16() < b.getIndex16();
}

} // namespace tarnwick
