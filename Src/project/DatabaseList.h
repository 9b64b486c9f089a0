// The project's lists of view databases, one per kind: each asks the host for its kind's
// database Guids the first time it is needed (and again while the host would not answer) and
// makes one object per database, kept in Guid order until the project is reset.
#pragma once

#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

#include "Environment/Guid.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "Environment/NonCopyable.h"
#include "project/ViewKinds.h"

namespace tarnwick {

class Project;

template <class T> class DatabaseList : NonCopyable {
public:
    DatabaseList() = default;
    virtual ~DatabaseList() = default;

    size_t size() const { return m_items.size(); }
    // The index-th database in Guid order; null for an index out of range.
    T* at(int32_t index) const {
        if (index < 0 || static_cast<size_t>(index) >= m_items.size()) return nullptr;
        auto it = m_items.begin();
        std::advance(it, index);
        return it->second.get();
    }
    T* find(const Guid& guid) const {
        auto it = m_items.find(guid);
        return it == m_items.end() ? nullptr : it->second.get();
    }
    // Stores the object under its Guid; an object already there is deleted.
    void store(const Guid& guid, std::unique_ptr<T> item) { m_items[guid] = std::move(item); }
    // Asks the host again for the kinds it did not list: a list it would not give once is not a
    // list of none, and the next use must not take it for one. Databases listed already stay.
    void refresh() {
        for (Source& source : m_sources)
            if (!source.listed) fill(source);
    }

protected:
    // Adds one object per Guid the host lists for the selector; nothing on a host error.
    template <class Make> void load(uint32_t selector, Make make) {
        m_sources.push_back({selector, Maker(std::move(make)), false});
        fill(m_sources.back());
    }

private:
    using Maker = std::function<std::unique_ptr<T>(const Guid&)>;
    struct Source {
        uint32_t selector = 0;
        Maker make;
        bool listed = false;
    };

    void fill(Source& source) {
        GSHandle handle = nullptr;
        if (ACAPDatabaseCall(source.selector, &handle) != hosterr::Ok || handle == nullptr) {
            freeHandle(handle);
            return;
        }
        source.listed = true;
        size_t count = static_cast<size_t>(getHandleSize(handle)) / sizeof(API_Guid);
        for (size_t i = 0; i < count; ++i) {
            API_Guid guid;
            std::memcpy(&guid, *handle + i * sizeof guid, sizeof guid);
            if (find(Guid(guid)) == nullptr) store(Guid(guid), source.make(Guid(guid)));
        }
        freeHandle(handle);
    }

    std::map<Guid, std::unique_ptr<T>> m_items;
    std::vector<Source> m_sources;
};

// One class per kind: made for a project, they load themselves.
#define TARNWICK_VIEW_LIST(ListName, Kind, selector)                                                         \
    class ListName : public DatabaseList<Kind> {                                                             \
    public:                                                                                                  \
        explicit ListName(Project* project) {                                                                \
            load(fourCC(selector),                                                                           \
                 [project](const Guid& guid) { return std::make_unique<Kind>(project, guid); });             \
        }                                                                                                    \
    };

TARNWICK_VIEW_LIST(DetailList, Detail, "GDDI")
TARNWICK_VIEW_LIST(Document3DList, Document3D, "GD3D")
TARNWICK_VIEW_LIST(ElevationList, Elevation, "GEDI")
TARNWICK_VIEW_LIST(InteriorElevationList, InteriorElevation, "GIED")
TARNWICK_VIEW_LIST(SectionList, Section, "GSDI")
TARNWICK_VIEW_LIST(WorksheetList, Worksheet, "GWDI")

#undef TARNWICK_VIEW_LIST

// Layouts, then master layouts, in one list.
class LayoutList : public DatabaseList<Layout> {
public:
    explicit LayoutList(Project* project) {
        load(fourCC("GLDI"),
             [project](const Guid& guid) { return std::make_unique<Layout>(project, guid, false); });
        load(fourCC("GMDI"),
             [project](const Guid& guid) { return std::make_unique<Layout>(project, guid, true); });
    }
};

} // namespace tarnwick
