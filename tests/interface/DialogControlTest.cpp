// The control base: cells, registration with the panel, the remembered geometry and the host's
// differences, font codes, copies.
#include <functional>

#include "ControlTestPanel.h"
#include "elements/text/TextStyle.h"
#include "interface/Controls.h"

using namespace tarnwick;
using namespace controltest;

using DialogControlTest = ControlFixture;

TEST_F(DialogControlTest, ACellIsValidOnlyInsideTheGrid) {
    struct Case {
        int16_t rows, columns, row, column;
        bool valid;
    };
    const Case cases[] = {{1, 1, 0, 0, true},   {1, 1, -1, 0, false}, {1, 1, 0, -1, false},
                          {1, 1, -2, 0, false}, {1, 1, 1, 0, false},  {1, 1, 0, 1, false},
                          {3, 2, 2, 1, true},   {3, 2, -2, 1, false}};
    std::unique_ptr<EditText> edit(DialogControl::make<EditText>(ControlLink()));
    for (const Case& c : cases) {
        EXPECT_TRUE(edit->setDimensions(c.rows, uint16_t(c.columns)));
        EXPECT_EQ(edit->isValidCell(c.row, c.column), c.valid)
            << c.rows << "x" << c.columns << " " << c.row << "," << c.column;
    }
}

TEST_F(DialogControlTest, AControlJoinsItsPanelWithItsFirstRealItemIdAndDiesWithIt) {
    EditText* pending = DialogControl::make<EditText>(ControlLink(DialogControl::NoItem, &panel()));
    pending->setItemId(DialogControl::NoItem);
    EXPECT_TRUE(panel().getControls().empty());
    pending->setItemId(EditItem);
    pending->setItemId(7);
    EXPECT_EQ(pending->getItemId(), EditItem);
    Button* placed = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    placed->setLink(ControlLink(LeftItem, &panel())); // placed already: kept as it is
    std::unique_ptr<DialogControl> copy = placed->clone();
    EXPECT_EQ(panel().findControl(EditItem), pending);
    EXPECT_EQ(panel().findControl(ButtonItem), placed);
    EXPECT_EQ(panel().getControls().size(), 2u);

    // Without a panel a control takes the link's panel, then its item.
    TestPanel other(resource.module());
    Button* loose = DialogControl::make<Button>(ControlLink(5, nullptr));
    loose->setLink(ControlLink(RightItem, &other));
    EXPECT_EQ(loose->getLink(), ControlLink(RightItem, &other));
    EXPECT_EQ(other.findControl(RightItem), loose);

    // The sanitizer fails a control left behind or deleted twice.
    panel().releaseControls();
    EXPECT_TRUE(panel().getControls().empty());
}

TEST_F(DialogControlTest, MovesAndGrowsSendTheHostDifferencesFromTheRememberedGeometry) {
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    EXPECT_FALSE(button->isPositionStored(0));
    struct Step {
        const char* what;
        std::function<void()> act;
        DG::Rect host;
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
        {"row -2", [&] { button->move(ScreenPoint(200, 200), -2); }, DG::Rect(3, 4, 49, 22)},
    };
    for (const Step& step : steps) {
        step.act();
        DG::Rect host = DGGetItemRect(dialId(), ButtonItem);
        EXPECT_EQ(host, step.host) << step.what << ": " << host.GetLeft() << "," << host.GetTop();
        EXPECT_EQ(button->getItemRect(),
                  ScreenRect(host.GetLeft(), host.GetTop(), host.GetRight(), host.GetBottom()))
            << step.what;
    }
    EXPECT_TRUE(button->isPositionStored(0) && button->isSizeStored(0));
    EXPECT_TRUE(DG::Desk::Get().TakeRefusals().empty());
}

TEST_F(DialogControlTest, TheRememberedGeometryWinsOverTheHostsOnlyWithinTheRows) {
    Button* button = DialogControl::make<Button>(ControlLink(ButtonItem, &panel()));
    button->storeSize(ScreenPoint(7, 8), 0);
    EXPECT_EQ(button->getItemRect(), ScreenRect(10, 10, 17, 18));
    for (int16_t row : {int16_t(-1), int16_t(1)}) {
        button->storePosition(ScreenPoint(1, 2), row);
        EXPECT_FALSE(button->isPositionStored(row)) << row;
        EXPECT_EQ(button->getItemRect(row), ScreenRect(10, 10, 90, 30)) << row;
    }
    button->setDimensions(3, 1);
    EXPECT_TRUE(button->isSizeStored(0));
    EXPECT_FALSE(button->isSizeStored(2));

    std::unique_ptr<DialogControl> copy = button->clone();
    EXPECT_TRUE(copy->isSizeStored(0));
    EXPECT_EQ(copy->getRows(), 3);
    EXPECT_EQ(panel().getControls().size(), 1u);
}

TEST_F(DialogControlTest, AStylePicksTheFontCodeByItsPointSize) {
    EditText* edit = DialogControl::make<EditText>(ControlLink(EditItem, &panel()));
    for (auto [points, code] : {std::pair{0, 0}, {1, 8}, {9, 8}, {10, 4}, {11, 4}, {12, 0}}) {
        DGSetItemFont(dialId(), EditItem, 99);
        edit->setStyle(TextStyle(0, points * TextStyle::MillimetresPerPoint));
        EXPECT_EQ(DGGetItemFont(dialId(), EditItem), code) << points << " points";
    }
}
