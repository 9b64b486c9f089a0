// What the product's own CommandList writes is taken as it is and answered: the strict reading
// refuses nothing the product sends.
#include "AnnotatorTestSupport.h"

#include <functional>

#include "annotation/AnnotatedCommand.h"
#include "annotation/AnnotationList.h"
#include "annotation/CommandList.h"
#include "annotation/ExchangeTestSupport.h"

using namespace annotatortest;
using zavlink::Annotation;
using zavlink::AnnotationList;
using zavlink::CommandList;
using zavlink::ResultList;
using zavlink::Status;

namespace {

class ProductCommandFile : public AnnotatorRun {
protected:
    // Writes the list as the Communicator writes it and runs the Annotator over it.
    int send(CommandList& list) {
        std::string text = exchangetest::writeDocument(list);
        writeText(dir / "ZAVCommand.xml", text);
        return run();
    }

    // The paths made as a command makes them (none known here), then set.
    template <class C> std::unique_ptr<C> withPaths(std::unique_ptr<C> command) {
        command->setZavPath(tarnwick::String(spec()));
        command->setModelPath(tarnwick::String("/p/House & Co <1>.zavproj"));
        return command;
    }

    std::string asked() const { return readText(dir / "ZAVAsked.txt"); }

    const std::string paths() const {
        return " zavPath=\"" + spec() + "\" modelPath=\"/p/House & Co <1>.zavproj\"";
    }
};

Annotation clause(const std::string& number, const std::string& hidden) {
    Annotation a;
    a.section = tarnwick::String("F10 Brick/block walling");
    a.code = tarnwick::String("F10");
    a.number = tarnwick::String(number);
    a.revision = tarnwick::String("A");
    a.zavTitle = tarnwick::String("Facing \"brick\" & 'block'");
    a.hiddenNumber = tarnwick::String(hidden);
    a.originalDisplayTitle = tarnwick::String(number + " Facing");
    a.modelDisplayTitle = tarnwick::String(number + " Facing <edited>");
    a.hasBeenReassigned = true;
    a.isAccepted = true;
    return a;
}

} // namespace

TEST_F(ProductCommandFile, EachCommandThatWaitsIsAnswered) {
    answers("specification \"spec.xml\"\nclause \"F10/120\"\n");

    CommandList select;
    select.append(std::make_unique<zavlink::SelectSpecificationCommand>(1));
    ASSERT_EQ(send(select), zavannotator::ExitAnswered) << diagnostics.str();
    std::unique_ptr<ResultList> list = read();
    ASSERT_TRUE(list) << result();
    const auto* specification = only<zavlink::SelectSpecificationResult>(*list);
    ASSERT_NE(specification, nullptr);
    EXPECT_EQ(specification->getError(), Status::noError);
    EXPECT_EQ(specification->getZavPath().bytes(), spec());

    CommandList annotation;
    annotation.append(withPaths(std::make_unique<zavlink::SelectAnnotationCommand>(1)));
    ASSERT_EQ(send(annotation), zavannotator::ExitAnswered) << diagnostics.str();
    list = read();
    ASSERT_TRUE(list) << result();
    const auto* picked = only<zavlink::SelectAnnotationResult>(*list);
    ASSERT_NE(picked, nullptr);
    EXPECT_EQ(picked->getError(), Status::noError);
    EXPECT_EQ(picked->annotation.number.bytes(), "F10/120");

    AnnotationList sent;
    sent.push_back(clause("F10/110", "h110"));
    sent.push_back(clause("Z9", "gone"));
    sent.push_back(clause("L10/150", "h150"));
    CommandList retrieve;
    retrieve.append(withPaths(std::make_unique<zavlink::RetrieveClauseCommand>(sent, 1)));
    ASSERT_EQ(send(retrieve), zavannotator::ExitAnswered) << diagnostics.str();
    list = read();
    ASSERT_TRUE(list) << result();
    const auto* retrieved = only<zavlink::RetrieveAnnotationResult>(*list);
    ASSERT_NE(retrieved, nullptr);
    EXPECT_EQ(retrieved->getError(), Status::noError);
    ASSERT_EQ(retrieved->annotations.size(), 2u);
    EXPECT_EQ(retrieved->annotations[0].number.bytes(), "F10/110");
    EXPECT_EQ(retrieved->annotations[1].number.bytes(), "L10/150");

    // An empty list is sent as an empty element and answered with none.
    AnnotationList none;
    CommandList empty;
    empty.append(withPaths(std::make_unique<zavlink::RetrieveClauseCommand>(none, 1)));
    ASSERT_EQ(send(empty), zavannotator::ExitAnswered) << diagnostics.str();
    list = read();
    ASSERT_TRUE(list) << result();
    ASSERT_NE(only<zavlink::RetrieveAnnotationResult>(*list), nullptr);
    EXPECT_TRUE(only<zavlink::RetrieveAnnotationResult>(*list)->annotations.empty());

    EXPECT_EQ(asked(), "selectSpecification commandID=\"1\"\nselectAnnotation commandID=\"1\"" + paths() +
                           "\nretrieveClause commandID=\"1\"" + paths() +
                           " numbers=\"F10/110,Z9,L10/150\"\nretrieveClause commandID=\"1\"" + paths() +
                           " numbers=\"\"\n");
}

TEST_F(ProductCommandFile, DisplayCommandsAreTakenWithOrWithoutTheirAnnotation) {
    using Make = std::function<std::unique_ptr<zavlink::AnnotatedCommand>()>;
    const std::pair<const char*, Make> kinds[] = {
        {"displayClause", [] { return std::make_unique<zavlink::DisplayClauseCommand>(1); }},
        {"displayGuidance", [] { return std::make_unique<zavlink::DisplayGuidanceCommand>(1); }},
        {"displayManufacturerInfo", [] { return std::make_unique<zavlink::DisplayManufacturerCommand>(1); }},
    };
    for (const auto& [name, make] : kinds) {
        // With the ignore mark shipped too, as the palette's Ignore writes annotations.
        for (bool shipped : {false, true})
            for (bool withAnnotation : {false, true}) {
                SCOPED_TRACE(std::string(name) + (shipped ? " isAccepted" : "") +
                             (withAnnotation ? " with annotation" : ""));
                fs::remove(dir / "ZAVAsked.txt");
                zavlink::ShipIsAccepted ship(shipped);
                CommandList list;
                auto command = withPaths(make());
                command->annotation = clause("F10/110", "h110");
                command->hasAnnotation = withAnnotation;
                list.append(std::move(command));
                ASSERT_EQ(send(list), zavannotator::ExitAnswered) << diagnostics.str();
                EXPECT_TRUE(written.empty());
                EXPECT_EQ(asked(), std::string(name) + " commandID=\"1\"" + paths() +
                                       (withAnnotation ? " number=\"F10/110\" hiddenNumber=\"h110\"" : "") +
                                       "\n");
            }
    }

    CommandList report;
    report.append(withPaths(std::make_unique<zavlink::ReviewAnnotationCommand>(1)));
    fs::remove(dir / "ZAVAsked.txt");
    ASSERT_EQ(send(report), zavannotator::ExitAnswered) << diagnostics.str();
    EXPECT_EQ(asked(), "displayReport commandID=\"1\"" + paths() + "\n");
}

// A command made without a project carries empty paths: the product writes them as empty
// elements, which are taken.
TEST_F(ProductCommandFile, EmptyPathsAreTaken) {
    CommandList list;
    list.append(std::make_unique<zavlink::SelectAnnotationCommand>(1));
    std::string text = exchangetest::writeDocument(list);
    ASSERT_NE(text.find("<zavPath/>"), std::string::npos) << text;
    answers("clause \"F10/110\"\n");
    ASSERT_EQ(send(list), zavannotator::ExitAnswered);
    EXPECT_EQ(asked(), "selectAnnotation commandID=\"1\" zavPath=\"\" modelPath=\"\"\n");
    EXPECT_NE(result().find("<selectAnnotation commandID=\"1\" error=\"specificationNotFound\"/>"),
              std::string::npos)
        << result();
}
