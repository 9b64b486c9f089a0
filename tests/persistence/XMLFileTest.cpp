// The whole-file XML write, as the command file, the review report and the style export use it:
// the file is replaced only by a document written whole.
#include <gtest/gtest.h>

#include "../Environment/FileSizeLimit.h"
#include "../Environment/TempFolder.h"
#include "Environment/FileReplacement.h"
#include "FileBytes.h"
#include "Samples.h"

using namespace tarnwick;
using namespace samples;
using filebytes::readFile;

namespace {

// What stands in the file, in short: a failure need not print a megabyte.
std::string shortly(const std::string& path) {
    const std::string bytes = readFile(path);
    return bytes.size() <= 80 ? bytes
                              : bytes.substr(0, 80) + "... (" + std::to_string(bytes.size()) + " bytes)";
}

// Many items, far more than the writer and its buffer hold before they pass bytes on to the file,
// then, when spoilt, a member whose name the writer refuses.
struct Document : XMLAssembly {
    struct Unnamed : XMLAssembly {
        Unnamed() : XMLAssembly(String("1st")) {}
        size_t getFieldCount() const override { return 0; }
        std::unique_ptr<XMLShipping> makeFieldProxy(size_t, bool) override { return nullptr; }
    };
    ItemList list;
    Unnamed unnamed;
    bool spoilt = false;
    explicit Document(size_t items) : XMLAssembly(String("document")) {
        list.items.resize(items);
        for (size_t i = 0; i < items; ++i)
            list.items[i].name = String("item number ") + String(static_cast<unsigned>(i));
    }
    size_t getFieldCount() const override { return spoilt ? 2 : 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly) return nullptr;
        if (index == 0) return std::make_unique<XMLArrayProxy>(list);
        if (index == 1 && spoilt) return std::make_unique<XMLAssemblyProxy>(unnamed);
        return nullptr;
    }
};

} // namespace

TEST(XMLFile, ADocumentWrittenWholeTakesTheFilesPlace) {
    TempFolder temp;
    filebytes::writeFile(temp.path("doc.xml"), "as it was");
    Document document(3);
    FileReplacement file(Directory(temp.location()), String("doc.xml"), String(".tmp"));
    ASSERT_TRUE(XMLWriter::writeFile(document, file));
    const std::string written = readFile(temp.path("doc.xml"));
    EXPECT_EQ(written.find(XMLWriter::Declaration), 0u) << written;
    EXPECT_NE(written.find("<item name=\"item number 2\">"), std::string::npos) << written;
    EXPECT_EQ(readFile(temp.path("doc.xml.tmp")), "<missing>");
}

TEST(XMLFile, ADocumentTheWriterFailsOnOrThatTheDiskDoesNotTakeLeavesTheFileAsItWas) {
    TempFolder temp;
    const std::string before = "<document>as it was</document>";
    filebytes::writeFile(temp.path("doc.xml"), before);
    Directory folder(temp.location());
    // Large enough that much of it reached the new file before the writer stopped.
    Document spoilt(20000);
    spoilt.spoilt = true;
    FileReplacement refused(folder, String("doc.xml"), String(".tmp"));
    EXPECT_FALSE(XMLWriter::writeFile(spoilt, refused));
    EXPECT_EQ(shortly(temp.path("doc.xml")), before);
    EXPECT_EQ(shortly(temp.path("doc.xml.tmp")), "<missing>");

    Document sound(20000);
    {
        const FileSizeLimit full(4096);
        ASSERT_TRUE(full.isSet());
        FileReplacement unwritten(folder, String("doc.xml"), String(".tmp"));
        EXPECT_FALSE(XMLWriter::writeFile(sound, unwritten));
    }
    EXPECT_EQ(shortly(temp.path("doc.xml")), before);
    EXPECT_EQ(shortly(temp.path("doc.xml.tmp")), "<missing>");
}
