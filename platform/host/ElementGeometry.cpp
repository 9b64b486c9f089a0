#include "ElementGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "BeamColumnParts.h"
#include "CurtainWallParts.h"
#include "MeshParts.h"
#include "PolyRoofParts.h"
#include "TextBlocks.h"
#include "platform/api/SlabRecords.h"
#include "platform/api/WallRecords.h"
#include "platform/api/ZoneRecords.h"

namespace zavhost {

namespace {
template <class T> std::vector<T> itemsOf(const StoredMemo& memo, size_t offset) {
    auto it = memo.blocks.find(static_cast<uint32_t>(offset));
    if (it == memo.blocks.end()) return {};
    std::vector<T> items(it->second.bytes.size() / sizeof(T));
    if (!items.empty())
        std::memcpy(static_cast<void*>(items.data()), it->second.bytes.data(), items.size() * sizeof(T));
    return items;
}

// The record offsets of a wall's or a line's two ends.
std::array<size_t, 2> wallOrLineEnds(uint32_t typeCode) {
    if (typeCode == HostWallTypeCode)
        return {offsetof(HostWallElement, begin), offsetof(HostWallElement, end)};
    return {LineBeginOffset, LineEndOffset};
}

bool same(const HostCoord2D& a, const HostCoord2D& b) {
    return a.x == b.x && a.y == b.y;
}

double distance(const HostCoord2D& a, const HostCoord2D& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double signedArea(const std::vector<HostCoord2D>& contour) {
    double sum = 0.0;
    for (size_t i = 0; i < contour.size(); ++i) {
        const HostCoord2D& p = contour[i];
        const HostCoord2D& q = contour[(i + 1) % contour.size()];
        sum += p.x * q.y - q.x * p.y;
    }
    return sum / 2.0;
}
} // namespace

HostCoord2D pointAt(const API_Element& record, size_t offset) {
    HostCoord2D point;
    std::memcpy(&point, record.raw + offset, sizeof point);
    return point;
}

std::vector<std::vector<HostCoord2D>> contoursOf(const StoredMemo& memo) {
    std::vector<HostCoord2D> coords = itemsOf<HostCoord2D>(memo, offsetof(API_ElementMemo, coordinates));
    if (coords.size() < 2) return {};
    std::vector<uint32_t> ends = itemsOf<uint32_t>(memo, offsetof(API_ElementMemo, subPolygonEnds));
    if (ends.size() < 2) ends = {0, static_cast<uint32_t>(coords.size() - 1)};
    std::vector<std::vector<HostCoord2D>> contours;
    for (size_t c = 0; c + 1 < ends.size(); ++c) {
        if (ends[c] >= ends[c + 1] || ends[c + 1] >= coords.size()) return {}; // does not fit
        contours.emplace_back(coords.begin() + ends[c] + 1, coords.begin() + ends[c + 1] + 1);
    }
    return contours;
}

std::vector<HostCoord3D> nodePointsOf(const StoredElement& element) {
    if (!element.nodes.empty()) return element.nodes;
    std::vector<HostCoord3D> nodes;
    for (const auto& contour : contoursOf(element.memo)) {
        size_t count = contour.size();
        if (count > 1 && same(contour.front(), contour.back())) --count; // the closing repeat
        for (size_t i = 0; i < count; ++i)
            nodes.push_back({contour[i].x, contour[i].y, 0.0});
    }
    if (!nodes.empty()) return nodes;
    if (std::optional<FreeFormBody> body = freeFormBodyOf(element)) {
        for (const HostCoord2D& p : body->contour)
            nodes.push_back({p.x, p.y, body->bottom});
        return nodes;
    }
    if (std::optional<std::vector<HostCoord3D>> placed = placedNodes(element.record)) return *placed;
    switch (element.head().typeCode) {
    case HostWallTypeCode:
    case 19:
        for (size_t offset : wallOrLineEnds(element.head().typeCode)) {
            HostCoord2D point = pointAt(element.record, offset);
            nodes.push_back({point.x, point.y, 0.0});
        }
        break;
    case 15:
    case 16: {
        const size_t offset = element.head().typeCode == 15 ? TextLocationOffset : LabelLeaderOffset;
        HostCoord2D point = pointAt(element.record, offset);
        nodes.push_back({point.x, point.y, 0.0});
        break;
    }
    default:
        break;
    }
    return nodes;
}

std::optional<HostBox3D> boxOf(const StoredElement& element) {
    std::vector<HostCoord3D> nodes = nodePointsOf(element);
    if (nodes.empty()) return std::nullopt;
    HostBox3D box{nodes[0].x, nodes[0].y, nodes[0].z, nodes[0].x, nodes[0].y, nodes[0].z};
    for (const HostCoord3D& p : nodes) {
        box.xMin = std::min(box.xMin, p.x);
        box.yMin = std::min(box.yMin, p.y);
        box.zMin = std::min(box.zMin, p.z);
        box.xMax = std::max(box.xMax, p.x);
        box.yMax = std::max(box.yMax, p.y);
        box.zMax = std::max(box.zMax, p.z);
    }
    return box;
}

std::optional<HostBox3D> textBoxOf(const StoredElement& element, double scale) {
    const HostTextElement part = textPartOf(element.record);
    const double perMillimetre = scale / 1000.0;
    const double width = std::fabs(part.width) * perMillimetre;
    const double height = std::fabs(part.height) * perMillimetre;
    if (!(scale > 0.0) || !std::isfinite(width) || !std::isfinite(height) || !std::isfinite(part.angle) ||
        !std::isfinite(part.location.x) || !std::isfinite(part.location.y))
        return std::nullopt;
    // The anchor names the box point the location is: column left to right, row top down.
    const uint32_t anchor = part.anchor <= 8 ? part.anchor : 0;
    const double left = -width * static_cast<double>(anchor % 3) / 2.0;
    const double top = height * static_cast<double>(anchor / 3) / 2.0;
    const double cosine = std::cos(part.angle), sine = std::sin(part.angle);
    HostBox3D box{};
    bool first = true;
    for (const auto& [dx, dy] : {std::pair{left, top}, std::pair{left + width, top},
                                 std::pair{left, top - height}, std::pair{left + width, top - height}}) {
        const double x = part.location.x + dx * cosine - dy * sine;
        const double y = part.location.y + dx * sine + dy * cosine;
        box.xMin = first ? x : std::min(box.xMin, x);
        box.xMax = first ? x : std::max(box.xMax, x);
        box.yMin = first ? y : std::min(box.yMin, y);
        box.yMax = first ? y : std::max(box.yMax, y);
        first = false;
    }
    return box;
}

double lengthOf(const StoredElement& element) {
    if (element.head().typeCode == 19)
        return distance(pointAt(element.record, LineBeginOffset), pointAt(element.record, LineEndOffset));
    double length = 0.0;
    for (const auto& contour : contoursOf(element.memo))
        for (size_t i = 0; i + 1 < contour.size(); ++i)
            length += distance(contour[i], contour[i + 1]);
    return length;
}

double areaOf(const StoredElement& element) {
    auto contours = contoursOf(element.memo);
    if (contours.empty()) return 0.0;
    double area = std::fabs(signedArea(contours[0]));
    for (size_t c = 1; c < contours.size(); ++c)
        area -= std::fabs(signedArea(contours[c]));
    return std::max(area, 0.0);
}

namespace {
HostCoord3D transformed(const HostCoord3D& p, const HostEditTransformation& edit) {
    const double dx = p.x - edit.origin.x, dy = p.y - edit.origin.y, dz = p.z - edit.origin.z;
    const double* m = edit.matrix;
    return {m[0] * dx + m[1] * dy + m[2] * dz + edit.target.x,
            m[3] * dx + m[4] * dy + m[5] * dz + edit.target.y,
            m[6] * dx + m[7] * dy + m[8] * dz + edit.target.z};
}

HostCoord2D transformed(const HostCoord2D& p, const HostEditTransformation& edit) {
    HostCoord3D moved = transformed(HostCoord3D{p.x, p.y, 0.0}, edit);
    return {moved.x, moved.y};
}

void transformPointAt(API_Element& record, size_t offset, const HostEditTransformation& edit) {
    HostCoord2D point = transformed(pointAt(record, offset), edit);
    std::memcpy(record.raw + offset, &point, sizeof point);
}
} // namespace

void transformGeometry(StoredElement& element, const HostEditTransformation& edit) {
    auto coords = element.memo.blocks.find(offsetof(API_ElementMemo, coordinates));
    if (coords != element.memo.blocks.end()) {
        std::string& bytes = coords->second.bytes;
        // Index 0 holds no point.
        for (size_t at = sizeof(HostCoord2D); at + sizeof(HostCoord2D) <= bytes.size();
             at += sizeof(HostCoord2D)) {
            HostCoord2D point;
            std::memcpy(&point, bytes.data() + at, sizeof point);
            point = transformed(point, edit);
            std::memcpy(bytes.data() + at, &point, sizeof point);
        }
    }
    switch (element.head().typeCode) {
    case HostWallTypeCode: {
        for (size_t offset : wallOrLineEnds(HostWallTypeCode))
            transformPointAt(element.record, offset, edit);
        // A mirror turns an arc the other way round.
        const double* m = edit.matrix;
        if (m[0] * m[4] - m[1] * m[3] < 0.0) {
            HostWallElement wall;
            std::memcpy(static_cast<void*>(&wall), element.record.raw, sizeof wall);
            wall.arcAngle = -wall.arcAngle;
            std::memcpy(element.record.raw, &wall, sizeof wall);
        }
        break;
    }
    case 19:
        transformPointAt(element.record, LineBeginOffset, edit);
        transformPointAt(element.record, LineEndOffset, edit);
        break;
    case 15:
        transformPointAt(element.record, TextLocationOffset, edit);
        break;
    case 16:
        for (size_t point = 0; point < 3; ++point)
            transformPointAt(element.record, LabelLeaderOffset + point * sizeof(HostCoord2D), edit);
        break;
    case HostRoofTypeCode:
        // The pivot line goes with the outline.
        transformPointAt(element.record, offsetof(HostShelterElement, pivotBegin), edit);
        transformPointAt(element.record, offsetof(HostShelterElement, pivotEnd), edit);
        break;
    case HostZoneTypeCode:
        // The stamp goes with its outline.
        transformPointAt(element.record, offsetof(HostZoneElement, stampPoint1), edit);
        transformPointAt(element.record, offsetof(HostZoneElement, stampPoint2), edit);
        break;
    default:
        (void)transformPlacedPoints(element.record, edit);
        transformCurtainWallPoints(element, edit);
        break;
    }
    transformMeshParts(element, edit);
    transformPolyRoofParts(element, edit);
    for (HostCoord3D& node : element.nodes)
        node = transformed(node, edit);
}

} // namespace zavhost
