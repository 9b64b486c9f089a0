// The reader and the writer at the edges of what they take: the nesting limit both share, and
// tokens far larger than the reader's chunks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

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

// Notes how much of its input the reader had taken when its "mark" member was read.
struct Watched : XMLAssembly {
    struct Mark : XMLAssembly {
        Watched& owner;
        explicit Mark(Watched& owner_) : XMLAssembly(String("mark")), owner(owner_) {}
        size_t getFieldCount() const override { return 0; }
        std::unique_ptr<XMLShipping> makeFieldProxy(size_t, bool) override { return nullptr; }
        bool afterRead() override {
            owner.takenAtMark = owner.in.getPosition();
            return true;
        }
    };
    DataBufferIn& in;
    Mark mark{*this};
    uint64_t takenAtMark = 0;
    explicit Watched(DataBufferIn& in_) : XMLAssembly(String("watched")), in(in_) {}
    size_t getFieldCount() const override { return 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return index == 0 && !attributesOnly ? std::make_unique<XMLAssemblyProxy>(mark) : nullptr;
    }
};

// Comment lines of about a kilobyte each, tokens far smaller than a chunk, about `bytes` in all.
std::string commentLines(size_t bytes) {
    const std::string line = "<!-- " + std::string(1000, 'c') + " -->\n";
    std::string text;
    text.reserve(bytes + line.size());
    while (text.size() < bytes)
        text += line;
    return text;
}

constexpr size_t Megabyte = 1 << 20;

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

// A document in memory larger than the reader takes in one call (16 MB) is taken in chunks, as a
// file is: tokens several times a chunk still arrive whole, an error far in is placed on its line,
// and one cut short fails.
TEST(XMLLimits, TokensLargerThanAChunkReadWholeFromALargeDocumentInMemory) {
    const std::string big(300000, 'w');
    const std::string head = commentLines(17 * Megabyte);
    const std::string document = head + "<sample note=\"" + big + "\"><!-- " + std::string(500000, 'd') +
                                 " --><title>" + big + "x" + "</title></sample>";
    Sample s;
    String error;
    ASSERT_TRUE(readXML(document, s, &error)) << error.bytes();
    EXPECT_EQ(s.note.bytes(), big);
    EXPECT_EQ(s.title.bytes(), big + "x");

    const std::string line = std::to_string(std::count(head.begin(), head.end(), '\n') + 2);
    Sample wrong;
    EXPECT_FALSE(readXML(head + "<sample>\n<title>x</titel></sample>", wrong, &error));
    EXPECT_EQ(error.view().substr(0, line.size() + 1), line + ":") << error.bytes();

    Sample cut;
    EXPECT_FALSE(readXML(head + "<sample note=\"" + big, cut, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(cut.note.isEmpty());
}

// Up to 16 MB, a document in memory goes to the tokenizer whole, which spares it counting lines
// call by call; a larger one in pieces, so that the tokenizer never holds a copy of all of it,
// until a token outgrows a piece (one of 300 kB surely does): then the rest goes whole, so that
// the token is not started over piece by piece.
TEST(XMLLimits, ADocumentInMemoryGoesWholeUpTo16MegabytesInPiecesBeyond) {
    const struct {
        size_t linesBefore, total;
        std::string markAttribute;
        bool wholeAtMark;
    } cases[] = {{0, Megabyte, "", true},
                 {0, 16 * Megabyte - 100, "", true},
                 {0, 16 * Megabyte + 100, "", false},
                 {17 * Megabyte, 18 * Megabyte, " note=\"" + std::string(300000, 'n') + "\"", true},
                 {17 * Megabyte, 18 * Megabyte, " note=\"" + std::string(1000, 'n') + "\"", false}};
    for (const auto& c : cases) {
        std::string document = "<watched>" + commentLines(c.linesBefore) + "<mark" + c.markAttribute + "/>";
        document += commentLines(c.total - document.size() - 2000);
        document += std::string(c.total - document.size() - 10, '\n') + "</watched>";
        ASSERT_EQ(document.size(), c.total);
        DataBufferIn in{String(document)};
        Watched watched(in);
        XMLReader reader(in);
        ASSERT_TRUE(reader.read(watched)) << reader.getError().bytes();
        if (c.wholeAtMark)
            EXPECT_EQ(watched.takenAtMark, c.total) << c.total << " " << c.markAttribute.size();
        else
            EXPECT_LE(watched.takenAtMark, c.linesBefore + Megabyte)
                << c.total << " " << c.markAttribute.size();
        EXPECT_TRUE(in.atEnd());
    }
}
