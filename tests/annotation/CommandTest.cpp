// The command file: each kind's element and members, the exact documents of every family, and
// every kind read back from its own document.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Environment/Host.h"
#include "annotation/AnnotatedCommand.h"
#include "annotation/AnnotationList.h"
#include "annotation/CommandList.h"
#include "annotation/ExchangeTestSupport.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/PackageStore.h"
#include "platform/api/HostTypes.h"
#include "project/ProgressWindow.h"
#include "project/Project.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace zavlink;
using exchangetest::Declaration;
using exchangetest::readDocument;
using exchangetest::writeDocument;

namespace {

const char SpecPath[] = "/specs/B\xC3\xA2timent & Co <A>.spec";
const char SpecPathXML[] = "/specs/B\xC3\xA2timent &amp; Co &lt;A&gt;.spec";
const char ModelPath[] = "/projects/Maison \xC3\xBC \xE6\x97\xA5.pln";

enum class Family { Bare, Paths, Annotated, Retrieve };

struct Kind {
    const char* element;
    Family family;
    size_t fields;
    std::function<std::unique_ptr<Command>(AnnotationList&, uint32_t)> make;
};

template <class C> auto maker() {
    return [](AnnotationList&, uint32_t id) -> std::unique_ptr<Command> { return std::make_unique<C>(id); };
}

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = {
        {"selectSpecification", Family::Bare, 1, maker<SelectSpecificationCommand>()},
        {"selectAnnotation", Family::Paths, 3, maker<SelectAnnotationCommand>()},
        {"displayReport", Family::Paths, 3, maker<ReviewAnnotationCommand>()},
        {"displayClause", Family::Annotated, 4, maker<DisplayClauseCommand>()},
        {"displayGuidance", Family::Annotated, 4, maker<DisplayGuidanceCommand>()},
        {"displayManufacturerInfo", Family::Annotated, 4, maker<DisplayManufacturerCommand>()},
        {"retrieveClause", Family::Retrieve, 4,
         [](AnnotationList& list, uint32_t id) { return std::make_unique<RetrieveClauseCommand>(list, id); }},
    };
    return all;
}

Annotation clause(const std::string& number, const std::string& title) {
    Annotation a;
    a.section = String("F10");
    a.code = String("F10/" + number);
    a.number = String(number);
    a.revision = String("B");
    a.zavTitle = String("Brick walling");
    a.hiddenNumber = String("h-" + number);
    a.originalDisplayTitle = String(title);
    a.modelDisplayTitle = String(title + " (model)");
    a.hasBeenReassigned = true;
    a.isAccepted = true; // never sent
    return a;
}

std::string clauseXML(const std::string& tabs, const std::string& number, const std::string& title) {
    std::string xml = tabs + "<annotation>\n";
    for (auto [name, text] : {std::pair<std::string, std::string>{"section", "F10"},
                              {"code", "F10/" + number},
                              {"number", number},
                              {"revision", "B"},
                              {"zavTitle", "Brick walling"},
                              {"hiddenNumber", "h-" + number},
                              {"originalDisplayTitle", title},
                              {"modelDisplayTitle", title + " (model)"},
                              {"hasBeenReassigned", "true"}})
        xml += tabs + "\t<" + name + ">" + text + "</" + name + ">\n";
    return xml + tabs + "</annotation>\n";
}

void expectSameClause(const Annotation& a, const Annotation& b) {
    for (auto member : {&Annotation::section, &Annotation::code, &Annotation::number, &Annotation::revision,
                        &Annotation::zavTitle, &Annotation::hiddenNumber, &Annotation::originalDisplayTitle,
                        &Annotation::modelDisplayTitle})
        EXPECT_EQ(a.*member, b.*member);
    EXPECT_EQ(a.hasBeenReassigned, b.hasBeenReassigned);
}

// Reads a command file into fresh commands of the kinds above, their paths emptied so that what
// they hold came from the file.
class CommandFileReader : public XMLArray {
public:
    CommandFileReader(CommandList& list, AnnotationList& clauses)
        : XMLArray(String(CommandList::ElementName)), m_list(list), m_clauses(clauses) {}
    size_t getFieldCount() const override { return 0; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t, bool) override { return nullptr; }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        return m_list.makeFieldProxyByName(name);
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        for (const Kind& kind : kinds()) {
            if (!(name == kind.element)) continue;
            std::unique_ptr<Command> command = kind.make(m_clauses, 0);
            if (auto* paths = dynamic_cast<PathCommand*>(command.get())) {
                paths->setZavPath(String());
                paths->setModelPath(String());
            }
            m_list.append(std::move(command));
            return m_list.makeFieldProxy(m_list.size() + 1, false);
        }
        return nullptr;
    }

private:
    CommandList& m_list;
    AnnotationList& m_clauses;
};

// Neither an assembly nor an array: the list leaves it out.
class OpaqueCommand : public Command {
public:
    using Command::Command;
    std::unique_ptr<Command> clone() const override { return std::make_unique<OpaqueCommand>(*this); }
    String getElementName() const override { return String("opaque"); }
};

class Commands : public ::testing::Test {
protected:
    void setPaths(bool prefs, bool file) {
        Host::getProject()->getPackageStore().removePackage(ZAVLinkPrefs::Code);
        if (prefs) {
            ZAVLinkPrefs stored;
            stored.specificationPath = String(SpecPath);
            Host::getProject()->setPackage(stored, false);
        }
        module.host().project()->filePath = file ? ModelPath : "";
    }

    testsupport::ModuleUnderTest module;
};

std::string opening() {
    return Declaration + "<zavCommand parent=\"ZAVHost\" version=\"22\">\n";
}

} // namespace

TEST_F(Commands, EachKindHasItsElementFieldsAndClone) {
    AnnotationList clauses;
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.element);
        std::unique_ptr<Command> command = kind.make(clauses, 7);
        EXPECT_EQ(command->getElementName(), String(kind.element));
        EXPECT_EQ(command->getFieldCount(), kind.fields);
        std::unique_ptr<Command> copy = command->clone();
        const Command& original = *command;
        const Command& cloned = *copy;
        EXPECT_EQ(typeid(cloned), typeid(original));
        EXPECT_EQ(copy->getCommandID(), 7u);
        // commandID alone is an attribute.
        for (size_t index = 0; index <= kind.fields; ++index)
            EXPECT_EQ(command->makeFieldProxy(index, true) != nullptr, index == 0) << index;
        EXPECT_EQ(command->makeFieldProxy(kind.fields, false), nullptr);
        EXPECT_EQ(command->makeFieldProxyByName(String("nothing")), nullptr);
    }
}

TEST_F(Commands, TheListIsTheExchangeEvent) {
    ItemReceiver receiver;
    AnnotationList clauses;
    CommandList list(&receiver);
    EXPECT_EQ(list.getType(), (EventType{fourCC("ZAVL"), fourCC("TZAV")}));
    EXPECT_EQ(list.getReceiver(), &receiver);
    EXPECT_EQ(list.getProgress(), nullptr);
    list.setProgress(std::make_shared<ProgressMonitor>());
    list.append(std::make_unique<OpaqueCommand>(1));
    list.append(std::make_unique<RetrieveClauseCommand>(clauses, 2));
    EXPECT_EQ(list.getFieldCount(), 4u);
    EXPECT_EQ(list.makeFieldProxy(2, false), nullptr);

    CommandList copy(list);
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_NE(copy[1], list[1]);
    EXPECT_EQ(&dynamic_cast<RetrieveClauseCommand&>(*copy[1]).getList(), &clauses);
    EXPECT_EQ(copy.getReceiver(), &receiver);
    EXPECT_EQ(copy.getProgress(), list.getProgress());
    EXPECT_EQ(writeDocument(copy), writeDocument(list));

    // Parent and version come back with a reset; the commands stay.
    ASSERT_TRUE(readDocument("<zavCommand parent=\"X\" version=\"9\"/>", list));
    EXPECT_EQ(list.getParent(), String("X"));
    list.reset();
    EXPECT_EQ(list.getParent(), String("ZAVHost"));
    EXPECT_EQ(list.getVersion(), String("22"));
    EXPECT_EQ(list.size(), 2u);
}

TEST_F(Commands, ExactDocuments) {
    const std::string paths = "\t\t<zavPath>" + std::string(SpecPathXML) + "</zavPath>\n\t\t<modelPath>" +
                              ModelPath + "</modelPath>\n";
    const std::string noPaths = "\t\t<zavPath/>\n\t\t<modelPath/>\n";
    struct Golden {
        const char* name;
        bool withPaths;
        std::function<std::unique_ptr<Command>(AnnotationList&)> make;
        std::string body;
    };
    const std::vector<Golden> goldens = {
        {"no command", true, nullptr, ""},
        {"not XML", true, [](AnnotationList&) { return std::make_unique<OpaqueCommand>(1); }, ""},
        {"select specification", true,
         [](AnnotationList&) { return std::make_unique<SelectSpecificationCommand>(1); },
         "\t<selectSpecification commandID=\"1\"/>\n"},
        {"select annotation without prefs or file", false,
         [](AnnotationList&) { return std::make_unique<SelectAnnotationCommand>(1); },
         "\t<selectAnnotation commandID=\"1\">\n" + noPaths + "\t</selectAnnotation>\n"},
        {"review with both paths", true,
         [](AnnotationList&) { return std::make_unique<ReviewAnnotationCommand>(1); },
         "\t<displayReport commandID=\"1\">\n" + paths + "\t</displayReport>\n"},
        {"display without annotation", true,
         [](AnnotationList&) {
             auto c = std::make_unique<DisplayGuidanceCommand>(1);
             c->annotation = clause("110", "Facing brick");
             return c;
         },
         "\t<displayGuidance commandID=\"1\">\n" + paths + "\t</displayGuidance>\n"},
        {"display with annotation", true,
         [](AnnotationList&) {
             auto c = std::make_unique<DisplayClauseCommand>(1);
             c->annotation = clause("110", "Facing brick");
             c->hasAnnotation = true;
             return c;
         },
         "\t<displayClause commandID=\"1\">\n" + paths + clauseXML("\t\t", "110", "Facing brick") +
             "\t</displayClause>\n"},
        {"retrieve over an empty list", false,
         [](AnnotationList& list) { return std::make_unique<RetrieveClauseCommand>(list, 1); },
         "\t<retrieveClause commandID=\"1\">\n" + noPaths + "\t\t<annotations/>\n\t</retrieveClause>\n"},
        {"retrieve over two clauses", true,
         [](AnnotationList& list) {
             list.push_back(clause("110", "Facing brick"));
             list.push_back(clause("120", "\xE2\x82\xAC brick"));
             return std::make_unique<RetrieveClauseCommand>(list, 1);
         },
         "\t<retrieveClause commandID=\"1\">\n" + paths + "\t\t<annotations>\n" +
             clauseXML("\t\t\t", "110", "Facing brick") + clauseXML("\t\t\t", "120", "\xE2\x82\xAC brick") +
             "\t\t</annotations>\n\t</retrieveClause>\n"},
    };
    for (const Golden& golden : goldens) {
        SCOPED_TRACE(golden.name);
        setPaths(golden.withPaths, golden.withPaths);
        AnnotationList clauses;
        CommandList list;
        if (golden.make) list.append(golden.make(clauses));
        std::string expected = golden.body.empty()
                                   ? Declaration + "<zavCommand parent=\"ZAVHost\" version=\"22\"/>\n"
                                   : opening() + golden.body + "</zavCommand>\n";
        EXPECT_EQ(writeDocument(list), expected);
    }
}

TEST_F(Commands, PathsComeFromThePreferencesAndTheProjectFileEachOnItsOwn) {
    for (bool prefs : {false, true}) {
        for (bool file : {false, true}) {
            SCOPED_TRACE(std::string("prefs ") + (prefs ? "yes" : "no") + ", file " + (file ? "yes" : "no"));
            setPaths(prefs, file);
            SelectAnnotationCommand made(1);
            EXPECT_EQ(made.getZavPath(), String(prefs ? SpecPath : ""));
            EXPECT_EQ(made.getModelPath(), String(file ? ModelPath : ""));
            // A reset fetches them afresh.
            setPaths(!prefs, !file);
            made.reset();
            EXPECT_EQ(made.getZavPath(), String(prefs ? "" : SpecPath));
            EXPECT_EQ(made.getModelPath(), String(file ? "" : ModelPath));
        }
    }
}

TEST(CommandsWithoutProject, HaveNoPaths) {
    testsupport::ModuleUnderTest noProject{nullptr, false};
    ReviewAnnotationCommand command(1);
    EXPECT_TRUE(command.getZavPath().isEmpty());
    EXPECT_TRUE(command.getModelPath().isEmpty());
}

TEST_F(Commands, MakingARetrieveCommandLeavesTheCallersListButAResetEmptiesIt) {
    setPaths(true, true);
    AnnotationList clauses;
    clauses.push_back(clause("110", "Facing brick"));
    RetrieveClauseCommand command(clauses, 1);
    RetrieveClauseCommand copy(command);
    EXPECT_EQ(clauses.size(), 1u);
    // The paths stay, even when the project no longer gives them.
    setPaths(false, false);
    command.reset();
    EXPECT_TRUE(clauses.empty());
    EXPECT_EQ(command.getZavPath(), String(SpecPath));
    EXPECT_EQ(command.getModelPath(), String(ModelPath));
}

TEST_F(Commands, AnAnnotatedCommandResetDropsItsClause) {
    DisplayManufacturerCommand command(1);
    command.annotation = clause("110", "Facing brick");
    command.hasAnnotation = true;
    command.reset();
    EXPECT_FALSE(command.hasAnnotation);
    EXPECT_TRUE(command.annotation.number.isEmpty());
    EXPECT_EQ(command.getCommandID(), 0u);
}

TEST_F(Commands, EveryKindReadsBackFromItsDocument) {
    setPaths(true, true);
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.element);
        AnnotationList sent;
        sent.push_back(clause("110", "Fa\xC3\xA7"
                                     "ade \xE2\x80\x93 brick"));
        sent.push_back(clause("120", "Common brick"));
        CommandList list;
        list.append(kind.make(sent, 1));
        if (auto* annotated = dynamic_cast<AnnotatedCommand*>(list[0])) {
            annotated->annotation = clause("130", "\xE6\x97\xA5\xE6\x9C\xAC <tile> & \"grout\"");
            annotated->hasAnnotation = true;
        }
        std::string document = writeDocument(list);

        AnnotationList received;
        CommandList back;
        CommandFileReader reader(back, received);
        ASSERT_TRUE(readDocument(document, reader)) << document;
        ASSERT_EQ(back.size(), 1u);
        const Command& read = *back[0];
        // A retrieveClause finds its clauses by name and nothing else: its id and paths stay unread.
        const bool listAlone = kind.family == Family::Retrieve;
        EXPECT_EQ(read.getCommandID(), listAlone ? 0u : 1u);
        if (kind.family != Family::Bare) {
            EXPECT_EQ(dynamic_cast<const PathCommand&>(read).getZavPath(), String(listAlone ? "" : SpecPath));
            EXPECT_EQ(dynamic_cast<const PathCommand&>(read).getModelPath(),
                      String(listAlone ? "" : ModelPath));
        }
        if (kind.family == Family::Annotated) {
            const auto& annotated = dynamic_cast<const AnnotatedCommand&>(read);
            EXPECT_TRUE(annotated.hasAnnotation);
            expectSameClause(annotated.annotation,
                             dynamic_cast<const AnnotatedCommand&>(*list[0]).annotation);
            EXPECT_FALSE(annotated.annotation.isAccepted);
        }
        if (kind.family == Family::Retrieve) {
            ASSERT_EQ(received.size(), 2u);
            expectSameClause(received[0], sent[0]);
            expectSameClause(received[1], sent[1]);
        }
        if (!listAlone) {
            EXPECT_EQ(writeDocument(back), document);
        }
    }
}

TEST_F(Commands, ARetrieveCommandKnowsOnlyItsListByName) {
    AnnotationList clauses;
    RetrieveClauseCommand retrieve(clauses, 1);
    EXPECT_NE(retrieve.makeFieldProxyByName(String("annotations")), nullptr);
    for (const char* name : {"commandID", "zavPath", "modelPath", "annotation", "retrieveClause", "nothing"})
        EXPECT_EQ(retrieve.makeFieldProxyByName(String(name)), nullptr) << name;
    // Other path commands still know theirs.
    SelectAnnotationCommand select(1);
    for (const char* name : {"commandID", "zavPath", "modelPath"})
        EXPECT_NE(select.makeFieldProxyByName(String(name)), nullptr) << name;
    EXPECT_EQ(select.makeFieldProxyByName(String("annotations")), nullptr);
}
