#include "Environment/RequiredFunctions.h"

#include <algorithm>
#include <iterator>

#include "Environment/AddonHooks.h"
#include "Environment/Host.h"
#include "Environment/HostTable.h"
#include "Environment/Resources.h"
#include "platform/dg/Alert.h"

namespace tarnwick {

namespace {

constexpr uint32_t WarningHeadlineItem = 2;
constexpr uint32_t ErrorHeadlineItem = 3;
constexpr uint32_t OkButtonItem = 5;
constexpr uint32_t MemosNotTakenItem = 33; // $1 the function

#define REQUIRED(slot) TARNWICK_HOST_FUNCTION(slot)
// Every host call goes through the dispatchers; the start-up reads the module's resources,
// registers its menus and installs its handlers; project data is read and written through the
// module-data calls. Without any of these the add-on would load and then fail at every turn.
const HostFunction required[] = {
    REQUIRED(DatabaseCall),       REQUIRED(EnvironmentCall),        REQUIRED(InterfaceCall),
    REQUIRED(UtilityCall),        REQUIRED(GetOwnResModule),        REQUIRED(RegisterMenu),
    REQUIRED(InstallMenuHandler), REQUIRED(InstallProjectNotifier), REQUIRED(InstallModuleDataHandler),
    REQUIRED(HasOpenProject),     REQUIRED(GetModuleData),          REQUIRED(SetModuleData),
};
#undef REQUIRED

std::vector<HostFunction> allRequired() {
    std::vector<HostFunction> all(std::begin(required), std::end(required));
    if (const auto product = getProduct().requiredFunctions) {
        for (const HostFunction& each : product())
            all.push_back(each);
    }
    return all;
}

} // namespace

std::vector<std::string> requiredHostFunctions() {
    std::vector<std::string> names;
    for (const HostFunction& each : allRequired())
        names.emplace_back(each.name);
    return names;
}

std::vector<std::string> missingHostFunctions(const HostFunctionTable& table) {
    std::vector<std::string> missing;
    for (const HostFunction& each : allRequired())
        if (!each.present(table) && std::find(missing.begin(), missing.end(), each.name) == missing.end())
            missing.emplace_back(each.name);
    return missing;
}

bool requiredFunctionsPresent() {
    std::vector<std::string> missing = missingHostFunctions(hostTable());
    if (missing.empty()) return true;
    std::string list;
    for (const std::string& name : missing)
        list += (list.empty() ? "" : ", ") + name;
    // No resource strings here: reading them may be what is missing.
    std::string message = "The host application does not supply " +
                          std::string(missing.size() == 1 ? "a function" : "functions") +
                          " the add-on needs: " + list + ".";
    DGAlert(DGAlertError, "The add-on cannot start", message.c_str(), "The add-on is not loaded.", "OK", "",
            "");
    return false;
}

bool ownResourcesReadable() {
    // Every alert takes its headline and buttons from this list: without it each would be blank.
    if (!loadResourceString(Host::FrameworkTexts, ErrorHeadlineItem).isEmpty()) return true;
    DGAlert(DGAlertError, "The add-on cannot start",
            "The add-on cannot read its own resources, which the host application hands it: without them "
            "its messages, questions and dialogs would be blank.",
            "The add-on is not loaded.", "OK", "", "");
    return false;
}

void tellFunctionsDoneWithout() {
    const HostFunctionTable& table = hostTable();
    if (table.DisposeElementMemo == nullptr) {
        const String message =
            Host::getResourceString(Host::FrameworkTexts, MemosNotTakenItem, String("DisposeElementMemo"));
        DGAlert(DGAlertWarning, Host::getResourceString(Host::FrameworkTexts, WarningHeadlineItem).c_str(),
                message.c_str(), "", Host::getResourceString(Host::FrameworkTexts, OkButtonItem).c_str(), "",
                "");
    }
}

} // namespace tarnwick
