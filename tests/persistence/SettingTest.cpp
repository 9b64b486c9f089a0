// The typed settings: conversions between representations, comparisons by class, and values read
// from old binary files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Environment/DataBufferIn.h"
#include "Environment/LegacyBinaryIn.h"
#include "persistence/MenuSetting.h"
#include "persistence/StringSetting.h"
#include "persistence/TimeSetting.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr int32_t Int32Max = std::numeric_limits<int32_t>::max();
constexpr int32_t Int32Min = std::numeric_limits<int32_t>::min();

std::string int32Bytes(int32_t value, bool bigEndian = false) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[bigEndian ? 3 - i : i] = static_cast<char>((uint32_t(value) >> (8 * i)) & 0xFF);
    return bytes;
}

std::string doubleBytes(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    std::string bytes(8, '\0');
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

std::unique_ptr<Setting> readLegacy(const std::string& bytes, String& name, bool hasName = false,
                                    int32_t kind = 0, int order = LegacyBinaryIn::LittleEndian) {
    DataBufferIn in{String(bytes)};
    LegacyBinaryIn legacy(in, order);
    return Setting::readLegacyValue(hasName, name, legacy, kind);
}

} // namespace

TEST(Setting, KindsAreNumberedAndStartEmpty) {
    std::unique_ptr<Setting> kinds[] = {
        std::make_unique<BooleanSetting>(), std::make_unique<Int32Setting>(),
        std::make_unique<Int64Setting>(),   std::make_unique<RealSetting>(),
        std::make_unique<LengthSetting>(),  std::make_unique<TimeSetting>(),
        std::make_unique<StringSetting>(),  std::make_unique<IDSetting>(),
    };
    for (uint32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(kinds[i]->getType(), i + 1);
        EXPECT_TRUE(kinds[i]->isEmpty()) << i;
        std::unique_ptr<Setting> copy = kinds[i]->clone();
        EXPECT_EQ(copy->getType(), i + 1);
        EXPECT_TRUE(copy->isEqual(*kinds[i])) << i;
    }
    EXPECT_FALSE(LengthSetting(1.0, false).isEnabled());
    EXPECT_FALSE(StringSetting(String("x"), false).isEnabled());
    EXPECT_FALSE(IDSetting(Guid(), 7, false).isEnabled());
    EXPECT_TRUE(Int32Setting(3).isEnabled());
}

TEST(Setting, BooleanIsEmptyExactlyWhenFalse) {
    BooleanSetting b(true);
    EXPECT_FALSE(b.isEmpty());
    EXPECT_EQ(b.asText(), "1");
    EXPECT_EQ(b.asInt64(), 1);
    b.setText(String(" TRUE "));
    EXPECT_TRUE(b.asBool());
    b.setText(String("false"));
    EXPECT_TRUE(b.isEmpty());
    b.setText(String("-3"));
    EXPECT_TRUE(b.asBool());
    b.setDouble(NaN);
    EXPECT_FALSE(b.asBool());
    b.setInt64(int64_t(1) << 40);
    EXPECT_TRUE(b.asBool());
    b.clear();
    EXPECT_TRUE(b.isEmpty());
}

// Reals and texts are truncated and clamped; a 64-bit value gives its low 32 bits.
TEST(Setting, NumbersAreTruncatedAndClampedNeverUndefined) {
    Int32Setting i;
    const std::pair<int64_t, int32_t> wide[] = {{(int64_t(1) << 32) + 5, 5},
                                                {-1, -1},
                                                {int64_t(0xFFFFFFFF80000000ull), Int32Min},
                                                {0x7FFFFFFF, Int32Max}};
    for (auto [value, expected] : wide) {
        i.setInt64(value);
        EXPECT_EQ(i.getValue(), expected) << value;
    }
    const std::pair<double, int32_t> reals[] = {{1.9, 1},
                                                {-2.9, -2},
                                                {1e20, Int32Max},
                                                {-1e20, Int32Min},
                                                {NaN, 0},
                                                {2147483647.5, Int32Max},
                                                {std::numeric_limits<double>::infinity(), Int32Max}};
    for (auto [value, expected] : reals) {
        i.setDouble(value);
        EXPECT_EQ(i.getValue(), expected) << value;
    }
    const std::pair<const char*, int32_t> texts[] = {{"42", 42},
                                                     {" -7 ", -7},
                                                     {"12abc", 12},
                                                     {"3.9", 3},
                                                     {"x", 0},
                                                     {"", 0},
                                                     {"99999999999", Int32Max},
                                                     {"-1e300", Int32Min},
                                                     {"1e-300", 0},
                                                     {"1e99999", Int32Max}};
    for (auto [text, expected] : texts) {
        i.setText(String(text));
        EXPECT_EQ(i.getValue(), expected) << text;
    }
    Int64Setting w;
    w.setDouble(1e300);
    EXPECT_EQ(w.getValue(), std::numeric_limits<int64_t>::max());
    w.setDouble(-9223372036854775808.0);
    EXPECT_EQ(w.getValue(), std::numeric_limits<int64_t>::min());
    w.setText(String("9223372036854775807"));
    EXPECT_EQ(w.getValue(), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(w.asInt32(), Int32Max);
    RealSetting r(NaN);
    EXPECT_EQ(r.asInt32(), 0);
    EXPECT_EQ(r.asInt64(), 0);
    r.setDouble(-1e300);
    EXPECT_EQ(r.asInt64(), std::numeric_limits<int64_t>::min());
}

TEST(Setting, RealsTravelThroughTextExactly) {
    RealSetting r(0.1);
    EXPECT_EQ(r.asText(), "0.1");
    RealSetting other;
    other.assign(r);
    EXPECT_EQ(other.getValue(), 0.1);
    r.setDouble(1.0 / 3.0);
    other.assign(r);
    EXPECT_EQ(other.getValue(), 1.0 / 3.0);
    other.setText(String("not a number"));
    EXPECT_EQ(other.getValue(), 0.0);
    StringSetting s;
    s.setDouble(2.5e-8);
    EXPECT_EQ(s.asDouble(), 2.5e-8);
}

// A text that is no real number of its own reads as the number it begins with.
TEST(Setting, ATextReadAsARealIsTheNumberItBeginsWith) {
    const std::pair<const char*, double> texts[] = {
        {"12 cm", 12.0},    {" -7 mm", -7.0},
        {"+3 pieces", 3.0}, {"2.5", 2.5},
        {"2.5 cm", 2.5},    {"-0.75m", -0.75},
        {"cm 12", 0.0},     {"", 0.0},
        {"++3", 0.0},       {"1e999 m", std::numeric_limits<double>::max()}};
    for (auto [text, expected] : texts) {
        StringSetting s{String(text)};
        EXPECT_EQ(s.asDouble(), expected) << text;
        double read = -1.0;
        EXPECT_EQ(s.getDouble(read), expected) << text;
        EXPECT_EQ(read, expected) << text;
    }
}

TEST(Setting, EqualityAndOrderHoldOnlyWithinOneClass) {
    EXPECT_TRUE(Int32Setting(5).isEqual(Int32Setting(5)));
    EXPECT_FALSE(Int32Setting(5).isEqual(Int64Setting(5)));
    EXPECT_FALSE(Int32Setting(5).isEqual(StringSetting(String("5"))));
    EXPECT_FALSE(RealSetting(1.0).isEqual(LengthSetting(1.0)));
    EXPECT_FALSE(LengthSetting(1.0).isEqual(RealSetting(1.0)));
    EXPECT_TRUE(LengthSetting(1.0).isEqual(LengthSetting(1.0)));
    EXPECT_TRUE(StringSetting(String("a")).isLess(StringSetting(String("b"))));
    EXPECT_FALSE(StringSetting(String("a")).isLess(IDSetting()));
    EXPECT_TRUE(Int64Setting(-1).isLess(Int64Setting(0)));
    EXPECT_FALSE(Int64Setting(-1).isLess(Int32Setting(0)));
    EXPECT_TRUE(BooleanSetting(false).isLess(BooleanSetting(true)));
    EXPECT_FALSE(RealSetting(NaN).isEqual(RealSetting(NaN)));
}

TEST(Setting, AssignGoesThroughTextAndIgnoresItself) {
    Int32Setting i(3);
    i.assign(StringSetting(String("42")));
    EXPECT_EQ(i.getValue(), 42);
    i.assign(i);
    EXPECT_EQ(i.getValue(), 42);
    StringSetting s;
    s.assign(LengthSetting(1.25));
    EXPECT_EQ(s.getValue(), "1.25");
    BooleanSetting b;
    b.assign(Int32Setting(7));
    EXPECT_TRUE(b.getValue());
    Setting& base = s;
    base.setBool(true);
    EXPECT_EQ(s.getValue(), "1");
}

TEST(Setting, DatesTravelThroughTimeSettings) {
    Int32Setting i;
    i.setDateTime(DateTime(1970, 1, 2));
    EXPECT_EQ(i.getValue(), 86400);
    EXPECT_EQ(std::pair(i.asDateTime().getYear(), i.asDateTime().getDay()), std::pair(1970u, 2u));
    RealSetting r;
    r.setDateTime(DateTime(2000, 1, 1));
    EXPECT_EQ(r.getValue(), 946684800.0);
    StringSetting s(String(" 5/ 3/2024"));
    EXPECT_TRUE(s.asDateTime() == DateTime(2024, 3, 5));
    s.setDateTime(DateTime(1999, 12, 31, 23, 59, 59));
    EXPECT_EQ(s.getValue(), "31/12/1999");
    Int64Setting w;
    w.setDateTime(DateTime(2038, 1, 19, 3, 14, 8));
    EXPECT_LT(w.getValue(), 0); // the stored count is 32 bits
}

TEST(Setting, IdentifiersHaveATextFormAndNoNumbers) {
    Guid id;
    id.generate();
    IDSetting s(id, fourCC("PSET"));
    EXPECT_EQ(s.getWord(), fourCC("PSET"));
    EXPECT_EQ(s.asText(), id.toString());
    EXPECT_EQ(s.asInt32(), 0);
    IDSetting copy;
    copy.assign(s);
    EXPECT_TRUE(copy.isEqual(s));
    copy.setText(String("garbage"));
    EXPECT_TRUE(copy.isEmpty());
    EXPECT_EQ(copy.asText(), "");
    copy.setValue(id);
    copy.setInt32(5);
    EXPECT_TRUE(copy.isEmpty());
}

TEST(Setting, LegacyValuesAreReadByKindAndUnknownOrCutShortOnesGiveNothing) {
    const std::string n("n\0", 2);
    const struct {
        std::string bytes;
        bool hasName = false;
        int32_t kind = 0;
        int order = LegacyBinaryIn::LittleEndian;
        uint32_t type = 0; // 0: nothing is read
        const char *name = "", *text = "";
    } cases[] = {
        {std::string("width\0", 6) + int32Bytes(0) + int32Bytes(-12), false, 0, LegacyBinaryIn::LittleEndian,
         Setting::Int32Type, "width", "-12"},
        {n + int32Bytes(1) + doubleBytes(2.75), false, 0, LegacyBinaryIn::LittleEndian, Setting::RealType,
         "n", "2.75"},
        {std::string("Wall\0", 5), true, 2, LegacyBinaryIn::LittleEndian, Setting::StringType, "given",
         "Wall"},
        {n + int32Bytes(0, true) + int32Bytes(7, true), false, 0, LegacyBinaryIn::BigEndian,
         Setting::Int32Type, "n", "7"},
        {n + int32Bytes(3) + int32Bytes(1)},
        {n + int32Bytes(-1) + int32Bytes(1)},
        {n + int32Bytes(0) + "ab"},
        {n + int32Bytes(1) + "abcd"},
        {n + int32Bytes(2) + "no terminator"},
        {"no name"},
        {"", true, 0},
        {"1234", true, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        String name("given");
        std::unique_ptr<Setting> v = readLegacy(c.bytes, name, c.hasName, c.kind, c.order);
        if (c.type == 0) {
            EXPECT_EQ(v, nullptr);
            continue;
        }
        ASSERT_NE(v, nullptr);
        EXPECT_EQ(v->getType(), c.type);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(v->asText(), c.text);
    }
}

// A pop-up's choice reads as a number by its index and as text by its item's text; it compares
// and empties by the text, and its number setters clamp into 32 bits.
TEST(Setting, AMenuChoiceIsItsIndexAsANumberAndItsTextOtherwise) {
    MenuSetting choice(2, String("Deleted"));
    EXPECT_EQ(choice.getType(), Setting::Int32Type);
    EXPECT_EQ(choice.asInt64(), 2);
    EXPECT_EQ(choice.asDouble(), 2.0);
    EXPECT_TRUE(choice.asBool());
    EXPECT_EQ(choice.asText(), "Deleted");
    EXPECT_TRUE(choice.isEqual(MenuSetting(0, String("Deleted"))));
    EXPECT_TRUE(choice.isLess(MenuSetting(0, String("Draft"))));
    EXPECT_FALSE(choice.isEqual(StringSetting(String("Deleted"))));
    EXPECT_FALSE(MenuSetting(0, String("All")).asBool());
    EXPECT_TRUE(MenuSetting(3, String()).isEmpty());

    const std::pair<double, int32_t> reals[] = {{NaN, 0}, {1e12, Int32Max}, {-1e12, Int32Min}, {4.7, 4}};
    for (auto [value, expected] : reals) {
        choice.setDouble(value);
        EXPECT_EQ(choice.getIndex(), expected) << value;
    }
    choice.setInt64(int64_t(1) << 40);
    EXPECT_EQ(choice.getIndex(), Int32Max);
    choice.setInt64(-(int64_t(1) << 40));
    EXPECT_EQ(choice.getIndex(), Int32Min);
    EXPECT_EQ(choice.getItemText(), "Deleted"); // numbers leave the text

    std::unique_ptr<Setting> copy = choice.clone();
    EXPECT_TRUE(copy->isEqual(choice));
    EXPECT_EQ(copy->asInt32(), Int32Min);
    choice.assign(Int32Setting(7)); // through the text alone
    EXPECT_EQ(choice.getItemText(), "7");
    EXPECT_EQ(choice.getIndex(), Int32Min);
    choice.clear();
    EXPECT_TRUE(choice.isEmpty());
    EXPECT_EQ(choice.getIndex(), 0);
}
