#include "annotation/ZAVLinkPrefs.h"

#include "persistence/XMLTypeProxy.h"

namespace zavlink {

using namespace tarnwick;

ZAVLinkPrefs::ZAVLinkPrefs() : Package(String(ElementName)) {}

std::unique_ptr<Package> ZAVLinkPrefs::clone() const {
    return std::make_unique<ZAVLinkPrefs>(*this);
}

void ZAVLinkPrefs::reset() {
    specificationPath = String();
    annotatorPath = String();
    isSpecification = false;
    annotatorFound = false;
    isUpdateSelectedWarned = true;
    isUpdateAllWarned = true;
    isReplaceSelectedWarned = true;
    isReplaceAllWarned = true;
    isAcceptSelectedWarned = true;
    isAcceptAllWarned = true;
}

std::unique_ptr<XMLShipping> ZAVLinkPrefs::makeFieldProxy(size_t index, bool) {
    auto flag = [](bool* field, const char* name) {
        return std::make_unique<XMLTypeProxy<bool>>(field, String(name));
    };
    switch (index) {
    case 0:
        return flag(&isSpecification, "isSpecification");
    case 1:
        return std::make_unique<XMLTypeProxy<String>>(&specificationPath, String("specificationPath"));
    case 2:
        return flag(&isUpdateSelectedWarned, "isUpdateSelectedWarned");
    case 3:
        return flag(&isUpdateAllWarned, "isUpdateAllWarned");
    case 4:
        return flag(&isReplaceSelectedWarned, "isReplaceSelectedWarned");
    case 5:
        return flag(&isReplaceAllWarned, "isReplaceAllWarned");
    case 6:
        return flag(&isAcceptSelectedWarned, "isAcceptSelectedWarned");
    case 7:
        return flag(&isAcceptAllWarned, "isAcceptAllWarned");
    default:
        return nullptr;
    }
}

std::unique_ptr<XMLShipping> ZAVLinkPrefs::makeFieldProxyByName(const String& name) {
    // A nested element of the package's own name reads into this same package.
    if (name == String(ElementName)) return std::make_unique<XMLAssemblyProxy>(*this);
    return Package::makeFieldProxyByName(name);
}

} // namespace zavlink
