// Label Element and its labels' upkeep against the stand-in host, where a scenario cannot reach:
// a clause whose XML could not be written, and element notifications heard while the module runs
// a step of its own. The scenarios play the rest.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "Environment/Addon.h"
#include "Environment/HostCalls.h"
#include "Environment/HostEvent.h"
#include "Environment/Transaction.h"
#include "annotation/Annotation.h"
#include "annotation/AnnotationPlacement.h"
#include "annotation/AnnotationTestSupport.h"
#include "annotation/PlaceLabel.h"
#include "annotation/ZAVLinkAddon.h"
#include "library/Label.h"
#include "platform/api/HostErrors.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace zavlink;

namespace {

// One undoable step that runs the given body, as the product's tools run theirs.
class Step : public Transaction {
public:
    explicit Step(std::function<GSErrCode()> body)
        : Transaction(String("Test Step")), m_body(std::move(body)) {}
    GSErrCode run() override { return m_body(); }

private:
    std::function<GSErrCode()> m_body;
};

class LabelElement : public annotationtest::HostAnnotations {
protected:
    LabelElement() {
        clause.number = String("12");
        clause.originalDisplayTitle = String("F10/110 Brick walling");
    }
    zavhost::ElementStore& planElements() { return host.project()->model.views.plan().elements; }
    size_t labelCount() {
        size_t count = 0;
        for (const zavhost::StoredElement* element : planElements().inOrder())
            if (element->head().typeCode == Label::TypeCode) ++count;
        return count;
    }
    size_t undoSteps() const { return host.project()->undoSteps.size(); }
    // The labels of the placement, run as the tool's step; answers what the run answered.
    GSErrCode label(AnnotationPlacement& placement) {
        GSErrCode answer = hosterr::Ok;
        Step step([&] { return answer = placeAnnotationLabels(placement); });
        (void)Host::runTransaction(step);
        return answer;
    }

    Annotation clause;
};

// The clause's XML could not be written: a label without it would be no annotation, so none is
// made, with or without a selection, and the user reads the tool's error.
TEST_F(LabelElement, AClauseWithoutItsXMLIsRefusedWithTheToolsErrorAndLeavesNoLabel) {
    ASSERT_TRUE(play("element add hotspot as \"H1\" at 1 1\nselect \"H1\"\n"));
    const std::string internalError = Host::getResourceString(ErrorTexts, InternalErrorItem).bytes();

    // The same command with the clause's XML: one label, as a control.
    std::unique_ptr<AnnotationPlacement> whole = buildAnnotationMemo(clause, *Host::getPlan());
    ASSERT_GT(whole->xmlSize, 0u);
    EXPECT_EQ(label(*whole), hosterr::Ok);
    EXPECT_EQ(labelCount(), 1u);
    EXPECT_EQ(undoSteps(), 1u);
    EXPECT_TRUE(host.alerts().shown().empty());

    for (const char* selection : {"select \"H1\"\n", "select none\n"}) {
        SCOPED_TRACE(selection);
        ASSERT_TRUE(play(selection));
        std::unique_ptr<AnnotationPlacement> empty = buildAnnotationMemo(clause, *Host::getPlan());
        empty->xml = MemoryBlock();
        empty->xmlSize = 0;
        const size_t alerts = host.alerts().shown().size();
        const size_t before = mark();
        EXPECT_EQ(label(*empty), hosterr::Failed);
        EXPECT_EQ(labelCount(), 1u);
        EXPECT_EQ(undoSteps(), 1u);
        EXPECT_EQ(writesSince(before), 0u);
        EXPECT_EQ(host.calls().count("IPOI", before), 0u); // no click asked for
        ASSERT_EQ(host.alerts().shown().size(), alerts + 1);
        EXPECT_EQ(host.alerts().shown().back().headline, "Error");
        EXPECT_EQ(host.alerts().shown().back().message, internalError);
    }
}

// The element observer hears what the module itself deletes in its own steps as well: those are
// not the user's deletions, so the labels linked from those elements stay. The same notifications
// outside a step of the module are the user's, and take the label with them.
TEST_F(LabelElement, DeletionsHeardInsideTheModulesOwnStepLeaveTheLinkedLabels) {
    ASSERT_TRUE(play("element add hotspot as \"H1\" at 1 1\n"
                     "element add label as \"L1\" at 2 2 with-user-data \"" +
                     annotationtest::xmlOf({}) + "\"\nelement link \"H1\" to \"L1\"\n"));
    const std::vector<const zavhost::StoredElement*> made = planElements().inOrder();
    ASSERT_EQ(made.size(), 2u);
    const HostElementHead hotspot = made[0]->head();
    PlaceLabel tool;
    Addon* addon = getAddon();
    ASSERT_NE(addon, nullptr);
    auto hearDeletion = [&] {
        for (const uint32_t kind : {ElementEventDataBegin, ElementEventDelete, ElementEventDataEnd}) {
            const bool about = kind == ElementEventDelete;
            DatabaseEvent event(
                HostElementNotification{kind, about ? static_cast<int16_t>(hotspot.typeCode) : int16_t(0),
                                        about ? static_cast<int16_t>(hotspot.variation) : int16_t(0),
                                        about ? hotspot.guid : API_Guid()});
            addon->handleEvent(event);
        }
    };

    Step own([&] {
        hearDeletion();
        return hosterr::Ok;
    });
    EXPECT_TRUE(Host::runTransaction(own));
    EXPECT_EQ(labelCount(), 1u);
    EXPECT_EQ(tool.getDeleteLog(), nullptr);

    // Heard in a command of the host's own, as the user's edits are: the hotspot's label goes.
    const GS::UniString name("Delete Elements");
    auto heard = [](void* hear) {
        (*static_cast<decltype(hearDeletion)*>(hear))();
        return hosterr::Ok;
    };
    EXPECT_EQ(ACAPRunUndoableCommand(&name, heard, &hearDeletion), hosterr::Ok);
    EXPECT_EQ(labelCount(), 0u);
}

} // namespace
