// Names one library part: its part type code, its library index (0: no part) and the library
// that holds it, which the link does not own.
#pragma once

#include <cstdint>
#include <memory>

#include "library/FamilyGuid.h"

namespace tarnwick {

class Library;

class ComponentLink {
public:
    ComponentLink() = default;
    // A null library with an index names the project's library.
    ComponentLink(uint32_t index, uint32_t type, Library* library);
    // The part of that name (Library::findByName), or with that unique id (findByUnId), in the
    // library (the project's when null). The type becomes the part's refined type; the given
    // type stays when the search finds none.
    ComponentLink(const String& name, uint32_t type, Library* library = nullptr);
    ComponentLink(const FamilyGuid& unId, uint32_t type, Library* library = nullptr);
    ComponentLink(const ComponentLink&) = default;
    ComponentLink& operator=(const ComponentLink&) = default;
    virtual ~ComponentLink() = default;
    virtual std::unique_ptr<ComponentLink> clone() const { return std::make_unique<ComponentLink>(*this); }

    bool isValid() const { return m_index != 0; }
    uint32_t getType() const { return m_type; }
    uint32_t getIndex() const { return m_index; }
    Library* getLibrary() const { return m_library; }
    void setType(uint32_t type) { m_type = type; }
    void setIndex(uint32_t index) { m_index = index; }
    void setLibrary(Library* library) { m_library = library; }

    bool operator==(const ComponentLink& other) const {
        return m_index == other.m_index && m_type == other.m_type && m_library == other.m_library;
    }

private:
    uint32_t m_type = 0;
    uint32_t m_index = 0;
    Library* m_library = nullptr;
};

} // namespace tarnwick
