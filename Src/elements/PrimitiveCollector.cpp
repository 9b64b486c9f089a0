#include "elements/PrimitiveCollector.h"

#include <cmath>
#include <cstring>
#include <new>
#include <unordered_map>

#include "Environment/Memory.h"
#include "elements/PolygonMemo.h"
#include "platform/api/ElementRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"

namespace tarnwick {

namespace {
constexpr double ArcTolerance = 1e-5;

struct PrimitiveContext {
    PrimitiveList* target = nullptr;
    HostFillRecord fill;
    bool fillPresent = false;
    bool insideFill = false;
    bool insideBracket = false;
    bool keepBracketed = true;
};

PrimitiveContext& context() {
    static PrimitiveContext current;
    return current;
}

size_t ptrBytes(const void* block) {
    return static_cast<size_t>(getPtrSize(static_cast<GSPtr>(const_cast<void*>(block))));
}

GSHandle handleOf(const void* data) {
    return static_cast<GSHandle>(const_cast<void*>(data));
}

size_t handleBytes(const void* data) {
    return static_cast<size_t>(getHandleSize(handleOf(data)));
}

CadPoint pointOf(const HostCoord2D& c) {
    return CadPoint(c.x, c.y, 0.0);
}

// The 1-based point i of a poly-line's point block.
CadPoint pointAt(const void* points, size_t i) {
    HostCoord2D c;
    std::memcpy(&c, static_cast<const char*>(points) + i * sizeof c, sizeof c);
    return pointOf(c);
}

HostPolygonArc arcAt(const void* arcs, size_t i) {
    HostPolygonArc arc;
    std::memcpy(&arc, static_cast<const char*>(arcs) + i * sizeof arc, sizeof arc);
    return arc;
}

// The Unicode text when given, else the 8-bit text up to its NUL within its block.
GSErrCode makeText(const HostShapePrimitive& record, const void* first, const void* second,
                   std::shared_ptr<Primitive>& made) {
    String text;
    if (second != nullptr)
        text = String(*static_cast<const GS::UniString*>(second));
    else if (first != nullptr && ptrBytes(first) > 0)
        text = String(static_cast<const char*>(first), ptrBytes(first));
    else
        return hosterr::BadParameter;
    made = std::make_shared<PrimitiveText>(record, text, true, false);
    return hosterr::Ok;
}

GSErrCode makePolyLine(const HostShapePrimitive& record, const void* points, const void* arcs,
                       std::shared_ptr<Primitive>& made) {
    const uint64_t n = record.polyLine.pointCount;
    const uint64_t m = record.polyLine.arcCount;
    if (n < 1) return hosterr::Ok;
    // The points start at index 1.
    if (points == nullptr || ptrBytes(points) < (n + 1) * sizeof(HostCoord2D)) return hosterr::BadParameter;
    if (m > 0 && (arcs == nullptr || ptrBytes(arcs) < m * sizeof(HostPolygonArc)))
        return hosterr::BadParameter;
    if (n == 1) {
        made = std::make_shared<PrimitivePoint>(record, pointAt(points, 1), true, false);
    } else if (n == 2) {
        const double angle = m > 0 ? arcAt(arcs, 0).angle : 0.0;
        if (std::fabs(angle) > ArcTolerance)
            made = std::make_shared<PrimitiveArc>(
                record, CadArc(pointAt(points, 1), PolyPoint(pointAt(points, 2), angle)), true, false);
        else
            made =
                std::make_shared<PrimitiveLine>(record, pointAt(points, 1), pointAt(points, 2), true, false);
    } else {
        // The angle of the edge ending at each point, by that point's index.
        std::unordered_map<uint64_t, double> edgeAngles;
        for (uint64_t i = 0; i < m; ++i) {
            const HostPolygonArc arc = arcAt(arcs, i);
            if (uint64_t(arc.end) == uint64_t(arc.begin) + 1) edgeAngles[arc.end] = arc.angle;
        }
        CadPolygon polygon(n, 0, false);
        for (uint64_t i = 1; i <= n; ++i) {
            auto found = edgeAngles.find(i);
            polygon.append(std::make_unique<PolyPoint>(pointAt(points, i),
                                                       found != edgeAngles.end() ? found->second : 0.0, 0));
        }
        polygon.setClosed(false);
        made = std::make_shared<PrimitivePolygon>(record, polygon, 0, true, false);
    }
    return hosterr::Ok;
}

GSErrCode makeTriangle(const HostShapePrimitive& record, std::shared_ptr<Primitive>& made) {
    CadPolygon polygon(3);
    for (const HostCoord2D& corner : record.triangle.corners)
        polygon.append(std::make_unique<PolyPoint>(corner, 0.0, 0));
    made = std::make_shared<PrimitivePolygon>(record, polygon, 0, true, false);
    return hosterr::Ok;
}

GSErrCode makePolygon(const HostShapePrimitive& record, const void* coordinates, const void* ends,
                      const void* arcs, std::shared_ptr<Primitive>& made) {
    const PolygonCounts counts{record.polygon.coordinateCount, record.polygon.endCount,
                               record.polygon.arcCount};
    if (coordinates == nullptr || ends == nullptr) return hosterr::BadParameter;
    if (handleBytes(coordinates) < (uint64_t(counts.coordinates) + 1) * sizeof(HostCoord2D) ||
        handleBytes(ends) < (uint64_t(counts.ends) + 1) * sizeof(uint32_t))
        return hosterr::BadParameter;
    if (counts.arcs > 0 &&
        (arcs == nullptr || handleBytes(arcs) < uint64_t(counts.arcs) * sizeof(HostPolygonArc)))
        return hosterr::BadParameter;
    PolygonConstructor constructor;
    std::unique_ptr<CadPolygon> polygon = constructor.build(counts, handleOf(coordinates), handleOf(ends),
                                                            counts.arcs > 0 ? handleOf(arcs) : nullptr);
    if (!polygon || polygon->getVertexCount() < 2) return hosterr::Ok;
    const PrimitiveContext& c = context();
    if (c.insideFill && c.fillPresent && polygon->isClosed()) {
        if (c.fill.distorted != 0)
            made = std::make_shared<PrimitiveDistortedHatch>(record, c.fill, *polygon, true, false);
        else
            made = std::make_shared<PrimitiveHatch>(record, c.fill, *polygon, true, false);
    } else if (polygon->getVertexCount() == 2) {
        made = std::make_shared<PrimitiveLine>(record, polygon->getVertex(0), polygon->getVertex(1), true,
                                               false);
    } else {
        made = std::make_shared<PrimitivePolygon>(record, *polygon, 0, true, false);
    }
    return hosterr::Ok;
}

GSErrCode openFill(const void* fill) {
    PrimitiveContext& c = context();
    if (fill != nullptr && ptrBytes(fill) < sizeof(HostFillRecord)) return hosterr::BadParameter;
    c.insideFill = true;
    c.fillPresent = fill != nullptr;
    if (fill != nullptr) std::memcpy(&c.fill, fill, sizeof c.fill);
    return hosterr::Ok;
}

GSErrCode collect(const HostShapePrimitive& record, const void* first, const void* second,
                  const void* third) {
    PrimitiveContext& c = context();
    std::shared_ptr<Primitive> made;
    GSErrCode err = hosterr::Ok;
    switch (record.kind) {
    case ShapeLine:
        made = std::make_shared<PrimitiveLine>(record, true, false);
        break;
    case ShapeArc:
        made = std::make_shared<PrimitiveArc>(record, true, false);
        break;
    case ShapeText:
        err = makeText(record, first, second, made);
        break;
    case ShapePolyLine:
        err = makePolyLine(record, first, third, made);
        break;
    case ShapeTriangle:
        err = makeTriangle(record, made);
        break;
    case ShapePolygon:
        err = makePolygon(record, first, second, third, made);
        break;
    case ShapeFillOpen:
        return openFill(first);
    case ShapeFillClose:
        c.insideFill = false;
        c.fillPresent = false;
        return hosterr::Ok;
    case ShapeBracketOpen:
        c.insideBracket = true;
        return hosterr::Ok;
    case ShapeBracketClose:
        c.insideBracket = false;
        return hosterr::Ok;
    default:
        return hosterr::Ok;
    }
    if (err != hosterr::Ok || !made) return err;
    made->setOptions(c.insideBracket ? 1 : 0, c.insideFill ? 1 : 0);
    if (!c.insideBracket || c.keepBracketed) c.target->push_back(std::move(made));
    return hosterr::Ok;
}
} // namespace

struct PrimitiveCollector::Saved {
    PrimitiveContext context;
};

PrimitiveCollector::PrimitiveCollector(PrimitiveList& target, bool keepBracketed)
    : m_saved(std::make_unique<Saved>(Saved{context()})) {
    PrimitiveContext fresh;
    fresh.target = &target;
    fresh.keepBracketed = keepBracketed;
    context() = fresh;
}

PrimitiveCollector::~PrimitiveCollector() {
    context() = m_saved->context;
}

GSErrCode shapePrimitiveCallback(const HostShapePrimitive* record, const void* first, const void* second,
                                 const void* third) {
    if (context().target == nullptr) return hosterr::NoTarget;
    if (record == nullptr) return hosterr::BadParameter;
    // Nothing may leave a callback into the host.
    try {
        return collect(*record, first, second, third);
    } catch (const std::bad_alloc&) {
        return hosterr::MemoryFull;
    } catch (...) {
        return hosterr::Internal;
    }
}

} // namespace tarnwick
