// IFC values: the kind each type name gives, host values read and written by kind, attributes and
// classification references through their host records, and the shared name pool.
#include <gtest/gtest.h>

#include <typeinfo>

#include "Environment/Guid.h"
#include "elements/IFCData.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;

namespace {

TEST(IFCData, TypeNamesGiveTheirValueKinds) {
    struct Case {
        const char* typeName;
        const std::type_info* made; // null: no value
    };
    const Case cases[] = {
        {"IfcLengthMeasure", &typeid(LengthSetting)},        {"IfcBoolean", &typeid(BooleanSetting)},
        {"IfcCountMeasure", &typeid(Int64Setting)},          {"IfcVolumeMeasure", &typeid(RealSetting)},
        {"IfcGloballyUniqueId", &typeid(IDSetting)},         {"IfcLabel", &typeid(StringSetting)},
        {"IfcPositiveRatioMeasure", &typeid(StringSetting)}, {"IfcCalendarDate", nullptr},
    };
    for (const Case& c : cases) {
        IFCAttribute attribute(nullptr, String("A"), String(c.typeName));
        const Setting* value = attribute.getValue();
        if (!c.made) {
            EXPECT_EQ(value, nullptr) << c.typeName;
            continue;
        }
        ASSERT_NE(value, nullptr) << c.typeName;
        const Setting& made = *value;
        EXPECT_EQ(typeid(made), *c.made) << c.typeName;
    }
    EXPECT_EQ(IFCData::kindOf(String("IfcPositiveRatioMeasure"), false), 0u);
}

TEST(IFCData, TextFallsBackToThePrimitiveValue) {
    IFCAttribute attribute(nullptr, String("A"), String("IfcText"));
    struct Case {
        int32_t primitive;
        bool flag;
        int64_t integer;
        const char* text;
    };
    const Case cases[] = {{2, true, 0, "1"}, {2, false, 0, "0"}, {3, false, -42, "-42"}, {4, true, 7, ""}};
    for (const Case& c : cases) {
        API_IFCPropertyValue host;
        host.primitiveType = c.primitive;
        host.boolValue = c.flag;
        host.intValue = c.integer;
        StringSetting target;
        EXPECT_TRUE(attribute.readValue(target, host, nullptr));
        EXPECT_EQ(target.asText(), c.text) << c.primitive;
    }
}

TEST(IFCData, WritesByKindAndReportsTheTypeName) {
    Guid guid;
    guid.generate();
    IFCData::ValueType idType = IFCData::valueTypeOf(String("IfcGloballyUniqueId"));
    IFCData::ValueType dateType = IFCData::valueTypeOf(String("IfcCalendarDate"));
    IFCData::ValueType unnamed{nullptr, Setting::RealType};
    IFCAttribute attribute(nullptr, String("A"), String("IfcLabel"));

    API_IFCPropertyValue host;
    EXPECT_TRUE(attribute.writeValue(host, IDSetting(guid), &idType));
    EXPECT_EQ(String(host.stringValue), guid.toString());
    EXPECT_EQ(String(host.valueType), "IfcGloballyUniqueId");
    EXPECT_FALSE(attribute.writeValue(host, RealSetting(1.5), &dateType));
    EXPECT_FALSE(attribute.writeValue(host, RealSetting(1.5), &unnamed));
    EXPECT_EQ(host.doubleValue, 1.5);
}

TEST(IFCData, AttributesAndReferencesRoundTripThroughTheHost) {
    API_IFCAttribute host;
    host.attributeName = String("ObjectType").toUniString();
    host.attributeType = String("IfcLabel").toUniString();
    host.attributeValue = String("Partition").toUniString();
    host.flag = 3;
    auto attribute = IFCAttribute::create(host);
    ASSERT_NE(attribute, nullptr);
    auto copy = attribute->clone();
    API_IFCAttribute back;
    EXPECT_TRUE(static_cast<IFCAttribute&>(*copy).toHost(back));
    EXPECT_EQ(String(back.attributeValue), "Partition");
    EXPECT_EQ(back.hasValue, 1);
    EXPECT_EQ(back.flag, 3);
    host.attributeType = GS::UniString();
    EXPECT_EQ(IFCAttribute::create(host), nullptr);

    API_IFCClassificationReference reference;
    reference.location = String("http://example.org/codes").toUniString();
    reference.itemReference = String("21.22").toUniString();
    reference.nameSet = 1;
    reference.classificationEdition = String("2015").toUniString();
    auto made = IFCClassificationReference::create(reference);
    EXPECT_EQ(made->getName(), "http://example.org/codes");
    API_IFCClassificationReference again;
    EXPECT_TRUE(made->toHost(again));
    EXPECT_EQ(String(again.itemReference), "21.22");
    EXPECT_EQ(again.nameSet, 1);
    EXPECT_EQ(String(again.classificationEdition), "2015");
}

TEST(IFCData, NamesArePooledUntilReleased) {
    IFCAttribute first(nullptr, String("Reference"), String("IfcLabel"));
    IFCAttribute second(nullptr, String("Reference"), String("IfcText"));
    EXPECT_EQ(first.getSharedName(), second.getSharedName());
    IFCData::releaseValueTypeMaps();
    IFCAttribute third(nullptr, String("Reference"), String("IfcLabel"));
    EXPECT_NE(third.getSharedName(), first.getSharedName());
    EXPECT_EQ(first.getName(), "Reference");
    EXPECT_EQ(third.getName(), "Reference");

    // Values are shared by class and value: the same text in another class is another value.
    auto oak = IFCData::pooledValue(std::make_unique<StringSetting>(String("1.5")));
    EXPECT_EQ(IFCData::pooledValue(std::make_unique<StringSetting>(String("1.5"))), oak);
    auto length = IFCData::pooledValue(std::make_unique<LengthSetting>(1.5));
    EXPECT_NE(length, oak);
    EXPECT_EQ(IFCData::pooledValue(std::make_unique<LengthSetting>(1.5)), length);
    EXPECT_NE(IFCData::pooledValue(std::make_unique<LengthSetting>(2.5)), length);
    IFCData::releaseValueTypeMaps();
    EXPECT_NE(IFCData::pooledValue(std::make_unique<StringSetting>(String("1.5"))), oak);
}

} // namespace
