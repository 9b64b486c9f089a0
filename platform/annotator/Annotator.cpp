#include "Annotator.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <thread>
#include <vector>

#include "AnswerFile.h"
#include "ClauseIndex.h"
#include "CommandFile.h"
#include "ResultDocument.h"
#include "Specification.h"
#include "Xml.h"

namespace zavannotator {

namespace fs = std::filesystem;

namespace {

std::string folderOf(const std::string& path) {
    fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string defaultFile(const std::string& commandFile, const char* name) {
    const char* folder = std::getenv(FolderVariable);
    std::string base = folder != nullptr && *folder != '\0' ? std::string(folder) : folderOf(commandFile);
    return (fs::path(base) / name).string();
}

std::string quotedValue(const char* name, const std::string& value) {
    return std::string(" ") + name + "=" + AnswerFile::quoted(value);
}

// One line a command, so that a scenario can look for the command and what it carried.
std::string askedLine(const Command& command) {
    std::string line = command.name + quotedValue("commandID", command.commandID);
    if (command.name != "selectSpecification") {
        line += quotedValue("zavPath", command.zavPath) + quotedValue("modelPath", command.modelPath);
    }
    if (command.hasAnnotation)
        line += quotedValue("number", command.annotation.number) +
                quotedValue("hiddenNumber", command.annotation.hiddenNumber);
    if (command.hasAnnotations) {
        std::string numbers;
        for (const Clause& clause : command.annotations)
            numbers += (numbers.empty() ? "" : ",") + clause.number;
        line += quotedValue("numbers", numbers);
    }
    return line;
}

// "selectAnnotation: noError, clause "F10/110"" as the result file says it, the faults after it.
std::string answeredLine(const Answer& answer, const Faults& faults) {
    std::string line = answer.element + ": " + faults.error.value_or(answer.error);
    if (!answer.note.empty() && !faults.error) line += ", " + answer.note;
    std::string wrong;
    auto add = [&wrong](const std::string& what) { wrong += (wrong.empty() ? "" : ", ") + what; };
    if (faults.slowMs) add(std::to_string(*faults.slowMs) + " ms late");
    if (faults.commandID) add("commandID " + *faults.commandID);
    if (faults.error) add("error " + *faults.error);
    if (faults.twoResults) add("two results");
    if (faults.blankNumber) add("numbers left blank");
    if (faults.malformed) add("a result that is not well-formed");
    if (faults.noResult) add("no result file");
    if (faults.noFlag) add("no flag file");
    return wrong.empty() ? line : line + " (fault: " + wrong + ")";
}

// What a display command asked the Annotator to show; nothing is answered.
std::string shownLine(const Command& command) {
    std::string line = command.name + ": shown";
    if (command.hasAnnotation) line += " for clause " + AnswerFile::quoted(command.annotation.number);
    return line + ", nothing answered";
}

void noteAsked(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    for (const std::string& line : lines)
        out << line << "\n";
}

class Responder {
public:
    Responder(AnswerFile& answers, const Faults& faults, std::string answerFolder, std::ostream& diagnostics)
        : m_answers(answers), m_faults(faults), m_answerFolder(std::move(answerFolder)),
          m_diagnostics(diagnostics) {}

    Answer answer(const Command& command) {
        Answer answer{command.name, command.commandID, "noError", {}, {}};
        if (m_faults.cancel && command.expectsAnswer()) {
            answer.error = "userCancelled";
        } else if (command.name == "selectSpecification") {
            selectSpecification(answer);
        } else if (command.name == "selectAnnotation") {
            selectAnnotation(command, answer);
        } else if (command.name == "retrieveClause") {
            retrieveClause(command, answer);
        } else {
            answer.error = "noCommand";
        }
        return answer;
    }

private:
    // Without a chosen file the user closes the file dialog.
    void selectSpecification(Answer& answer) {
        std::string chosen = m_answers.specification();
        if (chosen.empty()) {
            answer.error = "userCancelled";
            return;
        }
        fs::path path(chosen);
        if (path.is_relative()) path = fs::path(m_answerFolder) / path;
        std::error_code error;
        path = fs::absolute(path, error).lexically_normal();
        if (!fs::is_regular_file(path, error)) {
            answer.error = "specificationNotFound";
            return;
        }
        answer.member = "  <zavPath>" + xmlEscaped(path.string()) + "</zavPath>\n";
        answer.note = "the file " + AnswerFile::quoted(path.filename().string());
    }

    bool readSpecification(const Command& command, Specification& spec, Answer& answer) {
        std::string why;
        switch (zavannotator::readSpecification(command.zavPath, spec, &why)) {
        case SpecificationRead::ok:
            return true;
        case SpecificationRead::missing:
            answer.error = "specificationNotFound";
            return false;
        case SpecificationRead::malformed:
            m_diagnostics << "zavannotator: " << command.zavPath << ": " << why << "\n";
            answer.error = "generalError";
            return false;
        }
        return false;
    }

    void selectAnnotation(const Command& command, Answer& answer) {
        Specification spec;
        if (!readSpecification(command, spec, answer)) return;
        std::optional<std::string> picked = m_answers.takeClause();
        if (!picked) {
            answer.error = "userCancelled";
            return;
        }
        const ClauseIndex index(spec);
        const Clause* clause = index.findByNumber(*picked);
        if (clause == nullptr) {
            answer.error = "clauseNotFound";
            return;
        }
        answer.member = annotationXml(*clause, "  ", m_faults.blankNumber);
        answer.note = "clause " + AnswerFile::quoted(clause->number) + " " +
                      AnswerFile::quoted(clause->originalDisplayTitle);
    }

    // Clauses gone from the specification are left out: that is how the product learns of them.
    void retrieveClause(const Command& command, Answer& answer) {
        Specification spec;
        if (!readSpecification(command, spec, answer)) return;
        if (!command.hasAnnotations) {
            answer.error = "badParameters";
            return;
        }
        const ClauseIndex index(spec);
        std::string list, found, gone;
        for (const Clause& sent : command.annotations) {
            const Clause* now = index.findByHiddenNumber(sent.hiddenNumber);
            std::string& words = now != nullptr ? found : gone;
            words += (words.empty() ? "" : ", ") + sent.number;
            if (now != nullptr) list += annotationXml(*now, "   ", m_faults.blankNumber);
        }
        answer.note = "the clauses as they stand now: " + (found.empty() ? std::string("none") : found);
        if (!gone.empty()) answer.note += "; gone from the specification: " + gone;
        answer.member =
            list.empty() ? "  <annotations/>\n" : "  <annotations>\n" + list + "  </annotations>\n";
    }

    AnswerFile& m_answers;
    const Faults& m_faults;
    std::string m_answerFolder;
    std::ostream& m_diagnostics;
};

} // namespace

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    return out.good();
}

int runAnnotator(const RunOptions& options, const FileWriter& write, std::ostream& diagnostics) {
    std::string answerPath =
        options.answerFile.empty() ? defaultFile(options.commandFile, AnswerFileName) : options.answerFile;
    std::string askedPath =
        options.askedFile.empty() ? defaultFile(options.commandFile, AskedFileName) : options.askedFile;
    std::string folder = folderOf(options.commandFile);

    CommandFile commands;
    std::string why;
    bool readable = readCommandFile(options.commandFile, commands, &why);
    const std::string& refused = commands.refusal;
    std::vector<std::string> asked;
    if (!readable) asked.push_back("unreadable " + AnswerFile::quoted(why));
    if (!refused.empty()) {
        // Nothing of a refused file is done, so none of its commands counts as asked.
        asked.push_back("refused " + AnswerFile::quoted(refused));
        diagnostics << "zavannotator: " << options.commandFile << ": refused: " << refused << "\n";
    } else {
        for (const Command& command : commands.commands)
            asked.push_back(askedLine(command));
    }
    noteAsked(askedPath, asked);

    bool waited = !readable || commands.commands.empty();
    for (const Command& command : commands.commands)
        waited = waited || command.expectsAnswer();
    std::string answeredPath = (fs::path(askedPath).parent_path() / AnsweredFileName).string();
    // The product does not wait for display commands: nothing is written for them.
    if (!waited) {
        std::vector<std::string> shown;
        for (const Command& command : commands.commands)
            shown.push_back(shownLine(command));
        noteAsked(answeredPath, shown);
        return ExitAnswered;
    }

    AnswerFile answers;
    std::string answerProblem;
    bool answerFileRead = answers.load(answerPath, &answerProblem);
    if (!answerFileRead) diagnostics << "zavannotator: " << answerProblem << "\n";
    Faults faults = answerFileRead ? answers.takeFaults() : Faults();
    // A crash comes before the user picks anything; its fault is used up all the same.
    if (faults.crash) {
        if (!answers.save()) diagnostics << "zavannotator: cannot rewrite " << answerPath << "\n";
        noteAsked(answeredPath, {"the Annotator ended before it answered anything (fault: crash)"});
        return ExitCrashed;
    }

    std::vector<Answer> results;
    Responder responder(answers, faults, folderOf(answerPath), diagnostics);
    for (const Command& command : commands.commands) {
        if (!command.expectsAnswer()) continue;
        if (!readable) {
            results.push_back({command.name, command.commandID, "badXML", {}, {}});
        } else if (!refused.empty()) {
            // Nothing of a refused file is done; each command hears why it was not.
            results.push_back(
                {command.name, command.commandID, command.known ? "badParameters" : "noCommand", {}, {}});
        } else if (!answerFileRead) {
            results.push_back({command.name, command.commandID, "generalError", {}, {}});
        } else {
            results.push_back(responder.answer(command));
        }
    }
    // Taken settings are gone before any wait, so that the next exchange meets none of them.
    if (answerFileRead && !answers.save())
        diagnostics << "zavannotator: cannot rewrite " << answerPath << "\n";
    if (faults.slowMs) std::this_thread::sleep_for(std::chrono::milliseconds(*faults.slowMs));

    // Noted before the result, so that whoever waits for the flag finds the note there too.
    std::vector<std::string> answered;
    for (const Answer& answer : results)
        answered.push_back(answeredLine(answer, faults));
    if (results.empty()) answered.push_back("an empty result: no command could be read");
    noteAsked(answeredPath, answered);
    std::string resultPath = (fs::path(folder) / ResultFileName).string();
    std::string flagPath = (fs::path(folder) / FlagFileName).string();
    if (!faults.noResult && !write(resultPath, resultDocument(results, faults))) {
        diagnostics << "zavannotator: cannot write " << resultPath << "\n";
        return ExitFailed;
    }
    if (!faults.noFlag && !write(flagPath, std::string())) {
        diagnostics << "zavannotator: cannot write " << flagPath << "\n";
        return ExitFailed;
    }
    return answerFileRead ? ExitAnswered : ExitFailed;
}

int editSpecification(const std::string& path, const std::string& number, const std::string& field,
                      const std::string& text, std::ostream& diagnostics) {
    Specification spec;
    std::string why;
    if (readSpecification(path, spec, &why) != SpecificationRead::ok) {
        diagnostics << "zavannotator: " << path << ": " << why << "\n";
        return ExitFailed;
    }
    // What the exchange adds to a clause is no text of the specification's.
    std::string Clause::*member = clauseField(field);
    if (member == &Clause::modelDisplayTitle || member == &Clause::hasBeenReassigned ||
        member == &Clause::isAccepted)
        member = nullptr;
    if (!field.empty() && member == nullptr) {
        diagnostics << "zavannotator: a clause has no field \"" << field << "\"\n";
        return ExitUsage;
    }
    // The number first, as ClauseIndex::findByNumber does, so that an edit finds what a selection would.
    for (bool byHidden : {false, true})
        for (Section& section : spec.sections)
            for (auto it = section.clauses.begin(); it != section.clauses.end(); ++it) {
                const std::string& key =
                    byHidden ? (it->hiddenNumber.empty() ? it->number : it->hiddenNumber) : it->number;
                if (number.empty() || key != number) continue;
                if (member == nullptr)
                    section.clauses.erase(it);
                else
                    (*it).*member = text;
                if (writeSpecification(path, spec)) return ExitAnswered;
                diagnostics << "zavannotator: cannot write " << path << "\n";
                return ExitFailed;
            }
    diagnostics << "zavannotator: " << path << " has no clause \"" << number << "\"\n";
    return ExitFailed;
}

} // namespace zavannotator
