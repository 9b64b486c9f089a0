#include "geometry/CadPolygon.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "geometry/Line.h"

namespace tarnwick {

namespace {

std::unique_ptr<PolyPoint> clonePoint(const PolyPoint& p) {
    return p.clone();
}
std::unique_ptr<CadPolygon> clonePolygon(const CadPolygon& p) {
    return p.clone();
}

// Area between the chord and the arc of an edge, signed like the sweep.
double segmentArea(const PolyEdge& edge) {
    const double sweep = edge.getArcAngle();
    const double chord = edge.getStartPoint().distance2D(edge.getEndPoint());
    const double halfSin = std::sin(sweep / 2.0);
    if (chord <= 0.0 || std::fabs(halfSin) < 1e-12) return 0.0;
    const double radius = chord / (2.0 * std::fabs(halfSin));
    return radius * radius / 2.0 * (sweep - std::sin(sweep));
}

} // namespace

CadPolygon::CadPolygon(size_t vertexReserve, size_t holeReserve, bool closed) : m_closed(closed) {
    m_vertices.reserve(vertexReserve);
    m_holes.reserve(holeReserve);
}

CadPolygon::CadPolygon(const Cube& box, double angle) {
    Cube b(box);
    b.normalise();
    const CadPoint& lo = b.getMin();
    const CadPoint& hi = b.getMax();
    m_vertices.reserve(4);
    append(std::make_unique<PolyPoint>(CadPoint(lo.getX(), lo.getY(), lo.getZ())));
    append(std::make_unique<PolyPoint>(CadPoint(hi.getX(), lo.getY(), lo.getZ())));
    append(std::make_unique<PolyPoint>(CadPoint(hi.getX(), hi.getY(), lo.getZ())));
    append(std::make_unique<PolyPoint>(CadPoint(lo.getX(), hi.getY(), lo.getZ())));
    if (std::fabs(angle) > kTolerance) rotate(angle);
}

CadPolygon::CadPolygon(const CadPolygon& other)
    : m_closed(other.m_closed), m_secondFlag(other.m_secondFlag), m_vertexIdCounter(other.m_vertexIdCounter) {
    m_vertices.cloneFrom(other.m_vertices, clonePoint);
    m_holes.cloneFrom(other.m_holes, clonePolygon);
}

CadPolygon& CadPolygon::operator=(const CadPolygon& other) {
    if (this == &other) return *this;
    Vector<PolyPoint> vertices;
    Vector<CadPolygon> holes;
    vertices.cloneFrom(other.m_vertices, clonePoint);
    holes.cloneFrom(other.m_holes, clonePolygon);
    m_vertices = std::move(vertices);
    m_holes = std::move(holes);
    m_closed = other.m_closed;
    m_secondFlag = other.m_secondFlag;
    m_vertexIdCounter = other.m_vertexIdCounter;
    return *this;
}

CadPolygon::~CadPolygon() = default;

size_t CadPolygon::wrap(size_t index) const {
    if (m_vertices.empty()) throw std::out_of_range("invalid vector<T> subscript");
    return index % m_vertices.size();
}

void CadPolygon::insertVertex(size_t index, PolyPoint* vertex) {
    if (!vertex) return;
    m_vertices.insert(index, std::unique_ptr<PolyPoint>(vertex));
}

size_t CadPolygon::getEdgeCount() const {
    const size_t n = m_vertices.size();
    if (n < 2) return 0;
    return m_closed ? n : n - 1;
}

double CadPolygon::getEdgeMeasureSum() const {
    double sum = 0.0;
    for (size_t i = 0; i < getEdgeCount(); ++i)
        sum += getEdge(i).getPlanLength();
    return sum;
}

void CadPolygon::addHole(CadPolygon* hole) {
    if (hole) m_holes.push_back(std::unique_ptr<CadPolygon>(hole));
}

size_t CadPolygon::getTotalCount(bool contourOnly) const {
    size_t count = m_vertices.size();
    if (!contourOnly)
        for (const CadPolygon* hole : m_holes)
            count += hole->getTotalCount(false);
    return count;
}

void CadPolygon::renumberVertexIds(uint32_t first) {
    for (PolyPoint* v : m_vertices)
        v->setId(++first);
    for (CadPolygon* hole : m_holes) {
        hole->renumberVertexIds(first);
        first = hole->m_vertexIdCounter;
    }
    m_vertexIdCounter = first;
}

CadPolygon& CadPolygon::operator+=(const CadPoint& offset) {
    for (PolyPoint* v : m_vertices)
        *v += offset;
    for (CadPolygon* hole : m_holes)
        *hole += offset;
    return *this;
}

CadPolygon& CadPolygon::operator-=(const CadPoint& offset) {
    return *this += -offset;
}

void CadPolygon::rotate(double angle, const CadPoint& centre) {
    for (PolyPoint* v : m_vertices)
        v->rotate(angle, centre);
    for (CadPolygon* hole : m_holes)
        hole->rotate(angle, centre);
}

void CadPolygon::reverse() {
    const size_t n = m_vertices.size();
    std::vector<double> arcs(n);
    // the reversed vertex k ends the old edge that ran into old vertex n - k
    for (size_t k = 0; k < n; ++k)
        arcs[k] = -m_vertices[(n - k) % n]->getArcAngle();
    for (size_t i = 0; i < n / 2; ++i)
        m_vertices.swap(i, n - 1 - i);
    for (size_t k = 0; k < n; ++k)
        m_vertices[k]->setArcAngle(arcs[k] + 0.0);
    for (CadPolygon* hole : m_holes)
        hole->reverse();
}

double CadPolygon::contourArea() const {
    const size_t n = m_vertices.size();
    if (n < 2) return 0.0;
    double twice = 0.0;
    double segments = 0.0;
    for (size_t i = 0; i < n; ++i) {
        const PolyPoint& a = *m_vertices[i];
        const PolyPoint& b = *m_vertices[(i + 1) % n];
        // relative to the first vertex, for precision far from the origin
        const double ax = a.getX() - m_vertices[0]->getX(), ay = a.getY() - m_vertices[0]->getY();
        const double bx = b.getX() - m_vertices[0]->getX(), by = b.getY() - m_vertices[0]->getY();
        twice += ax * by - bx * ay;
        segments += segmentArea(regionEdge(i));
    }
    return twice / 2.0 + segments;
}

double CadPolygon::getArea(bool absolute, bool contourOnly) const {
    if (!isValid(false)) return 0.0;
    double area = contourArea();
    if (!contourOnly && area != 0.0) {
        double holes = 0.0;
        for (const CadPolygon* hole : m_holes)
            holes += hole->getArea(true, true);
        area = area > 0.0 ? area - holes : area + holes;
    }
    return absolute ? std::fabs(area) : area;
}

bool CadPolygon::isValid(bool checkHoles, double tolerance) const {
    const size_t n = m_vertices.size();
    if (n < 2) return false;
    if (n == 2) {
        bool arc = false;
        for (size_t i = 0; i < getEdgeCount(); ++i)
            arc = arc || getVertex(i + 1).isArc(tolerance);
        if (!arc) return false;
    }
    if (checkHoles)
        for (const CadPolygon* hole : m_holes)
            if (!hole->isValid(true, tolerance)) return false;
    return true;
}

std::unique_ptr<Cube> CadPolygon::getBounds() const {
    if (m_vertices.empty()) return nullptr;
    auto box = std::make_unique<Cube>(*m_vertices[0], *m_vertices[0]);
    for (const PolyPoint* v : m_vertices)
        box->extend(*v);
    for (size_t i = 0; i < getEdgeCount(); ++i) {
        const PolyEdge edge = getEdge(i);
        if (edge.isArc()) box->merge(edge.getArc().getBounds());
    }
    for (const CadPolygon* hole : m_holes)
        if (auto holeBox = hole->getBounds()) box->merge(*holeBox);
    return box;
}

void CadPolygon::removeRepeats(double tolerance) {
    // one pass: the kept vertices move to a new vector, the dropped ones go with the old one
    Vector<PolyPoint> kept;
    kept.reserve(m_vertices.size());
    for (size_t i = 0; i < m_vertices.size(); ++i)
        if (kept.empty() || !m_vertices[i]->isEqual(*kept.back(), tolerance))
            kept.push_back(m_vertices.replace(i, nullptr));
    size_t count = kept.size();
    while (m_closed && count > 1 && kept[count - 1]->isEqual(*kept[0], tolerance)) {
        // the edge into the dropped last vertex now ends at the first one
        kept[0]->setArcAngle(kept[count - 1]->getArcAngle());
        --count;
    }
    m_vertices.clear();
    for (size_t i = 0; i < count; ++i)
        m_vertices.push_back(kept.replace(i, nullptr));
}

void CadPolygon::cleanUp(double tolerance) {
    removeRepeats(tolerance);
    Vector<CadPolygon> holes;
    for (size_t i = 0; i < m_holes.size(); ++i) {
        m_holes[i]->removeRepeats(tolerance);
        if (m_holes[i]->isValid(false, tolerance)) holes.push_back(m_holes.replace(i, nullptr));
    }
    m_holes = std::move(holes);
}

uint32_t CadPolygon::findVertex(const CadPoint& p, double tolerance, uint32_t* contour) const {
    for (size_t c = 0; c <= m_holes.size(); ++c) {
        const Vector<PolyPoint>& vertices = c == 0 ? m_vertices : m_holes[c - 1]->m_vertices;
        for (size_t i = 0; i < vertices.size(); ++i)
            if (vertices[i]->isEqual2D(p, tolerance)) {
                if (contour) *contour = static_cast<uint32_t>(c);
                return static_cast<uint32_t>(i);
            }
    }
    if (contour) *contour = kNotFound;
    return kNotFound;
}

PolyEdge CadPolygon::regionEdge(size_t index) const {
    PolyEdge edge = getEdge(index);
    // an open polygon's area closes with a straight chord
    if (!m_closed && index + 1 >= m_vertices.size()) edge.setArcAngle(0.0);
    return edge;
}

bool CadPolygon::onBoundary(const CadPoint& p, double tolerance) const {
    const size_t n = m_vertices.size();
    for (size_t i = 0; i < n; ++i) {
        const PolyEdge edge = regionEdge(i);
        const CadArc arc = edge.getArc();
        const uint32_t code = edge.isArc() && arc.getSweep() != 0.0
                                  ? arc.getPosition(p, tolerance)
                                  : Line(edge.getStartPoint(), edge.getEndPoint()).getPosition(p, tolerance);
        if (code != kOff) return true;
    }
    return false;
}

bool CadPolygon::interiorContains(const CadPoint& p) const {
    // parity of crossings of the chord polygon, toggled by every arc segment holding the point
    const size_t n = m_vertices.size();
    bool inside = false;
    for (size_t i = 0; i < n; ++i) {
        const PolyPoint& a = *m_vertices[i];
        const PolyPoint& b = *m_vertices[(i + 1) % n];
        if ((a.getY() > p.getY()) != (b.getY() > p.getY())) {
            const double x = a.getX() + (p.getY() - a.getY()) / (b.getY() - a.getY()) * (b.getX() - a.getX());
            if (p.getX() < x) inside = !inside;
        }
        const PolyEdge edge = regionEdge(i);
        if (!edge.isArc()) continue;
        const CadArc arc = edge.getArc();
        if (arc.getSweep() == 0.0) continue;
        const bool inDisc = arc.getCentre().distance2D(p) < arc.getRadius();
        const double cross =
            (b.getX() - a.getX()) * (p.getY() - a.getY()) - (b.getY() - a.getY()) * (p.getX() - a.getX());
        // a counter-clockwise arc bulges to the right of its chord
        if (inDisc && (arc.getSweep() > 0.0 ? cross < 0.0 : cross > 0.0)) inside = !inside;
    }
    return inside;
}

uint32_t CadPolygon::getPosition(const CadPoint& p, double tolerance) const {
    if (m_vertices.empty() || !p.isFinite2D()) return kOutside;
    if (onBoundary(p, tolerance)) return kOnBoundary;
    for (const CadPolygon* hole : m_holes)
        if (hole->onBoundary(p, tolerance)) return kOnBoundary;
    if (!interiorContains(p)) return kOutside;
    for (const CadPolygon* hole : m_holes)
        if (hole->interiorContains(p)) return kOutside;
    return kInterior;
}

bool CadPolygon::contains(const CadPoint& p, double tolerance) const {
    return getPosition(p, tolerance) != kOutside;
}

bool CadPolygon::insertIntoEdges(size_t startEdge, const CadPoint& p, double tolerance, uint32_t& counter) {
    const size_t edges = getEdgeCount();
    for (size_t k = 0; k < edges; ++k) {
        const size_t i = (startEdge + k) % edges;
        const PolyEdge edge = getEdge(i);
        const CadArc arc = edge.getArc();
        const bool curved = edge.isArc() && arc.getSweep() != 0.0;
        const uint32_t code = curved
                                  ? arc.getPosition(p, tolerance)
                                  : Line(edge.getStartPoint(), edge.getEndPoint()).getPosition(p, tolerance);
        if (code == kAtStart || code == kAtEnd) return false;
        if (code != kInside) continue;
        double first = 0.0;
        if (curved) {
            const double angle = arc.getCentre().getAngle(p);
            first = arc.getSweep() > 0.0 ? normaliseAngle(angle - arc.getStartAngle())
                                         : -normaliseAngle(arc.getStartAngle() - angle);
            vertexRef(i + 1).setArcAngle(arc.getSweep() - first);
        }
        m_vertices.insert(i + 1, std::make_unique<PolyPoint>(p, first, ++counter));
        return true;
    }
    return false;
}

bool CadPolygon::insertPoint(size_t startEdge, const CadPoint& p, double tolerance) {
    if (findVertex(p, tolerance) != kNotFound) return false;
    if (insertIntoEdges(startEdge, p, tolerance, m_vertexIdCounter)) return true;
    for (CadPolygon* hole : m_holes)
        if (hole->insertIntoEdges(0, p, tolerance, m_vertexIdCounter)) return true;
    return false;
}

} // namespace tarnwick
