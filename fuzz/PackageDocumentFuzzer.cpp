// Any bytes as a stored package store. Taking them apart, or taking what was whole before a fault,
// must never crash; and whatever is taken must go back together: each element alone is a document
// of that one element, and the elements put into a document of ours come apart again into the same
// bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "persistence/PackageDocument.h"

using namespace tarnwick;

namespace {

void checkElements(const std::string& text, const String& root, const PackageDocument& document) {
    std::vector<std::string> parts;
    for (const PackageDocument::Element& element : document.getElements()) {
        if (element.bytes.empty() || element.bytes.front() != '<' || element.bytes.back() != '>')
            __builtin_trap();
        if (text.find(element.bytes) == std::string::npos) __builtin_trap();
        if (element.name != root) {
            PackageDocument alone;
            if (!alone.split(element.bytes, root) || alone.getElements().size() != 1 ||
                alone.getElements()[0].bytes != element.bytes)
                __builtin_trap();
        }
        parts.push_back(element.bytes);
    }
    PackageDocument again;
    if (!again.split(PackageDocument::compose(root, parts), root)) __builtin_trap();
    if (again.getElements().size() != parts.size()) __builtin_trap();
    for (size_t i = 0; i < parts.size(); ++i)
        if (again.getElements()[i].bytes != parts[i]) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const String root("frameworkPreferenceStore");
    std::string text(reinterpret_cast<const char*>(data), size);
    PackageDocument document;
    if (document.split(text, root)) {
        checkElements(text, root, document);
        return 0;
    }
    if (!document.getElements().empty()) __builtin_trap();
    if (document.salvage(text, root)) {
        if (document.getElements().empty()) __builtin_trap();
        checkElements(text, root, document);
    } else if (!document.getElements().empty()) {
        __builtin_trap();
    }
    return 0;
}
