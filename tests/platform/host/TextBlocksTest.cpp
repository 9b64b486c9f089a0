// The stand-in host's text blocks: paragraphs kept with their run, tab and line-end blocks, handed
// out as deep copies and disposed whole, saved only at the paragraph's pointers; malformed text
// memos refused.
#include "platform/host/TextBlocks.h"
#include "ModelTestSupport.h"
#include "platform/api/TextRecords.h"
#include "platform/host/ProjectFile.h"

using namespace zavhost;

namespace {

GSHandle handleOf(const std::string& bytes) {
    GSHandle handle = BMNewHandle(static_cast<GSSize>(bytes.size()));
    std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

GSPtr pointerOf(size_t size) {
    return BMNewPtr(static_cast<GSSize>(size));
}

// A memo of "ab" with one paragraph; the paragraph's blocks as given.
API_ElementMemo textMemo(const std::string& content, size_t paragraphBytes, GSPtr runs,
                         GSPtr tabs = nullptr) {
    API_ElementMemo memo;
    memo.textContent = handleOf(content);
    HostTextParagraph paragraph;
    paragraph.range = 2;
    paragraph.runs = runs;
    paragraph.tabs = tabs;
    paragraph.lineEnds = pointerOf(sizeof(uint32_t));
    std::string bytes(paragraphBytes, '\0');
    std::memcpy(bytes.data(), &paragraph, std::min(paragraphBytes, sizeof paragraph));
    memo.paragraphs = handleOf(bytes);
    return memo;
}

GSPtr runsWord(GSHandle paragraphs) {
    return reinterpret_cast<HostTextParagraph*>(*paragraphs)->runs;
}

} // namespace

TEST_F(ModelTest, TextParagraphsAreKeptDeepHandedOutAsCopiesAndSavedAtTheirPointers) {
    API_ElementMemo given =
        textMemo(std::string("ab", 3), sizeof(HostTextParagraph), pointerOf(sizeof(HostTextRun)));
    const API_Guid guid = create(TextTypeCode, &given);
    table().DisposeElementMemo(&given); // the module's own, with the paragraph's blocks

    const StoredBlock& kept = project().model.views.findElement(guid)->memo.blocks.at(paragraphsOffset);
    ASSERT_EQ(kept.nested.size(), 2u); // runs and line ends; no tabs were given

    API_ElementMemo first, second;
    ASSERT_EQ(table().GetElementMemo(&guid, &first, MemoText), hosterr::Ok);
    ASSERT_EQ(table().GetElementMemo(&guid, &second, 0), hosterr::Ok);
    ASSERT_TRUE(BMIsLivePtr(runsWord(first.paragraphs)));
    EXPECT_NE(runsWord(first.paragraphs), runsWord(second.paragraphs));
    EXPECT_EQ(BMPtrSize(runsWord(second.paragraphs)), GSSize(sizeof(HostTextRun)));
    EXPECT_EQ(table().DisposeElementMemo(&first), hosterr::Ok);
    EXPECT_EQ(table().DisposeElementMemo(&second), hosterr::Ok);

    // In a project file the blocks stand at the paragraph's pointers, nowhere else.
    Project loaded;
    std::string error;
    ASSERT_TRUE(ProjectFile::decode(ProjectFile::encode(project()), &loaded, &error)) << error;
    EXPECT_EQ(loaded.model, project().model);
    project().model.views.editElement(guid)->memo.blocks.at(paragraphsOffset).nested.front().first =
        offsetof(HostTextParagraph, range);
    EXPECT_FALSE(ProjectFile::decode(ProjectFile::encode(project()), &loaded, &error));
    EXPECT_NE(error.find("nested block's place"), std::string::npos) << error;
}

TEST_F(ModelTest, MalformedTextMemosAreRefused) {
    const struct {
        std::string content;
        size_t paragraphBytes;
        size_t runBytes;
        const char* why;
    } cases[] = {
        {"ab", sizeof(HostTextParagraph), sizeof(HostTextRun), "no NUL"},
        {std::string("ab", 3), sizeof(HostTextParagraph) + 8, sizeof(HostTextRun), "a part record"},
        {std::string("ab", 3), sizeof(HostTextParagraph), sizeof(HostTextRun) - 1, "a part run"},
    };
    for (const auto& c : cases) {
        API_ElementMemo memo = textMemo(c.content, c.paragraphBytes, pointerOf(c.runBytes));
        API_Element element;
        element.head.typeCode = TextTypeCode;
        EXPECT_EQ(inCommand([&] { return table().CreateElement(&element, &memo); }), hosterr::BadParameter)
            << c.why;
        table().DisposeElementMemo(&memo);
    }
    EXPECT_TRUE(listed(TextTypeCode).empty());
}
