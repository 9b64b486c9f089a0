// One host view database: the floor plan, a section, elevation, interior elevation, detail,
// worksheet, layout or master layout, 3D document, or the 3D model window. Every element
// operation goes through the drawing that holds the element; each first makes its drawing the
// host's current database.
#pragma once

#include <cstdint>
#include <memory>

#include "Database.h"
#include "DatabaseRef.h"
#include "ElementLink.h"
#include "ElementLinkList.h"
#include "Environment/Guid.h"

namespace tarnwick {

class Layer;
class Project;
class Storey;

class Drawing : public Database {
public:
    Drawing(Project* project, const Guid& databaseGuid) : m_project(project), m_databaseGuid(databaseGuid) {}
    ~Drawing() override = default;

    // Drops the kept selection.
    void reset() override;
    // Kind getDatabaseType, this drawing's Guid, storey 0.
    virtual DatabaseRef getDatabaseRef() const;
    virtual uint32_t getDatabaseType() const = 0;
    virtual uint32_t getNavigatorItemType() const = 0;
    virtual Guid getDatabaseGuid() const { return m_databaseGuid; }

    // Reads the host header of the element with that Guid and fills, where given, its link (a
    // default one on failure), its layer (index 0 on failure) and, in the floor plan and the 3D
    // model, its storey (owned by the plan). True when the header was read.
    bool findElement(const Guid& guid, ElementLink* link, Layer* layer, Storey** storey);

    Project* getProject() const { return m_project; }
    GSErrCode getLastError() const { return m_lastError; }

protected:
    bool makeCurrent();

    Project* m_project;
    Guid m_databaseGuid;
    ElementLink m_lastSelected;
    std::unique_ptr<ElementLinkList> m_selection;
    GSErrCode m_lastError = 0;
    bool m_selectionIsRegion = false;
    bool m_highlightOn = false;
};

} // namespace tarnwick
