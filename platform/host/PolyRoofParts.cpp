#include "PolyRoofParts.h"

#include <cmath>
#include <cstring>
#include <sstream>

#include "ElementGeometry.h"
#include "ModelCalls.h"
#include "Scenario.h"
#include "ScenarioLine.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {
template <class Part> Part partOfRecord(const API_Element& record) {
    Part part;
    std::memcpy(static_cast<void*>(&part), record.raw, sizeof part);
    return part;
}
template <class Part> void setPartOfRecord(API_Element* record, const Part& part) {
    std::memcpy(record->raw, &part, sizeof part);
}
} // namespace

bool StoredRoofPlane::operator==(const StoredRoofPlane& other) const {
    return std::memcmp(record.raw, other.record.raw, sizeof record.raw) == 0 && memo == other.memo;
}

void keepAskedRoofClass(const API_Element& asked, API_Element* made) {
    if (asked.head.typeCode != HostRoofTypeCode) return;
    const uint32_t askedClass = partOfRecord<HostShelterElement>(asked).roofClass;
    HostPolyRoofElement part = partOfRecord<HostPolyRoofElement>(*made);
    part.shelter.roofClass = askedClass == HostPolyRoofClass ? HostPolyRoofClass : HostSingleRoofClass;
    setPartOfRecord(made, part);
}

bool isPolyRoof(const StoredElement& element) {
    return element.head().typeCode == HostRoofTypeCode &&
           partOfRecord<HostShelterElement>(element.record).roofClass == HostPolyRoofClass;
}

StoredRoofPlane makeRoofPlane(const StoredElement& roof, double slopeAngle) {
    StoredRoofPlane plane;
    HostShelterElement part = partOfRecord<HostShelterElement>(roof.record);
    part.roofClass = HostSingleRoofClass;
    part.slopeAngle = slopeAngle;
    setPartOfRecord(&plane.record, part);
    // The plane keeps the roof's outline; the pivot polygon is the multi-plane roof's alone.
    for (const auto& [offset, block] : roof.memo.blocks)
        if (memoPartOfField(offset) != MemoPivotPolygon) plane.memo.blocks.emplace(offset, block);
    return plane;
}

std::string pivotPolygonProblem(const StoredElement& element) {
    if (!isPolyRoof(element)) return {};
    const HostPolyRoofElement part = partOfRecord<HostPolyRoofElement>(element.record);
    auto blockAt = [&element](size_t offset) -> const StoredBlock* {
        auto found = element.memo.blocks.find(static_cast<uint32_t>(offset));
        return found == element.memo.blocks.end() ? nullptr : &found->second;
    };
    const StoredBlock* coordinates = blockAt(offsetof(API_ElementMemo, pivotCoordinates));
    const StoredBlock* ends = blockAt(offsetof(API_ElementMemo, pivotEnds));
    const StoredBlock* arcs = blockAt(offsetof(API_ElementMemo, pivotArcs));
    const StoredBlock* ids = blockAt(offsetof(API_ElementMemo, pivotVertexIds));
    const StoredBlock* records = blockAt(offsetof(API_ElementMemo, pivotRecords));
    for (const StoredBlock* handle : {coordinates, ends, arcs, ids})
        if (handle != nullptr && handle->isPointer) return "the pivot polygon's parts are not handles";
    if (records != nullptr && !records->isPointer) return "the pivot records are not a pointer block";
    auto holds = [](const StoredBlock* block, uint64_t entries, size_t size) {
        return entries == 0 || (block != nullptr && block->bytes.size() >= entries * size);
    };
    const uint64_t points = part.pivotCoordinateCount == 0 ? 0 : uint64_t(part.pivotCoordinateCount) + 1;
    const bool none = part.pivotCoordinateCount == 0 && part.pivotEndCount == 0 && part.pivotArcCount == 0;
    const bool fits = none ? coordinates == nullptr && records == nullptr
                           : part.pivotCoordinateCount >= 1 && part.pivotEndCount >= 1 &&
                                 holds(coordinates, points, sizeof(HostCoord2D)) &&
                                 holds(ends, uint64_t(part.pivotEndCount) + 1, sizeof(uint32_t)) &&
                                 holds(arcs, part.pivotArcCount, sizeof(HostPolygonArc)) &&
                                 (ids == nullptr || holds(ids, points, sizeof(uint32_t))) &&
                                 (records == nullptr || holds(records, points, 32));
    return fits ? std::string() : "its pivot counts do not describe the pivot polygon of its memo";
}

void transformPolyRoofParts(StoredElement& element, const HostEditTransformation& edit) {
    if (!isPolyRoof(element)) return;
    // Each goes through the edit as the polygon of an element of no type, which has nothing else
    // to move, or as the single-plane roof it is.
    auto pivot = element.memo.blocks.find(offsetof(API_ElementMemo, pivotCoordinates));
    if (pivot != element.memo.blocks.end()) {
        StoredElement carrier;
        carrier.memo.blocks[offsetof(API_ElementMemo, coordinates)] = std::move(pivot->second);
        transformGeometry(carrier, edit);
        pivot->second = std::move(carrier.memo.blocks[offsetof(API_ElementMemo, coordinates)]);
    }
    for (StoredRoofPlane& plane : element.roofPlanes) {
        StoredElement carrier;
        carrier.record = plane.record;
        carrier.memo = std::move(plane.memo);
        transformGeometry(carrier, edit);
        plane.record = carrier.record;
        plane.memo = std::move(carrier.memo);
    }
}

bool parsePolyRoofWord(LineReader& in, ModelArgs& args, bool expectation) {
    std::ostringstream text;
    text.precision(17);
    if (!expectation && in.word("multi-plane")) {
        args.flags.insert("multi-plane");
    } else if (in.word("pivot")) {
        size_t points = 0;
        do {
            text << in.real("an x coordinate") << ' ' << in.real("a y coordinate") << ' ';
            ++points;
        } while (!expectation && in.nextIsReal());
        if (points < 3 && !expectation) throw LineError{"a pivot polygon needs at least three points"};
        args.options["pivot"] = text.str();
    } else if (!expectation && in.word("plane")) {
        text << in.real("a slope in radians") << ' ';
        args.options["planes"] += text.str();
    } else if (expectation && in.word("planes")) {
        args.options["planes"] = std::to_string(in.number("a count", 0));
    } else {
        return false;
    }
    return true;
}

std::string startPolyRoof(const ModelArgs& args, StoredElement& element) {
    const bool multiPlane = args.flags.count("multi-plane") != 0;
    const auto pivot = args.options.find("pivot");
    const auto planes = args.options.find("planes");
    if (!multiPlane && (pivot != args.options.end() || planes != args.options.end()))
        return "pivot and plane are a multi-plane roof's";
    if (!multiPlane) return {};
    if (element.head().typeCode != HostRoofTypeCode) return "multi-plane is a roof's";
    HostPolyRoofElement part = partOfRecord<HostPolyRoofElement>(element.record);
    part.shelter.roofClass = HostPolyRoofClass;
    if (pivot != args.options.end()) {
        std::vector<HostCoord2D> points(1, HostCoord2D{0, 0}); // index 0 holds no point
        std::istringstream numbers(pivot->second);
        for (HostCoord2D p; numbers >> p.x >> p.y;)
            points.push_back(p);
        points.push_back(points[1]); // closed
        const uint32_t count = static_cast<uint32_t>(points.size() - 1);
        const uint32_t ends[] = {0, count};
        auto& blocks = element.memo.blocks;
        blocks[offsetof(API_ElementMemo, pivotCoordinates)].bytes.assign(
            reinterpret_cast<const char*>(points.data()), points.size() * sizeof(HostCoord2D));
        blocks[offsetof(API_ElementMemo, pivotEnds)].bytes.assign(reinterpret_cast<const char*>(ends),
                                                                  sizeof ends);
        StoredBlock records;
        records.isPointer = true;
        records.bytes.assign(points.size() * 32, '\0');
        blocks[offsetof(API_ElementMemo, pivotRecords)] = std::move(records);
        part.pivotCoordinateCount = count;
        part.pivotEndCount = 1;
        part.pivotArcCount = 0;
    }
    setPartOfRecord(&element.record, part);
    if (planes != args.options.end()) {
        std::istringstream slopes(planes->second);
        for (double slope = 0.0; slopes >> slope;)
            element.roofPlanes.push_back(makeRoofPlane(element, slope));
    }
    return {};
}

std::string polyRoofMismatch(const ModelArgs& args, const StoredElement& element) {
    const auto pivot = args.options.find("pivot");
    const auto planes = args.options.find("planes");
    if (pivot == args.options.end() && planes == args.options.end()) return {};
    if (!isPolyRoof(element)) return "it is not a multi-plane roof";
    if (planes != args.options.end() && std::to_string(element.roofPlanes.size()) != planes->second)
        return "it has " + std::to_string(element.roofPlanes.size()) + " plane(s)";
    if (pivot == args.options.end()) return {};
    std::istringstream numbers(pivot->second);
    double x = 0.0, y = 0.0;
    numbers >> x >> y;
    auto found = element.memo.blocks.find(offsetof(API_ElementMemo, pivotCoordinates));
    if (found != element.memo.blocks.end()) {
        const std::string& bytes = found->second.bytes;
        for (size_t at = sizeof(HostCoord2D); at + sizeof(HostCoord2D) <= bytes.size();
             at += sizeof(HostCoord2D)) {
            HostCoord2D p;
            std::memcpy(&p, bytes.data() + at, sizeof p);
            if (std::fabs(p.x - x) <= 1e-6 && std::fabs(p.y - y) <= 1e-6) return {};
        }
    }
    return "its pivot polygon has no point at " + pivot->second;
}

namespace polyroofs {

GSErrCode convert(StandInHost& host, const API_Guid* guid, API_ElementDecomposerInterface* decomposer,
                  std::string& brief) {
    if (guid == nullptr || decomposer == nullptr) return brief = "null argument", hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    const StoredElement* roof = project->model.views.findElement(*guid);
    if (roof == nullptr) return brief = model::guidText(*guid), hosterr::BadGuid;
    if (!isPolyRoof(*roof)) return brief = "not a multi-plane roof", hosterr::BadParameter;
    // The planes are copied first: the decomposer may change the project while it runs.
    const std::vector<StoredRoofPlane> planes = roof->roofPlanes;
    brief = std::to_string(planes.size()) + " planes";
    for (size_t i = 0; i < planes.size(); ++i) {
        API_ElementMemo memo;
        if (!handOutElementMemo(planes[i].memo, MemoAll, &memo)) return hosterr::MemoryFull;
        HostElementPartId partId;
        partId.main = static_cast<uint32_t>(i + 1);
        const GSErrCode err = decomposer->GeneratePartElement(partId, planes[i].record, memo);
        disposeElementMemo(&memo);
        if (err != hosterr::Ok) return brief += ", stopped at " + std::to_string(i + 1), err;
    }
    return hosterr::Ok;
}

} // namespace polyroofs

} // namespace zavhost
