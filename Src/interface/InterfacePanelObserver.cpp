#include "interface/InterfacePanelObserver.h"

#include "Environment/AddonHooks.h"
#include "interface/Dialog.h"
#include "interface/InterfacePanel.h"

namespace tarnwick {

InterfacePanel* InterfacePanelObserver::findPanel() const {
    return InterfacePanel::findBySerial(m_serial);
}

void InterfacePanelObserver::resize(const DG::PanelResizeEvent& event, uint16_t phase) {
    InterfacePanel* panel = findPanel();
    if (panel == nullptr) return;
    ResizeData data;
    data.phase = phase;
    data.userResize = event.IsUserResize() ? 1 : 0;
    data.horizontalChange = event.GetHorizontalChange();
    data.verticalChange = event.GetVerticalChange();
    ResizeEvent resized(ControlLink(0, panel), data);
    panel->handleHostNotice(resized);
}

void InterfacePanelObserver::drop(const DG::PanelDragEvent& event, uint16_t message,
                                  DG::DragDrop::Effect* effect, bool* handled) {
    InterfacePanel* panel = findPanel();
    if (panel == nullptr) return;
    DropRecord record;
    record.messageCode = message;
    record.effect = DG::DragDrop::All;
    DG::Point target = event.GetTargetPosition();
    DG::Point client;
    if (auto* dialog = dynamic_cast<DG::Dialog*>(event.GetSource())) client = dialog->GetClientPosition();
    record.x = static_cast<int16_t>(target.GetX() - client.GetX());
    record.y = static_cast<int16_t>(target.GetY() - client.GetY());
    ItemReceiver receiver(1);
    DropEvent dropped(ControlLink(0, panel), &record, &receiver);
    panel->handleHostNotice(dropped);
    if (effect != nullptr) *effect = record.effect;
    if (handled != nullptr) *handled = receiver.getValue() != 0;
}

void InterfacePanelObserver::PanelHotkeyPressed(const DG::PanelHotKeyEvent& event, bool* processed) {
    InterfacePanel* panel = findPanel();
    if (panel == nullptr) return;
    ItemReceiver receiver(0);
    DialogEvent hotKey(11, ControlLink(0, panel),
                       static_cast<uint64_t>(static_cast<uint16_t>(event.GetKeyId())), &receiver);
    panel->handleHostNotice(hotKey);
    if (processed != nullptr) *processed = receiver.getValue() != 0;
}

namespace {

// Keeps the observer and the host panel alive while one of their notifications runs, whatever
// the hooks do to the dialog; the host panel goes first, as it still names the observer.
struct NotificationKeep {
    explicit NotificationKeep(Dialog& dialog)
        : observer(dialog.getObserver()),
          host(dialog.getHostPanel() ? dialog.getHostPanel()->weak_from_this().lock() : nullptr) {}
    std::shared_ptr<InterfacePanelObserver> observer;
    std::shared_ptr<DG::Panel> host;
};

// Nothing may unwind into the dialog manager: what a hook throws is reported as every call from
// the host reports it, and the host's own answer stands.
template <class Hook> void fromDialogManager(Dialog& dialog, Hook hook) {
    try {
        NotificationKeep keep(dialog);
        hook();
    } catch (...) {
        reportCaughtException();
    }
}

} // namespace

void DialogObserver::PanelOpened(const DG::PanelOpenEvent&) {
    auto* dialog = dynamic_cast<Dialog*>(findPanel());
    if (dialog == nullptr) return;
    fromDialogManager(*dialog, [&] { dialog->hostOpened(); });
}

void DialogObserver::PanelCloseRequested(const DG::PanelCloseRequestEvent& event, bool* accepted) {
    auto* dialog = dynamic_cast<Dialog*>(findPanel());
    if (dialog == nullptr) return;
    fromDialogManager(*dialog, [&] {
        bool accept = dialog->hostCloseRequested(event);
        if (accepted != nullptr) *accepted = accept;
    });
}

void DialogObserver::PanelClosed(const DG::PanelCloseEvent&) {
    auto* dialog = dynamic_cast<Dialog*>(findPanel());
    if (dialog == nullptr) return;
    fromDialogManager(*dialog, [&] { dialog->hostClosed(); });
}

} // namespace tarnwick
