// The dialog manager's test fixture: a clean desk over the tests' own dialogs, and observers that
// write what they hear into one log.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dg/DGDesk.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGItems.h"
#include "platform/dg/DGPanel.h"
#include "platform/dg/DGPanelState.h"
#include "resources/ModuleResources.h"

namespace dgtest {

constexpr short ModalId = 100;
constexpr short PaletteId = 200;
enum ModalItem : short { Ok = 1, Cancel, Label, Name, Remember, Centre, Right };
enum PaletteItem : short { Apply = 1, Status, Picture, List };

using Log = std::vector<std::string>;

// Hears a panel and every kind of item; each notification runs `then` after logging, if set.
class Recorder : public DG::PanelObserver,
                 public DG::ButtonItemObserver,
                 public DG::StaticTextObserver,
                 public DG::TextEditBaseObserver,
                 public DG::CheckItemObserver {
public:
    explicit Recorder(Log& log, std::string name = "") : m_log(log), m_name(std::move(name)) {}

    std::function<void(const std::string& what)> then;
    bool acceptClose = true;
    std::u16string denied; // characters to deny

    void PanelOpened(const DG::PanelOpenEvent&) override { note("opened"); }
    void PanelCloseRequested(const DG::PanelCloseRequestEvent& e, bool* accepted) override {
        *accepted = acceptClose;
        note(e.IsAccepted() ? "close-request accept" : "close-request cancel");
    }
    void PanelClosed(const DG::PanelCloseEvent& e) override {
        note(e.IsAccepted() ? "closed accept" : "closed");
    }
    void PanelResized(const DG::PanelResizeEvent& e) override { note("resized " + change(e)); }
    void PanelResizeEntered(const DG::PanelResizeEvent& e) override { note("resize-entered " + change(e)); }
    void PanelResizing(const DG::PanelResizeEvent& e) override { note("resizing " + change(e)); }
    void PanelResizeExited(const DG::PanelResizeEvent& e) override { note("resize-exited " + change(e)); }
    void PanelHotkeyPressed(const DG::PanelHotKeyEvent& e, bool* processed) override {
        *processed = true;
        note("hot-key " + std::to_string(e.GetKeyId()));
    }
    void PanelDropped(const DG::PanelDragEvent&, DG::DragDrop::Effect* effect, bool* handled) override {
        *effect = DG::DragDrop::Copy;
        *handled = true;
        note("dropped");
    }
    void ItemCharEntered(const DG::ItemCharEnterEvent& e, bool* deny) override {
        *deny = denied.find(e.GetCharCode()) != std::u16string::npos;
        note("char " + item(e) + " " + std::string(1, static_cast<char>(e.GetCharCode())));
    }
    void ItemFocusLost(const DG::ItemFocusEvent& e) override { note("focus-lost " + item(e)); }
    void ButtonClicked(const DG::ButtonClickEvent& e) override {
        note("click " + item(e) + (e.GetModifiers() ? " mod " + std::to_string(e.GetModifiers()) : ""));
    }
    void StaticTextClicked(const DG::StaticTextClickEvent& e) override { note("text-click " + item(e)); }
    void StaticTextDoubleClicked(const DG::StaticTextDoubleClickEvent& e) override {
        note("text-double-click " + item(e));
    }
    void TextEditChanged(const DG::TextEditChangeEvent& e) override { note("changed " + item(e)); }
    void CheckItemChanged(const DG::CheckItemChangeEvent& e) override { note("ticked " + item(e)); }

private:
    static std::string change(const DG::PanelResizeEvent& e) {
        return std::to_string(e.GetHorizontalChange()) + " " + std::to_string(e.GetVerticalChange()) +
               (e.IsUserResize() ? " user" : "");
    }
    static std::string item(const DG::ItemEvent& e) { return std::to_string(e.GetSource()->GetId()); }
    void note(const std::string& what) {
        m_log.push_back(m_name.empty() ? what : m_name + ": " + what);
        if (then) then(what);
    }

    Log& m_log;
    std::string m_name;
};

class DeskTest : public ::testing::Test {
protected:
    void SetUp() override {
        desk().Reset();
        desk().SetListener([this](const std::string& line) { told.push_back(line); });
    }
    void TearDown() override { desk().Reset(); }

    static DG::Desk& desk() { return DG::Desk::Get(); }
    static DG::PanelState& state(const DG::Panel& panel) { return panel.State(); }

    GSResModule module = zavModuleResources();
    Log log;
    std::vector<std::string> told;
};

} // namespace dgtest
