// The parameter kinds: codes, the Setting each hands out, texts, and every kind through the host's
// parameter and command records and back.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "library/AttributeParameters.h"
#include "persistence/Setting.h"
#include "persistence/ValueSettings.h"

using namespace tarnwick;

namespace {
struct KindCase {
    const char* kind;
    std::unique_ptr<Parameter> (*make)();
    std::unique_ptr<Parameter> (*fromRecord)(const HostAdditionalParameter&);
    uint32_t type;
    int32_t command;
    uint32_t settingType; // 0: hands out none
    const char* text;     // a value other than zero
};

template <class K>
KindCase kind(const char* name, uint32_t type, int32_t command, uint32_t setting, const char* text) {
    return {
        name,
        [] { return std::unique_ptr<Parameter>(std::make_unique<K>(String("p"), String("d"), 3)); },
        [](const HostAdditionalParameter& r) { return std::unique_ptr<Parameter>(std::make_unique<K>(r)); },
        type,
        command,
        setting,
        text};
}

const KindCase kinds[] = {
    kind<IntegerParameter>("integer", 1, 2, Setting::Int32Type, "-12"),
    kind<LongParameter>("long", 1, 2, Setting::Int32Type, "70000"),
    kind<LengthParameter>("length", 2, 3, Setting::LengthType, "0.30000000000000004"),
    kind<AngleParameter>("angle", 3, 3, Setting::RealType, "90"),
    kind<RealParameter>("real", 4, 3, Setting::RealType, "-2.5e-300"),
    kind<SwitchParameter>("switch", 5, 2, Setting::BooleanType, "1"),
    kind<ColourParameter>("colour", 6, 2, Setting::Int32Type, "5"),
    kind<IntensityParameter>("intensity", 7, 3, Setting::RealType, "0.75"),
    kind<LineStyleParameter>("line style", 8, 2, Setting::Int32Type, "3"),
    kind<FinishParameter>("finish", 9, 2, Setting::Int32Type, "4"),
    kind<FillParameter>("fill", 10, 2, Setting::Int32Type, "6"),
    kind<PenParameter>("pen", 11, 2, Setting::Int32Type, "7"),
    kind<StringParameter>("string", 12, 1, Setting::StringType, "text"),
    kind<BooleanParameter>("boolean", 13, 2, Setting::BooleanType, "1"),
    kind<SeparatorParameter>("separator", 14, 2, 0, ""),
    kind<TitleParameter>("title", 15, 2, 0, ""),
};
} // namespace

TEST(ParameterKinds, EachKindsCodesSettingAndRecordRoundTrip) {
    for (const KindCase& c : kinds) {
        SCOPED_TRACE(c.kind);
        std::unique_ptr<Parameter> p = c.make();
        EXPECT_EQ(p->getType(), c.type);
        EXPECT_EQ(p->getCommandKind(), c.command);
        p->setValueText(String(c.text), 0, 0);
        EXPECT_EQ(p->getValueText(0, 0), String(c.text));

        std::unique_ptr<Setting> cell = p->getValueSetting(0, 0);
        std::unique_ptr<Setting> missing = p->getValueSetting(0, 5);
        if (c.settingType == 0) {
            EXPECT_EQ(cell, nullptr);
            EXPECT_EQ(missing, nullptr);
        } else {
            ASSERT_TRUE(cell && missing);
            EXPECT_EQ(cell->getType(), c.settingType);
            EXPECT_EQ(cell->asText(), String(c.text));
            EXPECT_EQ(missing->getType(), c.settingType);
            EXPECT_TRUE(missing->isEmpty());
        }

        HostAdditionalParameter record;
        ASSERT_TRUE(p->toHostRecord(record));
        EXPECT_EQ(record.typeCode, c.type);
        EXPECT_EQ(record.flags, 3);
        std::unique_ptr<Parameter> back = c.fromRecord(record);
        ASSERT_TRUE(back->readHostValue(record));
        EXPECT_TRUE(*back == *p);
        EXPECT_EQ(back->getDescription(), String("d"));
        EXPECT_EQ(back->getValueText(0, 0), String(c.text));
        EXPECT_TRUE(*p->clone() == *p);

        HostParameterChange change;
        EXPECT_TRUE(p->toChangeRecord(change, 0, 0));
        HostCommandParameter command;
        ASSERT_TRUE(p->toCommandRecord(command));
        EXPECT_EQ(std::tuple(command.kind, command.flag, String(command.name)),
                  std::tuple(c.command, 1, String("p")));
        std::unique_ptr<Parameter> sent = c.make();
        EXPECT_TRUE(sent->readCommandValue(command));
        Parameter::freeCommandRecord(command);
        EXPECT_TRUE(*sent == *p);
    }
}

TEST(ParameterKinds, TextThatIsNoValueOfTheKindLeavesTheCell) {
    struct Case {
        const char* text;
        const char* after;
    } const booleans[] = {{"0", "0"}, {"", "1"}, {"1", "1"}, {"false", "0"}, {"FALSE", "0"}, {"no", "1"}};
    for (const Case& c : booleans) {
        BooleanParameter flag("b");
        flag.setValueText(String(c.text), 0, 0);
        EXPECT_EQ(flag.getValueText(0, 0), String(c.after)) << '"' << c.text << '"';
    }
    for (const char* text : {"70000", "-32769", "12abc", "", "1.5"}) {
        IntegerParameter number("i");
        number.storeValue(5, 0, 0);
        number.setValueText(String(text), 0, 0);
        EXPECT_EQ(number.getValue(0, 0), 5) << '"' << text << '"';
    }
    IntegerParameter number("i");
    number.setValue(Int32Setting(70000), 0, 0);
    EXPECT_EQ(number.getValue(0, 0), 0);
}

TEST(ParameterKinds, TitlesAndSeparatorsAreEqualByKindAndNeverSized) {
    TitleParameter title("Doors", "Door settings");
    EXPECT_TRUE(title == TitleParameter("Other"));
    EXPECT_FALSE(title == SeparatorParameter("Doors"));
    EXPECT_FALSE(title.setRowCount(2));
    EXPECT_FALSE(title.addRows(1));
    title.resetValues();
    EXPECT_EQ(title.getName(), String("Doors"));
    EXPECT_EQ(title.getDescription(), String("Door settings"));
}
