// What the stand-in Annotator reads: the product's command file and our own specification file,
// each parsed by the framework's XMLReader into small structures of its own, so that a fault in
// the product's exchange classes cannot hide behind the same fault here.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zavannotator {

// One clause as the exchange carries it in an "annotation" element. Texts are trimmed of blanks,
// tabs and line breaks when read.
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

struct Command {
    std::string name; // the element name: "selectAnnotation", ...
    std::string commandID;
    std::string zavPath;
    std::string modelPath;
    bool hasAnnotation = false;
    Clause annotation;
    bool hasAnnotations = false;
    std::deque<Clause> annotations;

    // The product waits for an answer to these; the display commands it does not.
    bool expectsAnswer() const;
};

struct CommandFile {
    std::string parent;
    std::string version;
    std::deque<Command> commands; // what was read, also when the read failed part way
};

// False with the reason when the file is missing or not a well-formed "zavCommand" document.
bool readCommandFile(const std::string& path, CommandFile& file, std::string* why);

// The specification file: sections of clauses (see the program's --help for the format).
struct Section {
    std::string title;
    std::string code;
    std::deque<Clause> clauses;
};

struct Specification {
    std::string title;
    std::deque<Section> sections;

    // Every clause, its section's title and code filled in where it gives none.
    std::vector<Clause> clauses() const;
    // By number, else by hidden number; none when neither matches. An empty key matches nothing.
    std::optional<Clause> findByNumber(const std::string& key) const;
    std::optional<Clause> findByHiddenNumber(const std::string& hiddenNumber) const;
};

enum class SpecificationRead { ok, missing, malformed };
SpecificationRead readSpecification(const std::string& path, Specification& spec, std::string* why);
// The file in the format it is read in; false when it cannot be written.
bool writeSpecification(const std::string& path, const Specification& spec);

// A clause's text by its element name; null for any other name.
std::string Clause::*clauseField(const std::string& name);

// Text escaped for an XML element or attribute value.
std::string xmlEscaped(const std::string& text);

} // namespace zavannotator
