// Parametric sources: sections read from the host (a missing one kept empty, the load stopped at
// another failure), texts bounded by their handle, VALUES lists, the parameter section both ways,
// parts made or rewritten from a source, and the sources of each part kind.
#include <cstring>
#include <string>
#include <vector>

#include "Environment/HostTable.h"
#include "LibraryTestSupport.h"
#include "library/ParameterKinds.h"
#include "library/SourceKinds.h"
#include "persistence/TextDatabase.h"
#include "platform/api/HostErrors.h"
#include "platform/graphics/GXImage.h"
#include "platform/gsroot/Memory.h"
#include "project/Image.h"

using namespace tarnwick;
using namespace librarytest;

namespace {

using Sources = LibraryFixture;

GSHandle bytesHandle(const std::string& bytes) {
    GSHandle handle = BMNewHandle(static_cast<GSSize>(bytes.size()));
    std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

std::vector<std::string> valuesOf(const TextRecord* record) {
    std::vector<std::string> values;
    for (size_t i = 0; record != nullptr && i < record->size(); ++i)
        values.push_back(record->getText(i).bytes());
    return values;
}

uint32_t codeOf(const char* code) {
    return (uint32_t(uint8_t(code[0])) << 24) | (uint32_t(uint8_t(code[1])) << 16) |
           (uint32_t(uint8_t(code[2])) << 8) | uint32_t(uint8_t(code[3]));
}

void addSection(zavhost::LibraryPart& part, const char* code, const std::string& bytes, bool text) {
    zavhost::LibrarySection section;
    section.code = codeOf(code);
    section.bytes = bytes;
    section.text = text;
    part.setSection(section);
}

// A chair with a 3D script, a comment, a preview and parameters A (length) and M (a 2 by 2 array).
ParameterList chairParameters() {
    ParameterList list;
    auto a = std::make_unique<LengthParameter>(String("A"));
    a->storeValue(0.5, 0, 0);
    list.append(std::move(a));
    auto grid = std::make_unique<RealParameter>(String("M"), String(), 0, 2);
    grid->setRowCount(2);
    grid->storeValue(7.0, 1, 1);
    list.append(std::move(grid));
    return list;
}

GSErrCode (*realSection)(int32_t, const HostLibPartSection*, GSHandle*, GS::UniString*) = nullptr;
int sectionCalls = 0;
// A host that has lost the second section and fails on the third, each after making a handle.
GSErrCode failingSection(int32_t index, const HostLibPartSection* section, GSHandle* data,
                         GS::UniString* text) {
    if (++sectionCalls == 1) return realSection(index, section, data, text);
    *data = BMNewHandle(4);
    return sectionCalls == 2 ? hosterr::NoSection : hosterr::Failed;
}

} // namespace

TEST_F(Sources, SectionsLoadPastAMissingOneAndStopAtAnotherFailure) {
    zavhost::LibraryPart chair;
    chair.name = "Chair";
    chair.type = LibPartObject;
    addSection(chair, "1DSC", "MASTER", true);
    addSection(chair, "2DSC", "PROJECT2", true);
    addSection(chair, "3DSC", "BLOCK 1, 1, 1", true);
    addSection(chair, "CTXT", "a chair", true);
    const uint32_t index = parts().add(chair);
    HostFunctionTable table = hostTable();
    realSection = table.GetLibPartSection;
    sectionCalls = 0;
    table.GetLibPartSection = &failingSection;
    installHostTable(&table);
    const int64_t handles = BMLiveHandleCount();
    {
        ObjectSource source(ComponentLink(index, LibPartObject, &library()));
        EXPECT_EQ(source.getSectionCount(), 2u); // the first, and the second as an empty entry
        EXPECT_EQ(source.getSectionText(fourCC("1DSC")), String("MASTER")); // made from its text
        uint32_t code = 0;
        EXPECT_TRUE(source.getSectionAt(1, code).isEmpty());
        EXPECT_EQ(code, fourCC("2DSC"));
        EXPECT_EQ(source.getSectionText(fourCC("3DSC")), String());

        // A handle without a NUL reads to its end; a text set is read back as set.
        source.setSection(fourCC("CTXT"), bytesHandle("abc"));
        EXPECT_EQ(source.getSectionText(fourCC("CTXT")), String("abc"));
        source.setSectionText(fourCC("3DSC"), String("BLOCK A, B, ZZYZX"));
        EXPECT_EQ(source.getSectionText(fourCC("3DSC")), String("BLOCK A, B, ZZYZX"));
        EXPECT_EQ(source.getSection(fourCC("3DSC")).getSize(), 18); // with its NUL, a copy
    }
    EXPECT_EQ(BMLiveHandleCount(), handles);
    table.GetLibPartSection = realSection;
    installHostTable(&table);
}

TEST_F(Sources, ValuesListsTakeQuotedTextsOnceEachAndFollowTheScript) {
    const struct {
        const char* script;
        const char* name;
        std::vector<std::string> values;
        bool found;
    } cases[] = {
        {"VALUES \"Style\" \"Oak\", \"Ash\",\r\n   \"Elm\"\nVALUES \"Other\" \"x\"",
         "Style",
         {"Oak", "Ash", "Elm"},
         true},
        {"VALUES \"n\" 1, 2, 3", "n", {}, true},
        {"values 'Wood' 'Oak' ! a comment", "WOOD", {"Oak"}, true},
        {"VALUES \"a\" \"1\"\nVALUES \"b\" \"2\"", "b", {"2"}, true}, // one-line statements, no repeat
        {"VALUES \"a\" \"1\" VALUES \"a\" \"2\"\nVALUES \"a\" \"3\"", "a", {"1", "a", "2"}, true},
        {"VALUES \"a\" \"1\"\nVALUES \"a\" \"3\"", "a", {"1"}, true}, // the first statement wins
        {"VALUES \"\" \"x\"\nVALUES \"c\" \"y\"", "c", {"y"}, true},
        {"", "a", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        ObjectSource source;
        source.setSectionText(fourCC("VLSC"), String(c.script));
        const TextRecord* values = source.getValueList(String(c.name));
        EXPECT_EQ(values != nullptr, c.found);
        EXPECT_EQ(valuesOf(values), c.values);
    }
    ObjectSource source;
    source.setSectionText(fourCC("VLSC"), String("VALUES \"a\" \"1\""));
    EXPECT_EQ(valuesOf(source.getValueList(String("a"))), std::vector<std::string>{"1"});
    source.setSectionText(fourCC("VLSC"), String("VALUES \"a\" \"2\""));
    EXPECT_EQ(valuesOf(source.getValueList(String("a"))), std::vector<std::string>{"2"}); // read again
    source.removeSection(fourCC("VLSC"));
    EXPECT_EQ(source.getValueList(String("a")), nullptr);
}

TEST_F(Sources, AValuesStatementEndsWithItsLineAndEveryLineEndIsOneLine) {
    const struct {
        const char* script;
        const char* name;
        std::vector<std::string> values;
    } cases[] = {
        // A closing quote at the very end of a line.
        {"VALUES \"p\"\n\"a\"", "p", {}},                // the name's: its line holds no value
        {"VALUES \"p\" \"a\"\n\"b\"", "p", {"a"}},       // a value's, no "," after it
        {"VALUES \"p\" \"a\",\n\"b\"", "p", {"a", "b"}}, // the text's last byte
        {"VALUES \"p\" \"a\",\r\"b\"\rVALUES \"q\" \"c\"", "p", {"a", "b"}},
        {"VALUES \"p\" \"a\",\r\"b\"\rVALUES \"q\" \"c\"", "q", {"c"}},
        // A blank line after a "," is the next line: it holds no value, so the statement ends.
        {"VALUES \"p\" \"a\",\n\n\"b\"", "p", {"a"}},
        {"VALUES \"p\" \"a\",\r\r\"b\"", "p", {"a"}},
        {"VALUES \"p\" \"a\",\r\n\r\n\"b\"", "p", {"a"}},
        {"VALUES \"p\" \"a\",\n\nVALUES \"q\" \"b\"", "q", {"b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script);
        ObjectSource source;
        source.setSectionText(fourCC("VLSC"), String(c.script));
        const TextRecord* values = source.getValueList(String(c.name));
        ASSERT_NE(values, nullptr);
        EXPECT_EQ(valuesOf(values), c.values);
    }
}

TEST_F(Sources, TheParameterSectionIsBuiltFromTheParametersAndSetIntoThem) {
    zavhost::LibraryPart stool;
    stool.name = "Stool";
    stool.type = LibPartObject;
    stool.a = 2.0;
    stool.b = 3.0;
    const uint32_t index = parts().add(stool);
    setDefaults(index, chairParameters());
    const int64_t handles = BMLiveHandleCount();
    {
        ObjectSource made(ComponentLink(index, LibPartObject, &library()));
        MemoryBlock section = made.getSection(fourCC("PARD"));
        ASSERT_FALSE(section.isEmpty());
        const std::string bytes(section.getData(), static_cast<size_t>(section.getSize()));

        ObjectSource taken;
        EXPECT_TRUE(taken.setSection(fourCC("PARD"), section.releaseHandle()));
        EXPECT_EQ(taken.getSectionCount(), 1u);
        uint32_t code = 0;
        EXPECT_EQ(taken.getSectionAt(0, code).getSize(), static_cast<GSSize>(bytes.size())); // built again
        EXPECT_EQ(taken.getParameterA(), 0.5);
        EXPECT_EQ(taken.find(String("M"))->getValueText(1, 1), String("7"));
        EXPECT_EQ(taken.getA(), 2.0); // the part's sizes came with it
        EXPECT_EQ(taken.getB(), 3.0);

        // Cut short anywhere, the section is refused and the parameters stay.
        for (size_t cut : {size_t(8), sizeof(HostParamSectionHeader) + 100, bytes.size() - 1}) {
            SCOPED_TRACE(cut);
            EXPECT_FALSE(taken.setSection(fourCC("PARD"), bytesHandle(bytes.substr(0, cut))));
            EXPECT_EQ(taken.getCount(), 2u);
        }
    }
    EXPECT_EQ(BMLiveHandleCount(), handles);
}

TEST_F(Sources, APartIsMadeFromASourceOrRewrittenInPlace) {
    zavhost::LibraryPart chair;
    chair.name = "Chair";
    chair.type = LibPartObject;
    chair.ownId = "{C}-{1}";
    addSection(chair, "3DSC", "BLOCK 1, 1, 1", true);
    addSection(chair, "GIFF", "not a picture", false);
    const uint32_t index = parts().add(chair);
    setDefaults(index, chairParameters());
    std::unique_ptr<ComponentSource> found =
        library().getSource(ComponentLink(index, LibPartObject, &library()));
    auto* source = dynamic_cast<ObjectSource*>(found.get());
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->getPreviewImage(), nullptr); // the host cannot convert it
    EXPECT_EQ(source->getCount(), 2u);

    const struct {
        const char* name;
        const char* fault; // fails its second call
        bool made;
    } cases[] = {{"Broken Chair", "AddLibPartSection", false}, {"Copy Chair", "", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ComponentSource> copy = source->clone();
        copy->clearLink();
        copy->setFile(File(String(c.name)));
        if (*c.fault != 0) host().faults().set(c.fault, 2, 2, hosterr::Failed);
        const uint32_t before = parts().count();
        EXPECT_EQ(library().registerFromSource(*copy), c.made);
        EXPECT_EQ(parts().count(), before + 1); // saved either way: no part is left open
        EXPECT_EQ(library().getLastError() != hosterr::Ok, !c.made);
        EXPECT_FALSE(host().libraryDesk().openPart.has_value());
        // Made, the part has an id of its own, which the source takes.
        EXPECT_EQ(copy->getOwnUnId() != String("{C}-{1}"), c.made);
        host().faults().clear();
    }
    const uint32_t copy = parts().findByName("Copy Chair", 0);
    ASSERT_EQ(host().saveAndReopenProject(::testing::TempDir() + "Sources.zavproj"), hosterr::Ok);
    uint32_t type = 0;
    EXPECT_EQ(library().findByName(String("Copy Chair"), type), copy);
    std::unique_ptr<ComponentSource> reread = library().getSource(ComponentLink(copy, type, &library()));
    auto* made = dynamic_cast<ObjectSource*>(reread.get());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->getSectionText(fourCC("3DSC")), String("BLOCK 1, 1, 1"));
    EXPECT_EQ(made->find(String("M"))->getValueText(1, 1), String("7"));

    // Rewritten in place: true even when the part cannot be read back.
    made->setSectionText(fourCC("3DSC"), String("BLOCK 2, 2, 2"));
    host().faults().set("GetLibPart", 1, 1, hosterr::Failed);
    EXPECT_TRUE(library().registerFromSource(*made));
    EXPECT_EQ(parts().part(copy)->section(fourCC("3DSC"))->bytes, "BLOCK 2, 2, 2");
    host().faults().set("UpdateLibPartSection", 1, 1, hosterr::Failed);
    EXPECT_FALSE(library().registerFromSource(*made));
    MacroSource macro{ComponentLink(copy, LibPartMacro, &library())};
    EXPECT_FALSE(library().registerFromSource(macro));
}

TEST_F(Sources, TheHostIsToldWhereANewPartsFileIsAndTheSourceKeepsItsOwnLocation) {
    zavhost::LibraryPart chair;
    chair.name = "Chair";
    chair.type = LibPartObject;
    addSection(chair, "3DSC", "BLOCK 1, 1, 1", true);
    const uint32_t index = parts().add(chair);
    std::unique_ptr<ComponentSource> found =
        library().getSource(ComponentLink(index, LibPartObject, &library()));
    ASSERT_NE(dynamic_cast<ObjectSource*>(found.get()), nullptr);
    ASSERT_EQ(found->getRecord().location, nullptr); // a part the host holds without a file

    const std::string path = ::testing::TempDir() + "parts/Told Chair.gsm";
    std::unique_ptr<ComponentSource> copy = found->clone();
    copy->clearLink();
    copy->setFile(File(String(path)));
    const size_t mark = host().calls().size();
    ASSERT_TRUE(library().registerFromSource(*copy));
    EXPECT_EQ(callsSince(mark, "CreateLibPart (\"Told Chair.gsm\" type 4 at \"" + path + "\")"), 1u);
    const zavhost::LibraryPart* made = parts().part(copy->getIndex());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->path, path);
    ASSERT_NE(copy->getRecord().location, nullptr);
    EXPECT_EQ(copy->getRecord().location->ToPath(), path);
}

TEST_F(Sources, EachKindHasItsCreatorAndAClonedSourceKeepsItsClassSectionsAndParameters) {
    const HostLibPart window = libpart::blank(LibPartWindow, 1);
    const ComponentLink link(1, LibPartWindow, &library());
    EXPECT_EQ(DoorSource::create(window, link), nullptr);
    EXPECT_NE(dynamic_cast<WindowSource*>(WindowSource::create(window, link).get()), nullptr);
    EXPECT_EQ(ObjectSource::create(window, link), nullptr);

    LampSource lamp{ComponentLink(0, LibPartLamp, nullptr)};
    lamp.setSectionText(fourCC("3DSC"), String("SPHERE 1"));
    lamp.assignList(chairParameters());
    lamp.setLoaded(true);
    std::unique_ptr<ComponentSource> clone = lamp.clone();
    auto* copy = dynamic_cast<LampSource*>(clone.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getSectionText(fourCC("3DSC")), String("SPHERE 1"));
    EXPECT_EQ(copy->getParameterA(), 0.5);

    ObjectSource none;
    EXPECT_EQ(none.getIndex(), 0u);
    EXPECT_EQ(none.getType(), LibPartObject);
    EXPECT_FALSE(none.isLoaded());
    none.setThirdDetail(true);
    EXPECT_FALSE(none.isFirstDetailSet());
    EXPECT_TRUE(none.isThirdDetailSet());
    none.setFirstDetail(true);
    EXPECT_EQ(none.getDetails().firstDetail, 1);
}

TEST_F(Sources, APreviewIsStoredAsJpegAndComesBackAsPngThroughTheHost) {
    const int64_t handles = BMLiveHandleCount();
    {
        ObjectSource source;
        EXPECT_EQ(source.getPreviewImage(), nullptr);
        EXPECT_EQ(source.getPictureImage(), nullptr);
        EXPECT_TRUE(source.setPreviewImage(Image(GXNewGSPixMap(3, 2, GXPixelOpaque))));
        GX::ImageType type = GX::ImageType::PNG;
        ASSERT_EQ(GX::ImageBase::GetType(source.getSection(fourCC("GIFF")).getHandle(), &type), hosterr::Ok);
        EXPECT_EQ(type, GX::ImageType::JPEG);
        std::unique_ptr<Image> preview = source.getPreviewImage();
        ASSERT_NE(preview, nullptr);
        ASSERT_EQ(GX::ImageBase::GetType(preview->getEncodedData().getHandle(), &type), hosterr::Ok);
        EXPECT_EQ(type, GX::ImageType::PNG);
        EXPECT_EQ(preview->getBounds().getWidth(), 3);
        EXPECT_FALSE(source.setPreviewImage(Image())); // nothing to encode: the preview stays
        EXPECT_NE(source.getPreviewImage(), nullptr);
        source.setSection(fourCC("PICT"), bytesHandle("raw picture"));
        std::unique_ptr<Image> picture = source.getPictureImage();
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(picture->getEncodedData().getSize(), 11); // as it is
    }
    EXPECT_EQ(BMLiveHandleCount(), handles);
}
