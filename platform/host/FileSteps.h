// Files on disk as the user's other programs see them: a scenario writes one (an old report, a
// document left from earlier) and checks what the module wrote. See docs/scenarios.md.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "Scenario.h"
#include "ScenarioLine.h"

namespace zavhost {

class Transcript;

// The rest of a line after "file", and after "expect file" or "expect no-file" (present false).
// Malformed lines throw.
void parseFileStep(LineReader& in, Step& step);
void parseFileExpectation(LineReader& in, Step& step, bool present);

using PathResolver = std::function<std::string(const std::string&)>;

// `file write PATH "TEXT"`: the file holds exactly the text afterwards (its folders are made);
// `file link PATH TARGET`: PATH is a symbolic link to TARGET, which need not be there.
bool writeFileStep(const Step& step, const PathResolver& resolve, std::string* why);
bool checkFileStep(const Step& step, const PathResolver& resolve, std::string* why);

// The user at the open and save file dialogs: `file dialog answer PATH [type N]` and
// `file dialog cancel` are queued, like alert answers, and answer the dialogs in turn; a dialog
// with none queued is cancelled. While it lives it answers every file dialog.
class FileDialogDesk {
public:
    struct Answer {
        bool cancel = false;
        std::string path;   // resolved
        int typeIndex = -1; // from 0; -1 the first type
        int line = 0;
    };

    explicit FileDialogDesk(Transcript& transcript);
    ~FileDialogDesk();
    FileDialogDesk(const FileDialogDesk&) = delete;
    FileDialogDesk& operator=(const FileDialogDesk&) = delete;

    void queue(Answer answer) { m_queued.push_back(std::move(answer)); }
    const std::deque<Answer>& queued() const { return m_queued; }
    void clear() { m_queued.clear(); }

private:
    Transcript& m_transcript;
    std::deque<Answer> m_queued;
};

// Empty when the text is a well-formed XML document; else the parser's reason with its line.
std::string xmlFault(const std::string& text);

} // namespace zavhost
