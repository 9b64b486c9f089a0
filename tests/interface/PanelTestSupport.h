// Dialog resources the panel and dialog tests open, handed to the module as its own, and a
// subscriber that writes what reaches it into a journal.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Environment/ModuleEntry.h"
#include "Environment/Subscriber.h"
#include "interface/Dialog.h"
#include "interface/InterfaceEvent.h"
#include "platform/dg/DGDesk.h"
#include "platform/dg/DGDialogTemplate.h"
#include "support/TestAddon.h"

namespace paneltest {

constexpr short ModalId = 200;   // 1 OK, 2 Cancel, 3 edit text, 4 static text
constexpr short PaletteId = 201; // 1-2 buttons, 3 edit text, 4-6 buttons
constexpr short OtherPaletteId = 202;

// The compiled dialogs, in the form the dialog manager reads.
class Resources {
public:
    Resources() {
        using DG::ItemType;
        add(ModalId, 0, "Question",
            {{ItemType::Button, "OK"},
             {ItemType::Button, "Cancel"},
             {ItemType::TextEdit, ""},
             {ItemType::LeftText, "Answer:"}});
        add(PaletteId, 1, "Tools",
            {{ItemType::Button, "One"},
             {ItemType::Button, "Two"},
             {ItemType::TextEdit, ""},
             {ItemType::Button, "Four"},
             {ItemType::Button, "Five"},
             {ItemType::Button, "Six"}});
        add(OtherPaletteId, 1, "More", {{ItemType::Button, "One"}});
        for (size_t i = 0; i < m_blobs.size(); ++i)
            m_entries.push_back(ResourceEntry{DG::DialogResourceType, m_ids[i], m_blobs[i].data(),
                                              static_cast<uint32_t>(m_blobs[i].size())});
        m_module = ResourceModule{static_cast<uint32_t>(m_entries.size()), m_entries.data()};
    }
    GSResModule module() const { return &m_module; }

private:
    void add(short id, uint8_t kind, const std::string& title,
             std::vector<std::pair<DG::ItemType, std::string>> items) {
        std::vector<unsigned char> bytes;
        auto put16 = [&](int v) {
            bytes.push_back(static_cast<uint8_t>(v & 0xFF));
            bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        };
        auto text = [&](const std::string& t) {
            put16(static_cast<int>(t.size()));
            bytes.insert(bytes.end(), t.begin(), t.end());
        };
        put16(DG::DialogResourceVersion);
        bytes.push_back(kind);
        bytes.push_back(1); // growable
        put16(300);
        put16(200);
        text(title);
        put16(static_cast<int>(items.size()));
        short top = 10;
        for (const auto& [type, label] : items) {
            bytes.push_back(static_cast<uint8_t>(type));
            bytes.push_back(0);
            for (int v : {10, int(top), 110, top + 20})
                put16(v);
            put16(0);
            put16(0);
            text(label);
            top = static_cast<short>(top + 30);
        }
        m_ids.push_back(id);
        m_blobs.push_back(std::move(bytes));
    }

    std::vector<short> m_ids;
    std::vector<std::vector<unsigned char>> m_blobs;
    std::vector<ResourceEntry> m_entries;
    ResourceModule m_module{};
};

inline const Resources& resources() {
    static const Resources made;
    return made;
}

inline GSResModule answerResources() {
    return resources().module();
}

// The module with the test dialogs as its resources; the desk forgets its user afterwards.
class WithDialogs {
public:
    WithDialogs() {
        module.host().functionTable().GetOwnResModule = &answerResources;
        SetImportedFuncAddrs(&module.host().functionTable());
    }
    ~WithDialogs() { DG::Desk::Get().Reset(); }
    testsupport::ModuleUnderTest module{nullptr, true};
};

// Writes "name:KIND item code" for every event of its types; answers with `reply` when set.
class Journal : public tarnwick::Subscriber {
public:
    Journal(std::string name, std::vector<std::string>& lines, std::vector<uint32_t> kinds)
        : m_name(std::move(name)), m_lines(lines), m_kinds(std::move(kinds)) {}
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override {
        for (uint32_t kind : m_kinds)
            types.push_back({tarnwick::InterfaceSource, kind});
    }
    bool receive(tarnwick::Event& event) override {
        auto* e = dynamic_cast<tarnwick::InterfaceEvent*>(&event);
        if (e == nullptr) return false;
        char kind[5] = {char(e->getKind() >> 24), char(e->getKind() >> 16), char(e->getKind() >> 8),
                        char(e->getKind()), 0};
        m_lines.push_back(m_name + ":" + kind + " " + std::to_string(e->getItemId()) + " " +
                          std::to_string(e->getCode()));
        if (onEvent) onEvent(*e);
        return answer;
    }
    std::function<void(tarnwick::InterfaceEvent&)> onEvent;
    bool answer = false;

private:
    std::string m_name;
    std::vector<std::string>& m_lines;
    std::vector<uint32_t> m_kinds;
};

// A dialog that writes its hooks into a journal; "closed" says how many controls and whether a
// host panel were still there.
class RecordedDialog : public tarnwick::Dialog {
public:
    RecordedDialog(short id, bool modal, std::vector<std::string>& journal)
        : Dialog(static_cast<uint16_t>(id), modal), m_journal(journal) {}
    void initialise() override {
        m_journal.push_back("initialise");
        if (makeControls) makeControls(*this);
    }
    void opened() override { m_journal.push_back("opened"); }
    void refresh() override { ++refreshes; }
    void accepted(tarnwick::ActionEvent& event) override {
        m_journal.push_back("accepted");
        if (onAccepted) onAccepted(event);
    }
    void cancelled(tarnwick::ActionEvent& event) override {
        m_journal.push_back("cancelled");
        if (onCancelled) onCancelled(event);
    }
    void closed() override {
        m_journal.push_back("closed " + std::to_string(getControls().size()) +
                            (getHostPanel() != nullptr ? " host" : " no-host"));
        if (onClosed) onClosed();
    }

    std::function<void(RecordedDialog&)> makeControls;
    std::function<void(tarnwick::ActionEvent&)> onAccepted;
    std::function<void(tarnwick::ActionEvent&)> onCancelled;
    std::function<void()> onClosed;
    int refreshes = 0;

private:
    std::vector<std::string>& m_journal;
};

} // namespace paneltest
