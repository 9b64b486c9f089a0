// The project object is made on first use while the host has a project open, and kept until the
// module is released.
#include "project/ProjectModel.h"

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "Environment/ModuleRegistry.h"
#include "Environment/ProjectKeeper.h"
#include "project/Database.h"
#include "project/EditWork.h"
#include "project/ElementLink.h"
#include "project/Project.h"

namespace tarnwick {

namespace {

LibraryMaker libraryMaker = nullptr;

class HostProjectKeeper : public ProjectKeeper {
public:
    Project* getProject() override {
        if (!m_project) {
            if (!Host::hasProject()) return nullptr;
            m_project = std::make_unique<Project>();
            // A new project object starts with the project's own packages.
            if (Addon* addon = getAddon()) addon->loadModuleData();
        }
        return m_project.get();
    }
    Plan* getPlan() override {
        Project* project = getProject();
        return project == nullptr ? nullptr : project->getPlan();
    }
    Specification* getSpecification() override {
        Project* project = getProject();
        return project == nullptr ? nullptr : project->getSpecification();
    }
    Library* getLibrary() override {
        Project* project = getProject();
        return project == nullptr ? nullptr : project->getLibrary();
    }
    Drawing* getCurrentDatabase() override {
        Project* project = getProject();
        return project == nullptr ? nullptr : project->getCurrentDatabase();
    }
    bool setCurrentDatabase(Drawing* drawing) override {
        Project* project = getProject();
        return project != nullptr && project->setCurrentDatabase(drawing);
    }
    bool setFrontWindow(Drawing* drawing) override {
        Project* project = getProject();
        return project != nullptr && project->setFrontWindow(drawing);
    }
    bool setDefaultType(const ElementLink& tool) override {
        return Host::setDefaultType(tool.getTypeId(), tool.getVariation());
    }
    const User* getCurrentUser() override {
        Project* project = getProject();
        return project != nullptr ? project->getUser(0) : nullptr;
    }
    void resetProject() override {
        if (m_project) m_project->reset();
    }
    void releaseProject() override { m_project.reset(); }

private:
    std::unique_ptr<Project> m_project;
};

HostProjectKeeper* keeper = nullptr;

GSErrCode startProjectModel() {
    static HostProjectKeeper theKeeper;
    keeper = &theKeeper;
    installProjectKeeper(keeper);
    installEditWork();
    installProjectPackages();
    return 0;
}

GSErrCode endProjectModel() {
    if (keeper != nullptr) keeper->releaseProject();
    installProjectKeeper(nullptr);
    uninstallEditWork();
    uninstallProjectPackages();
    keeper = nullptr;
    return 0;
}

} // namespace

void registerProjectModel() {
    registerModule({"project model", &startProjectModel, &endProjectModel});
}

void installLibraryMaker(LibraryMaker maker) {
    libraryMaker = maker;
}

void Project::makeLibrary() {
    if (libraryMaker != nullptr) m_libraryDatabase = libraryMaker(*this, m_library);
}

} // namespace tarnwick
