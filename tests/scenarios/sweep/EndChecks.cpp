#include "EndChecks.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/gsroot/UniString.h"
#include "platform/host/FileSteps.h"
#include "platform/host/LabelParts.h"
#include "platform/host/ObjectSettings.h"
#include "platform/host/StandInHost.h"
#include "platform/host/TextBlocks.h"

namespace roadsweep {

namespace {

// The text between <name> and </name> in `xml` from `from`, as it stands (the roads' texts need no
// unescaping); none when there is no such element.
std::optional<std::string> field(const std::string& xml, const std::string& name, size_t from = 0,
                                 size_t to = std::string::npos) {
    const std::string open = "<" + name + ">";
    const size_t start = xml.find(open, from);
    if (start == std::string::npos || start >= to) return std::nullopt;
    const size_t end = xml.find("</" + name + ">", start);
    if (end == std::string::npos || end > to) return std::nullopt;
    return xml.substr(start + open.size(), end - start - open.size());
}

std::string viewName(const zavhost::ViewDatabase& database) {
    return database.kind == DatabasePlan ? "the floor plan" : "\"" + GS::Utf16ToUtf8(database.name) + "\"";
}

std::vector<std::string> annotations(zavhost::Project& project) {
    std::vector<std::string> found;
    for (const zavhost::ViewDatabase& database : project.model.views.all()) {
        if (database.kind == DatabaseModel) continue; // it shows the floor plan's elements
        const std::string view = viewName(database);
        for (const zavhost::StoredElement* element : project.model.views.elementsOf(database).inOrder()) {
            const uint32_t type = element->head().typeCode;
            if (type != zavhost::TextTypeCode && type != zavhost::LabelTypeCode) continue;
            const std::string what = (type == zavhost::TextTypeCode ? "a text in " : "a label in ") + view;
            const std::string shown = zavhost::textOf(element->memo);
            const std::string data = element->userData ? element->userData->bytes : std::string();
            if (data.find("<annotation>") == std::string::npos) {
                found.push_back(what + " shows \"" + shown + "\" without an annotation");
                continue;
            }
            const std::string title = field(data, "originalDisplayTitle").value_or("");
            if (title.empty() || shown.find(title) == std::string::npos)
                found.push_back(what + " shows \"" + shown + "\" while its annotation's title is \"" + title +
                                "\"");
            if (type == zavhost::LabelTypeCode &&
                project.model.relations.links.elementsNaming(element->guid()).empty())
                found.push_back(what + " is linked to no element");
        }
    }
    return found;
}

// How a placed part is tied to the styles of one kind: the parameters that link it, and which
// parameter carries each field of the style.
struct StyleLink {
    const char* type; // the style's XML element
    const char* name;
    const char* echo;
    const char* key;
    const char* status;
    std::vector<std::pair<const char*, const char*>> fields; // field, parameter
};

const std::vector<StyleLink> styleLinks = {
    {"chairStyle",
     "StyleName",
     "StyleEcho",
     "StyleKey",
     "StyleStatus",
     {{"legs", "Legs"}, {"finish", "Finish"}}},
    {"tableStyle", "TableName", "TableEcho", "TableKey", "TableStatus", {{"height", "Top"}}},
};

// A parameter's single cell ("t" and a text or "n" and a number), empty when it has none.
std::string cell(const zavhost::StoredElement& element, const char* name) {
    std::optional<std::vector<std::string>> cells = zavhost::parameterCells(element, name);
    return cells && cells->size() == 1 ? cells->front() : std::string();
}

// A parameter's single text, empty when it has none.
std::string textOf(const zavhost::StoredElement& element, const char* name) {
    const std::string found = cell(element, name);
    return found.size() > 1 && found[0] == 't' ? found.substr(1) : std::string();
}

// A cell as the user reads it: a number without trailing zeros, a text in quotes.
std::string shown(const std::string& cellText) {
    if (cellText.empty()) return "no value";
    if (cellText[0] == 't') return "\"" + cellText.substr(1) + "\"";
    char text[32];
    std::snprintf(text, sizeof text, "%g", std::stod(cellText.substr(1)));
    return text;
}

bool sameValue(const std::string& cellText, const std::string& stored) {
    if (cellText.empty()) return false;
    if (cellText[0] == 't') return cellText.substr(1) == stored;
    char* end = nullptr;
    const double value = std::strtod(stored.c_str(), &end);
    return end != stored.c_str() && *end == '\0' && std::fabs(std::stod(cellText.substr(1)) - value) <= 1e-6;
}

// One linked part against the stored styles.
void checkLink(const std::string& what, const zavhost::StoredElement& element, const StyleLink& link,
               const std::string& stored, std::vector<std::string>& found) {
    const std::string status = cell(element, link.status), key = textOf(element, link.key);
    if (status.empty() || status[0] != 'n' || std::stod(status.substr(1)) != 0.0 || key.empty()) return;
    const std::string name = textOf(element, link.name);
    const std::string shows = what + " linked to the " + link.type + " \"" + name + "\"";
    const std::string open = "<" + std::string(link.type) + " id=\"" + key + "\">";
    // A style the project lost (its store failed, and the user was told) is no half-written link:
    // the update falls back from it to the default style, or marks the part's link missing.
    const size_t start = stored.find(open);
    if (start == std::string::npos) return;
    const size_t end = stored.find("</" + std::string(link.type) + ">", start);
    if (field(stored, "deleted", start, end).value_or("") == "true")
        found.push_back(shows + ", which is deleted");
    const std::string storedName = field(stored, "name", start, end).value_or("");
    if (storedName != name) found.push_back(shows + " while the style is named \"" + storedName + "\"");
    if (textOf(element, link.echo) != name)
        found.push_back(shows + " echoes \"" + textOf(element, link.echo) + "\"");
    for (const auto& [fieldName, parameter] : link.fields) {
        const size_t fieldStart = stored.find("<" + std::string(fieldName) + ">", start);
        if (fieldStart == std::string::npos || fieldStart > end) continue;
        const std::optional<std::string> value = field(stored, "value", fieldStart, end);
        if (value && !sameValue(cell(element, parameter), *value))
            found.push_back(shows + " has " + parameter + " " + shown(cell(element, parameter)) +
                            " while the style's " + fieldName + " is " + *value);
    }
}

std::vector<std::string> styles(zavhost::Project& project) {
    std::vector<std::string> found;
    const std::string stored = project.model.moduleData.value_or("");
    if (project.model.moduleData)
        if (std::string fault = zavhost::xmlFault(stored); !fault.empty())
            found.push_back("the module data is not whole XML: " + fault);
    for (const zavhost::ViewDatabase& database : project.model.views.all()) {
        if (database.kind == DatabaseModel) continue;
        int part = 0;
        for (const zavhost::StoredElement* element : project.model.views.elementsOf(database).inOrder()) {
            bool linked = false;
            for (const StyleLink& link : styleLinks)
                linked = linked || zavhost::parameterCells(*element, link.key).has_value();
            if (!linked) continue;
            ++part;
            for (const StyleLink& link : styleLinks)
                checkLink("placed part " + std::to_string(part) + " in " + viewName(database), *element, link,
                          stored, found);
        }
    }
    return found;
}

struct Check {
    const char* name;
    std::vector<std::string> (*run)(zavhost::Project& project);
};

const Check checks[] = {{"annotations", annotations}, {"styles", styles}};

} // namespace

bool isEndCheck(const std::string& name) {
    for (const Check& check : checks)
        if (name == check.name) return true;
    return false;
}

std::string endCheckNames() {
    std::string names;
    for (const Check& check : checks)
        names += (names.empty() ? "" : ", ") + std::string(check.name);
    return names;
}

std::vector<std::string> halfWritten(const std::string& check, zavhost::Project& project) {
    for (const Check& known : checks)
        if (check == known.name) return known.run(project);
    return {};
}

} // namespace roadsweep
