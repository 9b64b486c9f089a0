#include "annotation/AnnotationList.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "Environment/Host.h"
#include "elements/Element.h"
#include "elements/text/Text.h"
#include "project/Drawing.h"
#include "project/Plan.h"
#include "project/ProgressWindow.h"
#include "project/Project.h"
#include "project/ViewKinds.h"

namespace zavlink {

using tarnwick::Drawing;
using tarnwick::ElementLink;
using tarnwick::String;
using tarnwick::XMLShipping;

namespace {

// Host type codes the collectors read, in the order they read them.
constexpr uint8_t LabelTypeCode = 16;
constexpr uint8_t TextTypeCode = tarnwick::Text::TypeCode;
constexpr uint8_t collectedTypes[] = {LabelTypeCode, TextTypeCode};

} // namespace

// Where each hiddenNumber first stands in the list, so that grouping a large project is not
// quadratic. Empty hiddenNumbers are never indexed: they match nothing.
class AnnotationList::Index {
public:
    explicit Index(const Entries& entries) {
        for (size_t position = 0; position < entries.size(); ++position)
            note(entries[position], position);
    }
    void note(const Annotation& annotation, size_t position) {
        if (!annotation.hiddenNumber.isEmpty()) m_first.try_emplace(annotation.hiddenNumber, position);
    }
    // The position, or npos.
    size_t find(const String& hiddenNumber) const {
        if (hiddenNumber.isEmpty()) return String::npos;
        auto it = m_first.find(hiddenNumber);
        return it == m_first.end() ? String::npos : it->second;
    }

private:
    std::unordered_map<String, size_t> m_first;
};

AnnotationList::AnnotationList() : XMLArray(String(ElementName)) {}

void AnnotationList::reset() {
    m_entries.clear();
    needsUpdate = false;
}

std::unique_ptr<XMLShipping> AnnotationList::makeFieldProxy(size_t index, bool attributesOnly) {
    return tarnwick::ProxySlot::owned(
        [&](tarnwick::ProxySlot& slot) { return placeFieldProxy(index, attributesOnly, slot); });
}

std::unique_ptr<XMLShipping> AnnotationList::makeMember(const String& name) {
    return tarnwick::ProxySlot::owned([&](tarnwick::ProxySlot& slot) { return placeMember(name, slot); });
}

XMLShipping* AnnotationList::placeFieldProxy(size_t index, bool attributesOnly, tarnwick::ProxySlot& slot) {
    if (attributesOnly || index >= m_entries.size()) return nullptr;
    return slot.make<tarnwick::XMLAssemblyProxy>(m_entries[index]);
}

XMLShipping* AnnotationList::placeMember(const String& name, tarnwick::ProxySlot& slot) {
    if (!(name == Annotation::ElementName)) return nullptr;
    m_entries.emplace_back();
    return slot.make<tarnwick::XMLAssemblyProxy>(m_entries.back());
}

size_t AnnotationList::collectSelection(Drawing& drawing) {
    return collectFromDrawing(drawing, true, nullptr);
}

size_t AnnotationList::collectFromDrawing(Drawing& drawing, bool selectedOnly,
                                          tarnwick::ProgressMonitor* monitor) {
    Index index(m_entries);
    return collectFromDrawing(drawing, selectedOnly, monitor, index);
}

size_t AnnotationList::collectFromDrawing(Drawing& drawing, bool selectedOnly,
                                          tarnwick::ProgressMonitor* monitor, Index& index) {
    const size_t before = m_entries.size();
    for (uint8_t type : collectedTypes) {
        Drawing::Filter filter(ElementLink::makeTypeId(type), selectedOnly, false, true);
        Drawing::iterator it = drawing.begin(filter, monitor);
        // Collecting only reads: an element left must not be saved back.
        it.setWriteBack(false);
        for (; !it.atEnd(); ++it)
            addFromElement(*it, index);
    }
    return m_entries.size() - before;
}

std::vector<Drawing*> AnnotationList::projectDrawings() {
    std::vector<Drawing*> drawings;
    if (!tarnwick::Host::hasProject()) return drawings;
    tarnwick::Project* project = tarnwick::Host::getProject();
    if (project == nullptr) return drawings;
    if (Drawing* plan = project->getPlan()) drawings.push_back(plan);
    auto addKind = [&drawings](size_t count, auto get) {
        for (size_t index = count; index-- > 0;)
            if (Drawing* drawing = get(static_cast<int32_t>(index))) drawings.push_back(drawing);
    };
    addKind(project->getDetailCount(), [project](int32_t i) -> Drawing* { return project->getDetail(i); });
    addKind(project->getElevationCount(),
            [project](int32_t i) -> Drawing* { return project->getElevation(i); });
    addKind(project->getInteriorElevationCount(),
            [project](int32_t i) -> Drawing* { return project->getInteriorElevation(i); });
    addKind(project->getLayoutCount(), [project](int32_t i) -> Drawing* { return project->getLayout(i); });
    addKind(project->getSectionCount(), [project](int32_t i) -> Drawing* { return project->getSection(i); });
    addKind(project->getWorksheetCount(),
            [project](int32_t i) -> Drawing* { return project->getWorksheet(i); });
    addKind(project->getDocument3DCount(),
            [project](int32_t i) -> Drawing* { return project->getDocument3D(i); });
    return drawings;
}

size_t AnnotationList::collectProject(tarnwick::ProgressMonitor* monitor) {
    if (!tarnwick::Host::hasProject()) return 0;
    Index index(m_entries);
    size_t added = 0;
    if (monitor == nullptr) {
        for (Drawing* drawing : projectDrawings())
            added += collectFromDrawing(*drawing, false, nullptr, index);
        return added;
    }
    std::vector<Drawing*> noted;
    const int64_t total = countProject(*monitor, noted);
    monitor->setPhase(tarnwick::Host::getResourceString(CollectPhaseTexts, GatheringPhaseItem),
                      static_cast<int32_t>(std::min<int64_t>(total, INT32_MAX)));
    for (Drawing* drawing : noted)
        added += collectFromDrawing(*drawing, false, monitor, index);
    return added;
}

int64_t AnnotationList::countProject(tarnwick::ProgressMonitor& monitor, std::vector<Drawing*>& noted) {
    const std::vector<Drawing*> drawings = projectDrawings();
    // The floor plan is one of the steps: it is visited like every other drawing.
    monitor.setPhase(tarnwick::Host::getResourceString(CollectPhaseTexts, FindingPhaseItem),
                     static_cast<int32_t>(drawings.size()));
    int64_t total = 0;
    for (Drawing* drawing : drawings) {
        const int64_t count = countInDrawing(*drawing);
        monitor.step();
        if (count >= 1) noted.push_back(drawing);
        total += count;
    }
    return total;
}

int64_t AnnotationList::countInDrawing(Drawing& drawing) {
    int64_t count = 0;
    for (uint8_t type : collectedTypes)
        count += drawing.countElements(Drawing::Filter(ElementLink::makeTypeId(type), false, false, false));
    return count;
}

bool AnnotationList::addFromElement(tarnwick::Element& element) {
    Index index(m_entries);
    return addFromElement(element, index);
}

bool AnnotationList::addFromElement(tarnwick::Element& element, Index& index) {
    Annotation read;
    if (!read.readFromElement(element)) return false;
    const AnnotationLink link(element.getLink(), read.isAccepted ? StatusIgnored : StatusDeleted);
    const tarnwick::Storey* storey = element.getStorey();
    const size_t found = index.find(read.hiddenNumber);
    if (found != String::npos) {
        Annotation& entry = m_entries[found];
        entry.addLink(link, storey);
        // The first element's text stands for the clause until one shows an edited text.
        if (!(entry.modelDisplayTitle == read.modelDisplayTitle) &&
            entry.originalDisplayTitle == entry.modelDisplayTitle)
            entry.modelDisplayTitle = read.modelDisplayTitle;
        return true;
    }
    read.addLink(link, storey);
    m_entries.push_back(std::move(read));
    index.note(m_entries.back(), m_entries.size() - 1);
    return true;
}

size_t AnnotationList::filterByText(const String& text) {
    std::erase_if(m_entries, [&text](const Annotation& annotation) {
        return annotation.originalDisplayTitle.find(text) == String::npos &&
               annotation.modelDisplayTitle.find(text) == String::npos;
    });
    return m_entries.size();
}

size_t AnnotationList::keepIgnored() {
    for (Annotation& annotation : m_entries)
        annotation.keepIgnoredLinks();
    std::erase_if(m_entries, [](const Annotation& annotation) { return annotation.links.empty(); });
    return m_entries.size();
}

size_t AnnotationList::dropUntitled() {
    std::erase_if(m_entries, [](const Annotation& annotation) { return !annotation.hasTitle(); });
    return m_entries.size();
}

bool AnnotationList::mergeReturned(const AnnotationList& returned) {
    const Index index(m_entries);
    for (const Annotation& clause : returned.m_entries) {
        const size_t found = index.find(clause.hiddenNumber);
        if (found != String::npos) m_entries[found].compareWith(clause);
    }
    needsUpdate = std::any_of(m_entries.begin(), m_entries.end(),
                              [](const Annotation& annotation) { return annotation.needsUpdate(); });
    return !needsUpdate;
}

AnnotationList::iterator AnnotationList::findByHiddenNumber(const String& hiddenNumber) {
    if (hiddenNumber.isEmpty()) return m_entries.end();
    return std::find_if(m_entries.begin(), m_entries.end(), [&hiddenNumber](const Annotation& annotation) {
        return annotation.hiddenNumber == hiddenNumber;
    });
}

AnnotationList::const_iterator AnnotationList::findByHiddenNumber(const String& hiddenNumber) const {
    if (hiddenNumber.isEmpty()) return m_entries.end();
    return std::find_if(m_entries.begin(), m_entries.end(), [&hiddenNumber](const Annotation& annotation) {
        return annotation.hiddenNumber == hiddenNumber;
    });
}

} // namespace zavlink
