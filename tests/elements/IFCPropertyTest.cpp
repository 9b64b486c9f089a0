// IFC properties of every kind made from host records, cloned, written back and made again;
// records missing what their kind needs give nothing.
#include <gtest/gtest.h>

#include "elements/IFCProperty.h"

using namespace tarnwick;

namespace {

API_IFCPropertyValue value(const char* type, const char* text, double real = 0.0, int64_t integer = 0) {
    API_IFCPropertyValue v;
    v.valueType = String(type).toUniString();
    v.stringValue = String(text).toUniString();
    v.doubleValue = real;
    v.intValue = integer;
    return v;
}

API_IFCProperty head(int32_t type) {
    API_IFCProperty p;
    p.propertyType = type;
    p.propertyName = String("Name").toUniString();
    p.propertySetName = String("Pset_Test").toUniString();
    p.description = String("Note").toUniString();
    p.flag = 1;
    return p;
}

API_IFCProperty sample(int32_t type) {
    API_IFCProperty p = head(type);
    switch (type) {
    case 0:
        p.singleValue = value("IfcLengthMeasure", "", 2.5);
        break;
    case 1:
        p.listValues.Push(value("IfcLabel", "a"));
        p.listValues.Push(value("IfcLabel", "b"));
        break;
    case 2:
        p.lowerBound = value("IfcInteger", "", 0, 3);
        p.upperBound = value("IfcInteger", "", 0, 9);
        break;
    case 3:
        for (const char* text : {"red", "green", "blue"})
            p.enumerationValues.Push(value("IfcLabel", text));
        p.selectedValues.Push(value("IfcLabel", "green"));
        break;
    case 4:
        for (int i = 0; i < 3; ++i)
            p.definingValues.Push(value("IfcInteger", "", 0, i));
        for (double real : {0.5, 1.5})
            p.definedValues.Push(value("IfcReal", "", real));
        break;
    case 5:
        p.day = 29;
        p.month = 2;
        p.year = 2024;
        break;
    }
    return p;
}

// What a record holds that the kind keeps, as text, to compare two records.
String summary(const API_IFCProperty& p) {
    String text = String(p.propertyName) + "/" + String(p.propertySetName) + "/" + String(p.description) +
                  "/" + String(int(p.flag)) + "/" + String(int(p.propertyType)) + ":";
    auto one = [&](const API_IFCPropertyValue& v) {
        text += String(v.valueType) + "=" + String(v.stringValue) + "," + String(v.doubleValue) + "," +
                String(static_cast<long long>(v.intValue)) + ";";
    };
    switch (p.propertyType) {
    case 0:
        one(p.singleValue);
        break;
    case 1:
        for (const auto& v : p.listValues)
            one(v);
        break;
    case 2:
        one(p.lowerBound);
        one(p.upperBound);
        break;
    case 3:
        for (const auto& v : p.enumerationValues)
            one(v);
        text += "|";
        for (const auto& v : p.selectedValues)
            one(v);
        break;
    case 4:
        for (const auto& v : p.definingValues)
            one(v);
        text += "|";
        for (const auto& v : p.definedValues)
            one(v);
        break;
    case 5:
        text += String(int(p.day)) + "." + String(int(p.month)) + "." + String(int(p.year));
        break;
    }
    return text;
}

TEST(IFCProperty, EveryKindRoundTripsThroughTheHost) {
    for (int32_t type = 0; type <= 5; ++type) {
        auto made = IFCProperty::create(sample(type));
        ASSERT_NE(made, nullptr) << type;
        EXPECT_EQ(made->getPropertyType(), type);
        auto copy = made->clone();
        API_IFCProperty written;
        ASSERT_TRUE(static_cast<IFCProperty&>(*copy).toHost(written)) << type;
        auto again = IFCProperty::create(written);
        ASSERT_NE(again, nullptr) << type;
        API_IFCProperty rewritten;
        ASSERT_TRUE(again->toHost(rewritten)) << type;
        EXPECT_EQ(summary(rewritten), summary(written)) << type;
        if (type == 5) {
            EXPECT_EQ(summary(written), summary(sample(5)));
        }
    }
}

TEST(IFCProperty, KindsReadWhatTheirRecordsHold) {
    auto table = IFCProperty::create(sample(4));
    EXPECT_EQ(static_cast<IFCTableValue&>(*table).getRows().size(), 2u);
    EXPECT_EQ(*static_cast<IFCTableValue&>(*table).getKeyType().name, "IfcInteger");

    auto enumeration = IFCProperty::create(sample(3));
    size_t selected = 0;
    for (const auto& [value, isSelected] : static_cast<IFCEnumeratedValue&>(*enumeration))
        if (isSelected) {
            ++selected;
            EXPECT_EQ(value->asText(), "green");
        }
    EXPECT_EQ(selected, 1u);

    API_IFCProperty date = head(0);
    date.singleValue = value("IfcCalendarDate", "");
    auto single = IFCProperty::create(date);
    ASSERT_NE(single, nullptr);
    EXPECT_EQ(static_cast<IFCSingleValue&>(*single).getValue(), nullptr);
    API_IFCProperty back;
    EXPECT_FALSE(single->toHost(back));
}

TEST(IFCProperty, RecordsLackingWhatTheirKindNeedsGiveNothing) {
    API_IFCProperty noGroup = sample(0);
    noGroup.propertySetName = GS::UniString();
    API_IFCProperty emptyList = head(1);
    API_IFCProperty noSelection = sample(3);
    noSelection.selectedValues.Clear();
    API_IFCProperty noTableValues = sample(4);
    noTableValues.definedValues.Clear();
    API_IFCProperty unknown = sample(0);
    unknown.propertyType = 6;
    for (const API_IFCProperty* p : {&noGroup, &emptyList, &noSelection, &noTableValues, &unknown})
        EXPECT_EQ(IFCProperty::create(*p), nullptr) << p->propertyType;
}

} // namespace
