// The control base: cells, registration with the panel, the remembered geometry and the host's
// differences, font codes, copies.
#include <gtest/gtest.h>

#include <functional>

#include "ControlTestPanel.h"
#include "elements/text/TextStyle.h"
#include "interface/Controls.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGFunctions.h"

using namespace tarnwick;
using namespace controltest;

namespace {

constexpr short ButtonItem = 1;
constexpr short EditItem = 3;

class DialogControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        InterfacePanel::initialiseModule();
        (void)DG::Desk::Get().TakeRefusals();
    }
    void TearDown() override {
        panel.close();
        InterfacePanel::terminateModule();
    }

    DG::Rect hostRect(short item) const {
        return DGGetItemRect(static_cast<short>(panel.getPanelId()), item);
    }

    DialogResource resource{{
        {DG::ItemType::Button, DG::Rect(10, 10, 90, 30), "OK", 0},
        {DG::ItemType::LeftText, DG::Rect(10, 40, 200, 60), "Label", 0},
        {DG::ItemType::TextEdit, DG::Rect(10, 70, 200, 90), "", 0},
    }};
    TestPanel panel{resource.module()};
};

size_t count(const InterfacePanel& panel) {
    return panel.getControls().size();
}

} // namespace

TEST_F(DialogControlTest, ACellIsValidOnlyInsideTheGrid) {
    struct Case {
        int16_t rows;
        uint16_t columns;
        int16_t row;
        int16_t column;
        bool valid;
    };
    const Case cases[] = {
        {1, 1, 0, 0, true},  {1, 1, -1, 0, false}, {1, 1, 0, -1, false}, {1, 1, -2, 0, false},
        {1, 1, 1, 0, false}, {1, 1, 0, 1, false},  {3, 2, 2, 1, true},   {3, 2, 3, 0, false},
        {3, 2, 0, 2, false}, {3, 2, -2, 1, false}, {0, 1, 0, 0, false},
    };
    EditText* edit = DialogControl::make<EditText>(ControlLink());
    std::unique_ptr<DialogControl> owned(edit);
    for (const Case& c : cases) {
        edit->setDimensions(c.rows, c.columns);
        EXPECT_EQ(edit->isValidCell(c.row, c.column), c.valid)
            << c.rows << " x " << c.columns << " at (" << c.row << ", " << c.column << ")";
    }
}

TEST_F(DialogControlTest, AControlJoinsItsPanelOnlyWithARealItemIdAndOnlyOnce) {
    EditText* pending = DialogControl::make<EditText>(ControlLink(DialogControl::NoItem, &panel));
    EXPECT_EQ(count(panel), 0u);
    pending->setItemId(DialogControl::NoItem);
    EXPECT_EQ(count(panel), 0u);
    pending->setItemId(EditItem);
    ASSERT_EQ(count(panel), 1u);
    EXPECT_EQ(panel.findControl(EditItem), pending);
    pending->setItemId(7);
    EXPECT_EQ(pending->getItemId(), EditItem);
    EXPECT_EQ(count(panel), 1u);

    Button* placed = DialogControl::make<Button>(ControlLink(ButtonItem, &panel));
    EXPECT_EQ(count(panel), 2u);
    EXPECT_EQ(panel.findControl(ButtonItem), placed);

    // Closing deletes both: under the sanitizer a control left behind or deleted twice fails.
    panel.close();
    EXPECT_EQ(count(panel), 0u);
}

TEST_F(DialogControlTest, SetLinkGivesAPanelOnlyToAControlWithoutOne) {
    TestPanel other(resource.module());
    Button* loose = DialogControl::make<Button>(ControlLink(5, nullptr));
    loose->setLink(ControlLink(ButtonItem, &panel));
    EXPECT_EQ(loose->getPanel(), &panel);
    EXPECT_EQ(loose->getItemId(), ButtonItem);
    EXPECT_EQ(panel.findControl(ButtonItem), loose);

    loose->setLink(ControlLink(2, &other));
    EXPECT_EQ(loose->getLink(), ControlLink(ButtonItem, &panel));
    EXPECT_EQ(count(panel), 1u);
    EXPECT_EQ(count(other), 0u);

    // A control on a panel without an item takes only the id.
    EditText* pending = DialogControl::make<EditText>(ControlLink(DialogControl::NoItem, &panel));
    pending->setLink(ControlLink(EditItem, &other));
    EXPECT_EQ(pending->getLink(), ControlLink(EditItem, &panel));
    EXPECT_EQ(count(panel), 2u);
}

TEST_F(DialogControlTest, MovesAndGrowsSendTheHostDifferencesFromTheRememberedGeometry) {
    panel.open();
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel));
    EXPECT_FALSE(button->isPositionStored(0));
    EXPECT_FALSE(button->isSizeStored(0));

    struct Step {
        const char* what;
        std::function<void()> act;
        DG::Rect host; // where the host then has the item
    };
    const Step steps[] = {
        {"move", [&] { button->move(ScreenPoint(10, 20)); }, DG::Rect(10, 20, 90, 40)},
        {"moveBy", [&] { button->moveBy(ScreenPoint(5, 5)); }, DG::Rect(15, 25, 95, 45)},
        {"grow", [&] { button->grow(ScreenPoint(100, 30)); }, DG::Rect(15, 25, 115, 55)},
        {"growBy", [&] { button->growBy(ScreenPoint(-10, 2)); }, DG::Rect(15, 25, 105, 57)},
        {"setWidth", [&] { button->setWidth(50); }, DG::Rect(15, 25, 65, 57)},
        {"setHeight", [&] { button->setHeight(20); }, DG::Rect(15, 25, 65, 45)},
        {"moveGrow", [&] { button->moveGrow(ScreenRect(0, 0, 40, 10)); }, DG::Rect(0, 0, 40, 10)},
        {"moveGrowBy", [&] { button->moveGrowBy(ScreenPoint(3, 4), ScreenPoint(6, 8)); },
         DG::Rect(3, 4, 49, 22)},
        {"row -2 refused", [&] { button->move(ScreenPoint(200, 200), -2); }, DG::Rect(3, 4, 49, 22)},
    };
    for (const Step& step : steps) {
        step.act();
        DG::Rect host = hostRect(ButtonItem);
        EXPECT_EQ(host, step.host) << step.what << ": host at " << host.GetLeft() << "," << host.GetTop()
                                   << " " << host.GetRight() << "," << host.GetBottom();
        EXPECT_EQ(button->getItemRect(),
                  ScreenRect(host.GetLeft(), host.GetTop(), host.GetRight(), host.GetBottom()))
            << step.what;
    }
    EXPECT_TRUE(button->isPositionStored(0));
    EXPECT_TRUE(button->isSizeStored(0));
    EXPECT_EQ(button->getWidth(), 46);
    EXPECT_EQ(button->getHeight(), 18);
    EXPECT_TRUE(DG::Desk::Get().TakeRefusals().empty());
}

TEST_F(DialogControlTest, TheRememberedGeometryWinsOverTheHostsAndEndsWithTheRows) {
    panel.open();
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel));
    button->storePosition(ScreenPoint(1, 2), 0);
    EXPECT_EQ(button->getItemRect(), ScreenRect(1, 2, 81, 22)); // the host's size
    button->storeSize(ScreenPoint(7, 8), 0);
    EXPECT_EQ(button->getItemRect(), ScreenRect(1, 2, 8, 10));

    // Past the rows nothing is remembered: the host's rectangle stands.
    button->storePosition(ScreenPoint(1, 2), 1);
    button->storeSize(ScreenPoint(7, 8), 1);
    EXPECT_FALSE(button->isPositionStored(1));
    EXPECT_FALSE(button->isSizeStored(1));
    EXPECT_FALSE(button->isPositionStored(-1));
    EXPECT_EQ(button->getItemRect(1), ScreenRect(10, 10, 90, 30));
    EXPECT_EQ(button->getItemRect(-2), ScreenRect());

    button->setDimensions(3, 1);
    EXPECT_TRUE(button->isPositionStored(0));
    EXPECT_FALSE(button->isPositionStored(2));
    button->setDimensions(0, 1); // still one remembered row
    EXPECT_TRUE(button->isSizeStored(0));
    EXPECT_FALSE(button->isSizeStored(1));
}

TEST_F(DialogControlTest, AStylePicksTheFontCodeByItsPointSize) {
    panel.open();
    EditText* edit = DialogControl::make<EditText>(ControlLink(EditItem, &panel));
    const std::pair<int, short> cases[] = {{0, 0}, {1, 8}, {9, 8}, {10, 4}, {11, 4}, {12, 0}, {30, 0}};
    for (auto [points, code] : cases) {
        DGSetItemFont(static_cast<short>(panel.getPanelId()), EditItem, 99);
        TextStyle style(0, points * TextStyle::MillimetresPerPoint);
        ASSERT_EQ(style.getPointSize(), points);
        edit->setStyle(style);
        EXPECT_EQ(DGGetItemFont(static_cast<short>(panel.getPanelId()), EditItem), code)
            << points << " points";
    }
}

TEST_F(DialogControlTest, VisibilityEnablingAndFocusReachTheItem) {
    panel.open();
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel));
    button->setVisible(false);
    button->setEnabled(false);
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(button->isEnabled());
    button->setVisible(true, -2);
    button->setEnabled(true, -2);
    EXPECT_FALSE(button->isVisible());
    EXPECT_FALSE(button->isEnabled());
    button->setVisible(true);
    button->setEnabled(true);
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(button->isEnabled());
}

TEST_F(DialogControlTest, ACopyKeepsLinkFlagAndGeometryButJoinsNoPanel) {
    panel.open();
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel));
    button->setFlag(3);
    button->move(ScreenPoint(20, 30));
    std::unique_ptr<DialogControl> copy = button->clone();
    EXPECT_EQ(count(panel), 1u);
    EXPECT_EQ(copy->getLink(), button->getLink());
    EXPECT_EQ(copy->getFlag(), 3);
    EXPECT_EQ(copy->getTypeCode(), Button::TypeCode);
    EXPECT_TRUE(copy->isPositionStored(0));
    EXPECT_EQ(copy->getPosition().getX(), 20);
    EXPECT_EQ(copy->getPosition().getY(), 30);
}
