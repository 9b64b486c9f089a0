// The product's command file, read strictly: a strict Annotator takes exactly the document the
// product writes and refuses any other, so that a fault in the product's writer shows.
#pragma once

#include <deque>
#include <string>

#include "Clause.h"

namespace zavannotator {

// The only sender whose command files are taken, as it names itself in their root.
inline constexpr char KnownParent[] = "ZAVHost";
inline constexpr char KnownVersion[] = "22";

struct Command {
    std::string name;      // the element name: "selectAnnotation", ...
    bool known = false;    // one of the seven commands the product sends
    std::string commandID; // as written; empty when missing or not a number
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
    // Every child of a "zavCommand" root, known or not, also when the read failed part way or
    // the file is refused; none under any other root.
    std::deque<Command> commands;
    // Why a well-formed file is not taken: its first fault, or empty.
    std::string refusal;
};

// False with the reason when the file is missing or not well-formed XML. A well-formed file that
// is not exactly what the product writes reads true with its refusal set.
bool readCommandFile(const std::string& path, CommandFile& file, std::string* why);
// The same over the file's bytes.
bool readCommandText(const std::string& bytes, CommandFile& file, std::string* why);

} // namespace zavannotator
