#include "Prism3D.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>
#include <unordered_map>

#include "ElementGeometry.h"
#include "MeshParts.h"
#include "Project.h"

namespace zavhost::model3d {

namespace {

constexpr double storeyHeight = 3.0;

double twiceArea(const std::vector<HostCoord2D>& contour) {
    double sum = 0.0;
    for (size_t i = 0; i < contour.size(); ++i) {
        const HostCoord2D& a = contour[i];
        const HostCoord2D& b = contour[(i + 1) % contour.size()];
        sum += a.x * b.y - b.x * a.y;
    }
    return sum;
}

bool isConvex(const std::vector<HostCoord2D>& contour) {
    const size_t n = contour.size();
    for (size_t i = 0; i < n; ++i) {
        const HostCoord2D& a = contour[i];
        const HostCoord2D& b = contour[(i + 1) % n];
        const HostCoord2D& c = contour[(i + 2) % n];
        if ((b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x) < 0.0) return false;
    }
    return true;
}

// Numbers vertices and edges as the polygons first meet them.
class PrismBuilder {
public:
    PrismBuilder(const Contours& contours, double bottom, double top) : m_bottom(bottom), m_top(top) {
        for (const auto& contour : contours)
            for (const HostCoord2D& p : contour)
                m_points.push_back(p);
    }

    // Point k of the footprint at the bottom (level 0) or the top (level 1).
    size_t key(size_t point, int level) const { return point + (level == 0 ? 0 : m_points.size()); }

    // A polygon over loops of keys; its texture coordinates by the map given.
    template <class Texture>
    void addPolygon(const std::vector<std::vector<size_t>>& loops, const ModelerAPI::Vector& normal,
                    int32_t material, Texture texture) {
        std::vector<int32_t> edges;
        for (const auto& loop : loops) {
            if (!edges.empty()) edges.push_back(0);
            for (size_t i = 0; i < loop.size(); ++i)
                edges.push_back(edge(loop[i], loop[(i + 1) % loop.size()]));
        }
        const int32_t number = m_body.AddPolygon(edges, vector(normal), material);
        ModelerAPI::Polygon* polygon = m_body.EditPolygon(number);
        if (polygon == nullptr) return;
        for (const auto& loop : loops)
            for (size_t k : loop)
                polygon->SetTextureCoordinate(m_vertices.at(k), texture(position(k)));
        if (loops.size() == 1 && isConvexLoop(loops.front())) {
            std::vector<int32_t> vertices;
            for (size_t k : loops.front())
                vertices.push_back(m_vertices.at(k));
            polygon->AddConvexPolygon(ModelerAPI::ConvexPolygon(std::move(vertices), normal));
        }
    }

    ModelerAPI::Vertex position(size_t k) const {
        const bool upper = k >= m_points.size();
        const HostCoord2D& p = m_points[upper ? k - m_points.size() : k];
        return ModelerAPI::Vertex{p.x, p.y, upper ? m_top : m_bottom};
    }

    ModelerAPI::MeshBody take(int32_t material) {
        m_body.SetMaterialIndex(material);
        m_body.SetColorIndex(1);
        return std::move(m_body);
    }

private:
    int32_t vertex(size_t k) {
        auto [it, added] = m_vertices.try_emplace(k, 0);
        if (added) it->second = m_body.AddVertex(position(k));
        return it->second;
    }

    int32_t edge(size_t from, size_t to) {
        auto it = m_edges.find({std::min(from, to), std::max(from, to)});
        if (it != m_edges.end()) return it->second.first == from ? it->second.second : -it->second.second;
        const int32_t v1 = vertex(from);
        const int32_t v2 = vertex(to);
        const int32_t number = m_body.AddEdge(v1, v2);
        m_edges[{std::min(from, to), std::max(from, to)}] = {from, number};
        return number;
    }

    // A face looking the opposite way of an earlier one names its vector negated.
    int32_t vector(const ModelerAPI::Vector& v) {
        auto rounded = [](double c) { return std::llround(c * 1e9); };
        const auto key = std::make_tuple(rounded(v.x), rounded(v.y), rounded(v.z));
        auto it = m_vectors.find(key);
        if (it != m_vectors.end()) return it->second;
        const int32_t number = m_body.AddVector(v);
        m_vectors[key] = number;
        m_vectors[std::make_tuple(-std::get<0>(key), -std::get<1>(key), -std::get<2>(key))] = -number;
        return number;
    }

    bool isConvexLoop(const std::vector<size_t>& loop) const {
        // Sides are rectangles; a bottom or top is convex when its outline is.
        std::vector<HostCoord2D> plan;
        for (size_t k : loop) {
            const ModelerAPI::Vertex p = position(k);
            plan.push_back({p.x, p.y});
        }
        const double area = twiceArea(plan);
        if (area == 0.0) return true;
        if (area < 0.0) std::reverse(plan.begin(), plan.end());
        return isConvex(plan);
    }

    double m_bottom;
    double m_top;
    std::vector<HostCoord2D> m_points;
    ModelerAPI::MeshBody m_body;
    std::unordered_map<size_t, int32_t> m_vertices;
    std::map<std::pair<size_t, size_t>, std::pair<size_t, int32_t>> m_edges; // ends -> first start, number
    std::map<std::tuple<long long, long long, long long>, int32_t> m_vectors;
};

} // namespace

Contours footprintOf(const StoredElement& element) {
    Contours contours;
    if (std::optional<FreeFormBody> body = freeFormBodyOf(element)) {
        // A free form's body is its own: its memo holds no outline.
        if (twiceArea(body->contour) < 0.0) std::reverse(body->contour.begin(), body->contour.end());
        if (twiceArea(body->contour) > 0.0) contours.push_back(std::move(body->contour));
        return contours;
    }
    for (std::vector<HostCoord2D> contour : contoursOf(element.memo)) {
        if (contour.size() > 1 && contour.front().x == contour.back().x &&
            contour.front().y == contour.back().y)
            contour.pop_back();
        const double area = twiceArea(contour);
        if (contour.size() < 3 || area == 0.0) {
            if (contours.empty()) break; // without an outline the holes mean nothing
            continue;
        }
        // The outline runs counter-clockwise, holes clockwise.
        if ((area < 0.0) == contours.empty()) std::reverse(contour.begin(), contour.end());
        contours.push_back(std::move(contour));
    }
    if (!contours.empty()) return contours;
    if (std::optional<HostBox3D> box = boxOf(element)) {
        if (box->xMax <= box->xMin || box->yMax <= box->yMin) return {};
        contours.push_back(
            {{box->xMin, box->yMin}, {box->xMax, box->yMin}, {box->xMax, box->yMax}, {box->xMin, box->yMax}});
    }
    return contours;
}

ElementExtent3D extentOf(const Project& project, const StoredElement& element) {
    auto given = project.model.model3d.extents.find(element.guid());
    if (given != project.model.model3d.extents.end()) return given->second;
    ElementExtent3D extent;
    if (std::optional<FreeFormBody> body = freeFormBodyOf(element)) {
        extent.bottom = body->bottom;
        extent.top = body->top;
        return extent;
    }
    const StoredStorey* storey = project.model.storeys.find(element.head().storey);
    extent.bottom = storey == nullptr ? 0.0 : storey->level;
    extent.top = extent.bottom + storeyHeight;
    return extent;
}

ModelerAPI::MeshBody prism(const Contours& contours, double bottom, double top, int32_t material) {
    if (contours.empty() || !(top > bottom)) return ModelerAPI::MeshBody();
    PrismBuilder builder(contours, bottom, top);
    std::vector<std::vector<size_t>> lower, upper;
    size_t first = 0;
    for (const auto& contour : contours) {
        std::vector<size_t> down, up;
        for (size_t i = 0; i < contour.size(); ++i) {
            down.push_back(builder.key(first + contour.size() - 1 - i, 0));
            up.push_back(builder.key(first + i, 1));
        }
        lower.push_back(std::move(down));
        upper.push_back(std::move(up));
        first += contour.size();
    }
    auto plan = [](const ModelerAPI::Vertex& p) { return ModelerAPI::TextureCoordinate{p.x, p.y}; };
    builder.addPolygon(lower, ModelerAPI::Vector{0.0, 0.0, -1.0}, material, plan);
    builder.addPolygon(upper, ModelerAPI::Vector{0.0, 0.0, 1.0}, material, plan);
    first = 0;
    for (const auto& contour : contours) {
        const size_t n = contour.size();
        for (size_t i = 0; i < n; ++i) {
            const HostCoord2D& a = contour[i];
            const HostCoord2D& b = contour[(i + 1) % n];
            const double length = std::hypot(b.x - a.x, b.y - a.y);
            if (length == 0.0) continue;
            const size_t j = (i + 1) % n;
            // Along the side from its start, and up from the bottom.
            auto side = [&](const ModelerAPI::Vertex& p) {
                return ModelerAPI::TextureCoordinate{std::hypot(p.x - a.x, p.y - a.y), p.z - bottom};
            };
            builder.addPolygon({{builder.key(first + i, 0), builder.key(first + j, 0),
                                 builder.key(first + j, 1), builder.key(first + i, 1)}},
                               ModelerAPI::Vector{(b.y - a.y) / length, (a.x - b.x) / length, 0.0}, material,
                               side);
        }
        first += n;
    }
    return builder.take(material);
}

} // namespace zavhost::model3d
