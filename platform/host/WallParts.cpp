#include "WallParts.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "ModelCalls.h"
#include "RecordFields.h"
#include "StandInHost.h"
#include "StoredBlocks.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {

constexpr double Tolerance = 1e-5;

struct Segment {
    HostCoord2D begin, end;
};

Segment lineOf(const HostWallElement& wall) {
    return {wall.begin, wall.end};
}

bool same(const HostCoord2D& a, const HostCoord2D& b) {
    return std::hypot(a.x - b.x, a.y - b.y) <= Tolerance;
}

// The parameter of p along the segment when p lies on it strictly between its ends.
bool inside(const Segment& s, const HostCoord2D& p) {
    const double dx = s.end.x - s.begin.x, dy = s.end.y - s.begin.y;
    const double length = std::hypot(dx, dy);
    if (length <= Tolerance) return false;
    const double along = ((p.x - s.begin.x) * dx + (p.y - s.begin.y) * dy) / length;
    const double across = ((p.x - s.begin.x) * dy - (p.y - s.begin.y) * dx) / length;
    return std::fabs(across) <= Tolerance && along > Tolerance && along < length - Tolerance;
}

// The two segments cross strictly inside both.
bool cross(const Segment& a, const Segment& b) {
    const double rx = a.end.x - a.begin.x, ry = a.end.y - a.begin.y;
    const double sx = b.end.x - b.begin.x, sy = b.end.y - b.begin.y;
    const double denominator = rx * sy - ry * sx;
    if (std::fabs(denominator) <= Tolerance * Tolerance) return false;
    const double qx = b.begin.x - a.begin.x, qy = b.begin.y - a.begin.y;
    const double t = (qx * sy - qy * sx) / denominator;
    const double u = (qx * ry - qy * rx) / denominator;
    const double lengthA = std::hypot(rx, ry), lengthB = std::hypot(sx, sy);
    return t * lengthA > Tolerance && (1 - t) * lengthA > Tolerance && u * lengthB > Tolerance &&
           (1 - u) * lengthB > Tolerance;
}

bool straight(const HostWallElement& wall) {
    return std::fabs(wall.arcAngle) <= Tolerance;
}

double lengthOfWall(const HostWallElement& wall) {
    const double chord = std::hypot(wall.end.x - wall.begin.x, wall.end.y - wall.begin.y);
    if (straight(wall)) return chord;
    const double angle = std::fabs(wall.arcAngle);
    return angle * chord / 2.0 / std::sin(angle / 2.0);
}

using Lists = std::vector<HostConnectionEntry>[HostConnectionListCount];

void add(Lists& lists, size_t list, const API_Guid& guid, bool atBegin) {
    HostConnectionEntry entry;
    entry.guid = guid;
    entry.flag = atBegin ? 1 : 0;
    lists[list].push_back(entry);
}

// Where each other wall of the database meets this one, in the database's order. Curved walls
// meet only at their ends.
void collect(const ElementStore& elements, const StoredElement& wall, Lists& lists) {
    const HostWallElement self = partOf<HostWallElement>(wall.record);
    const Segment mine = lineOf(self);
    for (const StoredElement* other : elements.inOrder()) {
        if (other->head().typeCode != WallTypeCode || other->guid() == wall.guid()) continue;
        const HostWallElement theirs = partOf<HostWallElement>(other->record);
        const Segment line = lineOf(theirs);
        const bool bothStraight = straight(self) && straight(theirs);
        for (const auto& [point, atBegin] : {std::pair{line.begin, true}, std::pair{line.end, false}}) {
            if (same(mine.begin, point))
                add(lists, 0, other->guid(), atBegin);
            else if (same(mine.end, point))
                add(lists, 1, other->guid(), atBegin);
            else if (bothStraight && inside(mine, point))
                add(lists, 3, other->guid(), atBegin);
        }
        if (!bothStraight) continue;
        if (inside(line, mine.begin)) add(lists, 2, other->guid(), true);
        if (inside(line, mine.end)) add(lists, 2, other->guid(), false);
        if (cross(mine, line)) add(lists, 4, other->guid(), false);
    }
}

template <class T> GSHandle handleOf(const std::vector<T>& items) {
    StoredBlock block;
    block.bytes.assign(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T));
    return static_cast<GSHandle>(makeBlock(block));
}

// The outline as polygon parts: a polygonal wall's from its memo, a straight wall's rectangle
// from its reference line, offset and thickness; none for a curved wall.
bool fillOutline(const StoredElement& wall, HostElementConnections* record) {
    const HostWallElement part = partOf<HostWallElement>(wall.record);
    if (part.geometryKind == 2) {
        const size_t fields[] = {offsetof(API_ElementMemo, coordinates),
                                 offsetof(API_ElementMemo, subPolygonEnds), offsetof(API_ElementMemo, arcs)};
        GSHandle* targets[] = {&record->coordinates, &record->subPolygonEnds, &record->arcs};
        for (size_t i = 0; i < 3; ++i) {
            auto it = wall.memo.blocks.find(static_cast<uint32_t>(fields[i]));
            if (it == wall.memo.blocks.end()) continue;
            *targets[i] = static_cast<GSHandle>(makeBlock(it->second));
            if (*targets[i] == nullptr) return false;
        }
        auto count = [&](size_t field, size_t width, size_t skip) -> uint32_t {
            auto it = wall.memo.blocks.find(static_cast<uint32_t>(field));
            const size_t entries = it == wall.memo.blocks.end() ? 0 : it->second.bytes.size() / width;
            return static_cast<uint32_t>(entries > skip ? entries - skip : 0);
        };
        record->coordinateCount = count(fields[0], sizeof(HostCoord2D), 1);
        record->endCount = count(fields[1], sizeof(uint32_t), 1);
        record->arcCount = count(fields[2], sizeof(HostPolygonArc), 0);
        return true;
    }
    if (!straightWallFaces(part)) return true;
    const std::vector<HostCoord2D> corners = wallOutline(part);
    const std::vector<HostCoord2D> coordinates = {{},         corners[0], corners[1],
                                                  corners[2], corners[3], corners[0]};
    const std::vector<uint32_t> ends = {0, 5};
    record->coordinates = handleOf(coordinates);
    record->subPolygonEnds = handleOf(ends);
    if (record->coordinates == nullptr || record->subPolygonEnds == nullptr) return false;
    record->coordinateCount = 5;
    record->endCount = 1;
    return true;
}

void dispose(HostElementConnections* record) {
    for (GSHandle* handle : {&record->coordinates, &record->subPolygonEnds, &record->arcs}) {
        freeBlock(*handle, false);
        *handle = nullptr;
    }
    for (GSHandle& list : record->lists) {
        freeBlock(list, false);
        list = nullptr;
    }
}

GSErrCode connections(StandInHost& host, SelectorCall& call) {
    Project* project = model::project(host, call.brief);
    if (project == nullptr) return hosterr::NoProject;
    if (call.args[0] == nullptr || call.args[2] == nullptr)
        return call.brief = "null argument", hosterr::BadParameter;
    API_Guid guid;
    std::memcpy(&guid, call.args[0], sizeof guid);
    const uint32_t kind = model::valueArgument(call.args[1]);
    call.brief = model::guidText(guid) + ", kind " + std::to_string(kind);
    auto* record = static_cast<HostElementConnections*>(call.args[2]);
    const ViewDatabase* where = nullptr;
    const StoredElement* wall = project->model.views.findElement(guid, &where);
    if (wall == nullptr || where == nullptr) return hosterr::BadGuid;
    if (kind != HostWallConnections || wall->head().typeCode != WallTypeCode)
        return call.brief += ": not a wall's connections", hosterr::BadParameter;
    Lists lists;
    collect(project->model.views.elementsOf(*where), *wall, lists);
    bool made = fillOutline(*wall, record);
    for (size_t i = 0; made && i < HostConnectionListCount; ++i) {
        if (lists[i].empty()) continue;
        record->lists[i] = handleOf(lists[i]);
        record->listCounts[i] = static_cast<uint32_t>(lists[i].size());
        made = record->lists[i] != nullptr;
    }
    if (!made) {
        dispose(record);
        return hosterr::MemoryFull;
    }
    call.brief += " => " + std::to_string(record->coordinateCount) + " point(s), lists";
    for (uint32_t count : record->listCounts)
        call.brief += " " + std::to_string(count);
    return hosterr::Ok;
}

} // namespace

std::optional<WallFaces> straightWallFaces(const HostWallElement& wall) {
    const double length = std::hypot(wall.end.x - wall.begin.x, wall.end.y - wall.begin.y);
    if (!straight(wall) || !(length > Tolerance)) return std::nullopt;
    // The centre line at d to the left of the reference line, the faces half a thickness off it.
    double centre = 0.5 * wall.thickness - wall.referenceOffset;
    if (wall.sideFlag == 0) centre = -centre;
    return WallFaces{centre - wall.thickness / 2.0, centre + wall.thickness / 2.0};
}

std::vector<HostCoord2D> wallOutline(const HostWallElement& wall, size_t arcSegments) {
    const double dx = wall.end.x - wall.begin.x, dy = wall.end.y - wall.begin.y;
    const double chord = std::hypot(dx, dy);
    if (!(chord > Tolerance) || !std::isfinite(chord)) return {};
    double centre = 0.5 * wall.thickness - wall.referenceOffset;
    if (wall.sideFlag == 0) centre = -centre;
    const double right = centre - wall.thickness / 2.0, left = centre + wall.thickness / 2.0;
    const double nx = -dy / chord, ny = dx / chord;
    if (straight(wall)) {
        auto at = [&](const HostCoord2D& p, double offset) {
            return HostCoord2D{p.x + nx * offset, p.y + ny * offset};
        };
        return {at(wall.begin, right), at(wall.end, right), at(wall.end, left), at(wall.begin, left)};
    }
    // An arc of the sweep from begin to end, counter-clockwise when positive: its centre lies to the
    // left of the chord for a positive sweep; the left of the way along it is towards the centre.
    const double sweep = wall.arcAngle;
    const double toCentre = chord / 2.0 / std::tan(sweep / 2.0);
    const HostCoord2D middle{(wall.begin.x + wall.end.x) / 2.0, (wall.begin.y + wall.end.y) / 2.0};
    const HostCoord2D hub{middle.x + nx * toCentre, middle.y + ny * toCentre};
    const double radius = std::hypot(wall.begin.x - hub.x, wall.begin.y - hub.y);
    const double start = std::atan2(wall.begin.y - hub.y, wall.begin.x - hub.x);
    const double inwards = sweep > 0.0 ? -1.0 : 1.0;
    const size_t segments = std::max<size_t>(arcSegments, 1);
    auto face = [&](double offset, size_t i) {
        const double angle = start + sweep * static_cast<double>(i) / static_cast<double>(segments);
        const double r = radius + inwards * offset;
        return HostCoord2D{hub.x + r * std::cos(angle), hub.y + r * std::sin(angle)};
    };
    std::vector<HostCoord2D> outline;
    for (size_t i = 0; i <= segments; ++i)
        outline.push_back(face(right, i));
    for (size_t i = segments + 1; i-- > 0;)
        outline.push_back(face(left, i));
    return outline;
}

bool setDefaultWallSettings(API_Element& record) {
    if (record.head.typeCode != WallTypeCode) return false;
    HostWallElement wall = partOf<HostWallElement>(record);
    wall.contourPen = 1;
    wall.lineType = 1;
    wall.kind10Pen = 1;
    wall.material = 1;
    wall.scaledValue = 4200;
    wall.cutFillPen = 1;
    wall.cutFillBackgroundPen = 1;
    wall.sideFlag = 1;
    wall.height = 3.0;
    wall.thickness = 0.3;
    wall.endThickness = 0.3;
    wall.end = {1.0, 0.0};
    wall.kind5Pen = 1;
    setPart(record, wall);
    return true;
}

void startWall(API_Element& record, const API_Element& defaults, bool polygonal) {
    HostWallElement wall = partOf<HostWallElement>(defaults);
    wall.head = record.head;
    if (polygonal) wall.geometryKind = 2;
    setPart(record, wall);
}

void setWallLine(API_Element& record, const HostCoord2D& begin, const HostCoord2D& end) {
    HostWallElement wall = partOf<HostWallElement>(record);
    wall.begin = begin;
    wall.end = end;
    setPart(record, wall);
}

size_t fillWallQuantities(const StoredElement& wall, const uint8_t* mask, uint8_t* block) {
    const HostWallElement part = partOf<HostWallElement>(wall.record);
    HostWallQuantities values;
    values.measureA = lengthOfWall(part);
    values.measureB = values.measureA * part.height;
    values.measureC = values.measureB * part.thickness;
    double* rest[] = {&values.measureD, &values.measureE, &values.measureF,
                      &values.measureG, &values.measureH, &values.measureI};
    for (double* value : rest)
        *value = 1000.0 +
                 static_cast<double>(reinterpret_cast<uint8_t*>(value) - reinterpret_cast<uint8_t*>(&values));
    for (size_t i = 0; i < 9; ++i)
        values.wallQuantity[i] =
            1000.0 + static_cast<double>(offsetof(HostWallQuantities, wallQuantity) + i * 8);
    size_t filled = 0;
    for (size_t offset = 0; offset < offsetof(HostWallQuantities, reserved); offset += sizeof(double)) {
        if (!fieldAsked(mask, offset)) continue;
        std::memcpy(block + offset, reinterpret_cast<const uint8_t*>(&values) + offset, sizeof(double));
        ++filled;
    }
    return filled;
}

void registerWallConnectionSelectors(StandInHost& host) {
    SelectorTable& database = host.databaseCalls();
    database.add("GECN", [&host](SelectorCall& call) { return connections(host, call); });
    database.add("DECN", [](SelectorCall& call) {
        if (call.args[0] == nullptr) return call.brief = "null record", hosterr::BadParameter;
        dispose(static_cast<HostElementConnections*>(call.args[0]));
        return hosterr::Ok;
    });
}

} // namespace zavhost
