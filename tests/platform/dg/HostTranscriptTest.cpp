// What the stand-in host's transcript tells of the module's panels: a dialog's items as the user
// reads them once the module has set it up, and a palette's tree each time its items change.
#include <memory>

#include "DGTestSupport.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/DGTreeFunctions.h"
#include "platform/host/StandInHost.h"
#include "support/PlayScenario.h"

using namespace dgtest;

namespace {

constexpr short OutlineId = 300;
constexpr short Tree = 1;

// Completes the label when the dialog opens, as a module fills in a question or a version.
class Completer : public DG::PanelObserver, public DG::ButtonItemObserver {
public:
    explicit Completer(DG::ModalDialog& dialog) : m_dialog(dialog), m_ok(dialog, Ok) {
        m_dialog.Attach(*this);
        m_ok.Attach(*this);
    }
    ~Completer() override { m_dialog.Detach(*this); }
    void PanelOpened(const DG::PanelOpenEvent&) override {
        DGSetItemText(m_dialog.GetId(), Label, "Whose name goes on the drawing?");
    }
    void ButtonClicked(const DG::ButtonClickEvent&) override {
        m_dialog.PostCloseRequest(DG::ModalDialog::Accept);
    }

private:
    DG::ModalDialog& m_dialog;
    DG::Button m_ok;
};

GSErrCode askName(uint32_t, int32_t, GSHandle) {
    DG::ModalDialog dialog(zavModuleResources(), ModalId, zavModuleResources());
    Completer completer(dialog);
    dialog.Invoke();
    return hosterr::Ok;
}

std::unique_ptr<DG::Palette>& outline() {
    static std::unique_ptr<DG::Palette> palette;
    return palette;
}

// Fills the outline palette's tree: Plans {Ground, First}, expanded.
GSErrCode fillTree(uint32_t, int32_t, GSHandle) {
    outline() = std::make_unique<DG::Palette>(zavModuleResources(), OutlineId, zavModuleResources());
    outline()->BeginEventProcessing();
    outline()->Show();
    const short id = outline()->GetId();
    DGTreeViewDisableDraw(id, Tree);
    const int32_t plans = DGTreeViewInsertItem(id, Tree, 0, DG::TreeLastChild);
    DGTreeViewSetItemText(id, Tree, plans, "Plans");
    DGTreeViewSetItemText(id, Tree, DGTreeViewInsertItem(id, Tree, plans, DG::TreeLastChild), "Ground");
    DGTreeViewSetItemText(id, Tree, DGTreeViewInsertItem(id, Tree, plans, DG::TreeLastChild), "First");
    DGTreeViewExpandItem(id, Tree, plans);
    DGTreeViewEnableDraw(id, Tree);
    return hosterr::Ok;
}

// Greys the last item, as a module marks what it has done.
GSErrCode greyLast(uint32_t, int32_t, GSHandle) {
    const short id = outline()->GetId();
    DGTreeViewSetItemColor(id, Tree, DGTreeViewGetItem(id, Tree, 0, DG::TreeLastDisplayed), 0xB3B3, 0xB3B3,
                           0xB3B3);
    return hosterr::Ok;
}

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class HostTranscriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        EXPECT_EQ(host.installCommandHandler(fourCC("NAME"), 1, askName), hosterr::Ok);
        EXPECT_EQ(host.installCommandHandler(fourCC("TREE"), 1, fillTree), hosterr::Ok);
        EXPECT_EQ(host.installCommandHandler(fourCC("GREY"), 1, greyLast), hosterr::Ok);
    }
    void TearDown() override { outline().reset(); }

    std::string play(const std::string& text) {
        zavhost::RunOptions options;
        options.homeFolder = ::testing::TempDir() + "dg-host-transcript";
        testsupport::Played played = testsupport::playScenario(host, text, options);
        EXPECT_TRUE(played.passed) << played.failure;
        return host.transcript().text();
    }

    zavhost::StandInHost host;
};

} // namespace

TEST_F(HostTranscriptTest, ADialogIsToldAsTheUserReadsItOnceTheModuleHasSetItUp) {
    const std::string story = play("dialog 100 ok\ncommand NAME\n");
    EXPECT_NE(story.find("dialog \"Name Request\" (100) opened: 1 button \"OK\", 2 button \"Cancel\", "
                         "3 left-text \"Whose name goes on the drawing?\", 4 edit-text"),
              std::string::npos)
        << story;
    EXPECT_EQ(story.find("\"Name:\""), std::string::npos) << story;
    // Opened before the user works in it.
    EXPECT_LT(story.find("opened:"), story.find("the user, line 1"));
}

TEST_F(HostTranscriptTest, ATreeIsToldWhenItsItemsChangeNotWhenOnlyTheSelectionDoes) {
    const std::string story = play("command TREE\n"
                                   "palette \"Outline\" select 1 \"Plans/First\"\n"
                                   "command GREY\n");
    const std::string filled = "    palette \"Outline\" (300) item 1 shows:\n"
                               "      Plans +\n"
                               "        Ground\n"
                               "        First\n";
    EXPECT_NE(story.find(filled), std::string::npos) << story;
    EXPECT_LT(story.find("   1  command TREE"), story.find(filled));
    EXPECT_GT(story.find("   2  palette"), story.find(filled));
    EXPECT_EQ(occurrences(story, "item 1 shows:"), 2u) << story;
    const std::string greyed = "    palette \"Outline\" (300) item 1 shows:\n"
                               "      Plans +\n"
                               "        Ground\n"
                               "        First * #b3b3b3\n";
    EXPECT_GT(story.find(greyed), story.find("   3  command GREY")) << story;
}
