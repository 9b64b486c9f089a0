#include "ElementTypes.h"

#include <cstdlib>

namespace zavhost {

namespace {
struct TypeEntry {
    uint32_t code;
    const char* name;
    uint32_t selectionKind;
};

constexpr TypeEntry types[] = {
    {1, "wall", 1},
    {2, "column", 5},
    {3, "beam", 6},
    {4, "window", 10},
    {5, "door", 12},
    {6, "object", 13},
    {7, "lamp", 14},
    {8, "slab", 15},
    {9, "roof", 17},
    {10, "mesh", 21},
    {11, "dimension", 27},
    {12, "radial-dimension", 28},
    {13, "level-dimension", 29},
    {14, "angle-dimension", 31},
    {15, "text", 32},
    {16, "label", 33},
    {17, "zone", 34},
    {18, "hatch", 38},
    {19, "line", 40},
    {20, "polyline", 0},
    {21, "circle", 44},
    {22, "arc", 46},
    {23, "spline", 48},
    {24, "hotspot", 50},
    {25, "section-marker", 51},
    {26, "type-26", 53},
    {29, "proxy", 55},
    {30, "placed-drawing", 0},
    {31, "image", 57},
    {33, "elevation-marker", 0},
    {37, "curtain-wall", 0},
    {38, "curtain-wall-segment", 0},
    {39, "curtain-wall-frame", 0},
    {40, "curtain-wall-panel", 0},
    {41, "curtain-wall-junction", 0},
    {42, "curtain-wall-accessory", 0},
    {43, "shell", 0},
    {44, "skylight", 0},
    {45, "free-form", 0},
};

const TypeEntry* entryOf(uint32_t code) {
    for (const TypeEntry& entry : types)
        if (entry.code == code) return &entry;
    return nullptr;
}
} // namespace

std::string elementTypeName(uint32_t typeCode) {
    const TypeEntry* entry = entryOf(typeCode);
    return entry != nullptr ? entry->name : "type " + std::to_string(typeCode);
}

std::vector<std::string> elementTypeNames() {
    std::vector<std::string> names;
    for (const TypeEntry& entry : types)
        names.emplace_back(entry.name);
    return names;
}

std::optional<uint32_t> elementTypeNamed(const std::string& name) {
    for (const TypeEntry& entry : types)
        if (name == entry.name) return entry.code;
    if (name.empty() || name.size() > 2 || name.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    uint32_t code = static_cast<uint32_t>(std::strtoul(name.c_str(), nullptr, 10));
    if (code < 1 || code > LargestTypeCode) return std::nullopt;
    return code;
}

uint32_t selectionKindOfType(uint32_t typeCode) {
    const TypeEntry* entry = entryOf(typeCode);
    return entry != nullptr ? entry->selectionKind : 0;
}

uint32_t typeOfSelectionKind(uint32_t selectionKind) {
    if (selectionKind == 0) return 0;
    for (const TypeEntry& entry : types)
        if (entry.selectionKind == selectionKind) return entry.code;
    return 0;
}

bool isModelType(uint32_t typeCode) {
    return (typeCode >= 1 && typeCode <= 10) || typeCode == 17 || (typeCode >= 37 && typeCode <= 45);
}

bool hasCompositeQuantities(uint32_t typeCode) {
    return typeCode == 1 || typeCode == 8 || typeCode == 9 || typeCode == 43;
}

} // namespace zavhost
