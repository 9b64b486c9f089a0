#include "CommandFile.h"

#include <cstdint>
#include <strings.h>
#include <vector>

#include "AnswerFile.h"
#include "Xml.h"

namespace zavannotator {

namespace {

constexpr char RootName[] = "zavCommand";
constexpr char CommandIDName[] = "commandID";

struct Member {
    const char* name;
    bool optional = false;
};

const std::vector<Member> noMembers;
const std::vector<Member> pathMembers{{"zavPath"}, {"modelPath"}};
const std::vector<Member> annotatedMembers{{"zavPath"}, {"modelPath"}, {"annotation", true}};
const std::vector<Member> retrieveMembers{{"zavPath"}, {"modelPath"}, {"annotations"}};

// isAccepted travels only while the product's ignore mark is being written.
const std::vector<Member> clauseMembers = [] {
    std::vector<Member> members;
    for (const ClauseField& field : ClauseFields)
        members.push_back({field.name, field.field == &Clause::isAccepted});
    return members;
}();

struct Kind {
    const char* name;
    const std::vector<Member>& members;
};

const Kind kinds[] = {
    {"selectSpecification", noMembers},    {"selectAnnotation", pathMembers},
    {"displayReport", pathMembers},        {"displayClause", annotatedMembers},
    {"displayGuidance", annotatedMembers}, {"displayManufacturerInfo", annotatedMembers},
    {"retrieveClause", retrieveMembers},
};

const Kind* findKind(const std::string& name) {
    for (const Kind& kind : kinds)
        if (name == kind.name) return &kind;
    return nullptr;
}

std::string tag(const std::string& name) {
    return "<" + name + ">";
}

std::string quoted(const std::string& text) {
    return AnswerFile::quoted(text);
}

// Decimal digits only, as the product writes an unsigned 32-bit number.
bool isNumber(const std::string& text) {
    if (text.empty() || text.size() > 10) return false;
    uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value <= UINT32_MAX;
}

bool isMember(const std::vector<Member>& members, const std::string& name, size_t from = 0) {
    for (size_t i = from; i < members.size(); ++i)
        if (name == members[i].name) return true;
    return false;
}

// Checks what it reads against the product's document and keeps the first fault it meets.
class Reader {
public:
    std::string refusal;

    void refuse(const std::string& why) {
        if (refusal.empty()) refusal = why;
    }

    // Exactly these attributes, in this order.
    void attributes(const XmlElement& element, const std::vector<std::string>& names) {
        const auto& given = element.attributes;
        for (size_t i = 0; i < given.size(); ++i) {
            if (i < names.size() && given[i].first == names[i]) continue;
            bool known = false;
            for (const std::string& name : names)
                known = known || name == given[i].first;
            if (!known)
                return refuse(tag(element.name) + " has an unknown attribute " + quoted(given[i].first));
            if (i >= names.size()) // a repeated one, which expat refuses before this
                return refuse(tag(element.name) + " has " + quoted(given[i].first) + " twice");
            return refuse(tag(element.name) + " has " + quoted(given[i].first) + " where " +
                          quoted(names[i]) + " belongs");
        }
        if (given.size() < names.size()) refuse(tag(element.name) + " lacks " + quoted(names[given.size()]));
    }

    // Elements only, with blanks and line breaks between them.
    void noText(const XmlElement& element) {
        std::string text = trimmed(element.text);
        if (text.empty()) return;
        if (text.size() > 20) text = text.substr(0, 20) + "...";
        refuse(tag(element.name) + " holds the text " + quoted(text));
    }

    // Exactly these child elements, in this order; an optional one may be left out.
    void members(const XmlElement& element, const std::vector<Member>& expected) {
        const auto& children = element.children;
        size_t next = 0;
        for (size_t i = 0; i < children.size(); ++i) {
            const std::string& name = children[i].name;
            while (next < expected.size() && name != expected[next].name && expected[next].optional &&
                   isMember(expected, name, next + 1))
                ++next;
            if (next < expected.size() && name == expected[next].name) {
                ++next;
                continue;
            }
            if (!isMember(expected, name))
                return refuse(tag(element.name) + " has an unknown member " + tag(name));
            if (next == expected.size())
                return refuse(tag(element.name) + " has " + tag(name) + " after its last member");
            // Out of order when the member that belongs here comes later; else it is missing.
            bool later = false;
            for (size_t k = i + 1; k < children.size(); ++k)
                later = later || children[k].name == expected[next].name;
            if (later || !isMember(expected, name, next + 1))
                return refuse(tag(element.name) + " has " + tag(name) + " where " + tag(expected[next].name) +
                              " belongs");
            return refuse(tag(element.name) + " lacks " + tag(expected[next].name));
        }
        while (next < expected.size() && expected[next].optional)
            ++next;
        if (next < expected.size()) refuse(tag(element.name) + " lacks " + tag(expected[next].name));
    }

    // A text member: no attributes, no elements; trimmed.
    std::string text(const XmlElement& element) {
        attributes(element, {});
        if (!element.children.empty())
            refuse(tag(element.name) + " holds an element " + tag(element.children.front().name));
        return trimmed(element.text);
    }

    void clause(const XmlElement& element, Clause& clause) {
        attributes(element, {});
        noText(element);
        members(element, clauseMembers);
        for (const XmlElement& child : element.children) {
            std::string Clause::*field = clauseField(child.name);
            if (field == nullptr) continue;
            clause.*field = text(child);
            bool flag = field == &Clause::hasBeenReassigned || field == &Clause::isAccepted;
            if (flag && clause.*field != "true" && clause.*field != "false")
                refuse(tag(child.name) + " holds " + quoted(clause.*field) + ", not \"true\" or \"false\"");
        }
    }

    void clauses(const XmlElement& element, std::deque<Clause>& list) {
        attributes(element, {});
        noText(element);
        for (const XmlElement& child : element.children) {
            if (child.name != "annotation") {
                refuse(tag(element.name) + " has an unknown member " + tag(child.name));
                continue;
            }
            list.emplace_back();
            clause(child, list.back());
        }
    }

    void command(const XmlElement& element, Command& command) {
        command.name = element.name;
        const std::string* id = element.attribute(CommandIDName);
        if (id != nullptr && isNumber(*id)) command.commandID = *id;
        const Kind* kind = findKind(element.name);
        command.known = kind != nullptr;
        if (kind == nullptr) return refuse("unknown command " + tag(element.name));
        attributes(element, {CommandIDName});
        if (id != nullptr && !isNumber(*id))
            refuse(tag(element.name) + " has the commandID " + quoted(*id) + ", not a number");
        noText(element);
        members(element, kind->members);
        for (const XmlElement& child : element.children) {
            if (!isMember(kind->members, child.name)) continue;
            if (child.name == "zavPath") {
                command.zavPath = text(child);
            } else if (child.name == "modelPath") {
                command.modelPath = text(child);
            } else if (child.name == "annotation") {
                command.hasAnnotation = true;
                clause(child, command.annotation);
            } else if (child.name == "annotations") {
                command.hasAnnotations = true;
                clauses(child, command.annotations);
            }
        }
    }
};

} // namespace

bool Command::expectsAnswer() const {
    return name != "displayClause" && name != "displayGuidance" && name != "displayManufacturerInfo" &&
           name != "displayReport";
}

bool readCommandText(const std::string& bytes, CommandFile& file, std::string* why) {
    file = CommandFile();
    XmlDocument document;
    bool wellFormed = parseXml(bytes, document, why);
    const XmlElement& root = document.root;
    if (!document.hasRoot || root.name != RootName) {
        if (wellFormed) file.refusal = "the root " + tag(root.name) + " is not " + tag(RootName);
        return wellFormed;
    }
    Reader reader;
    // XML names encodings without regard to case.
    if (!document.encoding.empty() && strcasecmp(document.encoding.c_str(), "UTF-8") != 0)
        reader.refuse("the encoding " + quoted(document.encoding) + " is not \"UTF-8\"");
    const std::string* parent = root.attribute("parent");
    const std::string* version = root.attribute("version");
    file.parent = parent ? *parent : std::string();
    file.version = version ? *version : std::string();
    if (file.parent != KnownParent)
        reader.refuse("parent " + quoted(file.parent) + " is not " + quoted(KnownParent));
    if (file.version != KnownVersion)
        reader.refuse("version " + quoted(file.version) + " is not " + quoted(KnownVersion));
    reader.attributes(root, {"parent", "version"});
    reader.noText(root);
    for (const XmlElement& child : root.children) {
        file.commands.emplace_back();
        reader.command(child, file.commands.back());
    }
    // A file cut short is unreadable, whatever its structure so far.
    if (wellFormed) file.refusal = reader.refusal;
    return wellFormed;
}

bool readCommandFile(const std::string& path, CommandFile& file, std::string* why) {
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        file = CommandFile();
        if (why) *why = "the command file cannot be read";
        return false;
    }
    return readCommandText(bytes, file, why);
}

} // namespace zavannotator
