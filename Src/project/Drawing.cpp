// Drawing: the read side. Collecting the links that pass a filter, reading elements into their
// classes, the selection as the host reports it, proxies, and the database record's texts.
#include "project/Drawing.h"

#include <cstring>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "platform/gsroot/Containers.h"
#include "project/Layer.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/Storey.h"
#include "project/ViewKinds.h"

namespace tarnwick {

// Type code 0 passes everything; else the codes must agree and the sub-kinds unless either is 0.
bool Drawing::passesType(const ElementLink& link, uint16_t type) {
    return (type & 0xFF) == 0 || ElementLink::typeIdsMatch(link.getTypeId(), type);
}

namespace {
constexpr size_t WalkCapacity = 50;

} // namespace

Drawing::~Drawing() = default;

void Drawing::reset() {
    m_selection.reset();
    m_selectionRead = false;
    m_selectionIndex.clear();
    m_indexedCount = 0;
}

DatabaseRef Drawing::getDatabaseRef() const {
    return DatabaseRef(getDatabaseType(), getDatabaseGuid(), 0);
}

bool Drawing::makeCurrent() {
    return m_project != nullptr && m_project->setCurrentDatabase(this);
}

Library* Drawing::getLibrary() const {
    return m_project != nullptr ? m_project->getLibrary() : nullptr;
}

Specification* Drawing::getSpecification() const {
    return m_project != nullptr ? m_project->getSpecification() : nullptr;
}

// --- Walks.

std::shared_ptr<ElementLinkList> Drawing::collectForWalk(const Filter& filter) {
    auto links = std::make_shared<ElementLinkList>(WalkCapacity);
    collectElements(filter, links.get());
    return links;
}

ElementLink Drawing::linkForFilter(const ElementLink& link, const Filter& filter) {
    ElementLink copy = link;
    if ((filter.getElementType() & 0xFF) != 0) copy.setTypeId(filter.getElementType());
    return copy;
}

// --- Collecting.

API_Guid Drawing::filterDatabase(const Filter& filter) {
    if ((filter.getHostFlags() & FilterByDatabase) == 0) return API_Guid();
    if (filter.getGuid().isValid()) return filter.getGuid().toAPI();
    return Host::getEnvironmentGuid(fourCC("GARF")).toAPI();
}

bool Drawing::passesHostFilter(const ElementLink& link, const Filter& filter, bool inSelection) const {
    const API_Guid guid = link.getGuid().toAPI();
    const API_Guid database = filterDatabase(filter);
    if (ACAPFilterElement(&guid, filter.getHostFlags(), 0, &database)) return true;
    // Told apart from an empty selection, as a failed selection read is.
    if (inSelection && filter.getHostFlags() == FilterSelected) noteHostDenial("FilterElement");
    return false;
}

int32_t Drawing::countElements(const Filter& filter) {
    return collectElements(filter, nullptr);
}

int32_t Drawing::collectElements(const Filter& filter, ElementLinkList* out) {
    if (!makeCurrent()) return 0;
    const bool proxyMode = filter.isResolvingProxies() && dynamic_cast<CutPlane*>(this) != nullptr;
    const uint16_t type = filter.getElementType();
    const uint32_t flags = filter.getHostFlags();
    // Proxies are tested only once resolved: a count needs the list as much as a collection does.
    std::unique_ptr<ElementLinkList> scratch;
    if (proxyMode && out == nullptr) {
        scratch = std::make_unique<ElementLinkList>(WalkCapacity);
        out = scratch.get();
    }
    const size_t first = out != nullptr ? out->size() : 0;
    int64_t count = 0;
    if (filter.isSelectedOnly()) {
        if (!loadSelection()) return 0;
        if (out != nullptr) out->reserve(first + m_selection->size());
        for (const ElementLink* link : *m_selection) {
            if (link == nullptr) continue;
            if (proxyMode) {
                out->push_back(link->clone());
                continue;
            }
            if (!passesType(*link, type)) continue;
            if (flags != 0 && !passesHostFilter(*link, filter, true)) continue;
            ++count;
            if (out != nullptr) out->push_back(link->clone());
        }
    } else {
        GS::Array<API_Guid> guids;
        const API_Guid database = filterDatabase(filter);
        m_lastError = ACAPGetElementList(proxyMode ? 0u : uint32_t(type & 0xFF), &guids, flags, 0, &database);
        if (m_lastError != hosterr::Ok) return 0;
        if (out == nullptr)
            count = static_cast<int64_t>(guids.GetSize());
        else
            count = static_cast<int64_t>(out->appendGuids(guids, this));
    }
    if (proxyMode) {
        // The entries stay the proxies' links; their resolved copies take the tests. Those kept
        // move up in order and the rest go from the back, so that a large view is not quadratic.
        size_t kept = first;
        for (size_t at = first; at < out->size(); ++at) {
            ElementLink copy = *(*out)[at];
            if (resolveProxy(copy, true) && passesType(copy, type) &&
                (flags == 0 || passesHostFilter(copy, filter)))
                out->swap(kept++, at);
        }
        while (out->size() > kept)
            out->erase(out->size() - 1);
        count = static_cast<int64_t>(kept - first);
    }
    return static_cast<int32_t>(count);
}

bool Drawing::resolveProxy(ElementLink& link, bool toModel) {
    if (link.getHome().getKind() == DatabaseNone) link.setDrawing(this);
    if (link.getTypeCode() != ProxyTypeCode) {
        Drawing* home = link.getDrawing();
        link.setProxyTypeId(0);
        link.setProxyDrawing(nullptr);
        // A home that has gone, or cannot be made current, reads nothing.
        return home != nullptr && home->makeCurrent();
    }
    if (!makeCurrent()) return false;
    API_Element record;
    record.head.typeCode = ProxyTypeCode;
    record.head.guid = link.getGuid().toAPI();
    if (ACAPGetElement(&record) != hosterr::Ok) return false;
    HostProxyElement proxy;
    std::memcpy(static_cast<void*>(&proxy), record.raw, sizeof proxy);
    if (proxy.showsElement == 0 || proxy.elementGuid.isNull()) return false;
    const uint16_t shownType = ElementLink::makeTypeId(static_cast<uint8_t>(proxy.elementType));
    if (toModel) {
        link.setProxyTypeId(ElementLink::makeTypeId(ProxyTypeCode));
        link.setProxyDrawing(this);
        link.setTypeId(shownType);
        link.setProxyGuid(link.getGuid());
        link.setGuid(Guid(proxy.elementGuid), nullptr);
        Plan* plan = m_project->getPlan();
        link.setDrawing(plan);
        return plan != nullptr && m_project->setCurrentDatabase(plan);
    }
    link.setProxyTypeId(shownType);
    link.setProxyGuid(Guid(proxy.elementGuid));
    link.setProxyDrawing(nullptr);
    return true;
}

// --- The selection.

bool Drawing::loadSelection() {
    if (m_selectionRead) return m_selection != nullptr;
    if (!makeCurrent()) return false;
    HostSelectionInfo info;
    GSHandle references = nullptr;
    m_lastError = ACAPGetSelection(&info, &references);
    if (m_lastError != hosterr::Ok) {
        freeHandle(references);
        return false;
    }
    m_selectionIsRegion = info.selectionType - 2 < 3;
    const size_t count = static_cast<size_t>(getHandleSize(references)) / sizeof(HostSelectionRecord);
    if (count > 0) {
        try {
            auto list = std::make_unique<ElementLinkList>(count);
            for (size_t i = 0; i < count; ++i) {
                HostSelectionRecord record;
                std::memcpy(&record, *references + i * sizeof record, sizeof record);
                list->push_back(std::make_unique<ElementLink>(record, this));
            }
            m_selection = std::move(list);
        } catch (...) {
            freeHandle(references);
            throw;
        }
    }
    freeHandle(references);
    m_selectionRead = true;
    if (!m_selection) return false;
    m_lastSelected = *m_selection->back();
    return true;
}

const ElementLink* Drawing::findSelected(const ElementLink& link) {
    if (!loadSelection()) return nullptr;
    if (!link.hasGuid()) {
        size_t at = m_selection->find(link);
        return at < m_selection->size() ? (*m_selection)[at] : nullptr;
    }
    // A link with a Guid equals the entries with that Guid; the first of them is the one found.
    if (m_indexedCount != m_selection->size() || m_selectionIndex.empty()) {
        m_selectionIndex.clear();
        m_selectionIndex.reserve(m_selection->size());
        size_t at = 0;
        for (const ElementLink* entry : *m_selection) {
            if (entry != nullptr && entry->hasGuid()) m_selectionIndex.emplace(entry->getGuid(), at);
            ++at;
        }
        m_indexedCount = m_selection->size();
    }
    auto found = m_selectionIndex.find(link.getGuid());
    if (found == m_selectionIndex.end() || found->second >= m_selection->size()) return nullptr;
    const ElementLink* entry = (*m_selection)[found->second];
    return entry != nullptr && entry->getGuid() == link.getGuid() ? entry : nullptr;
}

ElementLinkList* Drawing::getSelection() {
    loadSelection();
    return m_selection.get();
}

// --- Reading elements.

bool Drawing::hasUserData(const ElementLink& link) {
    std::unique_ptr<MemoryBlock> data = getUserData(link, nullptr, nullptr, nullptr);
    return data && !data->isEmpty();
}

bool Drawing::findElement(const Guid& guid, ElementLink* link, Layer* layer, Storey** storey) {
    if (link != nullptr) *link = ElementLink();
    if (layer != nullptr) *layer = Layer(AttributeLink(0u, AttrLayer));
    if (storey != nullptr) *storey = nullptr;
    if (!makeCurrent()) return false;
    HostElementHead header;
    header.guid = guid.toAPI();
    m_lastError = ACAPGetElementHeader(&header);
    bool found = m_lastError == hosterr::Ok;
    if (found) {
        if (link != nullptr) *link = ElementLink(header, this);
        if (layer != nullptr) *layer = Layer(AttributeLink(static_cast<uint32_t>(header.layer), AttrLayer));
        uint32_t kind = getDatabaseType();
        if (storey != nullptr && (kind == DatabasePlan || kind == DatabaseModel)) {
            Plan* plan = m_project->getPlan();
            if (plan != nullptr) *storey = plan->getStorey(static_cast<uint16_t>(header.storey));
        }
    }
    makeCurrent(); // building the layer and storey may have switched databases
    return found;
}

bool Drawing::refreshLink(ElementLink& link, HostElementHead* header) {
    if (!makeCurrent()) return false;
    auto record = std::make_unique<API_Element>();
    record->head.typeCode = link.getTypeCode();
    record->head.guid = link.getGuid().toAPI();
    m_lastError = ACAPGetElement(record.get());
    if (m_lastError != hosterr::Ok) return false;
    link = ElementLink(record->head, this);
    if (header != nullptr) *header = record->head;
    return true;
}

ElementMemoPtr Drawing::getElementMemo(const ElementLink& link, uint64_t mask) {
    if (!hostTakesMemosBack()) {
        m_lastError = hosterr::NotSupplied;
        return nullptr;
    }
    if (!makeCurrent()) return nullptr;
    ElementMemoPtr memo = makeElementMemo();
    const API_Guid guid = link.getGuid().toAPI();
    m_lastError = ACAPGetElementMemo(&guid, memo.get(), mask == 0 ? uint64_t(MemoAll) : mask);
    if (m_lastError != hosterr::Ok) return nullptr; // disposed with what the host left in it
    return memo;
}

int32_t Drawing::getLinkedElements(const ElementLink& link, ElementLinkList& out) {
    if (!makeCurrent()) return 0;
    const API_Guid guid = link.getGuid().toAPI();
    GS::Array<API_Guid> linked;
    m_lastError = ACAPGetLinkedElements(&guid, &linked);
    if (m_lastError != hosterr::Ok) return 0;
    int32_t appended = 0;
    for (const API_Guid& other : linked) {
        if (other.isNull()) continue;
        out.push_back(std::make_unique<ElementLink>(Guid(other), this));
        ++appended;
    }
    return appended;
}

// --- The database record's texts.

bool Drawing::readInfo(HostDatabaseInfo& record) {
    record = HostDatabaseInfo();
    if (!makeCurrent()) return false;
    record.kind = getDatabaseType();
    record.databaseGuid = getDatabaseGuid().toAPI();
    m_lastError = ACAPDatabaseCall(fourCC("GDBI"), &record);
    return m_lastError == hosterr::Ok;
}

String Drawing::getName() {
    HostDatabaseInfo record;
    return readInfo(record) ? String(record.name, sizeof record.name) : String();
}

String Drawing::getReference() {
    HostDatabaseInfo record;
    return readInfo(record) ? String(record.reference, sizeof record.reference) : String();
}

String Drawing::getTitle() {
    HostDatabaseInfo record;
    return readInfo(record) ? String(record.title, sizeof record.title) : String();
}

bool Drawing::writeText(const String& text, bool asName) {
    HostDatabaseInfo record;
    if (!readInfo(record)) return false;
    if (asName)
        text.copyToUtf16(record.name, sizeof record.name);
    else
        text.copyToUtf16(record.reference, sizeof record.reference);
    m_lastError = ACAPDatabaseCall(fourCC("MDAT"), &record);
    return m_lastError == hosterr::Ok;
}

bool Drawing::setName(const String& name) {
    return writeText(name, true);
}

bool Drawing::setReference(const String& reference) {
    return writeText(reference, false);
}

// --- Filters.

Drawing::Filter::Filter(uint32_t hostFlags, uint16_t elementType, bool selectedOnly, bool flag4,
                        bool withUserData)
    : m_hostFlags(hostFlags), m_elementType(elementType), m_flag4(flag4), m_selectedOnly(selectedOnly),
      m_withUserData(withUserData) {}

Drawing::Filter::Filter(uint16_t elementType, bool selectedOnly, bool flag4, bool withUserData)
    : Filter(0u, elementType, selectedOnly, flag4, withUserData) {}

Drawing::Filter::Filter(bool selectedOnly, bool withUserData)
    : Filter(0u, 0, selectedOnly, false, withUserData) {}

} // namespace tarnwick
