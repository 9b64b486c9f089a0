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
    DialogControl::make<CheckboxControl>(ControlLink(DontAskItem, this))->setChecked(false);
}

void ActionQueryDialog::accepted(ActionEvent&) {
    keepCheckbox();
}

void ActionQueryDialog::cancelled(ActionEvent&) {
    keepCheckbox();
}

void ActionQueryDialog::keepCheckbox() {
    if (auto* checkbox = findControlAs<CheckboxControl>(DontAskItem)) m_dontAsk = checkbox->isSelected(0);
}

} // namespace zavlink
