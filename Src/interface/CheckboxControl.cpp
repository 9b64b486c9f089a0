#include "interface/CheckboxControl.h"

#include "interface/InterfacePanel.h"
#include "persistence/ValueSettings.h"
#include "platform/dg/DGFunctions.h"

namespace tarnwick {

CheckboxControl::~CheckboxControl() {
    releaseItem();
}

std::unique_ptr<DialogControl> CheckboxControl::clone() const {
    return std::unique_ptr<DialogControl>(new CheckboxControl(*this));
}

bool CheckboxControl::isSelected(int16_t row) const {
    if (!isValidCell(row, 0)) return false;
    return DGGetItemValLong(getDialogId(), getItemId(row)) != 0;
}

std::unique_ptr<Setting> CheckboxControl::getValue(int16_t row, int16_t column) const {
    if (!isValidCell(row, column)) return nullptr;
    return std::make_unique<BooleanSetting>(isSelected(row));
}

void CheckboxControl::setValue(const Setting& value, int16_t row, int16_t column) {
    if (!isValidCell(row, column)) return;
    int32_t number = 0;
    setChecked(value.getInt32(number) != 0, row, column);
}

std::unique_ptr<ControlObserver> CheckboxControl::makeObserver() const {
    return std::make_unique<Observer>();
}

void CheckboxControl::createItem(DG::Panel& panel) {
    m_item = std::make_shared<DG::CheckBox>(panel, getItemId());
}

void CheckboxControl::releaseItem() {
    m_item.reset();
}

void CheckboxControl::setChecked(bool checked, int16_t row, int16_t column) {
    if (!isValidCell(row, column)) return;
    DGSetItemValLong(getDialogId(), getItemId(row), checked ? 1 : 0);
}

void CheckboxControl::Observer::attach(DG::Panel&, DialogControl& control) {
    auto* box = dynamic_cast<CheckboxControl*>(&control);
    if (box && box->getItem()) box->getItem()->Attach(*this);
}

void CheckboxControl::Observer::CheckItemChanged(const DG::CheckItemChangeEvent& event) {
    if (!event.GetSource()) return;
    // A panel that is not registered hears nothing.
    ControlLink link(*event.GetSource());
    if (InterfacePanel* panel = link.getPanel()) {
        ItemEvent changed(6, link, 0);
        panel->handleHostNotice(changed);
    }
}

} // namespace tarnwick
