#include "AnswerFile.h"

#include <cstdio>
#include <fstream>

namespace zavannotator {

namespace {

bool tokenize(const std::string& text, std::vector<std::string>& words, std::string* why) {
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
        } else if (c == '#') {
            break;
        } else if (c == '"') {
            std::string word;
            ++i;
            bool closed = false;
            while (i < text.size()) {
                if (text[i] == '\\' && i + 1 < text.size()) {
                    word += text[i + 1];
                    i += 2;
                } else if (text[i] == '"') {
                    closed = true;
                    ++i;
                    break;
                } else {
                    word += text[i++];
                }
            }
            if (!closed) return *why = "a text without its closing quote", false;
            words.push_back(std::move(word));
        } else {
            size_t end = text.find_first_of(" \t\r#", i);
            if (end == std::string::npos) end = text.size();
            words.push_back(text.substr(i, end - i));
            i = end;
        }
    }
    return true;
}

struct FaultWord {
    const char* word;
    bool takesValue;
};

const FaultWord faultWords[] = {
    {"slow", true},       {"no-flag", false},      {"no-result", false},
    {"malformed", false}, {"two-results", false},  {"command-id", true},
    {"error", true},      {"blank-number", false}, {"crash", false},
};

bool isMilliseconds(const std::string& text) {
    return !text.empty() && text.size() <= 6 && text.find_first_not_of("0123456789") == std::string::npos;
}

} // namespace

bool AnswerFile::parseLine(const std::string& text, Line& line, std::string* why) {
    std::vector<std::string> words;
    if (!tokenize(text, words, why)) return false;
    line.text = text;
    if (words.empty()) return true;
    line.word = words[0];
    line.args.assign(words.begin() + 1, words.end());
    size_t wanted = 0;
    if (line.word == "specification" || line.word == "clause") {
        wanted = 1;
    } else if (line.word == "fault") {
        if (line.args.empty()) return *why = "fault needs a mode", false;
        const FaultWord* known = nullptr;
        for (const FaultWord& each : faultWords)
            if (line.args[0] == each.word) known = &each;
        if (!known) return *why = "unknown fault \"" + line.args[0] + "\"", false;
        wanted = known->takesValue ? 2 : 1;
        if (known->takesValue && line.args.size() == 2 && line.args[0] == "slow" &&
            !isMilliseconds(line.args[1]))
            return *why = "fault slow takes milliseconds (at most 999999)", false;
    } else if (line.word != "cancel") {
        return *why = "unknown setting \"" + line.word + "\"", false;
    }
    if (line.args.size() != wanted)
        return *why = line.word + " takes " + std::to_string(wanted) + " value(s), not " +
                      std::to_string(line.args.size()),
               false;
    return true;
}

bool AnswerFile::checkLine(const std::string& text, std::string* why) {
    Line line;
    return parseLine(text, line, why);
}

std::string AnswerFile::quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c == '\n' ? ' ' : c;
    }
    return out + "\"";
}

bool AnswerFile::load(const std::string& path, std::string* why) {
    m_path = path;
    m_lines.clear();
    m_specification.clear();
    m_changed = false;
    std::ifstream in(path, std::ios::binary);
    std::string text;
    int number = 0;
    while (in && std::getline(in, text)) {
        ++number;
        Line line;
        if (!parseLine(text, line, why)) {
            *why = path + ":" + std::to_string(number) + ": " + *why;
            return false;
        }
        if (line.word == "specification") m_specification = line.args[0];
        m_lines.push_back(std::move(line));
    }
    return true;
}

std::optional<std::string> AnswerFile::takeClause() {
    for (Line& line : m_lines) {
        if (line.taken || line.word != "clause") continue;
        line.taken = m_changed = true;
        return line.args[0];
    }
    return std::nullopt;
}

Faults AnswerFile::takeFaults() {
    Faults faults;
    for (Line& line : m_lines) {
        if (line.taken || (line.word != "fault" && line.word != "cancel")) continue;
        line.taken = m_changed = true;
        if (line.word == "cancel") {
            faults.cancel = true;
            continue;
        }
        const std::string& mode = line.args[0];
        const std::string value = line.args.size() > 1 ? line.args[1] : std::string();
        if (mode == "slow") faults.slowMs = std::stoi(value);
        if (mode == "no-flag") faults.noFlag = true;
        if (mode == "no-result") faults.noResult = true;
        if (mode == "malformed") faults.malformed = true;
        if (mode == "two-results") faults.twoResults = true;
        if (mode == "command-id") faults.commandID = value;
        if (mode == "error") faults.error = value;
        if (mode == "blank-number") faults.blankNumber = true;
        if (mode == "crash") faults.crash = true;
    }
    return faults;
}

bool AnswerFile::save() const {
    if (!m_changed) return true;
    // Written aside and renamed, so that a reader never sees half a file.
    std::string aside = m_path + ".new";
    {
        std::ofstream out(aside, std::ios::binary | std::ios::trunc);
        for (const Line& line : m_lines)
            if (!line.taken) out << line.text << "\n";
        out.close();
        if (!out.good()) return false;
    }
    return std::rename(aside.c_str(), m_path.c_str()) == 0;
}

} // namespace zavannotator
