#include "AnnotatorSteps.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

#include "platform/windows/Registry.h"
#include "platform/windows/Shell.h"

extern char** environ;

namespace zavhost {

namespace fs = std::filesystem;

namespace {

const char* const AnnotatorKey = "SOFTWARE\\HVN Ltd.\\ZAV Tools\\ZAV Annotator";
const char* const InstallPathValue = "WinAPIInstallPath";
// How long an expectation waits for started Annotators to finish before it reads what they noted.
constexpr DWORD AskedWaitMs = 10000;

std::string& installedProgram() {
    static std::string path;
    return path;
}

std::string annotatorFolder(const std::string& home) {
    return (fs::path(home) / "annotator").string();
}

bool setInstallPath(const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyEx(HKEY_LOCAL_MACHINE, AnnotatorKey, 0, KEY_WRITE | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
        return false;
    // Stored with its NUL, as an installer stores a string.
    LONG err = RegSetValueEx(key, InstallPathValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                             static_cast<DWORD>(path.size() + 1));
    RegCloseKey(key);
    return err == ERROR_SUCCESS;
}

bool removeInstallPath() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, AnnotatorKey, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &key) !=
        ERROR_SUCCESS)
        return true;
    LONG err = RegDeleteValue(key, InstallPathValue);
    RegCloseKey(key);
    return err == ERROR_SUCCESS || err == ERROR_FILE_NOT_FOUND;
}

std::string answerText(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c == '\n' ? ' ' : c;
    }
    return out + "\"";
}

bool appendAnswer(const std::string& home, const std::string& line, std::string* why) {
    std::error_code error;
    fs::create_directories(annotatorFolder(home), error);
    std::string path = (fs::path(annotatorFolder(home)) / "ZAVAnswers.txt").string();
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << line << "\n";
    out.close();
    if (!out.good()) return *why = "the Annotator's answer file " + path + " cannot be written", false;
    return true;
}

// Runs the Annotator's own edit of its specification file and waits for it.
bool runEdit(const std::vector<std::string>& args, std::string* why) {
    if (installedProgram().empty()) return *why = "this host was built without the stand-in Annotator", false;
    std::vector<char*> argv;
    argv.push_back(installedProgram().data());
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return *why = "the stand-in Annotator could not be started", false;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return true;
    *why = "the stand-in Annotator could not edit the specification (its message is above)";
    return false;
}

const char* const faultModes[] = {"no-flag",     "no-result",    "malformed",
                                  "two-results", "blank-number", "crash"};
const char* const faultModesWithValue[] = {"slow", "command-id", "error"};
const std::vector<std::string> annotatorVerbs = {"installed",     "not-installed", "specification",
                                                 "next-clause",   "cancel",        "fault",
                                                 "change-clause", "delete-clause", "wait"};
// The commands the module may send, as the command file names them.
const std::vector<std::string> annotatorCommands = {
    "selectSpecification", "selectAnnotation",        "displayReport", "displayClause",
    "displayGuidance",     "displayManufacturerInfo", "retrieveClause"};
const std::vector<std::string> clauseFields = {
    "section", "code", "number", "revision", "zavTitle", "hiddenNumber", "originalDisplayTitle"};

std::string knownCommand(const std::string& command) {
    if (std::find(annotatorCommands.begin(), annotatorCommands.end(), command) == annotatorCommands.end())
        throw LineError{
            "unknown Annotator command \"" + command + "\"" + didYouMean(command, annotatorCommands) +
            "; the commands: selectSpecification, selectAnnotation, displayReport, displayClause, "
            "displayGuidance, displayManufacturerInfo, retrieveClause"};
    return command;
}

std::vector<std::string> askedLines(const std::string& home) {
    std::ifstream in((fs::path(annotatorFolder(home)) / "ZAVAsked.txt").string(), std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool startsWithWord(const std::string& line, const std::string& word) {
    return line.rfind(word, 0) == 0 && (line.size() == word.size() || line[word.size()] == ' ');
}

} // namespace

bool installAnnotator(const std::string& programPath, const std::string& homeFolder) {
    installedProgram() = programPath;
    std::error_code error;
    fs::remove_all(annotatorFolder(homeFolder), error);
    fs::create_directories(annotatorFolder(homeFolder), error);
    setenv("ZAVANNOTATOR_DIR", annotatorFolder(homeFolder).c_str(), 1);
    return setInstallPath(programPath);
}

void parseAnnotatorStep(LineReader& in, Step& step) {
    step.kind = StepKind::AnnotatorSetting;
    ModelArgs& args = step.model;
    args.verb = in.anyWord("what the Annotator does: installed, not-installed, specification, next-clause, "
                           "cancel, fault, change-clause, delete-clause or wait");
    if (args.verb == "installed") {
        if (!in.atEnd()) args.texts.push_back(in.path());
    } else if (args.verb == "specification") {
        args.texts.push_back(in.path());
        if (in.word("as")) args.texts.push_back(in.text("the copy's file name"));
    } else if (args.verb == "next-clause" || args.verb == "delete-clause") {
        args.texts.push_back(in.text("the clause's number"));
    } else if (args.verb == "change-clause") {
        args.texts.push_back(in.text("the clause's number"));
        const std::string field =
            in.anyWord("a field: section, code, number, revision, zavTitle, hiddenNumber or "
                       "originalDisplayTitle");
        if (std::find(clauseFields.begin(), clauseFields.end(), field) == clauseFields.end())
            throw LineError{"unknown clause field \"" + field + "\"" + didYouMean(field, clauseFields) +
                            "; the fields: section, code, number, revision, zavTitle, hiddenNumber, "
                            "originalDisplayTitle"};
        args.texts.push_back(field);
        args.texts.push_back(in.text("the new text"));
    } else if (args.verb == "fault") {
        std::string mode = in.anyWord("a fault");
        args.texts.push_back(mode);
        bool known = false;
        for (const char* each : faultModes)
            known = known || mode == each;
        for (const char* each : faultModesWithValue)
            if (mode == each) {
                known = true;
                if (mode == "slow")
                    args.texts.push_back(std::to_string(in.number("milliseconds", 0, 999999)));
                else if (mode == "command-id")
                    args.texts.push_back(std::to_string(in.number("a command id", 0, UINT32_MAX)));
                else
                    args.texts.push_back(in.nextIsText() ? in.text("an error name")
                                                         : in.anyWord("an error name"));
            }
        if (!known) {
            std::vector<std::string> modes(std::begin(faultModes), std::end(faultModes));
            modes.insert(modes.end(), std::begin(faultModesWithValue), std::end(faultModesWithValue));
            throw LineError{
                "unknown fault \"" + mode + "\"" + didYouMean(mode, modes) +
                "; the faults: slow MS, no-flag, no-result, malformed, two-results, command-id N, "
                "error NAME, blank-number, crash"};
        }
    } else if (args.verb != "not-installed" && args.verb != "cancel" && args.verb != "wait") {
        throw LineError{"unknown annotator step \"" + args.verb + "\"" +
                        didYouMeanOrKnown(args.verb, annotatorVerbs)};
    }
}

void parseAnnotatorExpectation(LineReader& in, Step& step) {
    step.kind = StepKind::ExpectAnnotator;
    ModelArgs& args = step.model;
    if (in.word("asked")) {
        args.verb = "asked";
        args.texts.push_back(knownCommand(in.anyWord("the command asked, e.g. displayClause")));
        if (in.word("containing")) args.texts.push_back(in.text("the text"));
    } else if (in.word("not-asked")) {
        args.verb = "not-asked";
        const bool containing = in.word("containing");
        // No command: not asked anything (containing the text).
        args.texts.push_back(containing || in.atEnd() ? std::string()
                                                      : knownCommand(in.anyWord("the command")));
        if (containing || in.word("containing")) args.texts.push_back(in.text("the text"));
    } else {
        throw LineError{"expect annotator asked COMMAND [containing \"TEXT\"] or expect annotator not-asked "
                        "[COMMAND] [containing \"TEXT\"]" +
                        didYouMean(in.peek(), {"asked", "not-asked"})};
    }
}

bool AnnotatorSteps::act(const Step& step, const std::string& home,
                         const std::function<std::string(const std::string&)>& resolvePath,
                         std::string* why) {
    const ModelArgs& args = step.model;
    const std::string& verb = args.verb;
    if (verb == "installed") {
        std::string path = args.texts.empty() ? installedProgram() : resolvePath(args.texts[0]);
        if (path.empty()) return *why = "this host was built without the stand-in Annotator", false;
        return setInstallPath(path) || (*why = "the registry cannot be written", false);
    }
    if (verb == "not-installed")
        return removeInstallPath() || (*why = "the registry cannot be written", false);
    if (verb == "specification") {
        // A copy in the home folder, so that edits never touch the scenario's own file.
        std::error_code error;
        fs::create_directories(annotatorFolder(home), error);
        std::string original = resolvePath(args.texts[0]);
        fs::path name =
            args.texts.size() > 1 ? fs::path(args.texts[1]).filename() : fs::path(original).filename();
        if (name.empty() || name == "ZAVAnswers.txt" || name == "ZAVAsked.txt")
            return *why = "the specification's copy cannot be named " + name.string(), false;
        fs::path copy = fs::path(annotatorFolder(home)) / name;
        if (!fs::copy_file(original, copy, fs::copy_options::overwrite_existing, error))
            return *why = "the specification " + original + " cannot be copied: " + error.message(), false;
        m_specification = copy.string();
        return appendAnswer(home, "specification " + answerText(m_specification), why);
    }
    if (verb == "next-clause") return appendAnswer(home, "clause " + answerText(args.texts[0]), why);
    if (verb == "cancel") return appendAnswer(home, "cancel", why);
    if (verb == "wait") {
        // Nothing started earlier may still read the answer file when the next line writes it.
        if (WaitForStartedProcesses(AskedWaitMs) == 0) return true;
        return *why = "an Annotator started earlier is still running after " +
                      std::to_string(AskedWaitMs / 1000) + " s",
               false;
    }
    if (verb == "fault") {
        // A late Annotator must be late for the module's waits too, until a run has taken the fault.
        if (args.texts[0] == "slow") {
            SetStartedProcessesPunctual(false);
            m_lateFaultIn = (fs::path(annotatorFolder(home)) / "ZAVAnswers.txt").string();
        }
        std::string line = "fault " + args.texts[0];
        if (args.texts.size() > 1) line += " " + answerText(args.texts[1]);
        return appendAnswer(home, line, why);
    }
    if (m_specification.empty())
        return *why = "no specification was chosen with annotator specification FILE", false;
    if (verb == "change-clause")
        return runEdit({"--change-clause", m_specification, args.texts[0], args.texts[1], args.texts[2]},
                       why);
    return runEdit({"--delete-clause", m_specification, args.texts[0]}, why);
}

bool AnnotatorSteps::check(const Step& step, const std::string& home, std::string* why) {
    const ModelArgs& args = step.model;
    // The product does not wait for display commands: their Annotator may still be running.
    WaitForStartedProcesses(AskedWaitMs);
    std::vector<std::string> lines = askedLines(home);
    const std::string command = args.texts.empty() ? std::string() : args.texts[0];
    for (size_t i = m_askedChecked; i < lines.size(); ++i) {
        bool matches = command.empty() || startsWithWord(lines[i], command);
        if (matches && args.texts.size() > 1) matches = lines[i].find(args.texts[1]) != std::string::npos;
        if (!matches) continue;
        if (args.verb == "not-asked") {
            *why = "the Annotator was asked: " + lines[i];
            return false;
        }
        m_askedChecked = i + 1;
        return true;
    }
    if (args.verb == "not-asked") return true;
    if (m_askedChecked >= lines.size()) {
        *why = "the Annotator was asked nothing since the last annotator expectation";
    } else {
        *why = "the Annotator was asked:";
        for (size_t i = m_askedChecked; i < lines.size(); ++i)
            *why += "\n        " + lines[i];
    }
    return false;
}

void AnnotatorSteps::awaitStarted() {
    const int last = LastStartedProcessId();
    if (last == m_lastAwaited) return;
    m_lastAwaited = last;
    // One that runs on past the limit is not waited for again at every later line.
    WaitForStartedProcesses(AskedWaitMs);
    if (m_lateFaultIn.empty()) return;
    std::ifstream answers(m_lateFaultIn, std::ios::binary);
    for (std::string line; std::getline(answers, line);)
        if (line.rfind("fault slow", 0) == 0) return;
    m_lateFaultIn.clear();
    SetStartedProcessesPunctual(true);
}

std::vector<std::string> AnnotatorSteps::takeAnswers(const std::string& home) {
    std::vector<std::string> answers;
    const fs::path path = fs::path(annotatorFolder(home)) / "ZAVAnswered.txt";
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    if (error || size <= m_answersRead) {
        // A folder emptied afresh starts the count again.
        if (!error && size < m_answersRead) m_answersRead = size;
        return answers;
    }
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(m_answersRead));
    std::string fresh(static_cast<size_t>(size - m_answersRead), '\0');
    in.read(fresh.data(), static_cast<std::streamsize>(fresh.size()));
    fresh.resize(static_cast<size_t>(in.gcount()));
    // Only whole lines: the Annotator may be writing the rest now.
    const size_t whole = fresh.rfind('\n');
    if (whole == std::string::npos) return answers;
    m_answersRead += whole + 1;
    for (size_t start = 0; start <= whole;) {
        const size_t stop = fresh.find('\n', start);
        answers.push_back(fresh.substr(start, stop - start));
        start = stop + 1;
    }
    return answers;
}

} // namespace zavhost
