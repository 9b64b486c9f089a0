// Asks the user for one line of text in the modal "Name Request" dialog (resource 32600).
#pragma once

#include "Environment/String.h"

namespace tarnwick {

class TextRequest {
public:
    static constexpr uint16_t DialogId = 32600;

    // Judges an entry before the dialog accepts it.
    class Validator {
    public:
        virtual ~Validator() = default;
        // False refuses the text; the message (preset to the framework's "unsuitable" text) is
        // shown in an error alert unless it is left empty.
        virtual bool validate(const String& text, String& message) = 0;
    };

    // The validator is the caller's and may be null (every entry is accepted). An empty title or
    // prompt takes the framework's default.
    TextRequest(Validator* validator, const String& title, const String& prompt, const String& initialValue);
    TextRequest(const TextRequest&) = delete;
    TextRequest& operator=(const TextRequest&) = delete;

    // Runs the dialog on the first call only: the text accepted, else the initial value with the
    // request marked cancelled. Later calls answer the same without a dialog.
    String getText();
    bool isCancelled() const { return m_cancelled; }

    Validator* getValidator() const { return m_validator; }
    const String& getTitle() const { return m_title; }
    const String& getPrompt() const { return m_prompt; }

private:
    Validator* m_validator;
    String m_title;
    String m_prompt;
    String m_value;
    bool m_asked = false;
    bool m_cancelled = false;
};

} // namespace tarnwick
