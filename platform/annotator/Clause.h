// One clause as the exchange carries it in an "annotation" element, and as the specification file
// gives it.
#pragma once

#include <string>

namespace zavannotator {

struct Clause {
    std::string section;
    std::string code;
    std::string number;
    std::string revision;
    std::string zavTitle;
    std::string hiddenNumber;
    std::string originalDisplayTitle;
    std::string modelDisplayTitle;
    std::string hasBeenReassigned;
    std::string isAccepted;
};

struct ClauseField {
    const char* name;
    std::string Clause::*field;
};

// Every text of a clause by its element name, in the order the product writes them.
inline constexpr ClauseField ClauseFields[] = {
    {"section", &Clause::section},
    {"code", &Clause::code},
    {"number", &Clause::number},
    {"revision", &Clause::revision},
    {"zavTitle", &Clause::zavTitle},
    {"hiddenNumber", &Clause::hiddenNumber},
    {"originalDisplayTitle", &Clause::originalDisplayTitle},
    {"modelDisplayTitle", &Clause::modelDisplayTitle},
    {"hasBeenReassigned", &Clause::hasBeenReassigned},
    {"isAccepted", &Clause::isAccepted},
};

// A clause's text by its element name; null for any other name.
inline std::string Clause::*clauseField(const std::string& name) {
    for (const ClauseField& field : ClauseFields)
        if (name == field.name) return field.field;
    return nullptr;
}

} // namespace zavannotator
