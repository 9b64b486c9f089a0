#include "annotation/LabelUpkeep.h"

#include <unordered_set>

#include "Environment/Host.h"
#include "construction/Wall.h"
#include "library/Label.h"
#include "project/Drawing.h"

namespace zavlink {

using namespace tarnwick;

namespace {
// Most elements carry a label or two; the host's answer grows the list as it needs.
constexpr size_t LinkedReserve = 50;

using GuidSet = std::unordered_set<Guid>;

ElementLink linkOf(const DatabaseEvent& event) {
    HostElementHead head;
    head.typeCode = static_cast<uint32_t>(static_cast<uint16_t>(event.getElementType()));
    head.variation = static_cast<uint32_t>(static_cast<uint16_t>(event.getVariation()));
    head.guid = event.getElementGuid();
    // The user edits in the view in front; its elements are the ones reported.
    return ElementLink(head, Host::getCurrentDatabase());
}

// Only labels that show an annotation are the product's to move or delete.
bool isAnnotationLabel(Drawing& drawing, const ElementLink& link) {
    if (link.getTypeCode() != Label::TypeCode) return false;
    uint32_t flags = 0;
    uint32_t version = 0;
    uint32_t platform = 0;
    std::unique_ptr<MemoryBlock> data = drawing.getUserData(link, &flags, &version, &platform);
    if (!data || data->getSize() == 0) return false;
    Annotation annotation;
    return annotation.readFromBlock(*data);
}

// Appends the annotation labels linked from the element that are not in `skip`.
void collectLabels(Drawing& drawing, const ElementLink& element, const GuidSet& skip,
                   ElementLinkList& labels) {
    ElementLinkList linked(LinkedReserve);
    (void)drawing.getLinkedElements(element, linked);
    for (const ElementLink* link : linked)
        if (skip.count(link->getGuid()) == 0 && isAnnotationLabel(drawing, *link))
            labels.push_back(std::make_unique<ElementLink>(*link));
}
} // namespace

bool PlaceLabel::BeginEdit::handleDatabaseEvent(DatabaseEvent&) {
    return m_tool == nullptr || m_tool->beginRun();
}

bool PlaceLabel::EditLogger::handleDatabaseEvent(DatabaseEvent& event) {
    return m_tool == nullptr || m_tool->logEdit(linkOf(event));
}

bool PlaceLabel::DeleteLogger::handleDatabaseEvent(DatabaseEvent& event) {
    return m_tool == nullptr || m_tool->logDelete(linkOf(event));
}

bool PlaceLabel::EndEdit::handleDatabaseEvent(DatabaseEvent&) {
    return m_tool == nullptr || m_tool->endRun();
}

bool PlaceLabel::isOwnChange() const {
    return m_processing || Host::isTransactionRunning();
}

bool PlaceLabel::beginRun() {
    if (isOwnChange()) return true;
    m_editLog.reset();
    m_deleteLog.reset();
    return true;
}

bool PlaceLabel::logEdit(const ElementLink& link) {
    if (isOwnChange()) return true;
    std::unique_ptr<Transformation> edit = Transformation::fromReportedEdit();
    if (!edit || edit->isIdentity()) return true;
    if (!m_editLog) m_editLog = std::make_unique<EditLog>();
    for (EditGroup& group : *m_editLog)
        if (*group.transformation == *edit) {
            group.links->push_back(std::make_unique<ElementLink>(link));
            return true;
        }
    auto links = std::make_shared<ElementLinkList>();
    links->push_back(std::make_unique<ElementLink>(link));
    m_editLog->push_back({std::move(edit), std::move(links)});
    return true;
}

bool PlaceLabel::logDelete(const ElementLink& link) {
    if (isOwnChange()) return true;
    if (!m_deleteLog) m_deleteLog = std::make_unique<ElementLinkList>();
    m_deleteLog->push_back(std::make_unique<ElementLink>(link));
    return true;
}

bool PlaceLabel::endRun() {
    if (isOwnChange()) return true;
    m_processing = true;
    const bool suspended = Host::getSuspendGroups();
    if (suspended) (void)Host::setSuspendGroups(false);
    processEdits();
    m_editLog.reset();
    processDeletes();
    m_deleteLog.reset();
    if (suspended) (void)Host::setSuspendGroups(true);
    m_processing = false;
    return true;
}

void PlaceLabel::processEdits() {
    if (!m_editLog) return;
    // What the user moved moves once: labels edited with their element, and labels of two edited
    // elements, are not moved again.
    GuidSet done;
    for (const EditGroup& group : *m_editLog)
        for (const ElementLink* link : *group.links)
            done.insert(link->getGuid());
    // A label the user deleted in the same run is not there to move.
    if (m_deleteLog)
        for (const ElementLink* link : *m_deleteLog)
            done.insert(link->getGuid());
    for (const EditGroup& group : *m_editLog)
        for (const ElementLink* link : *group.links) {
            Drawing* drawing = link->getDrawing();
            if (drawing == nullptr) continue;
            // A wall's windows and doors stand in it and go where it goes, with their labels.
            ElementLinkList labelled(LinkedReserve);
            collectOpenings(*drawing, *link, labelled);
            labelled.push_back(std::make_unique<ElementLink>(*link));
            ElementLinkList labels;
            for (const ElementLink* element : labelled)
                collectLabels(*drawing, *element, done, labels);
            for (ElementLink* label : labels)
                if (done.insert(label->getGuid()).second)
                    (void)drawing->editElement(*label, *group.transformation);
        }
}

void PlaceLabel::processDeletes() {
    if (!m_deleteLog) return;
    GuidSet done;
    for (const ElementLink* link : *m_deleteLog)
        done.insert(link->getGuid());
    for (const ElementLink* link : *m_deleteLog) {
        Drawing* drawing = link->getDrawing();
        if (drawing == nullptr) continue;
        ElementLinkList labels;
        collectLabels(*drawing, *link, done, labels);
        for (const ElementLink* label : labels)
            if (done.insert(label->getGuid()).second) (void)drawing->deleteElement(*label);
    }
}

void PlaceLabel::collectOpenings(Drawing& drawing, const ElementLink& element, ElementLinkList& openings) {
    if (element.getTypeCode() != Wall::TypeCode) return;
    std::unique_ptr<Element> read = drawing.get(element);
    const auto* wall = dynamic_cast<const Wall*>(read.get());
    if (wall == nullptr) return;
    (void)wall->getWindowLinks(openings);
    (void)wall->getDoorLinks(openings);
}

} // namespace zavlink
