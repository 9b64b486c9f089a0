#include "interface/InterfacePanel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "Environment/Addon.h"
#include "Environment/AddonHooks.h"
#include "Environment/HostCalls.h"
#include "Environment/HostSubscribers.h"
#include "Environment/ModuleRegistry.h"
#include "elements/ElementModel.h"
#include "interface/DialogControl.h"
#include "interface/InterfaceModel.h"
#include "interface/InterfacePanelObserver.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGItem.h"
#include "platform/dg/DGPanel.h"

namespace tarnwick {

namespace {

std::unique_ptr<std::map<uint32_t, InterfacePanel*>> registry;
uint32_t lastSerial = 0;

// Event handling may delete what is still on the stack below it (the control that published the
// event, the observer that heard the host); such things wait here until the outermost handling
// returns.
int handlingDepth = 0;
std::vector<std::shared_ptr<void>> graveyard;

class HandlingScope {
public:
    HandlingScope() { ++handlingDepth; }
    ~HandlingScope() {
        if (--handlingDepth > 0) return;
        // Emptied one at a time: a destructor may defer more.
        while (!graveyard.empty()) {
            std::shared_ptr<void> last = std::move(graveyard.back());
            graveyard.pop_back();
            last.reset();
        }
    }
    HandlingScope(const HandlingScope&) = delete;
    HandlingScope& operator=(const HandlingScope&) = delete;
};

// Closes every panel when the project goes.
class Projector : public ProjectSubscriber {
public:
    void getEventTypes(std::vector<EventType>& types) const override {
        subscribed = true;
        ProjectSubscriber::getEventTypes(types);
    }
    bool handleProjectEvent(ProjectEvent& event) override {
        uint32_t notification = event.getNotification();
        if (notification != 32 && notification != 64) return false;
        // A closing panel may destroy others: each is looked up again.
        for (uint32_t serial : InterfacePanel::getSerials())
            if (InterfacePanel* panel = InterfacePanel::findBySerial(serial)) panel->close();
        return false;
    }
    mutable bool subscribed = false;
};

Projector projector;

void subscribeProjector() {
    Addon* addon = getAddon();
    if (projector.subscribed || addon == nullptr) return;
    addon->add(&projector);
    projector.subscribed = true;
    // Added after the add-on started listening: it starts on its own.
    if (addon->getPhase() == Addon::Phase::Initialized) (void)projector.initialize();
}

// Observes every item of a panel for typed characters and lost focus.
class GenericObserver : public ControlObserver, public DG::ItemObserver {
public:
    void attach(DG::Panel& panel, DialogControl& control) override {
        if (DG::Item* item = panel.GetItem(static_cast<short>(control.getItemId()))) item->Attach(*this);
    }
    void ItemCharEntered(const DG::ItemCharEnterEvent& event, bool* denyChar) override {
        DG::Item* item = event.GetSource();
        if (item == nullptr) return;
        InterfacePanel* panel = InterfacePanel::findByPanelId(static_cast<uint16_t>(item->GetPanelId()));
        if (panel == nullptr) return;
        uint16_t id = static_cast<uint16_t>(item->GetId());
        ItemReceiver receiver(id);
        KeyEvent key(ControlLink(id, panel), static_cast<uint16_t>(event.GetCharCode()), &receiver);
        panel->handleHostNotice(key);
        if (receiver.getValue() == 0 && denyChar != nullptr) *denyChar = true;
    }
    void ItemFocusLost(const DG::ItemFocusEvent& event) override {
        DG::Item* item = event.GetSource();
        if (item == nullptr) return;
        InterfacePanel* panel = InterfacePanel::findByPanelId(static_cast<uint16_t>(item->GetPanelId()));
        if (panel == nullptr) return;
        FocusEvent focus(ControlLink(static_cast<uint16_t>(item->GetId()), panel));
        panel->handleHostNotice(focus);
    }
};

GSErrCode startInterface() {
    return InterfacePanel::initialiseModule();
}

GSErrCode endInterface() {
    return InterfacePanel::terminateModule();
}

} // namespace

void registerInterfaceModel() {
    registerElementModel();
    registerModule({"interface", &startInterface, &endInterface});
}

ControlLink::ControlLink(const DG::Item& item)
    : ControlLink(static_cast<uint16_t>(item.GetId()),
                  InterfacePanel::findByPanelId(static_cast<uint16_t>(item.GetPanelId()))) {}

InterfacePanel::InterfacePanel(uint16_t resourceId, bool restoreSize)
    : m_serial(++lastSerial), m_resourceId(resourceId), m_restoreSize(restoreSize) {
    if (registry) (*registry)[m_serial] = this;
    subscribeProjector();
}

InterfacePanel::~InterfacePanel() {
    if (registry) registry->erase(m_serial);
    discardControls();
    m_attachedItems.clear();
    m_observer.reset();
}

int16_t InterfacePanel::toUnits(double pixels, double scale) {
    return static_cast<int16_t>(std::floor(pixels / scale + 0.5));
}

int16_t InterfacePanel::toPixels(double units, double scale) {
    return static_cast<int16_t>(std::floor(units * scale + 0.5));
}

double InterfacePanel::getScaleFactor() const {
    DG::Panel* host = getHostPanel();
    return host != nullptr ? host->GetScaleFactor() : 1.0;
}

ScreenPoint InterfacePanel::getClientSize(short sizeKind) const {
    DG::Point size = DGGetDialogClientSize(ACAPGetOwnResModule(), static_cast<short>(getPanelId()), sizeKind);
    return ScreenPoint(size);
}

ScreenPoint InterfacePanel::getMinimumSize(uint32_t coordinateSpace) const {
    ScreenPoint probe(0, 0, coordinateSpace);
    short id = static_cast<short>(getPanelId());
    if (probe.isClientCoordinateSpace()) return ScreenPoint(DGGetDialogClientMinSize(id));
    DG::Point frame = DGGetDialogFrameMinSize(id);
    double scale = getScaleFactor();
    return ScreenPoint(toUnits(frame.GetX(), scale), toUnits(frame.GetY(), scale));
}

ScreenPoint InterfacePanel::getPosition(uint32_t) const {
    return ScreenPoint(0, 0);
}

void InterfacePanel::setSize(const ScreenPoint& size, short anchor) {
    if (!isOpen()) return;
    short id = static_cast<short>(getPanelId());
    if (size.isClientCoordinateSpace()) {
        DGSetDialogClientSize(id, size.getX(), size.getY(), anchor, false);
        return;
    }
    double scale = getScaleFactor();
    DGSetDialogFrameSize(id, toPixels(size.getX(), scale), toPixels(size.getY(), scale), anchor, false);
}

void InterfacePanel::setMinimumSize(const ScreenPoint& size, uint32_t coordinateSpace) {
    short id = static_cast<short>(getPanelId());
    if (ScreenPoint(0, 0, coordinateSpace).isClientCoordinateSpace()) {
        DGSetDialogClientMinSize(id, size.getX(), size.getY());
        return;
    }
    double scale = getScaleFactor();
    DGSetDialogFrameMinSize(id, toPixels(size.getX(), scale), toPixels(size.getY(), scale));
}

void InterfacePanel::enableDragAndDrop() {
    if (DG::Panel* host = getHostPanel()) host->EnableDragAndDropEvent();
}

void InterfacePanel::redraw() {
    if (isOpen()) DGRedrawDialog(static_cast<short>(getPanelId()));
}

void InterfacePanel::setFocus() {
    DGSetFocus(static_cast<short>(getPanelId()), -1);
}

ScreenRect InterfacePanel::getMonitorRect() const {
    double scale = getScaleFactor();
    ScreenPoint at = getPosition(1);
    ScreenPoint size = getClientSize(0);
    short left = toPixels(at.getX(), scale);
    short top = toPixels(at.getY(), scale);
    DG::Rect monitor =
        DGGetMonitorRectFromRect(DG::Rect(left, top, static_cast<short>(left + toPixels(size.getX(), scale)),
                                          static_cast<short>(top + toPixels(size.getY(), scale))));
    return ScreenRect(toUnits(monitor.GetLeft(), scale), toUnits(monitor.GetTop(), scale),
                      toUnits(monitor.GetRight(), scale), toUnits(monitor.GetBottom(), scale));
}

bool InterfacePanel::handleEvent(Event& event) {
    HandlingScope scope;
    std::weak_ptr<const bool> alive = aliveToken();
    bool handled = false;
    if (auto* interfaceEvent = dynamic_cast<InterfaceEvent*>(&event)) {
        auto item = static_cast<int16_t>(interfaceEvent->getItemId());
        if (item >= 1) {
            if (DialogControl* control = findControl(static_cast<uint16_t>(item)))
                (void)control->publish(event);
        } else if (interfaceEvent->getCode() == 1) {
            std::vector<DialogControl*> controls;
            for (const auto& control : m_controls)
                controls.push_back(control.get());
            for (DialogControl* control : controls) {
                if (alive.expired()) return handled;
                if (!hasControl(control)) continue; // deleted by an earlier one
                if (control->publish(event)) handled = true;
            }
        }
    }
    if (alive.expired()) return handled;
    if (!handled) handled = publish(event);
    if (alive.expired()) return handled;
    if (dynamic_cast<ActionEvent*>(&event) != nullptr || dynamic_cast<ItemEvent*>(&event) != nullptr)
        refresh();
    return handled;
}

bool InterfacePanel::handleHostNotice(Event& event) noexcept {
    try {
        return handleEvent(event);
    } catch (...) {
        reportCaughtException();
        return false;
    }
}

bool InterfacePanel::hasControl(const DialogControl* control) const {
    return std::any_of(m_controls.begin(), m_controls.end(),
                       [control](const auto& owned) { return owned.get() == control; });
}

void InterfacePanel::releaseControls() {
    discardControls();
    m_panelId = 0;
    m_attachedItems.clear();
}

void InterfacePanel::discardControls() {
    std::vector<std::unique_ptr<DialogControl>> controls = std::move(m_controls);
    m_controls.clear();
    std::map<uint32_t, std::unique_ptr<ControlObserver>> observers = std::move(m_observersByType);
    m_observersByType.clear();
    // The controls first: their host items go before the observers that hear them.
    for (auto& control : controls)
        deferRelease(std::shared_ptr<DialogControl>(std::move(control)));
    for (auto& [code, observer] : observers)
        deferRelease(std::shared_ptr<ControlObserver>(std::move(observer)));
}

void InterfacePanel::attachObservers() {
    DG::Panel* host = getHostPanel();
    if (host == nullptr) return;
    auto generic = m_observersByType.find(GenericObserverCode);
    if (generic == m_observersByType.end())
        generic = m_observersByType.emplace(GenericObserverCode, std::make_unique<GenericObserver>()).first;
    ControlObserver* genericObserver = generic->second.get();
    // By index: creating an item may add controls, which are then attached in this run too.
    for (size_t i = 0; i < m_controls.size(); ++i) {
        DialogControl* control = m_controls[i].get();
        uint16_t id = control->getItemId();
        if (!m_attachedItems.insert(id).second) continue;
        control->createItem(*host);
        genericObserver->attach(*host, *control);
        uint32_t code = control->getTypeCode();
        auto found = m_observersByType.find(code);
        if (found == m_observersByType.end()) {
            std::unique_ptr<ControlObserver> made = control->makeObserver();
            if (made) found = m_observersByType.emplace(code, std::move(made)).first;
        }
        if (found != m_observersByType.end()) found->second->attach(*host, *control);
    }
}

ControlObserver* InterfacePanel::getObserverFor(uint32_t typeCode) const {
    auto found = m_observersByType.find(typeCode);
    return found != m_observersByType.end() ? found->second.get() : nullptr;
}

DialogControl* InterfacePanel::findControl(uint16_t itemId) const {
    for (const auto& control : m_controls)
        if (control->isItem(itemId)) return control.get();
    return nullptr;
}

void InterfacePanel::addControl(DialogControl* control) {
    if (control == nullptr || hasControl(control)) return;
    m_controls.emplace_back(control);
}

void InterfacePanel::deleteControl(uint16_t itemId) {
    auto found = std::find_if(m_controls.begin(), m_controls.end(),
                              [itemId](const auto& control) { return control->isItem(itemId); });
    if (found == m_controls.end()) return;
    std::shared_ptr<DialogControl> control(std::move(*found));
    m_controls.erase(found);
    deferRelease(std::move(control));
}

bool InterfacePanel::collectChildPanels(std::vector<InterfacePanel*>& children) const {
    if (!registry) return false;
    size_t before = children.size();
    for (const auto& [serial, panel] : *registry)
        if (panel->getOwnerPanel() == this) children.push_back(panel);
    return children.size() > before;
}

InterfacePanel* InterfacePanel::findBySerial(uint32_t serial) {
    if (!registry) return nullptr;
    auto found = registry->find(serial);
    return found != registry->end() ? found->second : nullptr;
}

InterfacePanel* InterfacePanel::findByPanelId(uint16_t panelId) {
    if (!registry) return nullptr;
    for (const auto& [serial, panel] : *registry)
        if (panel->getPanelId() == panelId) return panel;
    return nullptr;
}

std::vector<uint32_t> InterfacePanel::getSerials() {
    std::vector<uint32_t> serials;
    if (registry)
        for (const auto& [serial, panel] : *registry)
            serials.push_back(serial);
    return serials;
}

GSErrCode InterfacePanel::initialiseModule() {
    if (!registry) registry = std::make_unique<std::map<uint32_t, InterfacePanel*>>();
    buildEventFactories();
    return 0;
}

GSErrCode InterfacePanel::terminateModule() {
    registry.reset();
    freeEventFactories();
    if (Addon* addon = getAddon()) addon->remove(&projector);
    projector.subscribed = false;
    return 0;
}

void InterfacePanel::registerEventFactory(uint16_t code, EventFactory factory) {
    addEventFactory(code, factory);
}

std::unique_ptr<InterfaceEvent> InterfacePanel::makeEvent(uint16_t code, const ControlLink& link,
                                                          uint64_t data) {
    return makeInterfaceEvent(code, link, data);
}

void InterfacePanel::deferRelease(std::shared_ptr<void> keep) {
    if (!keep) return;
    if (handlingDepth > 0) graveyard.push_back(std::move(keep));
}

bool InterfacePanel::isHandlingEvent() {
    return handlingDepth > 0;
}

} // namespace tarnwick
