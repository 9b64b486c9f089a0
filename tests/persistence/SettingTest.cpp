// The typed settings: conversions between representations, comparisons by class, and values read
// from old binary files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Environment/DataBufferIn.h"
#include "Environment/LegacyBinaryIn.h"
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

TEST(Setting, Int32TakesTheLow32BitsOfA64BitValue) {
    Int32Setting i;
    i.setInt64((int64_t(1) << 32) + 5);
    EXPECT_EQ(i.getValue(), 5);
    i.setInt64(-1);
    EXPECT_EQ(i.getValue(), -1);
    i.setInt64(int64_t(0xFFFFFFFF80000000ull));
    EXPECT_EQ(i.getValue(), Int32Min);
    i.setInt64(int64_t(0x7FFFFFFFull));
    EXPECT_EQ(i.getValue(), Int32Max);
}

TEST(Setting, NumbersAreTruncatedAndClampedNeverUndefined) {
    Int32Setting i;
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
    DateTime back = i.asDateTime();
    EXPECT_EQ(back.getYear(), 1970u);
    EXPECT_EQ(back.getDay(), 2u);
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

TEST(Setting, TimeTextRefusesDatesThatDoNotExistAndNumbersTooLongToRead) {
    struct Case {
        const char* text;
        uint32_t year, month, day; // 0: refused, the stamp stays the zero stamp
    };
    const Case cases[] = {
        {"31/4/2024", 0, 0, 0},
        {"30/4/2024", 2024, 4, 30},
        {"31/6/2024", 0, 0, 0},
        {"31/12/2024", 2024, 12, 31},
        {"32/1/2024", 0, 0, 0},
        {"30/2/2024", 0, 0, 0},
        {"29/2/2024", 2024, 2, 29},
        {"29/2/2023", 0, 0, 0},
        {"28/2/2023", 2023, 2, 28},
        {"29/2/1900", 0, 0, 0}, // a century that is no leap year
        {"29/2/2000", 2000, 2, 29},
        // Numbers past 32 bits saturate rather than wrap round into a valid day, month or year.
        {"4294967297/1/2024", 0, 0, 0},
        {"1/4294967297/2024", 0, 0, 0},
        {"1/1/4294969296", 0, 0, 0},
        {"18446744073709551617/1/2024", 0, 0, 0},
        {"0000000000000000001/1/2024", 2024, 1, 1},
    };
    for (const Case& c : cases) {
        TimeSetting time;
        time.setText(String("5/3/2024")); // something to lose
        time.setText(String(c.text));
        const DateTime stamp = time.getTime();
        if (c.year == 0) {
            EXPECT_TRUE(time.isEmpty()) << c.text;
            EXPECT_EQ(stamp.getYear(), 0u) << c.text;
            continue;
        }
        EXPECT_EQ(stamp.getYear(), c.year) << c.text;
        EXPECT_EQ(stamp.getMonth(), c.month) << c.text;
        EXPECT_EQ(stamp.getDay(), c.day) << c.text;
    }
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

TEST(Setting, LegacyValuesAreReadByKind) {
    String name;
    std::unique_ptr<Setting> v =
        readLegacy(std::string("width\0", 6) + int32Bytes(0) + int32Bytes(-12), name);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(name, "width");
    EXPECT_EQ(v->getType(), Setting::Int32Type);
    EXPECT_EQ(v->asInt32(), -12);

    v = readLegacy(std::string("h\0", 2) + int32Bytes(1) + doubleBytes(2.75), name);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->getType(), Setting::RealType);
    EXPECT_EQ(v->asDouble(), 2.75);

    name = String("given");
    v = readLegacy(std::string("Wall\0", 5), name, true, 2);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(name, "given");
    EXPECT_EQ(v->getType(), Setting::StringType);
    EXPECT_EQ(v->asText(), "Wall");

    v = readLegacy(std::string("n\0", 2) + int32Bytes(0, true) + int32Bytes(7, true), name, false, 0,
                   LegacyBinaryIn::BigEndian);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->asInt32(), 7);
}

TEST(Setting, LegacyValuesOfUnknownKindsOrCutShortGiveNothing) {
    String name;
    EXPECT_EQ(readLegacy(std::string("n\0", 2) + int32Bytes(3) + int32Bytes(1), name), nullptr);
    EXPECT_EQ(readLegacy(std::string("n\0", 2) + int32Bytes(-1) + int32Bytes(1), name), nullptr);
    EXPECT_EQ(readLegacy(std::string("n\0", 2) + int32Bytes(0) + "ab", name), nullptr);
    EXPECT_EQ(readLegacy(std::string("n\0", 2) + int32Bytes(1) + "abcd", name), nullptr);
    EXPECT_EQ(readLegacy(std::string("n\0", 2) + int32Bytes(2) + "no terminator", name), nullptr);
    EXPECT_EQ(readLegacy(std::string("no name"), name), nullptr);
    EXPECT_EQ(readLegacy(std::string(), name, true, 0), nullptr);
    EXPECT_EQ(readLegacy(std::string("1234"), name, true, 9), nullptr);
}
