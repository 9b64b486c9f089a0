// The result file as the stand-in Annotator writes it, written by hand rather than by the
// product's writer, so that the product's reader is tested against text it did not make.
#pragma once

#include <string>
#include <vector>

#include "AnswerFile.h"
#include "Clause.h"

namespace zavannotator {

struct Answer {
    std::string element;   // the command's element name
    std::string commandID; // empty: left out (reads as 0)
    std::string error = "noError";
    std::string member; // the member element(s), already XML, indented; may be empty
    std::string note;   // what the answer holds, in words: "clause \"F10/110\"", ...
};

// The "annotation" element for a clause, members in the product's order.
std::string annotationXml(const Clause& clause, const std::string& indent, bool blankNumber);

// The whole document, with the faults that change its text applied (two results, command id,
// error name, malformed).
std::string resultDocument(const std::vector<Answer>& answers, const Faults& faults);

} // namespace zavannotator
