#include "ZoneParts.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "ElementGeometry.h"
#include "LibraryManager.h"
#include "Project.h"
#include "RecordFields.h"
#include "platform/api/LibraryRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {

template <size_t N> void setText(char16_t (&field)[N], const std::string& text) {
    const std::u16string units = GS::Utf8ToUtf16(text);
    const size_t n = std::min(units.size(), N - 1);
    std::copy(units.begin(), units.begin() + static_cast<std::ptrdiff_t>(n), field);
    field[n] = 0;
}

template <class T> size_t entriesOf(const StoredMemo& memo, uint32_t field) {
    auto it = memo.blocks.find(field);
    return it == memo.blocks.end() ? 0 : it->second.bytes.size() / sizeof(T);
}

} // namespace

bool setDefaultZoneSettings(API_Element& record) {
    if (record.head.typeCode != ZoneTypeCode) return false;
    HostZoneElement zone = partOf<HostZoneElement>(record);
    zone.contourPen = zone.kind2Pen = zone.kind6Pen = zone.kind8Pen = 1;
    zone.surface = 1;
    zone.height = 3.0;
    setText(zone.name, "Zone");
    setText(zone.number, "1");
    setPart(record, zone);
    return true;
}

StoredMemo defaultZoneMemo() {
    const HostAdditionalParameter records[] = {parameterRecord(2, "StampSize", 0.5, ""),
                                               parameterRecord(13, "ShowArea", 1.0, "")};
    StoredBlock parameters;
    parameters.bytes.assign(reinterpret_cast<const char*>(records), sizeof records);
    StoredMemo memo;
    memo.blocks[offsetof(API_ElementMemo, parameters)] = std::move(parameters);
    return memo;
}

void startZone(const Project& project, StoredElement& zone, const DefaultElement& defaults) {
    HostZoneElement part = partOf<HostZoneElement>(defaults.record);
    part.head = zone.record.head;
    const std::vector<std::vector<HostCoord2D>> contours = contoursOf(zone.memo);
    part.coordinateCount = static_cast<uint32_t>(entriesOf<HostCoord2D>(zone.memo, 0));
    if (part.coordinateCount > 0) --part.coordinateCount; // index 0 holds no point
    part.endCount = static_cast<uint32_t>(contours.size());
    part.arcCount =
        static_cast<uint32_t>(entriesOf<HostPolygonArc>(zone.memo, offsetof(API_ElementMemo, arcs)));
    if (std::optional<HostBox3D> box = boxOf(zone)) {
        part.stampPoint1 = {(box->xMin + box->xMax) / 2.0, (box->yMin + box->yMax) / 2.0};
        part.stampPoint2 = part.stampPoint1;
    }
    if (part.stampIndex == 0) {
        const StoredAttribute* category =
            project.model.attributes.find(AttrZoneCategory, static_cast<int16_t>(part.category));
        if (category != nullptr)
            part.stampIndex =
                project.library.findByName(textOf(category->record.zoneCategory.stampName), LibPartZone);
    }
    setPart(zone.record, part);
    auto parameters = defaults.memo.blocks.find(offsetof(API_ElementMemo, parameters));
    if (parameters != defaults.memo.blocks.end() && zone.memo.blocks.count(parameters->first) == 0)
        zone.memo.blocks.insert(*parameters);
}

std::string zoneOutlineProblem(const StoredElement& zone) {
    const HostZoneElement part = partOf<HostZoneElement>(zone.record);
    if (part.coordinateCount < 1 || part.endCount < 1) return "a zone needs an outline";
    // Index 0 of the coordinates and of the ends holds no point.
    const auto coordinates = entriesOf<HostCoord2D>(zone.memo, offsetof(API_ElementMemo, coordinates));
    const auto ends = entriesOf<uint32_t>(zone.memo, offsetof(API_ElementMemo, subPolygonEnds));
    const auto arcs = entriesOf<HostPolygonArc>(zone.memo, offsetof(API_ElementMemo, arcs));
    if (coordinates != size_t(part.coordinateCount) + 1 || ends != size_t(part.endCount) + 1 ||
        arcs != part.arcCount)
        return "its outline counts do not describe the polygon of its memo";
    return {};
}

size_t fillZoneQuantities(const StoredElement& zone, const uint8_t* mask, uint8_t* block) {
    const HostZoneElement part = partOf<HostZoneElement>(zone.record);
    const std::vector<std::vector<HostCoord2D>> contours = contoursOf(zone.memo);
    HostZoneQuantities values;
    double* fixed[] = {
        &values.zoneMeasure2,  &values.zoneMeasure5,  &values.zoneMeasure6,  &values.zoneMeasure7,
        &values.zoneMeasure8,  &values.zoneMeasure9,  &values.measure5,      &values.zoneMeasure15,
        &values.zoneMeasure16, &values.zoneMeasure14, &values.zoneMeasure13, &values.zoneMeasure11,
        &values.zoneMeasure12, &values.zoneMeasure17, &values.zoneMeasure18, &values.zoneMeasure19};
    for (double* value : fixed)
        *value = 1000.0 +
                 static_cast<double>(reinterpret_cast<uint8_t*>(value) - reinterpret_cast<uint8_t*>(&values));
    values.measure1 = areaOf(zone);
    values.measure12 = lengthOf(zone);
    values.zoneMeasure1 = values.measure1 * part.height;
    values.zoneMeasure3 = contours.empty() ? 0 : static_cast<int32_t>(contours.size() - 1);
    values.zoneMeasure4 = static_cast<int32_t>(part.coordinateCount);
    for (size_t c = 1; c < contours.size(); ++c) {
        double twice = 0.0;
        for (size_t i = 0; i + 1 < contours[c].size(); ++i)
            twice += contours[c][i].x * contours[c][i + 1].y - contours[c][i + 1].x * contours[c][i].y;
        values.zoneMeasure10 += std::fabs(twice) / 2.0;
    }
    struct Field {
        size_t offset;
        size_t size;
    };
    const Field fields[] = {{offsetof(HostZoneQuantities, zoneMeasure3), sizeof(int32_t)},
                            {offsetof(HostZoneQuantities, zoneMeasure4), sizeof(int32_t)}};
    size_t filled = 0;
    for (size_t offset = 0; offset < offsetof(HostZoneQuantities, reserved);) {
        size_t size = sizeof(double);
        for (const Field& field : fields)
            if (field.offset == offset) size = field.size;
        if (fieldAsked(mask, offset, size)) {
            std::memcpy(block + offset, reinterpret_cast<const uint8_t*>(&values) + offset, size);
            ++filled;
        }
        offset += size;
    }
    return filled;
}

} // namespace zavhost
