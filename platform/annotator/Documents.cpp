#include "Documents.h"

#include <fstream>
#include <sstream>

#include "Environment/DataBufferIn.h"
#include "Environment/String.h"
#include "persistence/Shipping.h"
#include "persistence/XMLReader.h"

namespace zavannotator {

using tarnwick::String;
using tarnwick::XMLShipping;

namespace {

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// One text, as an element of its own or an attribute: the reader decides which by where it
// meets the name.
class TextUnit : public tarnwick::XMLUnit {
public:
    TextUnit(const String& name, std::string* target) : XMLUnit(name), m_target(target) {}
    String getText() const override { return String(*m_target); }
    bool readText(const String& text) override {
        *m_target = trimmed(text.bytes());
        return true;
    }

private:
    std::string* m_target;
};

struct NamedText {
    const char* name;
    std::string Clause::*field;
};

// In the order the product writes them.
const NamedText clauseFields[] = {
    {"section", &Clause::section},
    {"code", &Clause::code},
    {"number", &Clause::number},
    {"revision", &Clause::revision},
    {"zavTitle", &Clause::zavTitle},
    {"hiddenNumber", &Clause::hiddenNumber},
    {"originalDisplayTitle", &Clause::originalDisplayTitle},
    {"modelDisplayTitle", &Clause::modelDisplayTitle},
    {"hasBeenReassigned", &Clause::hasBeenReassigned},
    {"isAccepted", &Clause::isAccepted},
};

// The reader reaches members by name only; nothing here is written back through the writer.
template <class Base> class ReadOnly : public Base {
public:
    using Base::Base;
    size_t getFieldCount() const override { return 0; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t, bool) override { return nullptr; }
};
using ReadAssembly = ReadOnly<tarnwick::XMLAssembly>;
using ReadArray = ReadOnly<tarnwick::XMLArray>;

// A clause; members come as child elements (command files) or attributes (specifications).
class ClauseShipping : public ReadAssembly {
public:
    ClauseShipping(const String& name, Clause& clause, bool needsNumber)
        : ReadAssembly(name), m_clause(clause), m_needsNumber(needsNumber) {}

    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        std::string Clause::*field = clauseField(name.bytes());
        return field ? std::make_unique<TextUnit>(name, &(m_clause.*field)) : nullptr;
    }
    // A specification's clause must be findable.
    bool afterRead() override { return !m_needsNumber || !m_clause.number.empty(); }

private:
    Clause& m_clause;
    bool m_needsNumber;
};

class ClauseListShipping : public ReadArray {
public:
    ClauseListShipping(const String& name, std::deque<Clause>& clauses)
        : ReadArray(name), m_clauses(clauses) {}
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (name != "annotation") return nullptr;
        m_clauses.emplace_back();
        return std::make_unique<ClauseShipping>(name, m_clauses.back(), false);
    }

private:
    std::deque<Clause>& m_clauses;
};

class CommandShipping : public ReadAssembly {
public:
    explicit CommandShipping(Command& command) : ReadAssembly(String(command.name)), m_command(command) {}
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == "commandID") return std::make_unique<TextUnit>(name, &m_command.commandID);
        if (name == "zavPath") return std::make_unique<TextUnit>(name, &m_command.zavPath);
        if (name == "modelPath") return std::make_unique<TextUnit>(name, &m_command.modelPath);
        if (name == "annotation") {
            m_command.hasAnnotation = true;
            return std::make_unique<ClauseShipping>(name, m_command.annotation, false);
        }
        if (name == "annotations") {
            m_command.hasAnnotations = true;
            return std::make_unique<ClauseListShipping>(name, m_command.annotations);
        }
        return nullptr;
    }

private:
    Command& m_command;
};

class CommandFileShipping : public ReadArray {
public:
    explicit CommandFileShipping(CommandFile& file) : ReadArray(String("zavCommand")), m_file(file) {}
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == "parent") return std::make_unique<TextUnit>(name, &m_file.parent);
        if (name == "version") return std::make_unique<TextUnit>(name, &m_file.version);
        return nullptr;
    }
    // Every child is a command, known or not: an unknown one is answered as such.
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        m_file.commands.emplace_back();
        m_file.commands.back().name = name.bytes();
        return std::make_unique<CommandShipping>(m_file.commands.back());
    }

private:
    CommandFile& m_file;
};

class SectionShipping : public ReadArray {
public:
    explicit SectionShipping(Section& section) : ReadArray(String("section")), m_section(section) {}
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == "title") return std::make_unique<TextUnit>(name, &m_section.title);
        if (name == "code") return std::make_unique<TextUnit>(name, &m_section.code);
        return nullptr;
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (name != "clause") return nullptr;
        m_section.clauses.emplace_back();
        return std::make_unique<ClauseShipping>(name, m_section.clauses.back(), true);
    }

private:
    Section& m_section;
};

class SpecificationShipping : public ReadArray {
public:
    explicit SpecificationShipping(Specification& spec) : ReadArray(String("specification")), m_spec(spec) {}
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == "title") return std::make_unique<TextUnit>(name, &m_spec.title);
        return nullptr;
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (name != "section") return nullptr;
        m_spec.sections.emplace_back();
        return std::make_unique<SectionShipping>(m_spec.sections.back());
    }

private:
    Specification& m_spec;
};

bool readWhole(const std::string& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    *bytes = all.str();
    return !in.bad();
}

bool parse(const std::string& bytes, XMLShipping& root, std::string* why) {
    tarnwick::DataBufferIn in{String(bytes)};
    tarnwick::XMLReader reader(in);
    if (reader.read(root)) return true;
    if (why) *why = reader.getError().bytes();
    return false;
}

} // namespace

std::string Clause::*clauseField(const std::string& name) {
    for (const NamedText& field : clauseFields)
        if (name == field.name) return field.field;
    return nullptr;
}

bool Command::expectsAnswer() const {
    return name != "displayClause" && name != "displayGuidance" && name != "displayManufacturerInfo" &&
           name != "displayReport";
}

bool readCommandFile(const std::string& path, CommandFile& file, std::string* why) {
    std::string bytes;
    if (!readWhole(path, &bytes)) {
        if (why) *why = "the command file cannot be read";
        return false;
    }
    CommandFileShipping root(file);
    return parse(bytes, root, why);
}

std::vector<Clause> Specification::clauses() const {
    std::vector<Clause> all;
    for (const Section& section : sections)
        for (Clause clause : section.clauses) {
            if (clause.section.empty()) clause.section = section.title;
            if (clause.code.empty()) clause.code = section.code;
            if (clause.hiddenNumber.empty()) clause.hiddenNumber = clause.number;
            if (clause.originalDisplayTitle.empty())
                clause.originalDisplayTitle =
                    clause.zavTitle.empty() ? clause.number : clause.number + " " + clause.zavTitle;
            all.push_back(std::move(clause));
        }
    return all;
}

std::optional<Clause> Specification::findByNumber(const std::string& key) const {
    if (key.empty()) return std::nullopt;
    std::vector<Clause> all = clauses();
    for (const Clause& clause : all)
        if (clause.number == key) return clause;
    return findByHiddenNumber(key);
}

std::optional<Clause> Specification::findByHiddenNumber(const std::string& hiddenNumber) const {
    if (hiddenNumber.empty()) return std::nullopt;
    for (const Clause& clause : clauses())
        if (clause.hiddenNumber == hiddenNumber) return clause;
    return std::nullopt;
}

SpecificationRead readSpecification(const std::string& path, Specification& spec, std::string* why) {
    std::string bytes;
    if (path.empty() || !readWhole(path, &bytes)) {
        if (why) *why = "no specification file \"" + path + "\"";
        return SpecificationRead::missing;
    }
    SpecificationShipping root(spec);
    if (!parse(bytes, root, why)) return SpecificationRead::malformed;
    return SpecificationRead::ok;
}

bool writeSpecification(const std::string& path, const Specification& spec) {
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<specification";
    if (!spec.title.empty()) text += " title=\"" + xmlEscaped(spec.title) + "\"";
    text += ">\n";
    for (const Section& section : spec.sections) {
        text += " <section title=\"" + xmlEscaped(section.title) + "\"";
        if (!section.code.empty()) text += " code=\"" + xmlEscaped(section.code) + "\"";
        text += ">\n";
        for (const Clause& clause : section.clauses) {
            text += "  <clause";
            for (const NamedText& field : clauseFields)
                if (!(clause.*field.field).empty())
                    text += std::string(" ") + field.name + "=\"" + xmlEscaped(clause.*field.field) + "\"";
            text += "/>\n";
        }
        text += " </section>\n";
    }
    text += "</specification>\n";
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return out.good();
}

std::string xmlEscaped(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

} // namespace zavannotator
