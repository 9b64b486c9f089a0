#include "project/Alert.h"

#include "Environment/Host.h"
#include "platform/dg/Alert.h"
#include "platform/gsroot/UniString.h"

namespace tarnwick {

namespace {
enum DefaultItem : uint32_t {
    NotificationItem = 1,
    WarningItem,
    ErrorItem,
    ConfirmationItem,
    OkItem,
    CancelItem
};

String orDefault(const String& text, uint32_t item) {
    return text.isEmpty() ? Host::getResourceString(Host::FrameworkTexts, item) : text;
}
} // namespace

String Alert::defaultText(uint32_t item) {
    return Host::getResourceString(Host::FrameworkTexts, item);
}

uint16_t Alert::showAlert(const String& message, const String& guide, const String& button1,
                          const String& button2, const String& button3) const {
    short answer = DGAlert(m_type, m_headline.toUniString(), message.toUniString(), guide.toUniString(),
                           button1.toUniString(), button2.toUniString(), button3.toUniString());
    return static_cast<uint16_t>(answer);
}

uint16_t Alert::show(const String& message) {
    return showAlert(message, String(), String("OK"), String(), String());
}

NotifyAlert::NotifyAlert(const String& headline) : Alert(-3, orDefault(headline, NotificationItem)) {}
WarnAlert::WarnAlert(const String& headline) : Alert(-2, orDefault(headline, WarningItem)) {}
ErrorAlert::ErrorAlert(const String& headline) : Alert(-1, orDefault(headline, ErrorItem)) {}
ConfirmAlert::ConfirmAlert(const String& headline) : Alert(-2, orDefault(headline, ConfirmationItem)) {}

uint16_t ConfirmAlert::show(const String& message, const String& button1, const String& button2) {
    return showAlert(message, String(), orDefault(button1, OkItem), orDefault(button2, CancelItem), String());
}

CustomAlert::CustomAlert(const String& headline, const String& button1, const String& button2,
                         const String& button3)
    : Alert(-2, headline), m_button1(button1), m_button2(button2), m_button3(button3) {}

uint16_t CustomAlert::show(const String& message, const String& guide) {
    return showAlert(message, guide, orDefault(m_button1, OkItem), m_button2, m_button3);
}

} // namespace tarnwick
