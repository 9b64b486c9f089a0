// The answer file: what the scripted user does in the stand-in Annotator, written by a scenario
// (or a test) before the exchange, read by every run. One setting a line; '#' starts a comment;
// texts may be quoted ("a \"quoted\" text", \\ for a backslash).
//
//   specification "PATH"     the file that selectSpecification answers with (the last such line)
//   clause "NUMBER"          queued: the next selectAnnotation picks this clause (by number, else by
//                            hidden number); each selection takes the first and removes it;
//                            with none queued the user cancels
//   cancel                   the user cancels the next exchange that waits (userCancelled)
//   fault MODE [VALUE]       the next exchange that waits goes wrong this way (see Faults)
//
// "cancel" and "fault" lines are used by the next run that answers, and removed then.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zavannotator {

// How the next answer goes wrong; several may apply at once.
struct Faults {
    std::optional<int> slowMs;            // "slow MS": waits before writing anything
    bool noFlag = false;                  // "no-flag": writes the result, never the flag
    bool noResult = false;                // "no-result": the flag without a result file
    bool malformed = false;               // "malformed": a result file that is not well-formed
    bool twoResults = false;              // "two-results": each result element twice
    std::optional<std::string> commandID; // "command-id N"
    std::optional<std::string> error;     // "error NAME": any text, known to the product or not
    bool blankNumber = false;             // "blank-number": annotations' numbers left blank
    bool crash = false;                   // "crash": exits with 3 before writing anything
    bool cancel = false;                  // the "cancel" line
};

class AnswerFile {
public:
    // A missing file reads as empty. A line that says nothing known fails, with line and reason.
    bool load(const std::string& path, std::string* why);
    // The parsed text of one line, for checking before it is written; false with the reason.
    static bool checkLine(const std::string& line, std::string* why);
    // A text quoted as this file reads it.
    static std::string quoted(const std::string& text);

    const std::string& specification() const { return m_specification; }
    // The first queued clause, removed from the queue.
    std::optional<std::string> takeClause();
    // The faults and the cancel for this run, removed.
    Faults takeFaults();
    // Writes back what is left, when something was taken; false when that fails.
    bool save() const;

private:
    struct Line {
        std::string text;
        std::string word; // "", "specification", "clause", "cancel", "fault"
        std::vector<std::string> args;
        bool taken = false;
    };
    static bool parseLine(const std::string& text, Line& line, std::string* why);

    std::string m_path;
    std::vector<Line> m_lines;
    std::string m_specification;
    bool m_changed = false;
};

} // namespace zavannotator
