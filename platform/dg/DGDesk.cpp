#include "DGDesk.h"

#include <algorithm>
#include <cmath>

#include "DGDelivery.h"
#include "DGPanel.h"
#include "DGPanelState.h"

namespace DG {

namespace {
std::string quoted(const GS::UniString& text) {
    return "\"" + text.ToCStr() + "\"";
}
} // namespace

Desk::Desk() = default;

Desk& Desk::Get() {
    static Desk desk;
    return desk;
}

void Desk::SetScaleFactor(double scale) {
    scale = std::floor(scale * 100.0 + 0.5) / 100.0;
    m_scale = std::isfinite(scale) && scale >= 0.25 ? scale : 1.0;
}

Desk::ModalHandler Desk::SetModalHandler(ModalHandler handler) {
    ModalHandler previous = std::move(m_modalHandler);
    m_modalHandler = std::move(handler);
    return previous;
}

void Desk::RunModal(ModalDialog& dialog) {
    // Copied so that a handler that replaces itself while it runs stays alive.
    ModalHandler handler = m_modalHandler;
    if (handler)
        handler(dialog);
    else
        Tell(Describe(dialog) + ": no user is there to answer it");
}

Desk::Listener Desk::SetListener(Listener listener) {
    Listener previous = std::move(m_listener);
    m_listener = std::move(listener);
    return previous;
}

void Desk::Tell(const std::string& line) const {
    if (m_listener) m_listener(line);
}

Panel* Desk::FindPanel(short dialId) const {
    auto it = m_panels.find(dialId);
    return it != m_panels.end() ? it->second : nullptr;
}

std::vector<Panel*> Desk::OpenPanels() const {
    return m_open;
}

void Desk::BringToFront(Panel& panel) {
    auto it = std::find(m_open.begin(), m_open.end(), &panel);
    if (it == m_open.end()) return;
    m_open.erase(it);
    m_open.push_back(&panel);
}

Panel* Desk::FindOpenPanel(const std::string& titleOrId) const {
    for (auto it = m_open.rbegin(); it != m_open.rend(); ++it) {
        const PanelState& state = (*it)->State();
        if (state.title.ToCStr() == titleOrId || std::to_string(state.resourceId) == titleOrId) return *it;
    }
    return nullptr;
}

std::string Desk::Describe(const Panel& panel) {
    const PanelState& state = panel.State();
    return std::string(state.kind == PanelState::Kind::Palette ? "palette " : "dialog ") +
           quoted(state.title) + " (" + std::to_string(state.resourceId) + ")";
}

void Desk::Refuse(const std::string& what) {
    m_refusals.push_back(what);
}

std::vector<std::string> Desk::TakeRefusals() {
    std::vector<std::string> taken;
    taken.swap(m_refusals);
    return taken;
}

void Desk::Deliver(std::shared_ptr<void> keep, std::function<void()> notification) {
    Frame& frame = m_frames.back();
    frame.pending.push_back(Pending{std::move(keep), std::move(notification)});
    if (frame.delivering) return;
    frame.delivering = true;
    // The frame is looked up again each turn: a modal dialog opened by a notification pushes a
    // frame of its own, which may move the vector's elements.
    while (!m_frames.back().pending.empty()) {
        Pending next = std::move(m_frames.back().pending.front());
        m_frames.back().pending.pop_front();
        next.notification();
    }
    m_frames.back().delivering = false;
}

void Desk::PushFrame() {
    m_frames.emplace_back();
}

void Desk::PopFrame() {
    if (m_frames.size() > 1) m_frames.pop_back();
}

short Desk::Register(Panel& panel) {
    // Ids come round again only after 32767 panels, and never while one holds them.
    for (int tries = 0; tries < 32767; ++tries) {
        short id = m_nextId;
        m_nextId = m_nextId == 32767 ? 1 : static_cast<short>(m_nextId + 1);
        if (m_panels.emplace(id, &panel).second) return id;
    }
    Refuse("no panel id is free");
    return 0;
}

void Desk::Unregister(const Panel& panel) {
    auto it = m_panels.find(panel.GetId());
    if (it != m_panels.end() && it->second == &panel) m_panels.erase(it);
}

void Desk::Opened(Panel& panel) {
    PanelState& state = panel.State();
    state.open = true;
    m_open.push_back(&panel);
    Delivery::ToPanel(panel,
                      [](Panel& p, PanelObserver& observer) { observer.PanelOpened(PanelOpenEvent(&p)); });
    // Told once the add-on has set the panel up, so that the line reads as the user sees it.
    Delivery::Run(panel, [](Panel& opened) {
        const PanelState& shown = opened.State();
        std::string line = Describe(opened) + " opened:";
        for (size_t i = 0; i < shown.items.size(); ++i) {
            const ItemState& item = shown.items[i];
            line += (i == 0 ? " " : ", ") + std::to_string(i + 1) + " " + ItemTypeName(item.type);
            if (!item.text.IsEmpty()) line += " " + quoted(item.text);
        }
        Desk::Get().Tell(line);
    });
}

void Desk::Closed(Panel& panel) {
    const PanelState& state = panel.State();
    auto it = std::find(m_open.begin(), m_open.end(), &panel);
    if (it != m_open.end()) m_open.erase(it);
    m_remembered[{state.module, state.resourceId}] = Point(state.width, state.height);
    Tell(Describe(panel) + (state.closeAccepted ? " closed, accepted" : " closed"));
}

bool Desk::RememberedSize(GSResModule module, short resId, Point* size) const {
    auto it = m_remembered.find({module, resId});
    if (it == m_remembered.end()) return false;
    *size = it->second;
    return true;
}

void Desk::Reset() {
    m_scale = 1.0;
    m_monitor = Rect(0, 0, 1920, 1080);
    m_mouse = DGMousePosData();
    m_modalHandler = nullptr;
    m_listener = nullptr;
    m_refusals.clear();
    m_remembered.clear();
    if (m_panels.empty()) m_nextId = 1;
}

} // namespace DG
