// A framework panel over a palette of five items (a button, a left text, an edit text, a centre
// and a right text), open for each test, with a listener of its action and item events.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGDialogTemplate.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanel.h"

namespace controltest {

enum Item : short { ButtonItem = 1, LeftItem, EditItem, CentreItem, RightItem };
constexpr short ResourceId = 100;

// One item of a test palette: its type, rectangle, value and text.
struct ResourceItem {
    DG::ItemType type;
    int left, top, right, bottom;
    int value = 0;
    std::string text;
};

// A palette resource with no title, compiled as the dialog manager reads it.
class PaletteResource {
public:
    PaletteResource(short id, int width, int height, std::initializer_list<ResourceItem> items) {
        for (int v : {int(DG::DialogResourceVersion), 0x0001, width, height, 0, int(items.size())})
            put16(v);
        for (const ResourceItem& item : items) {
            put16(static_cast<int>(item.type));
            for (int v : {item.left, item.top, item.right, item.bottom, item.value, 0, int(item.text.size())})
                put16(v);
            m_bytes.insert(m_bytes.end(), item.text.begin(), item.text.end());
        }
        m_entry = ResourceEntry{DG::DialogResourceType, id, m_bytes.data(), uint32_t(m_bytes.size())};
    }
    PaletteResource(const PaletteResource&) = delete;
    PaletteResource& operator=(const PaletteResource&) = delete;
    GSResModule module() const { return &m_module; }

private:
    void put16(int v) {
        m_bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        m_bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
    }
    std::vector<unsigned char> m_bytes;
    ResourceEntry m_entry;
    ResourceModule m_module{1, &m_entry};
};

// The control tests' palette; each item 80 x 20 at (10, 10 + 30 * (n - 1)).
class DialogResource : public PaletteResource {
public:
    DialogResource()
        : PaletteResource(ResourceId, 400, 300,
                          {{DG::ItemType::Button, 10, 10, 90, 30, 0, "OK"},
                           {DG::ItemType::LeftText, 10, 40, 90, 60, 0, "OK"},
                           {DG::ItemType::TextEdit, 10, 70, 90, 90, 0, "OK"},
                           {DG::ItemType::CenterText, 10, 100, 90, 120, 0, "OK"},
                           {DG::ItemType::RightText, 10, 130, 90, 150, 0, "OK"}}) {}
};

// A framework panel over an open palette of the resource.
class TestPanel : public tarnwick::InterfacePanel {
public:
    explicit TestPanel(GSResModule module, short resourceId = ResourceId)
        : InterfacePanel(static_cast<uint16_t>(resourceId)),
          m_host(std::make_shared<DG::Palette>(module, resourceId, module)) {
        m_host->BeginEventProcessing();
        setPanelId(static_cast<uint16_t>(m_host->GetId()));
    }
    ~TestPanel() override { releaseControls(); }
    DG::Panel* getHostPanel() const override { return m_host.get(); }

private:
    std::shared_ptr<DG::Palette> m_host;
};

struct Heard {
    uint32_t kind;
    uint32_t code;
    uint16_t item;
    bool operator==(const Heard&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Heard& h) {
        return out << std::hex << h.kind << std::dec << " code " << h.code << " item " << h.item;
    }
};

class Listener : public tarnwick::Subscriber {
public:
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override {
        types.push_back({tarnwick::InterfaceSource, tarnwick::ActionEvent::Kind});
        types.push_back({tarnwick::InterfaceSource, tarnwick::ItemEvent::Kind});
    }
    bool receive(tarnwick::Event& event) override {
        auto& e = dynamic_cast<tarnwick::InterfaceEvent&>(event);
        EXPECT_EQ(e.getData(), 0u);
        heard.push_back({e.getKind(), e.getCode(), e.getItemId()});
        return false;
    }
    std::vector<Heard> heard;
};

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override {
        tarnwick::InterfacePanel::initialiseModule();
        // After the registry, so that notifications find the panel.
        owned = std::make_unique<TestPanel>(resource.module());
        owned->add(&listener);
        (void)DG::Desk::Get().TakeRefusals();
    }
    void TearDown() override {
        owned.reset();
        tarnwick::InterfacePanel::terminateModule();
    }
    TestPanel& panel() const { return *owned; }
    short dialId() const { return static_cast<short>(owned->getPanelId()); }
    DG::Panel& host() const { return *owned->getHostPanel(); }

    DialogResource resource;
    std::unique_ptr<TestPanel> owned;
    Listener listener;
};

} // namespace controltest
