#include "annotation/ActionQueryDialog.h"

#include "Environment/Host.h"
#include "annotation/AnnotationPalette.h"
#include "interface/CheckboxControl.h"
#include "interface/Controls.h"

namespace zavlink {

using namespace tarnwick;

ActionQueryDialog::ActionQueryDialog(uint16_t question) : Dialog(ResourceId, true), m_question(question) {}

ActionQueryDialog::~ActionQueryDialog() = default;

void ActionQueryDialog::initialise() {
    DialogControl::make<StaticText>(ControlLink(QuestionItem, this))
        ->setText(Host::getResourceString(QuestionTexts, m_question));
    m_checkbox = DialogControl::make<CheckboxControl>(ControlLink(DontAskItem, this));
    m_checkbox->setChecked(false);
}

void ActionQueryDialog::accepted(ActionEvent&) {
    keepCheckbox();
}

void ActionQueryDialog::cancelled(ActionEvent&) {
    keepCheckbox();
}

void ActionQueryDialog::releaseControls() {
    m_checkbox = nullptr;
    Dialog::releaseControls();
}

void ActionQueryDialog::keepCheckbox() {
    if (m_checkbox != nullptr) m_dontAsk = m_checkbox->isSelected(0);
}

} // namespace zavlink
