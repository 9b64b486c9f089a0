// Pop-up menus over the dialog manager's pop-ups and the user-control library's menus: each kind
// keeps to its own calls, choices by index and by text, items added and removed, the constructor's
// count, item status, and the record-status menu.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlTestPanel.h"
#include "interface/PopupMenu.h"
#include "persistence/MenuSetting.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGPanelState.h"
#include "platform/dg/DGPopUpState.h"
#include "platform/dg/UCPopupMenu.h"
#include "project/Image.h"
#include "support/TestAddon.h"

using namespace tarnwick;

namespace {

constexpr short ResourceId = 130;
enum Item : short { Plain = 1, Menu, Status };

struct PopUpResource : controltest::PaletteResource {
    PopUpResource()
        : PaletteResource(ResourceId, 200, 100,
                          {{DG::ItemType::PopUp, 10, 10, 90, 30, 0, ""},
                           {DG::ItemType::UserControl, 100, 10, 190, 30, 0, ""},
                           {DG::ItemType::PopUp, 10, 40, 90, 60, 0, ""}}) {}
};

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        DG::Desk::Get().Reset();
        InterfacePanel::initialiseModule();
        panel = std::make_unique<controltest::TestPanel>(resource.module(), ResourceId);
    }
    void TearDown() override {
        // A refused call would show a kind reaching for the other kind's functions.
        EXPECT_EQ(DG::Desk::Get().TakeRefusals(), std::vector<std::string>{});
        panel.reset();
        InterfacePanel::terminateModule();
        DG::Desk::Get().Reset();
    }
    template <class T = PopupMenu, class... Args> T* make(Item item, Args... args) {
        T* made = DialogControl::make<T>(ControlLink(item, panel.get()), args...);
        panel->attachObservers();
        return made;
    }
    void name(PopupMenu& menu, std::initializer_list<const char*> texts) {
        int16_t item = 0;
        for (const char* text : texts)
            menu.setEntryText(item++, String(text));
    }
    DG::PopUpState& entries(Item item) const {
        return *DG::PopUpOf(*panel->getHostPanel()->State().item(item));
    }
    short dialId() const { return static_cast<short>(panel->getPanelId()); }

    PopUpResource resource;
    std::unique_ptr<controltest::TestPanel> panel;
};

TEST_F(PopupMenuTest, APlainPopUpIsPOPMAndAMenuIsUCPMWhoseButtonShowsTheChoice) {
    PopupMenu* plain = make(Plain, int16_t(3), PopupMenu::PlainKind);
    PopupMenu* menu = make(Menu, int16_t(3), int32_t(UC::TextOnly));
    EXPECT_EQ(plain->getTypeCode(), fourCC("POPM"));
    EXPECT_EQ(menu->getTypeCode(), fourCC("UCPM"));
    name(*plain, {"A", "B", "C"});
    name(*menu, {"X", "Y", "Z"});
    menu->setEntryImage(1, Image(int16_t(30)));
    plain->selectItem(true, 1);
    EXPECT_EQ(DGPopUpGetSelected(dialId(), Plain), 2);
    EXPECT_EQ(plain->getValue()->asText(), "B");
    menu->selectItem(true, 1);
    EXPECT_EQ(entries(Menu).buttonText.ToCStr(), "Y");
    EXPECT_TRUE(entries(Menu).buttonIcon.IsEmpty()); // text only
    EXPECT_EQ(entries(Menu).controlKind, UC::TextOnly);

    // The pending choice answers until the next change event.
    UCPopupSelectItem(dialId(), Menu, 1);
    EXPECT_EQ(menu->nextSelected(0), 1);
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().ChoosePopUpEntry(*panel->getHostPanel(), Menu, GS::UniString("Z"), &why))
        << why;
    EXPECT_EQ(menu->nextSelected(0), 2);
    EXPECT_EQ(entries(Menu).buttonText.ToCStr(), "Z");
    EXPECT_EQ(menu->getValue()->asInt32(), 2);
}

TEST_F(PopupMenuTest, AChoiceGoesByIndexOrByTheLastItemWithTheText) {
    PopupMenu* menu = make(Plain, int16_t(5), PopupMenu::PlainKind);
    name(*menu, {"a", "b", "c", "b", "e"});
    menu->setValue(MenuSetting(7, String("a")));
    EXPECT_EQ(menu->nextSelected(0), -1);
    EXPECT_EQ(menu->getValue()->asInt32(), -1);
    menu->setValue(StringSetting(String("b")));
    EXPECT_EQ(menu->nextSelected(0), 3);
    menu->setValue(MenuSetting(0, String("e")));
    EXPECT_EQ(menu->getSelectedText(), "a");
    menu->setValue(StringSetting(String("none")));
    EXPECT_EQ(menu->nextSelected(0), 0);
    EXPECT_EQ(menu->nextSelected(1), -1);

    EXPECT_EQ(menu->selectText(String("nope"), 9), "e"); // the fallback cut to the last item
    EXPECT_EQ(menu->nextSelected(0), 4);
    menu->deleteItems(0, 5);
    EXPECT_EQ(menu->selectText(String("nope"), 9), "");
    EXPECT_EQ(menu->nextSelected(0), -1);
}

TEST_F(PopupMenuTest, TheStatusMenuNamesItsThreeStatusesAndAnswersAllWithoutAChoice) {
    testsupport::ModuleUnderTest module; // the framework's string lists
    auto* status = make<UserDataStatusMenu>(Status);
    EXPECT_EQ(status->getRows(), 3);
    EXPECT_EQ(status->getStatus(), UserDataStatusMenu::All);
    status->initialise(UserDataStatusMenu::Deleted);
    EXPECT_EQ(status->getStatus(), UserDataStatusMenu::Deleted);
    status->setValue(StringSetting(String("Current")));
    EXPECT_EQ(status->getStatus(), UserDataStatusMenu::Current);
    EXPECT_EQ(status->getEntryText(0), "All");
}

TEST_F(PopupMenuTest, ItemsAreAddedAndRemovedOnBothKinds) {
    for (auto [item, kind] :
         {std::pair{Plain, PopupMenu::PlainKind}, std::pair{Menu, int32_t(UC::TextAndIcon)}}) {
        PopupMenu* menu = make(item, int16_t(0), kind);
        EXPECT_TRUE(menu->insertItems(PopupMenu::NoEntry, 2));
        EXPECT_FALSE(menu->insertItems(0, -1));
        EXPECT_FALSE(menu->deleteItems(-1, 1));
        EXPECT_TRUE(menu->appendItem(String("T"), 5, 77));
        EXPECT_TRUE(menu->insertSeparator(0));
        EXPECT_EQ(menu->getRows(), 4);
        EXPECT_EQ(entries(item).Count(), 4);
        EXPECT_TRUE(entries(item).Find(1)->separator);
        EXPECT_EQ(menu->getEntryText(3), "T");
        EXPECT_EQ(menu->getItemData(3), 77u);
        EXPECT_EQ(menu->getEntryImage(3).getResourceId(), 5);
        EXPECT_TRUE(menu->deleteItems(1, 9));
        EXPECT_EQ(entries(item).Count(), 1);
    }
}

TEST_F(PopupMenuTest, ANewItemCountAnswersWhetherItWasReached) {
    for (auto [item, kind] :
         {std::pair{Plain, PopupMenu::PlainKind}, std::pair{Menu, int32_t(UC::TextOnly)}}) {
        PopupMenu* menu = make(item, int16_t(2), kind);
        EXPECT_TRUE(menu->setDimensions(2)); // no change
        EXPECT_TRUE(menu->setDimensions(5));
        EXPECT_EQ(entries(item).Count(), 5);
        EXPECT_TRUE(menu->setDimensions(1));
        EXPECT_EQ(menu->getRows(), 1);
        EXPECT_EQ(entries(item).Count(), 1);
        // Fewer than none: the deletion from -1 is refused and nothing changes.
        EXPECT_FALSE(menu->setDimensions(-1));
        EXPECT_EQ(menu->getRows(), 1);
        EXPECT_EQ(entries(item).Count(), 1);
    }
}

TEST_F(PopupMenuTest, AFullMenuTakesNoMoreItemsAndKeepsItsOwn) {
    constexpr int16_t MostItems = 32767; // a menu's rows are counted in 16 bits
    for (auto [item, kind] :
         {std::pair{Plain, PopupMenu::PlainKind}, std::pair{Menu, int32_t(UC::TextAndIcon)}}) {
        PopupMenu* menu = make(item, int16_t(0), kind);
        ASSERT_TRUE(menu->appendItem(String("First")));
        EXPECT_FALSE(menu->insertItems(PopupMenu::NoEntry, MostItems)); // one too many
        EXPECT_EQ(menu->getRows(), 1);
        EXPECT_EQ(entries(item).Count(), 1);
        ASSERT_TRUE(menu->insertItems(PopupMenu::NoEntry, MostItems - 2));
        ASSERT_TRUE(menu->appendItem(String("Last")));
        EXPECT_EQ(menu->getRows(), MostItems);
        EXPECT_EQ(entries(item).Count(), MostItems);
        // Full: nothing more goes in, and the last item keeps its text.
        EXPECT_FALSE(menu->appendItem(String("Over")));
        EXPECT_FALSE(menu->insertItems(0, 1));
        EXPECT_FALSE(menu->appendItems(1));
        EXPECT_FALSE(menu->insertSeparator(0));
        EXPECT_TRUE(menu->insertItems(0, 0));
        EXPECT_EQ(menu->getRows(), MostItems);
        EXPECT_EQ(entries(item).Count(), MostItems);
        EXPECT_EQ(menu->getEntryText(MostItems - 1), "Last");
        EXPECT_EQ(menu->getEntryText(0), "First");
        // Emptied from the first item on, whatever the count asks.
        EXPECT_TRUE(menu->deleteItems(0, MostItems));
        EXPECT_EQ(menu->getRows(), 0);
        EXPECT_EQ(entries(item).Count(), 0);
    }
}

TEST_F(PopupMenuTest, TheConstructorBringsTheHostsItemsToItsCount) {
    for (int i = 0; i < 2; ++i)
        UCPopupAppendItem(dialId(), Menu);
    for (int i = 0; i < 4; ++i)
        DGPopUpInsertItem(dialId(), Plain, DG::PopUpBottom);
    PopupMenu* menu = make(Menu, int16_t(3), int32_t(UC::IconOnly));
    PopupMenu* plain = make(Plain, int16_t(2), PopupMenu::PlainKind);
    EXPECT_EQ(menu->getRows(), 3);
    EXPECT_EQ(entries(Menu).Count(), 3);
    EXPECT_EQ(plain->getRows(), 2);
    EXPECT_EQ(entries(Plain).Count(), 2);
}

TEST_F(PopupMenuTest, AnItemIsDisabledByItsOwnNumberAndMinusOneIsTheWholeItem) {
    PopupMenu* plain = make(Plain, int16_t(3), PopupMenu::PlainKind);
    PopupMenu* menu = make(Menu, int16_t(3), int32_t(UC::TextAndIcon));
    plain->setEnabled(false, 1);
    menu->setEnabled(false, 1);
    for (Item item : {Plain, Menu}) {
        EXPECT_FALSE(entries(item).Find(1)->disabled) << item;
        EXPECT_TRUE(entries(item).Find(2)->disabled) << item;
    }
    menu->setEnabled(false, PopupMenu::NoEntry);
    EXPECT_FALSE(DGIsItemEnabled(dialId(), Menu));
}

} // namespace
