// What the transcript tells a person beyond the steps: the menu a module registers, with its items,
// and what a module changed of the model while it heard a user's edit.
#include "HostTestSupport.h"
#include "platform/host/ElementGeometry.h"
#include "platform/host/ElementSummary.h"
#include "platform/host/Project.h"

using namespace zavhost;

namespace {

class TranscriptNotes : public HostTest {
protected:
    // The plan's elements in creation order.
    std::vector<const StoredElement*> planElements() {
        return host.project()->model.views.plan().elements.inOrder();
    }
};

HostEditTransformation moveBy(double dx, double dy) {
    HostEditTransformation move;
    move.matrix[0] = move.matrix[4] = move.matrix[8] = 1.0;
    move.target = {dx, dy, 0.0};
    return move;
}

} // namespace

TEST_F(TranscriptNotes, TheMenuIsToldWithItsItemsAndPromptsWhenRegistered) {
    RunOptions options;
    options.modulePath = RAW_TEST_MODULE_PATH;
    ASSERT_TRUE(play("load\n", options, ParseOptions{true})) << failure;
    const std::string story = host.transcript().text();
    EXPECT_NE(story.find("    menu \"Raw Test\" registered with 16 item(s):\n"
                         "      \"Say Hello\" - Shows a notification\n"
                         "      \"Ask Question\" - Asks a question with three buttons\n"
                         "      -\n"
                         "      \"Undoable Step\" - Runs one undoable step\n"),
              std::string::npos)
        << story;
}

TEST_F(TranscriptNotes, ASnapshotTellsWhatWasMovedChangedMadeAndDeleted) {
    ASSERT_TRUE(play("project new \"House\"\n"
                     "element add label at 2 3 text \"F10/110 Clay facing brickwork\"\n"
                     "element add hotspot at 1 1\n"
                     "element add line id \"L-1\" from 0 0 to 4 0\n"))
        << failure;
    const std::vector<const StoredElement*> before = planElements();
    ASSERT_EQ(before.size(), 3u);
    const ElementSnapshot snapshot(host.project()->model);
    EXPECT_EQ(snapshot.changesTo(host.project()->model), std::vector<std::string>{});

    ProjectModel after = host.project()->model;
    ElementStore& elements = after.views.plan().elements;
    transformGeometry(*elements.edit(before[0]->guid()), moveBy(1, -0.5));
    elements.edit(before[2]->guid())->infoText = "L-2";
    StoredElement copy = *before[1];
    copy.record.head.guid = API_Guid::fromHalves(0x1234, 0x5678);
    transformGeometry(copy, moveBy(4, 4));
    ASSERT_TRUE(elements.remove(before[1]->guid()));
    ASSERT_TRUE(elements.add(copy));

    EXPECT_EQ(snapshot.changesTo(after),
              (std::vector<std::string>{
                  "moves label \"F10/110 Clay facing brickwork\" from 2 3 to 3 2.5",
                  "makes hotspot at 5 5", // where the one it copies stood
                  "changes the ID of line L-1 to \"L-2\"",
                  "deletes hotspot at 1 1",
              }));
}

TEST_F(TranscriptNotes, WhatTheModuleChangesWhileItHearsAUserEditIsToldUnderTheEdit) {
    ASSERT_TRUE(play("project new \"House\"\n"
                     "element add hotspot at 1 1\n"
                     "element add label at 2 3 text \"Note\"\n"))
        << failure;
    ASSERT_EQ(attach(), hosterr::Ok);
    const API_Guid hotspot = planElements()[0]->guid(), label = planElements()[1]->guid();
    // As a module deletes the label of an element it hears deleted.
    rawmodule::record().atDataEnd = [&] { host.project()->model.views.plan().elements.remove(label); };
    host.transcript().clear();
    ASSERT_EQ(host.userEdit(
                  "Move Elements",
                  [&](Project& project) {
                      transformGeometry(*project.model.views.editElement(hotspot), moveBy(1, 0));
                      return hosterr::Ok;
                  },
                  moveBy(1, 0)),
              hosterr::Ok);
    const std::string story = host.transcript().text();
    EXPECT_NE(story.find("    the module, hearing the edit, deletes label \"Note\" at 2 3\n"),
              std::string::npos)
        << story;
    // The user's own move is the user's, not the module's.
    EXPECT_EQ(story.find("moves hotspot"), std::string::npos) << story;
    host.unloadModule();
}

TEST(ElementSummary, UserDataIsShortenedForALine) {
    EXPECT_EQ(shortUserData("<a>\n  <b>one  two</b>\n</a>"), "\"<a><b>one two</b></a>\"");
    EXPECT_EQ(shortUserData(std::string(200, 'x'), 10), "\"xxxxxxxxxx...\" (200 bytes)");
}
