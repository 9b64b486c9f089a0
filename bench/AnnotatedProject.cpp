#include "AnnotatedProject.h"

#include <cstddef>
#include <cstdio>
#include <memory>
#include <stdexcept>

#include "Environment/MemoryBlock.h"
#include "elements/Element.h"
#include "platform/gsroot/UniString.h"
#include "platform/host/StandInHost.h"
#include "platform/host/TextBlocks.h"

namespace benchproject {

using zavlink::Annotation;

namespace {

constexpr uint32_t LabelType = 16;
constexpr size_t OpenWindows = 5; // the floor plan's among them

// The kinds the collectors walk after the floor plan.
constexpr uint32_t viewKinds[] = {DatabaseDetail,    DatabaseElevation, DatabaseInteriorElevation,
                                  DatabaseLayout,    DatabaseSection,   DatabaseWorksheet,
                                  Database3DDocument};

std::string format(const char* pattern, size_t a, size_t b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, a, b);
    return text;
}

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

zavhost::StoredElement element(zavhost::Project& project, uint32_t type, const std::string& text,
                               const std::string& xml, int16_t storey) {
    zavhost::StoredElement made;
    HostElementHead& head = made.record.head;
    head.typeCode = type;
    const API_Element defaults = project.model.defaults.get(type, 0).record;
    head.layer = defaults.head.layer;
    head.storey = storey;
    head.guid = zavhost::newGuid();
    if (type == zavhost::TextTypeCode) {
        HostTextElement settings = zavhost::textPartOf(defaults);
        settings.head = head;
        zavhost::setTextPart(made.record, settings);
        made.memo = zavhost::makeTextMemo(text, made.record);
    } else {
        zavhost::StoredBlock content;
        content.bytes = text + '\0';
        made.memo.blocks[offsetof(API_ElementMemo, textContent)] = std::move(content);
    }
    zavhost::StoredUserData data;
    data.version = 1;
    data.platformSign = tarnwick::Element::PlatformSign;
    data.flags = zavlink::AnnotationUserDataFlags;
    data.bytes = xml;
    made.userData = std::move(data);
    return made;
}

} // namespace

std::vector<Annotation> makeClauses(size_t count) {
    std::vector<Annotation> clauses(count);
    for (size_t i = 0; i < count; ++i) {
        Annotation& clause = clauses[i];
        const size_t section = 10 + i / 10;
        const size_t item = 100 + (i % 10) * 10;
        clause.section = format("F%zu Walling and cladding, part %zu", section, section);
        clause.code = format("F%zu", section);
        clause.number = format("F%zu/%zu", section, item);
        clause.hiddenNumber = format("F%zu-0%zu", section, item);
        clause.revision = "A";
        clause.zavTitle = format("Facing brickwork, bond %zu, course %zu", i, item);
        clause.originalDisplayTitle = clause.number + " " + clause.zavTitle;
        clause.modelDisplayTitle = clause.originalDisplayTitle;
    }
    return clauses;
}

Placed placeAnnotations(zavhost::StandInHost& host, const std::vector<Annotation>& clauses, size_t count,
                        size_t views) {
    zavhost::Project* project = host.project();
    if (project == nullptr || clauses.empty() || views == 0) throw std::logic_error("nothing to place in");
    Placed placed;
    std::vector<std::string> xmlOfClause;
    for (const Annotation& clause : clauses) {
        std::unique_ptr<tarnwick::MemoryBlock> block = Annotation(clause).writeToBlock(false);
        if (!block) throw std::runtime_error("a clause did not write");
        xmlOfClause.emplace_back(block->getData(), static_cast<size_t>(block->getSize()));
    }
    zavhost::ViewDatabases& databases = project->model.views;
    // Views go first: adding one may move those made before.
    std::vector<API_Guid> made;
    for (size_t v = 1; v < views; ++v)
        made.push_back(
            databases.add(viewKinds[v % std::size(viewKinds)], GS::Utf8ToUtf16(format("View %zu", v)))->guid);
    std::vector<zavhost::ViewDatabase*> into{&databases.plan()};
    placed.viewKinds.push_back(DatabasePlan);
    for (const API_Guid& guid : made) {
        into.push_back(databases.findByGuid(guid));
        placed.viewKinds.push_back(into.back()->kind);
        // As in a real project, most views have no window open.
        if (into.size() > OpenWindows) into.back()->window.width = into.back()->window.height = 0;
    }
    placed.xml.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const Annotation& clause = clauses[i % clauses.size()];
        const std::string& xml = xmlOfClause[i % clauses.size()];
        const bool label = i % 2 == 1;
        zavhost::ViewDatabase& database = *into[i % into.size()];
        const int16_t storey = database.isPlanOrModel() ? static_cast<int16_t>(i / into.size() % 2) : 0;
        if (!databases.elementsOf(database).add(element(*project, label ? LabelType : zavhost::TextTypeCode,
                                                        clause.originalDisplayTitle.bytes(), xml, storey)))
            throw std::runtime_error("the host took no element");
        ++(label ? placed.labels : placed.texts);
        placed.xmlBytes += static_cast<int64_t>(xml.size());
        placed.xml.push_back(xml);
    }
    return placed;
}

std::string specificationOf(const std::vector<Annotation>& clauses, size_t changedEvery) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<specification title=\"Generated\">\n";
    std::string openSection;
    for (size_t i = 0; i < clauses.size(); ++i) {
        const Annotation& clause = clauses[i];
        if (clause.code.bytes() != openSection) {
            if (!openSection.empty()) text += " </section>\n";
            openSection = clause.code.bytes();
            text += " <section title=\"" + xmlEscaped(clause.section.bytes()) + "\" code=\"" +
                    xmlEscaped(openSection) + "\">\n";
        }
        const bool changed = changedEvery != 0 && i % changedEvery == 0;
        text += "  <clause number=\"" + xmlEscaped(clause.number.bytes()) + "\" hiddenNumber=\"" +
                xmlEscaped(clause.hiddenNumber.bytes()) + "\" revision=\"" + (changed ? "B" : "A") +
                "\" zavTitle=\"" + xmlEscaped(clause.zavTitle.bytes()) + "\" originalDisplayTitle=\"" +
                xmlEscaped(clause.originalDisplayTitle.bytes()) + "\"/>\n";
    }
    if (!openSection.empty()) text += " </section>\n";
    return text + "</specification>\n";
}

} // namespace benchproject
