// The result file: status names, the result classes and their checks after reading, the one-answer
// rule, the receiver, and the clause request through a stand-in of the exchange.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "annotation/AnnotationResult.h"
#include "annotation/CommandList.h"
#include "annotation/ExchangeTestSupport.h"
#include "annotation/Request.h"
#include "annotation/ResultList.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace zavlink;
using exchangetest::Declaration;
using exchangetest::readDocument;
using exchangetest::writeDocument;

namespace {

std::string resultFile(const std::string& body) {
    return Declaration + "<zavResult parent=\"ZAV Annotator\" version=\"3\">\n" + body + "</zavResult>\n";
}

// The number padded, to be trimmed; isAccepted is read whatever the switch.
std::string clause(const std::string& number, const std::string& title) {
    return "<annotation><section>F10</section><code>F10/" + number + "</code><number> " + number +
           "\t</number><revision>C</revision><zavTitle>Brick walling</zavTitle><hiddenNumber>h-" + number +
           "</hiddenNumber><originalDisplayTitle>" + title + "</originalDisplayTitle><modelDisplayTitle>" +
           title +
           "</modelDisplayTitle><hasBeenReassigned>true</hasBeenReassigned><isAccepted>true</isAccepted>"
           "</annotation>";
}

std::string picked(const std::string& attributes, const std::string& inside) {
    return "<selectAnnotation " + attributes + ">" + inside + "</selectAnnotation>";
}

using Accept = std::function<const Result*(bool, const ResultReceiver&)>;
template <class Expected> Accept expecting() {
    return [](bool published, const ResultReceiver& r) -> const Result* {
        return acceptedAnswer<Expected>(published, r);
    };
}

class Results : public ::testing::Test {
protected:
    Results() { ResultList::buildIndex(); }
    ~Results() override { ResultList::releaseIndex(); }

    // Read as the exchange reads the file: into a new list, handed over only when it read.
    bool deliver(const std::string& file) {
        auto list = std::make_shared<ResultList>();
        if (!readDocument(file, *list)) return false;
        receiver.receive(list);
        return true;
    }

    testsupport::ModuleUnderTest module;
    ResultReceiver receiver;
};

} // namespace

TEST(Status, NamesAndCodesBothWays) {
    const char* names[] = {"noError",        "badXML",          "badParameters", "noCommand",
                           "noResponse",     "noZAVExecutable", "generalError",  "specificationNotFound",
                           "clauseNotFound", "userCancelled"};
    uint32_t word = 77;
    Status unit(&word);
    EXPECT_TRUE(unit.isAttribute());
    EXPECT_EQ(unit.getElementName(), String("error"));
    for (uint32_t code = 0; code < Status::CodeCount; ++code) {
        EXPECT_TRUE(unit.readText(String(names[code])));
        EXPECT_EQ(word, code);
        EXPECT_EQ(unit.getText(), String(names[code]));
    }
    EXPECT_TRUE(Status::getName(Status::CodeCount).isEmpty());
    for (const char* wrong : {"", "NoError", "9", " noError", "userCancelled "})
        EXPECT_FALSE(unit.readText(String(wrong))) << '"' << wrong << '"';
    EXPECT_EQ(word, Status::userCancelled); // a refused name leaves the word
    unit.reset();
    EXPECT_EQ(word, Status::noError);
}

TEST_F(Results, TheIndexHoldsTheThreePrototypesInOrder) {
    const Vector<Result>* index = ResultList::Index.get();
    ResultList::buildIndex(); // keeps the first
    ASSERT_EQ(ResultList::Index.get(), index);
    ASSERT_EQ(index->size(), 3u);
    EXPECT_NE(dynamic_cast<RetrieveAnnotationResult*>((*index)[0]), nullptr);
    EXPECT_NE(dynamic_cast<SelectAnnotationResult*>((*index)[1]), nullptr);
    EXPECT_NE(dynamic_cast<SelectSpecificationResult*>((*index)[2]), nullptr);
    for (const Result* prototype : *index)
        EXPECT_EQ(prototype->getCommandID(), 0u);
    // Without prototypes every result is skipped.
    ResultList::releaseIndex();
    EXPECT_EQ(ResultList::Index.get(), nullptr);
    ASSERT_TRUE(deliver(
        resultFile("<selectSpecification commandID=\"1\"><zavPath>/a</zavPath></selectSpecification>")));
    EXPECT_TRUE(receiver.getResults()->empty());
}

TEST_F(Results, OnlyOneResultOfTheExpectedClassWithIdOneAndNoErrorIsAnAnswer) {
    const std::string spec =
        "<selectSpecification commandID=\"1\" error=\"noError\"><zavPath>/s.spec</zavPath>"
        "</selectSpecification>";
    struct Case {
        const char* name;
        std::string body;
        bool reads;
        Accept accept;
        bool answered;
    };
    const std::vector<Case> cases = {
        {"one result", spec, true, expecting<SelectSpecificationResult>(), true},
        {"error absent reads as noError",
         "<selectSpecification commandID=\"1\"><zavPath>/s</zavPath></selectSpecification>", true,
         expecting<SelectSpecificationResult>(), true},
        {"zero results", "", true, expecting<SelectSpecificationResult>(), false},
        {"two results", spec + spec, true, expecting<SelectSpecificationResult>(), false},
        {"commandID 2", "<selectSpecification commandID=\"2\"><zavPath>/s</zavPath></selectSpecification>",
         true, expecting<SelectSpecificationResult>(), false},
        {"commandID absent", "<selectSpecification><zavPath>/s</zavPath></selectSpecification>", true,
         expecting<SelectSpecificationResult>(), false},
        {"an error",
         "<selectSpecification commandID=\"1\" error=\"specificationNotFound\"><zavPath>/s</zavPath>"
         "</selectSpecification>",
         true, expecting<SelectSpecificationResult>(), false},
        {"the wrong class", spec, true, expecting<SelectAnnotationResult>(), false},
        {"cancelled specification without path",
         "<selectSpecification commandID=\"1\" error=\"userCancelled\"><zavPath/></selectSpecification>",
         true, expecting<SelectSpecificationResult>(), false},
        {"no path and no cancel", "<selectSpecification commandID=\"1\"/>", false,
         expecting<SelectSpecificationResult>(), false},
        {"general error without annotation", picked("commandID=\"1\" error=\"generalError\"", ""), false,
         expecting<SelectAnnotationResult>(), false},
        {"cancelled without annotation", picked("commandID=\"1\" error=\"userCancelled\"", ""), true,
         expecting<SelectAnnotationResult>(), false},
        {"cancelled with a blank number",
         picked("commandID=\"1\" error=\"userCancelled\"", "<annotation><number> </number></annotation>"),
         true, expecting<SelectAnnotationResult>(), false},
        {"a blank number", picked("commandID=\"1\"", "<annotation><number>\n</number></annotation>"), false,
         expecting<SelectAnnotationResult>(), false},
        {"a picked clause", picked("commandID=\"1\"", clause("110", "A")), true,
         expecting<SelectAnnotationResult>(), true},
        {"an unknown error name", picked("commandID=\"1\" error=\"notAnError\"", clause("110", "A")), false,
         expecting<SelectAnnotationResult>(), false},
        {"an unknown result is skipped",
         "<displayClause commandID=\"1\"><zavPath>/s</zavPath></displayClause>", true,
         expecting<SelectSpecificationResult>(), false},
        {"an unknown result beside one answer", "<displayReport commandID=\"1\"/>" + spec, true,
         expecting<SelectSpecificationResult>(), true},
        {"retrieved clauses",
         "<retrieveClause commandID=\"1\"><annotations>" + clause("110", "A") +
             "</annotations></retrieveClause>",
         true, expecting<RetrieveAnnotationResult>(), true},
        {"retrieved clause with a blank number",
         "<retrieveClause commandID=\"1\"><annotations><annotation/></annotations></retrieveClause>", false,
         expecting<RetrieveAnnotationResult>(), false},
        {"malformed", "<selectSpecification commandID=\"1\">", false, expecting<SelectSpecificationResult>(),
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        receiver = ResultReceiver();
        EXPECT_EQ(deliver(resultFile(c.body)), c.reads);
        EXPECT_EQ(c.accept(true, receiver) != nullptr, c.answered);
        EXPECT_EQ(c.accept(false, receiver), nullptr); // nothing counts when the publish failed
    }
}

TEST_F(Results, AnswersCarryWhatWasReadAndTheFlagWhetherTheMemberCame) {
    ASSERT_TRUE(deliver(resultFile("<selectSpecification commandID=\"1\"><zavPath>/B\xC3\xA2timent &amp; "
                                   "\xE6\x97\xA5.spec</zavPath></selectSpecification>")));
    const auto* spec = acceptedAnswer<SelectSpecificationResult>(true, receiver);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->getZavPath(), String("/B\xC3\xA2timent & \xE6\x97\xA5.spec"));
    EXPECT_EQ(receiver.getResults()->getParent(), String("ZAV Annotator"));

    ASSERT_TRUE(deliver(resultFile("<retrieveClause commandID=\"1\"><annotations>" + clause("110", "A") +
                                   clause("120", "B") + "</annotations></retrieveClause>")));
    const auto* retrieved = acceptedAnswer<RetrieveAnnotationResult>(true, receiver);
    ASSERT_NE(retrieved, nullptr);
    EXPECT_TRUE(retrieved->isReceived());
    ASSERT_EQ(retrieved->annotations.size(), 2u);
    EXPECT_EQ(retrieved->annotations[1].number, String("120"));

    ASSERT_TRUE(deliver(resultFile("<retrieveClause commandID=\"1\"/>")));
    EXPECT_FALSE(acceptedAnswer<RetrieveAnnotationResult>(true, receiver)->isReceived());
    ASSERT_TRUE(deliver(resultFile(picked("commandID=\"1\" error=\"userCancelled\"", "<annotation/>"))));
    EXPECT_TRUE(dynamic_cast<SelectAnnotationResult&>(*(*receiver.getResults())[0]).isReceived());

    // Writing a result, or its members by index, does not set it; a reset clears it.
    SelectAnnotationResult written;
    writeDocument(written);
    EXPECT_NE(written.makeFieldProxy(2, false), nullptr);
    EXPECT_FALSE(written.isReceived());
    Result& read = *(*receiver.getResults())[0];
    read.reset();
    EXPECT_FALSE(dynamic_cast<SelectAnnotationResult&>(read).isReceived());
    EXPECT_EQ(read.getError(), Status::noError);
}

TEST_F(Results, AResultLeavesOutItsIdAndErrorWhileZero) {
    ResultList list;
    list.setParent(String("p"));
    list.setVersion(String("1"));
    auto first = std::make_unique<SelectSpecificationResult>();
    first->setZavPath(String("/a.spec"));
    list.append(std::move(first));
    auto second = std::make_unique<SelectSpecificationResult>();
    second->setCommandID(1);
    second->setError(Status::userCancelled);
    list.append(std::move(second));
    const std::string expected =
        Declaration + "<zavResult parent=\"p\" version=\"1\">\n"
                      "\t<selectSpecification>\n\t\t<zavPath>/a.spec</zavPath>\n\t</selectSpecification>\n"
                      "\t<selectSpecification commandID=\"1\" error=\"userCancelled\">\n"
                      "\t\t<zavPath/>\n\t</selectSpecification>\n</zavResult>\n";
    EXPECT_EQ(writeDocument(list), expected);
    auto copy = std::dynamic_pointer_cast<ResultList>(list.clone());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE((*copy)[1], list[1]);
    EXPECT_EQ(writeDocument(*copy), expected);
}

TEST(ResultReceiver, KeepsTheLastResultListAndNothingElse) {
    ResultReceiver receiver;
    auto first = std::make_shared<ResultList>();
    receiver.receive(first);
    receiver.receive(std::make_shared<ItemMessage>(4));
    receiver.receive(nullptr);
    EXPECT_EQ(receiver.getResults(), first);
    auto second = std::make_shared<ResultList>();
    receiver.receive(second);
    EXPECT_EQ(receiver.getResults(), second);
}

namespace {

// Stands in for the exchange: keeps the command file and answers with a result file read as the
// exchange reads it. Subscribed while it lives.
class StandInExchange : public Subscriber {
public:
    StandInExchange(std::string answer, bool handled) : m_answer(std::move(answer)), m_handled(handled) {
        getAddon()->add(this);
    }
    ~StandInExchange() override { getAddon()->remove(this); }

    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(CommandList::Type); }
    bool receive(Event& event) override {
        auto& list = dynamic_cast<CommandList&>(event);
        sent.push_back(writeDocument(list));
        auto results = std::make_shared<ResultList>();
        if (!m_answer.empty() && readDocument(m_answer, *results)) event.reply(results);
        return m_handled;
    }

    std::vector<std::string> sent;

private:
    std::string m_answer;
    bool m_handled;
};

} // namespace

TEST_F(Results, RequestAnnotationTakesOnlyAnAcceptedClauseWithATitle) {
    const std::string good = picked("commandID=\"1\"", clause("110", "Fa\xC3\xA7"
                                                                     "ade"));
    struct Case {
        const char* name;
        bool subscribed;
        std::string answer; // empty: nothing delivered
        bool handled;
        bool result;
        bool alert;
        const char* number; // after the call
    };
    const std::vector<Case> cases = {
        {"accepted", true, resultFile(good), true, true, false, "110"},
        {"empty display title", true, resultFile(picked("commandID=\"1\"", clause("120", ""))), true, false,
         true, "120"},
        {"cancelled", true, resultFile(picked("commandID=\"1\" error=\"userCancelled\"", "")), true, false,
         false, "untouched"},
        {"cancelled with a clause", true,
         resultFile(picked("commandID=\"1\" error=\"userCancelled\"", clause("130", "X"))), true, false,
         false, "untouched"},
        {"commandID 2", true, resultFile(picked("commandID=\"2\"", clause("110", "A"))), true, false, false,
         "untouched"},
        {"two results", true, resultFile(good + good), true, false, false, "untouched"},
        {"the wrong class", true,
         resultFile("<selectSpecification commandID=\"1\"><zavPath>/a</zavPath></selectSpecification>"), true,
         false, false, "untouched"},
        {"nothing delivered", true, "", true, false, false, "untouched"},
        {"the exchange declines", true, resultFile(good), false, false, false, "untouched"},
        {"no exchange", false, "", false, false, false, "untouched"},
    };
    const String emptyClause = Host::getResourceString(ExchangeAlertTexts, EmptyClauseItem);
    ASSERT_FALSE(emptyClause.isEmpty());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<StandInExchange> exchange;
        if (c.subscribed) exchange = std::make_unique<StandInExchange>(c.answer, c.handled);
        size_t alerts = module.host().alerts().shown().size();
        Annotation annotation;
        annotation.number = String("untouched");
        EXPECT_EQ(requestAnnotation(annotation), c.result);
        EXPECT_EQ(annotation.number, String(c.number));
        if (exchange) {
            ASSERT_EQ(exchange->sent.size(), 1u);
            EXPECT_NE(exchange->sent[0].find("<selectAnnotation commandID=\"1\">"), std::string::npos);
        }
        ASSERT_EQ(module.host().alerts().shown().size(), alerts + (c.alert ? 1 : 0));
        if (c.alert) {
            EXPECT_EQ(module.host().alerts().shown().back().message, emptyClause.bytes());
            EXPECT_EQ(module.host().alerts().shown().back().headline,
                      Host::getResourceString(Host::FrameworkTexts, 3).bytes()); // the default "Error"
        }
        if (c.result) {
            EXPECT_EQ(annotation.originalDisplayTitle, String("Fa\xC3\xA7"
                                                              "ade"));
            EXPECT_EQ(annotation.hiddenNumber, String("h-110"));
            EXPECT_TRUE(annotation.hasBeenReassigned);
            EXPECT_TRUE(annotation.isAccepted);
        }
    }
}
