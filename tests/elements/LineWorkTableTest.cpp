// Lines, polylines, circles and splines alike: the pen value and second pen by role and the line
// type by kind, read from and written to their places in the host record; a circle's own values.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>

#include "ElementTestSupport.h"
#include "elements/Circle.h"
#include "elements/LineElement.h"
#include "elements/PolyLine.h"
#include "elements/Spline.h"
#include "project/LineStyle.h"
#include "project/Pen.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr double pi = std::numbers::pi;

// Where the host record keeps them.
constexpr size_t PenValueAt = 112;
constexpr size_t LineTypeAt = 116;
constexpr size_t SecondPenAt = 134;

template <class T> T readAt(const API_Element& record, size_t offset) {
    T value;
    std::memcpy(&value, record.raw + offset, sizeof value);
    return value;
}
template <class T> void writeAt(API_Element& record, size_t offset, T value) {
    std::memcpy(record.raw + offset, &value, sizeof value);
}

class LineWorkTables : public HostTest {
protected:
    // Each kind made from one record holding a pen value of both words, a line type and a second pen.
    std::vector<std::pair<std::string, std::unique_ptr<Element>>> kinds(const API_Element& record) {
        std::vector<std::pair<std::string, std::unique_ptr<Element>>> made;
        made.emplace_back("line", std::make_unique<LineElement>(record, ElementLink()));
        made.emplace_back("polyline", std::make_unique<PolyLine>(record, ElementLink()));
        made.emplace_back("circle", std::make_unique<Circle>(record, ElementLink()));
        made.emplace_back("spline", std::make_unique<Spline>(record, ElementLink()));
        return made;
    }
};

} // namespace

TEST_F(LineWorkTables, PensByRoleAndLineTypesByKindComeFromTheirPlaces) {
    API_Element record;
    writeAt<uint32_t>(record, PenValueAt, 0x00020007);
    writeAt<uint16_t>(record, LineTypeAt, 9);
    writeAt<uint16_t>(record, SecondPenAt, 11);
    for (auto& [name, element] : kinds(record)) {
        const std::pair<uint32_t, uint32_t> pens[] = {{0, 0x00020007}, {1, 0x00020007}, {2, 0}, {8, 0},
                                                      {16, 0},         {17, 11},        {18, 0}};
        for (const auto& [role, index] : pens) {
            Pen pen(AttributeLink(int16_t(99), AttrPen));
            element->getPen(pen, role);
            EXPECT_EQ(pen.getIndex(), index) << name << " pen role " << role;
        }
        const std::pair<uint32_t, int16_t> lineTypes[] = {{0, 9}, {1, 9}, {2, 0}, {17, 0}};
        for (const auto& [kind, index] : lineTypes) {
            LineStyle style(AttributeLink(int16_t(99), AttrLineType));
            element->getLineStyle(style, kind);
            EXPECT_EQ(style.getIndex16(), index) << name << " line type kind " << kind;
        }
    }
}

TEST_F(LineWorkTables, SettersWriteOnlyTheirRolesPlace) {
    struct Case {
        const char* what;
        std::function<void(Element&)> set;
        uint32_t penValue;
        uint16_t lineType, secondPen;
    };
    const Case cases[] = {
        {"pen role 0", [](Element& e) { e.setPen(Pen(AttributeLink(uint32_t(0x00030040), AttrPen)), 0); },
         0x00030040, 2, 2},
        {"pen role 1", [](Element& e) { e.setPen(Pen(AttributeLink(int16_t(40), AttrPen)), 1); }, 40, 2, 2},
        {"pen role 17", [](Element& e) { e.setPen(Pen(AttributeLink(int16_t(40), AttrPen)), 17); }, 2, 2, 40},
        {"pen role 8", [](Element& e) { e.setPen(Pen(AttributeLink(int16_t(40), AttrPen)), 8); }, 2, 2, 2},
        {"pen role 16", [](Element& e) { e.setPen(Pen(AttributeLink(int16_t(40), AttrPen)), 16); }, 2, 2, 2},
        {"line type 0",
         [](Element& e) { e.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), 0); }, 2, 40,
         2},
        {"line type 1",
         [](Element& e) { e.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), 1); }, 2, 40,
         2},
        {"line type 2",
         [](Element& e) { e.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), 2); }, 2, 2, 2},
    };
    API_Element record;
    writeAt<uint32_t>(record, PenValueAt, 2);
    writeAt<uint16_t>(record, LineTypeAt, 2);
    writeAt<uint16_t>(record, SecondPenAt, 2);
    for (const Case& c : cases) {
        for (auto& [name, element] : kinds(record)) {
            c.set(*element);
            const std::unique_ptr<API_Element> built = element->buildRecord();
            EXPECT_EQ(readAt<uint32_t>(*built, PenValueAt), c.penValue) << name << " " << c.what;
            EXPECT_EQ(readAt<uint16_t>(*built, LineTypeAt), c.lineType) << name << " " << c.what;
            EXPECT_EQ(readAt<uint16_t>(*built, SecondPenAt), c.secondPen) << name << " " << c.what;
        }
    }
}

TEST_F(LineWorkTables, ACirclesValuesMeasuresAndDefaults) {
    Circle circle;
    EXPECT_EQ(circle.getCentre(), CadPoint());
    EXPECT_DOUBLE_EQ(circle.getRadius(), 1.0);
    EXPECT_DOUBLE_EQ(circle.getAxisRatio(), 1.0);
    EXPECT_EQ(circle.getCircleRecord().head.byte76, 0);
    circle.setReferencePoint(CadPoint(2.0, 3.0, 7.0));
    circle.setRadius(1.5);
    circle.setBeginAngle(0.5);
    circle.setEndAngle(2.0);
    circle.setAxisRatio(0.5);
    circle.setReflected(true);
    circle.setFlag(true);
    CadPoint centre;
    circle.getReferencePoint(centre);
    EXPECT_EQ(centre, CadPoint(2.0, 3.0, 0.0));
    EXPECT_DOUBLE_EQ(circle.getBeginAngle(), 0.5);
    EXPECT_DOUBLE_EQ(circle.getEndAngle(), 2.0);
    EXPECT_DOUBLE_EQ(circle.getAxisRatio(), 0.5);
    EXPECT_TRUE(circle.isReflected());
    EXPECT_TRUE(circle.isFlagSet());
    EXPECT_DOUBLE_EQ(circle.getOutlineMeasure(), 3.0 * pi);
    EXPECT_DOUBLE_EQ(circle.getOutlineArea(), 2.25 * pi);
    EXPECT_FALSE(circle.isFullCircle());

    // An arc sets all but the flag: ratio 1, not reflected.
    circle.setArc(CadArc(CadPoint(-1.0, 0.0, 0.0), 2.0, -pi / 2, pi));
    EXPECT_EQ(circle.getCentre(), CadPoint(-1.0, 0.0, 0.0));
    EXPECT_DOUBLE_EQ(circle.getRadius(), 2.0);
    EXPECT_DOUBLE_EQ(circle.getBeginAngle(), pi);
    EXPECT_DOUBLE_EQ(circle.getEndAngle(), pi / 2);
    EXPECT_DOUBLE_EQ(circle.getAxisRatio(), 1.0);
    EXPECT_FALSE(circle.isReflected());
    EXPECT_TRUE(circle.isFlagSet());
}
