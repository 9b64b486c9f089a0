// A point or a box of the geometry layer as XML. Each works on a geometry object that belongs to
// someone else: it copies the coordinates when made, ships its copies, and puts them back into the
// object once read.
#pragma once

#include "geometry/Cube.h"
#include "geometry/PolyPoint.h"
#include "persistence/Shipping.h"

namespace zavlink {

class XMLPoint : public tarnwick::XMLAssembly {
public:
    // Below this z and sweep are not written, so a plan point on a straight edge is x and y only.
    static constexpr double WriteTolerance = 1e-5;

    // The point must outlive this.
    XMLPoint(tarnwick::PolyPoint& target, const tarnwick::String& elementName);

    // Members by index: "x", "y", "z", "sweep" (the arc angle of the edge that ends at the point).
    size_t getFieldCount() const override { return 4; }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    // Writes the coordinates and the sweep back into the point.
    bool afterRead() override;
    // x, y, z and sweep to 0; the point itself takes them only from afterRead.
    void reset() override;

private:
    tarnwick::PolyPoint& m_target;
    double m_x;
    double m_y;
    double m_z;
    double m_sweep;
};

class XMLBox : public tarnwick::XMLAssembly {
public:
    // The box must outlive this.
    XMLBox(tarnwick::Cube& target, const tarnwick::String& elementName);

    // Members by index: "origin" and "end", the box's first and second corner.
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    // Sets both corners and normalises the box, whatever order they came in.
    bool afterRead() override;
    // Empties the box itself (both corners at the origin) and both corner points.
    void reset() override;

private:
    tarnwick::Cube& m_target;
    tarnwick::PolyPoint m_origin;
    tarnwick::PolyPoint m_end;
};

} // namespace zavlink
