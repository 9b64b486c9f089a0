// The project's view databases: the floor plan and the 3D model, which show the same elements
// and are named by kind alone, and the views named by Guid (sections, details, layouts, master
// layouts, elevations, interior elevations, worksheets, 3D documents), each with its own elements.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ElementStore.h"
#include "LayoutSheets.h"
#include "ViewWindow.h"

namespace zavhost {

struct ViewDatabase {
    uint32_t kind = DatabasePlan;
    API_Guid guid; // null for the floor plan and the 3D model
    API_Guid masterGuid;
    std::u16string title;
    std::u16string name;
    std::u16string reference;
    std::array<uint8_t, sizeof(HostDatabaseInfo::reserved1)> reserved{}; // kept as the module wrote it
    double scale = 100.0;                                                // the drawing scale, 1:scale
    ViewWindow window;                                                   // zoom box and pixel size
    LayoutSheet sheet;                                                   // layouts and master layouts
    ElementStore elements; // the 3D model's stays empty: it shows the floor plan's

    bool isPlanOrModel() const { return kind == DatabasePlan || kind == DatabaseModel; }
    void fill(HostDatabaseInfo* info) const;
    bool operator==(const ViewDatabase&) const = default;
};

// A database as a caller names it: by kind alone (floor plan, 3D model), or by Guid with the kind
// it was given (0: any kind; a layout and a master layout answer to each other's kind).
struct DatabaseKey {
    uint32_t kind = DatabasePlan;
    API_Guid guid;
    bool operator==(const DatabaseKey&) const = default;
};

class ViewDatabases {
public:
    ViewDatabases(); // the floor plan and the 3D model

    static bool validKind(uint32_t kind);
    static bool namedByGuid(uint32_t kind) {
        return validKind(kind) && kind != DatabasePlan && kind != DatabaseModel;
    }
    static std::string kindName(uint32_t kind);                // "section", "master-layout", ...
    static std::string describe(const ViewDatabase& database); // its kind, and its name unless plan or model
    static uint32_t kindNamed(const std::string& name);        // 0 when unknown
    static uint32_t listSelectorKind(uint32_t selector);       // "GSDI" -> 2, ...; 0 for others

    const std::vector<ViewDatabase>& all() const { return m_databases; }
    ViewDatabase& plan() { return m_databases[0]; }
    const ViewDatabase& plan() const { return m_databases[0]; }
    ViewDatabase* find(const DatabaseKey& key);
    const ViewDatabase* find(const DatabaseKey& key) const;
    const ViewDatabase* findNamed(const std::string& name) const; // by UTF-8 name, then title
    ViewDatabase* findNamed(const std::string& name);
    ViewDatabase* findByGuid(const API_Guid& guid);
    DatabaseKey keyOf(const ViewDatabase& database) const { return {database.kind, database.guid}; }

    // A new view named by a new Guid; null for a kind that is not named by Guid.
    ViewDatabase* add(uint32_t kind, const std::u16string& name);
    // Adds a view as it was saved (the floor plan and the 3D model replace theirs); false when its
    // kind or Guid is not sound or taken.
    bool restore(ViewDatabase database);
    bool remove(const API_Guid& guid); // not the floor plan or the 3D model

    // The elements a database holds: the 3D model's are the floor plan's.
    ElementStore& elementsOf(ViewDatabase& database);
    const ElementStore& elementsOf(const ViewDatabase& database) const;
    // The element of a Guid in any database, and where it is.
    const StoredElement* findElement(const API_Guid& guid, const ViewDatabase** where = nullptr) const;
    StoredElement* editElement(const API_Guid& guid, ViewDatabase** where = nullptr);
    bool removeElement(const API_Guid& guid);

    bool operator==(const ViewDatabases&) const = default;

private:
    // Which database holds each element, so that a look-up by Guid does not try the store of
    // every view in turn. Each entry is checked when used; an element it does not know is searched
    // for, or all are noted again when most are unknown. So elements added to or removed from a
    // store directly, or views that go, never make it wrong (Guids are unique in the project).
    // Copies (an undo step's, and the project an undo brings back) share it: hints that are checked
    // hold for either, and neither has to note every element again.
    struct Hints {
        std::unordered_map<API_Guid, size_t, GuidHash> positions;
        size_t last = 0; // where the last element was found, tried first
    };
    struct Whereabouts {
        bool operator==(const Whereabouts&) const { return true; }
        std::shared_ptr<Hints> hints = std::make_shared<Hints>();
    };
    static constexpr size_t NotFound = static_cast<size_t>(-1);
    // The position of the database holding the element, or NotFound; the element goes into found
    // when asked.
    size_t locate(const API_Guid& guid, const StoredElement** found) const;

    std::vector<ViewDatabase> m_databases; // the floor plan, the 3D model, then views as made
    mutable Whereabouts m_whereabouts;
};

} // namespace zavhost
