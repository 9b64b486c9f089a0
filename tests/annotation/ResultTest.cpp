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

std::string clause(const std::string& number, const std::string& title) {
    return "<annotation><section>F10</section><code>F10/" + number + "</code><number> " + number +
           "\t</number><revision>C</revision><zavTitle>Brick walling</zavTitle><hiddenNumber>h-" + number +
           "</hiddenNumber><originalDisplayTitle>" + title + "</originalDisplayTitle><modelDisplayTitle>" +
           title +
           "</modelDisplayTitle><hasBeenReassigned>true</hasBeenReassigned>"
           "<isAccepted>true</isAccepted></annotation>";
}

// The acceptance rule with one expected class.
using Accept = std::function<const Result*(bool, const ResultReceiver&)>;
template <class Expected> Accept expecting() {
    return [](bool published, const ResultReceiver& receiver) -> const Result* {
        return acceptedAnswer<Expected>(published, receiver);
    };
}

class Results : public ::testing::Test {
protected:
    Results() { ResultList::buildIndex(); }
    ~Results() override { ResultList::releaseIndex(); }

    // Reads the file as the exchange does, into a new list handed to the receiver.
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
    for (uint32_t code = 0; code < Status::CodeCount; ++code) {
        SCOPED_TRACE(names[code]);
        EXPECT_EQ(Status::getName(code), String(names[code]));
        uint32_t word = 77;
        Status unit(&word);
        EXPECT_TRUE(unit.readText(String(names[code])));
        EXPECT_EQ(word, code);
        EXPECT_EQ(unit.getText(), String(names[code]));
    }
    EXPECT_EQ(Status::userCancelled, 9u);
    EXPECT_TRUE(Status::getName(Status::CodeCount).isEmpty());
    uint32_t word = Status::clauseNotFound;
    Status unit(&word);
    EXPECT_TRUE(unit.isAttribute());
    EXPECT_EQ(unit.getElementName(), String("error"));
    for (const char* wrong : {"", "NoError", "noerror", "9", " noError", "userCancelled "})
        EXPECT_FALSE(unit.readText(String(wrong))) << '"' << wrong << '"';
    EXPECT_EQ(word, Status::clauseNotFound); // a refused name leaves the word
    unit.reset();
    EXPECT_EQ(word, Status::noError);
}

TEST_F(Results, TheIndexHoldsTheThreePrototypesInOrder) {
    const Vector<Result>* index = ResultList::getIndex();
    ASSERT_NE(index, nullptr);
    ResultList::buildIndex(); // a second build keeps the first
    EXPECT_EQ(ResultList::getIndex(), index);
    ASSERT_EQ(index->size(), 3u);
    EXPECT_NE(dynamic_cast<RetrieveAnnotationResult*>((*index)[0]), nullptr);
    EXPECT_NE(dynamic_cast<SelectAnnotationResult*>((*index)[1]), nullptr);
    EXPECT_NE(dynamic_cast<SelectSpecificationResult*>((*index)[2]), nullptr);
    for (const Result* prototype : *index) {
        EXPECT_EQ(prototype->getCommandID(), 0u);
        EXPECT_EQ(prototype->getFieldCount(), 3u);
    }
    ResultList::releaseIndex();
    EXPECT_EQ(ResultList::getIndex(), nullptr);
    // Without prototypes every result is skipped.
    ResultList list;
    ASSERT_TRUE(readDocument(
        resultFile("<selectSpecification commandID=\"1\"><zavPath>/a.spec</zavPath></selectSpecification>"),
        list));
    EXPECT_TRUE(list.empty());
}

struct ReadCase {
    const char* name;
    std::string body;
    bool reads;
    Accept accept;
    bool answered;
};

TEST_F(Results, OnlyOneResultOfTheExpectedClassWithIdOneAndNoErrorIsAnAnswer) {
    const std::string spec =
        "<selectSpecification commandID=\"1\" error=\"noError\"><zavPath>/s.spec</zavPath>"
        "</selectSpecification>";
    const std::vector<ReadCase> cases = {
        {"one result", spec, true, expecting<SelectSpecificationResult>(), true},
        {"error absent reads as noError",
         "<selectSpecification commandID=\"1\"><zavPath>/s.spec</zavPath></selectSpecification>", true,
         expecting<SelectSpecificationResult>(), true},
        {"zero results", "", true, expecting<SelectSpecificationResult>(), false},
        {"two results", spec + spec, true, expecting<SelectSpecificationResult>(), false},
        {"commandID 2",
         "<selectSpecification commandID=\"2\"><zavPath>/s.spec</zavPath></selectSpecification>", true,
         expecting<SelectSpecificationResult>(), false},
        {"commandID absent", "<selectSpecification><zavPath>/s.spec</zavPath></selectSpecification>", true,
         expecting<SelectSpecificationResult>(), false},
        {"an error",
         "<selectSpecification commandID=\"1\" error=\"specificationNotFound\"><zavPath>/s.spec</zavPath>"
         "</selectSpecification>",
         true, expecting<SelectSpecificationResult>(), false},
        {"the wrong class", spec, true, expecting<SelectAnnotationResult>(), false},
        {"cancelled specification without path",
         "<selectSpecification commandID=\"1\" error=\"userCancelled\"><zavPath/></selectSpecification>",
         true, expecting<SelectSpecificationResult>(), false},
        {"a chosen specification without path",
         "<selectSpecification commandID=\"1\" error=\"noError\"><zavPath>  </zavPath></selectSpecification>",
         true, expecting<SelectSpecificationResult>(), true},
        {"no path and no cancel", "<selectSpecification commandID=\"1\"/>", false,
         expecting<SelectSpecificationResult>(), false},
        {"general error without annotation", "<selectAnnotation commandID=\"1\" error=\"generalError\"/>",
         false, expecting<SelectAnnotationResult>(), false},
        {"cancelled without annotation", "<selectAnnotation commandID=\"1\" error=\"userCancelled\"/>", true,
         expecting<SelectAnnotationResult>(), false},
        {"cancelled with a blank number",
         "<selectAnnotation commandID=\"1\" error=\"userCancelled\"><annotation><number> "
         "</number></annotation>"
         "</selectAnnotation>",
         true, expecting<SelectAnnotationResult>(), false},
        {"a blank number",
         "<selectAnnotation commandID=\"1\"><annotation><number>\n</number></annotation>"
         "</selectAnnotation>",
         false, expecting<SelectAnnotationResult>(), false},
        {"a picked clause",
         "<selectAnnotation commandID=\"1\">" + clause("110", "Facing brick") + "</selectAnnotation>", true,
         expecting<SelectAnnotationResult>(), true},
        {"an unknown error name",
         "<selectAnnotation commandID=\"1\" error=\"notAnError\">" + clause("110", "Facing brick") +
             "</selectAnnotation>",
         false, expecting<SelectAnnotationResult>(), false},
        {"an unknown result is skipped",
         "<displayClause commandID=\"1\"><zavPath>/s.spec</zavPath></displayClause>", true,
         expecting<SelectSpecificationResult>(), false},
        {"an unknown result beside one answer", "<displayReport commandID=\"1\"/>" + spec, true,
         expecting<SelectSpecificationResult>(), true},
        {"retrieved clauses",
         "<retrieveClause commandID=\"1\"><annotations>" + clause("110", "A") + clause("120", "B") +
             "</annotations></retrieveClause>",
         true, expecting<RetrieveAnnotationResult>(), true},
        {"retrieved clause with a blank number",
         "<retrieveClause commandID=\"1\"><annotations><annotation><number/></annotation></annotations>"
         "</retrieveClause>",
         false, expecting<RetrieveAnnotationResult>(), false},
        {"malformed", "<selectSpecification commandID=\"1\">", false, expecting<SelectSpecificationResult>(),
         false},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        receiver = ResultReceiver();
        EXPECT_EQ(deliver(resultFile(c.body)), c.reads);
        EXPECT_EQ(c.accept(true, receiver) != nullptr, c.answered);
        // Nothing is an answer when the publish failed.
        EXPECT_EQ(c.accept(false, receiver), nullptr);
    }
}

TEST_F(Results, AnswersCarryWhatWasRead) {
    ASSERT_TRUE(
        deliver(resultFile("<selectSpecification commandID=\"1\"><zavPath>/specs/B\xC3\xA2timent &amp; "
                           "\xE6\x97\xA5.spec</zavPath></selectSpecification>")));
    const auto* spec = acceptedAnswer<SelectSpecificationResult>(true, receiver);
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(spec->getZavPath(), String("/specs/B\xC3\xA2timent & \xE6\x97\xA5.spec"));
    EXPECT_EQ(receiver.getResults()->getParent(), String("ZAV Annotator"));
    EXPECT_EQ(receiver.getResults()->getVersion(), String("3"));

    ASSERT_TRUE(deliver(resultFile("<selectAnnotation commandID=\"1\">" +
                                   clause("110", "Fa\xC3\xA7"
                                                 "ade") +
                                   "</selectAnnotation>")));
    const auto* picked = acceptedAnswer<SelectAnnotationResult>(true, receiver);
    ASSERT_NE(picked, nullptr);
    EXPECT_TRUE(picked->isReceived());
    EXPECT_EQ(picked->annotation.number, String("110")); // trimmed
    EXPECT_EQ(picked->annotation.originalDisplayTitle, String("Fa\xC3\xA7"
                                                              "ade"));
    EXPECT_TRUE(picked->annotation.isAccepted);
    EXPECT_TRUE(picked->annotation.hasBeenReassigned);

    ASSERT_TRUE(deliver(resultFile("<retrieveClause commandID=\"1\"><annotations>" + clause("110", "A") +
                                   clause("120", "B") + "</annotations></retrieveClause>")));
    const auto* retrieved = acceptedAnswer<RetrieveAnnotationResult>(true, receiver);
    ASSERT_NE(retrieved, nullptr);
    EXPECT_TRUE(retrieved->isReceived());
    ASSERT_EQ(retrieved->annotations.size(), 2u);
    EXPECT_EQ(retrieved->annotations[1].hiddenNumber, String("h-120"));
}

TEST_F(Results, TheReceivedFlagTellsWhetherTheMemberCame) {
    struct Case {
        const char* body;
        bool received;
    };
    for (const Case& c : {Case{"<retrieveClause commandID=\"1\"/>", false},
                          Case{"<retrieveClause commandID=\"1\"><annotations/></retrieveClause>", true},
                          Case{"<selectAnnotation commandID=\"1\" error=\"userCancelled\"/>", false},
                          Case{"<selectAnnotation commandID=\"1\" error=\"userCancelled\"><annotation/>"
                               "</selectAnnotation>",
                               true}}) {
        SCOPED_TRACE(c.body);
        ASSERT_TRUE(deliver(resultFile(c.body)));
        ASSERT_EQ(receiver.getResults()->size(), 1u);
        const Result* result = (*receiver.getResults())[0];
        if (auto* r = dynamic_cast<const RetrieveAnnotationResult*>(result))
            EXPECT_EQ(r->isReceived(), c.received);
        if (auto* s = dynamic_cast<const SelectAnnotationResult*>(result))
            EXPECT_EQ(s->isReceived(), c.received);
    }
    // Writing a result, or asking for its members by index, does not set it.
    SelectAnnotationResult written;
    RetrieveAnnotationResult listed;
    writeDocument(written);
    writeDocument(listed);
    EXPECT_NE(written.makeFieldProxy(2, false), nullptr);
    EXPECT_FALSE(written.isReceived());
    EXPECT_FALSE(listed.isReceived());
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
    EXPECT_EQ(list.getFieldCount(), 4u);
    EXPECT_EQ(writeDocument(list), Declaration +
                                       "<zavResult parent=\"p\" version=\"1\">\n"
                                       "\t<selectSpecification>\n\t\t<zavPath>/a.spec</zavPath>\n"
                                       "\t</selectSpecification>\n"
                                       "\t<selectSpecification commandID=\"1\" error=\"userCancelled\">\n"
                                       "\t\t<zavPath/>\n\t</selectSpecification>\n"
                                       "</zavResult>\n");

    // A copy clones; a reset clears the attributes and keeps the results.
    auto copy = std::dynamic_pointer_cast<ResultList>(list.clone());
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->size(), 2u);
    EXPECT_NE((*copy)[1], list[1]);
    EXPECT_EQ((*copy)[1]->getError(), Status::userCancelled);
    list.reset();
    EXPECT_TRUE(list.getParent().isEmpty());
    EXPECT_TRUE(list.getVersion().isEmpty());
    EXPECT_EQ(list.size(), 2u);
}

TEST_F(Results, AResetClearsIdErrorMemberAndFlag) {
    ASSERT_TRUE(deliver(
        resultFile("<selectAnnotation commandID=\"1\" error=\"clauseNotFound\">" + clause("110", "A") +
                   "</selectAnnotation><retrieveClause commandID=\"1\">"
                   "<annotations>" +
                   clause("110", "A") +
                   "</annotations></retrieveClause>"
                   "<selectSpecification commandID=\"1\"><zavPath>/a</zavPath></selectSpecification>")));
    ResultList& list = *receiver.getResults();
    ASSERT_EQ(list.size(), 3u);
    for (Result* result : list) {
        SCOPED_TRACE(result->getElementName().c_str());
        result->reset();
        EXPECT_EQ(result->getCommandID(), 0u);
        EXPECT_EQ(result->getError(), Status::noError);
    }
    EXPECT_FALSE(dynamic_cast<SelectAnnotationResult&>(*list[0]).isReceived());
    EXPECT_TRUE(dynamic_cast<SelectAnnotationResult&>(*list[0]).annotation.number.isEmpty());
    EXPECT_FALSE(dynamic_cast<RetrieveAnnotationResult&>(*list[1]).isReceived());
    EXPECT_TRUE(dynamic_cast<RetrieveAnnotationResult&>(*list[1]).annotations.empty());
    EXPECT_TRUE(dynamic_cast<SelectSpecificationResult&>(*list[2]).getZavPath().isEmpty());
}

TEST(ResultReceiver, KeepsTheLastResultListAndNothingElse) {
    ResultReceiver receiver;
    EXPECT_EQ(receiver.getResults(), nullptr);
    receiver.receive(std::make_shared<ItemMessage>(3));
    EXPECT_EQ(receiver.getResults(), nullptr);
    auto first = std::make_shared<ResultList>();
    receiver.receive(first);
    EXPECT_EQ(receiver.getResults(), first);
    receiver.receive(std::make_shared<ItemMessage>(4));
    receiver.receive(nullptr);
    EXPECT_EQ(receiver.getResults(), first);
    auto second = std::make_shared<ResultList>();
    receiver.receive(second);
    EXPECT_EQ(receiver.getResults(), second);
}

namespace {

// Stands in for the Communicator: takes the command list, keeps its document and answers with a
// result file, read as the exchange reads it. Subscribed while it lives.
class StandInExchange : public Subscriber {
public:
    StandInExchange(std::string answer, bool handled = true)
        : m_answer(std::move(answer)), m_handled(handled) {
        getAddon()->add(this);
    }
    ~StandInExchange() override { getAddon()->remove(this); }

    void getEventTypes(std::vector<EventType>& types) const override { types.push_back(CommandList::Type); }
    bool receive(Event& event) override {
        auto* list = dynamic_cast<CommandList*>(&event);
        if (list == nullptr) return false;
        sent.push_back(writeDocument(*list));
        hadReceiver = list->getReceiver() != nullptr;
        auto results = std::make_shared<ResultList>();
        if (!m_answer.empty() && readDocument(m_answer, *results)) event.reply(results);
        return m_handled;
    }

    std::vector<std::string> sent;
    bool hadReceiver = false;

private:
    std::string m_answer;
    bool m_handled;
};

struct RequestCase {
    const char* name;
    std::string answer; // empty: nothing delivered
    bool handled;
    bool result;
    bool alert;
    const char* copiedNumber; // null: the argument is left as it was
};

} // namespace

TEST_F(Results, RequestAnnotationTakesOnlyAnAcceptedClauseWithATitle) {
    const std::string picked =
        "<selectAnnotation commandID=\"1\">" + clause("110", "Facing brick") + "</selectAnnotation>";
    const std::string untitled =
        "<selectAnnotation commandID=\"1\">" + clause("120", "") + "</selectAnnotation>";
    const std::vector<RequestCase> cases = {
        {"accepted", resultFile(picked), true, true, false, "110"},
        {"empty display title", resultFile(untitled), true, false, true, "120"},
        {"cancelled", resultFile("<selectAnnotation commandID=\"1\" error=\"userCancelled\"/>"), true, false,
         false, nullptr},
        {"cancelled with a clause",
         resultFile("<selectAnnotation commandID=\"1\" error=\"userCancelled\">" + clause("130", "X") +
                    "</selectAnnotation>"),
         true, false, false, nullptr},
        {"no annotation element",
         resultFile("<selectAnnotation commandID=\"1\" error=\"noError\">"
                    "<annotation/></selectAnnotation>"),
         true, false, false, nullptr},
        {"commandID 2",
         resultFile("<selectAnnotation commandID=\"2\">" + clause("110", "A") + "</selectAnnotation>"), true,
         false, false, nullptr},
        {"two results", resultFile(picked + picked), true, false, false, nullptr},
        {"the wrong class",
         resultFile("<selectSpecification commandID=\"1\"><zavPath>/a</zavPath></selectSpecification>"), true,
         false, false, nullptr},
        {"nothing delivered", "", true, false, false, nullptr},
        {"the exchange declines", resultFile(picked), false, false, false, nullptr},
    };
    const String emptyClause = Host::getResourceString(ExchangeAlertTexts, EmptyClauseItem);
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        StandInExchange exchange(c.answer, c.handled);
        size_t alerts = module.host().alerts().shown().size();
        Annotation annotation;
        annotation.number = String("untouched");
        EXPECT_EQ(requestAnnotation(annotation), c.result);
        ASSERT_EQ(exchange.sent.size(), 1u);
        EXPECT_TRUE(exchange.hadReceiver);
        EXPECT_NE(exchange.sent[0].find("<selectAnnotation commandID=\"1\">"), std::string::npos);
        EXPECT_EQ(annotation.number, String(c.copiedNumber ? c.copiedNumber : "untouched"));
        ASSERT_EQ(module.host().alerts().shown().size(), alerts + (c.alert ? 1 : 0));
        if (c.alert) {
            const auto& shown = module.host().alerts().shown().back();
            EXPECT_FALSE(emptyClause.isEmpty());
            EXPECT_EQ(shown.message, emptyClause.bytes());
            EXPECT_EQ(shown.headline, Host::getResourceString(Host::FrameworkTexts, 3).bytes()); // "Error"
        }
    }
}

TEST_F(Results, RequestAnnotationCopiesTheWholeClause) {
    StandInExchange exchange(resultFile("<selectAnnotation commandID=\"1\">" +
                                        clause("110", "Fa\xC3\xA7"
                                                      "ade") +
                                        "</selectAnnotation>"));
    Annotation annotation;
    ASSERT_TRUE(requestAnnotation(annotation));
    EXPECT_EQ(annotation.section, String("F10"));
    EXPECT_EQ(annotation.code, String("F10/110"));
    EXPECT_EQ(annotation.revision, String("C"));
    EXPECT_EQ(annotation.zavTitle, String("Brick walling"));
    EXPECT_EQ(annotation.hiddenNumber, String("h-110"));
    EXPECT_EQ(annotation.originalDisplayTitle, String("Fa\xC3\xA7"
                                                      "ade"));
    EXPECT_EQ(annotation.modelDisplayTitle, String("Fa\xC3\xA7"
                                                   "ade"));
    EXPECT_TRUE(annotation.hasBeenReassigned);
    EXPECT_TRUE(annotation.isAccepted);
}

TEST_F(Results, RequestAnnotationWithoutAnExchangeAnswersFalse) {
    Annotation annotation;
    EXPECT_FALSE(requestAnnotation(annotation));
    EXPECT_TRUE(module.host().alerts().shown().empty());
}
