#include "interface/TextRequest.h"

#include <memory>

#include "Environment/Resources.h"
#include "interface/Controls.h"
#include "interface/Dialog.h"
#include "project/Alert.h"

namespace tarnwick {

namespace {

constexpr uint32_t FrameworkTexts = 32700;
constexpr uint32_t DefaultTitle = 8;
constexpr uint32_t DefaultPrompt = 9;
constexpr uint32_t Unsuitable = 10;
constexpr uint16_t PromptItem = 3;
constexpr uint16_t EntryItem = 4;

class RequestDialog : public Dialog {
public:
    explicit RequestDialog(TextRequest& request) : Dialog(TextRequest::DialogId, true), m_request(request) {}

    void initialise() override {
        auto* promptText = DialogControl::make<StaticText>(ControlLink(PromptItem, this));
        auto* entry = DialogControl::make<EditText>(ControlLink(EntryItem, this));
        String title = m_request.getTitle();
        if (title.isEmpty()) title = loadResourceString(FrameworkTexts, DefaultTitle);
        String prompt = m_request.getPrompt();
        if (prompt.isEmpty()) prompt = loadResourceString(FrameworkTexts, DefaultPrompt);
        setTitle(title);
        promptText->setText(prompt);
        // The request is marked asked already: this reads its value without another dialog.
        entry->setText(m_request.getText());
    }

    void accepted(ActionEvent& event) override {
        auto* entry = findControlAs<EditText>(EntryItem);
        String text = entry != nullptr ? entry->getText() : String();
        if (TextRequest::Validator* validator = m_request.getValidator()) {
            String message = loadResourceString(FrameworkTexts, Unsuitable);
            if (!validator->validate(text, message)) {
                if (!message.isEmpty()) ErrorAlert(String()).show(message);
                event.reply(std::make_shared<ItemMessage>(0)); // the user tries again
                return;
            }
        }
        m_result = text;
    }

    const String& getResult() const { return m_result; }

private:
    TextRequest& m_request;
    String m_result;
};

} // namespace

TextRequest::TextRequest(Validator* validator, const String& title, const String& prompt,
                         const String& initialValue)
    : m_validator(validator), m_title(title), m_prompt(prompt), m_value(initialValue) {}

String TextRequest::getText() {
    if (m_asked) return m_value;
    m_asked = true;
    RequestDialog dialog(*this);
    if (dialog.open() == Dialog::Accepted)
        m_value = dialog.getResult();
    else
        m_cancelled = true;
    return m_value;
}

} // namespace tarnwick
