// Parameter values: which cells exist and how they grow, resizing, the replay of an edit, and
// the three host records.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "Environment/Memory.h"
#include "library/ParameterKinds.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"
#include "platform/gsroot/Memory.h"

using namespace tarnwick;

namespace {
constexpr uint64_t None = Parameter::NoIndex;

template <class P> P array(uint64_t columns, const std::vector<typename P::ValueType>& values) {
    P made("p", "", 0, columns, 0, true);
    for (size_t i = 0; i < values.size(); ++i)
        made.storeValue(values[i], i / columns, i % columns);
    return made;
}

std::vector<double> handleDoubles(GSHandle handle) {
    std::vector<double> values(static_cast<size_t>(getHandleSize(handle)) / sizeof(double));
    std::memcpy(values.data(), *handle, values.size() * sizeof(double));
    return values;
}

// A record of form 2 whose value handle holds the given bytes.
HostAdditionalParameter arrayRecord(uint32_t type, uint32_t rows, uint32_t columns, const void* bytes,
                                    size_t size) {
    HostAdditionalParameter record;
    record.typeCode = type;
    record.valueForm = ParameterArrayValue;
    record.firstDimension = rows;
    record.secondDimension = columns;
    record.value.array = allocateHandle(static_cast<GSSize>(size));
    std::memcpy(*record.value.array, bytes, size);
    return record;
}
} // namespace

TEST(ParameterCells, ASingleValueHasRowZeroOnlyAndItIsAlwaysThere) {
    RealParameter fresh("x");
    EXPECT_EQ(std::as_const(fresh).getValue(0, 0), 0.0);
    fresh.setValue(RealSetting(2.5), 0, 0);
    EXPECT_EQ(fresh.getValue(0, 0), 2.5);
    EXPECT_THROW(fresh.getValue(1, 0), std::out_of_range);
    EXPECT_THROW(fresh.setValue(RealSetting(1.0), 1, 0), std::out_of_range);
    EXPECT_FALSE(fresh.addRows(1));
    EXPECT_FALSE(fresh.setRowCount(2));
    EXPECT_EQ(fresh.getValues(), std::vector<double>{2.5});
}

TEST(ParameterCells, ArrayRowsGrowOnReachingButColumnsOnlyThroughASetting) {
    IntegerParameter column("c", "", 0, 1, 0, true);
    EXPECT_EQ(column.getValue(1, 0), 0);
    EXPECT_EQ(column.getRowCount(), 2u);
    EXPECT_THROW(column.getValue(0, 1), std::out_of_range);
    EXPECT_THROW(column.storeValue(3, 0, 1), std::out_of_range);
    EXPECT_EQ(std::as_const(column).getValue(5, 0), 0); // a const read never grows
    EXPECT_EQ(column.getColumnCount(), 1u);
    EXPECT_EQ(column.getRowCount(), 2u);
    column.setValue(Int32Setting(4), 0, 2);
    EXPECT_EQ(column.getValues(), (std::vector<short>{0, 0, 4, 0, 0, 0}));
}

TEST(ParameterCells, TheNoneIndexAndGrowthPastTheCapAreRefusedWithNothingGrown) {
    const uint64_t half = Parameter::MaxCells / 2;
    struct Case {
        uint64_t row, col;
    } const refused[] = {{None, 0}, {0, None}, {half, 0}, {Parameter::MaxCells, 0}, {~uint64_t(0), 0}};
    for (const Case& c : refused) {
        SCOPED_TRACE(std::to_string(c.row) + ", " + std::to_string(c.col));
        IntegerParameter pair = array<IntegerParameter>(2, {1, 2});
        EXPECT_THROW(pair.getValue(c.row, c.col), std::out_of_range);
        EXPECT_THROW(pair.setValue(Int32Setting(1), c.row, c.col), std::out_of_range);
        EXPECT_EQ(pair.getValues(), (std::vector<short>{1, 2}));
        EXPECT_EQ(pair.getColumnCount(), 2u);
    }
    IntegerParameter pair = array<IntegerParameter>(2, {1, 2});
    EXPECT_FALSE(pair.setRowCount(half + 1));
    EXPECT_FALSE(pair.setColumnCount(Parameter::MaxCells + 1));
    EXPECT_EQ(pair.getValues().size(), 2u);
    EXPECT_EQ(pair.getValue(half - 1, 1), 0); // the last row the cap allows
}

TEST(ParameterResize, ColumnsKeepEveryCellInItsPlaceAndOnlyArraysShrink) {
    LongParameter grid = array<LongParameter>(3, {0, 1, 2, 10, 11, 12, 20, 21, 22});
    ASSERT_TRUE(grid.setColumnCount(2));
    EXPECT_EQ(grid.getValues(), (std::vector<int>{0, 1, 10, 11, 20, 21}));
    ASSERT_TRUE(grid.setColumnCount(4));
    EXPECT_EQ(grid.getValues(), (std::vector<int>{0, 1, 0, 0, 10, 11, 0, 0, 20, 21, 0, 0}));
    ASSERT_TRUE(grid.setRowCount(0));
    EXPECT_EQ(grid.getValues(), (std::vector<int>{0, 1, 0, 0}));

    LongParameter single("s");
    ASSERT_TRUE(single.addColumns(1));
    EXPECT_TRUE(single.isArray());
    EXPECT_EQ(single.getColumnCount(), 2u);
}

TEST(ParameterMerge, ReplaysAnEditCellByCell) {
    RealParameter here = array<RealParameter>(2, {1, 2, 3, 4});
    const RealParameter reference = array<RealParameter>(2, {1, 2, 3, 5});
    const RealParameter changed = array<RealParameter>(2, {1, 9, 3, 5, 7, 8});
    here.mergeChanges(changed, reference);
    // (0, 1) edited: taken; (1, 1) not edited: this one's own 4 kept; row 2 new: appended.
    EXPECT_EQ(here.getValues(), (std::vector<double>{1, 9, 3, 4, 7, 8}));

    here.mergeChanges(array<LengthParameter>(2, {0, 0}), reference);
    EXPECT_EQ(here.getValues(), (std::vector<double>{1, 9, 3, 4, 7, 8}));

    here.mergeChanges(reference, IntegerParameter("other"));
    EXPECT_TRUE(here == reference);
}

TEST(ParameterValues, NonFiniteRealsAndOtherFormsAreRefused) {
    RealParameter real("r");
    real.storeValue(1.5, 0, 0);
    real.setValue(RealSetting(std::numeric_limits<double>::infinity()), 0, 0);
    real.setValueText(String("nan"), 0, 0);
    EXPECT_EQ(real.getValue(0, 0), 1.5);

    LongParameter wide("i");
    EXPECT_FALSE(wide.assign(IntegerParameter("i"), true, true));
    EXPECT_FALSE(IntegerParameter("i") == LongParameter("i"));
}

TEST(ParameterRecords, ArraysTravelAsFormTwoWithTheirCellsInAHandle) {
    const RealParameter grid = array<RealParameter>(3, {1, 2, 3, 4, 5, 6});
    HostAdditionalParameter record;
    ASSERT_TRUE(grid.toHostRecord(record));
    EXPECT_EQ(record.typeCode, 4u);
    EXPECT_EQ(record.valueForm, ParameterArrayValue);
    EXPECT_EQ(record.firstDimension, 2u);
    EXPECT_EQ(record.secondDimension, 3u);
    EXPECT_EQ(handleDoubles(record.value.array), (std::vector<double>{1, 2, 3, 4, 5, 6}));
    RealParameter back(record);
    ASSERT_TRUE(back.readHostValue(record));
    EXPECT_TRUE(back == grid);
    Parameter::freeHostRecord(record);

    const StringParameter texts = array<StringParameter>(2, {String("ab"), String("\xC3\xA9")});
    ASSERT_TRUE(texts.toHostRecord(record));
    const char16_t expected[] = u"ab\0\u00E9";
    ASSERT_EQ(getHandleSize(record.value.array), GSSize(sizeof expected));
    EXPECT_EQ(std::memcmp(*record.value.array, expected, sizeof expected), 0);
    StringParameter textBack(record);
    ASSERT_TRUE(textBack.readHostValue(record));
    EXPECT_TRUE(textBack == texts);
    Parameter::freeHostRecord(record);
}

TEST(ParameterRecords, AnArrayOfNoSecondDimensionStaysAnArray) {
    const double cells[] = {4, 5, 6};
    HostAdditionalParameter record = arrayRecord(4, 3, 0, cells, sizeof cells);
    RealParameter read(record);
    ASSERT_TRUE(read.readHostValue(record));
    Parameter::freeHostRecord(record);
    EXPECT_TRUE(read.isArray());
    EXPECT_EQ(read.getValues(), (std::vector<double>{4, 5, 6}));
    ASSERT_TRUE(read.toHostRecord(record));
    EXPECT_EQ(record.valueForm, ParameterArrayValue);
    EXPECT_EQ(record.secondDimension, 1u);
    Parameter::freeHostRecord(record);
}

TEST(ParameterRecords, ShortOrUnfitValuesAreRefusedWithNothingRead) {
    const double five[] = {1, 2, 3, 4, 5};
    const double huge[] = {1, 70000};
    const char16_t unterminated[] = {u'a', 0, u'b'};
    struct Case {
        const char* what;
        HostAdditionalParameter record;
        bool text;
    } cases[] = {
        {"five doubles for 2 x 3", arrayRecord(1, 2, 3, five, sizeof five), false},
        {"a value no short holds", arrayRecord(1, 2, 1, huge, sizeof huge), false},
        {"the last text without its NUL", arrayRecord(12, 2, 1, unterminated, sizeof unterminated), true},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        IntegerParameter number("n", "", 0, 1, 0, true);
        StringParameter text("t", "", 0, 1, 0, true);
        Parameter& target = c.text ? static_cast<Parameter&>(text) : number;
        EXPECT_FALSE(target.readHostValue(c.record));
        EXPECT_EQ(target.getRowCount(), 0u);
        Parameter::freeHostRecord(c.record);
    }
}

TEST(ParameterRecords, NamesAndTextsAreCutToTheirFieldsAndTerminated) {
    const std::string longName(40, 'n');
    StringParameter text(String(longName), String(std::string(300, 'd')));
    text.storeValue(String(std::string(300, 't')), 0, 0);
    HostAdditionalParameter record;
    ASSERT_TRUE(text.toHostRecord(record));
    EXPECT_EQ(record.valueForm, ParameterSingleValue);
    EXPECT_EQ(std::string(record.name, sizeof record.name), std::string(31, 'n') + '\0');
    EXPECT_EQ(record.description[254], u'd');
    EXPECT_EQ(record.description[255], 0);
    EXPECT_EQ(record.value.text[255], 0);
    StringParameter back(record);
    ASSERT_TRUE(back.readHostValue(record));
    EXPECT_EQ(back.getName(), String(std::string(31, 'n')));
    EXPECT_EQ(back.getValue(0, 0).getLength(), 255u);

    HostParameterChange change;
    ASSERT_TRUE(text.toChangeRecord(change, 0, 0));
    EXPECT_EQ(change.name[31], '\0');
    EXPECT_EQ(change.text[254], u't');
    EXPECT_EQ(change.text[255], 0);
}

TEST(ParameterRecords, ChangeRecordsCountArrayCellsFromOne) {
    HostParameterChange record;
    const RealParameter grid = array<RealParameter>(2, {1, 2, 3, 4});
    ASSERT_TRUE(grid.toChangeRecord(record, 1, 0));
    EXPECT_EQ(std::tuple(record.row, record.column, record.value), std::tuple(2, 1, 3.0));
    EXPECT_FALSE(grid.toChangeRecord(record, 2, 0));
    RealParameter single("s");
    single.storeValue(7.0, 0, 0);
    ASSERT_TRUE(single.toChangeRecord(record, 0, 0));
    EXPECT_EQ(std::tuple(record.row, record.column, record.value), std::tuple(0, 0, 7.0));
}

TEST(ParameterRecords, AFailedAllocationThrowsAndLeavesNothingAlive) {
    const int64_t handles = BMLiveHandleCount(), blocks = BMLivePtrCount();
    HostAdditionalParameter record;
    BMFailAfter(0);
    EXPECT_THROW(array<RealParameter>(1, {1, 2}).toHostRecord(record), std::bad_alloc);
    StringParameter text("t");
    HostCommandParameter command;
    BMFailAfter(1); // the name is made, the text is not
    EXPECT_THROW(text.toCommandRecord(command), std::bad_alloc);
    BMFailAfter(-1);
    EXPECT_EQ(BMLiveHandleCount(), handles);
    EXPECT_EQ(BMLivePtrCount(), blocks);
}
