// The project preferences: what is stored, what is not, and what a stored element lacking members
// leaves.
#include <gtest/gtest.h>

#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"

using namespace tarnwick;
using zavlink::ZAVLinkPrefs;

namespace {

std::string writeXML(XMLShipping& root) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) return "<no sink>";
    XMLWriter writer(out);
    bool ok = writer.write(root, false, 1, false);
    ok = out.close() && ok;
    return ok ? text.bytes() : std::string("<failed>");
}

bool readXML(const std::string& text, XMLShipping& root) {
    DataBufferIn in{String(text)};
    XMLReader reader(in);
    return reader.read(root);
}

// Every field away from its default.
ZAVLinkPrefs changed() {
    ZAVLinkPrefs p;
    p.specificationPath = String("/specs/Block A <rev 2> & \xC3\xA9t\xC3\xA9.zav");
    p.annotatorPath = String("/programs/annotator");
    p.isSpecification = true;
    p.annotatorFound = true;
    p.isUpdateSelectedWarned = false;
    p.isUpdateAllWarned = false;
    p.isReplaceSelectedWarned = false;
    p.isReplaceAllWarned = false;
    p.isAcceptSelectedWarned = false;
    p.isAcceptAllWarned = false;
    return p;
}

void expectDefaults(const ZAVLinkPrefs& p) {
    EXPECT_TRUE(p.specificationPath.isEmpty());
    EXPECT_TRUE(p.annotatorPath.isEmpty());
    EXPECT_FALSE(p.isSpecification);
    EXPECT_FALSE(p.annotatorFound);
    EXPECT_TRUE(p.isUpdateSelectedWarned);
    EXPECT_TRUE(p.isUpdateAllWarned);
    EXPECT_TRUE(p.isReplaceSelectedWarned);
    EXPECT_TRUE(p.isReplaceAllWarned);
    EXPECT_TRUE(p.isAcceptSelectedWarned);
    EXPECT_TRUE(p.isAcceptAllWarned);
}

} // namespace

TEST(ZAVLinkPrefs, WritesTheEightMembersInOrderAsChildElements) {
    ZAVLinkPrefs p = changed();
    p.specificationPath = String("/s.zav");
    EXPECT_EQ(writeXML(p), "<zavlinkPrefs><isSpecification>true</isSpecification>"
                           "<specificationPath>/s.zav</specificationPath>"
                           "<isUpdateSelectedWarned>false</isUpdateSelectedWarned>"
                           "<isUpdateAllWarned>false</isUpdateAllWarned>"
                           "<isReplaceSelectedWarned>false</isReplaceSelectedWarned>"
                           "<isReplaceAllWarned>false</isReplaceAllWarned>"
                           "<isAcceptSelectedWarned>false</isAcceptSelectedWarned>"
                           "<isAcceptAllWarned>false</isAcceptAllWarned></zavlinkPrefs>");
}

TEST(ZAVLinkPrefs, RoundTripKeepsThePersistedMembersAndDropsTheOthers) {
    ZAVLinkPrefs source = changed();
    ZAVLinkPrefs read;
    ASSERT_TRUE(readXML(writeXML(source), read));
    EXPECT_EQ(read.specificationPath, source.specificationPath);
    EXPECT_TRUE(read.isSpecification);
    EXPECT_FALSE(read.isUpdateSelectedWarned);
    EXPECT_FALSE(read.isUpdateAllWarned);
    EXPECT_FALSE(read.isReplaceSelectedWarned);
    EXPECT_FALSE(read.isReplaceAllWarned);
    EXPECT_FALSE(read.isAcceptSelectedWarned);
    EXPECT_FALSE(read.isAcceptAllWarned);
    EXPECT_TRUE(read.annotatorPath.isEmpty());
    EXPECT_FALSE(read.annotatorFound);
}

TEST(ZAVLinkPrefs, AStoredElementMissingMembersLeavesThemAtDefault) {
    ZAVLinkPrefs read;
    ASSERT_TRUE(readXML("<zavlinkPrefs><specificationPath>/a.zav</specificationPath>"
                        "<isReplaceAllWarned>false</isReplaceAllWarned></zavlinkPrefs>",
                        read));
    EXPECT_EQ(read.specificationPath, String("/a.zav"));
    EXPECT_FALSE(read.isReplaceAllWarned);
    EXPECT_FALSE(read.isSpecification);
    EXPECT_TRUE(read.isUpdateSelectedWarned);
    EXPECT_TRUE(read.isUpdateAllWarned);
    EXPECT_TRUE(read.isReplaceSelectedWarned);
    EXPECT_TRUE(read.isAcceptSelectedWarned);
    EXPECT_TRUE(read.isAcceptAllWarned);
}

TEST(ZAVLinkPrefs, ANestedElementOfItsOwnNameReadsIntoThePackage) {
    ZAVLinkPrefs read;
    ASSERT_TRUE(readXML("<zavlinkPrefs><zavlinkPrefs><isSpecification>true</isSpecification></zavlinkPrefs>"
                        "</zavlinkPrefs>",
                        read));
    EXPECT_TRUE(read.isSpecification);
}

TEST(ZAVLinkPrefs, CloneCopiesEveryFieldTheUnstoredOnesIncluded) {
    ZAVLinkPrefs source = changed();
    std::unique_ptr<Package> copy = source.clone();
    auto* p = dynamic_cast<ZAVLinkPrefs*>(copy.get());
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->annotatorPath, source.annotatorPath);
    EXPECT_TRUE(p->annotatorFound);
    EXPECT_EQ(p->specificationPath, source.specificationPath);
    EXPECT_TRUE(p->isSpecification);
    EXPECT_FALSE(p->isAcceptAllWarned);
}

TEST(ZAVLinkPrefs, ResetRestoresEveryDefaultAndMergeKeepsOwnValues) {
    expectDefaults(ZAVLinkPrefs());
    EXPECT_EQ(ZAVLinkPrefs().getCode(), fourCC("ZAVP"));
    ZAVLinkPrefs p = changed();
    p.merge(ZAVLinkPrefs());
    EXPECT_TRUE(p.annotatorFound);
    EXPECT_FALSE(p.isUpdateAllWarned);
    p.reset();
    expectDefaults(p);
    ZAVLinkPrefs source = changed();
    auto fresh = source.cloneDefault();
    expectDefaults(dynamic_cast<ZAVLinkPrefs&>(*fresh));
}

TEST(ZAVLinkPrefs, EachAskSwitchIsStoredAndReadUnderItsOwnName) {
    const struct {
        bool ZAVLinkPrefs::*flag;
        const char* name;
    } switches[] = {
        {&ZAVLinkPrefs::isUpdateSelectedWarned, "isUpdateSelectedWarned"},
        {&ZAVLinkPrefs::isUpdateAllWarned, "isUpdateAllWarned"},
        {&ZAVLinkPrefs::isReplaceSelectedWarned, "isReplaceSelectedWarned"},
        {&ZAVLinkPrefs::isReplaceAllWarned, "isReplaceAllWarned"},
        {&ZAVLinkPrefs::isAcceptSelectedWarned, "isAcceptSelectedWarned"},
        {&ZAVLinkPrefs::isAcceptAllWarned, "isAcceptAllWarned"},
    };
    for (const auto& off : switches) {
        ZAVLinkPrefs source;
        source.*(off.flag) = false;
        const std::string written = writeXML(source);
        std::string wanted = "<zavlinkPrefs><isSpecification>false</isSpecification><specificationPath/>";
        for (const auto& each : switches)
            wanted += std::string("<") + each.name + ">" + (&each == &off ? "false" : "true") + "</" +
                      each.name + ">";
        EXPECT_EQ(written, wanted + "</zavlinkPrefs>") << off.name;
        ZAVLinkPrefs read;
        ASSERT_TRUE(readXML(written, read)) << off.name;
        for (const auto& each : switches)
            EXPECT_EQ(read.*(each.flag), &each != &off) << off.name << " off, " << each.name << " read";
    }
}
