#include "DraftingSteps.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <sstream>
#include <vector>

#include "CallLog.h"
#include "ElementGeometry.h"
#include "LineWork.h"
#include "ModelSteps.h"
#include "Project.h"
#include "RecordFields.h"
#include "SlabParts.h"
#include "platform/api/DimensionRecords.h"
#include "platform/api/HatchRecords.h"
#include "platform/api/HostErrors.h"
#include "platform/api/ImageRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
constexpr uint32_t PlacedDrawingTypeCode = 30;
constexpr uint32_t ImageTypeCode = 31;
constexpr size_t CoordinatesField = offsetof(API_ElementMemo, coordinates);
constexpr size_t EndsField = offsetof(API_ElementMemo, subPolygonEnds);
constexpr size_t ArcsField = offsetof(API_ElementMemo, arcs);
constexpr size_t DimensionPointsField = offsetof(API_ElementMemo, dimensionPoints);
constexpr size_t PictureField = offsetof(API_ElementMemo, picture);
constexpr size_t DrawingDataField = offsetof(API_ElementMemo, drawingData);

// A vertex of the words: its point and the sweep (degrees) of the edge that ends at it.
struct Vertex {
    double x = 0.0;
    double y = 0.0;
    double arc = 0.0;
};

// Numbers travel in the step's options as text, apart from the numbers the other words keep in
// order.
std::string encode(const std::vector<double>& numbers) {
    std::ostringstream out;
    out.precision(17);
    for (double n : numbers)
        out << n << ' ';
    return out.str();
}

std::vector<double> decode(const std::string& text) {
    std::istringstream in(text);
    std::vector<double> numbers;
    for (double n; in >> n;)
        numbers.push_back(n);
    return numbers;
}

std::vector<Vertex> verticesOf(const std::string& text) {
    std::vector<double> n = decode(text);
    std::vector<Vertex> vertices;
    for (size_t i = 0; i + 2 < n.size(); i += 3)
        vertices.push_back({n[i], n[i + 1], n[i + 2]});
    return vertices;
}

const std::string* option(const ModelArgs& args, const char* name) {
    auto it = args.options.find(name);
    return it == args.options.end() ? nullptr : &it->second;
}

// X Y [arc DEGREES] ..., at least `least` points.
std::string readVertices(LineReader& in, size_t least, bool arcs) {
    std::vector<double> numbers;
    while (in.nextIsReal()) {
        numbers.push_back(in.real("an x coordinate"));
        numbers.push_back(in.real("a y coordinate"));
        numbers.push_back(arcs && in.word("arc") ? in.real("a sweep in degrees") : 0.0);
    }
    if (numbers.size() / 3 < least) throw LineError{"expected at least " + std::to_string(least) + " points"};
    return encode(numbers);
}

std::string readNumbers(LineReader& in, std::initializer_list<const char*> what) {
    std::vector<double> numbers;
    for (const char* each : what)
        numbers.push_back(in.real(each));
    return encode(numbers);
}

template <class T> void setItems(StoredMemo& memo, size_t field, const std::vector<T>& items) {
    StoredBlock block;
    block.bytes.assign(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T));
    memo.blocks[static_cast<uint32_t>(field)] = std::move(block);
}

template <class T> std::vector<T> itemsOf(const StoredMemo& memo, size_t field) {
    auto it = memo.blocks.find(static_cast<uint32_t>(field));
    if (it == memo.blocks.end()) return {};
    std::vector<T> items(it->second.bytes.size() / sizeof(T));
    if (!items.empty())
        std::memcpy(static_cast<void*>(items.data()), it->second.bytes.data(), items.size() * sizeof(T));
    return items;
}

std::string bytesOf(const StoredMemo& memo, size_t field) {
    auto it = memo.blocks.find(static_cast<uint32_t>(field));
    return it == memo.blocks.end() ? std::string() : it->second.bytes;
}

// The one-based polygon counts of what the memo holds.
void countPolygon(const StoredMemo& memo, uint32_t& coordinates, uint32_t& ends, uint32_t& arcs) {
    const size_t stored = itemsOf<HostCoord2D>(memo, CoordinatesField).size();
    const size_t endCount = itemsOf<uint32_t>(memo, EndsField).size();
    coordinates = stored > 0 ? static_cast<uint32_t>(stored - 1) : 0;
    ends = endCount > 0 ? static_cast<uint32_t>(endCount - 1) : 0;
    arcs = static_cast<uint32_t>(itemsOf<HostPolygonArc>(memo, ArcsField).size());
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// A polyline's open vertices from index 1, with the arcs that end at them.
void setOpenPolygon(StoredMemo& memo, const std::vector<Vertex>& vertices) {
    std::vector<HostCoord2D> coords{{0.0, 0.0}};
    std::vector<HostPolygonArc> arcs;
    for (const Vertex& v : vertices) {
        coords.push_back({v.x, v.y});
        const auto at = static_cast<uint32_t>(coords.size() - 1);
        if (v.arc != 0.0 && at > 1) arcs.push_back({at - 1, at, radians(v.arc)});
    }
    setItems(memo, CoordinatesField, coords);
    setItems(memo, EndsField, std::vector<uint32_t>{0, static_cast<uint32_t>(coords.size() - 1)});
    if (arcs.empty())
        memo.blocks.erase(static_cast<uint32_t>(ArcsField));
    else
        setItems(memo, ArcsField, arcs);
}

// Closed contours from index 1, each repeating its first point, the outline first.
void setContours(StoredMemo& memo, const std::vector<std::vector<HostCoord2D>>& contours) {
    std::vector<HostCoord2D> coords{{0.0, 0.0}};
    std::vector<uint32_t> ends{0};
    for (const auto& contour : contours) {
        coords.insert(coords.end(), contour.begin(), contour.end());
        if (contour.front().x != contour.back().x || contour.front().y != contour.back().y)
            coords.push_back(contour.front());
        ends.push_back(static_cast<uint32_t>(coords.size() - 1));
    }
    setItems(memo, CoordinatesField, coords);
    setItems(memo, EndsField, ends);
}

std::vector<HostDimensionPoint> dimensionPoints(const std::vector<Vertex>& vertices,
                                                const HostPenFontSize& text) {
    std::vector<HostDimensionPoint> points;
    for (const Vertex& v : vertices) {
        HostDimensionPoint point;
        point.position = {v.x, v.y};
        point.position3D = {v.x, v.y, 0.0};
        point.projection = {v.x, v.y};
        point.textBlock = text;
        points.push_back(point);
    }
    return points;
}

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-6;
}

std::string pointText(double x, double y) {
    char text[64];
    std::snprintf(text, sizeof text, "(%.6g, %.6g)", x, y);
    return text;
}

std::string listText(const std::vector<HostCoord2D>& points) {
    std::string text;
    for (const HostCoord2D& p : points)
        text += (text.empty() ? "" : " ") + pointText(p.x, p.y);
    return text.empty() ? "none" : text;
}

// A closed contour without its closing repeat.
std::vector<HostCoord2D> ringOf(std::vector<HostCoord2D> contour) {
    if (contour.size() > 1 && contour.front().x == contour.back().x && contour.front().y == contour.back().y)
        contour.pop_back();
    return contour;
}

// The same points in the same turn, starting anywhere: a closed contour read and written again
// may start at another vertex.
bool sameRing(const std::vector<HostCoord2D>& ring, const std::vector<Vertex>& wanted) {
    if (ring.size() != wanted.size()) return false;
    for (size_t start = 0; start < ring.size(); ++start) {
        bool all = true;
        for (size_t i = 0; i < ring.size() && all; ++i) {
            const HostCoord2D& p = ring[(start + i) % ring.size()];
            all = near(p.x, wanted[i].x) && near(p.y, wanted[i].y);
        }
        if (all) return true;
    }
    return ring.empty();
}

// The open points of a polyline (from index 1, with the sweeps of their arcs in degrees), a
// spline (from index 0) or a dimension.
std::vector<Vertex> openPointsOf(const StoredElement& element) {
    std::vector<Vertex> points;
    const uint32_t type = element.head().typeCode;
    if (type == LinearDimensionTypeCode) {
        for (const HostDimensionPoint& p : itemsOf<HostDimensionPoint>(element.memo, DimensionPointsField))
            points.push_back({p.position.x, p.position.y, 0.0});
        return points;
    }
    const std::vector<HostCoord2D> coords = itemsOf<HostCoord2D>(element.memo, CoordinatesField);
    const size_t first = type == SplineTypeCode ? 0 : 1;
    for (size_t i = first; i < coords.size(); ++i)
        points.push_back({coords[i].x, coords[i].y, 0.0});
    for (const HostPolygonArc& arc : itemsOf<HostPolygonArc>(element.memo, ArcsField))
        if (arc.end >= first && arc.end - first < points.size())
            points[arc.end - first].arc = arc.angle * 180.0 / std::numbers::pi;
    return points;
}

std::string verticesText(const std::vector<Vertex>& vertices) {
    std::string text;
    for (const Vertex& v : vertices) {
        text += (text.empty() ? "" : " ") + pointText(v.x, v.y);
        if (v.arc != 0.0) text += " arc " + std::to_string(v.arc);
    }
    return text.empty() ? "none" : text;
}

std::string pointsMismatch(const std::vector<Vertex>& wanted, const StoredElement& element) {
    const uint32_t type = element.head().typeCode;
    if (type == HatchTypeCode || type == PlacedDrawingTypeCode || hasBorderedOutline(type)) {
        auto contours = contoursOf(element.memo);
        std::vector<HostCoord2D> ring = contours.empty() ? std::vector<HostCoord2D>() : ringOf(contours[0]);
        return sameRing(ring, wanted) ? std::string() : "its outline is " + listText(ring);
    }
    const std::vector<Vertex> points = openPointsOf(element);
    bool same = points.size() == wanted.size();
    for (size_t i = 0; same && i < points.size(); ++i)
        same = near(points[i].x, wanted[i].x) && near(points[i].y, wanted[i].y) &&
               std::fabs(points[i].arc - wanted[i].arc) <= 1e-6;
    return same ? std::string() : "its points are " + verticesText(points);
}

HostBox2D boxOfRecord(const StoredElement& element) {
    if (element.head().typeCode == ImageTypeCode) {
        auto image = partOf<HostImageElement>(element.record);
        return {image.xMin, image.yMin, image.xMax, image.yMax};
    }
    return partOf<HostPlacedDrawing>(element.record).box;
}
// IFC words travel as fields of one option: units apart by 0x1F, words by 0x1E. A missing value
// (an expectation's `none`) is 0x01 alone.
constexpr char FieldMark = '\x1f';
constexpr char WordMark = '\x1e';
constexpr const char* NoValue = "\x01";

std::vector<std::vector<std::string>> ifcWords(const ModelArgs& args, const char* name) {
    std::vector<std::vector<std::string>> words;
    const std::string* text = option(args, name);
    if (text == nullptr) return words;
    std::stringstream each(*text);
    for (std::string word; std::getline(each, word, WordMark);) {
        std::vector<std::string> fields;
        std::stringstream parts(word);
        for (std::string field; std::getline(parts, field, FieldMark);)
            fields.push_back(field);
        words.push_back(fields);
    }
    return words;
}

std::string readIfcValue(LineReader& in, bool expectation) {
    if (expectation && in.word("none")) return NoValue;
    return in.text("the value");
}

const API_IFCProperty* findProperty(const ElementIfc& ifc, const std::string& set, const std::string& name) {
    for (const API_IFCProperty& p : ifc.properties)
        if (p.propertySetName.ToCStr() == set && p.propertyName.ToCStr() == name) return &p;
    return nullptr;
}

const API_IFCAttribute* findAttribute(const ElementIfc& ifc, const std::string& name) {
    for (const API_IFCAttribute& a : ifc.attributes)
        if (a.attributeName.ToCStr() == name) return &a;
    return nullptr;
}

std::string ifcMismatch(const ModelArgs& args, const Project& project, const StoredElement& element) {
    static const ElementIfc none;
    auto it = project.model.ifc.elements.find(element.guid());
    const ElementIfc& ifc = it == project.model.ifc.elements.end() ? none : it->second;
    for (const auto& word : ifcWords(args, "ifc-property")) {
        const API_IFCProperty* p = findProperty(ifc, word[0], word[1]);
        const std::string what = "IFC property " + inQuotes(word[0] + "/" + word[1]);
        if (word[2] == NoValue) {
            if (p != nullptr) return "it has the " + what;
            continue;
        }
        if (p == nullptr) return "it has no " + what;
        const std::string value = p->singleValue.stringValue.ToCStr();
        if (p->propertyType != 0 || value != word[2]) return "its " + what + " is " + inQuotes(value);
    }
    for (const auto& word : ifcWords(args, "ifc-attribute")) {
        const API_IFCAttribute* a = findAttribute(ifc, word[0]);
        const std::string what = "IFC attribute " + inQuotes(word[0]);
        if (word[1] == NoValue) {
            if (a != nullptr) return "it has the " + what;
            continue;
        }
        if (a == nullptr) return "it has no " + what;
        if (a->attributeValue.ToCStr() != word[1])
            return "its " + what + " is " + inQuotes(a->attributeValue.ToCStr());
    }
    return {};
}

void applyIfcWords(const ModelArgs& args, Project& project, const StoredElement& element) {
    const auto properties = ifcWords(args, "ifc-property");
    const auto attributes = ifcWords(args, "ifc-attribute");
    if (properties.empty() && attributes.empty()) return;
    ElementIfc& ifc = project.model.ifc.elements[element.guid()];
    for (const auto& word : properties) {
        API_IFCProperty property;
        property.propertySetName = GS::UniString(word[0].c_str());
        property.propertyName = GS::UniString(word[1].c_str());
        property.singleValue.valueType = GS::UniString("IfcLabel");
        property.singleValue.primitiveType = 4;
        property.singleValue.stringValue = GS::UniString(word[2].c_str());
        ifc.properties.push_back(property);
    }
    for (const auto& word : attributes) {
        API_IFCAttribute attribute;
        attribute.attributeName = GS::UniString(word[0].c_str());
        attribute.attributeType = GS::UniString("IfcLabel");
        attribute.attributeValue = GS::UniString(word[1].c_str());
        attribute.hasValue = 1;
        ifc.attributes.push_back(attribute);
    }
}
} // namespace

bool parseDraftingWord(LineReader& in, ModelArgs& args, bool expectation) {
    if (in.word("points")) {
        args.options["points"] = readVertices(in, 1, true);
    } else if (in.word("hole")) {
        if (expectation && args.options.count("hole") != 0) throw LineError{"one hole to expect a line"};
        args.options["hole"] += readVertices(in, 3, false) + "|";
    } else if (in.word("centre")) {
        args.options["centre"] = readNumbers(in, {"an x coordinate", "a y coordinate"});
    } else if (in.word("radius")) {
        args.options["radius"] = readNumbers(in, {"a radius"});
    } else if (in.word("angles")) {
        args.options["angles"] = readNumbers(in, {"a begin angle in degrees", "an end angle in degrees"});
    } else if (in.word("box")) {
        args.options["box"] = readNumbers(in, {"x1", "y1", "x2", "y2"});
    } else if (in.word("reference")) {
        args.options["reference"] = readNumbers(in, {"an x coordinate", "a y coordinate"});
    } else if (in.word("picture")) {
        args.options["picture"] = in.text("the picture's bytes");
    } else if (in.word("drawing-data")) {
        args.options["drawing-data"] = in.text("the drawing data");
    } else if (parseEdgeWord(in, args)) {
        // the edges' data of a slab's or roof's outline
    } else if (in.word("ifc-property")) {
        std::string set = in.text("the property set's name");
        std::string name = in.text("the property's name");
        if (set.empty() || name.empty()) throw LineError{"an IFC property needs a set and a name"};
        args.options["ifc-property"] +=
            set + FieldMark + name + FieldMark + readIfcValue(in, expectation) + WordMark;
    } else if (in.word("ifc-attribute")) {
        std::string name = in.text("the attribute's name");
        if (name.empty()) throw LineError{"an IFC attribute needs a name"};
        args.options["ifc-attribute"] += name + FieldMark + readIfcValue(in, expectation) + WordMark;
    } else {
        return false;
    }
    return true;
}

void startDraftingRecord(const Project& project, StoredElement& element) {
    const HostElementHead head = element.record.head;
    switch (head.typeCode) {
    case LinearDimensionTypeCode:
    case HatchTypeCode:
    case LineTypeCode:
    case PolyLineTypeCode:
    case CircleTypeCode:
    case ArcTypeCode:
    case SplineTypeCode:
    case HotspotTypeCode:
    case PlacedDrawingTypeCode:
    case ImageTypeCode:
        element.record = project.model.defaults.get(head.typeCode, 0).record;
        element.record.head = head;
        break;
    default:
        break;
    }
}

GSErrCode applyDraftingWords(const ModelArgs& args, Project& project, StoredElement& element,
                             std::string* why) {
    const uint32_t type = element.head().typeCode;
    auto refuse = [why](const std::string& reason) {
        *why = reason;
        return hosterr::BadParameter;
    };
    bool memo = false;
    if (const std::string* text = option(args, "points")) {
        const std::vector<Vertex> vertices = verticesOf(*text);
        if (type == LinearDimensionTypeCode) {
            auto dimension = partOf<HostLinearDimension>(element.record);
            setItems(element.memo, DimensionPointsField, dimensionPoints(vertices, dimension.textBlock));
            dimension.pointCount = static_cast<uint32_t>(vertices.size());
            dimension.reference = {vertices[0].x, vertices[0].y};
            setPart(element.record, dimension);
        } else if (type == PolyLineTypeCode) {
            if (vertices.size() < 2) return refuse("a polyline needs two points");
            setOpenPolygon(element.memo, vertices);
            auto polyline = partOf<HostPolyLineElement>(element.record);
            countPolygon(element.memo, polyline.coordinateCount, polyline.endCount, polyline.arcCount);
            setPart(element.record, polyline);
        } else if (type == SplineTypeCode) {
            if (vertices.size() < 2) return refuse("a spline needs two points");
            std::vector<HostCoord2D> coords;
            for (const Vertex& v : vertices)
                coords.push_back({v.x, v.y});
            setItems(element.memo, CoordinatesField, coords);
            auto spline = partOf<HostSplineRecord>(element.record);
            spline.counts.coordinates = static_cast<uint32_t>(coords.size());
            spline.counts.subPolygons = 1;
            setPart(element.record, spline);
        } else {
            return refuse("points are a dimension's, a polyline's or a spline's; others take polygon");
        }
        memo = true;
    }
    if (const std::string* holes = option(args, "hole")) {
        auto contours = contoursOf(element.memo);
        if (contours.empty() || (type != HatchTypeCode && !hasBorderedOutline(type)))
            return refuse("holes are a hatch's, a slab's or a roof's, after its polygon");
        std::stringstream each(*holes);
        for (std::string hole; std::getline(each, hole, '|');) {
            std::vector<HostCoord2D> contour;
            for (const Vertex& v : verticesOf(hole))
                contour.push_back({v.x, v.y});
            contours.push_back(contour);
        }
        setContours(element.memo, contours);
    }
    if (hasBorderedOutline(type)) countSlabOutline(element);
    if (std::string problem = applyEdgeWords(args, element); !problem.empty()) return refuse(problem);
    if (type == HatchTypeCode || type == PlacedDrawingTypeCode) {
        HostHatchElement hatch = partOf<HostHatchElement>(element.record);
        HostPlacedDrawing drawing = partOf<HostPlacedDrawing>(element.record);
        const bool isHatch = type == HatchTypeCode;
        countPolygon(element.memo, isHatch ? hatch.coordinateCount : drawing.coordinateCount,
                     isHatch ? hatch.endCount : drawing.endCount,
                     isHatch ? hatch.arcCount : drawing.arcCount);
        if (isHatch)
            setPart(element.record, hatch);
        else
            setPart(element.record, drawing);
        memo = memo || !contoursOf(element.memo).empty();
    }
    if (option(args, "centre") || option(args, "radius") || option(args, "angles")) {
        if (type != CircleTypeCode && type != ArcTypeCode)
            return refuse("centre, radius and angles are a circle's");
        auto circle = partOf<HostCircleElement>(element.record);
        if (const std::string* centre = option(args, "centre")) {
            std::vector<double> n = decode(*centre);
            circle.centre = {n[0], n[1]};
        }
        if (const std::string* radius = option(args, "radius")) circle.radius = decode(*radius)[0];
        if (const std::string* angles = option(args, "angles")) {
            std::vector<double> n = decode(*angles);
            circle.beginAngle = radians(n[0]);
            circle.endAngle = radians(n[1]);
        }
        setPart(element.record, circle);
    }
    if (const std::string* text = option(args, "box")) {
        const std::vector<double> n = decode(*text);
        const HostBox2D box{std::min(n[0], n[2]), std::min(n[1], n[3]), std::max(n[0], n[2]),
                            std::max(n[1], n[3])};
        if (type == ImageTypeCode) {
            auto image = partOf<HostImageElement>(element.record);
            image.xMin = box.xMin, image.yMin = box.yMin, image.xMax = box.xMax, image.yMax = box.yMax;
            setPart(element.record, image);
        } else if (type == PlacedDrawingTypeCode) {
            auto drawing = partOf<HostPlacedDrawing>(element.record);
            drawing.box = box;
            drawing.reference = {box.xMin, box.yMin};
            setPart(element.record, drawing);
        } else {
            return refuse("a box is a picture's or a placed drawing's");
        }
    }
    if (const std::string* text = option(args, "reference")) {
        const std::vector<double> n = decode(*text);
        if (type == LinearDimensionTypeCode) {
            auto dimension = partOf<HostLinearDimension>(element.record);
            dimension.reference = {n[0], n[1]};
            setPart(element.record, dimension);
        } else if (type == PlacedDrawingTypeCode) {
            auto drawing = partOf<HostPlacedDrawing>(element.record);
            drawing.reference = {n[0], n[1]};
            setPart(element.record, drawing);
        } else {
            return refuse("a reference point is a dimension's or a placed drawing's");
        }
    }
    if (const std::string* bytes = option(args, "picture")) {
        if (type != ImageTypeCode) return refuse("a picture is a picture element's");
        element.memo.blocks[static_cast<uint32_t>(PictureField)] = StoredBlock{false, *bytes, {}};
        memo = true;
    }
    if (const std::string* bytes = option(args, "drawing-data")) {
        if (type != PlacedDrawingTypeCode) return refuse("drawing data are a placed drawing's");
        element.memo.blocks[static_cast<uint32_t>(DrawingDataField)] = StoredBlock{true, *bytes, {}};
        memo = true;
    }
    if (memo) element.record.head.byte76 = 1;
    applyIfcWords(args, project, element);
    return hosterr::Ok;
}

std::string draftingMismatch(const ModelArgs& args, const Project& project, const StoredElement& element) {
    if (std::string why = ifcMismatch(args, project, element); !why.empty()) return why;
    if (std::string why = edgeMismatch(args, element); !why.empty()) return why;
    const uint32_t type = element.head().typeCode;
    if (const std::string* text = option(args, "points"))
        if (std::string why = pointsMismatch(verticesOf(*text), element); !why.empty()) return why;
    if (const std::string* text = option(args, "hole")) {
        auto contours = contoursOf(element.memo);
        const std::vector<Vertex> wanted = verticesOf(text->substr(0, text->find('|')));
        bool found = false;
        for (size_t c = 1; c < contours.size() && !found; ++c)
            found = sameRing(ringOf(contours[c]), wanted);
        if (!found)
            return "it has " + std::to_string(contours.empty() ? 0 : contours.size() - 1) +
                   " hole(s), none of them that one";
    }
    if (option(args, "centre") || option(args, "radius") || option(args, "angles")) {
        if (type != CircleTypeCode && type != ArcTypeCode) return "it is not a circle or an arc";
        const auto circle = partOf<HostCircleElement>(element.record);
        if (const std::string* centre = option(args, "centre")) {
            std::vector<double> n = decode(*centre);
            if (!near(circle.centre.x, n[0]) || !near(circle.centre.y, n[1]))
                return "its centre is " + pointText(circle.centre.x, circle.centre.y);
        }
        if (const std::string* radius = option(args, "radius"))
            if (!near(circle.radius, decode(*radius)[0]))
                return "its radius is " + std::to_string(circle.radius);
        if (const std::string* angles = option(args, "angles")) {
            std::vector<double> n = decode(*angles);
            if (!near(circle.beginAngle, radians(n[0])) || !near(circle.endAngle, radians(n[1])))
                return "its angles are " + std::to_string(circle.beginAngle * 180.0 / std::numbers::pi) +
                       " and " + std::to_string(circle.endAngle * 180.0 / std::numbers::pi);
        }
    }
    if (const std::string* text = option(args, "box")) {
        if (type != ImageTypeCode && type != PlacedDrawingTypeCode) return "it has no box";
        const std::vector<double> n = decode(*text);
        const HostBox2D box = boxOfRecord(element);
        if (!near(box.xMin, n[0]) || !near(box.yMin, n[1]) || !near(box.xMax, n[2]) || !near(box.yMax, n[3]))
            return "its box is " + pointText(box.xMin, box.yMin) + " to " + pointText(box.xMax, box.yMax);
    }
    if (const std::string* text = option(args, "reference")) {
        const std::vector<double> n = decode(*text);
        HostCoord2D reference;
        if (type == LinearDimensionTypeCode)
            reference = partOf<HostLinearDimension>(element.record).reference;
        else if (type == PlacedDrawingTypeCode)
            reference = partOf<HostPlacedDrawing>(element.record).reference;
        else
            return "it has no reference point of its own";
        if (!near(reference.x, n[0]) || !near(reference.y, n[1]))
            return "its reference point is " + pointText(reference.x, reference.y);
    }
    if (const std::string* bytes = option(args, "picture"))
        if (bytesOf(element.memo, PictureField) != *bytes)
            return "its picture is " + inQuotes(bytesOf(element.memo, PictureField));
    if (const std::string* bytes = option(args, "drawing-data"))
        if (bytesOf(element.memo, DrawingDataField) != *bytes)
            return "its drawing data are " + inQuotes(bytesOf(element.memo, DrawingDataField));
    return {};
}

} // namespace zavhost
