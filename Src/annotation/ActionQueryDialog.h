// Asks before a palette action changes the model; its check box switches the question off for the
// project.
#pragma once

#include <cstdint>

#include "interface/Dialog.h"

namespace zavlink {

class ActionQueryDialog : public tarnwick::Dialog {
public:
    static constexpr uint16_t ResourceId = 32515;
    enum Item : uint16_t { QuestionItem = 3, DontAskItem = 4 };

    // The question is that item of string list 32523.
    explicit ActionQueryDialog(uint16_t question);
    ~ActionQueryDialog() override;

    void initialise() override;
    void accepted(tarnwick::ActionEvent& event) override;
    void cancelled(tarnwick::ActionEvent& event) override;

    // The check box as it was when the dialog closed.
    bool isDontAsk() const { return m_dontAsk; }

private:
    void keepCheckbox();

    uint16_t m_question;
    bool m_dontAsk = false;
};

} // namespace zavlink
