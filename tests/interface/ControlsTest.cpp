// The simple controls: their host items, values and texts, and the events their observers send
// to the panel.
#include <functional>

#include "ControlTestPanel.h"
#include "elements/text/TextStyle.h"
#include "interface/Controls.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGPanelState.h"
#include "project/Image.h"

using namespace tarnwick;
using namespace controltest;

using ControlsTest = ControlFixture;

TEST_F(ControlsTest, UserActionsReachThePanelAsTheirEvents) {
    DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    DialogControl::make<StaticText>(ControlLink(LeftItem, &panel()), StaticText::Left);
    DialogControl::make<EditText>(ControlLink(EditItem, &panel()));
    DialogControl::make<StaticText>(ControlLink(CentreItem, &panel()), StaticText::Centre);
    DialogControl::make<StaticText>(ControlLink(RightItem, &panel()), StaticText::Right);
    panel().attachObservers();

    DG::Desk& desk = DG::Desk::Get();
    const std::pair<std::function<bool(std::string*)>, Heard> cases[] = {
        {[&](std::string* why) { return desk.Click(host(), ButtonItem, 0, why); },
         {ActionEvent::Kind, 0, ButtonItem}},
        {[&](std::string* why) { return desk.Click(host(), LeftItem, 0, why); },
         {ActionEvent::Kind, 0, LeftItem}},
        {[&](std::string* why) { return desk.DoubleClick(host(), CentreItem, 0, why); },
         {ActionEvent::Kind, 5, CentreItem}},
        {[&](std::string* why) { return desk.Click(host(), RightItem, 0, why); },
         {ActionEvent::Kind, 0, RightItem}},
        {[&](std::string* why) { return desk.SetText(host(), EditItem, GS::UniString("abc"), why); },
         {ItemEvent::Kind, 6, EditItem}},
    };
    for (const auto& [act, heard] : cases) {
        listener.heard.clear();
        std::string why;
        ASSERT_TRUE(act(&why)) << why;
        EXPECT_EQ(listener.heard, std::vector<Heard>{heard});
    }
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

TEST_F(ControlsTest, AnEditTextsValueIsItsTextInItsOneCell) {
    EditText* edit = DialogControl::make<EditText>(ControlLink(EditItem, &panel()));
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().SetText(host(), EditItem, GS::UniString("typed"), &why)) << why;
    for (auto [row, column] : {std::pair<int16_t, int16_t>{-1, 0}, {0, -1}, {1, 0}, {0, 1}, {-2, 0}}) {
        EXPECT_EQ(edit->getValue(row, column), nullptr) << row << "," << column;
        edit->setValue(StringSetting(String("ignored")), row, column);
    }
    std::unique_ptr<Setting> value = edit->getValue(0, 0);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->getType(), Setting::StringType);
    String text;
    EXPECT_EQ(value->getText(text), "typed");
    edit->setValue(StringSetting(String("set")), 0, 0);
    EXPECT_EQ(String(DGGetItemText(dialId(), EditItem)), "set");
}

TEST_F(ControlsTest, AStaticTextTakesTheStylesFontAndColour) {
    StaticText* text = DialogControl::make<StaticText>(ControlLink(LeftItem, &panel()), StaticText::Left);
    TextStyle style(0, 10 * TextStyle::MillimetresPerPoint);
    style.setColour(Colour(1.0, 0.5, 0.0));
    text->setStyle(style);
    text->setBackgroundColour(Colour(0.0, 0.0, 1.0));
    const DG::ItemState* state = host().State().item(LeftItem);
    EXPECT_EQ(state->font, DG::SmallPlainFont);
    EXPECT_EQ(state->textColor, (DG::Color{255, 128, 0}));
    EXPECT_EQ(state->backgroundColor, (DG::Color{0, 0, 255}));
}

TEST_F(ControlsTest, AStaticTextsColourChannelsStayWithin0To255) {
    StaticText* text = DialogControl::make<StaticText>(ControlLink(LeftItem, &panel()), StaticText::Left);
    const DG::ItemState* state = host().State().item(LeftItem);
    text->setTextColour(Colour(1.5, -0.25, 0.5));
    text->setBackgroundColour(Colour(-3.0, 2.0, 0.2));
    EXPECT_EQ(state->textColor, (DG::Color{255, 0, 128}));
    EXPECT_EQ(state->backgroundColor, (DG::Color{0, 255, 51}));
    TextStyle style(0, 10 * TextStyle::MillimetresPerPoint);
    style.setColour(Colour(-0.5, 1.01, 1.0));
    text->setStyle(style);
    EXPECT_EQ(state->textColor, (DG::Color{0, 255, 255}));
}

TEST_F(ControlsTest, AButtonHasNoValueButATextAndAPicture) {
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    EXPECT_EQ(button->getValue(), nullptr);
    EXPECT_EQ(button->getEntryText(), "OK");
    button->setEntryText(0, String("Apply"));
    EXPECT_EQ(String(DGGetItemText(dialId(), ButtonItem)), "Apply");
    EXPECT_TRUE(button->getEntryImage().isEmpty());
    EXPECT_TRUE(DG::Desk::Get().TakeRefusals().empty());
}
