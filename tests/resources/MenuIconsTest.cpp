// The icons of the product's menu: the id each menu text ends in names an icon that the module
// carries for 96 and for 192 dots per inch, and both decode.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Environment/HostTable.h"
#include "platform/dg/DGImage.h"
#include "platform/gsroot/ResourceStrings.h"
#include "project/Image.h"
#include "resources/ModuleResources.h"

namespace {

constexpr int32_t menuList = 32500;

// The icon id after the last "^" of each item text of the menu (the title and separators have none).
std::vector<int32_t> menuIconIds() {
    std::vector<int32_t> ids;
    const ResourceModule* module = zavModuleResources();
    int32_t count = RSGetStringCount(module, menuList);
    for (int32_t index = 2; index <= count; ++index) {
        std::string text;
        EXPECT_TRUE(RSGetIndString(module, menuList, index, &text));
        if (text == "-") continue;
        size_t caret = text.rfind('^');
        EXPECT_NE(caret, std::string::npos) << text;
        if (caret == std::string::npos) continue;
        ids.push_back(std::stoi(text.substr(caret + 1)));
    }
    return ids;
}

void expectDrawnFor(const std::shared_ptr<const GX::Image>& icon, int32_t side, double dpi) {
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetWidth(), side);
    EXPECT_EQ(icon->GetHeight(), side);
    double horizontal = 0;
    double vertical = 0;
    icon->GetDPI(&horizontal, &vertical);
    EXPECT_EQ(horizontal, dpi);
    EXPECT_EQ(vertical, dpi);
    // A picture on a clear ground: some pixels fully transparent, some opaque.
    const std::vector<unsigned char>& pixels = icon->GetPixels();
    bool clear = false;
    bool opaque = false;
    for (size_t alpha = 3; alpha < pixels.size(); alpha += 4) {
        clear = clear || pixels[alpha] == 0;
        opaque = opaque || pixels[alpha] == 255;
    }
    EXPECT_TRUE(clear);
    EXPECT_TRUE(opaque);
}

GSResModule ownResources() {
    return zavModuleResources();
}

} // namespace

TEST(MenuIcons, TheMenuNamesTheIcons32501To32511) {
    std::vector<int32_t> ids = menuIconIds();
    EXPECT_EQ(ids.size(), 11u);
    std::set<int32_t> expected;
    for (int32_t id = 32501; id <= 32511; ++id)
        expected.insert(id);
    EXPECT_EQ(std::set<int32_t>(ids.begin(), ids.end()), expected);
}

TEST(MenuIcons, EveryIconTheMenuNamesDecodesAt96And192DotsPerInch) {
    for (int32_t id : menuIconIds()) {
        SCOPED_TRACE(id);
        DG::Icon icon(zavModuleResources(), static_cast<short>(id));
        expectDrawnFor(icon.GetPicture(DG::Resolution::Standard), 16, 96);
        expectDrawnFor(icon.GetPicture(DG::Resolution::Double), 32, 192);
    }
}

TEST(MenuIcons, EachItemHasAPictureOfItsOwn) {
    std::vector<std::vector<unsigned char>> seen;
    for (int32_t id : menuIconIds()) {
        auto picture = DG::Icon(zavModuleResources(), static_cast<short>(id)).GetPicture();
        ASSERT_NE(picture, nullptr) << id;
        for (const auto& other : seen)
            EXPECT_NE(picture->GetPixels(), other) << id;
        seen.push_back(picture->GetPixels());
    }
}

TEST(MenuIcons, TheModuleCarriesNoIconTheMenuDoesNotName) {
    std::vector<int32_t> ids = menuIconIds();
    std::set<int32_t> named(ids.begin(), ids.end());
    const ResourceModule* module = zavModuleResources();
    size_t icons = 0;
    for (uint32_t i = 0; i < module->count; ++i) {
        const ResourceEntry& entry = module->entries[i];
        if (entry.type != DG::IconResourceType && entry.type != DG::DoubleIconResourceType) continue;
        ++icons;
        EXPECT_EQ(named.count(entry.id), 1u) << entry.id;
    }
    EXPECT_EQ(icons, 2 * named.size());
}

TEST(MenuIcons, TheFrameworksImageFindsTheIconInTheAddOnsResources) {
    HostFunctionTable table;
    table.GetOwnResModule = &ownResources;
    tarnwick::installHostTable(&table);
    tarnwick::Image image(int16_t(32505));
    EXPECT_FALSE(image.isHostResource());
    DG::Icon icon = image.toDGIcon();
    EXPECT_EQ(icon.GetResourceModule(), zavModuleResources());
    expectDrawnFor(icon.GetPicture(DG::Resolution::Double), 32, 192);
    EXPECT_EQ(icon.GetWidth(), 16);
    tarnwick::installHostTable(nullptr);
}
