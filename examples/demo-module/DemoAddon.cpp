// A small module built from the framework alone: a menu whose items show alerts, count steps in
// the progress window, make undoable changes that travel with the project as module data, and
// open a dialog and a palette.
#include <memory>
#include <stdexcept>
#include <vector>

#include "Environment/Addon.h"
#include "Environment/AddonHooks.h"
#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/HostSubscribers.h"
#include "Environment/ModuleRegistry.h"
#include "Environment/NumberText.h"
#include "Environment/Transaction.h"
#include "elements/IFCData.h"
#include "library/LibraryModel.h"
#include "persistence/Package.h"
#include "persistence/XMLTypeProxy.h"
#include "platform/gsroot/DebugPrint.h"
#include "presets/PresetsModel.h"
#include "project/Alert.h"
#include "project/Layer.h"
#include "project/Plan.h"
#include "project/ProgressWindow.h"
#include "project/Project.h"
#include "project/Specification.h"
#include "project/Storey.h"
#include "resources/ModuleResources.h"

#include "DemoDialogs.h"
#include "DemoEdits.h"
#include "DemoLayers.h"
#include "DemoLibrary.h"
#include "DemoModel3D.h"
#include "DemoNotes.h"
#include "DemoNudge.h"
#include "DemoObjects.h"
#include "DemoPresets.h"
#include "DemoPreview.h"

namespace demo {

using namespace tarnwick;

void reportInternalError();

constexpr uint32_t MenuList = 32000;
constexpr uint32_t PromptList = 32001;
constexpr uint32_t Texts = 32002;

String text(uint32_t item) {
    return Host::getResourceString(Texts, item);
}

String withNumber(uint32_t item, int64_t n) {
    String s = text(item);
    s.replaceAll(String("$1"), String(intToText(n)));
    return s;
}

// The project's count of changes: a package of the project, so it travels with the project as
// the add-on's module data.
class ChangeLog : public Package {
public:
    static constexpr uint32_t Code = fourCC("DEMO");
    ChangeLog() : Package(String("demoChanges")) {}
    std::unique_ptr<Package> clone() const override { return std::make_unique<ChangeLog>(*this); }
    uint32_t getCode() const override { return Code; }
    void reset() override { changes = 0; }
    size_t getFieldCount() const override { return 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool) override {
        return index == 0 ? std::make_unique<XMLTypeProxy<unsigned int>>(&changes, String("changes"))
                          : nullptr;
    }

    unsigned int changes = 0;
};

int32_t readChangeCount() {
    Project* project = Host::getProject();
    auto* log = project ? dynamic_cast<ChangeLog*>(project->getPackage(ChangeLog::Code)) : nullptr;
    return log ? static_cast<int32_t>(log->changes) : 0;
}

GSErrCode writeChangeCount(int32_t count) {
    Project* project = Host::getProject();
    if (project == nullptr) return hosterr::NoProject;
    ChangeLog log;
    log.changes = static_cast<unsigned int>(count);
    project->setPackage(log, false);
    return hosterr::Ok;
}

class CountChange : public Transaction {
public:
    explicit CountChange(const String& name) : Transaction(name) {}
    GSErrCode run() override { return writeChangeCount(readChangeCount() + 1); }
};

class NestedChanges : public Transaction {
public:
    NestedChanges() : Transaction(text(10)) {}
    GSErrCode run() override {
        for (int i = 0; i < 2; ++i) {
            CountChange inner(text(9));
            if (!Host::runTransaction(inner)) return hosterr::Failed;
        }
        return hosterr::Ok;
    }
};

// Checks the layer "Notes" as a tool would before placing an element on it; the user may show or
// unlock it from the alert, which stores the layer, so it runs as an undoable step.
class CheckNotesLayer : public Transaction {
public:
    CheckNotesLayer() : Transaction(text(13)) {}
    GSErrCode run() override {
        Project* project = Host::getProject();
        if (project == nullptr) return hosterr::NoProject;
        Layer notes(String("Notes"));
        usable = project->checkLayer(notes, false) == 2;
        return hosterr::Ok;
    }
    bool usable = false;
};

// The project as the framework sees it: its name, storeys and attributes.
String describeProject() {
    Project* project = Host::getProject();
    if (project == nullptr) return String();
    String description = project->getName() + ":";
    if (Plan* plan = project->getPlan()) {
        for (Storey* storey : plan->getStoreys())
            description += String(" storey ") + storey->getName() + ";";
    }
    if (Specification* attributes = project->getSpecification()) {
        description += String(" ") + String(uintToText(attributes->getCount(AttrLayer))) + " layers, " +
                       String(uintToText(attributes->getCount(AttrPen))) + " pens";
    }
    return description;
}

class DemoMenu : public MenuSubscriber {
public:
    DemoMenu() : MenuSubscriber(MenuList, PromptList, 17, 0) {}

    bool handleMenu(MenuEvent& event) override {
        switch (event.getItemIndex()) {
        case 1:
            NotifyAlert().show(text(1));
            return true;
        case 2: {
            bool yes = ConfirmAlert().show(text(2), String(), String()) == 1;
            NotifyAlert().show(text(yes ? 3 : 4));
            return true;
        }
        case 4:
            countSteps();
            return true;
        case 5: {
            CountChange change(text(9));
            if (Host::runTransaction(change)) NotifyAlert().show(withNumber(11, readChangeCount()));
            return true;
        }
        case 6: {
            NestedChanges changes;
            if (Host::runTransaction(changes)) NotifyAlert().show(withNumber(11, readChangeCount()));
            return true;
        }
        case 8:
            throw std::runtime_error("the demonstration breaks on purpose");
        case 10:
            NotifyAlert().show(describeProject());
            return true;
        case 11: {
            CheckNotesLayer check;
            (void)Host::runTransaction(check); // the check's own result says what happened
            NotifyAlert().show(text(check.usable ? 14 : 15));
            return true;
        }
        case 13:
        case 14:
            renumberNotes(event.getItemIndex() == 14);
            return true;
        case 16:
            placeNote();
            return true;
        case 18:
            askName();
            return true;
        case 19:
            m_tools.show();
            return true;
        case 20:
            m_tools.hide();
            return true;
        case 22:
            findNote();
            return true;
        case 23:
            nameSomething();
            return true;
        case 25:
            NotifyAlert().show(describeLibrary());
            return true;
        case 27:
            editNotes();
            return true;
        case 29:
            placeObject();
            return true;
        case 30:
            editObjectDefaults();
            return true;
        case 32:
            labelSelection();
            return true;
        case 34:
            rememberLayers();
            return true;
        case 35:
            NotifyAlert().show(describeModel3D());
            return true;
        case 37:
            nudgeSelection();
            return true;
        case 39:
            previewSymbol();
            return true;
        default:
            return false;
        }
    }

private:
    Tools m_tools;

    static void countSteps() {
        std::shared_ptr<ProgressMonitor> progress = ProgressWindow::create(text(5), 1);
        progress->setPhase(text(5), 10);
        for (int step = 1; step <= 10; ++step) {
            if (progress->isCancelled()) {
                NotifyAlert().show(withNumber(7, step - 1));
                return;
            }
            progress->step();
        }
        NotifyAlert().show(text(8));
    }
};

// The notification's name as the host and the framework call it; the number when neither does.
String notificationName(uint32_t notification) {
    switch (static_cast<int32_t>(notification)) {
    case ProjectNew:
        return String("new");
    case ProjectNewAndReset:
        return String("new-and-reset");
    case ProjectOpen:
        return String("open");
    case ProjectPreSave:
        return String("pre-save");
    case ProjectSave:
        return String("save");
    case ProjectClose:
        return String("close");
    case ProjectQuit:
        return String("quit");
    case ProjectChangeWorkspace:
        return String("change-workspace");
    case ProjectEvent::PackagesLoaded:
        return String("packages loaded");
    case ProjectEvent::PackagesChanged:
        return String("packages changed");
    default:
        return String(uintToText(notification));
    }
}

// Says in the host's debug output when a project comes and goes. When the workspace changes it
// tries to count a change, which the framework refuses inside a notification.
class ProjectWatcher : public ProjectSubscriber {
public:
    bool handleProjectEvent(ProjectEvent& event) override {
        String line = String("Framework Demo: project notification ") +
                      notificationName(event.getNotification()) + "\n";
        DBPrint(line.c_str());
        if (event.getNotification() == ProjectChangeWorkspace) {
            CountChange change(text(9));
            (void)Host::runTransaction(change); // refused here on purpose: the debug text shows it
        }
        return false;
    }
};

class DemoAddon : public Addon {
public:
    DemoAddon() {
        m_tools.push_back(std::make_unique<DemoMenu>());
        m_tools.push_back(std::make_unique<ProjectWatcher>());
        m_tools.push_back(makePartFinder());
        m_tools.push_back(makeObjectCommands());
        for (auto& tool : m_tools)
            add(tool.get());
    }
    ~DemoAddon() override { clear(); }
    void onException() override { reportInternalError(); }

private:
    std::vector<std::unique_ptr<Subscriber>> m_tools;
};

GSErrCode createAddon(HostEnvironment*) {
    tarnwick::registerLibraryModel();
    tarnwick::registerPresetsModel();
    GSErrCode err = tarnwick::initialiseModules();
    if (err != 0) return err;
    registerNotes();
    // IFC names and values are pooled for the module's life; a new project starts the pools again.
    Project::setResetHook(&IFCData::releaseValueTypeMaps);
    auto* addon = new demo::DemoAddon();
    tarnwick::setAddon(addon);
    demo::ChangeLog defaults;
    addon->registerPackage(defaults, 0);
    registerNoteBook(*addon);
    registerPresets(*addon);
    return 0;
}

GSErrCode destroyAddon() {
    delete tarnwick::getAddon();
    tarnwick::setAddon(nullptr);
    Project::setResetHook(nullptr);
    IFCData::releaseAll();
    return tarnwick::terminateModules();
}

void reportInternalError() {
    tarnwick::ErrorAlert().show(tarnwick::Host::getResourceString(32524, 1));
}

// The demonstration's commands (the styles' "EPDB" and "UEPR" among them) come through command
// handlers: without them it could not start its tools.
std::vector<HostFunction> requiredFunctions() {
    return {TARNWICK_HOST_FUNCTION(InstallCommandHandler)};
}

namespace {
const ProductRegistration product({&createAddon, &destroyAddon, &reportInternalError, &zavModuleResources,
                                   &requiredFunctions});
} // namespace

} // namespace demo
