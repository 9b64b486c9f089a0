#include "annotation/Readiness.h"

#include "Environment/Addon.h"
#include "Environment/DataFile.h"
#include "Environment/Event.h"
#include "Environment/Host.h"
#include "Environment/SystemServices.h"
#include "annotation/Request.h"
#include "annotation/SelectSpecification.h"
#include "annotation/ZAVLinkPrefs.h"
#include "project/Alert.h"

namespace zavlink {

using namespace tarnwick;

namespace {

bool fileExists(const String& path) {
    return !path.isEmpty() && DataFile(path).exists();
}

} // namespace

void reportAnnotatorNotFound() {
    ErrorAlert().show(Host::getResourceString(ExchangeAlertTexts, AnnotatorNotFoundItem));
}

bool locateAnnotator(String& path, bool quiet) {
    ZAVLinkPrefs* prefs = projectPrefs();
    if (prefs == nullptr) return false;
    if (prefs->annotatorFound && !fileExists(prefs->annotatorPath)) prefs->annotatorFound = false;
    if (!prefs->annotatorFound) {
        String registered;
        // A value naming no file would only start a wait that nothing ends: it counts as absent.
        if (SystemServices::readRegistryValue(String(AnnotatorCompanyKey), String(AnnotatorProductKey),
                                              String(AnnotatorPathValue), registered, AnnotatorRegistryRoot,
                                              AnnotatorRegistryView) &&
            fileExists(registered)) {
            prefs->annotatorPath = registered;
            prefs->annotatorFound = true;
        } else if (!quiet) {
            reportAnnotatorNotFound();
        }
    }
    path = prefs->annotatorPath;
    return prefs->annotatorFound;
}

bool checkSpecification(String& path, bool quiet) {
    ZAVLinkPrefs* prefs = projectPrefs();
    if (prefs == nullptr) return false;
    const bool wasChosen = prefs->isSpecification;
    if (wasChosen && !fileExists(prefs->specificationPath)) prefs->isSpecification = false;
    if (!prefs->isSpecification && !quiet) {
        const uint32_t item = wasChosen ? LostSpecificationItem : NoSpecificationItem;
        if (ConfirmAlert().show(Host::getResourceString(QuestionTexts, item), String(), String()) ==
            ConfirmAlert::FirstButton) {
            Event choose(SelectSpecificationEvent);
            if (Addon* addon = getAddon()) (void)addon->handleEvent(choose);
            // The choice is read from the project as the subscribers left it.
            prefs = projectPrefs();
            if (prefs == nullptr) return false;
        }
    }
    path = prefs->specificationPath;
    return prefs->isSpecification;
}

bool checkReady(String& program, String& specification, bool quiet) {
    return locateAnnotator(program, quiet) && checkSpecification(specification, quiet);
}

} // namespace zavlink
