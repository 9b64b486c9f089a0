// The list control over the dialog manager's list box: rows inserted and deleted with the
// selection kept, columns laid out, iterators, rows under a point, its events, and column editors
// whose typed values go back where they were typed.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ControlTestPanel.h"
#include "interface/CheckboxControl.h"
#include "interface/Controls.h"
#include "interface/InterfaceSubscribers.h"
#include "interface/ListControl.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"
#include "platform/dg/DGListState.h"
#include "platform/dg/DGPanelState.h"

using namespace tarnwick;

namespace {

constexpr short ResourceId = 120;
enum Item : short { Editor = 1, Box, Other, List, Later };

// A palette of an edit text, a check box, another edit text, a list box (at 10, 10) and an edit
// text after it.
struct ListResource : controltest::PaletteResource {
    ListResource()
        : PaletteResource(ResourceId, 300, 300,
                          {{DG::ItemType::TextEdit, 10, 250, 100, 266, 0, ""},
                           {DG::ItemType::CheckBox, 120, 250, 140, 266, 0, ""},
                           {DG::ItemType::TextEdit, 150, 250, 200, 266, 0, ""},
                           {DG::ItemType::ListBox, 10, 10, 290, 210, 0, ""},
                           {DG::ItemType::TextEdit, 210, 250, 290, 266, 0, ""}}) {}
};

// What the panel hears, "kind code" and what the data says.
class Heard : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        for (uint32_t kind : {ActionEvent::Kind, ItemEvent::Kind, ListHeaderClickEvent::Kind,
                              ListHeaderDragEvent::Kind, ListHeaderResizeEvent::Kind})
            types.push_back({InterfaceSource, kind});
    }
    bool receive(Event& event) override {
        auto& e = dynamic_cast<InterfaceEvent&>(event);
        std::string line = std::to_string(e.getCode());
        if (e.getKind() == ActionEvent::Kind) {
            const auto* click = dataPointer<const ListClick>(e.getData());
            line += " row " + std::to_string(click->listItem) + " key " + std::to_string(click->modifier);
        } else if (auto* header = dynamic_cast<ListHeaderEvent*>(&e)) {
            const ListHeaderData& d = *header->getRecord();
            line += " " + std::to_string(d.action) + " " + std::to_string(d.column) + " " +
                    std::to_string(d.newPosition) + " " + std::to_string(static_cast<int16_t>(d.width));
        }
        lines.push_back(line);
        if (then) then(e);
        return false;
    }
    std::vector<std::string> lines;
    std::function<void(InterfaceEvent&)> then;
};

class ListControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        DG::Desk::Get().Reset();
        InterfacePanel::initialiseModule();
        panel = std::make_unique<controltest::TestPanel>(resource.module(), ResourceId);
        list = DialogControl::make<ListControl>(ControlLink(List, panel.get()), 0, 2, ListColumnStyle(100));
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
    DG::Panel& host() const { return *panel->getHostPanel(); }
    void act(bool done) { EXPECT_TRUE(done) << why; }

    // Rows "r0", "r1", ... in column 0.
    void fill(int16_t rows) {
        list->appendRows(rows);
        for (int16_t row = 0; row < rows; ++row)
            list->setTabItemText(String(("r" + std::to_string(row)).c_str()), row, 0);
    }
    // "r0 r3* ...": column 0 of each row of the host, selected rows starred.
    std::string rows() const {
        std::string all;
        for (short row = 1; row <= DGListGetItemCount(dialId(), List); ++row)
            all += DGListGetTabItemText(dialId(), List, row, 1).ToCStr() +
                   (DGListGetSelected(dialId(), List, row) == row ? "*" : "") + " ";
        return all;
    }
    std::string cell(int16_t row, int16_t column) const { return list->getTabItemText(row, column).c_str(); }
    std::string editorText() const { return DGGetItemText(dialId(), Editor).ToCStr(); }

    ListResource resource;
    std::unique_ptr<controltest::TestPanel> panel;
    ListControl* list = nullptr;
    Heard heard;
    std::string why;
};

TEST_F(ListControlTest, DeletedRowsKeepTheSelectionOfTheRowsThatStay) {
    const struct {
        int16_t rows;
        std::vector<int16_t> selected;
        int16_t first, count;
        const char* after;
    } cases[] = {
        {10, {1, 5}, 2, 2, "r0 r1* r4 r5* r6 r7 r8 r9 "},
        {6, {1, 5}, 2, 2, "r0 r1* r4 r5* "}, // the selected last row is kept too
        {10, {9}, ListControl::NoRow, 1, "r0 r1 r2 r3 r4 r5 r6 r7 r8 "},
        {10, {}, -2, 5, "r3 r4 r5 r6 r7 r8 r9 "},
        {4, {0}, 4, 1, "r0* r1 r2 r3 "},
        {3, {0, 2}, 0, 9, ""},
    };
    for (const auto& c : cases) {
        list->deleteRows(0, list->getRows());
        fill(c.rows);
        for (int16_t row : c.selected)
            list->select(true, row);
        EXPECT_TRUE(list->deleteRows(c.first, c.count));
        EXPECT_EQ(rows(), c.after) << c.rows << " " << c.first;
        EXPECT_EQ(list->getRows(), DGListGetItemCount(dialId(), List));
    }
}

TEST_F(ListControlTest, InsertedRowsGoWhereAskedAndNeverPass32767) {
    const struct {
        int16_t position, count;
        const char* after;
    } cases[] = {
        {ListControl::NoRow, 2, "r0 r1 r2 r3   "},
        {2, 1, "r0 r1  r2 r3 "},
        {6, 1, "r0 r1 r2 r3    "}, // past the end: the excess is added
        {-2, 3, " r0 r1 r2 r3 "},  // from before the start: what is left of the count
    };
    for (const auto& c : cases) {
        list->deleteRows(0, list->getRows());
        fill(4);
        EXPECT_TRUE(list->insertRows(c.position, c.count));
        EXPECT_EQ(rows(), c.after) << c.position;
    }
    list->deleteRows(0, list->getRows());
    list->appendRows(32765);
    EXPECT_FALSE(list->insertRows(32767, 1)); // with the excess, three rows
    EXPECT_TRUE(list->insertRows(32766, 1));
    EXPECT_EQ(list->getRows(), 32767);
    EXPECT_EQ(DGListGetItemCount(dialId(), List), 32767);
}

TEST_F(ListControlTest, ColumnsOnlyMoveRightAndTheHostGetsThemAll) {
    list->setColumnStyle(ListColumnStyle(40, 20), 1);
    list->setColumnGap(5);
    const DG::ListState& host = *DG::ListOf(*panel->getHostPanel()->State().item(List));
    ASSERT_EQ(host.tabs.size(), 2u);
    EXPECT_EQ(host.tabs[1].start, 105); // (0, 100) and (20, 60) become (0, 100) and (105, 145)
    EXPECT_EQ(host.tabs[1].end, 145);
    EXPECT_EQ(host.tabs[0].style, ListColumnStyle::DefaultStyle);
    list->setColumnStyle(ListColumnStyle(40, 0), 0);
    EXPECT_EQ(list->getColumnStyle(1).getStart(), 105); // never back left
    list->insertColumns(1, ListColumnStyle(-5, -3), 1);
    EXPECT_EQ(list->getColumnStyle(1).getStart(), 45);
    EXPECT_EQ(list->getColumnStyle(1).getWidth(), 0);
    EXPECT_EQ(host.tabs.size(), 3u);
    EXPECT_EQ(host.drawDisabled, 0);
    for (int16_t column : {3, -1}) {
        try {
            list->getColumnStyle(column);
            ADD_FAILURE() << column;
        } catch (const std::out_of_range& e) {
            EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
        }
    }
    EXPECT_THROW(list->setColumnStyle(ListColumnStyle(), 3), std::out_of_range);
}

TEST_F(ListControlTest, IteratorsWalkRowsOrTheSelection) {
    EXPECT_TRUE(list->begin(ListControl::Selection).isEnd());
    fill(5);
    EXPECT_EQ(list->begin(ListControl::Siblings).getMode(), uint32_t(ListControl::Rows));
    EXPECT_TRUE(list->begin(ListControl::Selection).isEnd());
    list->select(true, 1);
    list->select(true, 3);
    std::vector<int16_t> walked;
    for (auto at = list->begin(ListControl::Selection); at != list->end(); ++at)
        walked.push_back(at->getItem());
    EXPECT_EQ(walked, (std::vector<int16_t>{1, 3}));
    auto last = list->rbegin(ListControl::Selection);
    EXPECT_EQ(last->getItem(), 3);
    --last;
    EXPECT_EQ(last->getItem(), 1);
    --last;
    EXPECT_TRUE(last.isEnd());
    EXPECT_THROW(--last, std::out_of_range);
    ListControl::const_iterator end = list->cend();
    EXPECT_TRUE(end == list->end());
    EXPECT_THROW(++end, std::out_of_range);
}

TEST_F(ListControlTest, RowsLieInBandsBelowTheHeader) {
    fill(3);
    list->setHeaderItemCount(2); // a header of 20 units; rows of 16
    const std::pair<int16_t, int16_t> cases[] = {{19, -1}, {20, 0}, {36, 0}, {37, 1}, {68, 2}, {69, -1}};
    for (auto [y, row] : cases) {
        EXPECT_EQ(list->getRowAt(ScreenPoint(0, y), true), row) << y;
        EXPECT_EQ(list->getRowAt(ScreenPoint(0, static_cast<int16_t>(y + 10)), false), row) << y;
    }
    EXPECT_EQ(list->getColumnAt(ScreenPoint(110, 0), false), 0); // both ends of a column are in it
    EXPECT_EQ(list->getColumnAt(ScreenPoint(111, 0), false), 1);
    EXPECT_EQ(list->getColumnAt(ScreenPoint(250, 0), true), -1);
}

TEST_F(ListControlTest, TheHostsNotificationsBecomeTheListsEvents) {
    fill(3);
    list->setHeaderItemCount(2);
    DG::Desk& desk = DG::Desk::Get();
    act(desk.ClickListRow(host(), List, 2, DG::ShiftKey | DG::OptionKey, &why));
    EXPECT_EQ(list->getLastMouseOffset().getY(), 20 + 16 + 8);
    act(desk.DoubleClickListRow(host(), List, 1, DG::CommandKey | DG::ShiftKey, &why));
    act(desk.ClickListHeader(host(), List, 2, &why));
    act(desk.DragListHeader(host(), List, 2, 1, &why));
    act(desk.ResizeListHeader(host(), List, 1, 7, &why));
    EXPECT_EQ(heard.lines, (std::vector<std::string>{"4 row 2 key 2", "6", "4 row 1 key 1", "6",
                                                     "5 row 1 key 1", "23 0 2 2 0", "24 0 2 1 0",
                                                     "25 0 1 1 0", "25 1 1 1 7", "25 2 1 1 7"}));
}

TEST_F(ListControlTest, ARowDragIsHeardAsTheTreesDropStagesAndTheDropAnswersItsEffect) {
    struct Drops : Subscriber {
        void getEventTypes(std::vector<EventType>& types) const override {
            types.push_back({InterfaceSource, DropEvent::Kind});
        }
        bool receive(Event& event) override {
            DropRecord& record = *dynamic_cast<DropEvent&>(event).getRecord();
            stages.push_back(std::to_string(record.messageCode) + ":" +
                             std::to_string(record.insertPosition));
            if (record.messageCode == 7) record.effect = DG::DragDrop::Copy;
            return false;
        }
        std::vector<std::string> stages;
    } drops;
    panel->add(&drops);
    fill(3);
    DG::DragDrop::Effect effect = DG::DragDrop::None;
    act(DG::Desk::Get().DragListRow(host(), List, 1, 3, &effect, &why));
    EXPECT_EQ(drops.stages, (std::vector<std::string>{"0:0", "1:0", "4:3", "5:3", "7:3", "2:0"}));
    EXPECT_EQ(effect, DG::DragDrop::Copy);
}

TEST_F(ListControlTest, AHandlerMayDeleteRowsOrCloseThePanelFromAListEvent) {
    auto* editor = DialogControl::make<EditText>(ControlLink(Editor, panel.get()));
    panel->attachObservers();
    fill(4);
    ASSERT_TRUE(list->setColumnControl(editor, 0));
    Heard own; // the list's own subscriber, heard before its editors move
    list->add(&own);
    own.then = [&](InterfaceEvent& e) {
        if (e.getKind() == ItemEvent::Kind) list->deleteRows(0, list->getRows());
    };
    act(DG::Desk::Get().ClickListRow(host(), List, 2, 0, &why));
    EXPECT_EQ(list->getRows(), 0);
    EXPECT_EQ(list->getEditedRow(), ListControl::NoRow);
    fill(2);
    own.then = [&](InterfaceEvent&) { panel->releaseControls(); };
    act(DG::Desk::Get().ClickListRow(host(), List, 1, 0, &why));
    EXPECT_EQ(panel->findControl(List), nullptr);
}

TEST_F(ListControlTest, AResizeHandlerMovesAndGrowsBetweenTheHostsBrackets) {
    struct Resizer : ResizeSubscriber {
        explicit Resizer(DG::Panel& host) : m_host(host) {}
        bool handleResize(ResizeEvent&) override {
            depth = m_host.State().moveGrowDepth;
            return true;
        }
        DG::Panel& m_host;
        int depth = -1;
    } resizer(host());
    panel->add(&resizer);
    ResizeEvent resized(ControlLink(0, panel.get()), ResizeData{});
    EXPECT_TRUE(panel->handleEvent(resized));
    EXPECT_EQ(resizer.depth, 1);
    EXPECT_EQ(host().State().moveGrowDepth, 0);
}

TEST_F(ListControlTest, NewDimensionsAddAndRemoveRowsAndColumnsAndSayTheyWereReached) {
    EXPECT_TRUE(list->setDimensions(0, 2)); // no change at all
    EXPECT_TRUE(list->setDimensions(3, 4));
    EXPECT_EQ(list->getRows(), 3);
    EXPECT_EQ(DGListGetItemCount(dialId(), List), 3);
    ASSERT_EQ(list->getColumns(), 4);
    // A column added this way runs from 0 to 40 before the layout places it after the others.
    EXPECT_EQ(list->getColumnStyle(3).getWidth(), 40);
    EXPECT_EQ(list->getColumnStyle(3).getStyle(), 0x10000000u);
    EXPECT_TRUE(list->setDimensions(1, 1));
    EXPECT_EQ(list->getRows(), 1);
    EXPECT_EQ(list->getColumns(), 1);
    EXPECT_EQ(DG::ListOf(*host().State().item(List))->tabs.size(), 1u);
}

TEST_F(ListControlTest, NewDimensionsAnswerFalseWhenAStepFailsAndStillTakeTheOthers) {
    // A list whose row steps fail, as a subclass may make them.
    struct StuckRows : ListControl {
        using ListControl::ListControl;
        bool insertRows(int16_t, int16_t) override { return false; }
        bool deleteRows(int16_t, int16_t) override { return false; }
    };
    panel->deleteControl(List);
    // Made with three rows, before its own row steps are in place.
    StuckRows* stuck = DialogControl::make<StuckRows>(ControlLink(List, panel.get()), 3, 2);
    ASSERT_EQ(stuck->getRows(), 3);
    // More rows and columns, then fewer of both: the column steps run all the same.
    for (auto [rows, columns] : {std::pair<int16_t, uint16_t>{5, 6}, {1, 1}}) {
        EXPECT_FALSE(stuck->setDimensions(rows, columns)) << rows << " " << columns;
        EXPECT_EQ(stuck->getRows(), 3);
        EXPECT_EQ(stuck->getColumns(), columns);
    }
    EXPECT_TRUE(stuck->setDimensions(3, 2));   // no row step
    EXPECT_FALSE(stuck->setDimensions(-2, 2)); // a shrink is a row step too
}

class ColumnEditorTest : public ListControlTest {
protected:
    void SetUp() override {
        ListControlTest::SetUp();
        editor = DialogControl::make<EditText>(ControlLink(Editor, panel.get()));
        box = DialogControl::make<CheckboxControl>(ControlLink(Box, panel.get()));
        panel->attachObservers();
        fill(8);
        ASSERT_TRUE(list->setColumnControl(editor, 1));
        ASSERT_TRUE(list->setColumnControl(box, 0));
        for (int16_t row = 0; row < 8; ++row)
            list->setValue(StringSetting(String(("v" + std::to_string(row)).c_str())), row, 1);
    }
    void click(short row) { act(DG::Desk::Get().ClickListRow(host(), List, row + 1, 0, &why)); }
    void type(const char* text) { act(DG::Desk::Get().SetText(host(), Editor, GS::UniString(text), &why)); }

    EditText* editor = nullptr;
    CheckboxControl* box = nullptr;
};

TEST_F(ColumnEditorTest, WhatIsTypedGoesBackIntoItsRowWhenTheSelectionMoves) {
    click(2);
    EXPECT_EQ(editorText(), "v2");
    type("abc");
    click(4);
    EXPECT_EQ(cell(2, 1), "abc");
    EXPECT_EQ(list->getValue(2, 1)->asText(), "abc");
    EXPECT_EQ(editorText(), "v4");
    EXPECT_TRUE(DGIsItemVisible(dialId(), Editor));
    // The check box column converts its cell's text: "r4" reads as no number, unticked.
    EXPECT_EQ(DGGetItemValLong(dialId(), Box), 0);
}

TEST_F(ColumnEditorTest, AValueConvertedForAnotherRowLeavesTheEditorAlone) {
    list->appendRows(2); // rows 8 and 9, never given a value
    list->setTabItemText(String("fresh"), 8, 1);
    list->setTabItemText(String("plain"), 9, 1);
    list->setTabItemText(String("1"), 7, 0);
    click(2);
    type("typing");
    EXPECT_EQ(list->getValue(8, 1)->asText(), "fresh");
    EXPECT_EQ(editorText(), "typing");
    list->setTabItemText(String("other"), 8, 1);
    EXPECT_EQ(list->getValue(8, 1)->asText(), "fresh"); // the value kept the first time
    std::unique_ptr<Setting> ticked = list->getValue(7, 0);
    EXPECT_EQ(ticked->getType(), Setting::BooleanType);
    EXPECT_TRUE(ticked->asBool());
    click(3);
    EXPECT_EQ(cell(2, 1), "typing");
    // A row never given a value shows its cell, so that leaving it writes back what it holds.
    click(9);
    EXPECT_EQ(editorText(), "plain");
    click(2);
    EXPECT_EQ(cell(9, 1), "plain");
}

TEST_F(ColumnEditorTest, RowsInsertedBeforeTheEditedRowMoveItDown) {
    click(3);
    type("moved");
    list->insertRows(0, 2);
    list->insertRows(4, 1); // right at the edited row, now row 5
    EXPECT_EQ(list->getEditedRow(), 6);
    click(0);
    EXPECT_EQ(cell(6, 1), "moved");
    EXPECT_EQ(cell(3, 1), "v1");
    EXPECT_EQ(cell(0, 1), "");
    list->deleteRows(0, list->getRows());
    EXPECT_EQ(list->getEditedRow(), ListControl::NoRow);
}

TEST_F(ColumnEditorTest, EditorsMoveWithTheirColumns) {
    list->insertColumns(0, ListColumnStyle(), 1);
    EXPECT_EQ(list->getColumnControl(2), editor);
    EXPECT_EQ(list->getColumnControl(1), box);
    list->deleteColumns(1, 1);
    EXPECT_EQ(list->getColumnControl(1), editor);
    const DG::ListState& host = *DG::ListOf(*panel->getHostPanel()->State().item(List));
    EXPECT_EQ(host.tabItems, (std::unordered_map<short, short>{{2, Editor}}));
}

TEST_F(ColumnEditorTest, TheEditedRowIsTheFirstSelectedWhereTheHostShowsTheEditor) {
    list->select(true, 1);
    list->select(true, 5);
    EXPECT_EQ(list->getEditedRow(), 1);
    EXPECT_EQ(editorText(), "v1");
    type("first");
    list->select(false, 1);
    EXPECT_EQ(list->getEditedRow(), 5);
    EXPECT_EQ(cell(1, 1), "first");
    EXPECT_EQ(cell(5, 1), "v5");
}

TEST_F(ColumnEditorTest, AnEditorMustBeOfThisDialogBeforeTheListAndForAColumnOfIt) {
    auto* later = DialogControl::make<EditText>(ControlLink(Later, panel.get()));
    controltest::TestPanel second(resource.module(), ResourceId);
    auto* elsewhere = DialogControl::make<EditText>(ControlLink(Other, &second));
    EXPECT_FALSE(list->setColumnControl(later, 0));
    EXPECT_FALSE(list->setColumnControl(elsewhere, 0));
    EXPECT_FALSE(list->setColumnControl(editor, 2));
    EXPECT_EQ(list->getColumnControl(0), box);
    EXPECT_TRUE(list->setColumnControl(nullptr, 0));
    EXPECT_EQ(list->getColumnControl(0), nullptr);
}

} // namespace
