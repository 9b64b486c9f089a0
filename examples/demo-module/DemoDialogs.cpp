#include "DemoDialogs.h"

#include <string>
#include <vector>

#include "Environment/Host.h"
#include "interface/CheckboxControl.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "interface/InterfaceSubscribers.h"
#include "interface/TextRequest.h"
#include "interface/TreeViewControl.h"
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
        m_formal = DialogControl::make<CheckboxControl>(ControlLink(5, this));
    }
    void accepted(ActionEvent& event) override {
        name = m_name->getText();
        formal = m_formal->isSelected(0);
        if (name.isEmpty()) event.reply(std::make_shared<ItemMessage>(0)); // nobody to greet yet
    }

    String name;
    bool formal = false;

private:
    // The dialog's own while it is open.
    EditText* m_name = nullptr;
    CheckboxControl* m_formal = nullptr;
};

// A search text needs two characters at least. Blanks alone are refused without a word: the
// field only looks empty, and the user sees that nothing happened.
class SearchTextValidator : public TextRequest::Validator {
public:
    bool validate(const String& searchText, String& message) override {
        if (searchText.getLength() < 2) {
            message = text(38);
            return false;
        }
        if (searchText.findFirstNotOf(String(" \t")) == String::npos) {
            message = String();
            return false;
        }
        return true;
    }
};

} // namespace

void askName() {
    NameDialog dialog;
    if (dialog.open() == 1) {
        String greeting = text(dialog.formal ? 35 : 31);
        greeting.replaceAll(String("$1"), dialog.name);
        NotifyAlert().show(greeting);
    } else {
        NotifyAlert().show(text(32));
    }
}

void findNote() {
    SearchTextValidator validator;
    TextRequest request(&validator, text(36), text(37), String());
    String searched = request.getText();
    if (request.isCancelled()) {
        NotifyAlert().show(text(40));
        return;
    }
    String answer = text(39);
    answer.replaceAll(String("$1"), searched);
    NotifyAlert().show(answer);
}

void nameSomething() {
    TextRequest request(nullptr, String(), String(), text(41));
    String name = request.getText();
    String answer = text(request.isCancelled() ? 43 : 42);
    answer.replaceAll(String("$1"), name);
    NotifyAlert().show(answer);
}

class ToolPalette : public Dialog, public ActionSubscriber {
public:
    ToolPalette() : Dialog(ToolsPaletteId, false) {}

    void initialise() override {
        for (uint16_t item : {1, 2, 3, 5})
            DialogControl::make<Button>(ControlLink(item, this))->add(this);
        m_notes = DialogControl::make<TreeViewControl>(ControlLink(4, this));
    }
    void opened() override { fillNotes(); }
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
        case 5:
            reportSelection();
            return true;
        default:
            return false;
        }
    }

private:
    // Groups of notes with their leaves, as an annotation palette fills its tree: drawing off
    // meanwhile, each item's user data its number.
    void fillNotes() {
        static const struct {
            const char* group;
            uint64_t number;
            std::vector<const char*> leaves;
        } groups[] = {
            {"Group A", 100, {"Leaf 1", "Leaf 2"}},
            {"Group B", 200, {"Leaf 3"}},
            {"Group C", 300, {}},
        };
        m_notes->setDrawEnabled(false);
        m_notes->clear();
        TreeViewControl::iterator top = m_notes->begin();
        top->setText(text(51));
        for (const auto& each : groups) {
            TreeViewControl::iterator group = top->appendChild();
            group->setText(String(each.group));
            group->setUserData(each.number);
            uint64_t number = each.number;
            for (const char* leaf : each.leaves) {
                TreeViewControl::iterator made = group->appendChild();
                made->setText(String(leaf));
                made->setUserData(++number);
            }
            group->setExpanded(true);
        }
        top->setExpanded(true);
        m_notes->setDrawEnabled(true);
    }

    // "Leaf 1 (101), Leaf 3 (201)": the selected items with their user data, in the tree's order.
    void reportSelection() {
        String list;
        for (auto at = m_notes->begin(TreeViewControl::Selection); at != m_notes->end(); ++at) {
            if (!list.isEmpty()) list += ", ";
            list += at->getText() + " (" + std::to_string(at->getUserData()).c_str() + ")";
        }
        if (list.isEmpty()) {
            NotifyAlert().show(text(53));
            return;
        }
        String report = text(52);
        report.replaceAll(String("$1"), list);
        NotifyAlert().show(report);
    }

    TreeViewControl* m_notes = nullptr; // the palette's own while it is open
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
