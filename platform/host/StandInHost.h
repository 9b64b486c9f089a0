// The stand-in host application: loads one module, hands it the function table, runs its entries,
// and plays the user: projects, menus, notifications, commands, alerts and the process window.
// One host at a time; the function table's plain functions reach it through current().
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "AlertDesk.h"
#include "CallLog.h"
#include "CommandParameterLists.h"
#include "Database3D.h"
#include "DialogSteps.h"
#include "ElementDrawing.h"
#include "FaultSwitch.h"
#include "HostWindows.h"
#include "LibraryDesk.h"
#include "MenuBar.h"
#include "ParameterExchange.h"
#include "ProcessWindow.h"
#include "Project.h"
#include "SelectorTable.h"
#include "Transcript.h"
#include "UserInput.h"
#include "platform/api/HostFunctionTable.h"

namespace zavhost {

class StandInHost {
public:
    static constexpr uint32_t hostVersion = 0x00010000;

    StandInHost();  // throws std::logic_error while another host lives
    ~StandInHost(); // unloads the module
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    static StandInHost* current();

    // The table handed to modules. A test may clear slots in it before it loads a module.
    HostFunctionTable& functionTable() { return m_table; }
    // Leaves the slot of that name (as a module knows it) empty in the table the next module
    // gets. NotFound for no such slot; Refused while a module is loaded (it has its table).
    GSErrCode withoutFunction(const std::string& name);

    // --- The module. Each answers Ok or the failure, with the reason in lastError().
    // Opens the library, exchanges the tables and runs the environment check, interface
    // registration and initialisation. A module that declines to load answers Refused.
    GSErrCode loadModule(const std::string& path);
    // The same for a module linked into this process.
    GSErrCode attachModule(GetExportedFuncAddrsProc getExported, SetImportedFuncAddrsProc setImported);
    // Runs the release entry and closes the library. NotFound when no module is loaded.
    GSErrCode unloadModule();
    bool moduleLoaded() const { return m_loaded; }
    const HostEnvironment& moduleEnvironment() const { return m_environment; }
    const ModuleExports& moduleExports() const { return m_exports; }
    const std::string& lastError() const { return m_lastError; }

    // --- The project.
    bool hasProject() const { return m_project != nullptr; }
    Project* project() { return m_project.get(); }
    // Closes the open project first. Sends ProjectNew.
    GSErrCode newProject(const std::string& name);
    // Reads the file whole first: a file that fails leaves the open project as it was. Sends
    // ProjectClose for the old project, then ModuleDataAfterLoad and ProjectOpen.
    GSErrCode openProject(const std::string& path);
    // Sends ProjectPreSave and ModuleDataBeforeSave, writes, then sends ProjectSave.
    GSErrCode saveProject(const std::string& path);
    // Saves to the project's own file (else to `fallbackPath`), closes and opens it again.
    GSErrCode saveAndReopenProject(const std::string& fallbackPath);
    GSErrCode closeProject(); // sends ProjectClose

    // --- What the user does to the module.
    // NotFound for no such menu, item or handler; Refused for a disabled item; else the handler's answer.
    GSErrCode chooseMenuItem(const std::string& menuTitle, const std::string& itemText);
    GSErrCode chooseMenuItem(int32_t menuResId, int32_t itemIndex);
    // The notifier's answer; Ok (and nothing sent) when none is installed.
    GSErrCode sendProjectNotification(uint32_t notification, int32_t parameter = 0);
    // NotFound when no handler is installed for (id, version); else its answer. The parameters
    // stay the caller's.
    GSErrCode sendCommand(uint32_t commandId, int32_t version, GSHandle parameters);
    // The user edits the model in the host: `edit` runs as one undo step of that name, and while
    // it runs the element observer hears data-begin, then each element the edit made, changed or
    // deleted (new, edit, delete with the element's Guid, type and variation), then data-end. An
    // edit that fails changes nothing and is not heard. NoProject without a project.
    GSErrCode userEdit(const std::string& name, const std::function<GSErrCode(Project&)>& edit);
    // The same, as an edit that moves geometry by the transformation (none: an edit that moves
    // nothing, such as a change of settings). While the module hears it, GetEditTransformation
    // answers that transformation (none: not-found), the module's own element changes are allowed
    // and join the user's undo step, and the links of the elements it deleted still answer.
    GSErrCode userEdit(const std::string& name, const std::function<GSErrCode(Project&)>& edit,
                       const std::optional<HostEditTransformation>& transformation);
    // The project as it was before the user's edit that the module hears now; null outside one.
    const ProjectModel* editRunBefore() const { return m_editRun ? m_editRun->before.get() : nullptr; }
    // What GetEditTransformation answers from now on: the edit the user is making.
    void setEditTransformation(const HostEditTransformation& transformation);
    const HostEditTransformation& editTransformation() const { return m_editTransformation; }
    // No edit: identity matrix, scale 1.
    static HostEditTransformation identityTransformation();

    // --- The host's parts.
    CallLog& calls() { return m_calls; }
    Transcript& transcript() { return m_transcript; }
    AlertDesk& alerts() { return m_alerts; }
    DialogDesk& dialogs() { return m_dialogs; }
    ProcessWindow& processWindow() { return m_processWindow; }
    HostWindows& windows() { return m_windows; }
    UserInput& input() { return m_input; }
    const ProcessWindow& processWindow() const { return m_processWindow; }
    const MenuBar& menus() const { return m_menus; }
    SelectorTable& databaseCalls() { return m_databaseCalls; }
    SelectorTable& environmentCalls() { return m_environmentCalls; }
    SelectorTable& interfaceCalls() { return m_interfaceCalls; }
    SelectorTable& utilityCalls() { return m_utilityCalls; }
    SelectorTable& automationCalls() { return m_automationCalls; }
    // Calls a test or scenario makes fail on purpose.
    FaultSwitch& faults() { return m_faults; }
    CommandParameterLists& commandLists() { return m_commandLists; }
    // The parameter-change exchange open now, if any.
    std::optional<OpenParameterExchange>& parameterExchange() { return m_parameterExchange; }
    // The part being created, "OWLP" and the queued object settings.
    LibraryDesk& libraryDesk() { return m_libraryDesk; }
    // What "GetElementPrimitives" plays for an element in place of its drawing.
    std::map<API_Guid, PrimitiveScript, GuidLess>& primitiveScripts() { return m_primitiveScripts; }
    // The bodies built for ACAPGet3DInfo and read by ACAPGet3DComponent.
    Database3D& database3D() { return m_database3D; }

    ProjectNotifierProc projectNotifier() const { return m_projectNotifier; }
    ModuleDataHandlerProc moduleDataHandler() const { return m_moduleDataHandler; }
    ElementObserverProc elementObserver() const { return m_elementObserver; }
    CommandHandlerProc commandHandler(uint32_t commandId, int32_t version) const;

    bool insideNotification() const { return m_notificationDepth > 0; }
    bool insideCommand() const { return m_commandDepth > 0; }
    bool suspendGroups() const { return m_suspendGroups; }
    bool entryFlag() const { return m_entryFlag; }

    // --- What the function table calls (HostFunctions.cpp logs each call and forwards here).
    GSResModule ownResModule() const { return m_exports.resources; }
    GSErrCode setEntryFlag(bool inside);
    GSErrCode registerMenu(int32_t menuResId, int32_t promptResId, int32_t positionCode, int32_t flags);
    GSErrCode installMenuHandler(int32_t menuResId, MenuHandlerProc handler);
    GSErrCode getMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t* flags) const;
    GSErrCode setMenuItemFlags(int32_t menuResId, int32_t itemIndex, int32_t flags);
    GSErrCode installProjectNotifier(ProjectNotifierProc handler);
    GSErrCode installModuleDataHandler(ModuleDataHandlerProc handler);
    GSErrCode installElementObserver(ElementObserverProc handler);
    GSErrCode installCommandHandler(uint32_t commandId, int32_t version, CommandHandlerProc handler);
    GSErrCode hasOpenProject(bool* open) const;
    GSErrCode getModuleData(GSHandle* data) const;
    GSErrCode setModuleData(GSHandle data);
    GSErrCode getModuleDataByKey(const char* key, GSHandle* data) const;
    GSErrCode setModuleDataByKey(const char* key, GSHandle data);
    GSErrCode runUndoableCommand(const GS::UniString* name, UndoableCommandProc proc, void* userData);
    // The user undoes the last undo step: the project's contents become what they were before it
    // (the view state stays). Refused when there is none.
    GSErrCode undo();
    GSErrCode getSuspendGroups(bool* on) const;
    GSErrCode setSuspendGroups(bool on);
    GSErrCode getEditTransformation(HostEditTransformation* record) const;

private:
    GSErrCode startModule(GetExportedFuncAddrsProc getExported, SetImportedFuncAddrsProc setImported);
    void forgetModule();
    GSErrCode fail(GSErrCode code, const std::string& why);
    GSErrCode sendModuleDataRequest(uint32_t request);
    GSErrCode notifyProject(uint32_t notification, int32_t parameter = 0);
    void discardProject();
    void notifyElementChanges(const ProjectModel& before, const ProjectModel& after);
    GSErrCode notifyElement(uint32_t kind, const HostElementHead* head);

    static StandInHost* s_current;

    HostFunctionTable m_table;
    CallLog m_calls;
    Transcript m_transcript;
    AlertDesk m_alerts;
    DialogDesk m_dialogs{m_transcript};
    ProcessWindow m_processWindow;
    HostWindows m_windows;
    UserInput m_input{m_transcript};
    MenuBar m_menus;
    SelectorTable m_databaseCalls{"DatabaseCall"};
    SelectorTable m_environmentCalls{"EnvironmentCall"};
    SelectorTable m_interfaceCalls{"InterfaceCall"};
    SelectorTable m_utilityCalls{"UtilityCall"};
    SelectorTable m_automationCalls{"AutomationCall"};
    FaultSwitch m_faults;
    CommandParameterLists m_commandLists;
    std::optional<OpenParameterExchange> m_parameterExchange;
    LibraryDesk m_libraryDesk;
    std::map<API_Guid, PrimitiveScript, GuidLess> m_primitiveScripts;
    Database3D m_database3D;

    void* m_library = nullptr;
    bool m_loaded = false;
    ModuleExports m_exports;
    HostEnvironment m_environment;
    std::string m_lastError;
    bool m_registeringInterface = false;

    ProjectNotifierProc m_projectNotifier = nullptr;
    ModuleDataHandlerProc m_moduleDataHandler = nullptr;
    ElementObserverProc m_elementObserver = nullptr;
    std::map<std::pair<uint32_t, int32_t>, CommandHandlerProc> m_commandHandlers;

    std::unique_ptr<Project> m_project;
    int m_notificationDepth = 0;
    int m_commandDepth = 0;
    bool m_suspendGroups = false;
    bool m_entryFlag = false;
    HostEditTransformation m_editTransformation = identityTransformation();
    // The user's edit being heard.
    struct EditRun {
        std::shared_ptr<const ProjectModel> before;
        std::optional<HostEditTransformation> transformation;
    };
    std::optional<EditRun> m_editRun;
};

// The function table over the current host; every slot this host supplies is filled.
void fillFunctionTable(HostFunctionTable* table);

// Names of project notifications and module-data requests, for transcripts and scenarios.
const char* projectNotificationName(uint32_t notification);
const char* elementNotificationName(uint32_t kind); // "data-begin", "new", "edit", ...

} // namespace zavhost
