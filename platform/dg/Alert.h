// The dialog manager's alert: a modal message with up to three buttons.
#pragma once

#include <functional>

#include "platform/gsroot/UniString.h"

// Alert kinds as the host numbers them.
enum DGAlertType : short {
    DGAlertError = -1,
    DGAlertWarning = -2,
    DGAlertNotify = -3,
};

struct DGAlertRequest {
    short type = 0;
    GS::UniString largeText; // the headline
    GS::UniString smallText; // the message
    GS::UniString guideText;
    GS::UniString button1;
    GS::UniString button2; // empty: not offered
    GS::UniString button3;
};

// Answers the number (1-3) of the button pressed.
using DGAlertHandler = std::function<short(const DGAlertRequest& request)>;

// Shows the alert and answers the pressed button. With no handler installed the alert goes to
// stderr and the answer is 1.
HOSTLIB_API short DGAlert(short type, const GS::UniString& largeText, const GS::UniString& smallText,
                          const GS::UniString& guideText, const GS::UniString& button1,
                          const GS::UniString& button2, const GS::UniString& button3);

// "error", "warning", "notification" or "alert", for transcripts.
HOSTLIB_API const char* DGAlertTypeName(short type);

// Installs the handler that answers alerts (an empty one removes it); answers the previous handler.
HOSTLIB_API DGAlertHandler DGSetAlertHandler(DGAlertHandler handler);
