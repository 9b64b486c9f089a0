#include "library/ComponentSource.h"

#include "Environment/DataFile.h"
#include "Environment/File.h"

namespace tarnwick {

namespace libpart {

HostLibPart blank(uint32_t type, uint32_t index) {
    HostLibPart record;
    record.typeCode = type;
    record.index = index;
    return record;
}

void dropLocation(HostLibPart& record) {
    delete record.location;
    record.location = nullptr;
}

IO::Location* copyLocation(const IO::Location* location) {
    return location != nullptr && !location->IsEmpty() ? new IO::Location(*location) : nullptr;
}

String documentName(const HostLibPart& record) {
    return String(record.documentName, sizeof record.documentName);
}

void setDocumentName(HostLibPart& record, const String& name) {
    name.copyToUtf16(record.documentName, sizeof record.documentName);
}

void setFileName(HostLibPart& record, const String& name) {
    name.copyToUtf16(record.fileName, sizeof record.fileName);
}

void setUnId(char (&field)[HostUnIdBytes], const String& id) {
    field[0] = 0;
    id.copyTo(field, sizeof field);
}

String unIdOf(const char (&field)[HostUnIdBytes]) {
    return String(field, sizeof field);
}

} // namespace libpart

ComponentSource::ComponentSource(const HostLibPart& record, const ComponentLink& link)
    : m_record(record), m_link(link) {
    m_record.location = libpart::copyLocation(record.location);
}

ComponentSource::ComponentSource(const ComponentLink& link)
    : m_record(libpart::blank(link.getType(), link.getIndex())), m_link(link) {
    m_record.missing = 1;
}

ComponentSource::ComponentSource(const ComponentSource& other)
    : m_record(other.m_record), m_link(other.m_link) {
    m_record.location = libpart::copyLocation(other.m_record.location);
}

ComponentSource::~ComponentSource() {
    libpart::dropLocation(m_record);
}

FamilyGuid ComponentSource::getOwnUnId() const {
    return FamilyGuid(libpart::unIdOf(m_record.ownUnId));
}

FamilyGuid ComponentSource::getParentUnId() const {
    return FamilyGuid(libpart::unIdOf(m_record.parentUnId));
}

String ComponentSource::getName() const {
    return libpart::documentName(m_record);
}

String ComponentSource::getFileName() const {
    return String(m_record.fileName, sizeof m_record.fileName);
}

String ComponentSource::getBaseName() const {
    const String name = getName();
    const size_t dot = name.findLastOf(String("."));
    return dot == String::npos ? name : name.substring(0, dot);
}

bool ComponentSource::isSubtypeOf(const FamilyGuid& family) const {
    return getOwnUnId().isSubtypeOf(family);
}

FamilyGuid::Order ComponentSource::compareWith(const FamilyGuid& other) const {
    return getOwnUnId().compare(other);
}

bool ComponentSource::isLoaded() const {
    return m_record.missing == 0 && m_link.isValid() && m_link.getLibrary() != nullptr;
}

std::unique_ptr<DataFile> ComponentSource::makeDataFile() const {
    if (m_record.location == nullptr || m_record.location->IsEmpty()) return nullptr;
    return std::make_unique<DataFile>(*m_record.location, DataFile::TextureKind);
}

void ComponentSource::setLink(const ComponentLink& link) {
    m_link = link;
    m_record.index = link.getIndex();
}

void ComponentSource::setOwnUnId(const String& id) {
    libpart::setUnId(m_record.ownUnId, id);
}

void ComponentSource::setParentUnId(const String& id) {
    libpart::setUnId(m_record.parentUnId, id);
}

void ComponentSource::setFile(const File& file) {
    libpart::dropLocation(m_record);
    m_record.location = libpart::copyLocation(&file.getLocation());
    const String name = file.getName();
    libpart::setDocumentName(m_record, name);
    libpart::setFileName(m_record, name);
}

void ComponentSource::clearLink() {
    m_link.setIndex(0);
    m_link.setLibrary(nullptr);
    m_record.index = 0;
}

} // namespace tarnwick
