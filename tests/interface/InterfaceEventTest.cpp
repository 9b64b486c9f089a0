#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

#include "interface/EventFactory.h"
#include "interface/InterfacePanel.h"
#include "interface/InterfaceSubscribers.h"

using namespace tarnwick;

namespace {

class NoHostPanel : public InterfacePanel {
public:
    NoHostPanel() : InterfacePanel(1) {}
    DG::Panel* getHostPanel() const override { return nullptr; }
};

class OtherMessage : public Message {
public:
    std::shared_ptr<Message> clone() const override { return std::make_shared<OtherMessage>(); }
};

TEST(ItemReceiverTest, KeepsTheLastItemMessageAndIgnoresOthers) {
    ItemReceiver receiver(1);
    ActionEvent event(ControlLink(1), &receiver);
    event.reply(std::make_shared<ItemMessage>(7));
    event.reply(std::make_shared<ItemMessage>(0));
    EXPECT_EQ(receiver.getValue(), 0);
    event.reply(std::make_shared<OtherMessage>());
    EXPECT_EQ(receiver.getValue(), 0);
    ActionEvent unanswered(ControlLink(1));
    unanswered.reply(std::make_shared<ItemMessage>(3)); // no receiver: goes nowhere
}

TEST(InterfaceEventTest, KindsArePackedMostSignificantByteFirst) {
    const std::pair<uint32_t, uint32_t> kinds[] = {
        {ActionEvent::Kind, 0x41434556},
        {ChangeEvent::Kind, 0x43484556},
        {DialogEvent::Kind, 0x44495645},
        {DropEvent::Kind, 0x44455654},
        {FocusEvent::Kind, 0x464F4556},
        {ItemEvent::Kind, 0x49544556},
        {KeyEvent::Kind, 0x4B454556},
        {ListHeaderClickEvent::Kind, 0x4C484345},
        {ListHeaderDragEvent::Kind, 0x4C484445},
        {ListHeaderResizeEvent::Kind, 0x4C485245},
        {MoveEvent::Kind, 0x4D4F4553},
        {PaintEvent::Kind, 0x50414556},
        {ResizeEvent::Kind, 0x52534556},
        {SplitterDragEvent::Kind, 0x53444556},
        {InterfaceSource, 0x494E5446},
        {InterfacePanel::GenericObserverCode, 0x414C4C43},
    };
    for (auto [kind, packed] : kinds)
        EXPECT_EQ(kind, packed);
}

TEST(InterfaceEventTest, DefaultCodesAndAddedQueries) {
    ControlLink link(4);
    EXPECT_EQ(ActionEvent(link).getCode(), 0u);
    EXPECT_EQ(ChangeEvent(link).getCode(), 7u);
    EXPECT_EQ(DialogEvent(link).getCode(), 14u);
    EXPECT_EQ(FocusEvent(link).getCode(), 9u);
    EXPECT_EQ(ItemEvent(link).getCode(), 6u);
    EXPECT_EQ(KeyEvent(link).getCode(), 10u);
    EXPECT_EQ(MoveEvent(link).getCode(), 8u);
    EXPECT_EQ(PaintEvent(link).getCode(), 16u);
    EXPECT_EQ(ResizeEvent(link).getCode(), 13u);
    EXPECT_EQ(DropEvent(link, nullptr).getCode(), 17u);
    for (auto [code, doubleClick] : {std::pair{0u, false}, {4u, false}, {5u, true}})
        EXPECT_EQ(ActionEvent(code, link, 0).isDoubleClick(), doubleClick) << code;
    EXPECT_FALSE(FocusEvent(9, link, 0).isGained());
    EXPECT_TRUE(FocusEvent(9, link, 1).isGained());
    // A wide character keeps its 16 bits.
    EXPECT_EQ(KeyEvent(10, link, 0x10416).getCharacter(), 0x0416);
    EXPECT_EQ(KeyEvent(link, uint16_t(0x00E9), nullptr).getCharacter(), 0x00E9);
    EXPECT_EQ(InterfaceEvent(ItemEvent::Kind, 6, link, 0, nullptr).getControl(), nullptr);
}

TEST(InterfaceEventTest, ListHeaderAndSplitterRecords) {
    ControlLink link(2);
    ListHeaderRecord record{0, 3, 5, 120};
    ListHeaderResizeEvent resize(link, &record);
    EXPECT_EQ(resize.getColumn(), 2);
    EXPECT_EQ(resize.getWidth().getX(), 120);
    EXPECT_EQ(resize.getAction(), 0); // word 0 as it is, even 0
    EXPECT_EQ(ListHeaderDragEvent(link, &record).getNewPosition(), 4);
    EXPECT_EQ(ListHeaderClickEvent(link, &record).getColumn(), 2);

    ListHeaderResizeEvent none(link, nullptr);
    EXPECT_EQ(none.getColumn(), 0);
    EXPECT_EQ(none.getAction(), 2);
    EXPECT_EQ(none.getWidth().getX(), 0);
    EXPECT_EQ(ListHeaderClickEvent(link, nullptr).getColumn(), 0);
    EXPECT_EQ(ListHeaderDragEvent(link, nullptr).getNewPosition(), 0);

    SplitterRecord splitter{1, 44};
    EXPECT_EQ(SplitterDragEvent(link, &splitter).getPosition(), 44);
    EXPECT_EQ(SplitterDragEvent(link, &splitter).getAction(), 1);
    EXPECT_EQ(SplitterDragEvent(link, nullptr).getAction(), 2);
}

TEST(InterfaceEventTest, DropRecordAccessors) {
    DropRecord record;
    record.x = 12;
    record.y = -3;
    DropEvent drop(ControlLink(), &record);
    drop.setEffect(2);
    drop.setWord4(9);
    drop.setFlag(1);
    unsigned char bytes[56];
    std::memcpy(bytes, &record, sizeof bytes);
    EXPECT_EQ(bytes[2], 2);
    EXPECT_EQ(bytes[4], 9);
    EXPECT_EQ(bytes[6], 12);
    EXPECT_EQ(bytes[40], 1);
    EXPECT_EQ(drop.getPosition().getX(), 12);
    EXPECT_EQ(drop.getPosition().getY(), -3);

    DropEvent empty(ControlLink(), nullptr);
    empty.setEffect(2);
    empty.setWord4(9);
    empty.setFlag(1);
    EXPECT_EQ(empty.getPosition().getX(), 0);
    EXPECT_EQ(empty.getEffect(), 0);
}

// Each subscriber hears only its own (source, kind) pair.
TEST(InterfaceSubscriberTest, EachHearsOnlyItsPair) {
    struct Action : ActionSubscriber {
        bool handleAction(ActionEvent&) override { return true; }
    } action;
    struct Item : ItemSubscriber {
        bool handleItem(ItemEvent&) override { return true; }
    } item;
    struct Resize : ResizeSubscriber {
        bool handleResize(ResizeEvent&) override { return true; }
    } resize;
    ControlLink link(1);
    ActionEvent a(link);
    ItemEvent i(link);
    ResizeEvent r(link);
    ChangeEvent c(link);
    Event foreign({InterfaceSource, fourCC("XXXX")});
    Event* events[] = {&a, &i, &r, &c, &foreign};
    Subscriber* subscribers[] = {&action, &item, &resize};
    const bool heard[3][5] = {{true, false, false, false, false},
                              {false, true, false, false, false},
                              {false, false, true, false, false}};
    for (int s = 0; s < 3; ++s)
        for (int e = 0; e < 5; ++e) {
            Publisher publisher;
            publisher.add(subscribers[s]);
            EXPECT_EQ(publisher.publish(*events[e]), heard[s][e]) << s << " " << e;
            EXPECT_EQ(subscribers[s]->receive(*events[e]), heard[s][e]) << s << " " << e;
        }
}

TEST(ControlLinkTest, LinksOfTwoPanelsAreUnequalAndOrderedApart) {
    NoHostPanel first;
    NoHostPanel second;
    ControlLink a(5, &first);
    ControlLink b(5, &second);
    EXPECT_NE(a, b);
    EXPECT_TRUE(a < b || b < a);
    EXPECT_EQ(a, ControlLink(5, &first));
    EXPECT_FALSE(a < ControlLink(5, &first));
    EXPECT_TRUE(ControlLink(4, &second) < a); // the item id comes first
    std::set<ControlLink> keys{a, b, ControlLink(5, &first)};
    EXPECT_EQ(keys.size(), 2u);
    EXPECT_EQ(ControlLink(3).getPanelId(), 0);
}

class EventFactoryTest : public ::testing::Test {
protected:
    EventFactoryTest() { buildEventFactories(); }
    ~EventFactoryTest() override { freeEventFactories(); }
};

TEST_F(EventFactoryTest, BuiltInFactoriesByCode) {
    const std::pair<uint16_t, uint32_t> made[] = {
        {1, DialogEvent::Kind},
        {3, DialogEvent::Kind},
        {11, DialogEvent::Kind},
        {14, DialogEvent::Kind},
        {13, ResizeEvent::Kind},
        {4, ActionEvent::Kind},
        {5, ActionEvent::Kind},
        {6, ItemEvent::Kind},
        {7, ChangeEvent::Kind},
        {8, MoveEvent::Kind},
        {9, FocusEvent::Kind},
        {10, KeyEvent::Kind},
        {16, PaintEvent::Kind},
        {17, DropEvent::Kind},
        {27, SplitterDragEvent::Kind},
        {23, ListHeaderClickEvent::Kind},
        {24, ListHeaderDragEvent::Kind},
        {25, ListHeaderResizeEvent::Kind},
        {0, 0},
        {2, 0},
        {12, 0},
        {15, 0},
        {26, 0},
    };
    for (auto [code, kind] : made) {
        auto event = makeInterfaceEvent(code, ControlLink(2), 0);
        EXPECT_EQ(event ? event->getKind() : 0u, kind) << code;
        if (event) {
            EXPECT_EQ(event->getCode(), code);
        }
    }
    EXPECT_EQ(static_cast<KeyEvent&>(*makeInterfaceEvent(10, ControlLink(2), 0x41)).getCharacter(), 0x41);
    EXPECT_EQ(makeInterfaceEvent(6, ControlLink(2), 99)->getData(), 99u);
}

TEST_F(EventFactoryTest, ResizeCopiesItsEightBytesOrZeros) {
    ResizeData data{2, 1, 0, -40, 25};
    auto made = makeInterfaceEvent(13, ControlLink(0), pointerData(&data));
    auto& resize = static_cast<ResizeEvent&>(*made);
    data.phase = 0; // a copy, not the host's bytes
    EXPECT_EQ(resize.getPhase(), 2);
    EXPECT_TRUE(resize.isUserResize());
    EXPECT_EQ(resize.getHorizontalChange(), -40);
    EXPECT_EQ(resize.getVerticalChange(), 25);
    auto zeros = makeInterfaceEvent(13, ControlLink(0), 0);
    EXPECT_EQ(zeros->getData(), 0u);
}

TEST_F(EventFactoryTest, AddedFactoriesComeFirst) {
    InterfacePanel::registerEventFactory(
        4, [](uint32_t code, const ControlLink& link, uint64_t data) -> std::unique_ptr<InterfaceEvent> {
            return data == 1 ? std::make_unique<ChangeEvent>(code, link, data) : nullptr;
        });
    EXPECT_EQ(InterfacePanel::makeEvent(4, ControlLink(1), 1)->getKind(), ChangeEvent::Kind);
    EXPECT_EQ(InterfacePanel::makeEvent(4, ControlLink(1), 0)->getKind(), ActionEvent::Kind); // declined
    freeEventFactories();
    EXPECT_EQ(InterfacePanel::makeEvent(4, ControlLink(1), 1), nullptr);
}

} // namespace
