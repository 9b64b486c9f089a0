#include "MeshParts.h"

#include <cmath>
#include <cstring>
#include <sstream>

#include "ElementGeometry.h"
#include "RecordFields.h"
#include "Scenario.h"
#include "ScenarioLine.h"

namespace zavhost {

namespace {

constexpr uint32_t coordinatesField = offsetof(API_ElementMemo, coordinates);
constexpr uint32_t levelCoordinatesField = offsetof(API_ElementMemo, levelCoordinates);
constexpr uint32_t levelEndsField = offsetof(API_ElementMemo, levelEnds);
constexpr uint32_t bodyField = offsetof(API_ElementMemo, freeFormBody);

template <class T> std::vector<T> itemsOf(const StoredMemo& memo, uint32_t field) {
    auto it = memo.blocks.find(field);
    if (it == memo.blocks.end()) return {};
    std::vector<T> items(it->second.bytes.size() / sizeof(T));
    if (!items.empty())
        std::memcpy(static_cast<void*>(items.data()), it->second.bytes.data(), items.size() * sizeof(T));
    return items;
}

template <class T> StoredBlock blockOf(const std::vector<T>& items) {
    StoredBlock block;
    block.bytes.assign(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T));
    return block;
}

size_t entriesOf(const StoredMemo& memo, uint32_t field, size_t width) {
    auto it = memo.blocks.find(field);
    return it == memo.blocks.end() ? 0 : it->second.bytes.size() / width;
}

StoredBlock bodyBlock(const std::vector<HostCoord2D>& contour, double bottom, double top) {
    HostFreeFormBody header;
    header.bottom = bottom;
    header.top = top;
    header.pointCount = static_cast<uint32_t>(contour.size());
    StoredBlock block;
    block.bytes.assign(reinterpret_cast<const char*>(&header), sizeof header);
    block.bytes.append(reinterpret_cast<const char*>(contour.data()), contour.size() * sizeof(HostCoord2D));
    return block;
}

HostCoord3D transformed(const HostCoord3D& p, const HostEditTransformation& edit) {
    const double dx = p.x - edit.origin.x, dy = p.y - edit.origin.y, dz = p.z - edit.origin.z;
    const double* m = edit.matrix;
    return {m[0] * dx + m[1] * dy + m[2] * dz + edit.target.x,
            m[3] * dx + m[4] * dy + m[5] * dz + edit.target.y,
            m[6] * dx + m[7] * dy + m[8] * dz + edit.target.z};
}

std::string levelProblem(const StoredMemo& memo) {
    const bool hasCoordinates = memo.blocks.count(levelCoordinatesField) != 0;
    if (hasCoordinates != (memo.blocks.count(levelEndsField) != 0))
        return "its level coordinates and level ends come apart";
    if (!hasCoordinates) return {};
    if (memo.blocks.at(levelCoordinatesField).bytes.size() % sizeof(HostLevelCoordinate) != 0)
        return "its level coordinates are not whole";
    const size_t available = entriesOf(memo, levelCoordinatesField, sizeof(HostLevelCoordinate));
    uint32_t previous = 0;
    for (uint32_t end : itemsOf<uint32_t>(memo, levelEndsField)) {
        if (end <= previous || end > available) return "its level ends do not fit its level coordinates";
        previous = end;
    }
    return {};
}

template <class Quantities> size_t fillFields(const Quantities& values, const uint8_t* mask, uint8_t* block) {
    size_t filled = 0;
    for (size_t offset = 0; offset < offsetof(Quantities, reserved); offset += sizeof(double)) {
        if (!fieldAsked(mask, offset)) continue;
        std::memcpy(block + offset, reinterpret_cast<const uint8_t*>(&values) + offset, sizeof(double));
        ++filled;
    }
    return filled;
}

} // namespace

bool setDefaultMeshSettings(API_Element& record) {
    if (record.head.typeCode == MeshTypeCode) {
        HostMeshElement part = partOf<HostMeshElement>(record);
        part.contourPen = part.kind2Pen = part.kind10Pen = part.kind6Pen = part.kind8Pen = 1;
        part.cutFillPen = part.cutFillBackgroundPen = 1;
        part.lineType = 1;
        part.material = 1;
        setPart(record, part);
        return true;
    }
    if (record.head.typeCode == FreeFormTypeCode) {
        HostFreeFormElement part = partOf<HostFreeFormElement>(record);
        part.contourPen = part.kind10Pen = part.kind6Pen = part.kind8Pen = 1;
        part.cutFillPen = part.cutFillBackgroundPen = 1;
        part.lineType = part.secondLineType = 1;
        part.material = 1;
        setPart(record, part);
        return true;
    }
    return false;
}

StoredMemo defaultFreeFormMemo() {
    StoredMemo memo;
    memo.blocks[bodyField] = bodyBlock({{0.0, 0.0}, {1.0, 0.0}, {1.0, 1.0}, {0.0, 1.0}}, 0.0, 1.0);
    return memo;
}

std::optional<FreeFormBody> freeFormBodyOf(const StoredElement& element) {
    if (element.head().typeCode != FreeFormTypeCode) return std::nullopt;
    auto it = element.memo.blocks.find(bodyField);
    if (it == element.memo.blocks.end() || it->second.bytes.size() < sizeof(HostFreeFormBody))
        return std::nullopt;
    const std::string& bytes = it->second.bytes;
    HostFreeFormBody header;
    std::memcpy(static_cast<void*>(&header), bytes.data(), sizeof header);
    if ((bytes.size() - sizeof header) / sizeof(HostCoord2D) != header.pointCount ||
        (bytes.size() - sizeof header) % sizeof(HostCoord2D) != 0 || header.pointCount < 3 ||
        !std::isfinite(header.bottom) || !std::isfinite(header.top) || !(header.top > header.bottom))
        return std::nullopt;
    FreeFormBody body;
    body.bottom = header.bottom;
    body.top = header.top;
    body.contour.resize(header.pointCount);
    std::memcpy(static_cast<void*>(body.contour.data()), bytes.data() + sizeof header,
                header.pointCount * sizeof(HostCoord2D));
    for (const HostCoord2D& p : body.contour)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
    return body;
}

std::string settleMeshParts(StoredElement& element) {
    const uint32_t type = element.head().typeCode;
    if (type == FreeFormTypeCode) {
        if (element.memo.blocks.count(bodyField) == 0)
            element.memo.blocks[bodyField] = defaultFreeFormMemo().blocks[bodyField];
        return freeFormBodyOf(element) ? std::string() : "its body is not whole";
    }
    if (type != MeshTypeCode) return {};
    if (contoursOf(element.memo).empty()) return "a mesh needs an outline";
    if (std::string problem = levelProblem(element.memo); !problem.empty()) return problem;
    HostMeshElement part = partOf<HostMeshElement>(element.record);
    part.coordinateCount =
        static_cast<uint32_t>(entriesOf(element.memo, coordinatesField, sizeof(HostCoord2D)) - 1);
    part.endCount = static_cast<uint32_t>(
        entriesOf(element.memo, offsetof(API_ElementMemo, subPolygonEnds), sizeof(uint32_t)) - 1);
    part.arcCount = static_cast<uint32_t>(
        entriesOf(element.memo, offsetof(API_ElementMemo, arcs), sizeof(HostPolygonArc)));
    part.levelPart.coordinateCount =
        static_cast<uint32_t>(entriesOf(element.memo, levelCoordinatesField, sizeof(HostLevelCoordinate)));
    part.levelPart.endCount =
        static_cast<uint32_t>(entriesOf(element.memo, levelEndsField, sizeof(uint32_t)));
    setPart(element.record, part);
    return {};
}

void transformMeshParts(StoredElement& element, const HostEditTransformation& edit) {
    auto levels = element.memo.blocks.find(levelCoordinatesField);
    if (levels != element.memo.blocks.end()) {
        std::string& bytes = levels->second.bytes;
        for (size_t at = 0; at + sizeof(HostLevelCoordinate) <= bytes.size();
             at += sizeof(HostLevelCoordinate)) {
            HostLevelCoordinate record;
            std::memcpy(static_cast<void*>(&record), bytes.data() + at, sizeof record);
            const HostCoord3D moved = transformed({record.x, record.y, record.z}, edit);
            record.x = moved.x;
            record.y = moved.y;
            record.z = moved.z;
            std::memcpy(bytes.data() + at, &record, sizeof record);
        }
    }
    std::optional<FreeFormBody> body = freeFormBodyOf(element);
    if (!body) return;
    const HostCoord2D first = body->contour.front();
    // The levels follow the edit's z; the plan turns about the edit's axis.
    const double bottom = transformed({first.x, first.y, body->bottom}, edit).z;
    const double top = transformed({first.x, first.y, body->top}, edit).z;
    for (HostCoord2D& p : body->contour) {
        const HostCoord3D moved = transformed({p.x, p.y, body->bottom}, edit);
        p = {moved.x, moved.y};
    }
    element.memo.blocks[bodyField] = bodyBlock(body->contour, std::min(bottom, top), std::max(bottom, top));
}

size_t fillMeshQuantities(const StoredElement& element, const uint8_t* mask, uint8_t* block) {
    if (element.head().typeCode == MeshTypeCode) {
        HostMeshQuantities values;
        values.measureA = lengthOf(element);
        values.measureB = areaOf(element);
        values.measureC = 1016.0;
        values.measureD = 1024.0;
        values.measureH = 1032.0;
        values.measureJ = 1040.0;
        return fillFields(values, mask, block);
    }
    HostFreeFormQuantities values;
    if (std::optional<FreeFormBody> body = freeFormBodyOf(element)) {
        double twice = 0.0;
        for (size_t i = 0; i < body->contour.size(); ++i) {
            const HostCoord2D& a = body->contour[i];
            const HostCoord2D& b = body->contour[(i + 1) % body->contour.size()];
            twice += a.x * b.y - b.x * a.y;
            values.perimeter += std::hypot(b.x - a.x, b.y - a.y);
        }
        values.area = std::fabs(twice) / 2.0;
        values.height = body->top - body->bottom;
        values.surfaceArea = 2.0 * values.area + values.perimeter * values.height;
        values.measureD = values.area * values.height;
    }
    return fillFields(values, mask, block);
}

bool parseMeshWord(LineReader& in, ModelArgs& args) {
    const bool line = in.word("level-line");
    if (!line && !in.word("level-point")) return false;
    std::ostringstream text;
    text.precision(17);
    size_t count = 0;
    do {
        text << in.real("an x coordinate") << ' ' << in.real("a y coordinate") << ' ' << in.real("a level")
             << ' ';
        ++count;
    } while (line && in.nextIsReal());
    if (line && count < 2) throw LineError{"a level line needs two points X Y Z at least"};
    args.options["level-groups"] += text.str() + "|";
    return true;
}

std::string startMesh(const ModelArgs& args, StoredElement& element) {
    const uint32_t type = element.head().typeCode;
    auto groups = args.options.find("level-groups");
    if (type != MeshTypeCode && groups != args.options.end()) return "level lines and points are a mesh's";
    if (type == FreeFormTypeCode) {
        std::vector<std::vector<HostCoord2D>> contours = contoursOf(element.memo);
        element.memo.blocks.erase(coordinatesField);
        element.memo.blocks.erase(offsetof(API_ElementMemo, subPolygonEnds));
        if (!contours.empty()) {
            std::vector<HostCoord2D> plan = contours.front();
            plan.pop_back(); // the closing repeat
            element.memo.blocks[bodyField] = bodyBlock(plan, 0.0, 1.0);
        }
        return settleMeshParts(element);
    }
    if (type != MeshTypeCode) return {};
    if (args.options.count("polygon") == 0) return "a mesh needs polygon X Y X Y X Y ...";
    // Every vertex at level 0 until the module says otherwise.
    const size_t coordinates = entriesOf(element.memo, coordinatesField, sizeof(HostCoord2D));
    element.memo.blocks[offsetof(API_ElementMemo, vertexDoubles)] =
        blockOf(std::vector<double>(coordinates, 0.0));
    if (groups != args.options.end()) {
        std::vector<HostLevelCoordinate> records;
        std::vector<uint32_t> ends;
        std::istringstream each(groups->second);
        for (std::string group; std::getline(each, group, '|');) {
            std::istringstream numbers(group);
            for (HostLevelCoordinate r; numbers >> r.x >> r.y >> r.z;) {
                r.vertexId = static_cast<uint32_t>(records.size() + 1);
                records.push_back(r);
            }
            ends.push_back(static_cast<uint32_t>(records.size()));
        }
        element.memo.blocks[levelCoordinatesField] = blockOf(records);
        element.memo.blocks[levelEndsField] = blockOf(ends);
    }
    return settleMeshParts(element);
}

} // namespace zavhost
