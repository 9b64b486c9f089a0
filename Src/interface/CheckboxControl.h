// A check box: its label is its text, its value whether it is checked. The user's tick reaches
// the panel as an ItemEvent of code 6, data 0.
#pragma once

#include <memory>

#include "interface/ControlObserver.h"
#include "interface/Controls.h"
#include "platform/dg/DGItems.h"

namespace tarnwick {

// "CHKB": one cell; operations on any other cell do nothing, answer false or no setting.
class CheckboxControl : public SingleText {
public:
    static constexpr uint32_t TypeCode = fourCC("CHKB");

    class Observer : public ControlObserver, public DG::CheckItemObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void CheckItemChanged(const DG::CheckItemChangeEvent& event) override;
    };

    ~CheckboxControl() override;

    // Shares the host check box.
    std::unique_ptr<DialogControl> clone() const override;
    // Whether the box of the row is checked.
    bool isSelected(int16_t row) const override;
    // A BooleanSetting of whether the box is checked.
    std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const override;
    // Checks the box when the setting's 32-bit integer is not 0.
    void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) override;
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;

    virtual void setChecked(bool checked, int16_t row = 0, int16_t column = 0);

    DG::CheckBox* getItem() const { return m_item.get(); }

protected:
    explicit CheckboxControl(const ControlLink& link) : SingleText(link) {}
    CheckboxControl(const CheckboxControl& other) : SingleText(other), m_item(other.m_item) {}

private:
    std::shared_ptr<DG::CheckBox> m_item;
};

} // namespace tarnwick
