#include "AttributeStore.h"

#include <algorithm>
#include <cstring>
#include <ctime>

#include "LayerCombinations.h"
#include "platform/api/CompositeRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Guid.h"
#include "platform/gsroot/Memory.h"
#include "platform/io/Location.h"

namespace zavhost {

namespace {
constexpr size_t nameSize = sizeof(HostAttributeHeader::name);

std::string nameOf(const HostAttributeHeader& header) {
    return std::string(header.name, strnlen(header.name, nameSize));
}

void clearPointers(API_Attribute* record) {
    record->header.uniName = nullptr;
    if (record->header.typeCode == AttrSurface) record->surface.textureLocation = nullptr;
}

void setName(API_Attribute* record, const std::string& name) {
    std::memset(record->header.name, 0, nameSize);
    std::memcpy(record->header.name, name.data(), std::min(name.size(), nameSize - 1));
}

API_Attribute newRecord(uint32_t type, const std::string& name) {
    API_Attribute record;
    record.header.typeCode = type;
    setName(&record, name);
    return record;
}

void setColour(double (&colour)[3], double red, double green, double blue) {
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
}

StoredBlock blockOf(const void* bytes, size_t size) {
    StoredBlock block;
    block.bytes.assign(static_cast<const char*>(bytes), size);
    return block;
}

// Surfaces, a building material on the first of them, a two-skin composite of it and a profile.
void addMaterials(AttributeStore& store) {
    API_Attribute paint = newRecord(AttrSurface, "White Paint");
    HostSurface& white = paint.surface;
    white.ambientReflection = 60;
    white.diffuseReflection = 80;
    white.shininess = 2500;
    setColour(white.surfaceColour, 0.95, 0.95, 0.92);
    setColour(white.specularColour, 1.0, 1.0, 1.0);
    store.create(&paint, nullptr);
    API_Attribute glass = newRecord(AttrSurface, "Clear Glass");
    glass.surface.surfaceType = 2;
    glass.surface.transparency = 85;
    glass.surface.transparencyAttenuation = 200;
    setColour(glass.surface.surfaceColour, 0.7, 0.85, 0.9);
    store.create(&glass, nullptr);

    API_Attribute concrete = newRecord(AttrBuildingMaterial, "Concrete");
    concrete.material.fill = 1;
    concrete.material.fillPen = 1;
    concrete.material.backgroundPen = 2;
    concrete.material.surface = paint.header.index;
    concrete.material.values[0] = 1.6;
    concrete.material.values[1] = 2300.0;
    concrete.material.values[2] = 880.0;
    store.create(&concrete, nullptr);

    API_Attribute wall = newRecord(AttrComposite, "Two Skins");
    store.create(&wall, nullptr);
    HostCompositeCore cores[2];
    HostCompositeEdge edges[3];
    // A structural skin and a finish skin, as a slab's elevation reference reads them.
    for (HostCompositeCore& core : cores)
        core.material = static_cast<uint16_t>(concrete.header.index);
    cores[0].thickness = 0.2;
    cores[1].thickness = 0.05;
    cores[1].flags = HostCoreFinishFlag;
    for (uint8_t i = 0; i < 3; ++i)
        edges[i].bytes[0] = static_cast<uint8_t>(i + 1);
    StoredAttribute* stored = store.edit(AttrComposite, wall.header.index);
    stored->memo.emplace(static_cast<uint32_t>(offsetof(HostAttributeMemo, coreList)),
                         blockOf(cores, sizeof cores));
    stored->memo.emplace(static_cast<uint32_t>(offsetof(HostAttributeMemo, edgeList)),
                         blockOf(edges, sizeof edges));

    API_Attribute column = newRecord(AttrProfile, "Round Column");
    column.profile.columnUse = 1;
    store.create(&column, nullptr);
}
} // namespace

std::string StoredAttribute::name() const {
    return nameOf(header());
}

bool StoredAttribute::operator==(const StoredAttribute& other) const {
    return std::memcmp(record.raw, other.record.raw, sizeof record.raw) == 0 && memo == other.memo &&
           userData == other.userData && texturePath == other.texturePath;
}

StoredAttribute storedAttributeOf(const API_Attribute& record) {
    API_Attribute copy = record;
    clearPointers(&copy);
    StoredAttribute stored;
    stored.record = copy;
    if (record.header.typeCode == AttrSurface && record.surface.textureLocation != nullptr)
        stored.texturePath = record.surface.textureLocation->ToPath();
    return stored;
}

namespace {
const char* const typeNames[AttributeStore::lastType + 1] = {nullptr,         "pen",   "layer",
                                                             "line-type",     "fill",  "composite",
                                                             "surface",       "city",  "layer-combination",
                                                             "zone-category", "font",  "profile",
                                                             nullptr,         nullptr, nullptr,
                                                             nullptr,         nullptr, "building-material",
                                                             nullptr};
} // namespace

std::string AttributeStore::typeName(uint32_t type) {
    if (type <= lastType && typeNames[type] != nullptr) return typeNames[type];
    return "type " + std::to_string(type);
}

uint32_t AttributeStore::typeNamed(const std::string& name) {
    for (uint32_t type = firstType; type <= lastType; ++type)
        if (typeNames[type] != nullptr && name == typeNames[type]) return type;
    if (name.empty() || name.size() > 2 || name.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    uint32_t type = static_cast<uint32_t>(std::stoul(name));
    return validType(type) ? type : 0;
}

const AttributeStore::Table& AttributeStore::table(uint32_t type) const {
    static const Table none;
    return validType(type) ? m_tables[type] : none;
}

const StoredAttribute* AttributeStore::find(uint32_t type, int16_t index) const {
    return validType(type) ? m_tables[type].get(index) : nullptr;
}

StoredAttribute* AttributeStore::edit(uint32_t type, int16_t index) {
    return validType(type) ? m_tables[type].edit(index) : nullptr;
}

int16_t AttributeStore::search(uint32_t type, std::string_view name) const {
    if (!validType(type) || name.empty()) return 0;
    for (const auto& [index, attribute] : m_tables[type])
        if (attribute.name() == name) return index;
    return 0;
}

uint16_t AttributeStore::count(uint32_t type) const {
    if (!validType(type) || m_tables[type].empty()) return 0;
    return static_cast<uint16_t>(m_tables[type].last()->first);
}

size_t AttributeStore::liveCount(uint32_t type) const {
    return validType(type) ? m_tables[type].size() : 0;
}

namespace {
// The bytes a memo field gives; nothing for a null or dead handle.
size_t givenSize(GSHandle handle) {
    return handle != nullptr && BMIsLiveHandle(handle) ? static_cast<size_t>(BMHandleSize(handle)) : 0;
}

std::string compositeFault(const HostAttributeMemo& memo) {
    const size_t coreBytes = givenSize(memo.coreList);
    const size_t edgeBytes = givenSize(memo.edgeList);
    if (coreBytes == 0 && edgeBytes == 0) return {}; // the record alone
    if (coreBytes == 0 || coreBytes % sizeof(HostCompositeCore) != 0)
        return "cores of " + std::to_string(coreBytes) + " bytes, not whole 16-byte records";
    if (edgeBytes % sizeof(HostCompositeEdge) != 0)
        return "edges of " + std::to_string(edgeBytes) + " bytes, not whole 32-byte records";
    const size_t cores = coreBytes / sizeof(HostCompositeCore);
    const size_t edges = edgeBytes / sizeof(HostCompositeEdge);
    if (edges != cores + 1)
        return std::to_string(cores) + " core(s) with " + std::to_string(edges) + " edge(s), not one more";
    return {};
}
} // namespace

std::string AttributeStore::memoFault(const API_Attribute& record, const HostAttributeMemo* memo) const {
    if (memo == nullptr) return {};
    switch (record.header.typeCode) {
    case AttrLayerCombination:
        return layerStatesFault(*this, *memo);
    case AttrComposite:
        return compositeFault(*memo);
    default:
        return {};
    }
}

GSErrCode AttributeStore::create(API_Attribute* record, const HostAttributeMemo* memo) {
    if (record == nullptr) return hosterr::BadParameter;
    uint32_t type = record->header.typeCode;
    if (!validType(type)) return hosterr::BadParameter;
    if (search(type, nameOf(record->header)) != 0) return hosterr::BadParameter;
    uint16_t highest = count(type);
    if (highest >= 0x7FFF) return hosterr::MemoryFull;
    auto index = static_cast<int16_t>(highest + 1);
    record->header.index = index;
    record->header.modificationTime = static_cast<uint64_t>(std::time(nullptr));
    if (record->header.guid.isNull()) {
        GS::Guid guid;
        guid.Generate();
        record->header.guid = guid.ToAPI();
    }
    StoredAttribute stored = storedAttributeOf(*record);
    if (memo != nullptr) stored.memo = captureAttributeMemo(*memo);
    m_tables[type].insert(index, std::move(stored));
    return hosterr::Ok;
}

GSErrCode AttributeStore::modify(const API_Attribute& record, const HostAttributeMemo* memo) {
    uint32_t type = record.header.typeCode;
    if (!validType(type)) return hosterr::BadParameter;
    const StoredAttribute* was = find(type, record.header.index);
    if (was == nullptr) return hosterr::BadIndex;
    int16_t named = search(type, nameOf(record.header));
    if (named != 0 && named != record.header.index) return hosterr::BadParameter;
    StoredAttribute changed = storedAttributeOf(record);
    HostAttributeHeader& header = changed.record.header;
    header.guid = was->header().guid; // the identity stays the host's
    header.modificationTime = static_cast<uint64_t>(std::time(nullptr));
    changed.memo = memo != nullptr ? captureAttributeMemo(*memo) : was->memo;
    changed.userData = was->userData;
    if (changed.texturePath.empty()) changed.texturePath = was->texturePath; // none given: kept
    m_tables[type].assign(record.header.index, std::move(changed));
    return hosterr::Ok;
}

GSErrCode AttributeStore::remove(uint32_t type, int16_t index) {
    if (!validType(type)) return hosterr::BadParameter;
    return m_tables[type].erase(index) != 0 ? hosterr::Ok : hosterr::BadIndex;
}

GSErrCode AttributeStore::get(API_Attribute* record) const {
    if (record == nullptr) return hosterr::BadParameter;
    uint32_t type = record->header.typeCode;
    if (!validType(type)) return hosterr::BadParameter;
    const StoredAttribute* stored = find(type, record->header.index);
    if (stored == nullptr) return hosterr::BadIndex;
    *record = stored->record;
    if (type == AttrSurface && !stored->texturePath.empty())
        record->surface.textureLocation = new IO::Location(stored->texturePath);
    return hosterr::Ok;
}

bool AttributeStore::restore(uint32_t type, int16_t index, StoredAttribute attribute) {
    if (!validType(type) || index <= 0) return false;
    HostAttributeHeader& header = attribute.record.header;
    header.typeCode = type;
    header.index = index;
    clearPointers(&attribute.record);
    return m_tables[type].insert(index, std::move(attribute));
}

AttributeStore AttributeStore::withDefaults() {
    AttributeStore store;
    struct PenSpec {
        double r, g, b, width;
    };
    const PenSpec pens[] = {{0, 0, 0, 0.1},       {1, 0, 0, 0.18}, {0, 0.5, 0, 0.25}, {0, 0, 1, 0.35},
                            {0.5, 0.5, 0.5, 0.5}, {1, 1, 0, 0.13}, {0, 1, 1, 0.7},    {1, 0, 1, 1.0}};
    int number = 1;
    for (const PenSpec& pen : pens) {
        API_Attribute record = newRecord(AttrPen, "Pen " + std::to_string(number++));
        record.pen.red = pen.r;
        record.pen.green = pen.g;
        record.pen.blue = pen.b;
        record.pen.width = pen.width;
        store.create(&record, nullptr);
    }
    for (const char* name : {"Default Layer", "Walls", "Annotation", "Dimensions", "Hidden Things"}) {
        API_Attribute record = newRecord(AttrLayer, name);
        if (std::string(name) == "Hidden Things") record.header.flags = LayerHidden;
        store.create(&record, nullptr);
    }
    API_Attribute lineType = newRecord(AttrLineType, "Solid Line");
    store.create(&lineType, nullptr);
    API_Attribute dashed = newRecord(AttrLineType, "Dashed Line");
    store.create(&dashed, nullptr);
    API_Attribute fill = newRecord(AttrFill, "Solid Fill");
    store.create(&fill, nullptr);
    API_Attribute font = newRecord(AttrFont, "Sans");
    store.create(&font, nullptr);
    API_Attribute city = newRecord(AttrCity, "Home Town");
    city.city.firstAngleMinutes = 3210; // 53.5 degrees
    city.city.secondAngleMinutes = -90; // -1.5 degrees
    store.create(&city, nullptr);

    addMaterials(store);

    // A layer combination that shows every layer as it is.
    API_Attribute combination = newRecord(AttrLayerCombination, "Everything");
    const auto& layers = store.table(AttrLayer);
    combination.layerCombination.entryCount = static_cast<uint16_t>(layers.size());
    StoredBlock statuses;
    for (const auto& [index, layer] : layers) {
        HostLayerStatus status;
        status.index = index;
        status.flags = layer.header().flags;
        statuses.bytes.append(reinterpret_cast<const char*>(&status), sizeof status);
    }
    store.create(&combination, nullptr);
    StoredAttribute* stored = store.edit(AttrLayerCombination, combination.header.index);
    stored->memo.emplace(static_cast<uint32_t>(offsetof(HostAttributeMemo, layerStatus)),
                         std::move(statuses));
    return store;
}

} // namespace zavhost
