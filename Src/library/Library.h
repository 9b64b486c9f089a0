// The project's database of library parts as the host's library manager knows them: finding a
// part by name or unique id, walking the loaded parts through a filter, a source for any part,
// registering part files, and the list of library folders. It keeps nothing of its own beyond
// the folder list, loaded on first use, and the host's answer to the last create or save.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "Environment/NamePattern.h"
#include "library/ComponentLink.h"
#include "library/ComponentSource.h"
#include "library/FileList.h"
#include "project/Database.h"

namespace tarnwick {

class Directory;
class Project;

class Library : public Database {
public:
    // Which parts a walk visits: document names that match the pattern (wildcard "*"), and a
    // type (0: any). A walk may keep the part count here to ask the host only once.
    class Filter {
    public:
        explicit Filter(const String& pattern = String(), uint32_t type = 0, bool reuseCount = true)
            : m_pattern(pattern, String("*")), m_type(type), m_reuseCount(reuseCount) {}
        Filter(const Filter&) = default;
        virtual ~Filter() = default;
        virtual std::unique_ptr<Filter> clone() const { return std::make_unique<Filter>(*this); }
        // A last say on a part that passed the name and type; true by default.
        virtual bool accept(const ComponentSource&) const { return true; }

        bool matches(const String& name) const { return m_pattern.matches(name); }
        uint32_t getType() const { return m_type; }
        bool reusesCount() const { return m_reuseCount; }
        uint32_t getCount() const { return m_count; }
        void setCount(uint32_t count) { m_count = count; }

    private:
        NamePattern m_pattern;
        uint32_t m_type;
        bool m_reuseCount;
        uint32_t m_count = 0; // 0: not yet counted
    };

    // Visits the parts a filter passes, forwards (1..count) or backwards (count..1). Owns the
    // part it stands on; an iterator past the end equals end().
    template <bool Forward> class Walk {
    public:
        Walk() = default;
        Walk(Library& library, const Filter& filter, const ComponentLink& start);
        Walk(Walk&&) noexcept = default;
        Walk& operator=(Walk&&) noexcept = default;

        ComponentSource& operator*() const { return *m_current; }
        ComponentSource* operator->() const { return m_current.get(); }
        Walk& operator++();
        bool operator==(const Walk& other) const { return m_current == other.m_current; }

    private:
        Library* m_library = nullptr;
        std::unique_ptr<Filter> m_filter;
        ComponentLink m_position;
        std::unique_ptr<ComponentSource> m_current;
    };
    using iterator = Walk<true>;
    using reverse_iterator = Walk<false>;

    Library(Project* owner, uint32_t kind) : m_owner(owner), m_kind(kind) {}
    ~Library() override;

    void reset() override { resetFolders(); }
    // Drops the folder list; the next query asks the host again.
    virtual void resetFolders();
    String getTypeName() const override { return String("Library"); }
    // The part of the link as a new source; null when the host gives none.
    virtual std::unique_ptr<ComponentSource> getSource(const ComponentLink& link);
    // Each answers the part's library index (0: none) and sets type to the part's refined type.
    // By name: the document name with the given type, then with any type, then the file name
    // NAME.gsm.
    virtual uint32_t findByName(const String& name, uint32_t& type);
    virtual uint32_t findByUnId(const String& unId, uint32_t& type);
    // The first part after start whose parent unique id is the text.
    virtual uint32_t findByParentUnId(const String& unId, uint32_t& type, uint32_t start);
    // Rewrites the sections of a parametric source's part of this library in place (true also
    // when the part cannot be read back), or creates a new part from it, which the source then
    // names. False for another kind of source and on a host failure, whose answer getLastError
    // keeps for a create.
    virtual bool registerFromSource(ComponentSource& source);
    virtual uint32_t getPartCount() const;
    // The host's answer to the last create or save of a part.
    virtual GSErrCode getLastError() const { return m_lastError; }
    // The next (or previous) part after position that the filter passes, as a new source.
    virtual std::unique_ptr<ComponentSource> nextPart(const ComponentLink& position, bool forward,
                                                      Filter& filter);
    // The link's part when the filter (none: every part) passes it.
    virtual std::unique_ptr<ComponentSource> getSource(const ComponentLink& link, Filter* filter);
    virtual void setLastError(GSErrCode error) { m_lastError = error; }

    iterator begin(const Filter& filter = Filter());
    iterator end() { return iterator(); }
    reverse_iterator rbegin(const Filter& filter = Filter());
    reverse_iterator rend() { return reverse_iterator(); }

    // The own unique id of the part at the index ("GLUI"); empty when the host gives none.
    FamilyGuid getFamilyId(uint32_t index) const;
    // The index that the part at index has now, found by its unique id.
    uint32_t findCurrentIndex(uint32_t index);
    // Appends a link for every part derived from the link's part, in increasing index; answers
    // how many.
    size_t findChildren(const ComponentLink& link, Vector<ComponentLink>& children);
    bool exists(const ComponentLink& link) { return getSource(link) != nullptr; }
    // Registers an existing part file with the host; null when it is missing or refused.
    std::unique_ptr<ComponentSource> registerPart(uint32_t type, const File& file, int32_t ownerId);
    // The part's default sizes, and its default parameters as a new handle the caller disposes
    // of (ACAPDisposeParameterHandle); null when the host gives none.
    GSHandle getPartParameters(const ComponentLink& link, double& a, double& b);

    // The loaded library folders: the host's entries that are folders, in order.
    const FileList& getFolders();
    // -1 when the host names none, or names an entry that is not a folder.
    int64_t getSelectedIndex();
    // Copies, as the list may be dropped; null when there is none.
    std::unique_ptr<Directory> getSelectedFolder();
    std::unique_ptr<Directory> getFolder(size_t position);
    bool setFolders(const FileList& folders);
    // False for a folder that does not exist.
    bool addFolder(const Directory& folder);
    // Has the host load its current folders again.
    static bool reloadLibraries();

    Project* getOwner() const { return m_owner; }
    uint32_t getKind() const { return m_kind; }

private:
    // One search with the record as filled; the part's index, the type refined.
    uint32_t search(HostLibPart& record, uint32_t& type);

    Project* m_owner;
    uint32_t m_kind;
    std::unique_ptr<FileList> m_folders;
    int64_t m_selected = -1;
    GSErrCode m_lastError = 0;
};

} // namespace tarnwick
