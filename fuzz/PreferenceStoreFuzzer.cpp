// Any bytes as a stored preference document (the project's module data, a framework preference
// file), read the way the add-on settles its packages with the project preferences registered:
// taken apart, each element the package claims read into a copy of its defaults; text that cannot
// be taken apart read as a whole store, or else the elements whole before its fault read as above.
// Every read must end cleanly, whatever it answers.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Environment/DataBufferIn.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/PackageDocument.h"
#include "persistence/PackageStore.h"
#include "persistence/XMLReader.h"

using namespace tarnwick;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const String storeName("frameworkPreferenceStore");
    const std::string text(reinterpret_cast<const char*>(data), size);
    const zavlink::ZAVLinkPrefs defaults;
    PackageDocument document;
    bool split = document.split(text, storeName);
    if (!split) {
        PackageStore store(storeName);
        store.adoptPackage(defaults.clone());
        DataBufferIn in{String(text)};
        bool whole = XMLReader(in).read(store);
        store.closeAll();
        if (whole || !document.salvage(text, storeName)) return 0;
    }
    for (const PackageDocument::Element& element : document.getElements()) {
        if (element.name != defaults.getElementName()) continue;
        std::unique_ptr<Package> package = defaults.clone();
        static_cast<void>(PackageDocument::readElement(element.bytes, *package));
    }
    return 0;
}
