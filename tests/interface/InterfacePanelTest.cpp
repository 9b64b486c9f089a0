#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Environment/Addon.h"
#include "PanelTestSupport.h"
#include "interface/Controls.h"
#include "interface/InterfacePanel.h"
#include "interface/InterfacePanelObserver.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGItem.h"
#include "platform/dg/DGPanelState.h"

using namespace tarnwick;
using namespace paneltest;

namespace {

class PlainPanel : public InterfacePanel {
public:
    PlainPanel() : InterfacePanel(1) {}
    DG::Panel* getHostPanel() const override { return nullptr; }
    void refresh() override { ++refreshes; }
    int refreshes = 0;
};

const std::vector<uint32_t> allKinds = {ActionEvent::Kind, ChangeEvent::Kind, DialogEvent::Kind,
                                        ItemEvent::Kind, KeyEvent::Kind};

bool observes(DG::Panel& host, short item, ControlObserver* observer) {
    auto* itemObserver = dynamic_cast<DG::ItemObserver*>(observer);
    const auto& objects = host.State().item(item)->objects;
    return std::all_of(objects.begin(), objects.end(), [&](DG::Item* object) {
        const auto& heard = object->Observers();
        return std::find(heard.begin(), heard.end(), itemObserver) != heard.end();
    });
}

class InterfacePanelTest : public ::testing::Test, public WithDialogs {};

TEST_F(InterfacePanelTest, RegistryFindsPanelsBySerialAndHostId) {
    EXPECT_EQ(InterfacePanel::findByPanelId(1), nullptr);
    std::vector<std::string> journal;
    auto palette = std::make_unique<RecordedDialog>(PaletteId, false, journal);
    uint32_t serial = palette->getSerial();
    EXPECT_EQ(InterfacePanel::findBySerial(serial), palette.get());
    EXPECT_EQ(InterfacePanel::findByPanelId(0), palette.get()); // closed panels have id 0
    palette->open();
    EXPECT_EQ(InterfacePanel::findByPanelId(palette->getPanelId()), palette.get());
    PlainPanel later;
    EXPECT_GT(later.getSerial(), serial);
    palette.reset();
    EXPECT_EQ(InterfacePanel::findBySerial(serial), nullptr);
}

TEST(InterfacePanelModuleTest, WithoutTheModuleNothingIsRegistered) {
    PlainPanel panel;
    EXPECT_EQ(InterfacePanel::findBySerial(panel.getSerial()), nullptr);
    EXPECT_EQ(InterfacePanel::findByPanelId(0), nullptr);
}

TEST_F(InterfacePanelTest, AttachingTwiceMakesNothingTwiceAndTakesNewControls) {
    std::vector<std::string> journal;
    RecordedDialog palette(PaletteId, false, journal);
    palette.makeControls = [](RecordedDialog& d) {
        DialogControl::make<Button>(ControlLink(1, &d));
        DialogControl::make<Button>(ControlLink(2, &d));
        DialogControl::make<EditText>(ControlLink(3, &d));
    };
    palette.open();
    DG::Panel& host = *palette.getHostPanel();
    ControlObserver* generic = palette.getObserverFor(InterfacePanel::GenericObserverCode);
    ControlObserver* buttons = palette.getObserverFor(Button::TypeCode);
    ASSERT_NE(generic, nullptr);
    ASSERT_NE(buttons, nullptr);

    DialogControl::make<Button>(ControlLink(4, &palette));
    EXPECT_TRUE(host.State().item(4)->objects.empty());
    palette.attachObservers();
    EXPECT_EQ(palette.getObserverFor(InterfacePanel::GenericObserverCode), generic);
    EXPECT_EQ(palette.getObserverFor(Button::TypeCode), buttons);
    for (short item = 1; item <= 4; ++item) {
        EXPECT_EQ(host.State().item(item)->objects.size(), 1u) << item;
        EXPECT_TRUE(observes(host, item, generic)) << item;
        EXPECT_EQ(observes(host, item, buttons), item != 3) << item; // one observer for every button
    }
    EXPECT_TRUE(observes(host, 3, palette.getObserverFor(EditText::TypeCode)));
}

TEST_F(InterfacePanelTest, RoutesToTheControlThenThePanel) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<InterfaceEvent>(InterfacePanel*)> event;
        bool controlAnswers;
        std::vector<std::string> heard;
        bool handled;
        int refreshes;
    };
    const Case cases[] = {
        {"action on item 3",
         [](auto* p) { return std::make_unique<ActionEvent>(ControlLink(3, p)); },
         true,
         {"c3:ACEV 3 0", "panel:ACEV 3 0"},
         false,
         1},
        {"item event on item 5",
         [](auto* p) { return std::make_unique<ItemEvent>(ControlLink(5, p)); },
         false,
         {"c5:ITEV 5 6", "panel:ITEV 5 6"},
         false,
         1},
        {"item 0 code 7",
         [](auto* p) { return std::make_unique<ChangeEvent>(ControlLink(0, p)); },
         false,
         {"panel:CHEV 0 7"},
         false,
         0},
        {"item without control",
         [](auto* p) { return std::make_unique<ActionEvent>(ControlLink(9, p)); },
         false,
         {"panel:ACEV 9 0"},
         false,
         1},
        {"open event",
         [](auto* p) { return std::make_unique<DialogEvent>(1, ControlLink(0, p), 0); },
         false,
         {"c3:DIVE 0 1", "c5:DIVE 0 1", "panel:DIVE 0 1"},
         false,
         0},
        {"open event a control takes",
         [](auto* p) { return std::make_unique<DialogEvent>(1, ControlLink(0, p), 0); },
         true,
         {"c3:DIVE 0 1", "c5:DIVE 0 1"},
         true,
         0},
        {"open event on item -1",
         [](auto* p) { return std::make_unique<DialogEvent>(1, ControlLink(65535, p), 0); },
         false,
         {"c3:DIVE 65535 1", "c5:DIVE 65535 1", "panel:DIVE 65535 1"},
         false,
         0},
        {"hot key on item 0",
         [](auto* p) { return std::make_unique<DialogEvent>(11, ControlLink(0, p), 4); },
         false,
         {"panel:DIVE 0 11"},
         false,
         0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> heard;
        PlainPanel panel;
        Journal onPanel("panel", heard, allKinds);
        Journal onThree("c3", heard, allKinds);
        Journal onFive("c5", heard, allKinds);
        onThree.answer = c.controlAnswers;
        panel.add(&onPanel);
        DialogControl::make<Button>(ControlLink(3, &panel))->add(&onThree);
        DialogControl::make<EditText>(ControlLink(5, &panel))->add(&onFive);
        auto event = c.event(&panel);
        EXPECT_EQ(panel.handleEvent(*event), c.handled) << c.what;
        EXPECT_EQ(heard, c.heard) << c.what;
        EXPECT_EQ(panel.refreshes, c.refreshes) << c.what;
    }
}

TEST_F(InterfacePanelTest, AKeyAnsweredZeroIsDeniedAndLostFocusIsHeard) {
    std::vector<std::string> journal;
    std::vector<std::string> heard;
    Journal edit("edit", heard, {KeyEvent::Kind, FocusEvent::Kind});
    edit.onEvent = [](InterfaceEvent& e) {
        if (auto* key = dynamic_cast<KeyEvent*>(&e); key && key->getCharacter() == 'x')
            e.reply(std::make_shared<ItemMessage>(0));
    };
    RecordedDialog palette(PaletteId, false, journal);
    palette.makeControls = [&](RecordedDialog& d) {
        DialogControl::make<EditText>(ControlLink(3, &d))->add(&edit);
        DialogControl::make<Button>(ControlLink(1, &d));
    };
    palette.open();
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().TypeText(*palette.getHostPanel(), 3, GS::UniString("axb"), &why)) << why;
    EXPECT_EQ(String(DGGetItemText(static_cast<short>(palette.getPanelId()), 3)), String("ab"));
    ASSERT_TRUE(DG::Desk::Get().Click(*palette.getHostPanel(), 1, 0, &why)) << why;
    EXPECT_EQ(heard, (std::vector<std::string>{"edit:KEEV 3 10", "edit:KEEV 3 10", "edit:KEEV 3 10",
                                               "edit:FOEV 3 9"}));
}

TEST_F(InterfacePanelTest, NotificationsForAPanelNotRegisteredDoNothing) {
    auto host = std::make_shared<DG::Palette>(resources().module(), PaletteId, resources().module());
    DialogObserver stranger(987654);
    host->Attach(stranger);
    host->EnableDragAndDropEvent();
    host->BeginEventProcessing();
    DG::Desk& desk = DG::Desk::Get();
    std::string why;
    bool processed = true;
    EXPECT_TRUE(desk.PressHotKey(*host, host->RegisterHotKey(65, 0), &why)) << why;
    DG::DragDrop::Effect effect = 0;
    bool handled = true;
    EXPECT_TRUE(desk.DragAndDrop(*host, DG::Point(50, 60), &effect, &handled, &why)) << why;
    EXPECT_EQ(effect, DG::DragDrop::All);
    EXPECT_FALSE(handled);
    EXPECT_TRUE(desk.Resize(*host, 10, 10, &why)) << why;
    EXPECT_TRUE(desk.CloseBox(*host, &why)) << why;
    EXPECT_FALSE(host->IsOpen()); // nobody objected
    (void)processed;
}

TEST_F(InterfacePanelTest, ResizeDropAndHotKeyReachThePanel) {
    std::vector<std::string> journal;
    std::vector<std::string> heard;
    RecordedDialog palette(PaletteId, false, journal);
    Journal events("panel", heard, {ResizeEvent::Kind, DropEvent::Kind, DialogEvent::Kind});
    std::vector<int> phases;
    events.onEvent = [&](InterfaceEvent& e) {
        if (auto* resize = dynamic_cast<ResizeEvent*>(&e)) phases.push_back(resize->getPhase());
        if (auto* drop = dynamic_cast<DropEvent*>(&e)) drop->setEffect(DG::DragDrop::Copy);
        if (e.getCode() == 11) e.reply(std::make_shared<ItemMessage>(1));
    };
    palette.add(&events);
    palette.open();
    palette.enableDragAndDrop();
    DG::Panel& host = *palette.getHostPanel();
    DG::Desk& desk = DG::Desk::Get();
    std::string why;
    ASSERT_TRUE(desk.Resize(host, 20, 10, &why)) << why;
    EXPECT_EQ(phases, (std::vector<int>{1, 0, 2}));
    DG::DragDrop::Effect effect = 0;
    bool handled = false;
    ASSERT_TRUE(desk.DragAndDrop(host, DG::Point(40, 40), &effect, &handled, &why)) << why;
    EXPECT_EQ(effect, DG::DragDrop::Copy);
    EXPECT_TRUE(handled);
    short key = host.RegisterHotKey(65, 0);
    ASSERT_TRUE(desk.PressHotKey(host, key, &why)) << why;
    EXPECT_NE(std::find(heard.begin(), heard.end(), "panel:DIVE 0 11"), heard.end());
}

TEST_F(InterfacePanelTest, AResizeNoticeSaysWhetherTheUserResizedThePanel) {
    std::vector<std::string> journal;
    std::vector<std::string> heard;
    RecordedDialog palette(PaletteId, false, journal);
    Journal events("panel", heard, {ResizeEvent::Kind});
    std::vector<std::string> notices; // "phase, who, horizontal and vertical change"
    events.onEvent = [&](InterfaceEvent& e) {
        auto& resize = static_cast<ResizeEvent&>(e);
        notices.push_back(
            std::to_string(resize.getPhase()) + (resize.isUserResize() ? " user " : " module ") +
            std::to_string(resize.getHorizontalChange()) + " " + std::to_string(resize.getVerticalChange()));
    };
    palette.add(&events);
    palette.open();
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().Resize(*palette.getHostPanel(), 20, 10, &why)) << why;
    EXPECT_EQ(notices, (std::vector<std::string>{"1 user 0 0", "0 user 20 10", "2 user 20 10"}));
    notices.clear();
    const ScreenPoint size = palette.getClientSize(DG::CurrentSize);
    palette.setSize(ScreenPoint(static_cast<int16_t>(size.getX() + 30), size.getY(), 0), DG::TopLeft);
    EXPECT_EQ(notices, (std::vector<std::string>{"0 module 30 0"}));
}

TEST_F(InterfacePanelTest, ProjectClosingClosesEveryPanel) {
    for (uint32_t notification : {16u, 32u, 64u}) {
        std::vector<std::string> journal;
        auto first = std::make_unique<RecordedDialog>(PaletteId, false, journal);
        auto second = std::make_unique<RecordedDialog>(OtherPaletteId, false, journal);
        RecordedDialog third(OtherPaletteId, false, journal);
        // Closing the first destroys the second, which the walk then must not reach.
        first->onClosed = [&] { second.reset(); };
        first->open();
        second->open();
        journal.clear();
        module.host().sendProjectNotification(notification);
        bool closes = notification != 16;
        EXPECT_EQ(first->isOpen(), !closes) << notification;
        EXPECT_EQ(second == nullptr, closes) << notification;
        EXPECT_EQ(journal, closes ? std::vector<std::string>{"closed 0 no-host"} : std::vector<std::string>{})
            << notification;
    }
}

TEST_F(InterfacePanelTest, PositionsScaleAndRound) {
    const std::tuple<double, double, int, int> conversions[] = {
        {151, 1.5, 101, 227}, {0.75, 1.5, 1, 1}, {3, 1.5, 2, 5}, {-3, 1.5, -2, -4}, {7, 1.0, 7, 7},
    };
    for (auto [v, scale, units, pixels] : conversions) {
        EXPECT_EQ(InterfacePanel::toUnits(v, scale), units) << v;
        EXPECT_EQ(InterfacePanel::toPixels(v, scale), pixels) << v;
    }
    DG::Desk::Get().SetScaleFactor(1.5);
    std::vector<std::string> journal;
    RecordedDialog palette(PaletteId, false, journal);
    EXPECT_EQ(palette.getScaleFactor(), 1.0); // no host panel yet
    palette.open();
    EXPECT_EQ(palette.getScaleFactor(), 1.5);
    auto& host = static_cast<DG::Dialog&>(*palette.getHostPanel());
    palette.setPosition(ScreenPoint(101, 33, 1));
    EXPECT_EQ(host.GetFramePosition(), DG::Point(152, 50));
    EXPECT_EQ(palette.getPosition(1).getX(), 101);
    EXPECT_EQ(palette.getPosition(1).getY(), 33);
    for (uint32_t code : {6u, 7u}) {
        EXPECT_EQ(palette.getPosition(code).getX(), 0) << code;
        EXPECT_EQ(palette.getPosition(code).getY(), 0) << code;
    }
    palette.setPosition(ScreenPoint(50, 50, 6)); // no such space: nothing
    EXPECT_EQ(host.GetFramePosition(), DG::Point(152, 50));
    palette.close();
    EXPECT_EQ(palette.getPosition(1).getX(), 0);
}

// Coordinate spaces 0, 2 and 4 place the client area, 1, 3 and 5 the frame around it.
TEST_F(InterfacePanelTest, PositionsInEvenSpacesAreTheClientAreasAndInOddOnesTheFrames) {
    DG::Desk::Get().SetScaleFactor(1.5);
    std::vector<std::string> journal;
    RecordedDialog palette(PaletteId, false, journal);
    palette.open();
    auto& host = static_cast<DG::Dialog&>(*palette.getHostPanel());
    ASSERT_NE(host.GetClientPosition(), host.GetFramePosition());
    for (uint32_t code = 0; code < 6; ++code) {
        const bool client = code % 2 == 0;
        palette.setPosition(ScreenPoint(101, 33, code));
        EXPECT_EQ(client ? host.GetClientPosition() : host.GetFramePosition(), DG::Point(152, 50)) << code;
        EXPECT_NE(client ? host.GetFramePosition() : host.GetClientPosition(), DG::Point(152, 50)) << code;
        EXPECT_EQ(palette.getPosition(code).getX(), 101) << code;
        EXPECT_EQ(palette.getPosition(code).getY(), 33) << code;
    }
}

TEST_F(InterfacePanelTest, SizesByCoordinateSpace) {
    DG::Desk::Get().SetScaleFactor(1.5);
    std::vector<std::string> journal;
    RecordedDialog palette(PaletteId, false, journal);
    palette.open();
    palette.setSize(ScreenPoint(350, 250, 0), DG::TopLeft);
    EXPECT_EQ(palette.getClientSize(DG::CurrentSize).getX(), 350);
    EXPECT_EQ(palette.getClientSize(DG::CurrentSize).getY(), 250);
    palette.setMinimumSize(ScreenPoint(120, 80), 4);
    EXPECT_EQ(palette.getMinimumSize(2).getX(), 120);
    EXPECT_EQ(palette.getMinimumSize(2).getY(), 80);
    palette.setMinimumSize(ScreenPoint(101, 33), 3);
    EXPECT_EQ(DGGetDialogFrameMinSize(static_cast<short>(palette.getPanelId())), DG::Point(152, 50));
    EXPECT_EQ(palette.getMinimumSize(5).getX(), 101);
    EXPECT_EQ(palette.getMinimumSize(5).getY(), 33);
}

// A palette that asks for it gets back the size it had when it last closed.
TEST_F(InterfacePanelTest, RestoringTheSize) {
    for (bool restore : {true, false}) {
        Dialog palette(PaletteId, false, restore);
        palette.open();
        palette.setSize(ScreenPoint(380, 260), DG::TopLeft);
        palette.close();
        palette.open();
        EXPECT_EQ(palette.getClientSize(DG::CurrentSize).getX(), restore ? 380 : 300) << restore;
    }
}

} // namespace
