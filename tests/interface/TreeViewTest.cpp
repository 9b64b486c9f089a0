// The tree view control over the dialog manager's tree: walks in each step mode, insert, erase,
// clear, collect, subtree expand and collapse, item styles, and the events its observer sends.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "ControlTestPanel.h"
#include "elements/text/TextStyle.h"
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "interface/TreeViewControl.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGDialogTemplate.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"
#include "platform/dg/DGTreeState.h"
#include "project/Colour.h"

using namespace tarnwick;
using Tree = TreeViewControl;

namespace {

constexpr short ResourceId = 110;
constexpr uint16_t TreeItem = 1;

// A palette of one tree view.
struct TreeResource : controltest::PaletteResource {
    TreeResource()
        : PaletteResource(ResourceId, 200, 200, {{DG::ItemType::TreeView, 10, 10, 190, 190, 0, ""}}) {}
};

struct TreePanel : controltest::TestPanel {
    explicit TreePanel(GSResModule module) : TestPanel(module, ResourceId) {}
};

// What the panel hears: "kind code data", and for expand and collapse events "notice code item".
class Heard : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        for (uint32_t kind : {ActionEvent::Kind, ItemEvent::Kind, DropEvent::Kind})
            types.push_back({InterfaceSource, kind});
    }
    bool receive(Event& event) override {
        auto& e = dynamic_cast<InterfaceEvent&>(event);
        std::string line = e.getKind() == ActionEvent::Kind ? "action"
                           : e.getKind() == ItemEvent::Kind ? "item"
                                                            : "drop";
        line += " " + std::to_string(e.getCode());
        if (auto* drop = dynamic_cast<DropEvent*>(&e)) {
            DropRecord& r = *drop->getRecord();
            line += " stage " + std::to_string(r.messageCode) + " effect " + std::to_string(r.effect);
            if (onDrop) onDrop(*drop);
        } else if (e.getKind() == ItemEvent::Kind && e.getData() != 0) {
            auto* notice = dataPointer<TreeItemNotice>(e.getData());
            line += " notice " + std::to_string(notice->code) + " " + std::to_string(notice->item);
        } else {
            line += " " + std::to_string(e.getData());
        }
        lines.push_back(line);
        return false;
    }
    std::vector<std::string> lines;
    std::function<void(DropEvent&)> onDrop;
};

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        DG::Desk::Get().Reset();
        InterfacePanel::initialiseModule();
        panel = std::make_unique<TreePanel>(resource.module());
        tree = DialogControl::make<Tree>(ControlLink(TreeItem, panel.get()));
        panel->attachObservers();
        panel->add(&heard);
    }
    void TearDown() override {
        EXPECT_EQ(DG::Desk::Get().TakeRefusals(), std::vector<std::string>{});
        panel.reset();
        InterfacePanel::terminateModule();
        DG::Desk::Get().Reset();
    }

    short dialId() const { return static_cast<short>(panel->getPanelId()); }
    DG::TreeState& state() const { return *DG::TreeOf(*panel->getHostPanel()->State().item(TreeItem)); }

    // T{A{A1}, B}, each named by its text.
    void buildSample() {
        Tree::iterator t = tree->begin();
        t->setText(String("T"));
        Tree::iterator a = t->appendChild();
        a->setText(String("A"));
        a->appendChild()->setText(String("A1"));
        t->appendChild()->setText(String("B"));
    }
    Tree::iterator named(const std::string& text, uint32_t mode = Tree::DepthFirst) {
        for (Tree::iterator at = tree->begin(); !at.isEnd(); ++at)
            if (at->getText().bytes() == text) return tree->find(at->getItem(), mode);
        ADD_FAILURE() << "no item " << text;
        return tree->end();
    }
    std::string text(const Tree::iterator& at) const { return at->getText().bytes(); }
    std::vector<std::string> walk(Tree::iterator at) {
        std::vector<std::string> texts;
        for (; at != tree->end(); ++at)
            texts.push_back(text(at));
        return texts;
    }

    TreeResource resource;
    std::unique_ptr<TreePanel> panel;
    Tree* tree = nullptr;
    Heard heard;
};

using Texts = std::vector<std::string>;

TEST_F(TreeViewTest, AnEmptyControlMakesItsTopItemOnFirstNeed) {
    EXPECT_EQ(tree->getItemCount(), 0);
    EXPECT_TRUE(tree->end().isEnd());
    EXPECT_EQ(tree->end().tryNode()->getItem(), Tree::NoTreeItem);
    Tree::iterator top = tree->begin();
    ASSERT_FALSE(top.isEnd());
    EXPECT_EQ(tree->getItemCount(), 1);
    EXPECT_TRUE(tree->begin() == top) << "made once";
    EXPECT_TRUE(tree->begin(Tree::Siblings).isEnd());
    top->appendChild();
    EXPECT_FALSE(tree->begin(Tree::Siblings).isEnd());
}

TEST_F(TreeViewTest, EachStepModeWalksItsOrderToTheEnd) {
    buildSample();
    named("A1")->setSelected(true);
    named("B")->setSelected(true);
    const struct {
        uint32_t mode;
        Texts texts;
    } cases[] = {
        {Tree::DepthFirst, {"T", "A", "A1", "B"}},
        {Tree::Siblings, {"A", "B"}},
        {Tree::Selection, {"A1", "B"}},
        {Tree::Display, {"T"}}, // nothing expanded yet
    };
    for (const auto& c : cases)
        EXPECT_EQ(walk(tree->begin(c.mode)), c.texts) << "mode " << c.mode;
    tree->expand(tree->end());
    EXPECT_EQ(walk(tree->begin(Tree::Display)), (Texts{"T", "A", "A1", "B"}));
}

TEST_F(TreeViewTest, ASiblingWalkRunsFromBeginChildrenToEndChildren) {
    buildSample();
    Texts texts;
    Tree::iterator t = tree->begin();
    for (Tree::iterator child = t->beginChildren(); child != t->endChildren(); ++child)
        texts.push_back(text(child));
    EXPECT_EQ(texts, (Texts{"A", "B"}));
    EXPECT_TRUE(named("A1")->beginChildren() == named("A1")->endChildren());
    EXPECT_TRUE(named("A")->getParent() == tree->begin());
    EXPECT_TRUE(tree->begin()->getParent().isEnd());
    EXPECT_TRUE(tree->begin()->isTopLevel());
    EXPECT_FALSE(named("A")->isTopLevel());
}

TEST_F(TreeViewTest, WalkingPastTheEndThrowsAndKeepsTheLastItem) {
    buildSample();
    Tree::iterator at = named("B");
    EXPECT_FALSE(at->next(Tree::DepthFirst));
    EXPECT_TRUE(at.isEnd());
    EXPECT_EQ(at.tryNode()->getItem(), named("B")->getItem());
    EXPECT_THROW(++at, std::out_of_range);
    EXPECT_THROW(*at, std::out_of_range);
    EXPECT_THROW(tree->end()++, std::out_of_range);
    try {
        ++at;
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "");
    }
}

TEST_F(TreeViewTest, ADepthFirstStepBackGoesToTheLastDescendantOfThePreviousSiblingOrToTheParent) {
    buildSample();
    const struct {
        const char* from;
        const char* to;
    } cases[] = {{"B", "A1"}, {"A1", "A"}, {"A", "T"}};
    for (const auto& c : cases)
        EXPECT_EQ(text(--named(c.from)), c.to) << c.from;
    Tree::iterator top = tree->begin();
    EXPECT_THROW(--top, std::out_of_range);
    EXPECT_EQ(text(top), "T");
    // A walk that ran out steps back from the item it kept.
    Tree::iterator end = named("B");
    ++end;
    EXPECT_EQ(text(--end), "A1");
}

TEST_F(TreeViewTest, BackwardWalksStartAtTheLastItemOfEachMode) {
    buildSample();
    named("A")->setSelected(true);
    named("A1")->setSelected(true);
    tree->begin()->setExpanded(true);
    const struct {
        uint32_t mode;
        const char* last;
        const char* before;
    } cases[] = {
        {Tree::DepthFirst, "B", "A1"},
        {Tree::Siblings, "B", "A"},
        {Tree::Selection, "A1", "A"},
        {Tree::Display, "B", "A"}, // A is collapsed: A1 is not displayed
    };
    for (const auto& c : cases) {
        Tree::iterator last = tree->rbegin(c.mode);
        EXPECT_EQ(text(last), c.last) << "mode " << c.mode;
        EXPECT_EQ(text(--last), c.before) << "mode " << c.mode;
    }
    tree->deselectItem();
    EXPECT_TRUE(tree->rbegin(Tree::Selection).isEnd());
    EXPECT_TRUE(tree->begin(Tree::Selection).isEnd());
}

TEST_F(TreeViewTest, IteratorsCompareByItemWithTheEndFirst) {
    buildSample();
    Tree::iterator a = named("A"), b = named("B"), end = tree->end();
    Tree::const_iterator ca = a;
    EXPECT_TRUE(a == named("A", Tree::Siblings));
    EXPECT_TRUE(ca == a);
    EXPECT_TRUE(ca != b);
    EXPECT_TRUE(tree->cend() == end);
    EXPECT_TRUE(tree->begin()->endChildren() == end);
    EXPECT_TRUE(a < b);
    EXPECT_FALSE(b < a);
    EXPECT_TRUE(end < a);
    EXPECT_FALSE(a < end);
    EXPECT_FALSE(end < tree->end());
    EXPECT_EQ(tree->cfind(b->getItem())->getText().bytes(), "B");
    EXPECT_TRUE(tree->find(Tree::NoTreeItem).isEnd());
}

TEST_F(TreeViewTest, InsertPutsTheNewItemBeforeThePosition) {
    const struct {
        const char* at; // null: end()
        Texts order;
    } cases[] = {
        {"A", {"T", "new", "A", "A1", "B"}},     {"B", {"T", "A", "A1", "new", "B"}},
        {"A1", {"T", "A", "new", "A1", "B"}},    {"T", {"T", "new", "A", "A1", "B"}},
        {nullptr, {"T", "A", "A1", "B", "new"}},
    };
    for (const auto& c : cases) {
        tree->clear();
        buildSample();
        Tree::iterator made = tree->insert(c.at ? named(c.at) : tree->end());
        made->setText(String("new"));
        EXPECT_EQ(walk(tree->begin()), c.order) << (c.at ? c.at : "end");
    }
}

TEST_F(TreeViewTest, InsertWithoutAParentThrows) {
    buildSample();
    // A second top-level item has no parent to insert under.
    uint32_t stray = static_cast<uint32_t>(DGTreeViewInsertItem(dialId(), TreeItem, 0, DG::TreeLastChild));
    EXPECT_THROW(tree->insert(tree->find(stray)), std::out_of_range);
    EXPECT_EQ(tree->getItemCount(), 5);
}

TEST_F(TreeViewTest, EraseAnswersThePositionPastTheWholeSubtree) {
    const struct {
        const char* erase;
        uint32_t mode;
        const char* answer; // null: the end
        Texts left;
    } cases[] = {
        {"A", Tree::DepthFirst, "B", {"T", "B"}},
        {"A1", Tree::DepthFirst, "B", {"T", "A", "B"}},
        {"B", Tree::DepthFirst, nullptr, {"T", "A", "A1"}},
        {"A", Tree::Siblings, "B", {"T", "B"}},
        {"A", Tree::Selection, "B", {"T", "B"}}, // A1, selected, goes with A
        {"T", Tree::DepthFirst, nullptr, {"T"}}, // a fresh top item
    };
    for (const auto& c : cases) {
        tree->clear();
        buildSample();
        for (const char* selected : {"A", "A1", "B"})
            named(selected)->setSelected(true);
        Tree::iterator answer = tree->erase(named(c.erase, c.mode));
        if (c.answer == nullptr) {
            EXPECT_TRUE(answer.isEnd()) << c.erase;
        } else {
            EXPECT_EQ(text(answer), c.answer) << c.erase;
        }
        EXPECT_EQ(answer.getMode(), c.mode);
        tree->begin()->setText(String("T"));
        EXPECT_EQ(walk(tree->begin()), c.left) << c.erase;
    }
    EXPECT_THROW(tree->erase(tree->end()), std::out_of_range);
}

TEST_F(TreeViewTest, AfterClearBeginMakesAFreshTopItem) {
    buildSample();
    uint32_t first = tree->begin()->getItem();
    tree->clear();
    EXPECT_EQ(tree->getItemCount(), 0);
    Tree::iterator top = tree->begin();
    EXPECT_GT(top->getItem(), first) << "item numbers are not given twice";
    EXPECT_EQ(tree->getItemCount(), 1);
    EXPECT_TRUE(tree->begin(Tree::Siblings).isEnd());
    EXPECT_EQ(text(top), "");
}

TEST_F(TreeViewTest, CollectPicksItemsBySelectionAndKind) {
    buildSample();
    named("A")->setSelected(true);
    named("A1")->setSelected(true);
    const struct {
        bool selectedOnly, subtree, branches, leaves;
        Texts found;
    } cases[] = {
        {true, false, false, false, {"A"}}, // topmost selected: nothing under A
        {true, false, false, true, {"A1"}},     {true, false, true, false, {"A"}},
        {true, false, true, true, {"A", "A1"}}, {false, false, false, true, {"A1", "B"}},
        {false, false, true, false, {"A"}},     {false, false, true, true, {"A", "A1", "B"}},
    };
    for (const auto& c : cases) {
        std::set<Tree::iterator> found;
        tree->collect(found, c.selectedOnly, c.subtree, c.branches, c.leaves);
        Texts texts;
        for (const Tree::iterator& at : found)
            texts.push_back(text(at));
        EXPECT_EQ(texts, c.found) << c.selectedOnly << c.subtree << c.branches << c.leaves;
    }
    // Below a selected item, with its subtree asked for, unselected leaves count too; from A the
    // walk stays inside A.
    named("A1")->setSelected(false);
    std::set<Tree::iterator> found;
    tree->collect(found, true, true, false, true, named("A"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(text(*found.begin()), "A1");
}

TEST_F(TreeViewTest, ExpandAndCollapseReachTheWholeSubtree) {
    buildSample();
    tree->expand(named("A"));
    EXPECT_TRUE(named("A")->isExpanded());
    EXPECT_TRUE(named("A1")->isExpanded());
    EXPECT_FALSE(tree->begin()->isExpanded());
    tree->expand(tree->end());
    for (const char* each : {"T", "A", "A1", "B"})
        EXPECT_TRUE(named(each)->isExpanded()) << each;
    tree->collapse(tree->begin());
    for (const char* each : {"T", "A", "A1", "B"})
        EXPECT_FALSE(named(each)->isExpanded()) << each;
}

TEST_F(TreeViewTest, TheUsersExpandSpreadsToTheSubtreeOnlyWithMouseState2) {
    const struct {
        short modifiers;
        bool subtree;
    } cases[] = {{DG::NoModifier, false}, {DG::OptionKey, true}, {DG::OptionKey | DG::ShiftKey, false}};
    for (const auto& c : cases) {
        tree->clear();
        buildSample();
        heard.lines.clear();
        int32_t a = static_cast<int32_t>(named("A")->getItem());
        std::string why;
        ASSERT_TRUE(
            DG::Desk::Get().ExpandTreeItem(*panel->getHostPanel(), TreeItem, a, true, c.modifiers, &why))
            << why;
        EXPECT_TRUE(named("A")->isExpanded());
        EXPECT_EQ(named("A1")->isExpanded(), c.subtree) << c.modifiers;
        EXPECT_EQ(heard.lines, Texts{"item 6 notice 3 " + std::to_string(a)});
        EXPECT_EQ(state().drawDisabled, 0);
        ASSERT_TRUE(
            DG::Desk::Get().ExpandTreeItem(*panel->getHostPanel(), TreeItem, a, false, c.modifiers, &why));
        EXPECT_FALSE(named("A")->isExpanded());
        EXPECT_FALSE(named("A1")->isExpanded()) << c.modifiers;
    }
}

TEST_F(TreeViewTest, StyleWordsAndHostStylesMapBothWays) {
    buildSample();
    Tree::iterator a = named("A");
    const struct {
        uint16_t word;
        short host;
        uint16_t back;
    } cases[] = {{0, 0, 0}, {1, 16, 1}, {2, 32, 2}, {4, 48, 4}, {3, 0, 0}, {8, 0, 0}};
    for (const auto& c : cases) {
        TextStyle style(c.word, 3.0);
        style.setColour(Colour(1.0, 0.5, 0.0));
        a->setStyle(style);
        EXPECT_EQ(DGTreeViewGetItemStyle(dialId(), TreeItem, int32_t(a->getItem())), c.host) << c.word;
        std::unique_ptr<TextStyle> read = a->getStyle();
        EXPECT_EQ(read->getStyle(), c.back) << c.word;
        EXPECT_DOUBLE_EQ(read->getSize(), 4.2333333333336);
        EXPECT_EQ(read->getColour(), Colour(1.0, 0.5, 0.0));
    }
    unsigned short red = 0, green = 0, blue = 0;
    ASSERT_TRUE(DGTreeViewGetItemColor(dialId(), TreeItem, int32_t(a->getItem()), &red, &green, &blue));
    EXPECT_EQ((std::vector<int>{red, green, blue}), (std::vector<int>{65535, 32768, 0}));
}

TEST_F(TreeViewTest, TheFillPatternLeavesDrawingBalancedAndTheUserDataIntact) {
    // Two rounds, as a palette refills its tree: coloured groups of leaves under a fresh top.
    for (int round = 0; round < 2; ++round) {
        tree->setDrawEnabled(false);
        tree->clear();
        Tree::iterator top = tree->begin();
        top->setText(String("Notes"));
        for (uint64_t group = 1; group <= 3; ++group) {
            Tree::iterator g = top->appendChild();
            g->setText(String("Group"));
            g->setUserData(group << 40);
            g->setColour(Colour(0.7, 0.7, 0.7));
            for (uint64_t leaf = 1; leaf <= group; ++leaf) {
                Tree::iterator made = g->appendChild();
                made->setUserData((group << 40) | leaf);
                made->appendChild()->setUserData(~leaf); // a third level
            }
            g->setExpanded(true);
        }
        tree->setDrawEnabled(true);
        EXPECT_EQ(state().drawDisabled, 0);
        EXPECT_EQ(tree->getItemCount(), 1 + 3 + 2 * (1 + 2 + 3));
    }
    std::vector<uint64_t> data;
    for (Tree::iterator at = tree->begin(Tree::Siblings); !at.isEnd(); ++at) {
        data.push_back(at->getUserData());
        EXPECT_EQ(at->getColour(), Colour(0.7, 0.7, 0.7));
        for (Tree::iterator leaf = at->beginChildren(); leaf != at->endChildren(); ++leaf)
            data.push_back(leaf->getUserData());
    }
    const uint64_t g = uint64_t(1) << 40;
    EXPECT_EQ(data, (std::vector<uint64_t>{g, g | 1, 2 * g, 2 * g | 1, 2 * g | 2, 3 * g, 3 * g | 1, 3 * g | 2,
                                           3 * g | 3}));
}

TEST_F(TreeViewTest, TheUsersActionsReachThePanelAsEvents) {
    buildSample();
    DG::Desk& desk = DG::Desk::Get();
    DG::Panel& host = *panel->getHostPanel();
    auto a = static_cast<int32_t>(named("A")->getItem());
    std::string why;
    ASSERT_TRUE(desk.ClickTreeItem(host, TreeItem, a, 0, &why)) << why;
    std::string item = std::to_string(a);
    EXPECT_EQ(heard.lines, (Texts{"action 4 " + item, "item 6 0", "action 0 0"}));
    heard.lines.clear();
    ASSERT_TRUE(desk.DoubleClickTreeItem(host, TreeItem, a, 0, &why)) << why;
    EXPECT_EQ(heard.lines, (Texts{"action 4 " + item, "action 0 0", "action 5 " + item})) << "no change";
    heard.lines.clear();
    ASSERT_TRUE(desk.ExpandTreeItem(host, TreeItem, a, true, 0, &why));
    ASSERT_TRUE(desk.ExpandTreeItem(host, TreeItem, a, false, 0, &why));
    EXPECT_EQ(heard.lines, (Texts{"item 6 notice 3 " + item, "item 6 notice 4 " + item}));
}

TEST_F(TreeViewTest, DragNotificationsBecomeDropEventsWithTheRecordAnswered) {
    buildSample();
    auto* observer = dynamic_cast<Tree::Observer*>(panel->getObserverFor(Tree::TypeCode));
    ASSERT_NE(observer, nullptr);
    DG::Item& source = *panel->getHostPanel()->GetItem(TreeItem);
    DG::TreeViewDragSourceEvent dragged(&source, 5);
    DG::TreeViewDropTargetEvent target(&source, DG::Point(12, 34), 7, DG::TreeViewDropTargetEvent::After);
    std::vector<DropRecord> records;
    heard.onDrop = [&](DropEvent& e) {
        records.push_back(*e.getRecord());
        e.setEffect(DG::DragDrop::Copy);
        e.setFlag(1);
        e.reply(std::make_shared<ItemMessage>(0));
    };
    bool answer = true;
    DG::DragDrop::Effect effect = DG::DragDrop::Move;
    observer->TreeViewDragStarting(dragged, &answer);
    EXPECT_FALSE(answer);
    observer->TreeViewDragStarted(dragged, &effect, &answer);
    EXPECT_EQ(effect, DG::DragDrop::Copy);
    EXPECT_TRUE(answer) << "the flag goes back";
    observer->TreeViewDragEnded(dragged, DG::DragDrop::Link);
    bool defBehaviour = true;
    effect = DG::DragDrop::Move;
    observer->TreeViewDragEntered(target, &effect, &defBehaviour);
    EXPECT_FALSE(defBehaviour);
    observer->TreeViewDragMoved(target, &effect, &defBehaviour);
    observer->TreeViewDragLeft(target, &effect);
    observer->TreeViewDropped(target, &effect);
    EXPECT_EQ(effect, DG::DragDrop::Copy);
    EXPECT_EQ(observer->drop(DG::ItemEvent(&source), 7, 9, 1), DG::DragDrop::Copy);
    // Stage, preset effect, and target fields as each notification fills them.
    const struct {
        uint16_t stage, effect;
        int16_t x;
        uint32_t insert;
        uint16_t relative;
    } expected[] = {{0, 0, 0, 0, 0},
                    {1, DG::DragDrop::Move, 0, 0, 0},
                    {2, DG::DragDrop::Link, 0, 0, 0},
                    {4, 7, 12, 7, 2},
                    {5, DG::DragDrop::Copy, 12, 7, 2},
                    {6, 7, 12, 7, 2},
                    {7, 7, 12, 7, 2},
                    {7, 7, 0, 9, 1}};
    ASSERT_EQ(records.size(), std::size(expected));
    for (size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(records[i].messageCode, expected[i].stage) << i;
        EXPECT_EQ(records[i].effect, expected[i].effect) << i;
        EXPECT_EQ(records[i].x, expected[i].x) << i;
        EXPECT_EQ(records[i].insertPosition, expected[i].insert) << i;
        EXPECT_EQ(records[i].relativePosition, expected[i].relative) << i;
        EXPECT_EQ(records[i].flag, 0) << i;
    }
}

TEST_F(TreeViewTest, AControlWithoutItsPanelOpenIsAtTheEnd) {
    std::unique_ptr<DialogControl> copy = tree->clone();
    panel->releaseControls(); // forgets the host panel id
    (void)DG::Desk::Get().TakeRefusals();
    auto& orphan = dynamic_cast<Tree&>(*copy);
    EXPECT_TRUE(orphan.begin().isEnd());
    EXPECT_EQ(orphan.getItemCount(), 0);
    EXPECT_EQ(DG::Desk::Get().TakeRefusals().size(), 2u);
}

} // namespace
