// Drawing primitives: the host's shape-primitive callback on synthetic records (poly-lines, texts,
// polygons, fills and brackets, data missing or short, no collection), and elements drawn by the
// stand-in host from what it holds or from a script, in their own view, without the host function.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "ElementTestSupport.h"
#include "Environment/HostTable.h"
#include "elements/LineElement.h"
#include "elements/Primitive.h"
#include "elements/PrimitiveBody.h"
#include "elements/PrimitiveCollector.h"
#include "elements/text/Text.h"
#include "platform/gsroot/UniString.h"
#include "platform/host/ElementGeometry.h"
#include "platform/host/FunctionSlots.h"
#include "platform/host/TextBlocks.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/ViewKinds.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

template <class T> std::string bytesOf(const std::vector<T>& items) {
    return std::string(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T));
}

// Host blocks made for one callback, freed with the holder.
class Blocks {
public:
    ~Blocks() {
        for (GSPtr& p : m_pointers)
            BMKillPtr(&p);
        for (GSHandle& h : m_handles)
            BMKillHandle(&h);
    }
    void* pointer(const std::string& bytes) {
        m_pointers.push_back(BMNewPtr(static_cast<GSSize>(bytes.size())));
        std::memcpy(m_pointers.back(), bytes.data(), bytes.size());
        return m_pointers.back();
    }
    void* handle(const std::string& bytes) {
        m_handles.push_back(BMNewHandle(static_cast<GSSize>(bytes.size())));
        std::memcpy(*m_handles.back(), bytes.data(), bytes.size());
        return m_handles.back();
    }

private:
    std::vector<GSPtr> m_pointers;
    std::vector<GSHandle> m_handles;
};

HostShapePrimitive shape(uint32_t kind) {
    HostShapePrimitive record;
    record.kind = kind;
    record.pen = 3;
    return record;
}

// A closed polygon's parts as the memo keeps them: a contour of the points, closed by the first.
struct ShapeParts {
    HostShapePrimitive record = shape(ShapePolygon);
    std::string coordinates, ends;
    explicit ShapeParts(const std::vector<HostCoord2D>& points) {
        std::vector<HostCoord2D> stored{{}};
        stored.insert(stored.end(), points.begin(), points.end());
        stored.push_back(points.front());
        coordinates = bytesOf(stored);
        ends = bytesOf(std::vector<uint32_t>{0, static_cast<uint32_t>(stored.size() - 1)});
        record.polygon.coordinateCount = static_cast<uint32_t>(stored.size() - 1);
        record.polygon.endCount = 1;
    }
};

// One letter per primitive: Point, Line, Arc, Text, polYgon, Hatch, Distorted hatch.
std::string kindsOf(const PrimitiveList& list) {
    std::string kinds;
    for (const auto& p : list) {
        const Primitive* primitive = p.get();
        kinds += dynamic_cast<const PrimitiveDistortedHatch*>(primitive) ? 'D'
                 : dynamic_cast<const PrimitiveHatch*>(primitive)        ? 'H'
                 : dynamic_cast<const PrimitivePolygon*>(primitive)      ? 'Y'
                 : dynamic_cast<const PrimitiveText*>(primitive)         ? 'T'
                 : dynamic_cast<const PrimitiveArc*>(primitive)          ? 'A'
                 : dynamic_cast<const PrimitiveLine*>(primitive)         ? 'L'
                 : dynamic_cast<const PrimitivePoint*>(primitive)        ? 'P'
                                                                         : '?';
    }
    return kinds;
}

GSErrCode send(const HostShapePrimitive& record, const void* first = nullptr, const void* second = nullptr,
               const void* third = nullptr) {
    return shapePrimitiveCallback(&record, first, second, third);
}

} // namespace

TEST(PrimitiveCallback, PolyLinesMakePointsLinesArcsAndPolygonsAndRefuseDataTheyDoNotHave) {
    struct Case {
        uint32_t points;  // n, with data for as many points unless short
        double angle;     // of the one arc record, 1 -> 2 (none when 0)
        bool shortPoints; // a block one point short
        bool noPoints;    // no block at all
        const char* kinds;
        GSErrCode answer;
    };
    const Case cases[] = {
        {2, 1e-5, false, false, "L", hosterr::Ok},        {2, 1.00001e-5, false, false, "A", hosterr::Ok},
        {1, 0.0, false, false, "P", hosterr::Ok},         {3, 0.5, false, false, "Y", hosterr::Ok},
        {0, 0.0, false, true, "", hosterr::Ok},           {3, 0.0, true, false, "", hosterr::BadParameter},
        {2, 0.0, false, true, "", hosterr::BadParameter},
    };
    for (const Case& c : cases) {
        PrimitiveList list;
        PrimitiveCollector collector(list, true);
        Blocks blocks;
        HostShapePrimitive record = shape(ShapePolyLine);
        record.polyLine.pointCount = c.points;
        std::vector<HostCoord2D> points{{}};
        for (uint32_t i = 0; i < c.points - (c.shortPoints ? 1 : 0); ++i)
            points.push_back({double(i), double(i * i)});
        const void* pointData = c.noPoints ? nullptr : blocks.pointer(bytesOf(points));
        const void* arcData = nullptr;
        if (c.angle != 0.0) {
            record.polyLine.arcCount = 1;
            arcData = blocks.pointer(bytesOf(std::vector<HostPolygonArc>{{1, 2, c.angle}}));
        }
        EXPECT_EQ(send(record, pointData, nullptr, arcData), c.answer) << c.points << " " << c.angle;
        EXPECT_EQ(kindsOf(list), c.kinds) << c.points << " " << c.angle;
        if (std::string(c.kinds) == "Y") {
            const auto& polygon = dynamic_cast<const PrimitivePolygon&>(*list[0]);
            EXPECT_DOUBLE_EQ(polygon.getVertex(1).getArcAngle(), 0.5); // the edge 1 -> 2 ends at point 2
            EXPECT_FALSE(polygon.isClosed());
        }
    }
    // Arcs named without their block.
    PrimitiveList list;
    PrimitiveCollector collector(list, true);
    Blocks blocks;
    HostShapePrimitive record = shape(ShapePolyLine);
    record.polyLine.pointCount = 2;
    record.polyLine.arcCount = 1;
    EXPECT_EQ(send(record, blocks.pointer(bytesOf(std::vector<HostCoord2D>(3))), nullptr, nullptr),
              hosterr::BadParameter);
    EXPECT_TRUE(list.empty());
}

TEST(PrimitiveCallback, FillsBracketsAndPolygonsGiveTheirKindsWithTheirOptionBytes) {
    HostFillRecord fill, distorted;
    distorted.distorted = 1;
    distorted.distortion[4] = 2.5;
    const std::vector<HostCoord2D> square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    struct Case {
        std::vector<HostCoord2D> polygon;
        int fill; // 0 none, 1 a plain fill record, 2 a distorted one, 3 a fill bracket without a record
        bool bracket;
        bool keep;
        const char* kinds;
    };
    // Each polygon is sent inside the brackets given and again after they close.
    const Case cases[] = {
        {square, 0, false, true, "YY"},
        {square, 1, false, true, "HY"},
        {square, 2, false, true, "DY"},
        {square, 3, false, true, "YY"},
        {{{0, 0}, {2, 0}}, 1, false, true, "HL"},
        {{{0, 0}}, 0, false, true, ""},
        {square, 1, true, false, "Y"},
        {square, 1, true, true, "HY"},
    };
    for (const Case& c : cases) {
        PrimitiveList list;
        PrimitiveCollector collector(list, c.keep);
        Blocks blocks;
        if (c.bracket) {
            EXPECT_EQ(send(shape(ShapeBracketOpen)), hosterr::Ok);
        }
        if (c.fill != 0) {
            const HostFillRecord& record = c.fill == 2 ? distorted : fill;
            const void* data =
                c.fill == 3
                    ? nullptr
                    : blocks.pointer(std::string(reinterpret_cast<const char*>(&record), sizeof record));
            EXPECT_EQ(send(shape(ShapeFillOpen), data), hosterr::Ok);
        }
        ShapeParts parts(c.polygon);
        for (int round = 0; round < 2; ++round) {
            EXPECT_EQ(send(parts.record, blocks.handle(parts.coordinates), blocks.handle(parts.ends)),
                      hosterr::Ok);
            EXPECT_EQ(send(shape(ShapeFillClose)), hosterr::Ok);
            EXPECT_EQ(send(shape(ShapeBracketClose)), hosterr::Ok);
        }
        EXPECT_EQ(kindsOf(list), c.kinds) << c.fill << " " << c.bracket << " " << c.keep;
        if (list.size() == 2) {
            EXPECT_EQ(list[0]->getOption(0), c.bracket ? 1 : 0);
            EXPECT_EQ(list[0]->getOption(1), c.fill != 0 ? 1 : 0);
            EXPECT_EQ(list[1]->getOption(0) + list[1]->getOption(1), 0);
        }
        if (c.fill == 2) {
            EXPECT_DOUBLE_EQ(dynamic_cast<const PrimitiveDistortedHatch&>(*list[0]).getDistortion(4), 2.5);
        }
    }
}

TEST(PrimitiveCallback, TextsComeFromTheUnicodeTextElseTheEightBitOneAndNeedOne) {
    PrimitiveList list;
    PrimitiveCollector collector(list, true);
    Blocks blocks;
    const GS::UniString unicode("Wide");
    EXPECT_EQ(send(shape(ShapeText), blocks.pointer(std::string("Narrow") + '\0'), &unicode), hosterr::Ok);
    EXPECT_EQ(send(shape(ShapeText), blocks.pointer("Narrow and unterminated")), hosterr::Ok);
    EXPECT_EQ(send(shape(ShapeText)), hosterr::BadParameter);
    ASSERT_EQ(kindsOf(list), "TT");
    EXPECT_EQ(dynamic_cast<const PrimitiveText&>(*list[0]).getText(), String("Wide"));
    EXPECT_EQ(dynamic_cast<const PrimitiveText&>(*list[1]).getText(), String("Narrow and unterminated"));
    EXPECT_EQ(list[0]->getPen(), 3u);
    EXPECT_EQ(list[0]->getLineType(), 1u);
    EXPECT_TRUE(list[0]->isIn2D());
    EXPECT_FALSE(list[0]->isIn3D());
    // A short fill record, and a polygon whose counts its handles do not hold.
    EXPECT_EQ(send(shape(ShapeFillOpen), blocks.pointer(std::string(8, '\0'))), hosterr::BadParameter);
    ShapeParts parts({{0, 0}, {1, 0}, {1, 1}});
    parts.record.polygon.coordinateCount = 9;
    EXPECT_EQ(send(parts.record, blocks.handle(parts.coordinates), blocks.handle(parts.ends)),
              hosterr::BadParameter);
    EXPECT_EQ(send(parts.record, nullptr, blocks.handle(parts.ends)), hosterr::BadParameter);
    EXPECT_EQ(list.size(), 2u);
}

TEST(PrimitiveCallback, WithoutACollectionThereIsNoTarget) {
    const HostShapePrimitive line = shape(ShapeLine);
    EXPECT_EQ(send(line), hosterr::NoTarget);
    PrimitiveList list;
    {
        PrimitiveCollector collector(list, true);
        EXPECT_EQ(send(line), hosterr::Ok);
    }
    EXPECT_EQ(send(line), hosterr::NoTarget);
    EXPECT_EQ(list.size(), 1u);
}

TEST(Primitives, ArcRecordsSweepByTheirDirectionAndAFillWordWithoutPenTakesTheRecordsPen) {
    constexpr double pi = std::numbers::pi;
    struct Case {
        double start, end;
        uint8_t clockwise;
        double sweep;
    };
    for (const Case& c : {Case{0, pi / 2, 0, pi / 2}, Case{0, pi / 2, 1, -1.5 * pi},
                          Case{pi / 2, 0, 0, 1.5 * pi}, Case{1, 1, 0, 0}, Case{1, 1, 1, -2 * pi}}) {
        HostShapePrimitive record = shape(ShapeArc);
        record.arc.radius = 2;
        record.arc.startAngle = c.start;
        record.arc.endAngle = c.end;
        record.arc.clockwise = c.clockwise;
        EXPECT_NEAR(PrimitiveArc(record, true, false).getSweep(), c.sweep, 1e-12) << c.start << " " << c.end;
    }
    CadPolygon square;
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}})
        square.append(PolyPoint(CadPoint(x, y)));
    const HostShapePrimitive record = shape(ShapePolygon);
    EXPECT_EQ(PrimitivePolygon(record, square, 0x00050000, true, false).getFillPen(), 3u);
    EXPECT_EQ(PrimitivePolygon(record, square, 0x00050006, true, false).getFillPen(), 0x00050006u);
    EXPECT_EQ(PrimitivePolygon(record, square, true, false).getFillPen(), 0u);
}

TEST(Primitives, HitsBoundsAndOffsetsFollowTheGeometry) {
    PrimitiveLine line(CadPoint(0, 0), CadPoint(2, 0), 0, 3, 1, true, false);
    EXPECT_TRUE(line.isHit(CadPoint(1, 0), 1e-5));
    EXPECT_TRUE(line.isHit(CadPoint(2, 0), 1e-5));
    EXPECT_FALSE(line.isHit(CadPoint(1, 1e-3), 1e-5));
    line.offset(CadPoint(1, 2));
    std::unique_ptr<Cube> box = line.getBounds();
    EXPECT_EQ(box->getFirstCorner(), CadPoint(1, 2));
    EXPECT_EQ(box->getSecondCorner(), CadPoint(3, 2));

    PrimitiveArc arc(CadArc(CadPoint(0, 0), 1, std::numbers::pi / 2, 0), 0, 3, 1, true, false);
    EXPECT_TRUE(arc.isHit(CadPoint(std::sqrt(0.5), std::sqrt(0.5)), 1e-5));
    EXPECT_FALSE(arc.isHit(CadPoint(-1, 0), 1e-5));

    HostFillRecord fill;
    fill.origin = {5, 5};
    CadPolygon square;
    for (const auto& [x, y] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}})
        square.append(PolyPoint(CadPoint(x, y)));
    PrimitiveDistortedHatch hatch(shape(ShapePolygon), fill, square, true, false);
    hatch.offset(CadPoint(10, 0));
    EXPECT_TRUE(hatch.isHit(CadPoint(10.5, 0.5), 1e-5));
    EXPECT_FALSE(hatch.isHit(CadPoint(0.5, 0.5), 1e-5));
    EXPECT_EQ(hatch.getOrigin(), CadPoint(15, 5)); // the fill moves with its polygon

    PrimitiveBody body(nullptr, false, true);
    body.offset(CadPoint(1, 1));
    EXPECT_EQ(body.getBounds(), nullptr);
    EXPECT_FALSE(body.isHit(CadPoint(1, 1), 1e-5));
    EXPECT_EQ(body.getPen(), 1u);
}

class DrawnElements : public HostTest {
protected:
    std::unique_ptr<Element> read(const API_Guid& guid, Drawing* drawing = nullptr) {
        if (drawing == nullptr) drawing = Host::getPlan();
        return drawing->get(ElementLink(Guid(guid), drawing));
    }
    Creators creators{15, 18, 19, 20};
};

TEST_F(DrawnElements, TheHostDrawsWhatItHoldsOfEachElement) {
    const API_Guid line = addHostElement(host, 19, nullptr, [](zavhost::StoredElement& e) {
        const HostCoord2D ends[2] = {{0, 0}, {3, 4}};
        std::memcpy(e.record.raw + zavhost::LineBeginOffset, &ends[0], sizeof ends[0]);
        std::memcpy(e.record.raw + zavhost::LineEndOffset, &ends[1], sizeof ends[1]);
    });
    const API_Guid text = addHostElement(host, 15, nullptr, [](zavhost::StoredElement& e) {
        zavhost::setDefaultTextSettings(e.record);
        e.memo = zavhost::makeTextMemo("Drawn", e.record);
    });
    const API_Guid hatch = addHostElement(host, 18, nullptr, [](zavhost::StoredElement& e) {
        setHostPolygon(e, {{{0, 0}, {2, 0}, {2, 2}}});
    });
    // An open polyline of two points whose edge is an arc.
    const API_Guid polyline = addHostElement(host, 20, nullptr, [](zavhost::StoredElement& e) {
        e.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes =
            bytesOf(std::vector<HostCoord2D>{{}, {0, 0}, {2, 0}});
        e.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)].bytes = bytesOf(std::vector<uint32_t>{0, 2});
        e.memo.blocks[offsetof(API_ElementMemo, arcs)].bytes =
            bytesOf(std::vector<HostPolygonArc>{{1, 2, 1.0}});
    });
    struct Case {
        API_Guid guid;
        const char* kinds;
    };
    for (const Case& c : {Case{line, "L"}, Case{text, "T"}, Case{hatch, "H"}, Case{polyline, "A"}}) {
        std::unique_ptr<Element> element = read(c.guid);
        ASSERT_NE(element, nullptr);
        PrimitiveList list;
        EXPECT_TRUE(element->makePrimitives(list, false));
        EXPECT_EQ(kindsOf(list), c.kinds);
    }
}

TEST_F(DrawnElements, PrimitivesMadeFromALineTakeItsPointsPenLineTypeAndFlagAndAPointIsNeverIn3D) {
    registerElementCreator(19, &createLine, true); // the fixture's test element stands behind it
    const API_Guid guid = addHostElement(host, 19, nullptr, [](zavhost::StoredElement& e) {
        const HostCoord2D ends[2] = {{1, 1}, {3, 4}};
        std::memcpy(e.record.raw + zavhost::LineBeginOffset, &ends[0], sizeof ends[0]);
        std::memcpy(e.record.raw + zavhost::LineEndOffset, &ends[1], sizeof ends[1]);
        const uint32_t pen = 4, lineType = 2;
        std::memcpy(e.record.raw + offsetof(HostLineElement, penValue), &pen, sizeof pen);
        std::memcpy(e.record.raw + offsetof(HostLineElement, lineType), &lineType, sizeof lineType);
        e.record.head.primitiveFlag = 1;
    });
    std::unique_ptr<Element> element = read(guid);
    const auto* lineElement = dynamic_cast<const LineElement*>(element.get());
    ASSERT_NE(lineElement, nullptr);
    const PrimitiveLine line(*lineElement, true, true);
    EXPECT_EQ(line.getStartPoint(), CadPoint(1, 1));
    EXPECT_EQ(line.getEndPoint(), CadPoint(3, 4));
    EXPECT_EQ(line.getPen(), 4u);
    EXPECT_EQ(line.getLineType(), 2u);
    EXPECT_EQ(line.getHeadFlag(), 1u);
    EXPECT_TRUE(line.isIn3D());
    const PrimitivePoint point(*element, true, true);
    EXPECT_EQ(static_cast<const CadPoint&>(point), CadPoint(1, 1));
    EXPECT_TRUE(point.isIn2D());
    EXPECT_FALSE(point.isIn3D());
}

namespace {

// A text block with a line type of its own, as a text class of a later host may have.
class DashedText : public Text {
public:
    using Text::Text;
    void getLineStyle(LineStyle& style, uint32_t) const override {
        style = LineStyle(AttributeLink(int16_t(6), AttrLineType));
    }
};

} // namespace

TEST_F(DrawnElements, ATextMadeFromATextBlockTakesItsPenAndLineTypeAndARecordsTextTheSolidLine) {
    Text plain(String("Plain"));
    plain.setPen(Pen(AttributeLink(int16_t(4), AttrPen)), 0);
    plain.setReferencePoint(CadPoint(2, 3));
    const PrimitiveText fromPlain(plain, true, false);
    EXPECT_EQ(fromPlain.getText(), String("Plain"));
    EXPECT_EQ(static_cast<const CadPoint&>(fromPlain), CadPoint(2, 3));
    EXPECT_EQ(fromPlain.getPen(), 4u);
    EXPECT_EQ(fromPlain.getLineType(), 0u); // a text block has no line type
    EXPECT_TRUE(fromPlain.isIn2D());
    EXPECT_FALSE(fromPlain.isIn3D());

    DashedText dashed(String("Dashed"));
    EXPECT_EQ(PrimitiveText(dashed, true, true).getLineType(), 6u);

    HostShapePrimitive record = shape(ShapeText);
    record.lineType = 6;
    EXPECT_EQ(PrimitiveText(record, String("Shape"), true, false).getLineType(), 1u);
}

TEST_F(DrawnElements, AScriptKeepsOrDropsItsBracketAndBadDataStopsTheDrawing) {
    const API_Guid guid = addHostElement(host, 19);
    zavhost::PrimitiveScript script;
    HostFillRecord distorted;
    distorted.distorted = 1;
    ShapeParts parts({{0, 0}, {1, 0}, {1, 1}});
    script.push_back({shape(ShapeBracketOpen), {}});
    script.push_back({shape(ShapeFillOpen),
                      {zavhost::PrimitiveData::pointer(
                          std::string(reinterpret_cast<const char*>(&distorted), sizeof distorted))}});
    script.push_back(
        {parts.record,
         {zavhost::PrimitiveData::handle(parts.coordinates), zavhost::PrimitiveData::handle(parts.ends)}});
    script.push_back({shape(ShapeFillClose), {}});
    script.push_back({shape(ShapeBracketClose), {}});
    script.push_back({shape(ShapeLine), {}});
    host.primitiveScripts()[guid] = script;
    std::unique_ptr<Element> element = read(guid);
    for (bool keep : {false, true}) {
        PrimitiveList list;
        EXPECT_TRUE(element->makePrimitives(list, keep));
        EXPECT_EQ(kindsOf(list), keep ? "DL" : "L");
        EXPECT_TRUE(Element::keepsBracketedPrimitives() == keep);
    }
    // A text without data: the host stops with the callback's answer, and what came before stays.
    script.insert(script.begin() + 5, {shape(ShapeText), {}});
    host.primitiveScripts()[guid] = script;
    PrimitiveList list;
    EXPECT_FALSE(element->makePrimitives(list, true));
    EXPECT_EQ(kindsOf(list), "D");
    EXPECT_EQ(send(shape(ShapeLine)), hosterr::NoTarget);
}

TEST_F(DrawnElements, AnElementOfASectionIsDrawnThereAndNothingComesWithoutTheHostFunction) {
    const API_Guid viewGuid = host.project()->model.views.add(DatabaseSection, u"S-1")->guid;
    const API_Guid guid = addHostElement(host, 19, host.project()->model.views.findByGuid(viewGuid));
    Host::getProject()->reset();
    Section* section = Host::getProject()->getSection(0);
    ASSERT_NE(section, nullptr);
    std::unique_ptr<Element> element = read(guid, section);
    ASSERT_NE(element, nullptr);
    ASSERT_TRUE(Host::setCurrentDatabase(Host::getPlan()));
    PrimitiveList list;
    EXPECT_TRUE(element->makePrimitives(list, true));
    EXPECT_EQ(list.size(), 1u);
    list.clear();
    const HostFunctionTable full = hostTable();
    HostFunctionTable partial = full;
    ASSERT_TRUE(zavhost::clearFunctionSlot(partial, "GetElementPrimitives"));
    installHostTable(&partial);
    EXPECT_FALSE(element->makePrimitives(list, true));
    installHostTable(&full);
    EXPECT_TRUE(list.empty());
}
