#include "ResultDocument.h"

#include "Xml.h"

namespace zavannotator {

namespace {

std::string element(const std::string& indent, const char* name, const std::string& text) {
    return indent + "<" + name + ">" + xmlEscaped(text) + "</" + name + ">\n";
}

} // namespace

std::string annotationXml(const Clause& clause, const std::string& indent, bool blankNumber) {
    std::string in = indent + " ";
    std::string xml = indent + "<annotation>\n";
    xml += element(in, "section", clause.section);
    xml += element(in, "code", clause.code);
    xml += element(in, "number", blankNumber ? std::string(" ") : clause.number);
    xml += element(in, "revision", clause.revision);
    xml += element(in, "zavTitle", clause.zavTitle);
    xml += element(in, "hiddenNumber", clause.hiddenNumber);
    xml += element(in, "originalDisplayTitle", clause.originalDisplayTitle);
    xml += element(in, "modelDisplayTitle", clause.originalDisplayTitle);
    xml += element(in, "hasBeenReassigned", "false");
    return xml + indent + "</annotation>\n";
}

std::string resultDocument(const std::vector<Answer>& answers, const Faults& faults) {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n"
                      "<zavResult parent=\"ZAV Annotator\" version=\"1\">\n";
    for (const Answer& answer : answers) {
        std::string id = faults.commandID.value_or(answer.commandID);
        std::string one = " <" + answer.element;
        if (!id.empty()) one += " commandID=\"" + xmlEscaped(id) + "\"";
        one += " error=\"" + xmlEscaped(faults.error.value_or(answer.error)) + "\"";
        one += answer.member.empty() ? "/>\n" : ">\n" + answer.member + " </" + answer.element + ">\n";
        xml += faults.twoResults ? one + one : one;
    }
    // Without its end tag the document is not well-formed.
    if (!faults.malformed) xml += "</zavResult>\n";
    return xml;
}

} // namespace zavannotator
