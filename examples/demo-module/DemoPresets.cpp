#include "DemoPresets.h"

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "persistence/ValueSettings.h"
#include "platform/gsroot/DebugPrint.h"
#include "presets/PresetTemplates.h"
#include "presets/TarnwickLibrary.h"

namespace demo {

using namespace tarnwick;

namespace {

// A chair style sets the legs and the finish of the parts of type 4 ("Legs", "Finish"); a table
// style their top's height ("Top"). Each links through a name, an echo, a key and a status.
const char* const Configuration = R"(<tarnwickLibrary><version>1</version><platform>1</platform><presetList>
<preset type="chairStyle" menuName="StyleMenu">
  <nameParameter name="StyleName"/><echoParameter name="StyleEcho"/>
  <keyParameter name="StyleKey"/><statusParameter name="StyleStatus"/>
  <settingList>
    <setting field="legs"><parameter name="Legs"/><legacy name="legCount"/></setting>
    <setting field="finish"><parameter name="Finish"/></setting>
  </settingList>
  <subtype>4</subtype>
</preset>
<preset type="tableStyle" menuName="TableMenu">
  <nameParameter name="TableName"/><echoParameter name="TableEcho"/>
  <keyParameter name="TableKey"/><statusParameter name="TableStatus"/>
  <settingList><setting field="height"><parameter name="Top"/></setting></settingList>
  <subtype>4</subtype>
</preset>
</presetList></tarnwickLibrary>)";

} // namespace

void registerPresets(Addon& addon) {
    PresetRecord::FieldList chair;
    chair.push_back(std::make_unique<PresetFieldType<Int32Setting, int32_t>>(String("legs")));
    chair.push_back(std::make_unique<PresetFieldType<StringSetting, String>>(String("finish")));
    registerPresetTemplate(std::make_unique<PresetRecord>(String("chairStyle"), std::move(chair)),
                           String("Chair Styles"), String("ChairStyle"), 1);
    PresetRecord::FieldList table;
    table.push_back(std::make_unique<PresetFieldType<RealSetting, double>>(String("height")));
    registerPresetTemplate(std::make_unique<PresetRecord>(String("tableStyle"), std::move(table)),
                           String("Table Styles"), String("TableStyle"), 2);
    TarnwickLibrary* library = addon.getTarnwickLibrary();
    DataBufferIn in{String(Configuration)};
    if (library == nullptr || !library->read(in))
        DBPrint("Framework Demo: the style configuration is broken\n");
}

} // namespace demo
