// Any bytes as a stored preference document (the project's module data, a framework preference
// file), read the way the add-on settles its packages with the project preferences registered:
// taken apart, each element the package claims read into a copy of its defaults; text that cannot
// be taken apart read as a whole store, or else the elements whole before its fault read as above.
// Every read must end cleanly, whatever it answers. The bytes come from a file, as the preference
// file does, read whole in blocks (the seeds hold one larger than a block) and unchanged.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/Directory.h"
#include "FuzzFile.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/PackageDocument.h"
#include "persistence/PackageStore.h"
#include "persistence/StoredCopy.h"
#include "persistence/XMLReader.h"
#include "platform/io/Location.h"

using namespace tarnwick;

namespace {

std::string readAsPreferenceFile(std::string_view bytes) {
    const std::string& path = fuzzfile::write("fuzz_preference_store", bytes);
    const size_t slash = path.rfind('/');
    const Directory folder{IO::Location(path.substr(0, slash))};
    std::string text;
    if (!storedcopy::readFile(folder, String(path.substr(slash + 1)), text) || text != bytes)
        __builtin_trap();
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const String storeName("frameworkPreferenceStore");
    const std::string text =
        readAsPreferenceFile(std::string_view(reinterpret_cast<const char*>(data), size));
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
