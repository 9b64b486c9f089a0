#include "Alert.h"

#include <cstdio>

namespace {
DGAlertHandler& installedHandler() {
    static DGAlertHandler handler;
    return handler;
}

} // namespace

const char* DGAlertTypeName(short type) {
    switch (type) {
    case DGAlertError:
        return "error";
    case DGAlertWarning:
        return "warning";
    case DGAlertNotify:
        return "notification";
    default:
        return "alert";
    }
}

short DGAlert(short type, const GS::UniString& largeText, const GS::UniString& smallText,
              const GS::UniString& guideText, const GS::UniString& button1, const GS::UniString& button2,
              const GS::UniString& button3) {
    DGAlertRequest request{type, largeText, smallText, guideText, button1, button2, button3};
    // Copied so that a handler that replaces itself while it runs stays alive.
    DGAlertHandler handler = installedHandler();
    if (handler) return handler(request);
    std::fprintf(stderr, "[%s] %s: %s\n", DGAlertTypeName(type), largeText.ToCStr().c_str(),
                 smallText.ToCStr().c_str());
    if (!guideText.IsEmpty()) std::fprintf(stderr, "  %s\n", guideText.ToCStr().c_str());
    return 1;
}

DGAlertHandler DGSetAlertHandler(DGAlertHandler handler) {
    DGAlertHandler previous = std::move(installedHandler());
    installedHandler() = std::move(handler);
    return previous;
}
