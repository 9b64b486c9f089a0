#include "library/ComponentLink.h"

#include "Environment/Host.h"
#include "library/Library.h"

namespace tarnwick {

namespace {
Library* libraryOrProject(Library* library) {
    return library != nullptr ? library : Host::getLibrary();
}
} // namespace

ComponentLink::ComponentLink(uint32_t index, uint32_t type, Library* library)
    : m_type(type), m_index(index),
      m_library(library == nullptr && index != 0 ? Host::getLibrary() : library) {}

ComponentLink::ComponentLink(const String& name, uint32_t type, Library* library)
    : m_type(type), m_library(libraryOrProject(library)) {
    if (m_library == nullptr) return;
    uint32_t found = type;
    m_index = m_library->findByName(name, found);
    if (found != 0) m_type = found;
}

ComponentLink::ComponentLink(const FamilyGuid& unId, uint32_t type, Library* library)
    : m_type(type), m_library(libraryOrProject(library)) {
    if (m_library == nullptr) return;
    uint32_t found = type;
    m_index = m_library->findByUnId(unId, found);
    if (found != 0) m_type = found;
}

} // namespace tarnwick
