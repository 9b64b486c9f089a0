#include "ViewDatabases.h"

#include <algorithm>
#include <cstring>

#include "CallLog.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
struct KindEntry {
    uint32_t kind;
    const char* name;
    const char* title;
    const char* listSelector;
};

constexpr KindEntry kinds[] = {
    {DatabasePlan, "plan", "Floor Plan", nullptr},
    {DatabaseSection, "section", "Section", "GSDI"},
    {DatabaseDetail, "detail", "Detail", "GDDI"},
    {DatabaseModel, "3d", "3D Window", nullptr},
    {DatabaseLayout, "layout", "Layout", "GLDI"},
    {DatabaseMasterLayout, "master-layout", "Master Layout", "GMDI"},
    {DatabaseElevation, "elevation", "Elevation", "GEDI"},
    {DatabaseInteriorElevation, "interior-elevation", "Interior Elevation", "GIED"},
    {DatabaseWorksheet, "worksheet", "Worksheet", "GWDI"},
    {Database3DDocument, "document-3d", "3D Document", "GD3D"},
};

uint32_t codeOf(const char* text) {
    uint32_t code = 0;
    for (int i = 0; i < 4; ++i)
        code = (code << 8) | static_cast<uint8_t>(text[i]);
    return code;
}

const KindEntry* kindEntry(uint32_t kind) {
    for (const KindEntry& entry : kinds)
        if (entry.kind == kind) return &entry;
    return nullptr;
}

bool kindsAnswer(uint32_t asked, uint32_t kind) {
    if (asked == 0 || asked == kind) return true;
    auto layoutish = [](uint32_t k) { return k == DatabaseLayout || k == DatabaseMasterLayout; };
    return layoutish(asked) && layoutish(kind);
}

void copyField(char16_t* field, const std::u16string& text) {
    size_t count = std::min<size_t>(text.size(), 255);
    std::memcpy(field, text.data(), count * sizeof(char16_t));
    field[count] = u'\0';
}

ViewDatabase fixedDatabase(uint32_t kind) {
    ViewDatabase database;
    database.kind = kind;
    database.title = GS::Utf8ToUtf16(kindEntry(kind)->title);
    return database;
}
} // namespace

void ViewDatabase::fill(HostDatabaseInfo* info) const {
    *info = HostDatabaseInfo();
    info->kind = kind;
    info->databaseGuid = guid;
    info->masterGuid = masterGuid;
    copyField(info->title, title);
    copyField(info->name, name);
    copyField(info->reference, reference);
    std::memcpy(info->reserved1, reserved.data(), reserved.size());
}

ViewDatabases::ViewDatabases() {
    m_databases.push_back(fixedDatabase(DatabasePlan));
    m_databases.push_back(fixedDatabase(DatabaseModel));
}

bool ViewDatabases::validKind(uint32_t kind) {
    return kindEntry(kind) != nullptr;
}

std::string ViewDatabases::describe(const ViewDatabase& database) {
    std::string text = kindName(database.kind);
    if (!database.isPlanOrModel()) {
        text += ' ';
        text += inQuotes(GS::UniString(database.name).ToCStr());
    }
    return text;
}

std::string ViewDatabases::kindName(uint32_t kind) {
    const KindEntry* entry = kindEntry(kind);
    return entry != nullptr ? entry->name : "kind " + std::to_string(kind);
}

uint32_t ViewDatabases::kindNamed(const std::string& name) {
    for (const KindEntry& entry : kinds)
        if (name == entry.name) return entry.kind;
    return 0;
}

uint32_t ViewDatabases::listSelectorKind(uint32_t selector) {
    for (const KindEntry& entry : kinds)
        if (entry.listSelector != nullptr && codeOf(entry.listSelector) == selector) return entry.kind;
    return 0;
}

const ViewDatabase* ViewDatabases::find(const DatabaseKey& key) const {
    if (key.kind == DatabasePlan) return &m_databases[0];
    if (key.kind == DatabaseModel) return &m_databases[1];
    if (key.guid.isNull()) return nullptr;
    for (const ViewDatabase& database : m_databases)
        if (!database.isPlanOrModel() && database.guid == key.guid && kindsAnswer(key.kind, database.kind))
            return &database;
    return nullptr;
}

ViewDatabase* ViewDatabases::find(const DatabaseKey& key) {
    return const_cast<ViewDatabase*>(static_cast<const ViewDatabases*>(this)->find(key));
}

const ViewDatabase* ViewDatabases::findNamed(const std::string& name) const {
    std::u16string wanted = GS::Utf8ToUtf16(name);
    for (const ViewDatabase& database : m_databases)
        if (database.name == wanted) return &database;
    for (const ViewDatabase& database : m_databases)
        if (database.title == wanted) return &database;
    return nullptr;
}

ViewDatabase* ViewDatabases::findNamed(const std::string& name) {
    return const_cast<ViewDatabase*>(static_cast<const ViewDatabases*>(this)->findNamed(name));
}

ViewDatabase* ViewDatabases::findByGuid(const API_Guid& guid) {
    return find(DatabaseKey{0, guid});
}

ViewDatabase* ViewDatabases::add(uint32_t kind, const std::u16string& name) {
    if (!namedByGuid(kind)) return nullptr;
    ViewDatabase database;
    database.kind = kind;
    database.guid = newGuid();
    database.name = name;
    database.title = name;
    if (kind == DatabaseLayout || kind == DatabaseMasterLayout) database.sheet.name = GS::Utf16ToUtf8(name);
    m_databases.push_back(std::move(database));
    return &m_databases.back();
}

bool ViewDatabases::restore(ViewDatabase database) {
    if (database.kind == DatabasePlan || database.kind == DatabaseModel) {
        if (!database.guid.isNull() || (database.kind == DatabaseModel && database.elements.size() != 0))
            return false;
        m_databases[database.kind == DatabasePlan ? 0 : 1] = std::move(database);
        return true;
    }
    if (!namedByGuid(database.kind) || database.guid.isNull() || findByGuid(database.guid) != nullptr)
        return false;
    m_databases.push_back(std::move(database));
    return true;
}

bool ViewDatabases::remove(const API_Guid& guid) {
    for (auto it = m_databases.begin(); it != m_databases.end(); ++it)
        if (!it->isPlanOrModel() && it->guid == guid) {
            m_databases.erase(it);
            return true;
        }
    return false;
}

ElementStore& ViewDatabases::elementsOf(ViewDatabase& database) {
    return database.kind == DatabaseModel ? m_databases[0].elements : database.elements;
}

const ElementStore& ViewDatabases::elementsOf(const ViewDatabase& database) const {
    return database.kind == DatabaseModel ? m_databases[0].elements : database.elements;
}

size_t ViewDatabases::locate(const API_Guid& guid, const StoredElement** found) const {
    if (m_whereabouts.hints == nullptr) m_whereabouts.hints = std::make_shared<Hints>(); // moved from
    Hints& known = *m_whereabouts.hints;
    auto holds = [&](size_t at) {
        const StoredElement* element =
            at < m_databases.size() ? m_databases[at].elements.find(guid) : nullptr;
        if (element == nullptr) return false;
        if (found != nullptr) *found = element;
        known.last = at;
        return true;
    };
    // A walk reads the elements of one database in turn.
    if (holds(known.last)) return known.last;
    auto noted = known.positions.find(guid);
    if (noted != known.positions.end()) {
        if (holds(noted->second)) return noted->second;
        known.positions.erase(noted);
    }
    size_t elements = 0;
    for (const ViewDatabase& database : m_databases)
        elements += database.elements.size();
    // Mostly unknown (a copy, or elements stored directly): note them all at once, as a first
    // pass over a large project would otherwise try every store for each of its elements.
    if (known.positions.size() < elements / 2) {
        known.positions.clear();
        known.positions.reserve(elements);
        for (size_t at = 0; at < m_databases.size(); ++at)
            for (const StoredElement* element : m_databases[at].elements.inOrder())
                known.positions.emplace(element->guid(), at);
        noted = known.positions.find(guid);
        return noted != known.positions.end() && holds(noted->second) ? noted->second : NotFound;
    }
    for (size_t at = 0; at < m_databases.size(); ++at)
        if (holds(at)) {
            known.positions.emplace(guid, at);
            return at;
        }
    return NotFound;
}

const StoredElement* ViewDatabases::findElement(const API_Guid& guid, const ViewDatabase** where) const {
    const StoredElement* element = nullptr;
    const size_t at = locate(guid, &element);
    if (at != NotFound && where != nullptr) *where = &m_databases[at];
    return element;
}

StoredElement* ViewDatabases::editElement(const API_Guid& guid, ViewDatabase** where) {
    const size_t at = locate(guid, nullptr);
    if (at == NotFound) return nullptr;
    if (where != nullptr) *where = &m_databases[at];
    return m_databases[at].elements.edit(guid);
}

bool ViewDatabases::removeElement(const API_Guid& guid) {
    const size_t at = locate(guid, nullptr);
    if (at == NotFound) return false;
    if (m_whereabouts.hints != nullptr) m_whereabouts.hints->positions.erase(guid);
    return m_databases[at].elements.remove(guid);
}

} // namespace zavhost
