// Element: attributes, measures, quantities and bounds.
#include <cstddef>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "elements/ArrowStyle.h"
#include "elements/Element.h"
#include "elements/Element3D.h"
#include "elements/ElementQuantities.h"
#include "elements/text/TextStyle.h"
#include "geometry/Leveller.h"
#include "project/Drawing.h"
#include "project/Material.h"

namespace tarnwick {

namespace {
constexpr double FaceTolerance = 1e-5;
} // namespace

void Element::getPen(Pen& pen, uint32_t) const {
    pen = Pen(AttributeLink());
}

void Element::getLineStyle(LineStyle& style, uint32_t) const {
    style = LineStyle();
}

void Element::getFinish(Finish&, uint32_t) const {}

std::unique_ptr<Pattern> Element::getPattern(uint32_t) const {
    return nullptr;
}

std::unique_ptr<TextStyle> Element::getTextStyle(uint32_t) const {
    return nullptr;
}

std::unique_ptr<ArrowStyle> Element::getArrowStyle(uint32_t) const {
    return nullptr;
}

void Element::getComplexProfile(ComplexProfile&) const {}

void Element::getMaterial(Material&) const {}

double Element::getSurfaceArea() {
    std::shared_ptr<Element3D> model = getElement3D();
    if (!model) return 0.0;
    double area = 0.0;
    for (size_t b = 0; b < model->getBodyCount(); ++b) {
        const Body& body = model->getBody(b);
        for (size_t f = 0; f < body.getFaceCount(); ++f) {
            CadPolygon outline;
            if (!body.getFacePolygons(f, outline) || !outline.isValid(false, FaceTolerance)) continue;
            Leveller(body.getFace(f).getNormal(), 0.0, FaceTolerance).transformPolygon(outline);
            area += outline.getArea(true);
        }
    }
    return area;
}

double Element::getMaterialQuantity(uint16_t material) {
    // A basic structure answers its measure D when its building material is the one asked for.
    if (getStructureType() == 0) {
        Material own;
        getMaterial(own);
        return static_cast<uint16_t>(own.getLink().getIndex16()) == material ? getMeasureD() : 0.0;
    }
    if (getStructureType() != 1) return 0.0;
    ElementQuantities quantities;
    quantities.requestComposite(offsetof(HostCompositeQuantity, volume), sizeof(double));
    quantities.requestComposite(offsetof(HostCompositeQuantity, material), sizeof(uint16_t));
    if (!quantities.fetch(m_link)) return 0.0;
    double sum = 0.0;
    for (const HostCompositeQuantity& layer : quantities.getComposites())
        if (layer.material == material) sum += layer.volume;
    return sum;
}

double Element::getCompositeQuantity(uint16_t material) {
    if (getStructureType() != 1) return 0.0;
    std::unique_ptr<Pattern> pattern = getPattern(1);
    if (!pattern || pattern->getLink().getType() != AttrComposite) return 0.0;
    ElementQuantities quantities;
    quantities.requestComposite(offsetof(HostCompositeQuantity, projectedArea), sizeof(double));
    quantities.requestComposite(offsetof(HostCompositeQuantity, material), sizeof(uint16_t));
    if (!quantities.fetch(m_link)) return 0.0;
    double sum = 0.0;
    for (const HostCompositeQuantity& layer : quantities.getComposites())
        if (layer.material == material) sum += layer.projectedArea;
    return sum;
}

void Element::getReferencePoint(CadPoint& point) const {
    point = CadPoint();
}

double Element::getElevation(bool) const {
    return 0.0;
}

std::unique_ptr<Cube> Element::getBounds(bool fromHost) {
    if (!fromHost) {
        if (std::shared_ptr<Element3D> model = getElement3D())
            if (std::unique_ptr<Cube> box = model->getBounds()) return box;
    }
    Drawing* drawing = getDrawing();
    if (drawing == nullptr || !Host::setCurrentDatabase(drawing)) return nullptr;
    HostElementHead header = makeHeader();
    HostBox3D hostBox;
    if (ACAPDatabaseCall(fourCC("CABO"), &header, &hostBox) != hosterr::Ok) return nullptr;
    auto box = std::make_unique<Cube>(hostBox);
    const double z = getElevation(true);
    box->setMin(CadPoint(box->getMin().getX(), box->getMin().getY(), z));
    box->setMax(CadPoint(box->getMax().getX(), box->getMax().getY(), z));
    box->normalise();
    return box;
}

double Element::getBoundsZSize() {
    std::unique_ptr<Cube> box = getBounds(false);
    return box ? box->getZSize() : 0.0;
}

double Element::getBoundsXSize() {
    std::unique_ptr<Cube> box = getBounds(false);
    return box ? box->getXSize() : 0.0;
}

double Element::getBoundsYSize() {
    std::unique_ptr<Cube> box = getBounds(false);
    return box ? box->getYSize() : 0.0;
}

std::unique_ptr<CadPolygon> Element::getOutline() const {
    return nullptr;
}

double Element::getOutlineMeasure() const {
    std::unique_ptr<CadPolygon> outline = getOutline();
    return outline ? outline->getEdgeMeasureSum() : 0.0;
}

double Element::getOutlineArea() const {
    std::unique_ptr<CadPolygon> outline = getOutline();
    return outline ? outline->getArea(true, false) : 0.0;
}

} // namespace tarnwick
