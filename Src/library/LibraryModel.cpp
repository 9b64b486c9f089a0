#include "library/LibraryModel.h"

#include "Environment/HostCallbacks.h"
#include "Environment/ModuleRegistry.h"
#include "elements/CutPlaneReference.h"
#include "elements/ElementFactory.h"
#include "interface/InterfaceModel.h"
#include "library/CommandEvent.h"
#include "library/Library.h"
#include "library/Object.h"
#include "library/ProxyElem.h"
#include "library/SourceFactory.h"
#include "library/ZoneStampPart.h"
#include "project/Project.h"
#include "project/ProjectModel.h"

namespace tarnwick {

namespace {

std::unique_ptr<Database> makeLibrary(Project& owner, Library*& library) {
    auto made = std::make_unique<Library>(&owner, 0);
    library = made.get();
    return made;
}

GSErrCode startLibraryModel() {
    installLibraryMaker(&makeLibrary);
    CreatorList::install();
    registerObjectElementCreators();
    installCommandEventMaker(&CommandEvent::make);
    installZoneStampMaker(&ZoneStampPart::make);
    return 0;
}

GSErrCode endLibraryModel() {
    installZoneStampMaker(nullptr);
    installCommandEventMaker(nullptr);
    CreatorList::uninstall();
    installLibraryMaker(nullptr);
    return 0;
}

} // namespace

void registerObjectElementCreators() {
    registerElementCreator(25, &createSectionReference);
    registerElementCreator(33, &createElevationReference);
    registerElementCreator(ProxyElem::TypeCode, &createProxy);
    registerElementCreator(Object::TypeCode, &createObject);
}

void registerLibraryModel() {
    registerInterfaceModel();
    registerModule({"library model", &startLibraryModel, &endLibraryModel});
}

} // namespace tarnwick
