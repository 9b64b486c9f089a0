// A palette of the dialog manager over a dialog resource the test gives, and a panel of the
// framework over it, for the control tests.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Environment/Subscriber.h"
#include "interface/InterfaceEvent.h"
#include "interface/InterfacePanel.h"
#include "platform/dg/DGDialogTemplate.h"
#include "platform/dg/DGPanel.h"

namespace controltest {

// One dialog (resource 100) with these items, in the compiled form the dialog manager reads.
class DialogResource {
public:
    static constexpr short Id = 100;

    explicit DialogResource(const std::vector<DG::ItemTemplate>& items) {
        put16(DG::DialogResourceVersion);
        m_bytes.push_back(1); // a palette
        m_bytes.push_back(0);
        put16(400);
        put16(300);
        putText("Controls");
        put16(static_cast<uint16_t>(items.size()));
        for (const DG::ItemTemplate& item : items) {
            m_bytes.push_back(static_cast<uint8_t>(item.type));
            m_bytes.push_back(0);
            for (short v :
                 {item.rect.GetLeft(), item.rect.GetTop(), item.rect.GetRight(), item.rect.GetBottom()})
                put16(static_cast<uint16_t>(v));
            put16(static_cast<uint16_t>(item.value & 0xFFFF));
            put16(static_cast<uint16_t>((item.value >> 16) & 0xFFFF));
            putText(item.text);
        }
        m_entry =
            ResourceEntry{DG::DialogResourceType, Id, m_bytes.data(), static_cast<uint32_t>(m_bytes.size())};
        m_module = ResourceModule{1, &m_entry};
    }
    DialogResource(const DialogResource&) = delete;
    DialogResource& operator=(const DialogResource&) = delete;

    GSResModule module() const { return &m_module; }

private:
    void put16(uint16_t v) {
        m_bytes.push_back(static_cast<uint8_t>(v & 0xFF));
        m_bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
    void putText(const std::string& text) {
        put16(static_cast<uint16_t>(text.size()));
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    }

    std::vector<unsigned char> m_bytes;
    ResourceEntry m_entry;
    ResourceModule m_module;
};

class Palette : public DG::Palette {
public:
    explicit Palette(GSResModule module) : DG::Palette(module, DialogResource::Id, module) {}
};

// Opens and closes its palette as a dialog of the framework would.
class TestPanel : public tarnwick::InterfacePanel {
public:
    explicit TestPanel(GSResModule module) : InterfacePanel(DialogResource::Id), m_module(module) {}
    ~TestPanel() override { close(); }

    void open() {
        m_host = std::make_shared<Palette>(m_module);
        m_host->BeginEventProcessing();
        setPanelId(static_cast<uint16_t>(m_host->GetId()));
    }
    void close() override {
        releaseControls();
        if (m_host) m_host->EndEventProcessing();
        m_host.reset();
    }
    DG::Panel* getHostPanel() const override { return m_host.get(); }

private:
    GSResModule m_module;
    std::shared_ptr<Palette> m_host;
};

// What reached a publisher: the kind, code, item and data of each action and item event.
struct Heard {
    uint32_t kind;
    uint32_t code;
    uint16_t item;
    uint64_t data;
    bool operator==(const Heard&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Heard& h) {
        return out << "kind " << std::hex << h.kind << std::dec << " code " << h.code << " item " << h.item
                   << " data " << h.data;
    }
};

class Listener : public tarnwick::Subscriber {
public:
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override {
        types.push_back({tarnwick::InterfaceSource, tarnwick::ActionEvent::Kind});
        types.push_back({tarnwick::InterfaceSource, tarnwick::ItemEvent::Kind});
    }
    bool receive(tarnwick::Event& event) override {
        if (auto* e = dynamic_cast<tarnwick::InterfaceEvent*>(&event))
            heard.push_back({e->getKind(), e->getCode(), e->getItemId(), e->getData()});
        return false;
    }
    std::vector<Heard> heard;
};

} // namespace controltest
