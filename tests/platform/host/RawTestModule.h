// A tiny module written straight against the host function table, without the framework, so that
// the stand-in host can be tested on its own. The same code is built as a loadable module and
// linked into the host tests, where it is attached in process.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/api/HostFunctionTable.h"

namespace rawmodule {

constexpr int32_t menuList = 32500;
constexpr int32_t promptList = 32510;

// Menu items, 1-based as the host numbers them.
enum Item : int32_t {
    SayHello = 1,
    AskQuestion = 2,
    // 3 is a separator
    UndoableStep = 4,
    NestedSteps = 5,
    FailingStep = 6,
    LongTask = 7,
    DisabledItem = 8,
    ToggleDisabledItem = 9,
    WriteData = 10,
    ArmNotificationStep = 11,
    TagSelection = 12,
    TagOutsideStep = 13,
    AddText = 14,
    RefuseSaves = 15, // the module-data handler answers failed before a save from now on
    FailRelease = 16, // the release entry answers failed
};

GSErrCode getExportedFuncAddrs(ModuleExports* exports);
GSErrCode setImportedFuncAddrs(const HostFunctionTable* table);

// What the module saw, for in-process tests. Reset by the environment check.
struct Record {
    std::vector<std::string> entries; // "check", "register", "initialize", "free" in the order run
    std::vector<HostMenuSelection> menuSelections;
    std::vector<uint32_t> notifications;
    std::vector<uint32_t> moduleDataRequests;
    GSErrCode lateRegisterMenu = 0; // RegisterMenu tried from Initialize
    GSErrCode notificationStep = 0; // RunUndoableCommand tried inside a notification
    GSErrCode nestedInner = -1;     // the inner command of "Nested Steps"
    short lastAlertAnswer = 0;
    int longTaskSteps = 0; // steps done by the last "Long Task"
    bool longTaskCancelled = false;
    std::string dataAfterLoad; // module data read after a project was opened
    std::vector<HostElementNotification> elementNotifications;
    std::vector<double> editScales;  // the edit transformation's scale, read at each element edit
    std::function<void()> atDataEnd; // run when the element observer hears data-end, if set
};
Record& record();

// Makes the next environment check answer "do not load".
void setDeclineToLoad(bool decline);

} // namespace rawmodule
