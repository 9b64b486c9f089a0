#include "FileSteps.h"

#include <expat.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "Transcript.h"
#include "platform/dg/FileDialogs.h"

namespace zavhost {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

bool readWhole(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return true;
}

// The start of the file's text for a failure message.
std::string excerpt(const std::string& text) {
    constexpr size_t Shown = 400;
    return text.size() <= Shown ? text : text.substr(0, Shown) + "...";
}

} // namespace

void parseFileStep(LineReader& in, Step& step) {
    step.kind = StepKind::FileSetting;
    if (in.word("dialog")) {
        if (in.word("cancel")) {
            step.model.verb = "dialog cancel";
            return;
        }
        if (!in.word("answer")) throw LineError{"file dialog answer PATH [type N] or file dialog cancel"};
        step.model.verb = "dialog answer";
        step.text = in.path();
        if (in.word("type")) step.number = in.number("a file type, from 1", 1, 1000);
        return;
    }
    if (in.word("link")) {
        step.model.verb = "link";
        step.text = in.path();
        step.text2 = in.path();
        return;
    }
    if (!in.word("write"))
        throw LineError{"file write PATH \"TEXT\", file link PATH TARGET or file dialog ..."};
    step.text = in.path();
    step.text2 = in.text("the file's text");
}

void parseFileExpectation(LineReader& in, Step& step, bool present) {
    step.kind = StepKind::ExpectFile;
    step.model.verb = present ? "file" : "no-file";
    step.text = in.path();
    if (!present) return;
    for (;;) {
        if (in.word("containing")) {
            step.text2 = in.text("the text");
        } else if (in.word("not-containing")) {
            step.model.options["not-containing"] = in.text("the text");
        } else if (in.word("well-formed")) {
            step.model.flags.insert("well-formed");
        } else {
            break;
        }
    }
}

bool writeFileStep(const Step& step, const PathResolver& resolve, std::string* why) {
    const fs::path path = resolve(*step.text);
    std::error_code error;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), error);
    if (step.model.verb == "link") {
        fs::remove(path, error);
        fs::create_symlink(resolve(*step.text2), path, error);
        if (!error) return true;
        *why = "the link " + quoted(path.string()) + " could not be made: " + error.message();
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << *step.text2;
    out.close();
    if (out) return true;
    *why = "the file " + quoted(path.string()) + " could not be written";
    return false;
}

bool checkFileStep(const Step& step, const PathResolver& resolve, std::string* why) {
    const std::string path = resolve(*step.text);
    std::error_code error;
    const bool exists = fs::is_regular_file(path, error);
    if (step.model.verb == "no-file") {
        if (!exists) return true;
        *why = "the file " + quoted(path) + " exists";
        return false;
    }
    std::string text;
    if (!exists || !readWhole(path, text)) return *why = "there is no file " + quoted(path), false;
    if (step.text2 && text.find(*step.text2) == std::string::npos) {
        *why = "the file does not contain " + quoted(*step.text2) + "; it holds:\n" + excerpt(text);
        return false;
    }
    auto unwanted = step.model.options.find("not-containing");
    if (unwanted != step.model.options.end() && text.find(unwanted->second) != std::string::npos) {
        *why = "the file contains " + quoted(unwanted->second);
        return false;
    }
    if (step.model.flags.count("well-formed") != 0) {
        const std::string fault = xmlFault(text);
        if (!fault.empty()) return *why = "the file is not well-formed XML: " + fault, false;
    }
    return true;
}

FileDialogDesk::FileDialogDesk(Transcript& transcript) : m_transcript(transcript) {
    DG::SetFileDialogHandler([this](const DG::FileDialogRequest& request) {
        const char* kind = request.kind == DG::FileDialogRequest::Kind::Open ? "open" : "save";
        DG::FileDialogAnswer answer;
        if (m_queued.empty()) {
            m_transcript.note(std::string(kind) + " file dialog " + quoted(request.title) +
                              ": no answer was queued; cancelled");
            return answer;
        }
        const Answer next = m_queued.front();
        m_queued.pop_front();
        if (next.cancel) {
            m_transcript.note(std::string(kind) + " file dialog " + quoted(request.title) +
                              ": the user, line " + std::to_string(next.line) + ", cancels");
            return answer;
        }
        answer.cancelled = false;
        answer.chosen = IO::Location(next.path);
        answer.typeIndex = next.typeIndex < 0 ? 0 : next.typeIndex;
        m_transcript.note(std::string(kind) + " file dialog " + quoted(request.title) + ": the user, line " +
                          std::to_string(next.line) + ", chooses " + quoted(next.path) +
                          (static_cast<size_t>(answer.typeIndex) < request.typeNames.size()
                               ? " as " + quoted(request.typeNames[static_cast<size_t>(answer.typeIndex)])
                               : std::string()));
        return answer;
    });
}

FileDialogDesk::~FileDialogDesk() {
    DG::SetFileDialogHandler({});
}

std::string xmlFault(const std::string& text) {
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser(XML_ParserCreate(nullptr),
                                                                        &XML_ParserFree);
    if (!parser) return "no parser";
    if (text.size() > static_cast<size_t>(INT32_MAX)) return "the file is too large";
    if (XML_Parse(parser.get(), text.data(), static_cast<int>(text.size()), XML_TRUE) == XML_STATUS_OK)
        return std::string();
    return std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
           std::to_string(XML_GetCurrentLineNumber(parser.get()));
}

} // namespace zavhost
