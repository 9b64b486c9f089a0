#include "StandInHost.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

#include "DepthGuard.h"
#include "FunctionSlots.h"
#include "LibraryCalls.h"
#include "ModelCalls.h"
#include "ProjectFile.h"
#include "TextMeasure.h"
#include "platform/api/HostErrors.h"
#include "platform/dg/Alert.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

StandInHost* StandInHost::s_current = nullptr;

namespace {
const char* moduleDataRequestName(uint32_t request) {
    switch (request) {
    case ModuleDataBeforeSave:
        return "before save";
    case ModuleDataAfterLoad:
        return "after load";
    default:
        return "unknown request";
    }
}
} // namespace

const char* projectNotificationName(uint32_t notification) {
    switch (notification) {
    case ProjectNew:
        return "new";
    case ProjectNewAndReset:
        return "new-and-reset";
    case ProjectOpen:
        return "open";
    case ProjectPreSave:
        return "pre-save";
    case ProjectSave:
        return "save";
    case ProjectClose:
        return "close";
    case ProjectQuit:
        return "quit";
    case ProjectChangeWorkspace:
        return "change-workspace";
    default:
        return "unknown";
    }
}

StandInHost::StandInHost() : m_alerts(m_transcript), m_processWindow(m_transcript) {
    if (s_current != nullptr) throw std::logic_error("only one stand-in host at a time");
    s_current = this;
    fillFunctionTable(&m_table);
    m_processWindow.registerSelectors(m_interfaceCalls);
    m_input.registerSelectors(m_interfaceCalls);
    registerEnvironmentSelectors(*this);
    registerDatabaseSelectors(*this);
    registerLayoutSelectors(*this);
    registerElementSelectors(*this);
    registerDrawingLinkSelector(*this);
    registerViewSelectors(*this);
    registerTextSelectors(*this);
    registerLibrarySelectors(*this);
    model3d::registerSelectors(*this);
    DGSetAlertHandler([this](const DGAlertRequest& request) { return m_alerts.answer(request); });
}

StandInHost::~StandInHost() {
    if (m_loaded) unloadModule();
    DGSetAlertHandler(nullptr);
    s_current = nullptr;
}

StandInHost* StandInHost::current() {
    return s_current;
}

GSErrCode StandInHost::fail(GSErrCode code, const std::string& why) {
    m_lastError = why;
    m_transcript.note("failed: " + why);
    return code;
}

// --- The module -------------------------------------------------------------------------------

GSErrCode StandInHost::withoutFunction(const std::string& name) {
    m_lastError.clear();
    if (!isFunctionSlot(name)) return fail(hosterr::NotFound, "the function table has no " + name);
    if (m_loaded)
        return fail(hosterr::Refused,
                    "the module has its function table already: take " + name + " away before it loads");
    clearFunctionSlot(m_table, name);
    m_transcript.note("the function table the module gets has no " + name);
    return hosterr::Ok;
}

GSErrCode StandInHost::loadModule(const std::string& path) {
    m_lastError.clear();
    if (m_loaded) return fail(hosterr::Refused, "a module is loaded already");
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = dlerror();
        return fail(hosterr::NotFound, "cannot load " + path + ": " + (why ? why : "unknown reason"));
    }
    auto getExported = reinterpret_cast<GetExportedFuncAddrsProc>(dlsym(library, "GetExportedFuncAddrs"));
    auto setImported = reinterpret_cast<SetImportedFuncAddrsProc>(dlsym(library, "SetImportedFuncAddrs"));
    if (getExported == nullptr || setImported == nullptr) {
        dlclose(library);
        return fail(hosterr::NotFound,
                    path + " does not export GetExportedFuncAddrs and SetImportedFuncAddrs");
    }
    m_library = library;
    m_transcript.note("module " + path + " opened");
    return startModule(getExported, setImported);
}

GSErrCode StandInHost::attachModule(GetExportedFuncAddrsProc getExported,
                                    SetImportedFuncAddrsProc setImported) {
    m_lastError.clear();
    if (m_loaded) return fail(hosterr::Refused, "a module is loaded already");
    if (getExported == nullptr || setImported == nullptr)
        return fail(hosterr::BadParameter, "the module's two exported functions are needed");
    m_transcript.note("module attached in process");
    return startModule(getExported, setImported);
}

GSErrCode StandInHost::startModule(GetExportedFuncAddrsProc getExported,
                                   SetImportedFuncAddrsProc setImported) {
    m_exports = ModuleExports();
    m_environment = HostEnvironment();
    GSErrCode err = getExported(&m_exports);
    if (err != hosterr::Ok) {
        forgetModule();
        return fail(err, "GetExportedFuncAddrs answered " + answerText(err));
    }
    if (m_exports.CheckEnvironment == nullptr || m_exports.RegisterInterface == nullptr ||
        m_exports.Initialize == nullptr || m_exports.FreeData == nullptr) {
        forgetModule();
        return fail(hosterr::BadParameter, "the module did not hand over all four entry functions");
    }
    err = setImported(&m_table);
    if (err != hosterr::Ok) {
        forgetModule();
        return fail(err, "SetImportedFuncAddrs answered " + answerText(err));
    }

    m_environment.hostVersion = hostVersion;
    int32_t kind = m_exports.CheckEnvironment(&m_environment);
    m_environment.addonName[sizeof m_environment.addonName - 1] = '\0';
    m_environment.addonDescription[sizeof m_environment.addonDescription - 1] = '\0';
    m_transcript.note("environment check: " + inQuotes(m_environment.addonName) + " answers " +
                      (kind == AddonDoNotLoad ? "do not load" : "load"));
    if (kind == AddonDoNotLoad) {
        forgetModule();
        return fail(hosterr::Refused, "the module declined to load");
    }

    m_registeringInterface = true;
    err = m_exports.RegisterInterface();
    m_registeringInterface = false;
    m_transcript.note("interface registration answers " + answerText(err));
    if (err == hosterr::Ok) {
        err = m_exports.Initialize();
        m_transcript.note("initialisation answers " + answerText(err));
    }
    m_loaded = true;
    if (err != hosterr::Ok) {
        unloadModule();
        return fail(err, "the module failed to start: " + answerText(err));
    }
    return hosterr::Ok;
}

GSErrCode StandInHost::unloadModule() {
    m_lastError.clear();
    if (!m_loaded) {
        m_lastError = "no module is loaded";
        return hosterr::NotFound;
    }
    GSErrCode err = m_exports.FreeData();
    m_transcript.note("release answers " + answerText(err));
    m_processWindow.forceClose();
    forgetModule();
    return err;
}

void StandInHost::forgetModule() {
    m_loaded = false;
    m_menus.clear();
    m_projectNotifier = nullptr;
    m_moduleDataHandler = nullptr;
    m_elementObserver = nullptr;
    m_commandHandlers.clear();
    m_exports = ModuleExports();
    if (m_library != nullptr) {
        dlclose(m_library);
        m_library = nullptr;
    }
}

// --- The project ------------------------------------------------------------------------------

GSErrCode StandInHost::sendModuleDataRequest(uint32_t request) {
    if (m_moduleDataHandler == nullptr) return hosterr::Ok;
    GSErrCode err;
    {
        DepthGuard inside(m_notificationDepth);
        err = m_moduleDataHandler(request);
    }
    m_transcript.note(std::string("module data handler (") + moduleDataRequestName(request) + ") answers " +
                      answerText(err));
    return err;
}

GSErrCode StandInHost::sendProjectNotification(uint32_t notification, int32_t parameter) {
    m_lastError.clear();
    return notifyProject(notification, parameter);
}

GSErrCode StandInHost::notifyProject(uint32_t notification, int32_t parameter) {
    if (m_projectNotifier == nullptr) return hosterr::Ok;
    GSErrCode err;
    {
        DepthGuard inside(m_notificationDepth);
        err = m_projectNotifier(notification, parameter);
    }
    m_transcript.note(std::string("project notifier (") + projectNotificationName(notification) +
                      ") answers " + answerText(err));
    return err;
}

void StandInHost::discardProject() {
    notifyProject(ProjectClose);
    m_transcript.note("project " + inQuotes(m_project->name) + " closed");
    m_project.reset();
}

GSErrCode StandInHost::newProject(const std::string& name) {
    m_lastError.clear();
    if (m_project != nullptr) discardProject();
    m_project = std::make_unique<Project>();
    m_project->name = name;
    m_project->model = ProjectModel::withDefaults();
    m_transcript.note("project " + inQuotes(name) + " is new");
    notifyProject(ProjectNew);
    return hosterr::Ok;
}

GSErrCode StandInHost::openProject(const std::string& path) {
    m_lastError.clear();
    auto loaded = std::make_unique<Project>();
    std::string why;
    if (!ProjectFile::load(path, loaded.get(), &why))
        return fail(hosterr::Failed, "cannot open the project: " + why);
    if (m_project != nullptr) discardProject();
    m_project = std::move(loaded);
    m_transcript.note("project " + inQuotes(m_project->name) + " opened from " + path);
    sendModuleDataRequest(ModuleDataAfterLoad);
    notifyProject(ProjectOpen);
    return hosterr::Ok;
}

GSErrCode StandInHost::saveProject(const std::string& path) {
    m_lastError.clear();
    if (m_project == nullptr) return fail(hosterr::NoProject, "no project is open");
    std::string target = path.empty() ? m_project->filePath : path;
    if (target.empty()) return fail(hosterr::BadParameter, "the project has no file yet");
    notifyProject(ProjectPreSave);
    // The module's data goes into the file: a module that cannot give it stops the save.
    GSErrCode answer = sendModuleDataRequest(ModuleDataBeforeSave);
    if (answer != hosterr::Ok)
        return fail(answer, "the module's data handler answered " + answerText(answer) +
                                " before the save; the project file is not written");
    std::string why;
    if (!ProjectFile::save(*m_project, target, &why)) {
        // The host tells its user of a save that fails itself, in words of its own.
        const std::string headline = "The project \"" + m_project->name + "\" could not be saved.";
        std::string message = why + ". The project stays open as it was.";
        if (!message.empty() && message[0] >= 'a' && message[0] <= 'z')
            message[0] = char(message[0] - 'a' + 'A');
        (void)DGAlert(DGAlertError, GS::UniString(headline.c_str()), GS::UniString(message.c_str()),
                      GS::UniString(), GS::UniString("OK"), GS::UniString(), GS::UniString());
        return fail(hosterr::Failed, "cannot save the project: " + why);
    }
    m_project->filePath = target;
    m_transcript.note("project " + inQuotes(m_project->name) + " saved to " + target);
    notifyProject(ProjectSave);
    return hosterr::Ok;
}

GSErrCode StandInHost::saveAndReopenProject(const std::string& fallbackPath) {
    if (m_project == nullptr) return fail(hosterr::NoProject, "no project is open");
    std::string path = m_project->filePath.empty() ? fallbackPath : m_project->filePath;
    GSErrCode err = saveProject(path);
    if (err != hosterr::Ok) return err;
    discardProject();
    return openProject(path);
}

GSErrCode StandInHost::closeProject() {
    m_lastError.clear();
    if (m_project == nullptr) return fail(hosterr::NoProject, "no project is open");
    discardProject();
    return hosterr::Ok;
}

// --- What the user does -----------------------------------------------------------------------

GSErrCode StandInHost::chooseMenuItem(const std::string& menuTitle, const std::string& itemText) {
    m_lastError.clear();
    if (!m_loaded) return fail(hosterr::NotFound, "no module is loaded: its menus come when it loads");
    const Menu* menu = m_menus.menuTitled(menuTitle);
    if (menu == nullptr) {
        std::string why = "there is no menu " + inQuotes(menuTitle) + "; the menus are:";
        for (const Menu& other : m_menus.menus()) {
            why += ' ';
            why += inQuotes(other.title);
        }
        return fail(hosterr::NotFound, why);
    }
    std::string why;
    const MenuItem* item = m_menus.item(*menu, itemText, &why);
    if (item == nullptr) return fail(hosterr::NotFound, why);
    return chooseMenuItem(menu->menuResId, item->index);
}

GSErrCode StandInHost::chooseMenuItem(int32_t menuResId, int32_t itemIndex) {
    m_lastError.clear();
    const Menu* menu = m_menus.menu(menuResId);
    if (menu == nullptr) return fail(hosterr::NotFound, "no menu of list " + std::to_string(menuResId));
    if (itemIndex < 1 || static_cast<size_t>(itemIndex) > menu->items.size())
        return fail(hosterr::NotFound,
                    "menu " + inQuotes(menu->title) + " has no item " + std::to_string(itemIndex));
    const MenuItem& item = menu->items[itemIndex - 1];
    if (item.separator) return fail(hosterr::Refused, "a separator cannot be chosen");
    if (item.disabled()) return fail(hosterr::Refused, "the item " + inQuotes(item.text) + " is disabled");
    if (menu->handler == nullptr)
        return fail(hosterr::NotFound, "the module installed no handler for menu " + inQuotes(menu->title));
    HostMenuSelection selection{menuResId, itemIndex};
    GSErrCode err = menu->handler(&selection);
    m_transcript.note("menu handler (" + std::to_string(menuResId) + ", item " + std::to_string(itemIndex) +
                      ") answers " + answerText(err));
    return err;
}

GSErrCode StandInHost::sendCommand(uint32_t commandId, int32_t version, GSHandle parameters) {
    m_lastError.clear();
    CommandHandlerProc handler = commandHandler(commandId, version);
    if (handler == nullptr)
        return fail(hosterr::NotFound,
                    "no handler for command " + codeText(commandId) + " version " + std::to_string(version));
    GSErrCode err = handler(commandId, version, parameters);
    m_transcript.note("command handler (" + codeText(commandId) + ", " + std::to_string(version) +
                      ") answers " + answerText(err));
    return err;
}

CommandHandlerProc StandInHost::commandHandler(uint32_t commandId, int32_t version) const {
    auto it = m_commandHandlers.find({commandId, version});
    return it == m_commandHandlers.end() ? nullptr : it->second;
}

// --- What the function table calls ------------------------------------------------------------

GSErrCode StandInHost::setEntryFlag(bool inside) {
    m_entryFlag = inside;
    return hosterr::Ok;
}

GSErrCode StandInHost::registerMenu(int32_t menuResId, int32_t promptResId, int32_t positionCode,
                                    int32_t flags) {
    if (!m_registeringInterface) return hosterr::Refused;
    GSErrCode err = m_menus.registerMenu(m_exports.resources, menuResId, promptResId, positionCode, flags);
    if (err == hosterr::Ok) {
        const Menu* menu = m_menus.menu(menuResId);
        m_transcript.note("menu " + inQuotes(menu->title) + " registered with " +
                          std::to_string(menu->items.size()) + " item(s):");
        // What the user finds in it: the texts a scenario chooses, and the status-bar prompts.
        for (const MenuItem& item : menu->items)
            m_transcript.note("  " + (item.separator
                                          ? std::string("-")
                                          : inQuotes(item.text) + (item.prompt.empty() || item.prompt == "-"
                                                                       ? std::string()
                                                                       : " - " + item.prompt)));
    }
    return err;
}

GSErrCode StandInHost::installMenuHandler(int32_t menuResId, MenuHandlerProc handler) {
    return m_menus.installHandler(menuResId, handler);
}

GSErrCode StandInHost::getMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t* flags) const {
    return m_menus.getItemFlags(menuResId, itemIndex, flags);
}

GSErrCode StandInHost::setMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t flags) {
    int32_t before = 0;
    GSErrCode err = m_menus.getItemFlags(menuResId, itemIndex, &before);
    if (err != hosterr::Ok) return err;
    err = m_menus.setItemFlags(menuResId, itemIndex, flags);
    if (err == hosterr::Ok && ((before ^ flags) & 1) != 0)
        m_transcript.note("menu item " + inQuotes(m_menus.menu(menuResId)->items[itemIndex - 1].text) +
                          ((flags & 1) ? " disabled" : " enabled"));
    return err;
}

GSErrCode StandInHost::installProjectNotifier(ProjectNotifierProc handler) {
    m_projectNotifier = handler;
    return hosterr::Ok;
}

GSErrCode StandInHost::installModuleDataHandler(ModuleDataHandlerProc handler) {
    m_moduleDataHandler = handler;
    return hosterr::Ok;
}

GSErrCode StandInHost::installElementObserver(ElementObserverProc handler) {
    m_elementObserver = handler;
    return hosterr::Ok;
}

GSErrCode StandInHost::installCommandHandler(uint32_t commandId, int32_t version,
                                             CommandHandlerProc handler) {
    if (handler == nullptr)
        m_commandHandlers.erase({commandId, version});
    else
        m_commandHandlers[{commandId, version}] = handler;
    return hosterr::Ok;
}

GSErrCode StandInHost::hasOpenProject(bool* open) const {
    if (open == nullptr) return hosterr::BadParameter;
    *open = m_project != nullptr;
    return hosterr::Ok;
}

GSErrCode StandInHost::getModuleData(GSHandle* data) const {
    if (data == nullptr) return hosterr::BadParameter;
    *data = nullptr;
    if (m_project == nullptr) return hosterr::NoProject;
    const std::optional<std::string>& bytes = m_project->model.moduleData;
    if (!bytes) return hosterr::NotFound;
    GSHandle copy = BMNewHandle(static_cast<GSSize>(bytes->size()));
    if (copy == nullptr) return hosterr::MemoryFull;
    if (!bytes->empty()) std::memcpy(*copy, bytes->data(), bytes->size());
    *data = copy;
    return hosterr::Ok;
}

GSErrCode StandInHost::setModuleData(GSHandle data) {
    if (m_project == nullptr) return hosterr::NoProject;
    if (data == nullptr) {
        m_project->model.moduleData.reset();
        return hosterr::Ok;
    }
    if (!BMIsLiveHandle(data)) return hosterr::BadParameter;
    m_project->model.moduleData = std::string(*data, static_cast<size_t>(BMHandleSize(data)));
    return hosterr::Ok;
}

namespace {
// A key of 1 to 255 bytes, as the host's keys are bounded.
bool usableKey(const char* key) {
    return key != nullptr && key[0] != '\0' && std::strlen(key) <= 255;
}
} // namespace

GSErrCode StandInHost::getModuleDataByKey(const char* key, GSHandle* data) const {
    if (data == nullptr || !usableKey(key)) return hosterr::BadParameter;
    *data = nullptr;
    if (m_project == nullptr) return hosterr::NoProject;
    auto found = m_project->model.keyedModuleData.find(key);
    if (found == m_project->model.keyedModuleData.end()) return hosterr::NotFound;
    GSHandle copy = BMNewHandle(static_cast<GSSize>(found->second.size()));
    if (copy == nullptr) return hosterr::MemoryFull;
    if (!found->second.empty()) std::memcpy(*copy, found->second.data(), found->second.size());
    *data = copy;
    return hosterr::Ok;
}

GSErrCode StandInHost::setModuleDataByKey(const char* key, GSHandle data) {
    if (!usableKey(key)) return hosterr::BadParameter;
    if (m_project == nullptr) return hosterr::NoProject;
    if (data == nullptr) {
        m_project->model.keyedModuleData.erase(key);
        return hosterr::Ok;
    }
    if (!BMIsLiveHandle(data)) return hosterr::BadParameter;
    m_project->model.keyedModuleData[key] = std::string(*data, static_cast<size_t>(BMHandleSize(data)));
    return hosterr::Ok;
}

GSErrCode StandInHost::runUndoableCommand(const GS::UniString* name, UndoableCommandProc proc,
                                          void* userData) {
    if (proc == nullptr) return hosterr::BadParameter;
    std::string stepName = name != nullptr ? name->ToCStr() : std::string();
    if (m_project == nullptr) return hosterr::NoProject;
    if (insideNotification()) {
        m_transcript.note("undoable command " + inQuotes(stepName) +
                          " refused: the host is inside a notification");
        return hosterr::Refused;
    }
    if (insideCommand()) {
        DepthGuard inside(m_commandDepth);
        return proc(userData);
    }
    // The copy shares all it holds with the project until the step changes it.
    auto before = std::make_shared<const ProjectModel>(m_project->model);
    m_project->undoSteps.push_back({stepName, before});
    size_t stepCount = m_project->undoSteps.size();
    GSErrCode err;
    {
        DepthGuard inside(m_commandDepth);
        err = proc(userData);
    }
    if (m_project == nullptr) return err; // a command cannot close the project, but be safe
    if (err != hosterr::Ok) {
        if (m_project->undoSteps.size() == stepCount) m_project->undoSteps.pop_back();
        m_project->model = *before;
        m_transcript.note("undo step " + inQuotes(stepName) + " dropped: the command answered " +
                          answerText(err) + "; the project is restored");
    } else {
        m_project->forgetOldUndoSteps();
        m_transcript.note("undo step " + inQuotes(stepName));
    }
    return err;
}

GSErrCode StandInHost::getSuspendGroups(bool* on) const {
    if (on == nullptr) return hosterr::BadParameter;
    *on = m_suspendGroups;
    return hosterr::Ok;
}

GSErrCode StandInHost::setSuspendGroups(bool on) {
    if (on != m_suspendGroups) m_transcript.note(std::string("suspend groups ") + (on ? "on" : "off"));
    m_suspendGroups = on;
    return hosterr::Ok;
}

} // namespace zavhost
