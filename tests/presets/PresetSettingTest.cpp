// Settings move a record's field to and from a target's parameters with its unset flag; filters
// pick the records a key record lists.
#include <limits>

#include "PresetTestSupport.h"
#include "presets/PresetFilter.h"
#include "presets/PresetSetting.h"

using namespace presettest;

TEST_F(PresetFixture, SettingsCarryTheUnsetFlagAndNeverGrowTheTarget) {
    ParameterList target;
    auto& thick = addArray<RealParameter>(target, "thick", 2);
    auto& flags = addArray<IntegerParameter>(target, "thickUnset", 2);
    PresetSetting flagged(String("thickness"), PresetParameter(String("thick")));
    flagged.setFlags(PresetParameter(String("thickUnset")));
    struct {
        short flag;
        bool unset;
    } reads[] = {{3, true}, {2, false}};
    for (const auto& c : reads) {
        std::unique_ptr<PresetRecord> record = makeFromTemplate(String("wall"));
        flags.setValue(c.flag, 1, 0);
        thick.setValue(0.5, 1, 0);
        flagged.readFromTarget(target, 1, *record);
        const PresetField& field = *record->findField(String("thickness"));
        EXPECT_EQ(field.isUnset(), c.unset) << c.flag;
        EXPECT_EQ(field.getValueCount(), c.unset ? 0u : 1u);
    }

    // An unset field raises its flag and leaves the value alone.
    std::unique_ptr<PresetRecord> record = makeFromTemplate(String("wall"));
    thick.setValue(0.7, 0, 0);
    EXPECT_TRUE(flagged.writeToTarget(target, 0, *record));
    EXPECT_EQ(static_cast<const IntegerParameter&>(flags).getValue(0, 0), 1);
    EXPECT_EQ(static_cast<const RealParameter&>(thick).getValue(0, 0), 0.7);

    // Without flags a set field always goes across.
    PresetSetting plain(String("thickness"), PresetParameter(String("thick")));
    record->setField(String("thickness"), RealSetting(0.9), 0);
    EXPECT_TRUE(plain.writeToTarget(target, 0, *record));
    EXPECT_FALSE(plain.writeToTarget(target, 0, *record));
    EXPECT_EQ(static_cast<const RealParameter&>(thick).getValue(0, 0), 0.9);

    // Elements past the end, or past 2^64, are left alone: nothing grows.
    for (uint64_t row : {uint64_t(1), std::numeric_limits<uint64_t>::max()}) {
        PresetSetting far(String("thickness"), PresetParameter(String("thick"), row));
        far.setFlags(PresetParameter(String("thickUnset"), row));
        EXPECT_FALSE(far.writeToTarget(target, 1, *record));
        far.readFromTarget(target, 1, *record);
        EXPECT_EQ(thick.getRowCount(), 2u);
        EXPECT_EQ(flags.getRowCount(), 2u);
    }
}

TEST(PresetSetting, LegacyParametersCountAsFieldsAndFlagsAreWrittenOnlyWhenNamed) {
    PresetSetting setting;
    XMLContainerProxy root(setting, String("setting"));
    ASSERT_TRUE(readXML(root, "<setting field=\"pen\"><parameter name=\"pen\"/><legacy name=\"oldPen\">"
                              "<column>1</column></legacy><legacy name=\"olderPen\"/></setting>"));
    EXPECT_EQ(setting.getFieldCount(), 5u);
    const std::string legacy = "<legacy name=\"oldPen\"><row>0</row><column>1</column></legacy>"
                               "<legacy name=\"olderPen\"><row>0</row><column>0</column></legacy>";
    const std::string parameter = "<parameter name=\"pen\"><row>0</row><column>0</column></parameter>";
    EXPECT_EQ(writeXML(root), "<setting field=\"pen\">" + parameter + legacy + "</setting>");
    setting.setFlags(PresetParameter(String("penUnset"), 2));
    EXPECT_EQ(writeXML(root), "<setting field=\"pen\">" + parameter +
                                  "<flags name=\"penUnset\"><row>2</row><column>0</column></flags>" + legacy +
                                  "</setting>");
    PresetSetting nameless;
    XMLContainerProxy other(nameless, String("setting"));
    EXPECT_FALSE(readXML(other, "<setting><parameter name=\"pen\"/></setting>"));
}

TEST_F(PresetFixture, AKeyFilterNeedsAKeyRecordOfItsTypeWithAnIDList) {
    Guid lime = addRecord(*db, "skin", "Lime");
    Guid clay = addRecord(*db, "skin", "Clay");
    Guid wall = addRecord(*db, "wall", "Brick");
    static_cast<PresetIDField&>(*db->getRecord(wall)->findField(String("allowed"))).set(lime);
    ParameterList target;
    auto& key = addArray<StringParameter>(target, "wallKey", 1);
    struct {
        String keyText;
        const char* field;
        bool made;
    } cases[] = {
        {String("not a guid"), "allowed", false},
        {lime.toString(), "allowed", false}, // a record of another type
        {wall.toString(), "thickness", false},
        {wall.toString(), "allowed", true},
    };
    for (const auto& c : cases) {
        key.setValue(c.keyText, 0, 0);
        PresetFilter filter(String("wall"));
        filter.setKeyFilterField(String(c.field));
        filter.setKeyParameter(PresetParameter(String("wallKey")));
        std::unique_ptr<PresetKeyFilter> made = filter.makeKeyFilter(target);
        ASSERT_EQ(made != nullptr, c.made) << c.keyText.bytes() << " " << c.field;
        if (!made) continue;
        EXPECT_TRUE(made->test(lime, db->getRecord(lime).get()));
        EXPECT_FALSE(made->test(clay, db->getRecord(clay).get()));
        EXPECT_FALSE(made->test(lime, nullptr));
    }

    // The field is read in either form; it is written as an element.
    for (const char* text : {"<filter type=\"wall\" keyFilterField=\"allowed\"/>",
                             "<filter type=\"wall\"><keyFilterField>allowed</keyFilterField></filter>"}) {
        PresetFilter filter;
        ASSERT_TRUE(readXML(filter, text)) << text;
        EXPECT_EQ(filter.getKeyFilterField(), "allowed");
    }
    PresetFilter typeless;
    EXPECT_FALSE(readXML(typeless, "<filter keyFilterField=\"allowed\"/>"));
}
