#include "Specification.h"

#include <fstream>

#include "Xml.h"

namespace zavannotator {

namespace {

// A text given as an attribute or as a child element; a child comes after the attributes, so it
// wins when both give one.
template <class Take> void eachText(const XmlElement& element, Take take) {
    for (const auto& [name, value] : element.attributes)
        take(name, trimmed(value));
    for (const XmlElement& child : element.children)
        take(child.name, trimmed(child.text));
}

bool readClause(const XmlElement& element, Clause& clause) {
    eachText(element, [&](const std::string& name, const std::string& text) {
        if (std::string Clause::*field = clauseField(name)) clause.*field = text;
    });
    // A clause must be findable.
    return !clause.number.empty();
}

void readSection(const XmlElement& element, Section& section) {
    eachText(element, [&](const std::string& name, const std::string& text) {
        if (name == "title") section.title = text;
        if (name == "code") section.code = text;
    });
}

} // namespace

std::vector<Clause> Specification::clauses() const {
    std::vector<Clause> all;
    size_t count = 0;
    for (const Section& section : sections)
        count += section.clauses.size();
    all.reserve(count);
    for (const Section& section : sections)
        for (Clause clause : section.clauses) {
            if (clause.section.empty()) clause.section = section.title;
            if (clause.code.empty()) clause.code = section.code;
            if (clause.hiddenNumber.empty()) clause.hiddenNumber = clause.number;
            if (clause.originalDisplayTitle.empty())
                clause.originalDisplayTitle =
                    clause.zavTitle.empty() ? clause.number : clause.number + " " + clause.zavTitle;
            all.push_back(std::move(clause));
        }
    return all;
}

SpecificationRead readSpecification(const std::string& path, Specification& spec, std::string* why) {
    spec = Specification();
    std::string bytes;
    if (path.empty() || !readWholeFile(path, bytes)) {
        if (why) *why = "no specification file \"" + path + "\"";
        return SpecificationRead::missing;
    }
    XmlDocument document;
    if (!parseXml(bytes, document, why)) return SpecificationRead::malformed;
    const XmlElement& root = document.root;
    if (root.name != "specification") {
        if (why) *why = "the document is a <" + root.name + ">, not a <specification>";
        return SpecificationRead::malformed;
    }
    eachText(root, [&](const std::string& name, const std::string& text) {
        if (name == "title") spec.title = text;
    });
    for (const XmlElement& sectionElement : root.children) {
        if (sectionElement.name != "section") continue;
        Section& section = spec.sections.emplace_back();
        readSection(sectionElement, section);
        for (const XmlElement& clauseElement : sectionElement.children) {
            if (clauseElement.name != "clause") continue;
            if (!readClause(clauseElement, section.clauses.emplace_back())) {
                if (why) *why = "a clause of the section \"" + section.title + "\" has no number";
                return SpecificationRead::malformed;
            }
        }
    }
    return SpecificationRead::ok;
}

bool writeSpecification(const std::string& path, const Specification& spec) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<specification";
    if (!spec.title.empty()) text += " title=\"" + xmlEscaped(spec.title) + "\"";
    text += ">\n";
    for (const Section& section : spec.sections) {
        text += " <section title=\"" + xmlEscaped(section.title) + "\"";
        if (!section.code.empty()) text += " code=\"" + xmlEscaped(section.code) + "\"";
        text += ">\n";
        for (const Clause& clause : section.clauses) {
            text += "  <clause";
            for (const ClauseField& field : ClauseFields)
                if (!(clause.*field.field).empty())
                    text += std::string(" ") + field.name + "=\"" + xmlEscaped(clause.*field.field) + "\"";
            text += "/>\n";
        }
        text += " </section>\n";
    }
    text += "</specification>\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return out.good();
}

} // namespace zavannotator
