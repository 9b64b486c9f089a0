// The simple controls: their host items, values and texts, and the events their observers send
// to the panel.
#include <gtest/gtest.h>

#include <functional>

#include "ControlTestPanel.h"
#include "elements/text/TextStyle.h"
#include "interface/Controls.h"
#include "interface/Image.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanelState.h"

using namespace tarnwick;
using namespace controltest;

namespace {

enum Item : short { ButtonItem = 1, LeftItem, EditItem, CentreItem, RightItem };

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InterfacePanel::initialiseModule();
        (void)DG::Desk::Get().TakeRefusals();
        // Made after the registry, so that notifications find it.
        owned = std::make_unique<TestPanel>(resource.module());
        owned->add(&listener);
        owned->open();
    }
    void TearDown() override {
        owned.reset();
        InterfacePanel::terminateModule();
    }

    TestPanel& panel() const { return *owned; }
    short dialId() const { return static_cast<short>(panel().getPanelId()); }
    DG::Panel& host() { return *panel().getHostPanel(); }
    String hostText(short item) const { return String(DGGetItemText(dialId(), item)); }

    DialogResource resource{{
        {DG::ItemType::Button, DG::Rect(10, 10, 90, 30), "OK", 0},
        {DG::ItemType::LeftText, DG::Rect(10, 40, 200, 60), "Left", 0},
        {DG::ItemType::TextEdit, DG::Rect(10, 70, 200, 90), "", 0},
        {DG::ItemType::CenterText, DG::Rect(10, 100, 200, 120), "Centre", 0},
        {DG::ItemType::RightText, DG::Rect(10, 130, 200, 150), "Right", 0},
    }};
    std::unique_ptr<TestPanel> owned;
    Listener listener;
};

} // namespace

TEST_F(ControlsTest, UserActionsReachThePanelAsTheirEvents) {
    DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    DialogControl::make<StaticText>(ControlLink(LeftItem, &panel()), uint32_t(StaticText::Left));
    DialogControl::make<EditText>(ControlLink(EditItem, &panel()));
    DialogControl::make<StaticText>(ControlLink(CentreItem, &panel()), uint32_t(StaticText::Centre));
    DialogControl::make<StaticText>(ControlLink(RightItem, &panel()), uint32_t(StaticText::Right));
    panel().attachObservers();

    struct Case {
        const char* what;
        std::function<bool(std::string*)> act;
        Heard heard;
    };
    DG::Desk& desk = DG::Desk::Get();
    const Case cases[] = {
        {"button click",
         [&](std::string* why) { return desk.Click(host(), ButtonItem, 0, why); },
         {ActionEvent::Kind, 0, ButtonItem, 0}},
        {"left text click",
         [&](std::string* why) { return desk.Click(host(), LeftItem, 0, why); },
         {ActionEvent::Kind, 0, LeftItem, 0}},
        {"centre text double click",
         [&](std::string* why) { return desk.DoubleClick(host(), CentreItem, 0, why); },
         {ActionEvent::Kind, 5, CentreItem, 0}},
        {"right text click",
         [&](std::string* why) { return desk.Click(host(), RightItem, 0, why); },
         {ActionEvent::Kind, 0, RightItem, 0}},
        {"edit change",
         [&](std::string* why) { return desk.SetText(host(), EditItem, GS::UniString("abc"), why); },
         {ItemEvent::Kind, 6, EditItem, 0}},
    };
    for (const Case& c : cases) {
        listener.heard.clear();
        std::string why;
        ASSERT_TRUE(c.act(&why)) << c.what << ": " << why;
        EXPECT_EQ(listener.heard, std::vector<Heard>{c.heard}) << c.what;
    }
}

TEST_F(ControlsTest, TheControlsSubscribersHearItsEventBeforeThePanel) {
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    panel().attachObservers();
    Listener own;
    button->add(&own);
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().Click(host(), ButtonItem, 0, &why)) << why;
    EXPECT_EQ(own.heard, (std::vector<Heard>{{ActionEvent::Kind, 0, ButtonItem, 0}}));
    EXPECT_EQ(listener.heard.size(), 1u);
}

TEST_F(ControlsTest, AStaticTextOfAnUnknownAlignmentHasNoItemAndReportsNoClicks) {
    StaticText* text = DialogControl::make<StaticText>(ControlLink(LeftItem, &panel()), uint32_t(128));
    panel().attachObservers();
    EXPECT_EQ(text->getItem(), nullptr);
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().Click(host(), LeftItem, 0, &why)) << why;
    ASSERT_TRUE(DG::Desk::Get().DoubleClick(host(), LeftItem, 0, &why)) << why;
    EXPECT_TRUE(listener.heard.empty());
}

TEST_F(ControlsTest, AnItemReleasedOrNotYetMadeSendsNothing) {
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().Click(host(), ButtonItem, 0, &why)) << why;
    panel().attachObservers();
    ASSERT_NE(button->getItem(), nullptr);
    button->releaseItem();
    EXPECT_EQ(button->getItem(), nullptr);
    ASSERT_TRUE(DG::Desk::Get().Click(host(), ButtonItem, 0, &why)) << why;
    EXPECT_TRUE(listener.heard.empty());
}

TEST_F(ControlsTest, AnEditTextsValueIsItsTextInItsOneCell) {
    EditText* edit = DialogControl::make<EditText>(ControlLink(EditItem, &panel()));
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().SetText(host(), EditItem, GS::UniString("typed"), &why)) << why;

    const std::pair<int16_t, int16_t> invalid[] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-2, 0}};
    for (auto [row, column] : invalid) {
        EXPECT_EQ(edit->getValue(row, column), nullptr) << row << ", " << column;
        edit->setValue(StringSetting(String("ignored")), row, column);
    }
    std::unique_ptr<Setting> value = edit->getValue(0, 0);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->getType(), Setting::StringType);
    String text;
    EXPECT_EQ(value->getText(text), "typed");

    edit->setValue(StringSetting(String("set")), 0, 0);
    EXPECT_EQ(hostText(EditItem), "set");
    EXPECT_EQ(edit->getText(), "set");
}

TEST_F(ControlsTest, AStaticTextTakesTheStylesFontAndColour) {
    StaticText* text =
        DialogControl::make<StaticText>(ControlLink(LeftItem, &panel()), uint32_t(StaticText::Left));
    TextStyle style(0, 10 * TextStyle::MillimetresPerPoint);
    style.setColour(Colour(1.0, 0.5, 0.0));
    text->setStyle(style);
    EXPECT_EQ(DGGetItemFont(dialId(), LeftItem), DialogControl::SmallFont);
    const DG::ItemState* state = host().State().item(LeftItem);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->textColor, (DG::Color{255, 128, 0}));

    text->setBackgroundColour(Colour(0.0, 0.0, 1.0));
    EXPECT_EQ(state->backgroundColor, (DG::Color{0, 0, 255}));
}

TEST_F(ControlsTest, AButtonHasNoValueButATextAndAPicture) {
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    EXPECT_EQ(button->getValue(), nullptr);
    button->setValue(StringSetting(String("no")));
    EXPECT_EQ(button->getEntryText(), "OK");
    button->setEntryText(0, String("Apply"));
    EXPECT_EQ(hostText(ButtonItem), "Apply");
    EXPECT_TRUE(button->getEntryImage().isEmpty());
    EXPECT_TRUE(DG::Desk::Get().TakeRefusals().empty());
}
