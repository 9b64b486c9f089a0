// The host shows each menu item with the icon its text ends in, read from the module's icons for
// 96 and for 192 dots per inch, and shows none where the module carries no sound drawing. Items are
// numbered from 1; a number outside the menu names no item.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/api/HostErrors.h"
#include "platform/dg/DGImage.h"
#include "platform/graphics/GXImage.h"
#include "platform/gsroot/Memory.h"
#include "platform/host/MenuBar.h"

using zavhost::MenuBar;
using zavhost::MenuItem;

namespace {

using Bytes = std::vector<unsigned char>;

Bytes pngOf(int32_t side, double dpi) {
    GSPixMapHandle map = GXNewGSPixMap(side, side, GXPixelAlpha);
    EXPECT_EQ(GXSetGSPixMapDPI(map, dpi, dpi), hosterr::Ok);
    GX::Image image(map);
    GXDeleteGSPixMap(map);
    GSHandle data = nullptr;
    EXPECT_EQ(image.ToEncodedData(GX::ImageType::PNG, 32, &data), hosterr::Ok);
    Bytes bytes(*data, *data + BMHandleSize(data));
    BMKillHandle(&data);
    return bytes;
}

Bytes stringList(const std::vector<std::string>& items) {
    Bytes blob(4);
    for (const std::string& item : items)
        blob.insert(blob.end(), item.c_str(), item.c_str() + item.size() + 1);
    uint32_t size = static_cast<uint32_t>(blob.size() - 4);
    for (int k = 0; k < 4; ++k)
        blob[static_cast<size_t>(k)] = static_cast<unsigned char>(size >> (8 * k));
    return blob;
}

class MenuIcons : public ::testing::Test {
protected:
    MenuIcons()
        : menuStrings(stringList({"Icons",
                                  "Both^E3^301",       // drawn at both resolutions
                                  "Standard Only^302", // no drawing for 192
                                  "Not An Image^303",  // bytes that are no image
                                  "Picture^304",       // a picture, not an icon
                                  "Too Large^40000",   // no resource can have this id
                                  "No Icon^E3", "-"})),
          promptStrings(stringList({"Icons"})), small(pngOf(3, 96)), large(pngOf(6, 192)),
          entries{{fourCC("STRS"), 100, menuStrings.data(), uint32_t(menuStrings.size())},
                  {fourCC("STRS"), 101, promptStrings.data(), uint32_t(promptStrings.size())},
                  {DG::IconResourceType, 301, small.data(), uint32_t(small.size())},
                  {DG::DoubleIconResourceType, 301, large.data(), uint32_t(large.size())},
                  {DG::IconResourceType, 302, small.data(), uint32_t(small.size())},
                  {DG::IconResourceType, 303, promptStrings.data(), uint32_t(promptStrings.size())},
                  {DG::DoubleIconResourceType, 303, promptStrings.data(), uint32_t(promptStrings.size())},
                  {DG::PictureResourceType, 304, small.data(), uint32_t(small.size())},
                  {DG::DoublePictureResourceType, 304, large.data(), uint32_t(large.size())}},
          module{9, entries} {}

    const MenuItem& item(size_t index) const { return bar.menu(100)->items.at(index); }

    Bytes menuStrings, promptStrings, small, large;
    ResourceEntry entries[9];
    ResourceModule module;
    MenuBar bar;
};

} // namespace

TEST_F(MenuIcons, AnItemShowsItsIconAtEachResolutionTheModuleDrawsItFor) {
    ASSERT_EQ(bar.registerMenu(&module, 100, 101, 17, 0), hosterr::Ok);
    const MenuItem& both = item(0);
    EXPECT_EQ(both.iconId, 301);
    ASSERT_NE(both.icon, nullptr);
    ASSERT_NE(both.doubleIcon, nullptr);
    EXPECT_EQ(both.icon->GetWidth(), 3);
    EXPECT_EQ(both.doubleIcon->GetWidth(), 6);
    double horizontal = 0;
    double vertical = 0;
    both.doubleIcon->GetDPI(&horizontal, &vertical);
    EXPECT_EQ(horizontal, 192.0);

    const MenuItem& standardOnly = item(1);
    ASSERT_NE(standardOnly.icon, nullptr);
    EXPECT_EQ(standardOnly.icon->GetHeight(), 3);
    EXPECT_EQ(standardOnly.doubleIcon, nullptr);
}

TEST_F(MenuIcons, NoIconIsShownForBytesThatAreNoImageAPictureABadIdOrNoId) {
    ASSERT_EQ(bar.registerMenu(&module, 100, 101, 17, 0), hosterr::Ok);
    for (size_t index : {2u, 3u, 4u, 5u, 6u}) {
        SCOPED_TRACE(item(index).text);
        EXPECT_EQ(item(index).icon, nullptr);
        EXPECT_EQ(item(index).doubleIcon, nullptr);
    }
    EXPECT_EQ(item(4).iconId, 40000); // kept as written
    EXPECT_EQ(item(5).iconId, 0);
    EXPECT_TRUE(item(6).separator);
}

TEST_F(MenuIcons, TheIconsAreReadOnceWhenTheMenuIsRegistered) {
    ASSERT_EQ(bar.registerMenu(&module, 100, 101, 17, 0), hosterr::Ok);
    auto shown = item(0).icon;
    std::memset(small.data(), 0, small.size()); // the module's bytes change afterwards
    EXPECT_EQ(item(0).icon, shown);
    EXPECT_EQ(item(0).icon->GetWidth(), 3);
    EXPECT_EQ(bar.registerMenu(&module, 100, 101, 17, 0), hosterr::Refused);
}

TEST_F(MenuIcons, AnItemNumberOutsideTheMenuIsRefusedItemZeroIncluded) {
    ASSERT_EQ(bar.registerMenu(&module, 100, 101, 17, 0), hosterr::Ok);
    ASSERT_EQ(bar.menu(100)->items.size(), 7u);
    for (int32_t outside : {0, -1, 8, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(outside);
        int32_t flags = 77;
        EXPECT_EQ(bar.getItemFlags(100, outside, &flags), hosterr::BadIndex);
        EXPECT_EQ(flags, 77);
        EXPECT_EQ(bar.setItemFlags(100, outside, 1), hosterr::BadIndex);
    }
    for (const MenuItem& each : bar.menu(100)->items)
        EXPECT_EQ(each.flags, 0) << each.text;
    // The first and the last item are in the menu.
    EXPECT_EQ(bar.setItemFlags(100, 1, 1), hosterr::Ok);
    EXPECT_EQ(bar.setItemFlags(100, 7, 3), hosterr::Ok);
    int32_t flags = 0;
    EXPECT_EQ(bar.getItemFlags(100, 1, &flags), hosterr::Ok);
    EXPECT_EQ(flags, 1);
    EXPECT_TRUE(item(0).disabled());
    EXPECT_EQ(bar.getItemFlags(100, 7, &flags), hosterr::Ok);
    EXPECT_EQ(flags, 3);
    EXPECT_EQ(item(6).flags, 3);
    EXPECT_EQ(bar.getItemFlags(100, 1, nullptr), hosterr::BadParameter);
    EXPECT_EQ(bar.getItemFlags(102, 1, &flags), hosterr::NotFound);
    EXPECT_EQ(bar.setItemFlags(102, 1, 0), hosterr::NotFound);
}
