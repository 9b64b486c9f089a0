// The reader and the writer at the edges of what they take: the nesting limit both share, and
// tokens far larger than the reader's chunks.
#include <gtest/gtest.h>

#include <algorithm>

#include "../Environment/TempFolder.h"
#include "Environment/DataFile.h"
#include "Samples.h"

using namespace tarnwick;
using namespace samples;

namespace {

// Assemblies nested `levels` deep, the root being level 1. Reading notes the deepest level read,
// and takes links at any depth, so that only the reader's limit stops it.
struct Chain : XMLAssembly {
    size_t level, levels;
    size_t* deepest;
    Chain(size_t level_, size_t levels_, size_t* deepest_)
        : XMLAssembly(String("link")), level(level_), levels(levels_), deepest(deepest_) {}
    size_t getFieldCount() const override { return level < levels ? 1 : 0; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly || index != 0 || level >= levels) return nullptr;
        return next();
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        return name == "link" ? next() : nullptr;
    }
    bool afterRead() override {
        *deepest = std::max(*deepest, level);
        return true;
    }
    std::unique_ptr<XMLShipping> next() {
        return std::make_unique<XMLContainerProxy>(std::make_unique<Chain>(level + 1, levels, deepest));
    }
};

std::string nested(size_t levels) {
    std::string text;
    for (size_t i = 0; i < levels; ++i)
        text += "<link>";
    for (size_t i = 0; i < levels; ++i)
        text += "</link>";
    return text;
}

} // namespace

TEST(XMLLimits, ATreeAtTheNestingLimitIsWrittenAndReadsBack) {
    size_t unused = 0;
    Chain deepest(1, XMLMaxDepth, &unused);
    std::string text = writeXML(deepest);
    ASSERT_EQ(text.find("<failed"), std::string::npos) << text.substr(0, 200);

    size_t reached = 0;
    Chain back(1, 0, &reached);
    String error;
    ASSERT_TRUE(readXML(text, back, &error)) << error.bytes();
    EXPECT_EQ(reached, XMLMaxDepth);
}

TEST(XMLLimits, OneLevelMoreIsRefusedByTheWriterAndTheReader) {
    size_t unused = 0;
    Chain tooDeep(1, XMLMaxDepth + 1, &unused);
    String text;
    DataBufferOut out;
    ASSERT_TRUE(out.open(text));
    XMLWriter writer(out);
    EXPECT_FALSE(writer.write(tooDeep));
    EXPECT_NE(writer.getError().view().find("deeply"), std::string_view::npos);
    (void)out.close(); // only the writer's refusal is under test

    Chain back(1, 0, &unused);
    String error;
    EXPECT_FALSE(readXML(nested(XMLMaxDepth + 1), back, &error));
    EXPECT_NE(error.view().find("deeply"), std::string_view::npos);
}

// Skipped elements count as much as read ones.
TEST(XMLLimits, TheReadersLimitCanBeLoweredButNotRaised) {
    const struct {
        size_t maxDepth, levels;
        bool ok;
    } cases[] = {{11, 11, true}, {10, 11, false}, {XMLMaxDepth * 4, XMLMaxDepth + 1, false}};
    for (const auto& c : cases) {
        size_t unused = 0;
        Chain back(1, 0, &unused);
        String error;
        EXPECT_EQ(readXML(nested(c.levels), back, &error, c.maxDepth), c.ok) << c.maxDepth;
        EXPECT_EQ(error.view().find("deeply") != std::string_view::npos, !c.ok) << c.maxDepth;
        Sample s;
        EXPECT_EQ(readXML("<sample>" + nested(c.levels - 1) + "</sample>", s, &error, c.maxDepth), c.ok)
            << c.maxDepth;
    }
}

// A file is read in chunks; an attribute, a comment and a text several times the first chunk
// arrive whole, and one cut short fails.
TEST(XMLLimits, TokensLargerThanTheFirstChunkReadWholeFromAFile) {
    const std::string big(300000, 'w');
    const std::string document = "<!-- " + std::string(200000, 'c') + " -->\n<sample note=\"" + big +
                                 "\"><!-- " + std::string(500000, 'd') + " --><title>" + big + "x" +
                                 "</title></sample>";
    TempFolder temp;
    for (const std::string& text : {document, "<sample note=\"" + big}) {
        DataFile file{String(temp.path(text == document ? "big.xml" : "cut.xml"))};
        ASSERT_TRUE(file.open(true));
        ASSERT_TRUE(file.write(text.data(), text.size()));
        ASSERT_TRUE(file.close());
        ASSERT_TRUE(file.open(false));
        DataBufferIn in(file);
        ASSERT_FALSE(in.isInMemory());
        XMLReader reader(in);
        Sample s;
        if (text == document) {
            ASSERT_TRUE(reader.read(s)) << reader.getError().bytes();
            EXPECT_EQ(s.note.bytes(), big);
            EXPECT_EQ(s.title.bytes(), big + "x");
        } else {
            EXPECT_FALSE(reader.read(s));
            EXPECT_FALSE(reader.getError().isEmpty());
            EXPECT_TRUE(s.note.isEmpty());
        }
        EXPECT_TRUE(file.close());
    }
}
