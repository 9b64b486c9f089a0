// The project's lists of view databases, one per kind: each asks the host for its kind's
// database Guids the first time it is needed (and again while the host would not answer) and
// makes one object per database, kept in Guid order until the project is reset. A Guid that two
// of a list's selectors give is the later selector's, as if its object replaced the earlier one.
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
        return it->second.item.get();
    }
    T* find(const Guid& guid) const {
        auto it = m_items.find(guid);
        return it == m_items.end() ? nullptr : it->second.item.get();
    }
    // Stores the object under its Guid, as the first selector's; an object already there is
    // deleted.
    void store(const Guid& guid, std::unique_ptr<T> item) { m_items[guid] = Entry{std::move(item), 0}; }
    // Asks the host again for the kinds it did not list: a list it would not give once is not a
    // list of none, and the next use must not take it for one. Databases listed already stay.
    void refresh() {
        for (size_t index = 0; index < m_sources.size(); ++index)
            if (!m_sources[index].listed) fill(index);
    }

protected:
    using Maker = std::function<std::unique_ptr<T>(const Guid&)>;
    using Renewer = std::function<void(T&)>;

    // Adds one object per Guid the host lists for the selector; nothing on a host error. A Guid
    // the list holds already, from this selector or an earlier one, is this selector's from now
    // on: `renew` makes the object held what `make` would have made. The object is changed, not
    // replaced, since the project or a caller may hold it. Without `renew` the object made again
    // would be the same.
    void load(uint32_t selector, Maker make, Renewer renew = nullptr) {
        m_sources.push_back({selector, std::move(make), std::move(renew), false});
        fill(m_sources.size() - 1);
    }

private:
    struct Source {
        uint32_t selector = 0;
        Maker make;
        Renewer renew;
        bool listed = false;
    };
    struct Entry {
        std::unique_ptr<T> item;
        size_t source = 0; // the latest selector that listed it
    };

    void fill(size_t index) {
        Source& source = m_sources[index];
        GSHandle handle = nullptr;
        if (ACAPDatabaseCall(source.selector, &handle) != hosterr::Ok || handle == nullptr) {
            freeHandle(handle);
            return;
        }
        source.listed = true;
        size_t count = static_cast<size_t>(getHandleSize(handle)) / sizeof(API_Guid);
        for (size_t i = 0; i < count; ++i) {
            API_Guid listed;
            std::memcpy(&listed, *handle + i * sizeof listed, sizeof listed);
            const Guid guid(listed);
            auto it = m_items.find(guid);
            if (it == m_items.end()) {
                m_items.emplace(guid, Entry{source.make(guid), index});
            } else if (it->second.source <= index) {
                if (source.renew) source.renew(*it->second.item);
                it->second.source = index;
            }
            // Else a later selector has listed it already (this one is asked again after a
            // refusal), and it stays that selector's, as the selectors' order has it.
        }
        freeHandle(handle);
    }

    std::map<Guid, Entry> m_items;
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

// Layouts, then master layouts, in one list: a database listed as both is a master layout.
class LayoutList : public DatabaseList<Layout> {
public:
    explicit LayoutList(Project* project) {
        for (const bool master : {false, true})
            load(
                fourCC(master ? "GMDI" : "GLDI"),
                [project, master](const Guid& guid) {
                    return std::make_unique<Layout>(project, guid, master);
                },
                [master](Layout& layout) { layout.setMaster(master); });
    }
};

} // namespace tarnwick
