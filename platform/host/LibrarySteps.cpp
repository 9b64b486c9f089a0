#include "LibrarySteps.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace {

// Numbers kept as text in the step, exactly.
std::string realText(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// The parameter kinds a scenario names, with their host type codes.
const std::map<std::string, uint32_t>& parameterKinds() {
    static const std::map<std::string, uint32_t> kinds = {
        {"int", 1}, {"length", 2}, {"angle", 3}, {"real", 4}, {"text", 12}, {"bool", 13},
    };
    return kinds;
}

// A unique id in quotes, or one of the host's standard families by name (`door`).
std::string familyId(LineReader& in, const char* what) {
    if (in.nextIsText()) return in.text(what);
    const std::string name = in.anyWord(what);
    const std::string id = standardFamily(name);
    if (id.empty())
        throw LineError{"a family is an id in quotes or door, label, lamp, property, window or zone"};
    return id;
}

ValueClause parameterClause(LineReader& in, bool commandKindsOnly) {
    ValueClause clause;
    clause.word = "param";
    clause.name = in.text("the parameter's name");
    clause.kind = in.anyWord("a parameter kind");
    const bool commandKind = clause.kind == "int" || clause.kind == "real" || clause.kind == "text";
    if (commandKindsOnly ? !commandKind : parameterKinds().count(clause.kind) == 0)
        throw LineError{commandKindsOnly ? "a command's parameter is int, real or text"
                                         : "a part's parameter is int, length, angle, real, text or bool"};
    if (clause.kind == "text") {
        clause.value = in.text("the parameter's text");
    } else {
        const double value = in.real("the parameter's value");
        if (clause.kind == "int" && (value != static_cast<int32_t>(value)))
            throw LineError{"an int parameter takes a whole number"};
        clause.value = realText(value);
    }
    return clause;
}

void parsePart(LineReader& in, Step& step) {
    step.model.verb = "library part";
    step.text = in.text("the part's name");
    if (!in.word("type")) throw LineError{"library part \"NAME\" type N ..."};
    step.number = in.number("a part type", 1, 13);
    while (!in.atEnd()) {
        if (in.word("file")) {
            step.model.options["file"] = in.text("the part's file name");
        } else if (in.word("id")) {
            step.model.options["id"] = in.text("the part's unique id");
        } else if (in.word("parent")) {
            step.model.options["parent"] = familyId(in, "the parent's unique id");
        } else if (in.word("version")) {
            step.model.options["version"] = std::to_string(in.number("a version", 0, INT32_MAX));
        } else if (in.word("owner")) {
            step.model.options["owner"] = std::to_string(in.number("an owner id", INT32_MIN, INT32_MAX));
        } else if (in.word("a")) {
            step.model.options["a"] = realText(in.real("the part's A"));
        } else if (in.word("b")) {
            step.model.options["b"] = realText(in.real("the part's B"));
        } else if (in.word("missing")) {
            step.model.flags.insert("missing");
        } else if (in.word("unreadable")) {
            step.model.flags.insert("unreadable");
        } else if (in.word("param")) {
            step.clauses.push_back(parameterClause(in, false));
        } else if (in.word("array")) {
            ValueClause array;
            array.word = "array";
            array.name = in.text("the parameter's name");
            array.kind = in.anyWord("a parameter kind");
            if (array.kind != "length" && array.kind != "real" && array.kind != "int")
                throw LineError{"an array parameter is length, real or int"};
            const int64_t rows = in.number("a row count", 1, 1000);
            const int64_t columns = in.number("a column count", 1, 1000);
            array.value = std::to_string(rows) + " " + std::to_string(columns);
            for (int64_t i = 0; i < rows * columns; ++i)
                array.value += " " + realText(in.real("a cell of the array"));
            step.clauses.push_back(array);
        } else if (in.word("rule")) {
            ValueClause rule;
            rule.word = "rule";
            rule.name = in.text("the parameter the rule sets");
            rule.kind = in.text("the parameter it follows");
            rule.value = realText(in.real("the factor"));
            step.clauses.push_back(rule);
        } else {
            throw LineError{"library part knows file, id, parent, version, owner, a, b, missing, unreadable, "
                            "param, array and rule"};
        }
    }
}

// The scenario's parameters as the records of a part's defaults.
StoredBlock partParameters(const Step& step) {
    StoredBlock block;
    for (const ValueClause& clause : step.clauses) {
        if (clause.word != "param" && clause.word != "array") continue;
        HostAdditionalParameter record = parameterRecord(
            parameterKinds().at(clause.kind), clause.name,
            clause.word == "array" || clause.kind == "text" ? 0.0 : std::stod(clause.value), clause.value);
        if (clause.word == "array") {
            // ROWS COLS then the cells, row by row, each a double.
            std::istringstream numbers(clause.value);
            double rows = 0, columns = 0, cell = 0;
            numbers >> rows >> columns;
            StoredBlock cells;
            while (numbers >> cell)
                cells.bytes.append(reinterpret_cast<const char*>(&cell), sizeof cell);
            record.valueForm = ParameterArrayValue;
            record.firstDimension = static_cast<uint32_t>(rows);
            record.secondDimension = static_cast<uint32_t>(columns);
            record.value = HostParameterValue();
            record.value.array = nullptr;
            block.nested.emplace_back(
                static_cast<uint32_t>(block.bytes.size() + offsetof(HostAdditionalParameter, value)),
                std::move(cells));
        }
        block.bytes.append(reinterpret_cast<const char*>(&record), sizeof record);
    }
    return block;
}

GSErrCode addPart(Project& project, const Step& step) {
    const std::map<std::string, std::string>& o = step.model.options;
    auto option = [&o](const char* key) {
        auto found = o.find(key);
        return found == o.end() ? std::string() : found->second;
    };
    LibraryPart part;
    part.type = static_cast<uint32_t>(*step.number);
    part.name = *step.text;
    part.fileName = o.count("file") != 0 ? option("file") : part.name + ".gsm";
    part.ownId = option("id");
    part.parentId = option("parent");
    part.missing = step.model.flags.count("missing") != 0;
    part.unreadable = step.model.flags.count("unreadable") != 0;
    if (o.count("owner") != 0) part.ownerId = std::stoi(option("owner"));
    if (o.count("a") != 0) part.a = std::stod(option("a"));
    if (o.count("b") != 0) part.b = std::stod(option("b"));
    for (const ValueClause& clause : step.clauses)
        if (clause.word == "rule") part.rules.push_back({clause.name, clause.kind, std::stod(clause.value)});
    StoredBlock parameters = partParameters(step);
    if (!parameters.bytes.empty()) part.parameters = std::move(parameters);
    if (o.count("version") != 0 && !part.ownId.empty())
        project.library.setVersion(part.ownId, std::stoi(option("version")));
    project.library.add(std::move(part));
    return hosterr::Ok;
}

GSErrCode addFolder(Project& project, const Step& step, const LibraryPathResolver& resolve,
                    std::string* why) {
    const std::string path = resolve(*step.text);
    std::error_code error;
    const std::filesystem::path place(path);
    if (step.model.flags.count("file") != 0) {
        std::filesystem::create_directories(place.parent_path(), error);
        std::ofstream(place, std::ios::app).close();
        if (!std::filesystem::is_regular_file(place, error)) {
            *why = "cannot make the file " + path;
            return hosterr::Failed;
        }
    } else if (!std::filesystem::create_directories(place, error) &&
               !std::filesystem::is_directory(place, error)) {
        *why = "cannot make the folder " + path;
        return hosterr::Failed;
    }
    LibraryManager& library = project.library;
    library.folders.push_back(IO::Location(path).ToPath());
    if (step.model.flags.count("selected") != 0)
        library.selectedFolder = static_cast<int32_t>(library.folders.size() - 1);
    return hosterr::Ok;
}

uint32_t sectionCode(LineReader& in) {
    const std::string code = in.anyWord("a section code (four characters: 3DSC)");
    if (code.size() != 4) throw LineError{"a section code has four characters, not \"" + code + "\""};
    uint32_t value = 0;
    for (char c : code)
        value = (value << 8) | static_cast<uint8_t>(c);
    return value;
}

std::string sectionText(uint32_t code) {
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i)
        text[i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
    return text;
}

bool isTextCode(uint32_t code) {
    for (const char* text : {"CTXT", "1DSC", "2DSC", "3DSC", "BMSC", "CPYR", "FMSC", "PRSC", "UISC", "VLSC"})
        if (sectionText(code) == text) return true;
    return false;
}

GSErrCode setSection(Project& project, const Step& step, std::string* why) {
    LibraryPart* part = project.library.edit(project.library.findByName(*step.text, 0));
    if (part == nullptr) {
        *why = "no part " + inQuotes(*step.text);
        return hosterr::NotFound;
    }
    if (step.model.verb == "library details") {
        part->firstDetail = step.model.flags.count("first") != 0 ? 1 : 0;
        part->thirdDetail = step.model.flags.count("third") != 0 ? 1 : 0;
        return hosterr::Ok;
    }
    LibrarySection section;
    section.code = static_cast<uint32_t>(*step.number);
    section.text = isTextCode(section.code);
    section.missing = step.model.flags.count("missing") != 0;
    section.bytes = step.text2.value_or(std::string());
    part->setSection(std::move(section));
    return hosterr::Ok;
}

bool checkSection(const LibraryManager& library, const Step& step, std::string* why) {
    const LibraryPart* part = library.part(library.findByName(*step.text, 0));
    if (part == nullptr) {
        *why = "no part of that name";
        return false;
    }
    const LibrarySection* section = part->section(static_cast<uint32_t>(*step.number));
    if (section == nullptr) {
        *why = "the part has no such section";
        return false;
    }
    *why = section->missing ? "a missing section" : inQuotes(section->bytes);
    if (step.model.flags.count("missing") != 0) return section->missing;
    return !section->missing && (!step.text2 || section->bytes.find(*step.text2) != std::string::npos);
}

} // namespace

void parseObjectSettingsStep(LineReader& in, Step& step) {
    step.kind = StepKind::LibraryAction;
    step.model.verb = "object-settings";
    if (in.word("cancel")) return;
    if (!in.word("accept")) throw LineError{"object-settings accept ... or object-settings cancel"};
    step.model.flags.insert("accept");
    while (!in.atEnd()) {
        if (in.word("part"))
            step.text = in.text("the part's name");
        else if (in.word("angle"))
            step.model.numbers.push_back(in.real("an angle in degrees"));
        else if (in.word("param"))
            step.clauses.push_back(parameterClause(in, false));
        else
            throw LineError{
                "object-settings accept knows part \"NAME\", angle DEGREES and param \"NAME\" KIND VALUE"};
    }
}

void parseLibraryStep(LineReader& in, Step& step) {
    step.kind = StepKind::LibraryAction;
    if (in.word("part")) {
        parsePart(in, step);
    } else if (in.word("folder")) {
        step.model.verb = "library folder";
        step.text = in.path();
        while (!in.atEnd()) {
            if (in.word("file"))
                step.model.flags.insert("file");
            else if (in.word("selected"))
                step.model.flags.insert("selected");
            else
                throw LineError{"library folder PATH [file] [selected]"};
        }
    } else if (in.word("section")) {
        step.model.verb = "library section";
        step.text = in.text("the part's name");
        step.number = sectionCode(in);
        if (in.word("missing"))
            step.model.flags.insert("missing");
        else
            step.text2 = in.text("the section's text");
    } else if (in.word("details")) {
        step.model.verb = "library details";
        step.text = in.text("the part's name");
        while (!in.atEnd()) {
            if (in.word("first"))
                step.model.flags.insert("first");
            else if (in.word("third"))
                step.model.flags.insert("third");
            else
                throw LineError{"library details \"NAME\" [first] [third]"};
        }
    } else if (in.word("derive")) {
        step.model.verb = "library derive";
        step.text = in.text("the child's unique id");
        step.text2 = familyId(in, "the parent's unique id");
    } else {
        throw LineError{"library part, folder, section, details or derive"};
    }
}

void parseLibraryExpectation(LineReader& in, Step& step) {
    step.kind = StepKind::ExpectLibrary;
    for (const char* what : {"count", "folders", "reloads"}) {
        if (!in.word(what)) continue;
        step.model.verb = what;
        step.number = in.number("a count", 0);
        return;
    }
    if (in.word("section")) {
        step.model.verb = "section";
        step.text = in.text("the part's name");
        step.number = sectionCode(in);
        if (in.word("missing"))
            step.model.flags.insert("missing");
        else if (in.word("containing"))
            step.text2 = in.text("the text");
        return;
    }
    if (!in.word("part")) throw LineError{"expect library count, folders, reloads, part or section"};
    step.model.verb = "part";
    step.text = in.text("the part's name");
    while (!in.atEnd()) {
        if (in.word("type"))
            step.number = in.number("a part type", 0, 13);
        else if (in.word("index"))
            step.number2 = in.number("an index", 1);
        else
            throw LineError{"expect library part \"NAME\" [type N] [index N]"};
    }
}

void parseCommandParameters(LineReader& in, Step& step) {
    while (in.word("param"))
        step.clauses.push_back(parameterClause(in, true));
}

GSErrCode actLibraryStep(StandInHost& host, const Step& step, const LibraryPathResolver& resolve,
                         std::string* why) {
    const std::string& verb = step.model.verb;
    if (verb == "object-settings") {
        ObjectSettingsAnswer answer;
        answer.accept = step.model.flags.count("accept") != 0;
        answer.part = step.text;
        if (!step.model.numbers.empty()) answer.angle = step.model.numbers.front();
        for (const ValueClause& clause : step.clauses)
            answer.values.push_back({clause.name, clause.kind, clause.value});
        answer.line = step.line;
        host.libraryDesk().objectSettings.push_back(std::move(answer));
        return hosterr::Ok;
    }
    Project* project = host.project();
    if (project == nullptr) {
        *why = "no project is open";
        return hosterr::NoProject;
    }
    if (verb == "library part") return addPart(*project, step);
    if (verb == "library section" || verb == "library details") return setSection(*project, step, why);
    if (verb == "library folder") return addFolder(*project, step, resolve, why);
    project->library.addDerivation(*step.text, *step.text2);
    return hosterr::Ok;
}

bool checkLibraryStep(StandInHost& host, const Step& step, std::string* why) {
    const Project* project = host.project();
    if (project == nullptr) {
        *why = "no project is open";
        return false;
    }
    const LibraryManager& library = project->library;
    const std::string& verb = step.model.verb;
    if (verb == "section") return checkSection(library, step, why);
    if (verb != "part") {
        const uint64_t found = verb == "count"     ? library.count()
                               : verb == "folders" ? library.folders.size()
                                                   : library.reloads;
        *why = std::to_string(found);
        return found == static_cast<uint64_t>(*step.number);
    }
    const uint32_t index = library.findByName(*step.text, 0);
    if (index == 0) {
        *why = "no part of that name";
        return false;
    }
    const LibraryPart& part = *library.part(index);
    *why = "index " + std::to_string(index) + ", type " + std::to_string(part.type);
    return (!step.number || part.type == *step.number) && (!step.number2 || index == *step.number2);
}

GSHandle makeCommandParameters(StandInHost& host, const Step& step, const LibraryPathResolver& expand) {
    if (step.clauses.empty()) return nullptr;
    GSHandle list = host.commandLists().make();
    std::vector<CommandParameterEntry>* entries = host.commandLists().find(list);
    if (entries == nullptr) return nullptr;
    for (const ValueClause& clause : step.clauses) {
        CommandParameterEntry entry;
        entry.index = static_cast<int32_t>(entries->size());
        entry.name = clause.name;
        if (clause.kind == "text") {
            entry.kind = CommandParameterText;
            entry.text = expand(clause.value);
        } else if (clause.kind == "int") {
            entry.kind = CommandParameterInteger;
            entry.integer = static_cast<int32_t>(std::stod(clause.value));
        } else {
            entry.kind = CommandParameterReal;
            entry.real = std::stod(clause.value);
        }
        entries->push_back(std::move(entry));
    }
    return list;
}

} // namespace zavhost
