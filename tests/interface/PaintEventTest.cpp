// Paint events from the host's user-item updates: the link names the user item and its panel, the
// event reaches the panel's subscribers, and the context it makes draws into the item's picture
// while the update lasts.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlTestPanel.h"
#include "Environment/Subscriber.h"
#include "interface/EventFactory.h"
#include "interface/InterfaceEvent.h"
#include "platform/dg/DGItems.h"
#include "platform/dg/DGPanelState.h"

using namespace tarnwick;

namespace {

constexpr short ResourceId = 140;
enum Item : short { Apply = 1, Picture };

// A palette of a button and a user item of 120 x 80 at (10, 40).
struct PaintResource : controltest::PaletteResource {
    PaintResource()
        : PaletteResource(ResourceId, 200, 200,
                          {{DG::ItemType::Button, 10, 10, 90, 30, 0, "Apply"},
                           {DG::ItemType::UserItem, 10, 40, 130, 120, 0, ""}}) {}
};

// As a dialog with a drawn item would: the host's update becomes a paint event of the panel.
class UpdateForwarder : public DG::UserItemObserver {
public:
    explicit UpdateForwarder(DG::Panel& host) : m_item(host, Picture) { m_item.Attach(*this); }
    void UserItemUpdate(const DG::UserItemUpdateEvent& update) override {
        PaintEvent event(update);
        if (InterfacePanel* panel = event.getPanel()) panel->handleEvent(event);
    }

private:
    DG::UserItem m_item;
};

// Draws a cross over the item, as large as the context says the item is.
class CrossPainter : public Subscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        types.push_back({InterfaceSource, PaintEvent::Kind});
    }
    bool receive(Event& event) override {
        auto& paint = dynamic_cast<PaintEvent&>(event);
        heard.push_back("item " + std::to_string(paint.getItemId()) + " code " +
                        std::to_string(paint.getCode()));
        std::unique_ptr<NewDisplay::UserItemUpdateNativeContext> context = paint.makeContext();
        if (!context) return false;
        const auto width = static_cast<float>(context->GetWidth());
        const auto height = static_cast<float>(context->GetHeight());
        context->SetForeColor(NewDisplay::Color{1.0f, 0.0f, 0.0f, 1.0f});
        context->MoveTo(0, 0);
        context->LineTo(width, height);
        context->MoveTo(width, 0);
        context->LineTo(0, height);
        return true;
    }
    std::vector<std::string> heard;
};

class PaintEventTest : public ::testing::Test {
protected:
    void SetUp() override {
        DG::Desk::Get().Reset();
        InterfacePanel::initialiseModule();
        panel = std::make_unique<controltest::TestPanel>(resource.module(), ResourceId);
        panel->add(&painter);
    }
    void TearDown() override {
        EXPECT_EQ(DG::Desk::Get().TakeRefusals(), std::vector<std::string>{});
        forwarder.reset();
        panel.reset();
        InterfacePanel::terminateModule();
        DG::Desk::Get().Reset();
    }
    DG::Palette& host() const { return dynamic_cast<DG::Palette&>(*panel->getHostPanel()); }
    std::string picture() const {
        const DG::ItemState* item = host().State().item(Picture);
        if (!item->picture) return "none";
        std::string all;
        for (const auto& call : item->picture->calls)
            all += (all.empty() ? "" : "|") + NewDisplay::NativeContext::Describe(call);
        return all;
    }

    PaintResource resource;
    std::unique_ptr<controltest::TestPanel> panel;
    std::unique_ptr<UpdateForwarder> forwarder;
    CrossPainter painter;
};

TEST_F(PaintEventTest, AnUpdateOfTheUserItemIsPaintedThroughThePanelIntoTheItemsPicture) {
    forwarder = std::make_unique<UpdateForwarder>(host());
    host().Show(); // coming on screen
    EXPECT_EQ(painter.heard, std::vector<std::string>{"item 2 code 16"});
    EXPECT_EQ(picture(), "SetForeColor 1 0 0 1|MoveTo 0 0|LineTo 120 80|MoveTo 120 0|LineTo 0 80");
    std::string why;
    ASSERT_TRUE(DG::Desk::Get().UpdateUserItem(host(), Picture, &why)) << why; // uncovered
    EXPECT_EQ(painter.heard.size(), 2u);
    EXPECT_EQ(picture(), "SetForeColor 1 0 0 1|MoveTo 0 0|LineTo 120 80|MoveTo 120 0|LineTo 0 80");
}

TEST_F(PaintEventTest, TheEventLinksTheUserItemOfItsRegisteredPanelAndCarriesTheUpdate) {
    auto drawing = std::make_shared<NewDisplay::NativeContext::Drawing>();
    DG::UserItem item(host(), Picture);
    const DG::UserItemUpdateEvent update(&item, drawing, DG::Rect(10, 40, 130, 120));
    PaintEvent event(update);
    EXPECT_EQ(event.getLink(), ControlLink(Picture, panel.get()));
    EXPECT_EQ(event.getCode(), 16u);
    EXPECT_EQ(event.getKind(), PaintEvent::Kind);
    EXPECT_EQ(event.getUpdate(), &update);
    event.makeContext()->MoveTo(3, 4);
    event.makeContext()->LineTo(5, 6); // each context draws into the same picture
    ASSERT_EQ(drawing->calls.size(), 2u);
    EXPECT_EQ(NewDisplay::NativeContext::Describe(drawing->calls[1]), "LineTo 5 6");
}

TEST_F(PaintEventTest, WithoutAnUpdateThereIsNoContextAndWithoutASourceNoPanel) {
    EXPECT_EQ(PaintEvent(ControlLink(Picture, panel.get())).makeContext(), nullptr);
    EXPECT_EQ(PaintEvent(16, ControlLink(Picture), 0).makeContext(), nullptr);
    const DG::UserItemUpdateEvent orphan(nullptr, nullptr, DG::Rect());
    PaintEvent event(orphan);
    EXPECT_EQ(event.getLink(), ControlLink());
    EXPECT_EQ(event.getPanel(), nullptr);
    EXPECT_NE(event.makeContext(), nullptr);
}

TEST_F(PaintEventTest, TheFactoryMakesAPaintEventThatDrawsIntoTheUpdatesPicture) {
    auto drawing = std::make_shared<NewDisplay::NativeContext::Drawing>();
    const DG::UserItemUpdateEvent update(nullptr, drawing, DG::Rect(0, 0, 10, 10));
    std::unique_ptr<InterfaceEvent> made = makeInterfaceEvent(16, ControlLink(Picture), pointerData(&update));
    auto* paint = dynamic_cast<PaintEvent*>(made.get());
    ASSERT_NE(paint, nullptr);
    paint->makeContext()->EndPolygon();
    ASSERT_EQ(drawing->calls.size(), 1u);
    EXPECT_EQ(drawing->calls[0].name, "EndPolygon");
}

TEST_F(PaintEventTest, APanelWithoutTheForwarderLeavesTheItemBlank) {
    host().Show();
    EXPECT_TRUE(painter.heard.empty());
    EXPECT_EQ(picture(), "");
}

} // namespace
