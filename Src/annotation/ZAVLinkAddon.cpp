#include "annotation/ZAVLinkAddon.h"

#include "Environment/Host.h"
#include "Environment/ModuleRegistry.h"
#include "Environment/SystemServices.h"
#include "annotation/AnnotationMenu.h"
#include "annotation/AnnotationPalette.h"
#include "annotation/Communicator.h"
#include "annotation/DisplayTools.h"
#include "annotation/FindAnnotation.h"
#include "annotation/PlaceAnnotation.h"
#include "annotation/PlaceLabel.h"
#include "annotation/RestoreIgnored.h"
#include "annotation/ReviewAnnotation.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ZAVLinkPrefs.h"
#include "construction/ConstructionFactory.h"
#include "elements/ElementFactory.h"
#include "elements/IFCData.h"
#include "library/LibraryModel.h"
#include "platform/api/HostErrors.h"
#include "presets/PresetsModel.h"
#include "project/Alert.h"
#include "project/Project.h"

namespace zavlink {

using namespace tarnwick;

namespace {
// The add-on object from start-up to release; the runtime only refers to it.
std::unique_ptr<ZAVLinkAddon> product;
} // namespace

ZAVLinkAddon::~ZAVLinkAddon() {
    // The publisher does not own its subscribers: none may stay listed once deleted.
    while (!m_tools.empty()) {
        Subscriber* tool = m_tools[0];
        remove(tool);
        m_tools.remove(tool).reset();
    }
}

void ZAVLinkAddon::reportError() {
    reportInternalError();
}

std::unique_ptr<Directory> ZAVLinkAddon::exchangeFolder() {
    std::unique_ptr<Directory> userData = SystemServices::getUserDataFolder();
    if (!userData) return nullptr;
    String name = Host::getResourceString(ExchangeNames, FolderNameItem);
    auto folder = std::make_unique<Directory>(*userData, name);
    if (folder->exists()) return folder;
    GSErrCode status = 0;
    folder = Directory::createChild(*userData, name, &status);
    if (status != 0 || !folder || !folder->exists()) return nullptr;
    return folder;
}

void ZAVLinkAddon::startUp() {
    registerDraftingElementCreators();
    registerConstructionElementCreators();
    registerCurtainWallElementCreators();
    Project::setResetHook(&IFCData::releaseValueTypeMaps);

    // The tools, in this order: where two take the same event, the first made hears it first.
    addTool(std::make_unique<AnnotationMenu>());
    addTool(std::make_unique<AboutDialog>());
    addTool(std::make_unique<Communicator>());
    addTool(std::make_unique<DisplayClause>());
    addTool(std::make_unique<DisplayGuidance>());
    addTool(std::make_unique<DisplayManufacturer>());
    addTool(std::make_unique<FindAnnotation>());
    addTool(std::make_unique<PlaceAnnotation>());
    addTool(std::make_unique<PlaceLabel>());
    addTool(std::make_unique<RestoreIgnored>());
    addTool(std::make_unique<ReviewAnnotation>());
    addTool(std::make_unique<SelectSpecification>());
    addTool(std::make_unique<UpdateAnnotation>());
    if (std::unique_ptr<AnnotationPalette> palette = AnnotationPalette::takeInstance())
        addTool(std::move(palette));
    addTool(std::make_unique<SpecificationChangeHandler>());

    ZAVLinkPrefs defaults;
    registerPackage(defaults, 0);

    for (Subscriber* tool : m_tools)
        addSubscriber(tool);
}

GSErrCode createAddon(HostEnvironment*) {
    registerPresetsModel();
    if (GSErrCode err = initialiseModules(); err != 0) return err;
    product = std::make_unique<ZAVLinkAddon>();
    setAddon(product.get());
    product->startUp();
    return 0;
}

GSErrCode destroyAddon() {
    // The tools still find the add-on while they go.
    product.reset();
    setAddon(nullptr);
    AnnotationPalette::releaseInstance();
    Project::setResetHook(nullptr);
    IFCData::releaseAll();
    return terminateModules();
}

void reportInternalError() {
    ErrorAlert().show(Host::getResourceString(ErrorTexts, InternalErrorItem));
}

std::vector<HostFunction> requiredFunctions() {
    // Placing and labelling make texts and labels from the host's defaults, with their memos,
    // user data and links, in undoable steps, on a layer they check; collecting, finding,
    // updating and the displays read the project's elements, their memos, user data and the
    // selection; labels follow the user's edits through the element observer.
    return {
        TARNWICK_HOST_FUNCTION(InstallElementObserver), TARNWICK_HOST_FUNCTION(RunUndoableCommand),
        TARNWICK_HOST_FUNCTION(GetAttribute),           TARNWICK_HOST_FUNCTION(GetDefaultElement),
        TARNWICK_HOST_FUNCTION(GetElementUserData),     TARNWICK_HOST_FUNCTION(SetElementUserData),
        TARNWICK_HOST_FUNCTION(ClearElementUserData),   TARNWICK_HOST_FUNCTION(GetElement),
        TARNWICK_HOST_FUNCTION(GetElementHeader),       TARNWICK_HOST_FUNCTION(GetElementMemo),
        TARNWICK_HOST_FUNCTION(GetElementList),         TARNWICK_HOST_FUNCTION(FilterElement),
        TARNWICK_HOST_FUNCTION(GetSelection),           TARNWICK_HOST_FUNCTION(CreateElement),
        TARNWICK_HOST_FUNCTION(ChangeElement),          TARNWICK_HOST_FUNCTION(ElementSwitchOnCall),
        TARNWICK_HOST_FUNCTION(LinkElements),
    };
}

GSErrCode reportFailedStep() {
    reportInternalError();
    return hosterr::Failed;
}

} // namespace zavlink
