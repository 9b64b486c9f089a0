#include "Environment/RequiredFunctions.h"

#include "Environment/HostTable.h"
#include "platform/dg/Alert.h"

namespace tarnwick {

namespace {

struct Required {
    const char* name;
    bool (*present)(const HostFunctionTable& table);
};

#define REQUIRED(slot)                                                                                       \
    {                                                                                                        \
#slot, [](const HostFunctionTable& t) { return t.slot != nullptr; }                                  \
    }
// Every host call goes through the dispatchers; the start-up reads the module's resources,
// registers its menus and installs its handlers; project data is read and written through the
// module-data calls. Without any of these the add-on would load and then fail at every turn.
const Required required[] = {
    REQUIRED(DatabaseCall),       REQUIRED(EnvironmentCall),        REQUIRED(InterfaceCall),
    REQUIRED(UtilityCall),        REQUIRED(GetOwnResModule),        REQUIRED(RegisterMenu),
    REQUIRED(InstallMenuHandler), REQUIRED(InstallProjectNotifier), REQUIRED(InstallModuleDataHandler),
    REQUIRED(HasOpenProject),     REQUIRED(GetModuleData),          REQUIRED(SetModuleData),
};
#undef REQUIRED

} // namespace

std::vector<std::string> requiredHostFunctions() {
    std::vector<std::string> names;
    for (const Required& each : required)
        names.emplace_back(each.name);
    return names;
}

std::vector<std::string> missingHostFunctions(const HostFunctionTable& table) {
    std::vector<std::string> missing;
    for (const Required& each : required)
        if (!each.present(table)) missing.emplace_back(each.name);
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

} // namespace tarnwick
