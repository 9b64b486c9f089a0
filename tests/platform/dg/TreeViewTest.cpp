// The dialog manager's tree views: items inserted, related, deleted and selected through the
// DGTreeView functions, refusals, and the user's clicks and expanders heard by the observers.
#include "DGTestSupport.h"
#include "platform/dg/DGImage.h"
#include "platform/dg/DGTreeState.h"

using namespace dgtest;

namespace {

constexpr short OutlineId = 300;
enum OutlineItem : short { Tree = 1, ApplyButton };
constexpr int32_t None = DG::TreeNoItem;

// Hears a tree view: "kind item keys" for each notification.
class TreeRecorder : public DG::TreeViewObserver {
public:
    explicit TreeRecorder(Log& log) : m_log(log) {}
    void TreeViewSelectionChanged(const DG::TreeViewSelectionChangeEvent&) override {
        m_log.push_back("selection");
    }
    void TreeViewClicked(const DG::TreeViewClickEvent& e) override { note("click", e); }
    void TreeViewItemClicked(const DG::TreeViewItemClickEvent& e) override { note("item-click", e); }
    void TreeViewDoubleClicked(const DG::TreeViewDoubleClickEvent& e) override { note("double-click", e); }
    void TreeViewItemExpanded(const DG::TreeViewItemExpandEvent& e) override { note("expanded", e); }
    void TreeViewItemCollapsed(const DG::TreeViewItemCollapseEvent& e) override { note("collapsed", e); }

private:
    void note(const char* what, const DG::TreeViewItemEvent& e) {
        // The mouse record holds the keys while the notification is delivered.
        m_log.push_back(std::string(what) + " " + std::to_string(e.GetTreeItem()) + " keys " +
                        std::to_string(e.GetModifiers()) + "/" +
                        std::to_string(DG::Desk::Get().GetMouse().modifiers));
    }
    Log& m_log;
};

class TreeTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        palette = std::make_unique<DG::Palette>(module, OutlineId, module);
        palette->BeginEventProcessing();
        id = palette->GetId();
    }
    void TearDown() override {
        EXPECT_EQ(desk().TakeRefusals(), std::vector<std::string>{});
        palette.reset();
        DeskTest::TearDown();
    }
    int32_t insert(int32_t parent, int32_t position) {
        return DGTreeViewInsertItem(id, Tree, parent, position);
    }
    // T{A{A1}, B}: items 1 to 4.
    void buildSample() {
        ASSERT_EQ(insert(0, 0), 1);
        ASSERT_EQ(insert(1, DG::TreeLastChild), 2);
        ASSERT_EQ(insert(2, DG::TreeLastChild), 3);
        ASSERT_EQ(insert(1, DG::TreeLastChild), 4);
    }
    std::vector<int32_t> order() {
        std::vector<int32_t> items;
        DG::TreeState& tree = *DG::TreeOf(*state(*palette).item(Tree));
        for (int32_t at = tree.NextInOrder(0); at != None; at = tree.NextInOrder(at))
            items.push_back(at);
        return items;
    }

    std::unique_ptr<DG::Palette> palette;
    short id = 0;
    std::string why;
};

using Items = std::vector<int32_t>;

TEST_F(TreeTest, RelationsOfTheSampleTree) {
    buildSample();
    DGTreeViewExpandItem(id, Tree, 1);
    const struct {
        int32_t item;
        short relation;
        int32_t answer;
    } cases[] = {
        {1, DG::TreeNextSibling, None},
        {2, DG::TreeNextSibling, 4},
        {4, DG::TreePrevSibling, 2},
        {2, DG::TreePrevSibling, None},
        {1, DG::TreeParent, 0},
        {3, DG::TreeParent, 2},
        {1, DG::TreeChild, 2},
        {3, DG::TreeChild, None},
        {0, DG::TreeChild, 1},
        {0, DG::TreeParent, None},
        {0, DG::TreeLastDisplayed, 4}, // A collapsed hides A1
        {0, DG::TreeNextDisplayed, 1},
        {2, DG::TreeNextDisplayed, 4},
        {4, DG::TreePrevDisplayed, 2},
        {1, DG::TreePrevDisplayed, None},
        {4, DG::TreeNextDisplayed, None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DGTreeViewGetItem(id, Tree, c.item, c.relation), c.answer)
            << c.item << " rel " << c.relation;
    DGTreeViewExpandItem(id, Tree, 2);
    EXPECT_EQ(DGTreeViewGetItem(id, Tree, 2, DG::TreeNextDisplayed), 3);
    EXPECT_EQ(DGTreeViewGetItem(id, Tree, 4, DG::TreePrevDisplayed), 3);
    EXPECT_EQ(DGTreeViewGetItemCount(id, Tree), 4);
}

TEST_F(TreeTest, InsertPositionsAndNumbersNeverGivenTwice) {
    ASSERT_EQ(insert(0, 0), 1);
    const struct {
        int32_t position;
        Items order;
    } cases[] = {
        {DG::TreeLastChild, {1, 2}},
        {DG::TreeFirstChild, {1, 3, 2}},
        {3, {1, 3, 4, 2}}, // after its sibling 3
        {2, {1, 3, 4, 2, 5}},
    };
    for (const auto& c : cases) {
        insert(1, c.position);
        EXPECT_EQ(order(), c.order) << c.position;
    }
    DGTreeViewDeleteItem(id, Tree, 4);
    EXPECT_EQ(insert(1, DG::TreeLastChild), 6);
    DGTreeViewDeleteItem(id, Tree, 0);
    EXPECT_EQ(DGTreeViewGetItemCount(id, Tree), 0);
    EXPECT_EQ(insert(0, 0), 7);
}

TEST_F(TreeTest, DeletingAnItemTakesItsSubtreeAndItsSelection) {
    buildSample();
    for (int32_t item : {2, 3, 4})
        DGTreeViewSelectItem(id, Tree, item);
    DGTreeViewDeleteItem(id, Tree, 2);
    EXPECT_EQ(order(), (Items{1, 4}));
    EXPECT_EQ(DGTreeViewGetSelCount(id, Tree), 1);
    EXPECT_EQ(DGTreeViewGetItem(id, Tree, 1, DG::TreeChild), 4);
    EXPECT_EQ(DGTreeViewGetItem(id, Tree, 4, DG::TreePrevSibling), None);
    EXPECT_EQ(DGTreeViewGetItemText(id, Tree, 3).ToCStr(), "");
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"DGTreeViewGetItemText: no tree item 3 in item 1 of panel 1"});
}

TEST_F(TreeTest, TheSelectionInTheOrderOfTheTree) {
    buildSample();
    EXPECT_EQ(DGTreeViewGetSelected(id, Tree, 0), None);
    DGTreeViewSelectItem(id, Tree, 4);
    DGTreeViewSelectItem(id, Tree, 3);
    const struct {
        int32_t from;
        int32_t answer;
    } cases[] = {{0, 3}, {1, 3}, {3, 3}, {4, 4}, {2, 3}};
    for (const auto& c : cases)
        EXPECT_EQ(DGTreeViewGetSelected(id, Tree, c.from), c.answer) << c.from;
    EXPECT_EQ(DGTreeViewGetSelCount(id, Tree), 2);
    // The buffer is never written past its size.
    int32_t buffer[3] = {-7, -7, -7};
    EXPECT_EQ(DGTreeViewGetSelItems(id, Tree, buffer, 1), 1);
    EXPECT_EQ((Items{buffer[0], buffer[1]}), (Items{3, -7}));
    EXPECT_EQ(DGTreeViewGetSelItems(id, Tree, buffer, 3), 2);
    EXPECT_EQ((Items(buffer, buffer + 3)), (Items{3, 4, -7}));
    EXPECT_EQ(DGTreeViewGetSelItems(id, Tree, nullptr, 3), 0);
    DGTreeViewSelectItem(id, Tree, 0);
    EXPECT_EQ(DGTreeViewGetSelCount(id, Tree), 4);
    DGTreeViewDeselectItem(id, Tree, 0);
    EXPECT_EQ(DGTreeViewGetSelCount(id, Tree), 0);
}

TEST_F(TreeTest, AnItemKeepsItsTextColourStyleIconAndUserData) {
    buildSample();
    DGTreeViewSetItemText(id, Tree, 3, GS::UniString("Leaf"));
    DGTreeViewSetItemColor(id, Tree, 3, 65535, 1, 2);
    DGTreeViewSetItemStyle(id, Tree, 3, 48);
    DGTreeViewSetItemUserData(id, Tree, 3, 0xFEDCBA9876543210ull);
    DGTreeViewSetItemIcon(id, Tree, 3, 0, DG::Icon(module, 7));
    EXPECT_EQ(DGTreeViewGetItemText(id, Tree, 3).ToCStr(), "Leaf");
    unsigned short rgb[3] = {};
    EXPECT_TRUE(DGTreeViewGetItemColor(id, Tree, 3, &rgb[0], &rgb[1], &rgb[2]));
    EXPECT_EQ((std::vector<int>{rgb[0], rgb[1], rgb[2]}), (std::vector<int>{65535, 1, 2}));
    EXPECT_EQ(DGTreeViewGetItemStyle(id, Tree, 3), 48);
    EXPECT_EQ(DGTreeViewGetItemUserData(id, Tree, 3), 0xFEDCBA9876543210ull);
    EXPECT_EQ(DGTreeViewGetItemIcon(id, Tree, 3, 0).GetResourceId(), 7);
    EXPECT_EQ(DGTreeViewGetItemUserData(id, Tree, 2), 0u);
}

TEST_F(TreeTest, DrawingIsCountedAndAnUnbalancedEnableRefused) {
    DG::TreeState& tree = *DG::TreeOf(*state(*palette).item(Tree));
    DGTreeViewDisableDraw(id, Tree);
    DGTreeViewDisableDraw(id, Tree);
    DGTreeViewEnableDraw(id, Tree);
    EXPECT_EQ(tree.drawDisabled, 1);
    EXPECT_EQ(tree.redraws, 0);
    DGTreeViewEnableDraw(id, Tree);
    EXPECT_EQ(tree.drawDisabled, 0);
    EXPECT_EQ(tree.redraws, 1);
    DGTreeViewEnableDraw(id, Tree);
    EXPECT_EQ(tree.drawDisabled, 0);
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"DGTreeViewEnableDraw: drawing of item 1 of panel 1 is not off"});
}

TEST_F(TreeTest, CallsOnUnknownPanelsItemsAndTreeItemsAreRefused) {
    buildSample();
    const struct {
        std::function<void()> call;
        const char* refusal;
    } cases[] = {
        {[&] { EXPECT_EQ(DGTreeViewInsertItem(42, Tree, 0, 0), None); }, "DGTreeViewInsertItem: no panel 42"},
        {[&] { EXPECT_EQ(DGTreeViewGetItemCount(id, 9), 0); },
         "DGTreeViewGetItemCount: no item 9 of panel 1"},
        {[&] { DGTreeViewSelectItem(id, ApplyButton, 0); },
         "DGTreeViewSelectItem: item 2 of panel 1 is a button"},
        {[&] { EXPECT_EQ(DGTreeViewGetItem(id, Tree, 9, 1), None); },
         "DGTreeViewGetItem: no tree item 9 in item 1 of panel 1"},
        {[&] { EXPECT_EQ(DGTreeViewGetItem(id, Tree, 1, 8), None); }, "DGTreeViewGetItem: no relation 8"},
        {[&] { EXPECT_EQ(insert(9, DG::TreeLastChild), None); },
         "DGTreeViewInsertItem: no place -65534 under tree item 9 in item 1 of panel 1"},
        {[&] { EXPECT_EQ(insert(1, 3), None); }, // 3 is no child of 1
         "DGTreeViewInsertItem: no place 3 under tree item 1 in item 1 of panel 1"},
        {[&] { DGTreeViewDeleteItem(id, Tree, -1); },
         "DGTreeViewDeleteItem: no tree item -1 in item 1 of panel 1"},
        {[&] { EXPECT_FALSE(DGTreeViewIsItemExpanded(id, Tree, 0)); },
         "DGTreeViewIsItemExpanded: no tree item 0 in item 1 of panel 1"},
        {[&] { DGTreeViewSetItemIcon(id, Tree, 1, 1, DG::Icon()); }, "DGTreeViewSetItemIcon: no icon kind 1"},
        {[&] { EXPECT_FALSE(DGTreeViewGetItemColor(id, Tree, 7, nullptr, nullptr, nullptr)); },
         "DGTreeViewGetItemColor: no tree item 7 in item 1 of panel 1"},
    };
    for (const auto& c : cases) {
        c.call();
        EXPECT_EQ(desk().TakeRefusals(), std::vector<std::string>{c.refusal});
    }
    EXPECT_EQ(order(), (Items{1, 2, 3, 4}));
}

TEST_F(TreeTest, TheUsersClicksSelectAndAreHeardInOrder) {
    buildSample();
    DG::MultiSelTreeView view(*palette, Tree);
    TreeRecorder recorder(log);
    view.Attach(recorder);
    const struct {
        int32_t item;
        short keys;
        Items selected;
        Log heard;
    } cases[] = {
        {3, DG::NoModifier, {3}, {"click 3 keys 0/0", "selection", "item-click 3 keys 0/0"}},
        {3, DG::NoModifier, {3}, {"click 3 keys 0/0", "item-click 3 keys 0/0"}},
        {2, DG::CommandKey, {2, 3}, {"click 2 keys 4/4", "selection", "item-click 2 keys 4/4"}},
        {3, DG::CommandKey, {2}, {"click 3 keys 4/4", "selection", "item-click 3 keys 4/4"}},
        {1, DG::NoModifier, {1}, {"click 1 keys 0/0", "selection", "item-click 1 keys 0/0"}},
        {3, DG::ShiftKey, {1, 2, 3}, {"click 3 keys 1/1", "selection", "item-click 3 keys 1/1"}},
        {4, DG::NoModifier, {4}, {"click 4 keys 0/0", "selection", "item-click 4 keys 0/0"}},
        {2, DG::ShiftKey, {2, 3, 4}, {"click 2 keys 1/1", "selection", "item-click 2 keys 1/1"}}, // backwards
    };
    for (const auto& c : cases) {
        log.clear();
        EXPECT_TRUE(desk().ClickTreeItem(*palette, Tree, c.item, c.keys, &why)) << why;
        EXPECT_EQ(log, c.heard) << c.item << " keys " << c.keys;
        EXPECT_EQ(DG::TreeOf(*state(*palette).item(Tree))->Selected(), c.selected) << c.item;
        EXPECT_EQ(desk().GetMouse().modifiers, 0) << "the keys are let go";
    }
    log.clear();
    EXPECT_TRUE(desk().DoubleClickTreeItem(*palette, Tree, 4, 0, &why));
    EXPECT_EQ(log,
              (Log{"click 4 keys 0/0", "selection", "item-click 4 keys 0/0", "double-click 4 keys 0/0"}));
}

TEST_F(TreeTest, TheUsersExpanderWorksOnlyOnItemsWithChildren) {
    buildSample();
    DG::MultiSelTreeView view(*palette, Tree);
    TreeRecorder recorder(log);
    view.Attach(recorder);
    EXPECT_TRUE(desk().ExpandTreeItem(*palette, Tree, 2, true, DG::OptionKey, &why));
    EXPECT_TRUE(desk().ExpandTreeItem(*palette, Tree, 2, true, 0, &why)) << "already expanded: nothing heard";
    EXPECT_TRUE(desk().ExpandTreeItem(*palette, Tree, 2, false, 0, &why));
    EXPECT_EQ(log, (Log{"expanded 2 keys 2/2", "collapsed 2 keys 0/0"}));
    EXPECT_FALSE(desk().ExpandTreeItem(*palette, Tree, 3, true, 0, &why));
    EXPECT_EQ(why, "tree item 3 has no children to expand");
    const struct {
        std::function<bool()> act;
        const char* why;
    } refused[] = {
        {[&] { return desk().ClickTreeItem(*palette, Tree, 9, 0, &why); },
         "item 1 of palette \"Outline\" (300) has no tree item 9"},
        {[&] { return desk().ClickTreeItem(*palette, ApplyButton, 1, 0, &why); },
         "item 2 of palette \"Outline\" (300) is a button, not a tree view"},
        {[&] {
             DGDisableItem(id, Tree);
             return desk().ClickTreeItem(*palette, Tree, 1, 0, &why);
         },
         "item 1 of palette \"Outline\" (300) is disabled"},
        {[&] {
             palette->EndEventProcessing();
             return desk().ExpandTreeItem(*palette, Tree, 1, true, 0, &why);
         },
         "palette \"Outline\" (300) is not open"},
    };
    for (const auto& r : refused) {
        EXPECT_FALSE(r.act());
        EXPECT_EQ(why, r.why);
    }
}

} // namespace
