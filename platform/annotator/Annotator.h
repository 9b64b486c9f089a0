// One run of the stand-in Annotator: read the command file, note what was asked, answer from the
// specification and the answer file, write the result file and only then the flag file.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace zavannotator {

inline constexpr char ResultFileName[] = "ZAVResult.xml";
inline constexpr char FlagFileName[] = "ZAVFlag.txt";
inline constexpr char AnswerFileName[] = "ZAVAnswers.txt";
inline constexpr char AskedFileName[] = "ZAVAsked.txt";
// Beside the asked file: a line for each command the run is done with, saying in words what it
// answered (the status written, and the faults), for a host's transcript.
inline constexpr char AnsweredFileName[] = "ZAVAnswered.txt";
// The folder of the answer and asked files when no option names them; else the command file's.
inline constexpr char FolderVariable[] = "ZAVANNOTATOR_DIR";

inline constexpr int ExitAnswered = 0;
inline constexpr int ExitFailed = 1; // a file could not be written, or the answer file is wrong
inline constexpr int ExitUsage = 2;
inline constexpr int ExitCrashed = 3; // the "crash" fault

struct RunOptions {
    std::string commandFile;
    std::string answerFile; // empty: the default
    std::string askedFile;  // empty: the default
};

// Writes a whole file; answers false when it could not. Tests put their own in to watch the order.
using FileWriter = std::function<bool(const std::string& path, const std::string& bytes)>;
bool writeWholeFile(const std::string& path, const std::string& bytes);

// Answers an exit code; problems are told on diagnostics.
int runAnnotator(const RunOptions& options, const FileWriter& write, std::ostream& diagnostics);

// Changes one text of a clause (found by number, else hidden number) in a specification file, or
// with field empty deletes the clause. Answers an exit code.
int editSpecification(const std::string& path, const std::string& number, const std::string& field,
                      const std::string& text, std::ostream& diagnostics);

} // namespace zavannotator
