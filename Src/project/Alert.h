// One-call message boxes. Headlines and button texts left empty take the module's defaults.
// They live with the project model, the lowest part that shows them.
#pragma once

#include "Environment/String.h"

namespace tarnwick {

class Alert {
public:
    Alert(int16_t type, const String& headline) : m_type(type), m_headline(headline) {}
    virtual ~Alert() = default;
    // Shows the message with a single "OK" button; answers the number of the button pressed.
    virtual uint16_t show(const String& message);

    int16_t getType() const { return m_type; }
    const String& getHeadline() const { return m_headline; }

protected:
    uint16_t showAlert(const String& message, const String& guide, const String& button1,
                       const String& button2, const String& button3) const;
    static String defaultText(uint32_t item);

private:
    int16_t m_type;
    String m_headline;
};

class NotifyAlert : public Alert {
public:
    explicit NotifyAlert(const String& headline = String());
};

class WarnAlert : public Alert {
public:
    explicit WarnAlert(const String& headline = String());
};

class ErrorAlert : public Alert {
public:
    explicit ErrorAlert(const String& headline = String());
};

class ConfirmAlert : public Alert {
public:
    enum Answer : uint16_t { FirstButton = 1, SecondButton = 2 };

    explicit ConfirmAlert(const String& headline = String());
    using Alert::show;
    // Two buttons; empty texts take "OK" and "Cancel". Answers FirstButton or SecondButton.
    virtual uint16_t show(const String& message, const String& button1, const String& button2);
};

// An alert with the caller's headline and three buttons of its own.
class CustomAlert : public Alert {
public:
    CustomAlert(const String& headline, const String& button1, const String& button2 = String(),
                const String& button3 = String());
    // Offers the alert's own buttons (the plain form of the base would offer only "OK").
    uint16_t show(const String& message) override { return show(message, String()); }
    virtual uint16_t show(const String& message, const String& guide);

private:
    String m_button1;
    String m_button2;
    String m_button3;
};

} // namespace tarnwick
