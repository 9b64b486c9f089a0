// List boxes and pop-ups of the dialog manager: rows, tab fields and header from the resource,
// rows inserted and deleted anywhere, the user's clicks, header work and row drags with what the
// list hears, dialog items riding on tab fields, and entries chosen by the user.
#include <memory>

#include "DGTestSupport.h"
#include "platform/dg/DGListState.h"
#include "platform/dg/DGPopUpState.h"
#include "platform/dg/UCPopupMenu.h"

using namespace dgtest;

namespace {

constexpr short NotesId = 400;
enum NotesItem : short { List = 1, Name, Status, Size, Done };

class Heard : public DG::ListBoxObserver, public DG::PopUpObserver, public DG::UserControlObserver {
public:
    explicit Heard(Log& log) : m_log(log) {}
    bool canStart = true;
    void ListBoxSelectionChanged(const DG::ListBoxSelectionChangeEvent&) override { note("selection"); }
    void ListBoxClicked(const DG::ListBoxClickEvent& e) override { note("click " + click(e)); }
    void ListBoxDoubleClicked(const DG::ListBoxClickEvent& e) override { note("double-click " + click(e)); }
    void ListBoxTabFieldUpdated(const DG::ListBoxTabFieldUpdateEvent& e) override {
        note("tab-field " + n(e.GetTabFieldIndex()) + " item " + n(e.GetDialogItem()));
    }
    void ListBoxHeaderItemClicked(const DG::ListBoxHeaderItemEvent& e) override {
        note("header-click " + n(e.GetHeaderItem()));
    }
    void ListBoxHeaderItemDragged(const DG::ListBoxHeaderItemDragEvent& e) override {
        note("header-drag " + n(e.GetOldPosition()) + " " + n(e.GetNewPosition()));
    }
    void ListBoxHeaderItemResizeEntered(const DG::ListBoxHeaderItemEvent& e) override {
        note("resize 0 " + size(e));
    }
    void ListBoxHeaderItemResized(const DG::ListBoxHeaderItemEvent& e) override {
        note("resize 1 " + size(e));
    }
    void ListBoxHeaderItemResizeExited(const DG::ListBoxHeaderItemEvent& e) override {
        note("resize 2 " + size(e));
    }
    void ListBoxDragStarting(const DG::ListBoxDragSourceEvent& e, bool* start) override {
        *start = canStart;
        note("drag-starting " + n(e.GetRow()));
    }
    void ListBoxDragStarted(const DG::ListBoxDragSourceEvent&, DG::DragDrop::Effect* effect, bool*) override {
        *effect = DG::DragDrop::Copy | DG::DragDrop::Move;
        note("drag-started");
    }
    void ListBoxDragEntered(const DG::ListBoxDropTargetEvent& e, DG::DragDrop::Effect* effect,
                            bool*) override {
        note("entered " + n(*effect) + " at " + n(e.GetInsertPosition()) + " " + n(e.GetRelativePosition()) +
             " y " + n(e.GetPosition().GetY()));
    }
    void ListBoxDropped(const DG::ListBoxDropTargetEvent&, DG::DragDrop::Effect* effect) override {
        *effect = DG::DragDrop::Move;
        note("dropped");
    }
    void ListBoxDragEnded(const DG::ListBoxDragSourceEvent&, DG::DragDrop::Effect effect) override {
        note("ended " + n(effect));
    }
    void PopUpChanged(const DG::PopUpChangeEvent& e) override { note("pop-up " + n(e.GetSource()->GetId())); }
    void UserControlChanged(const DG::UserControlChangeEvent& e) override {
        note("user-control " + n(e.GetSource()->GetId()));
    }

private:
    static std::string n(int v) { return std::to_string(v); }
    static std::string click(const DG::ListBoxClickEvent& e) {
        return n(e.GetRow()) + " keys " + n(e.GetModifiers()) + " at " + n(e.GetPosition().GetX()) + " " +
               n(e.GetPosition().GetY());
    }
    static std::string size(const DG::ListBoxHeaderItemEvent& e) {
        return n(e.GetHeaderItem()) + " " + n(e.GetChange());
    }
    void note(const std::string& what) { m_log.push_back(what); }
    Log& m_log;
};

class ListBoxTest : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        palette = std::make_unique<DG::Palette>(module, NotesId, module);
        palette->BeginEventProcessing();
        list = std::make_unique<DG::MultiSelListBox>(*palette, List);
        list->Attach(heard);
        id = palette->GetId();
    }
    void TearDown() override {
        EXPECT_EQ(desk().TakeRefusals(), std::vector<std::string>{});
        list.reset();
        palette.reset();
        DeskTest::TearDown();
    }
    // One row a text, in tab field 1.
    void fill(std::initializer_list<const char*> texts) {
        for (const char* text : texts) {
            ASSERT_TRUE(DGListInsertItem(id, List, DG::ListBottom));
            DGListSetTabItemText(id, List, DGListGetItemCount(id, List), 1, GS::UniString(text));
        }
    }
    std::string rows() const {
        std::string all;
        for (short row = 1; row <= DGListGetItemCount(id, List); ++row)
            all += DGListGetTabItemText(id, List, row, 1).ToCStr() +
                   (DGListGetSelected(id, List, row) == row ? "*" : "") + " ";
        return all;
    }
    void act(bool done) { EXPECT_TRUE(done) << why; }

    std::unique_ptr<DG::Palette> palette;
    std::unique_ptr<DG::MultiSelListBox> list;
    Heard heard{log};
    short id = 0;
    std::string why;
};

TEST_F(ListBoxTest, TheResourceGivesTheColumnsTheHeaderAndTheEntries) {
    DG::ListState& rows = *DG::ListOf(*palette->State().item(List));
    ASSERT_EQ(rows.tabs.size(), 3u);
    EXPECT_EQ(rows.tabs[1].start, 120);
    EXPECT_EQ(rows.tabs[2].end, 280);
    EXPECT_EQ(DGListGetHeaderItemCount(id, List), 3);
    EXPECT_EQ(DGListGetHeaderItemText(id, List, 2).ToCStr(), "Status");
    EXPECT_EQ(DGListGetHeaderItemSize(id, List, 3), 60);
    EXPECT_EQ(DGListGetHeaderHeight(id, List), 20);
    EXPECT_EQ(DGPopUpGetItemCount(id, Status), 3);
    EXPECT_EQ(DGPopUpGetItemText(id, Status, 3).ToCStr(), "Final");
    EXPECT_EQ(DGPopUpGetItemCount(id, Size), 2);
    // Nothing is chosen until someone chooses.
    EXPECT_EQ(DGGetItemValLong(id, Status), 0);
    EXPECT_EQ(DGGetItemText(id, Status).ToCStr(), "");
}

TEST_F(ListBoxTest, RowsInsertedAndDeletedAnywhereKeepTheirOrderAndTheSelection) {
    fill({"a", "b", "c", "d"});
    DGListSelectItem(id, List, 2);
    DGListSelectItem(id, List, 4);
    const struct {
        bool insert;
        short at;
        const char* text;
        const char* rows;
    } steps[] = {
        {true, 1, "x", "x a b* c d* "}, {true, 1, "y", "y x a b* c d* "}, {false, 3, "", "y x b* c d* "},
        {false, 3, "", "y x c d* "},    {true, 5, "z", "y x c d* z "},    {false, 5, "", "y x c d* "},
        {true, 2, "w", "y w x c d* "},
    };
    for (const auto& step : steps) {
        if (step.insert) {
            ASSERT_TRUE(DGListInsertItem(id, List, step.at));
            DGListSetTabItemText(id, List, step.at, 1, GS::UniString(step.text));
        } else {
            DGListDeleteItem(id, List, step.at);
        }
        EXPECT_EQ(rows(), step.rows);
    }
    EXPECT_FALSE(DGListInsertItem(id, List, 9));
    DGListDeleteItem(id, List, DG::ListAllItems);
    EXPECT_EQ(DGListGetItemCount(id, List), 0);
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"DGListInsertItem: no place 9 in item 1 of panel 1"});
}

TEST_F(ListBoxTest, A32768thRowIsRefused) {
    for (int row = 0; row < DG::ListState::MaxRows; ++row)
        ASSERT_TRUE(DGListInsertItem(id, List, 1));
    EXPECT_FALSE(DGListInsertItem(id, List, DG::ListBottom));
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"DGListInsertItem: item 1 of panel 1 holds 32767 rows already"});
}

TEST_F(ListBoxTest, ClicksSelectAsTheUserWouldAndTheListHearsThem) {
    fill({"a", "b", "c", "d", "e"});
    const struct {
        short row;
        short keys;
        const char* rows;
        Log heard;
    } clicks[] = {
        {2, 0, "a b* c d e ", {"click 2 keys 0 at 60 44", "selection"}},
        {2, 0, "a b* c d e ", {"click 2 keys 0 at 60 44"}},
        {4, DG::ShiftKey, "a b* c* d* e ", {"click 4 keys 1 at 60 76", "selection"}},
        {3, DG::CommandKey, "a b* c d* e ", {"click 3 keys 4 at 60 60", "selection"}},
        {5, 0, "a b c d e* ", {"click 5 keys 0 at 60 92", "selection"}},
    };
    for (const auto& c : clicks) {
        log.clear();
        act(desk().ClickListRow(*palette, List, c.row, c.keys, &why));
        EXPECT_EQ(rows(), c.rows) << c.row;
        EXPECT_EQ(log, c.heard) << c.row;
    }
    log.clear();
    act(desk().DoubleClickListRow(*palette, List, 1, 0, &why));
    EXPECT_EQ(log, (Log{"click 1 keys 0 at 60 28", "selection", "double-click 1 keys 0 at 60 28"}));
    EXPECT_FALSE(desk().ClickListRow(*palette, List, 6, 0, &why));
    EXPECT_EQ(why, "item 1 of palette \"Notes\" (400) has no row 6 (it has 5)");
    EXPECT_FALSE(desk().ClickListRow(*palette, Name, 1, 0, &why));
    EXPECT_EQ(why, "item 2 of palette \"Notes\" (400) is an edit-text, not a list box");
}

TEST_F(ListBoxTest, DialogItemsOnTabFieldsRideOnTheFirstSelectedRow) {
    fill({"a", "b", "c"});
    DGListSetDialItemOnTabField(id, List, 1, Name);
    DGListSetDialItemOnTabField(id, List, 2, Status);
    auto rect = [&](short item) {
        DG::Rect r = DGGetItemRect(id, item);
        return std::to_string(r.GetLeft()) + " " + std::to_string(r.GetTop()) + " " +
               std::to_string(r.GetWidth()) + " " + std::to_string(r.GetHeight());
    };
    EXPECT_EQ(rect(Name), "10 140 100 16"); // no row is selected yet: hidden where it was
    EXPECT_FALSE(DGIsItemVisible(id, Name));
    act(desk().ClickListRow(*palette, List, 2, 0, &why));
    EXPECT_TRUE(DGIsItemVisible(id, Name));
    EXPECT_EQ(rect(Name), "10 46 120 16"); // below the header, one row down
    EXPECT_EQ(rect(Status), "130 46 100 16");
    DGListSetScrollPosition(id, List, 2);
    DGListSetHeaderItemCount(id, List, 0);
    EXPECT_EQ(rect(Name), "10 10 120 16");
    DGListSelectItem(id, List, 1);
    EXPECT_EQ(rect(Status), "130 -6 100 16");

    log.clear();
    act(desk().TypeText(*palette, Name, GS::UniString("ab"), &why));
    act(desk().ChoosePopUpEntry(*palette, Status, GS::UniString("Final"), &why));
    act(desk().Tick(*palette, Done, false, &why)); // on no tab field
    EXPECT_EQ(log, (Log{"tab-field 1 item 2", "tab-field 1 item 2", "tab-field 2 item 3"}));
    DGListSetDialItemOnTabField(id, List, 1, 0);
    DGListSelectItem(id, List, 3);
    EXPECT_EQ(rect(Name), "10 -6 120 16");
    DGListSetDialItemOnTabField(id, List, 4, Name);
    DGListSetDialItemOnTabField(id, List, 1, 9);
    EXPECT_EQ(
        desk().TakeRefusals(),
        (std::vector<std::string>{"DGListSetDialItemOnTabField: no tab field 4 in item 1 of panel 1",
                                  "DGListSetDialItemOnTabField: no item 9 to place on item 1 of panel 1"}));
}

TEST_F(ListBoxTest, HeaderItemsAreClickedDraggedAndResizedAboveTheirMinimum) {
    act(desk().ClickListHeader(*palette, List, 2, &why));
    act(desk().DragListHeader(*palette, List, 1, 3, &why));
    EXPECT_EQ(DGListGetHeaderItemText(id, List, 3).ToCStr(), "Name");
    EXPECT_EQ(DGListGetHeaderItemText(id, List, 1).ToCStr(), "Status");
    DGListSetHeaderItemMinSize(id, List, 2, 50);
    act(desk().ResizeListHeader(*palette, List, 2, -20, &why)); // 60 to its minimum 50
    EXPECT_EQ(DGListGetHeaderItemSize(id, List, 2), 50);
    EXPECT_EQ(log,
              (Log{"header-click 2", "header-drag 1 3", "resize 0 2 0", "resize 1 2 -10", "resize 2 2 -10"}));
    EXPECT_FALSE(desk().ClickListHeader(*palette, List, 4, &why));
    EXPECT_EQ(why, "item 1 of palette \"Notes\" (400) has no header item 4");
}

TEST_F(ListBoxTest, ARowDragIsHeardInItsStagesAndAnswersTheDropsEffect) {
    fill({"a", "b", "c"});
    DG::DragDrop::Effect effect = DG::DragDrop::None;
    act(desk().DragListRow(*palette, List, 1, 4, &effect, &why));
    EXPECT_EQ(effect, DG::DragDrop::Move);
    EXPECT_EQ(log, (Log{"drag-starting 1", "drag-started", "entered 3 at 3 2 y 76", "dropped", "ended 2"}));
    EXPECT_EQ(rows(), "a b c "); // the rows are the add-on's to move
    log.clear();
    heard.canStart = false;
    act(desk().DragListRow(*palette, List, 2, 1, &effect, &why));
    EXPECT_EQ(effect, DG::DragDrop::None);
    EXPECT_EQ(log, (Log{"drag-starting 2"}));
}

TEST_F(ListBoxTest, EntriesAreChosenByTextAndTheChoiceFollowsItsEntry) {
    DG::PopUp popUp(*palette, Status);
    UC::PopupMenu menu(*palette, Size);
    popUp.Attach(heard);
    menu.Attach(heard);
    act(desk().ChoosePopUpEntry(*palette, Status, GS::UniString("Final"), &why));
    act(desk().ChoosePopUpEntry(*palette, Status, GS::UniString("Final"), &why)); // no change: not heard
    EXPECT_EQ(DGGetItemValLong(id, Status), 3);
    EXPECT_EQ(DGGetItemText(id, Status).ToCStr(), "Final");
    DGPopUpInsertItem(id, Status, 1);
    EXPECT_EQ(DGPopUpGetSelected(id, Status), 4);
    DGPopUpDeleteItem(id, Status, 4);
    EXPECT_EQ(DGPopUpGetSelected(id, Status), 0);
    EXPECT_FALSE(desk().ChoosePopUpEntry(*palette, Status, GS::UniString("-"), &why));
    EXPECT_EQ(why, "item 3 of palette \"Notes\" (400) has no entry \"-\"");

    UCPopupSetItemStatus(id, Size, 1, true); // numbered from 0: "Large"
    EXPECT_FALSE(desk().ChoosePopUpEntry(*palette, Size, GS::UniString("Large"), &why));
    EXPECT_EQ(why, "the entry \"Large\" of item 4 of palette \"Notes\" (400) is disabled");
    act(desk().ChoosePopUpEntry(*palette, Size, GS::UniString("Small"), &why));
    EXPECT_EQ(UCPopupGetSelectedItem(id, Size), 1);
    EXPECT_EQ(log, (Log{"pop-up 3", "user-control 4"}));
    // Each family keeps to its own kind of item.
    DGPopUpSelectItem(id, Size, 1);
    UCPopupSelectItem(id, Status, 1);
    EXPECT_EQ(desk().TakeRefusals(),
              (std::vector<std::string>{"DGPopUpSelectItem: item 4 of panel 1 is a user-control",
                                        "UCPopupSelectItem: item 3 of panel 1 is a pop-up"}));
}

TEST_F(ListBoxTest, MovesAndGrowsAreBracketedInBalance) {
    DGBeginMoveGrowItems(id);
    DGBeginMoveGrowItems(id);
    DGEndMoveGrowItems(id);
    EXPECT_EQ(palette->State().moveGrowDepth, 1);
    DGEndMoveGrowItems(id);
    DGEndMoveGrowItems(id);
    EXPECT_EQ(desk().TakeRefusals(),
              std::vector<std::string>{"DGEndMoveGrowItems: panel 1 has no DGBeginMoveGrowItems to end"});
}

} // namespace
