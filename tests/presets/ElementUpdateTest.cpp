// The configuration's element update: a placed object takes values only from the presets that
// serve its part's type.
#include <string>

#include "PresetTestSupport.h"
#include "library/Object.h"
#include "platform/api/LibraryRecords.h"

using namespace presettest;

namespace {

// A preset of wall records over parameters of its own, named from the prefix, for the part types
// of its subtypes (every type without one).
std::string linkPreset(const std::string& prefix, const std::string& subtypes) {
    return "<preset type=\"wall\" menuName=\"" + prefix + "Menu\"><nameParameter name=\"" + prefix +
           "Name\"/><echoParameter name=\"" + prefix + "Echo\"/><keyParameter name=\"" + prefix +
           "Key\"/><statusParameter name=\"" + prefix + "Status\"/><settingList><setting " +
           "field=\"thickness\"><parameter name=\"" + prefix + "Value\"/></setting></settingList>" +
           subtypes + "</preset>";
}

const char* const Prefixes[] = {"object", "lamp", "any"};

class ElementUpdate : public PresetFixture {
protected:
    void SetUp() override {
        PresetFixture::SetUp();
        DataBufferIn in{String("<tarnwickLibrary><presetList>" +
                               linkPreset("object", "<subtype>4</subtype>") +
                               linkPreset("lamp", "<subtype>5</subtype>") + linkPreset("any", "") +
                               "</presetList></tarnwickLibrary>")};
        ASSERT_TRUE(getAddon()->getTarnwickLibrary()->read(in)) << DBPrintedText();
        Guid brick = addRecord(*db, "wall", "Brick");
        ASSERT_TRUE(db->getRecord(brick)->setField(String("thickness"), RealSetting(0.3), 0));
        // Unlinked parts take the default record.
        db->setDefaultRecordId(brick);
        chair = addPart("Chair", LibPartObject);
        lamp = addPart("Lamp", LibPartLamp);
    }

    // A part whose every preset link stands at status 0 with no name, and whose values are 0.1.
    uint32_t addPart(const char* name, uint32_t type) {
        zavhost::LibraryPart part;
        part.name = name;
        part.fileName = std::string(name) + ".gsm";
        part.type = type;
        zavhost::LibraryManager& parts = module->host().project()->library;
        const uint32_t index = parts.add(part);
        ParameterList defaults;
        for (const std::string prefix : Prefixes) {
            for (const char* suffix : {"Name", "Echo", "Key", "Menu"})
                addArray<StringParameter>(defaults, (prefix + suffix).c_str(), 1);
            addArray<IntegerParameter>(defaults, (prefix + "Status").c_str(), 1);
            addArray<RealParameter>(defaults, (prefix + "Value").c_str(), 1).setValue(0.1, 0, 0);
        }
        GSHandle handle = nullptr;
        EXPECT_TRUE(defaults.writeHostParameters(handle));
        EXPECT_TRUE(parts.setParameters(index, handle));
        ParameterList::disposeHostParameters(handle);
        return index;
    }

    static std::string text(const Object& object, const std::string& name) {
        return static_cast<const StringParameter&>(*object.getParameterList().find(String(name)))
            .getValue(0, 0)
            .bytes();
    }
    static double value(const Object& object, const std::string& name) {
        return static_cast<const RealParameter&>(*object.getParameterList().find(String(name)))
            .getValue(0, 0);
    }

    uint32_t chair = 0;
    uint32_t lamp = 0;
};

} // namespace

TEST_F(ElementUpdate, AnObjectTakesValuesOnlyFromThePresetsThatServeItsPartsType) {
    TarnwickLibrary& library = *getAddon()->getTarnwickLibrary();
    const struct {
        uint32_t part;
        uint32_t type;
        const char* served;
        const char* other;
    } cases[] = {{chair, LibPartObject, "object", "lamp"}, {lamp, LibPartLamp, "lamp", "object"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.served);
        Object object(ComponentLink(c.part, c.type, Host::getLibrary()), 0);
        ASSERT_EQ(object.getComponentLink().getType(), c.type);
        ASSERT_NE(object.getParameterList().find(String("lampValue")), nullptr);

        EXPECT_TRUE(library.updateElement(object));
        const std::string served = c.served;
        EXPECT_EQ(text(object, served + "Name"), "Brick");
        EXPECT_EQ(text(object, served + "Menu"), "Brick");
        EXPECT_EQ(value(object, served + "Value"), 0.3);
        // A preset without subtypes serves every part.
        EXPECT_EQ(text(object, "anyName"), "Brick");
        EXPECT_EQ(value(object, "anyValue"), 0.3);
        // The other kind's preset leaves its parameters as the part gave them.
        const std::string other = c.other;
        for (const char* suffix : {"Name", "Echo", "Key", "Menu"})
            EXPECT_EQ(text(object, other + suffix), "") << suffix;
        EXPECT_EQ(value(object, other + "Value"), 0.1);
    }
}
