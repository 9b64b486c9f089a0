#include "library/LibraryModel.h"

#include "Environment/HostCallbacks.h"
#include "Environment/ModuleRegistry.h"
#include "elements/Circle.h"
#include "elements/CutPlaneReference.h"
#include "elements/Dimensions.h"
#include "elements/ElementFactory.h"
#include "elements/Hatch.h"
#include "elements/Hotspot.h"
#include "elements/ImageElement.h"
#include "elements/LineElement.h"
#include "elements/LinearDimension.h"
#include "elements/PlacedDrawing.h"
#include "elements/PolyLine.h"
#include "elements/Spline.h"
#include "elements/text/Text.h"
#include "interface/InterfaceModel.h"
#include "library/CommandEvent.h"
#include "library/Label.h"
#include "library/Library.h"
#include "library/Object.h"
#include "library/ProxyElem.h"
#include "library/SourceFactory.h"
#include "library/ZoneStampPart.h"
#include "project/Project.h"
#include "project/ProjectModel.h"

namespace tarnwick {

namespace {

uint32_t componentIndexByName(Library& library, const String& name) {
    return ComponentLink(name, 0, &library).getIndex();
}

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
    installComponentIndexFinder(&componentIndexByName);
    return 0;
}

GSErrCode endLibraryModel() {
    installComponentIndexFinder(nullptr);
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

void registerDraftingElementCreators() {
    struct Registration {
        uint16_t id;
        ElementCreator creator; // null while the kind's class is not built
    };
    // The product's order matters only within one id.
    static constexpr Registration kinds[] = {
        {14, &createAngularDimension}, // angular dimension
        {21, &createCircle},           // circle
        {22, &createCircle},           // arc: the circle's creator again
        {11, &createLinearDimension},  // linear dimension
        {18, &createHatch},            // hatch
        {24, &createHotspot},          // hotspot
        {16, &createLabel},            // label
        {13, &createLevelDimension},   // level dimension
        {19, &createLine},             // line
        {31, &createImageElement},     // image
        {30, &createPlacedDrawing},    // placed drawing
        {20, &createPolyLine},         // polyline
        {12, &createRadialDimension},  // radial dimension
        {23, &createSpline},           // spline
        {15, &createText},
    };
    for (const Registration& kind : kinds)
        if (kind.creator != nullptr) registerElementCreator(kind.id, kind.creator);
}

void registerLibraryModel() {
    registerInterfaceModel();
    registerModule({"library model", &startLibraryModel, &endLibraryModel});
}

} // namespace tarnwick
