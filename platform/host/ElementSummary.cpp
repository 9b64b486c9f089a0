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

ElementSnapshot::Seen ElementSnapshot::seen(const StoredElement& element) {
    Seen seen;
    seen.name = elementName(element);
    seen.place = placeOf(element);
    seen.text = textOf(element.memo);
    seen.userData = element.userData ? element.userData->bytes : std::string();
    seen.id = element.infoText;
    return seen;
}

ElementSnapshot::ElementSnapshot(const ProjectModel& model) {
    for (const ViewDatabase& database : model.views.all()) {
        if (database.kind == DatabaseModel) continue; // it shows the floor plan's
        for (const StoredElement* element : database.elements.inOrder())
            if (m_elements.emplace(element->guid(), seen(*element)).second)
                m_order.push_back(element->guid());
    }
}

std::vector<std::string> ElementSnapshot::changesTo(const ProjectModel& model) const {
    std::vector<std::string> lines;
    std::unordered_map<API_Guid, bool, GuidHash> present;
    for (const ViewDatabase& database : model.views.all()) {
        if (database.kind == DatabaseModel) continue;
        for (const StoredElement* element : database.elements.inOrder()) {
            present[element->guid()] = true;
            const Seen now = seen(*element);
            auto was = m_elements.find(element->guid());
            if (was == m_elements.end()) {
                lines.push_back("makes " + now.name + (now.place.empty() ? "" : " " + now.place));
                continue;
            }
            const Seen& before = was->second;
            if (before.place != now.place) {
                const bool points = before.place.rfind("at ", 0) == 0 && now.place.rfind("at ", 0) == 0;
                lines.push_back("moves " + before.name + " " +
                                (points ? "from " + before.place.substr(3) + " to " + now.place.substr(3)
                                        : "(it was " + before.place + ", now " + now.place + ")"));
            }
            if (before.text != now.text)
                lines.push_back("changes the text of " + before.name + " to " +
                                inQuotes(firstLine(now.text, 2 * LongestName)));
            if (before.userData != now.userData)
                lines.push_back("changes the user data of " + now.name + " to " +
                                shortUserData(now.userData));
            if (before.id != now.id)
                lines.push_back("changes the ID of " + before.name + " to " + inQuotes(now.id));
        }
    }
    for (const API_Guid& guid : m_order)
        if (present.count(guid) == 0) {
            const Seen& gone = m_elements.at(guid);
            lines.push_back("deletes " + gone.name + (gone.place.empty() ? "" : " " + gone.place));
        }
    return lines;
}

} // namespace zavhost
