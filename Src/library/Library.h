// The project's library-part database. The library subsystem fills it; the project owns it.
#pragma once

#include <cstdint>

#include "project/Database.h"

namespace tarnwick {

class Project;

class Library : public Database {
public:
    Library(Project* owner, uint32_t code) : m_owner(owner), m_code(code) {}
    ~Library() override = default;

    // Forgets the library's folders.
    void reset() override { resetFolders(); }
    String getTypeName() const override { return String("Library"); }
    // Drops what the library keeps of its folders and parts.
    virtual void resetFolders() {}

    Project* getOwner() const { return m_owner; }
    uint32_t getCode() const { return m_code; }

private:
    Project* m_owner;
    uint32_t m_code;
};

} // namespace tarnwick
