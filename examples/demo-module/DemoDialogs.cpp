#include "DemoDialogs.h"

#include "Environment/Host.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "interface/InterfaceSubscribers.h"
#include "project/Alert.h"

#include "DemoEdits.h"

namespace demo {

using namespace tarnwick;

namespace {

constexpr uint16_t NameDialogId = 32100;
constexpr uint16_t ToolsPaletteId = 32101;

class NameDialog : public Dialog {
public:
    NameDialog() : Dialog(NameDialogId, true) {}

    void initialise() override {
        DialogControl::make<StaticText>(ControlLink(3, this));
        m_name = DialogControl::make<EditText>(ControlLink(4, this));
    }
    void accepted(ActionEvent& event) override {
        name = m_name->getText();
        if (name.isEmpty()) event.reply(std::make_shared<ItemMessage>(0)); // nobody to greet yet
    }

    String name;

private:
    EditText* m_name = nullptr; // the dialog's own while it is open
};

} // namespace

void askName() {
    NameDialog dialog;
    if (dialog.open() == 1) {
        String greeting = text(31);
        greeting.replaceAll(String("$1"), dialog.name);
        NotifyAlert().show(greeting);
    } else {
        NotifyAlert().show(text(32));
    }
}

class ToolPalette : public Dialog, public ActionSubscriber {
public:
    ToolPalette() : Dialog(ToolsPaletteId, false) {}

    void initialise() override {
        for (uint16_t item : {1, 2, 3})
            DialogControl::make<Button>(ControlLink(item, this))->add(this);
    }
    bool handleAction(ActionEvent& event) override {
        switch (event.getItemId()) {
        case 1:
            NotifyAlert().show(text(33));
            return true;
        case 2:
            close();
            return true;
        case 3:
            NotifyAlert().show(text(34));
            deleteControl(3);
            return true;
        default:
            return false;
        }
    }
};

Tools::Tools() = default;
Tools::~Tools() = default;

void Tools::show() {
    if (!m_palette) m_palette = std::make_unique<ToolPalette>();
    m_palette->open();
}

void Tools::hide() {
    if (m_palette) m_palette->hide();
}

} // namespace demo
