#include <cstring>
#include <gtest/gtest.h>
#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/DataFile.h"
#include "Environment/LegacyBinaryIn.h"
#include "Environment/MemoryBlock.h"
#include "Environment/String.h"
#include "TempFolder.h"
#include "platform/gsroot/Memory.h"

using tarnwick::DataBufferIn;
using tarnwick::DataBufferOut;
using tarnwick::DataFile;
using tarnwick::LegacyBinaryIn;
using tarnwick::MemoryBlock;
using tarnwick::String;

namespace {
constexpr size_t Full = DataBufferOut::BufferSize;

std::string pattern(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>('a' + i % 26);
    return s;
}

std::string contents(DataFile& file) {
    std::string out(file.getLength(), '\0');
    if (!file.seek(0)) return "<cannot seek>";
    out.resize(file.read(out.data(), out.size()));
    return out;
}
} // namespace

TEST(DataBufferOut, FlushesExactlyAtTheBufferBoundaryOnDestructionAndAppendsToAFile) {
    TempFolder temp;
    DataFile file(String(temp.path("out.txt")));
    DataBufferOut out;
    ASSERT_TRUE(out.open(file));
    std::string data = pattern(Full + 1);
    ASSERT_TRUE(out.write(data.data(), Full - 1));
    EXPECT_EQ(file.getLength(), 0u); // still buffered
    ASSERT_TRUE(out.write(data.data() + Full - 1, 1));
    EXPECT_EQ(file.getLength(), Full); // a full buffer goes out at once
    EXPECT_EQ(out.getPending(), 0u);
    ASSERT_TRUE(out.write(data.data() + Full, 1));
    EXPECT_EQ(file.getLength(), Full);
    EXPECT_EQ(out.getPending(), 1u);
    EXPECT_TRUE(out.flush());
    EXPECT_EQ(contents(file), data);
    ASSERT_TRUE(file.seek(0)); // a writer opened again still appends at the end
    ASSERT_TRUE(out.open(file));
    out << "new";
    EXPECT_TRUE(out.close());
    EXPECT_EQ(contents(file), data + "new");

    MemoryBlock block;
    data = pattern(2 * Full + 17);
    {
        DataBufferOut large;
        ASSERT_TRUE(large.open(block));
        ASSERT_TRUE(large.write(data.data(), data.size()));
        EXPECT_EQ(block.getSize(), static_cast<GSSize>(2 * Full));
        EXPECT_EQ(large.getPending(), 17u);
    }
    ASSERT_EQ(block.getSize(), static_cast<GSSize>(data.size()));
    EXPECT_EQ(std::string(block.getData(), data.size()), data);
}

TEST(DataBufferOut, SinksAppendTextAndNumbers) {
    String text("head:");
    GSHandle handle = nullptr;
    {
        DataBufferOut out;
        ASSERT_TRUE(out.open(text));
        out << String("ä=") << -2147483647 - 1 << " " << 42 << static_cast<const char*>(nullptr);
        EXPECT_TRUE(out.close());
        EXPECT_EQ(text, "head:ä=-2147483648 42");

        ASSERT_TRUE(out.open(&handle));
        out << "abc";
        EXPECT_TRUE(out.close());
    }
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(std::string(*handle, BMHandleSize(handle)), "abc");
    BMKillHandle(&handle);
}

TEST(DataBufferOut, StateIsStickyWritesStopAndFailedFileWritesAreReported) {
    DataBufferOut out;
    EXPECT_FALSE(out.write("x", 1)); // no sink
    EXPECT_EQ(out.getState(), DataBufferOut::StateNoSink);
    EXPECT_FALSE(out.flush());

    MemoryBlock block;
    EXPECT_TRUE(out.open(block)); // starts over
    EXPECT_EQ(out.getState(), 0);
    BMFailAfter(0); // the block cannot grow
    out << "lost";
    EXPECT_FALSE(out.flush());
    BMFailAfter(-1);
    EXPECT_EQ(out.getState(), DataBufferOut::StateNoMemory);
    out << "also lost";
    EXPECT_FALSE(out.close());
    EXPECT_EQ(out.getState(), DataBufferOut::StateNoMemory);
    EXPECT_EQ(block.getSize(), 0);

    EXPECT_FALSE(out.open(static_cast<GSHandle*>(nullptr)));
    EXPECT_EQ(out.getState(), DataBufferOut::StateNoSink);

    // A device that takes no bytes: the flush fails and close says so.
    DataFile full(String("/dev/full"));
    ASSERT_TRUE(out.open(full));
    out << "never stored";
    EXPECT_EQ(out.getState(), 0);
    EXPECT_FALSE(out.flush());
    EXPECT_EQ(out.getState(), DataBufferOut::StateWriteFailed);
    std::string more(Full * 2, 'x');
    EXPECT_FALSE(out.write(more.data(), more.size())); // nothing more is tried
    EXPECT_FALSE(out.close());

    // A file opened read-only by its owner.
    TempFolder temp;
    ASSERT_TRUE(DataFile(String(temp.path("ro.txt"))).write("k", 1));
    DataFile readOnly(String(temp.path("ro.txt")));
    ASSERT_TRUE(readOnly.open(false));
    EXPECT_FALSE(out.open(readOnly));
    out << "x";
    EXPECT_FALSE(out.close());
    EXPECT_EQ(out.getState(), DataBufferOut::StateWriteFailed);
    EXPECT_EQ(readOnly.getLength(), 1u);
}

TEST(DataBufferIn, ReadsAFileLargerThanOneBlock) {
    TempFolder temp;
    std::string data = pattern(DataBufferIn::BlockSize * 2 + 5);
    DataFile file(String(temp.path("in.bin")));
    ASSERT_TRUE(file.write(data.data(), data.size()));
    DataBufferIn in(file);
    EXPECT_EQ(in.getLength(), data.size());
    std::string got(data.size() + 10, '\0');
    size_t first = in.read(got.data(), 100);
    EXPECT_EQ(first, 100u);
    EXPECT_EQ(in.peek(), static_cast<unsigned char>(data[100]));
    size_t rest = in.read(got.data() + 100, got.size() - 100);
    EXPECT_EQ(first + rest, data.size());
    got.resize(first + rest);
    EXPECT_EQ(got, data);
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.hasFailed());
    EXPECT_EQ(in.get(), -1);
    EXPECT_EQ(in.read(got.data(), 1), 0u);

    DataFile missing(String(temp.path("missing")));
    DataBufferIn none(missing);
    EXPECT_TRUE(none.hasFailed());
    EXPECT_TRUE(none.atEnd());
}

TEST(DataBufferIn, LinesAndTokens) {
    DataBufferIn in(String("one\r\ntwo\n\rthree\n\nlast"));
    String line;
    std::vector<std::string> lines;
    while (in.readLine(line))
        lines.push_back(line.bytes());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "", "last"}));

    DataBufferIn tokens(String("  key = value;\n\ttail"));
    String token;
    tokens.skipWhitespace();
    EXPECT_TRUE(tokens.readUntil(" =", token));
    EXPECT_EQ(token, "key");
    tokens.skipWhitespace();
    EXPECT_EQ(tokens.get(), '=');
    tokens.skipWhitespace();
    EXPECT_TRUE(tokens.readUntil(";", token));
    EXPECT_EQ(token, "value");
    EXPECT_EQ(tokens.get(), ';');
    tokens.skipWhitespace();
    EXPECT_FALSE(tokens.readUntil(";", token)); // the end came first
    EXPECT_EQ(token, "tail");

    MemoryBlock block;
    block.allocateHandle(3);
    std::memcpy(block.getData(), "a\0b", 3);
    DataBufferIn bytes(block);
    char buffer[4] = {};
    EXPECT_EQ(bytes.read(buffer, 4), 3u);
    EXPECT_EQ(std::string(buffer, 3), std::string("a\0b", 3));
    DataBufferIn empty{MemoryBlock()};
    EXPECT_TRUE(empty.atEnd());
    EXPECT_FALSE(empty.readLine(line));
}

TEST(LegacyBinaryIn, BothByteOrders) {
    const unsigned char bytes[] = {
        0x01, 0x02, 0x03, 0x04,                   // int32
        0x3F, 0xF8, 0,    0,    0, 0, 0,    0,    // 1.5 big-endian
        0,    0,    0,    0,    0, 0, 0xF8, 0x3F, // 1.5 little-endian
        0x02, 0x00,                               // flags
        'h',  'i',  0,                            // text
        0xFF, 0xFF, 0xFF, 0xFE,                   // -2 big-endian
    };
    DataBufferIn in(String(std::string_view(reinterpret_cast<const char*>(bytes), sizeof bytes)));
    LegacyBinaryIn big(in, LegacyBinaryIn::BigEndian);
    EXPECT_EQ(big.readInt32(), 0x01020304);
    EXPECT_EQ(big.readDouble(), 1.5);
    big.setByteOrder(LegacyBinaryIn::LittleEndian);
    EXPECT_EQ(big.readDouble(), 1.5);
    EXPECT_TRUE(big.readBool());
    EXPECT_FALSE(big.readBool());
    EXPECT_EQ(big.readCString(), "hi");
    big.setByteOrder(1);
    EXPECT_EQ(big.readInt32(), -2);
    EXPECT_TRUE(big.isGood());
    EXPECT_TRUE(big.atEnd());

    DataBufferIn again(String("\x04\x03\x02\x01"));
    LegacyBinaryIn little(again); // little-endian by default
    EXPECT_EQ(little.readInt32(), 0x01020304);
}

TEST(LegacyBinaryIn, TruncatedOrOverlongInputFailsAndStaysFailed) {
    DataBufferIn in(String(std::string_view("\x01\x00\x00\x00\x07\x00\x00", 7)));
    LegacyBinaryIn reader(in);
    EXPECT_EQ(reader.readInt32(), 1);
    EXPECT_EQ(reader.readInt32(), 0); // three bytes left
    EXPECT_TRUE(reader.hasFailed());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.readDouble(), 0.0);
    EXPECT_FALSE(reader.readBool());
    EXPECT_EQ(reader.readCString(), "");
    EXPECT_TRUE(reader.hasFailed());

    DataBufferIn text(String("no terminator"));
    LegacyBinaryIn unterminated(text);
    EXPECT_EQ(unterminated.readCString(), "");
    EXPECT_TRUE(unterminated.hasFailed());

    // A failure stops reading: the bytes after it stay in the input.
    DataBufferIn rest(String("\x01\x02"));
    LegacyBinaryIn bad(rest, 3); // no such byte order
    EXPECT_TRUE(bad.hasFailed());
    EXPECT_EQ(bad.readInt32(), 0);
    EXPECT_EQ(rest.getPosition(), 0u);

    std::string longest(LegacyBinaryIn::MaxCStringBytes, 'x');
    std::string input = longest + '\0' + longest + 'x' + '\0';
    DataBufferIn texts{String(input)};
    LegacyBinaryIn limited(texts); // texts have a limit
    EXPECT_EQ(limited.readCString().getByteLength(), LegacyBinaryIn::MaxCStringBytes);
    EXPECT_TRUE(limited.isGood());
    EXPECT_EQ(limited.readCString(), "");
    EXPECT_TRUE(limited.hasFailed());
}
