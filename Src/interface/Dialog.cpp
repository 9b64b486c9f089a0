#include "interface/Dialog.h"

#include <optional>

#include "Environment/Addon.h"
#include "Environment/HostCalls.h"
#include "interface/Controls.h"
#include "interface/InterfacePanelObserver.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGPanel.h"

namespace tarnwick {

namespace {

// A palette's events come from the host's event loop, outside any call into the add-on. Left on
// every way out, also when entering answered false.
class PaletteHostCall {
public:
    explicit PaletteHostCall(bool needed) {
        if (Addon* addon = getAddon(); needed && addon != nullptr) m_scope.emplace(*addon);
    }

private:
    std::optional<HostCallScope> m_scope;
};

bool isClientSpace(uint32_t code) {
    return code == 0 || code == 2 || code == 4;
}

} // namespace

Dialog::Dialog(uint16_t resourceId, bool modal, bool restoreSize, bool restorePosition)
    : InterfacePanel(resourceId, restoreSize), m_modal(modal), m_restorePosition(restorePosition) {}

Dialog::~Dialog() {
    // The observer goes first, so that closing calls back into nothing of this half-destroyed panel.
    std::shared_ptr<InterfacePanelObserver> observer = takeObserver();
    if (observer && m_hostPanel) m_hostPanel->Detach(*observer);
    if (m_hostPanel && isOpen()) {
        if (m_modal)
            static_cast<DG::ModalDialog&>(*m_hostPanel).Abort();
        else
            static_cast<DG::ModelessBase&>(*m_hostPanel).EndEventProcessing();
    }
    m_hostPanel.reset();
}

int Dialog::open(bool activate) {
    if (!isOpen() || !m_hostPanel) {
        // A palette closed but not yet told so leaves its controls behind: the new run starts clean.
        if (isOpen()) releaseControls();
        GSResModule resources = ACAPGetOwnResModule();
        auto id = static_cast<short>(getResourceId());
        if (m_modal)
            m_hostPanel = std::make_shared<DG::ModalDialog>(resources, id, resources);
        else if (m_guid.isValid())
            m_hostPanel = std::make_shared<DG::Palette>(resources, id, resources, GS::Guid(m_guid.toAPI()));
        else
            m_hostPanel = std::make_shared<DG::Palette>(resources, id, resources);
        if (m_hostPanel->GetId() == 0) {
            // No such resource, or one of the other kind: nothing opens.
            m_hostPanel.reset();
            return NoAnswer;
        }
        auto observer = std::make_shared<DialogObserver>(getSerial());
        setObserver(observer);
        m_hostPanel->Attach(*observer);
        setPanelId(static_cast<uint16_t>(m_hostPanel->GetId()));
        if (m_modal) {
            std::shared_ptr<DG::Panel> host = m_hostPanel;
            std::weak_ptr<const bool> alive = aliveToken();
            bool accepted = static_cast<DG::ModalDialog&>(*host).Invoke();
            if (alive.expired()) return accepted ? Accepted : Cancelled;
            releaseControls();
            if (m_hostPanel == host) m_hostPanel.reset();
            return accepted ? Accepted : Cancelled;
        }
        auto& palette = static_cast<DG::ModelessBase&>(*m_hostPanel);
        palette.BeginEventProcessing();
        if (!m_hostPanel) return NoAnswer; // closed again while opening
        palette.Show(DG::TopMost);
        if (activate) palette.Activate();
        return NoAnswer;
    }
    if (m_modal) return NoAnswer;
    auto& palette = static_cast<DG::ModelessBase&>(*m_hostPanel);
    palette.Show(DG::TopMost);
    palette.Activate();
    return NoAnswer;
}

ScreenPoint Dialog::getPosition(uint32_t coordinateSpace) const {
    auto* dialog = dynamic_cast<DG::Dialog*>(m_hostPanel.get());
    if (!isOpen() || dialog == nullptr || coordinateSpace >= 6) return ScreenPoint(0, 0);
    DG::Point at = isClientSpace(coordinateSpace) ? dialog->GetClientPosition() : dialog->GetFramePosition();
    double scale = getScaleFactor();
    return ScreenPoint(toUnits(at.GetX(), scale), toUnits(at.GetY(), scale));
}

void Dialog::setPosition(const ScreenPoint& position) {
    auto* dialog = dynamic_cast<DG::Dialog*>(m_hostPanel.get());
    uint32_t code = position.getCoordinateSpace();
    if (!isOpen() || dialog == nullptr || code >= 6) return;
    double scale = getScaleFactor();
    DG::Point at(toPixels(position.getX(), scale), toPixels(position.getY(), scale));
    if (isClientSpace(code))
        dialog->SetClientPosition(at);
    else
        dialog->SetFramePosition(at);
}

void Dialog::close() {
    if (!isOpen() || !m_hostPanel) return;
    if (m_modal)
        static_cast<DG::ModalDialog&>(*m_hostPanel).Abort();
    else
        endModeless();
}

void Dialog::endModeless() {
    std::shared_ptr<DG::Panel> host = std::move(m_hostPanel);
    // Forgotten before the host is told: its closed notification finds no host panel left.
    static_cast<DG::ModelessBase&>(*host).EndEventProcessing();
    deferRelease(std::move(host));
}

void Dialog::requestClose(bool accept) {
    if (m_modal) {
        if (m_hostPanel)
            static_cast<DG::ModalDialog&>(*m_hostPanel)
                .PostCloseRequest(accept ? DG::ModalDialog::Accept : DG::ModalDialog::Cancel);
        return;
    }
    close();
}

bool Dialog::handleEvent(Event& event) {
    bool action = dynamic_cast<ActionEvent*>(&event) != nullptr;
    std::weak_ptr<const bool> alive = aliveToken();
    bool handled = false;
    {
        PaletteHostCall call(!m_modal && action);
        handled = InterfacePanel::handleEvent(event);
    }
    if (alive.expired() || !m_modal || !action) return handled;
    auto& actionEvent = static_cast<ActionEvent&>(event);
    uint16_t item = actionEvent.getItemId();
    if ((item == AcceptItem || item == CancelItem) && findControlAs<Button>(item) != nullptr)
        requestClose(item == AcceptItem);
    return handled;
}

void Dialog::releaseControls() {
    InterfacePanel::releaseControls();
    std::shared_ptr<InterfacePanelObserver> observer = takeObserver();
    if (observer && m_hostPanel) m_hostPanel->Detach(*observer);
}

void Dialog::attachObservers() {
    InterfacePanel::attachObservers();
    if (!m_modal || getHostPanel() == nullptr) return;
    bool made = false;
    for (uint16_t item : {AcceptItem, CancelItem}) {
        if (findControl(item) != nullptr) continue;
        DialogControl::make<Button>(ControlLink(item, this));
        made = true;
    }
    if (made) InterfacePanel::attachObservers();
}

String Dialog::getTitle() const {
    auto* dialog = dynamic_cast<DG::Dialog*>(m_hostPanel.get());
    return isOpen() && dialog != nullptr ? String(dialog->GetTitle()) : String();
}

void Dialog::setTitle(const String& title) {
    auto* dialog = dynamic_cast<DG::Dialog*>(m_hostPanel.get());
    if (isOpen() && dialog != nullptr) dialog->SetTitle(title.toUniString());
}

bool Dialog::isVisible() const {
    auto* palette = dynamic_cast<DG::ModelessBase*>(m_hostPanel.get());
    return palette != nullptr && palette->IsVisible();
}

void Dialog::hide() {
    auto* palette = dynamic_cast<DG::ModelessBase*>(m_hostPanel.get());
    if (isOpen() && palette != nullptr) palette->Hide();
}

void Dialog::bringToFront() {
    DGSetDialogZPosition(static_cast<short>(getPanelId()), DG::TopMost);
}

void Dialog::hostOpened() {
    std::weak_ptr<const bool> alive = aliveToken();
    if (getRestoreSize()) {
        ScreenPoint size = getClientSize(DG::RememberedSize);
        size.setCoordinateSpace(0);
        setSize(size, DG::TopLeft);
    }
    if (m_restorePosition) {
        ScreenPoint position = getPosition(2);
        position.setCoordinateSpace(0);
        setPosition(position);
    }
    initialise();
    if (alive.expired()) return;
    attachObservers();
    std::vector<InterfacePanel*> children;
    collectChildPanels(children);
    for (InterfacePanel* child : children) {
        child->initialise();
        child->attachObservers();
    }
    DialogEvent openEvent(1, ControlLink(0, this), 0);
    handleEvent(openEvent);
    if (alive.expired()) return;
    opened();
    for (InterfacePanel* child : children) {
        if (alive.expired() || findBySerial(child->getSerial()) != child) continue;
        DialogEvent childOpen(1, ControlLink(0, child), 0);
        child->handleEvent(childOpen);
        child->opened();
    }
}

bool Dialog::hostCloseRequested(const DG::PanelCloseRequestEvent& event) {
    std::weak_ptr<const bool> alive = aliveToken();
    PaletteHostCall call(!m_modal);
    std::vector<InterfacePanel*> children;
    collectChildPanels(children);
    ItemReceiver receiver(1);
    bool accepting = event.IsAccepted();
    ActionEvent request(ControlLink(accepting ? AcceptItem : CancelItem, this), &receiver);
    for (InterfacePanel* child : children) {
        if (accepting)
            child->accepted(request);
        else
            child->cancelled(request);
    }
    if (accepting)
        accepted(request);
    else
        cancelled(request);
    bool close = receiver.getValue() != 0;
    if (close && !alive.expired() && !m_modal && m_hostPanel) endModeless();
    return close;
}

void Dialog::hostClosed() {
    std::weak_ptr<const bool> alive = aliveToken();
    std::vector<InterfacePanel*> children;
    collectChildPanels(children);
    // The host panel is closed whatever the hooks do: the controls go with it also when one throws.
    try {
        for (InterfacePanel* child : children)
            child->closed();
        closed();
    } catch (...) {
        if (!alive.expired()) releaseControls();
        throw;
    }
    if (!alive.expired()) releaseControls();
}

} // namespace tarnwick
