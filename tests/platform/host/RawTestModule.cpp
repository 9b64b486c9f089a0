#include "RawTestModule.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/api/ElementRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Resources.h"
#include "platform/dg/Alert.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace rawmodule {

namespace {

HostFunctionTable host;
bool declineToLoad = false;
bool stepInNextNotification = false;
bool refuseSaves = false;
bool failRelease = false;

// --- Resources, compiled by hand: a STRS blob is a 32-bit little-endian byte count, then the
// strings, each ended by a NUL.
struct MenuLine {
    const char* text;
    const char* prompt;
};
const MenuLine menuLines[] = {
    {"Raw Test", "The raw test module"},
    {"Say Hello^32501", "Shows a notification"},
    {"Ask Question^E3^32502", "Asks a question with three buttons"},
    {"-", ""},
    {"Undoable Step", "Runs one undoable step"},
    {"Nested Steps", "Runs an undoable step inside another"},
    {"Failing Step", "Runs an undoable step that fails"},
    {"Long Task", "Runs ten steps in the progress window"},
    {"Disabled Item", "Cannot be chosen while disabled"},
    {"Toggle Disabled Item", "Enables or disables the item above"},
    {"Write Data", "Writes module data outside an undo step"},
    {"Arm Notification Step", "Runs an undoable step in the next project notification"},
    {"Tag Selection", "Writes user data to every selected element"},
    {"Tag Outside Step", "Writes user data to the first selected element outside an undo step"},
    {"Add Text", "Places a text from the default text"},
    {"Refuse Saves", "Answers failed when the host asks for the module data before a save"},
    {"Fail Release", "Makes the release entry answer failed"},
};

std::vector<unsigned char> stringList(const char* MenuLine::*column) {
    std::vector<unsigned char> blob(4);
    for (const MenuLine& line : menuLines)
        blob.insert(blob.end(), line.*column, line.*column + std::strlen(line.*column) + 1);
    uint32_t size = static_cast<uint32_t>(blob.size() - 4);
    for (int i = 0; i < 4; ++i)
        blob[i] = static_cast<unsigned char>(size >> (8 * i));
    return blob;
}

const std::vector<unsigned char> menuStrings = stringList(&MenuLine::text);
const std::vector<unsigned char> promptStrings = stringList(&MenuLine::prompt);

// The icon of "Ask Question", a red square: PNG files of 2 by 2 pixels at 96 dpi and 4 by 4 at 192.
// "Say Hello" names an icon the module does not carry.
const unsigned char askIcon[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xB6, 0x0D,
    0x24, 0x00, 0x00, 0x00, 0x09, 0x70, 0x48, 0x59, 0x73, 0x00, 0x00, 0x0E, 0xC4, 0x00, 0x00, 0x0E,
    0xC4, 0x01, 0x95, 0x2B, 0x0E, 0x1B, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA,
    0x63, 0x38, 0xA1, 0xA1, 0xF1, 0x1F, 0x84, 0x19, 0x60, 0x0C, 0x00, 0x4A, 0x04, 0x08, 0x5D, 0x61,
    0x68, 0xD8, 0x5A, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
const unsigned char askIconDouble[] = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x04, 0x00, 0x00, 0x00, 0x04, 0x08, 0x06, 0x00, 0x00, 0x00, 0xA9, 0xF1, 0x9E,
    0x7E, 0x00, 0x00, 0x00, 0x09, 0x70, 0x48, 0x59, 0x73, 0x00, 0x00, 0x1D, 0x87, 0x00, 0x00, 0x1D,
    0x87, 0x01, 0x8F, 0xE5, 0xF1, 0x65, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA,
    0x63, 0x38, 0xA1, 0xA1, 0xF1, 0x1F, 0x19, 0x33, 0x90, 0x2E, 0x00, 0x00, 0x6C, 0x38, 0x21, 0x71,
    0xB1, 0x2C, 0x05, 0xE0, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

const ResourceEntry resourceEntries[] = {
    {fourCC("STRS"), menuList, menuStrings.data(), static_cast<uint32_t>(menuStrings.size())},
    {fourCC("STRS"), promptList, promptStrings.data(), static_cast<uint32_t>(promptStrings.size())},
    {fourCC("GICN"), 32502, askIcon, sizeof askIcon},
    {fourCC("GIC2"), 32502, askIconDouble, sizeof askIconDouble},
};
const ResourceModule resources = {4, resourceEntries};

// --- Helpers over the table.

void print(const std::string& text) {
    DBPrint(("raw: " + text + "\n").c_str());
}

std::string hex(GSErrCode code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<uint32_t>(code));
    return text;
}

GSHandle handleOf(const std::string& text) {
    GSHandle data = BMNewHandle(static_cast<GSSize>(text.size()));
    if (data != nullptr) std::memcpy(*data, text.data(), text.size());
    return data;
}

GSErrCode writeModuleData(const std::string& text) {
    if (host.SetModuleData == nullptr) return hosterr::NotSupplied;
    GSHandle data = handleOf(text);
    if (data == nullptr) return hosterr::MemoryFull;
    GSErrCode err = host.SetModuleData(data);
    BMKillHandle(&data);
    return err;
}

std::string readModuleData() {
    GSHandle data = nullptr;
    if (host.GetModuleData == nullptr || host.GetModuleData(&data) != hosterr::Ok) return "none";
    std::string text(*data, static_cast<size_t>(BMHandleSize(data)));
    BMKillHandle(&data);
    return text;
}

GSErrCode runStep(const char* name, UndoableCommandProc proc, void* user = nullptr) {
    GS::UniString stepName(name);
    return host.RunUndoableCommand(&stepName, proc, user);
}

GSErrCode interfaceCall(const char (&selector)[5], void* a = nullptr, void* b = nullptr) {
    return host.InterfaceCall(fourCC(selector), a, b, nullptr, nullptr, nullptr);
}

// --- Elements.

// The selection's records; the handle is freed here.
std::vector<HostSelectionRecord> selectedRecords() {
    HostSelectionInfo info;
    GSHandle references = nullptr;
    std::vector<HostSelectionRecord> records;
    if (host.GetSelection(&info, &references) == hosterr::Ok && references != nullptr) {
        records.resize(static_cast<size_t>(BMHandleSize(references)) / sizeof(HostSelectionRecord));
        std::memcpy(records.data(), *references, records.size() * sizeof(HostSelectionRecord));
    }
    BMKillHandle(&references);
    return records;
}

GSErrCode tag(const HostSelectionRecord& record) {
    HostElementHead head;
    head.guid = record.guid;
    HostUserData data{
        .version = 1, .platformSign = 0x5757, .flags = 12, .dataHandle = handleOf("tagged by raw")};
    GSErrCode err = host.SetElementUserData(&head, &data);
    BMKillHandle(&data.dataHandle);
    return err;
}

GSErrCode tagSelection(void*) {
    int tagged = 0;
    for (const HostSelectionRecord& record : selectedRecords()) {
        GSErrCode err = tag(record);
        if (err != hosterr::Ok) return err;
        ++tagged;
    }
    print("tagged " + std::to_string(tagged));
    return hosterr::Ok;
}

GSErrCode addText(void*) {
    API_Element element;
    element.head.typeCode = 15;
    API_ElementMemo memo;
    GSErrCode err = host.GetDefaultElement(&element, &memo);
    host.DisposeElementMemo(&memo);
    if (err == hosterr::Ok) err = host.CreateElement(&element, nullptr);
    print("add text answered " + hex(err));
    return err;
}

// --- Menu items.

GSErrCode longTask() {
    GS::UniString title("Long Task");
    int16_t phases = 1;
    GSErrCode err = interfaceCall("IPWD", &title, &phases);
    if (err != hosterr::Ok) return err;
    GS::UniString phase("Working");
    int32_t steps = 10;
    interfaceCall("SPRP", &phase, &steps);
    record().longTaskSteps = 0;
    record().longTaskCancelled = false;
    for (int i = 0; i < steps; ++i) {
        if (interfaceCall("CANC") == hosterr::Cancelled) {
            record().longTaskCancelled = true;
            break;
        }
        int32_t one = 1;
        interfaceCall("IPRV", &one);
        ++record().longTaskSteps;
    }
    interfaceCall("CPWD");
    print(record().longTaskCancelled
              ? "long task cancelled after " + std::to_string(record().longTaskSteps) + " steps"
              : "long task done");
    return hosterr::Ok;
}

GSErrCode innerStep(void*) {
    return writeModuleData("outer+inner");
}

GSErrCode outerStep(void*) {
    writeModuleData("outer");
    record().nestedInner = runStep("Inner Step", innerStep);
    return record().nestedInner;
}

GSErrCode menuHandler(const HostMenuSelection* selection) {
    record().menuSelections.push_back(*selection);
    print("menu item " + std::to_string(selection->itemIndex));
    switch (selection->itemIndex) {
    case SayHello:
        record().lastAlertAnswer =
            DGAlert(DGAlertNotify, "Hello", "Hello from the raw module", "", "OK", "", "");
        return hosterr::Ok;
    case AskQuestion:
        record().lastAlertAnswer = DGAlert(DGAlertWarning, "Question", "Proceed with the question?",
                                           "A guide text", "Yes", "No", "Cancel");
        print("question answered " + std::to_string(record().lastAlertAnswer));
        return hosterr::Ok;
    case UndoableStep:
        return runStep("Raw Step", [](void*) { return writeModuleData("step data"); });
    case NestedSteps:
        return runStep("Outer Step", outerStep);
    case FailingStep: {
        GSErrCode err = runStep("Failing Step", [](void*) {
            writeModuleData("should vanish");
            return hosterr::Failed;
        });
        print("failing step answered " + hex(err));
        return err;
    }
    case LongTask:
        return longTask();
    case DisabledItem:
        return hosterr::Ok;
    case ToggleDisabledItem: {
        int32_t flags = 0;
        GSErrCode err = host.GetMenuItemFlags(menuList, DisabledItem, &flags);
        if (err != hosterr::Ok) return err;
        return host.SetMenuItemFlags(menuList, DisabledItem, flags ^ 1);
    }
    case WriteData:
        return writeModuleData("hello from the raw module");
    case ArmNotificationStep:
        stepInNextNotification = true;
        return hosterr::Ok;
    case TagSelection:
        return runStep("Tag Selection", tagSelection);
    case TagOutsideStep: {
        std::vector<HostSelectionRecord> records = selectedRecords();
        GSErrCode err = records.empty() ? hosterr::NotFound : tag(records.front());
        print("tag outside a step answered " + hex(err));
        return hosterr::Ok;
    }
    case AddText:
        return runStep("Add Text", addText);
    case RefuseSaves:
        refuseSaves = true;
        return hosterr::Ok;
    case FailRelease:
        failRelease = true;
        return hosterr::Ok;
    default:
        return hosterr::BadIndex;
    }
}

// --- Handlers.

void stepIfArmed() {
    if (!stepInNextNotification) return;
    stepInNextNotification = false;
    record().notificationStep =
        runStep("Notification Step", [](void*) { return writeModuleData("notified"); });
    print("undoable command in a notification answered " + hex(record().notificationStep));
}

GSErrCode projectNotifier(uint32_t notification, int32_t) {
    record().notifications.push_back(notification);
    print("project notification " + std::to_string(notification));
    stepIfArmed();
    return hosterr::Ok;
}

GSErrCode moduleDataHandler(uint32_t request) {
    record().moduleDataRequests.push_back(request);
    if (request == ModuleDataAfterLoad) {
        record().dataAfterLoad = readModuleData();
        print("module data after load: " + record().dataAfterLoad);
    } else {
        print(refuseSaves ? "module data before save: refused" : "module data before save");
        if (refuseSaves) return hosterr::Failed;
    }
    return hosterr::Ok;
}

GSErrCode elementObserver(const HostElementNotification* notification) {
    static const char* const kinds[] = {"?", "begin", "edit", "delete", "end", "new"};
    record().elementNotifications.push_back(*notification);
    if (notification->kind == ElementEventDataEnd && record().atDataEnd) record().atDataEnd();
    std::string text = std::string("element ") + kinds[notification->kind <= 5 ? notification->kind : 0];
    if (notification->kind != ElementEventDataBegin && notification->kind != ElementEventDataEnd) {
        // What the element is now, read while the user's edit runs.
        HostElementHead head;
        head.guid = notification->guid;
        GSErrCode found = host.GetElementHeader(&head);
        text +=
            " type " + std::to_string(notification->typeId) + (found == hosterr::Ok ? " (found)" : " (gone)");
    }
    if (notification->kind == ElementEventEdit) {
        HostEditTransformation edit;
        // A change that moves nothing has no transformation.
        if (host.GetEditTransformation(&edit) != hosterr::Ok) {
            text += " no transformation";
        } else {
            record().editScales.push_back(edit.scale);
            char numbers[96];
            std::snprintf(numbers, sizeof numbers, " moved %g %g scale %g", edit.target.x - edit.origin.x,
                          edit.target.y - edit.origin.y, edit.scale);
            text += numbers;
        }
    }
    print(text);
    stepIfArmed();
    return hosterr::Ok;
}

GSErrCode commandHandler(uint32_t commandId, int32_t version, GSHandle parameters) {
    print("command " + std::to_string(commandId) + " version " + std::to_string(version) + " with " +
          std::to_string(BMHandleSize(parameters)) + " parameter bytes");
    return version == 1 ? hosterr::Ok : hosterr::Failed;
}

// --- Entries.

int32_t checkEnvironment(HostEnvironment* environment) {
    record() = Record();
    record().entries.push_back("check");
    print("check environment");
    std::snprintf(environment->addonName, sizeof environment->addonName, "%s", "Raw Test Module");
    std::snprintf(environment->addonDescription, sizeof environment->addonDescription, "%s",
                  "Tests the stand-in host");
    return declineToLoad || std::getenv("RAW_TEST_MODULE_DECLINE") != nullptr ? AddonDoNotLoad : AddonNormal;
}

GSErrCode registerInterface() {
    record().entries.push_back("register");
    print("register interface");
    return host.RegisterMenu(menuList, promptList, 17, 0);
}

GSErrCode initialize() {
    record().entries.push_back("initialize");
    print("initialize");
    GSErrCode err = host.InstallMenuHandler(menuList, menuHandler);
    if (err == hosterr::Ok) err = host.InstallProjectNotifier(projectNotifier);
    if (err == hosterr::Ok) err = host.InstallModuleDataHandler(moduleDataHandler);
    if (err == hosterr::Ok) err = host.InstallElementObserver(elementObserver);
    if (err == hosterr::Ok) err = host.InstallCommandHandler(fourCC("RAWC"), 1, commandHandler);
    if (err == hosterr::Ok) err = host.InstallCommandHandler(fourCC("RAWC"), 2, commandHandler);
    if (err == hosterr::Ok) err = host.SetMenuItemFlags(menuList, DisabledItem, 1);
    record().lateRegisterMenu = host.RegisterMenu(menuList + 1, promptList, 17, 0);
    return err;
}

GSErrCode freeData() {
    record().entries.push_back("free");
    print("free data");
    stepInNextNotification = false;
    refuseSaves = false;
    bool fail = failRelease;
    failRelease = false;
    return fail ? hosterr::Failed : hosterr::Ok;
}

} // namespace

Record& record() {
    static Record r;
    return r;
}

void setDeclineToLoad(bool decline) {
    declineToLoad = decline;
}

GSErrCode getExportedFuncAddrs(ModuleExports* exports) {
    exports->CheckEnvironment = checkEnvironment;
    exports->RegisterInterface = registerInterface;
    exports->Initialize = initialize;
    exports->FreeData = freeData;
    exports->resources = &resources;
    return hosterr::Ok;
}

GSErrCode setImportedFuncAddrs(const HostFunctionTable* table) {
    if (table == nullptr || table->size < sizeof(HostFunctionTable)) return hosterr::BadParameter;
    host = *table;
    return hosterr::Ok;
}

} // namespace rawmodule
