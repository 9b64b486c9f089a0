// Colours and the value-like attribute wrappers: pens' 24-bit colours, cities' angles, zone
// categories, phases, fonts, and the stepping of type codes.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "ProjectTestSupport.h"
#include "project/City.h"
#include "project/Colour.h"
#include "project/Font.h"
#include "project/LineStyle.h"
#include "project/Pen.h"
#include "project/Phase.h"
#include "project/Specification.h"
#include "project/ZoneCategory.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using projecttest::addAttribute;
using projecttest::change;
using projecttest::hostProject;
using testsupport::ModuleUnderTest;

namespace {
std::tuple<uint16_t, uint16_t, uint16_t> rgb16(const Colour& c) {
    uint16_t r = 1, g = 1, b = 1;
    c.getRGB16(r, g, b);
    return {r, g, b};
}
} // namespace

TEST(Colour, ConvertsBothWaysAtTheBoundaries) {
    Colour c(uint16_t(65535), uint16_t(0), uint16_t(32768), uint16_t(65535));
    EXPECT_DOUBLE_EQ(c.getRed(), 1.0);
    EXPECT_DOUBLE_EQ(c.getGreen(), 0.0);
    EXPECT_DOUBLE_EQ(c.getBlue(), 32768 / 65535.0);
    EXPECT_DOUBLE_EQ(c.getAlpha(), 1.0);
    EXPECT_EQ(rgb16(c), std::tuple(65535, 0, 32768));
    for (uint32_t v = 0; v <= 65535; v += 257)
        EXPECT_EQ(std::get<0>(rgb16(Colour{uint16_t(v), uint16_t(v), uint16_t(v), uint16_t(0)})), v);

    Colour half(0.5, 0.5, 0.5, 0.5);
    EXPECT_EQ(half.getRed8(), 128);
    EXPECT_EQ(half.getAlpha8(), 128);
    EXPECT_EQ(Colour(1.0, 0.0, 0.0).getRed8(), 255);
    EXPECT_EQ(Colour(2.0, -1.0, 0.0).getRed8(), 510); // the 8-bit getters do not clamp

    EXPECT_EQ(rgb16(Colour(1.5, -0.25, std::nan(""), 1.0)), std::tuple(65535, 0, 0)); // clamped, defined

    double rgb[3] = {0.25, 0.5, 0.75};
    Colour fromHost(rgb);
    EXPECT_DOUBLE_EQ(fromHost.getAlpha(), 1.0);
    double back[3] = {};
    fromHost.getRGB(back);
    EXPECT_EQ(back[2], 0.75);
    EXPECT_DOUBLE_EQ(Colour(rgb, 0.3).getAlpha(), 0.3);
}

TEST(Colour, EqualityAllowsOneHundredThousandthInclusive) {
    EXPECT_TRUE(Colour(0.0, 0.0, 0.0, 0.0) == Colour(1e-5, 0.0, 0.0, 0.0));
    EXPECT_FALSE(Colour(0.0, 0.0, 0.0, 0.0) == Colour(2e-5, 0.0, 0.0, 0.0));
    EXPECT_FALSE(Colour(0.0, 0.0, 0.0, 1.0) == Colour(0.0, 0.0, 0.0, 0.5));
}

TEST(Pen, DefaultsToAThinBlackPenAndKeepsEvery24BitColour) {
    Pen pen;
    EXPECT_DOUBLE_EQ(pen.getWidth(), 0.1);
    EXPECT_TRUE(pen.getColour() == Colour(0.0, 0.0, 0.0, 1.0));
    EXPECT_EQ(pen.getLink().getDatabase(), nullptr);
    for (uint32_t byte = 0; byte < 256; ++byte) {
        for (uint32_t shift : {0u, 8u, 16u}) {
            pen.setRGB24(byte << shift);
            ASSERT_EQ(pen.getRGB24(), byte << shift);
        }
        uint32_t mixed = byte << 16 | (255 - byte) << 8 | (byte * 7 & 0xFF);
        pen.setRGB24(mixed);
        ASSERT_EQ(pen.getRGB24(), mixed);
    }
    pen.setRGB24(0xFF123456); // the top byte is no colour
    EXPECT_EQ(pen.getRGB24(), 0x123456u);
    pen.setColour(Colour(2.0, 0.5, -1.0, 0.2));
    EXPECT_EQ(pen.getRGB24(), 0xFF7F00u); // out-of-range components stay within their byte
    EXPECT_DOUBLE_EQ(pen.getColour().getAlpha(), 1.0);
}

TEST(City, AnglesKeepTheirFractionBothWays) {
    API_Attribute record;
    record.header.typeCode = AttrCity;
    record.header.index = 3;
    record.city.firstAngleMinutes = 3030;
    record.city.secondAngleMinutes = -45;
    City city(record, AttributeLink::fromHeader(record.header));
    EXPECT_DOUBLE_EQ(city.getFirstAngle(), 50.5);
    EXPECT_DOUBLE_EQ(city.getSecondAngle(), -0.75);

    City made;
    made.setFirstAngle(50.5);
    EXPECT_DOUBLE_EQ(made.getFirstAngle(), 50.5);
    EXPECT_EQ(made.record().firstAngleMinutes, 3030);
    made.setSecondAngle(-0.99); // minutes truncate toward zero
    EXPECT_EQ(made.record().secondAngleMinutes, -59);
    made.setSecondAngle(1e9); // beyond the record's range
    EXPECT_EQ(made.record().secondAngleMinutes, 32767);
}

TEST(City, StoredAnglesComeBackFromTheHost) {
    ModuleUnderTest module;
    City city;
    city.setName(String("Halfway"));
    city.setFirstAngle(12.25);
    city.setSecondAngle(-7.5);
    ASSERT_TRUE(change([&] { return Host::getSpecification()->store(city); }));
    City again(AttributeLink(city.getIndex16(), AttrCity));
    EXPECT_DOUBLE_EQ(again.getFirstAngle(), 12.25);
    EXPECT_DOUBLE_EQ(again.getSecondAngle(), -7.5);

    City gone(AttributeLink(40, AttrCity));
    EXPECT_DOUBLE_EQ(gone.getFirstAngle(), 0.0);
    EXPECT_EQ(gone.getLink().getDatabase(), nullptr); // unlinked
}

TEST(ZoneCategory, CodeAndStampNameUseTheirWholeFields) {
    ModuleUnderTest module;
    ZoneCategory fresh(String("Kitchen"));
    EXPECT_FALSE(fresh.exists());
    EXPECT_EQ(fresh.getName(), "Kitchen");
    fresh.setCode(String("KITCHEN-01"));
    EXPECT_EQ(fresh.getCode(), "KITCHEN-01"); // longer than 7 characters
    fresh.setCode(String(300, U'k'));
    EXPECT_EQ(fresh.getCode().getLength(), 255u);
    fresh.setStampName(String("Zone Stamp With A Long Name")); // no such library part: kept
    fresh.setRGB24(0x10EEA0);
    fresh.setCode(String("K1"));
    ASSERT_TRUE(change([&] { return Host::getSpecification()->store(fresh); }));
    EXPECT_TRUE(fresh.exists());

    ZoneCategory byIndex(fresh.getIndex());
    EXPECT_EQ(std::tuple(byIndex.getCode(), byIndex.getStampName(), byIndex.getRGB24()),
              std::tuple(String("K1"), String("Zone Stamp With A Long Name"), 0x10EEA0u));
    EXPECT_EQ(ZoneCategory(String("Kitchen")).getIndex(), fresh.getIndex());

    ZoneCategory unknown(AttributeLink(30, AttrZoneCategory));
    EXPECT_EQ(unknown.getRecord().typeCode, uint32_t(AttrZoneCategory));
    EXPECT_EQ(unknown.getLink().getIndex(), 30u); // the link is kept
}

TEST(Phase, NamesComeFromTheModulesPhaseTexts) {
    ModuleUnderTest module;
    EXPECT_EQ(Phase::existing().getName(), "Existing");
    EXPECT_EQ(Phase::demolished().getName(), "Demolished");
    EXPECT_EQ(Phase::proposed().getName(), "Proposed");
    EXPECT_EQ(Phase().getName(), "");
    EXPECT_EQ(Phase(AttributeLink(26u, AttrNone)).getName(), "");
    EXPECT_TRUE(Phase::proposed() == Phase(AttributeLink(3u, AttrNone)));
    EXPECT_FALSE(Phase::proposed() == Phase::existing());
    EXPECT_EQ(Phase::existing().makeRecord(), nullptr);
    Phase phase = Phase::demolished();
    phase.setName(String("Renamed"));
    EXPECT_EQ(phase.getName(), "Demolished");
}

TEST(Font, EqualityDoesNotDependOnLoading) {
    ModuleUnderTest module;
    Font loaded(AttributeLink(1, AttrFont));
    EXPECT_EQ(loaded.getName(), "Sans");
    Font unloaded(AttributeLink(1, AttrFont));
    EXPECT_FALSE(unloaded.isLoaded());
    EXPECT_TRUE(loaded == unloaded);
    EXPECT_FALSE(unloaded.isLoaded());
    EXPECT_FALSE(loaded == Font(AttributeLink(2, AttrFont)));
}

TEST(AttributeType, CodesAndLineStyleKindsStepWithWrapAround) {
    HostAttributeType type = AttrBuildingMaterial;
    EXPECT_EQ(++type, AttrNone);
    EXPECT_EQ(type--, AttrNone);
    EXPECT_EQ(type, AttrBuildingMaterial);
    type = AttrPen;
    EXPECT_EQ(type++, AttrPen);
    EXPECT_EQ(type, AttrLayer);

    // every code steps to its neighbour, the unnamed ones included; past the last wraps round
    struct Step {
        int from, next, previous;
    };
    const Step steps[] = {{0, 1, 17}, {11, 12, 10}, {12, 13, 11}, {16, 17, 15}, {17, 0, 16}, {18, 0, 17}};
    for (const Step& step : steps) {
        HostAttributeType up = static_cast<HostAttributeType>(step.from);
        HostAttributeType down = up;
        EXPECT_EQ(static_cast<int>(++up), step.next) << step.from;
        EXPECT_EQ(static_cast<int>(--down), step.previous) << step.from;
    }

    LineStyle::Kind kind = LineStyle::Kind::Symbol;
    EXPECT_EQ(++kind, LineStyle::Kind::Solid);
    EXPECT_EQ(--kind, LineStyle::Kind::Symbol);
    EXPECT_EQ(kind++, LineStyle::Kind::Symbol);
    EXPECT_EQ(kind--, LineStyle::Kind::Solid);
}
