// The specification file, our own small format: sections of clauses, whose texts may be
// attributes or child elements alike. Read with the Annotator's own XML reader; elements and
// attributes it does not know are passed over, as the format may grow.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "Clause.h"

namespace zavannotator {

struct Section {
    std::string title;
    std::string code;
    std::deque<Clause> clauses;
};

struct Specification {
    std::string title;
    std::deque<Section> sections;

    // Every clause, its section's title and code filled in where it gives none, its hidden number
    // its number and its display title its number and title where it gives none. To find clauses,
    // a ClauseIndex of them.
    std::vector<Clause> clauses() const;
};

enum class SpecificationRead { ok, missing, malformed };
// Malformed: not well-formed, another root than "specification", or a clause without a number.
SpecificationRead readSpecification(const std::string& path, Specification& spec, std::string* why);
// The file in the format it is read in; false when it cannot be written.
bool writeSpecification(const std::string& path, const Specification& spec);

} // namespace zavannotator
