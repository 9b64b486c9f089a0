// The command file: each command kind's element and members, the list's attributes, the exact
// documents written, and every kind read back from its own document.
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
    std::function<std::unique_ptr<Command>(AnnotationList&, uint32_t)> make;
};

const std::vector<Kind>& kinds() {
    static const std::vector<Kind> all = {
        {"selectSpecification", Family::Bare,
         [](AnnotationList&, uint32_t id) { return std::make_unique<SelectSpecificationCommand>(id); }},
        {"selectAnnotation", Family::Paths,
         [](AnnotationList&, uint32_t id) { return std::make_unique<SelectAnnotationCommand>(id); }},
        {"displayReport", Family::Paths,
         [](AnnotationList&, uint32_t id) { return std::make_unique<ReviewAnnotationCommand>(id); }},
        {"displayClause", Family::Annotated,
         [](AnnotationList&, uint32_t id) { return std::make_unique<DisplayClauseCommand>(id); }},
        {"displayGuidance", Family::Annotated,
         [](AnnotationList&, uint32_t id) { return std::make_unique<DisplayGuidanceCommand>(id); }},
        {"displayManufacturerInfo", Family::Annotated,
         [](AnnotationList&, uint32_t id) { return std::make_unique<DisplayManufacturerCommand>(id); }},
        {"retrieveClause", Family::Retrieve,
         [](AnnotationList& list, uint32_t id) { return std::make_unique<RetrieveClauseCommand>(list, id); }},
    };
    return all;
}

Annotation clause(const std::string& number, const std::string& title) {
    Annotation a;
    a.section = String("F10");
    a.code = String("F10/") + String(number);
    a.number = String(number);
    a.revision = String("B");
    a.zavTitle = String("Brick walling");
    a.hiddenNumber = String("h-") + String(number);
    a.originalDisplayTitle = String(title);
    a.modelDisplayTitle = String(title) + " (model)";
    a.hasBeenReassigned = true;
    a.isAccepted = true; // never shipped in a command
    return a;
}

std::string clauseXML(const std::string& tabs, const std::string& number, const std::string& title) {
    auto line = [&](const std::string& name, const std::string& text) {
        return tabs + "\t<" + name + ">" + text + "</" + name + ">\n";
    };
    return tabs + "<annotation>\n" + line("section", "F10") + line("code", "F10/" + number) +
           line("number", number) + line("revision", "B") + line("zavTitle", "Brick walling") +
           line("hiddenNumber", "h-" + number) + line("originalDisplayTitle", title) +
           line("modelDisplayTitle", title + " (model)") + line("hasBeenReassigned", "true") + tabs +
           "</annotation>\n";
}

void expectSameClause(const Annotation& a, const Annotation& b) {
    EXPECT_EQ(a.section, b.section);
    EXPECT_EQ(a.code, b.code);
    EXPECT_EQ(a.number, b.number);
    EXPECT_EQ(a.revision, b.revision);
    EXPECT_EQ(a.zavTitle, b.zavTitle);
    EXPECT_EQ(a.hiddenNumber, b.hiddenNumber);
    EXPECT_EQ(a.originalDisplayTitle, b.originalDisplayTitle);
    EXPECT_EQ(a.modelDisplayTitle, b.modelDisplayTitle);
    EXPECT_EQ(a.hasBeenReassigned, b.hasBeenReassigned);
}

// Reads a command file into fresh commands of the kinds above, made with empty paths so that
// whatever they hold came from the file.
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

// A command that is not XML: the list leaves it out.
class OpaqueCommand : public Command {
public:
    using Command::Command;
    std::unique_ptr<Command> clone() const override { return std::make_unique<OpaqueCommand>(*this); }
    String getElementName() const override { return String("opaque"); }
};

class Commands : public ::testing::Test {
protected:
    void givePaths() {
        ZAVLinkPrefs prefs;
        prefs.specificationPath = String(SpecPath);
        Host::getProject()->setPackage(prefs, false);
        module.host().project()->filePath = ModelPath;
    }
    std::string documentOf(std::unique_ptr<Command> command) {
        CommandList list;
        list.append(std::move(command));
        return writeDocument(list);
    }

    testsupport::ModuleUnderTest module;
};

std::string opening() {
    return Declaration + "<zavCommand parent=\"" + HostApplicationName + "\" version=\"22\">\n";
}

} // namespace

TEST_F(Commands, EachKindHasItsElementFieldsAndClone) {
    const size_t fields[] = {1, 3, 3, 4, 4, 4, 4};
    AnnotationList clauses;
    for (size_t i = 0; i < kinds().size(); ++i) {
        const Kind& kind = kinds()[i];
        SCOPED_TRACE(kind.element);
        std::unique_ptr<Command> command = kind.make(clauses, 7);
        EXPECT_EQ(command->getElementName(), String(kind.element));
        EXPECT_EQ(command->getFieldCount(), fields[i]);
        EXPECT_EQ(command->getCommandID(), 7u);
        std::unique_ptr<Command> copy = command->clone();
        const Command& original = *command;
        const Command& cloned = *copy;
        EXPECT_EQ(typeid(cloned), typeid(original));
        EXPECT_EQ(copy->getCommandID(), 7u);
        // Only commandID is an attribute; past the members there is nothing.
        auto id = command->makeFieldProxy(0, true);
        ASSERT_NE(id, nullptr);
        EXPECT_TRUE(id->asUnit() && id->asUnit()->isAttribute());
        for (size_t index = 1; index <= fields[i]; ++index)
            EXPECT_EQ(command->makeFieldProxy(index, true), nullptr) << index;
        EXPECT_EQ(command->makeFieldProxy(fields[i], false), nullptr);
        EXPECT_NE(command->makeFieldProxyByName(String("commandID")), nullptr);
        EXPECT_EQ(command->makeFieldProxyByName(String("nothing")), nullptr);
        command->reset();
        EXPECT_EQ(command->getCommandID(), 0u);
    }
}

TEST_F(Commands, TheListIsTheExchangeEventWithTheHostsNameAndVersion) {
    ItemReceiver receiver;
    CommandList list(&receiver);
    EXPECT_EQ(list.getSource(), fourCC("ZAVL"));
    EXPECT_EQ(list.getKind(), fourCC("TZAV"));
    EXPECT_EQ(list.getReceiver(), &receiver);
    EXPECT_EQ(list.getParent(), String(HostApplicationName));
    EXPECT_EQ(list.getVersion(), String("22"));
    EXPECT_EQ(list.getProgress(), nullptr);
    EXPECT_EQ(CommandList().getReceiver(), nullptr);

    // Parent and version read from elsewhere come back with a reset; the commands stay.
    list.append(std::make_unique<SelectSpecificationCommand>(1));
    ASSERT_TRUE(readDocument("<zavCommand parent=\"X\" version=\"9\"/>", list));
    EXPECT_EQ(list.getParent(), String("X"));
    list.reset();
    EXPECT_EQ(list.getParent(), String(HostApplicationName));
    EXPECT_EQ(list.getVersion(), String("22"));
    EXPECT_EQ(list.size(), 1u);
}

TEST_F(Commands, ACopyClonesTheCommandsAndSharesTheProgress) {
    ItemReceiver receiver;
    AnnotationList clauses;
    CommandList list(&receiver);
    auto progress = std::make_shared<ProgressMonitor>();
    list.setProgress(progress);
    list.append(std::make_unique<SelectAnnotationCommand>(1));
    list.append(std::make_unique<RetrieveClauseCommand>(clauses, 2));
    CommandList copy(list);
    ASSERT_EQ(copy.size(), 2u);
    EXPECT_NE(copy[0], list[0]);
    EXPECT_EQ(copy[0]->getElementName(), String("selectAnnotation"));
    EXPECT_EQ(copy[1]->getCommandID(), 2u);
    EXPECT_EQ(&dynamic_cast<RetrieveClauseCommand&>(*copy[1]).getList(), &clauses);
    EXPECT_EQ(copy.getReceiver(), &receiver);
    EXPECT_EQ(copy.getType(), CommandList::Type);
    EXPECT_EQ(copy.getProgress(), progress);
    EXPECT_EQ(writeDocument(copy), writeDocument(list));
}

struct Golden {
    const char* name;
    bool withPaths;
    std::function<std::unique_ptr<Command>(AnnotationList&)> make;
    std::string body; // between the root's tags
};

TEST_F(Commands, ExactDocuments) {
    const std::string paths = "\t\t<zavPath>" + std::string(SpecPathXML) + "</zavPath>\n\t\t<modelPath>" +
                              ModelPath + "</modelPath>\n";
    const std::string noPaths = "\t\t<zavPath/>\n\t\t<modelPath/>\n";
    const std::vector<Golden> goldens = {
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
             list.push_back(clause("120", "Common brick"));
             return std::make_unique<RetrieveClauseCommand>(list, 1);
         },
         "\t<retrieveClause commandID=\"1\">\n" + paths + "\t\t<annotations>\n" +
             clauseXML("\t\t\t", "110", "Facing brick") + clauseXML("\t\t\t", "120", "Common brick") +
             "\t\t</annotations>\n\t</retrieveClause>\n"},
    };
    givePaths();
    for (const Golden& golden : goldens) {
        SCOPED_TRACE(golden.name);
        if (!golden.withPaths) {
            Host::getProject()->getPackageStore().removePackage(ZAVLinkPrefs::Code);
            module.host().project()->filePath.clear();
        }
        AnnotationList clauses;
        EXPECT_EQ(documentOf(golden.make(clauses)), opening() + golden.body + "</zavCommand>\n");
        if (!golden.withPaths) givePaths();
    }
}

TEST_F(Commands, AnEmptyListIsARootWithItsAttributesOnly) {
    CommandList list;
    EXPECT_EQ(writeDocument(list),
              Declaration + "<zavCommand parent=\"" + HostApplicationName + "\" version=\"22\"/>\n");
}

TEST_F(Commands, ACommandThatIsNotXMLIsLeftOut) {
    CommandList list;
    list.append(std::make_unique<OpaqueCommand>(1));
    list.append(std::make_unique<SelectSpecificationCommand>(1));
    EXPECT_EQ(list.getFieldCount(), 4u);
    EXPECT_EQ(list.makeFieldProxy(2, false), nullptr);
    EXPECT_EQ(list.makeFieldProxy(4, false), nullptr);
    EXPECT_EQ(writeDocument(list), opening() + "\t<selectSpecification commandID=\"1\"/>\n</zavCommand>\n");
}

TEST_F(Commands, PathsComeFromThePreferencesAndTheProjectFileEachOnItsOwn) {
    struct Case {
        bool prefs;
        bool file;
        const char* zavPath;
        const char* modelPath;
    };
    for (const Case& c : {Case{false, false, "", ""}, Case{true, false, SpecPath, ""},
                          Case{false, true, "", ModelPath}, Case{true, true, SpecPath, ModelPath}}) {
        SCOPED_TRACE(std::string("prefs ") + (c.prefs ? "yes" : "no") + ", file " + (c.file ? "yes" : "no"));
        Host::getProject()->getPackageStore().removePackage(ZAVLinkPrefs::Code);
        if (c.prefs) {
            ZAVLinkPrefs prefs;
            prefs.specificationPath = String(SpecPath);
            Host::getProject()->setPackage(prefs, false);
        }
        module.host().project()->filePath = c.file ? ModelPath : "";
        SelectAnnotationCommand made(1);
        EXPECT_EQ(made.getZavPath(), String(c.zavPath));
        EXPECT_EQ(made.getModelPath(), String(c.modelPath));
        // A reset fetches them afresh.
        made.setZavPath(String("old"));
        made.setModelPath(String("old"));
        made.reset();
        EXPECT_EQ(made.getZavPath(), String(c.zavPath));
        EXPECT_EQ(made.getModelPath(), String(c.modelPath));
    }
}

TEST(CommandsWithoutProject, PathsAreEmpty) {
    testsupport::ModuleUnderTest module{nullptr, false};
    ReviewAnnotationCommand command(1);
    EXPECT_TRUE(command.getZavPath().isEmpty());
    EXPECT_TRUE(command.getModelPath().isEmpty());
}

TEST_F(Commands, MakingARetrieveCommandLeavesTheCallersListButAResetEmptiesIt) {
    givePaths();
    AnnotationList clauses;
    clauses.push_back(clause("110", "Facing brick"));
    RetrieveClauseCommand command(clauses, 1);
    EXPECT_EQ(clauses.size(), 1u);
    EXPECT_EQ(command.getZavPath(), String(SpecPath));
    RetrieveClauseCommand copy(command);
    EXPECT_EQ(clauses.size(), 1u);

    // The paths stay with the reset, even when the project no longer gives them.
    module.host().project()->filePath.clear();
    command.reset();
    EXPECT_TRUE(clauses.empty());
    EXPECT_EQ(command.getCommandID(), 0u);
    EXPECT_EQ(command.getZavPath(), String(SpecPath));
    EXPECT_EQ(command.getModelPath(), String(ModelPath));
}

TEST_F(Commands, AnAnnotatedCommandCopiesAndResetsItsClause) {
    givePaths();
    DisplayManufacturerCommand command(1);
    command.annotation = clause("110", "Facing brick");
    command.hasAnnotation = true;
    DisplayManufacturerCommand copy(command);
    EXPECT_TRUE(copy.hasAnnotation);
    expectSameClause(copy.annotation, command.annotation);
    EXPECT_EQ(copy.getZavPath(), String(SpecPath));

    command.reset();
    EXPECT_FALSE(command.hasAnnotation);
    EXPECT_TRUE(command.annotation.number.isEmpty());
    EXPECT_EQ(command.getModelPath(), String(ModelPath));
    // The proxy of the clause follows the flag.
    auto proxy = command.makeFieldProxy(3, false);
    ASSERT_NE(proxy, nullptr);
    EXPECT_FALSE(proxy->isEnabled());
}

TEST_F(Commands, EveryKindReadsBackFromItsDocument) {
    givePaths();
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
        EXPECT_EQ(back.getParent(), String(HostApplicationName));
        EXPECT_EQ(back.getVersion(), String("22"));
        ASSERT_EQ(back.size(), 1u);
        const Command& read = *back[0];
        EXPECT_EQ(read.getElementName(), String(kind.element));
        EXPECT_EQ(read.getCommandID(), 1u);
        if (kind.family != Family::Bare) {
            const auto& paths = dynamic_cast<const PathCommand&>(read);
            EXPECT_EQ(paths.getZavPath(), String(SpecPath));
            EXPECT_EQ(paths.getModelPath(), String(ModelPath));
        }
        if (kind.family == Family::Annotated) {
            const auto& annotated = dynamic_cast<const AnnotatedCommand&>(read);
            EXPECT_TRUE(annotated.hasAnnotation);
            expectSameClause(annotated.annotation,
                             dynamic_cast<const AnnotatedCommand&>(*list[0]).annotation);
            // The accepted mark is never sent.
            EXPECT_FALSE(annotated.annotation.isAccepted);
        }
        if (kind.family == Family::Retrieve) {
            ASSERT_EQ(received.size(), 2u);
            expectSameClause(received[0], sent[0]);
            expectSameClause(received[1], sent[1]);
        }
        EXPECT_EQ(writeDocument(back), document);
    }
}

TEST_F(Commands, TextTravelsAsUTF8Bytes) {
    givePaths();
    auto command = std::make_unique<DisplayClauseCommand>(1);
    command->annotation = clause("110", "\xC3\xA9\xE2\x82\xAC\xF0\x9F\xA7\xB1");
    command->hasAnnotation = true;
    std::string document = documentOf(std::move(command));
    EXPECT_NE(
        document.find("<originalDisplayTitle>\xC3\xA9\xE2\x82\xAC\xF0\x9F\xA7\xB1</originalDisplayTitle>"),
        std::string::npos);
    EXPECT_NE(document.find("<modelPath>/projects/Maison \xC3\xBC \xE6\x97\xA5.pln</modelPath>"),
              std::string::npos);
    EXPECT_EQ(document.find("&#"), std::string::npos); // nothing escaped as a character reference
}
