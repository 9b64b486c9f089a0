#include "ElementSummary.h"

#include <cctype>
#include <cstdio>

#include "CallLog.h"
#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "Project.h"
#include "ScenarioLine.h"
#include "TextBlocks.h"

namespace zavhost {

namespace {

constexpr size_t LongestName = 48;
constexpr size_t MostPoints = 4;

std::string point(const HostCoord3D& p) {
    return numberText(p.x) + " " + numberText(p.y);
}

// The first line of a text, cut to `most` bytes without splitting a character.
std::string firstLine(const std::string& text, size_t most) {
    std::string line = text.substr(0, text.find_first_of("\r\n"));
    if (line.size() <= most) return line;
    size_t cut = most;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    return line.substr(0, cut) + "...";
}

} // namespace

std::string elementName(const StoredElement& element) {
    std::string name = elementTypeName(element.head().typeCode);
    if (!element.infoText.empty()) return name + " " + element.infoText;
    const std::string text = textOf(element.memo);
    if (!text.empty()) name += " " + inQuotes(firstLine(text, LongestName));
    return name;
}

std::string placeOf(const StoredElement& element) {
    const std::vector<HostCoord3D> nodes = nodePointsOf(element);
    if (nodes.empty()) return {};
    if (nodes.size() == 2) return "from " + point(nodes[0]) + " to " + point(nodes[1]);
    std::string place = "at ";
    for (size_t i = 0; i < nodes.size() && i < MostPoints; ++i)
        place += (i == 0 ? "" : ", ") + point(nodes[i]);
    if (nodes.size() > MostPoints) place += ", ... (" + std::to_string(nodes.size()) + " points)";
    return place;
}

std::string shortUserData(const std::string& bytes, size_t most) {
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\n' || c == '\r' || c == '\t' || c == ' ') {
            // Blanks between tags say nothing; inside a text they are one space.
            size_t next = bytes.find_first_not_of(" \t\r\n", i);
            const bool betweenTags =
                (text.empty() || text.back() == '>') && (next == std::string::npos || bytes[next] == '<');
            if (!betweenTags && !text.empty() && text.back() != ' ') text += ' ';
            i = next == std::string::npos ? bytes.size() : next - 1;
            continue;
        }
        text += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    if (text.size() <= most) return inQuotes(text);
    return inQuotes(firstLine(text, most)) + " (" + std::to_string(bytes.size()) + " bytes)";
}

std::string elementHoldings(const StoredElement& element) {
    std::string text =
        elementTypeName(element.head().typeCode) + " on storey " + std::to_string(element.head().storey);
    if (const std::string place = placeOf(element); !place.empty()) text += ", " + place;
    if (!element.infoText.empty()) text += ", ID " + inQuotes(element.infoText);
    if (const std::string shown = textOf(element.memo); !shown.empty())
        text += ", text " + inQuotes(firstLine(shown, 2 * LongestName));
    text +=
        ", user data " + (element.userData ? shortUserData(element.userData->bytes) : std::string("none"));
    return text;
}

ElementSnapshot::ElementSnapshot(const ProjectModel& model)
    : m_model(std::make_shared<const ProjectModel>(model)) {}

std::vector<std::string> ElementSnapshot::changesTo(const ProjectModel& model) const {
    static const ElementStore none;
    const ViewDatabases& before = m_model->views;
    const ViewDatabases& after = model.views;
    // The same database in the other version, or none.
    auto storeIn = [](const ViewDatabases& views, const ViewDatabases& other,
                      const ViewDatabase& database) -> const ElementStore& {
        const ViewDatabase* same = views.find(other.keyOf(database));
        return same != nullptr && same->kind == database.kind ? same->elements : none;
    };
    std::vector<std::string> lines;
    for (const ViewDatabase& database : after.all()) {
        if (database.kind == DatabaseModel) continue; // it shows the floor plan's
        ElementStore::differences(
            storeIn(before, after, database), database.elements,
            [&](const StoredElement* a, const StoredElement* b) {
                if (b == nullptr) return;
                const StoredElement* was =
                    a != nullptr && a->guid() == b->guid() ? a : before.findElement(b->guid());
                if (was == nullptr) {
                    const std::string place = placeOf(*b);
                    lines.push_back("makes " + elementName(*b) + (place.empty() ? "" : " " + place));
                    return;
                }
                const std::string name = elementName(*was), wasAt = placeOf(*was), isAt = placeOf(*b);
                if (wasAt != isAt) {
                    const bool points = wasAt.rfind("at ", 0) == 0 && isAt.rfind("at ", 0) == 0;
                    lines.push_back("moves " + name + " " +
                                    (points ? "from " + wasAt.substr(3) + " to " + isAt.substr(3)
                                            : "(it was " + wasAt + ", now " + isAt + ")"));
                }
                const std::string text = textOf(b->memo);
                if (textOf(was->memo) != text)
                    lines.push_back("changes the text of " + name + " to " +
                                    inQuotes(firstLine(text, 2 * LongestName)));
                const std::string userData = b->userData ? b->userData->bytes : std::string();
                if ((was->userData ? was->userData->bytes : std::string()) != userData)
                    lines.push_back("changes the user data of " + elementName(*b) + " to " +
                                    shortUserData(userData));
                if (was->infoText != b->infoText)
                    lines.push_back("changes the ID of " + name + " to " + inQuotes(b->infoText));
            });
    }
    for (const ViewDatabase& database : before.all()) {
        if (database.kind == DatabaseModel) continue;
        ElementStore::differences(database.elements, storeIn(after, before, database),
                                  [&](const StoredElement* a, const StoredElement*) {
                                      if (a == nullptr || after.findElement(a->guid()) != nullptr) return;
                                      const std::string place = placeOf(*a);
                                      lines.push_back("deletes " + elementName(*a) +
                                                      (place.empty() ? "" : " " + place));
                                  });
    }
    return lines;
}

} // namespace zavhost
