#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/api/HostErrors.h"
#include "platform/io/Location.h"

using IO::Location;

TEST(Location, NormalisesByNameAndStartsRelativePathsAtTheCurrentFolder) {
    EXPECT_EQ(Location("/a/./b/../c/").ToPath(), "/a/c");
    EXPECT_EQ(Location("/a//b").ToPath(), "/a/b");
    EXPECT_EQ(Location("/..").ToPath(), "/");
    EXPECT_EQ(Location("/a/b"), Location("/a/b/"));
    EXPECT_TRUE(Location("").IsEmpty());
    EXPECT_EQ(Location("").ToURL(), "");
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    Location relative("sub/file.txt");
    EXPECT_EQ(relative.ToPath(), Location(std::string(cwd) + "/sub/file.txt").ToPath());
    EXPECT_EQ(relative.ToURL(), "file://" + relative.ToPath());
}

TEST(Location, AppendsOnlySingleNamesAndDeletesThemDownToTheRoot) {
    Location loc("/data");
    for (const char* bad : {"", ".", "..", "a/b", "/x"}) {
        EXPECT_EQ(loc.AppendToLocal(bad), hosterr::BadName) << bad;
        EXPECT_EQ(loc.ToPath(), "/data");
    }
    EXPECT_EQ(loc.AppendToLocal(std::string("a\0b", 3)), hosterr::BadName);
    EXPECT_EQ(loc.AppendToLocal("file name.txt"), hosterr::Ok);
    EXPECT_EQ(loc.ToPath(), "/data/file name.txt");
    EXPECT_EQ(loc.GetLastLocalName(), "file name.txt");

    Location root("/");
    EXPECT_EQ(root.AppendToLocal("x"), hosterr::Ok);
    EXPECT_EQ(root.ToPath(), "/x");
    Location empty;
    EXPECT_EQ(empty.AppendToLocal("x"), hosterr::BadName);
    EXPECT_EQ(loc.DeleteLastLocalName(), hosterr::Ok);
    EXPECT_EQ(loc.ToPath(), "/data");
    EXPECT_EQ(loc.DeleteLastLocalName(), hosterr::Ok);
    EXPECT_EQ(loc.ToPath(), "/");
    EXPECT_EQ(loc.DeleteLastLocalName(), hosterr::NotFound);
    std::string name = "kept";
    EXPECT_EQ(loc.GetLastLocalName(&name), hosterr::NotFound);
    EXPECT_EQ(name, "kept");
    EXPECT_EQ(Location().DeleteLastLocalName(), hosterr::NotFound);
}

TEST(Location, AncestorsByComponent) {
    Location a("/a/b");
    EXPECT_TRUE(a.IsAncestorOf(Location("/a/b/c")));
    EXPECT_TRUE(a.IsAncestorOf(Location("/a/b/c/d.txt")));
    EXPECT_FALSE(a.IsAncestorOf(Location("/a/bc")));     // a longer name is not inside
    EXPECT_FALSE(a.IsAncestorOf(Location("/a/b")));      // not itself
    EXPECT_FALSE(a.IsAncestorOf(Location("/a")));        // nor its parent
    EXPECT_FALSE(a.IsAncestorOf(Location("/a/b/../c"))); // resolved by name first
    EXPECT_TRUE(Location("/").IsAncestorOf(Location("/x")));
    EXPECT_FALSE(Location("/").IsAncestorOf(Location("/")));
    EXPECT_FALSE(Location().IsAncestorOf(Location("/x")));
    EXPECT_FALSE(a.IsAncestorOf(Location()));
}
