// Drawing: changing elements in the host. Links, changed fields, placement, edits (move, rotate,
// scale), deletion, locks over a list source, switching and the element query. What needs the
// element classes goes through the element model's access.
#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "Environment/Transformation.h"
#include "project/ElementAccess.h"
#include "project/ElementListSource.h"
#include "project/Layer.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
// A host handle freed with its holder unless released.
class HandleHolder {
public:
    explicit HandleHolder(GSHandle handle) : m_handle(handle) {}
    ~HandleHolder() { freeHandle(m_handle); }
    HandleHolder(const HandleHolder&) = delete;
    HandleHolder& operator=(const HandleHolder&) = delete;
    GSHandle get() const { return m_handle; }
    GSHandle release() {
        GSHandle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

private:
    GSHandle m_handle;
};

// Marks every byte of a field in a change mask.
template <class Field> void markField(API_Element& mask, const Field& field) {
    const size_t offset = static_cast<size_t>(reinterpret_cast<const uint8_t*>(&field) - mask.raw);
    std::memset(mask.raw + offset, 0xFF, sizeof(Field));
}
} // namespace

// --- Links.

bool Drawing::linkElement(const ElementLink& owner, const ElementLink& linked) {
    if (!makeCurrent()) return false;
    const API_Guid ownerGuid = owner.getGuid().toAPI();
    const API_Guid linkedGuid = linked.getGuid().toAPI();
    m_lastError = ACAPLinkElements(&ownerGuid, &linkedGuid, 0);
    return m_lastError == hosterr::Ok;
}

bool Drawing::unlinkElement(const ElementLink& owner, const ElementLink& linked) {
    if (!makeCurrent()) return false;
    const API_Guid ownerGuid = owner.getGuid().toAPI();
    const API_Guid linkedGuid = linked.getGuid().toAPI();
    m_lastError = ACAPUnlinkElements(&ownerGuid, &linkedGuid);
    return m_lastError == hosterr::Ok;
}

bool Drawing::linkEach(const ElementLink& owner, const ElementLinkList& linked, bool link) {
    bool all = true;
    for (const ElementLink* each : linked)
        if (each != nullptr && !(link ? linkElement(owner, *each) : unlinkElement(owner, *each))) all = false;
    return all;
}

bool Drawing::linkElements(const ElementLink& owner, const ElementLinkList& linked) {
    return linkEach(owner, linked, true);
}

bool Drawing::unlinkElements(const ElementLink& owner, const ElementLinkList& linked) {
    return linkEach(owner, linked, false);
}

// --- Changed fields and placement.

bool Drawing::refreshHead(Element& element) {
    ElementAccess& access = elementAccess();
    ElementLink link = access.linkOf(element);
    HostElementHead head;
    if (!refreshLink(link, &head)) return false;
    access.recordHead(element) = head;
    access.setLink(element, link);
    return true;
}

bool Drawing::changeParameters(Element& element, const API_Element& values, API_ElementMemo* memo,
                               const API_Element& mask) {
    if (!makeCurrent()) return false;
    HandleHolder heads(allocateHandle(sizeof(HostElementHead)));
    HostElementHead head;
    elementAccess().linkOf(element).makeHeader(head, false);
    std::memcpy(*heads.get(), &head, sizeof head);
    m_lastError = ACAPChangeElementParameters(heads.get(), 1, &values, memo, &mask);
    return m_lastError == hosterr::Ok && refreshHead(element);
}

bool Drawing::updateElement(Element& element, const Element* values, const Element* mask) {
    if (!makeCurrent()) return false;
    ElementAccess& access = elementAccess();
    // The memo is built from a copy, so that values stays as the caller holds it.
    std::unique_ptr<Element> copy = values != nullptr && values != &element ? access.clone(*values) : nullptr;
    Element& source = copy ? *copy : element;
    std::unique_ptr<API_Element> record = access.buildRecord(source);
    if (!record) return false;
    uint64_t memoMask = 0;
    ElementMemoPtr memo = access.buildMemo(source, access.getInfoString(element), memoMask);
    // A record that says it has a memo is not written without one.
    if (!memo && record->head.byte76 != 0) return false;
    std::unique_ptr<API_Element> maskRecord;
    if (mask != nullptr) {
        maskRecord = access.buildRecord(*mask);
        if (!maskRecord) return false;
    } else {
        maskRecord = std::make_unique<API_Element>();
        std::memset(maskRecord->raw, 0xFF, sizeof maskRecord->raw);
    }
    if (!changeParameters(element, *record, memo.get(), *maskRecord)) return false;
    return applyTransformations(element);
}

bool Drawing::changeElementPlacement(Element& element, const Layer* layer, const Storey* storey,
                                     const Guid* head) {
    ElementAccess& access = elementAccess();
    if (access.linkOf(element).getDrawing() != this) return false;
    if (layer == nullptr && storey == nullptr && head == nullptr) return true;
    access.place(element, layer, storey, head);
    std::unique_ptr<API_Element> record = access.buildRecord(element);
    if (!record) return false;
    auto mask = std::make_unique<API_Element>();
    // Every byte of each field: a field is taken bytewise, and a partial mask would mix old and new.
    if (layer != nullptr) markField(*mask, mask->head.layer);
    if (storey != nullptr) markField(*mask, mask->head.storey);
    if (head != nullptr) markField(*mask, mask->head.groupGuid);
    return changeParameters(element, *record, nullptr, *mask);
}

// --- Edits.

bool Drawing::editElement(ElementLink& link, const Transformation& transformation) {
    // The 3D model's elements are edited in the floor plan.
    Drawing* target =
        getDatabaseType() == DatabaseModel && m_project != nullptr ? m_project->getPlan() : this;
    if (target == nullptr || !target->makeCurrent()) return false;
    HandleHolder references(allocateHandle(sizeof(HostSelectionRecord)));
    HostSelectionRecord record;
    link.makeSelectionRecord(record, false, false);
    std::memcpy(*references.get(), &record, sizeof record);
    HostEditTransformation edit = transformation.getRecord();
    m_lastError = ACAPEditElements(references.get(), 1, &edit);
    if (m_lastError != hosterr::Ok) return false;
    std::memcpy(&record, *references.get(), sizeof record);
    link = ElementLink(record, this);
    return true;
}

bool Drawing::editElements(const ElementLinkList& links, const Transformation& transformation) {
    if (links.empty()) return true;
    Drawing* target =
        getDatabaseType() == DatabaseModel && m_project != nullptr ? m_project->getPlan() : this;
    if (target == nullptr || !target->makeCurrent()) return false;
    HandleHolder references(links.makeSelectionArray(false));
    HostEditTransformation edit = transformation.getRecord();
    m_lastError = ACAPEditElements(references.get(), static_cast<int32_t>(links.size()), &edit);
    return m_lastError == hosterr::Ok;
}

bool Drawing::transformElement(Element& element, const Transformation& transformation) {
    ElementAccess& access = elementAccess();
    ElementLink link = access.linkOf(element);
    link.setDrawing(this);
    if (!editElement(link, transformation)) return false;
    access.setLink(element, link);
    return true;
}

bool Drawing::applyTransformations(Element& element) {
    ElementAccess& access = elementAccess();
    ElementLink link = access.linkOf(element);
    link.setDrawing(this);
    bool edited = false;
    while (std::unique_ptr<Transformation> transformation = access.takeTransformation(element)) {
        if (!editElement(link, *transformation)) return false;
        edited = true;
    }
    if (edited) access.setLink(element, link);
    return true;
}

// --- Deletion, locks, switches and the query.

bool Drawing::deleteElement(const ElementLink& link) {
    ElementLinkList one(1);
    one.push_back(link.clone());
    return deleteElements(one);
}

bool Drawing::deleteElements(const ElementLinkList& links) {
    if (links.empty()) return true;
    if (!makeCurrent()) return false;
    HandleHolder heads(links.makeHeaderArray(false));
    m_lastError = ACAPDeleteElements(heads.get(), static_cast<int32_t>(links.size()));
    if (m_lastError != hosterr::Ok) return false;
    dropKeptSelection();
    return true;
}

bool Drawing::runOverSource(ElementListSource& source, GSErrCode (*call)(GSHandle heads, int32_t count)) {
    std::unique_ptr<ElementLinkList> links = source.makeLinkList();
    if (!links || links->empty()) return true;
    if (!makeCurrent()) return false;
    HandleHolder heads(links->makeHeaderArray(false));
    m_lastError = call(heads.get(), static_cast<int32_t>(links->size()));
    if (m_lastError != hosterr::Ok) return false;
    source.takeHeaders(heads.release());
    return true;
}

bool Drawing::deleteElements(ElementListSource& source) {
    bool deleted =
        runOverSource(source, [](GSHandle heads, int32_t count) { return ACAPDeleteElements(heads, count); });
    if (deleted) dropKeptSelection();
    return deleted;
}

bool Drawing::lockElements(ElementListSource& source) {
    return runOverSource(source, [](GSHandle heads, int32_t count) {
        return ACAPElementToolCall(fourCC("LOCK"), heads, count);
    });
}

bool Drawing::unlockElements(ElementListSource& source) {
    return runOverSource(source, [](GSHandle heads, int32_t count) {
        return ACAPElementToolCall(fourCC("ULCK"), heads, count);
    });
}

bool Drawing::setElementSwitched(const ElementLink& link, bool on) {
    if (!makeCurrent()) return false;
    HostElementHead head;
    link.getHeader(head);
    m_lastError = on ? ACAPElementSwitchOnCall(&head) : ACAPElementSwitchOffCall(&head);
    if (m_lastError == (on ? hosterr::SwitchIgnoredOn : hosterr::SwitchIgnoredOff)) m_lastError = hosterr::Ok;
    return m_lastError == hosterr::Ok;
}

bool Drawing::queryElement(const ElementLink& link) {
    if (!makeCurrent()) return false;
    HostElementHead head;
    link.getHeader(head);
    m_lastError = ACAPUtilityCall(fourCC("RPAS"), &head);
    return m_lastError == hosterr::Ok;
}

} // namespace tarnwick
