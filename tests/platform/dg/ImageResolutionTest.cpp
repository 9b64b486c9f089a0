// Resource icons and pictures are drawn for 96 dots per inch under one type and for 192 under
// another; a picture handed to the dialog manager serves every resolution.
#include <gtest/gtest.h>

#include <vector>

#include "platform/api/HostErrors.h"
#include "platform/dg/DGImage.h"
#include "platform/graphics/GXImage.h"
#include "platform/gsroot/Memory.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes pngOf(int32_t width, int32_t height) {
    GSPixMapHandle map = GXNewGSPixMap(width, height, GXPixelOpaque);
    GX::Image image(map);
    GXDeleteGSPixMap(map);
    GSHandle data = nullptr;
    EXPECT_EQ(image.ToEncodedData(GX::ImageType::PNG, 24, &data), hosterr::Ok);
    Bytes bytes(*data, *data + BMHandleSize(data));
    BMKillHandle(&data);
    return bytes;
}

class ImageResolution : public ::testing::Test {
protected:
    ImageResolution()
        : icon96(pngOf(1, 1)), icon192(pngOf(2, 2)), picture96(pngOf(3, 1)), picture192(pngOf(6, 2)),
          entries{{DG::IconResourceType, 40, icon96.data(), uint32_t(icon96.size())},
                  {DG::DoubleIconResourceType, 40, icon192.data(), uint32_t(icon192.size())},
                  {DG::PictureResourceType, 40, picture96.data(), uint32_t(picture96.size())},
                  {DG::DoublePictureResourceType, 40, picture192.data(), uint32_t(picture192.size())},
                  {DG::IconResourceType, 41, icon96.data(), uint32_t(icon96.size())},
                  {DG::DoubleIconResourceType, 42, icon192.data(), uint32_t(icon192.size())}},
          module{6, entries} {}

    static int32_t widthOf(const DG::NativeImage& image, DG::Resolution resolution) {
        auto picture = image.GetPicture(resolution);
        return picture != nullptr ? picture->GetWidth() : 0;
    }

    Bytes icon96, icon192, picture96, picture192;
    ResourceEntry entries[6];
    ResourceModule module;
};

} // namespace

TEST_F(ImageResolution, EachResolutionReadsItsOwnDrawing) {
    DG::Icon icon(&module, 40);
    EXPECT_EQ(widthOf(icon, DG::Resolution::Standard), 1);
    EXPECT_EQ(widthOf(icon, DG::Resolution::Double), 2);
    EXPECT_EQ(icon.GetWidth(), 1); // the standard one
    DG::Image picture(&module, 40);
    EXPECT_EQ(widthOf(picture, DG::Resolution::Standard), 3);
    EXPECT_EQ(widthOf(picture, DG::Resolution::Double), 6);
    EXPECT_EQ(picture.GetPicture()->GetHeight(), 1);
}

TEST_F(ImageResolution, AResolutionWithoutItsDrawingHasNoPicture) {
    EXPECT_EQ(widthOf(DG::Icon(&module, 41), DG::Resolution::Standard), 1);
    EXPECT_EQ(DG::Icon(&module, 41).GetPicture(DG::Resolution::Double), nullptr);
    EXPECT_EQ(DG::Icon(&module, 42).GetPicture(DG::Resolution::Standard), nullptr);
    EXPECT_EQ(widthOf(DG::Icon(&module, 42), DG::Resolution::Double), 2);
    EXPECT_EQ(DG::Image(&module, 41).GetPicture(DG::Resolution::Double), nullptr); // 41 is an icon only
    EXPECT_EQ(DG::Icon(&module, 43).GetPicture(DG::Resolution::Double), nullptr);
    EXPECT_EQ(DG::Icon().GetPicture(DG::Resolution::Double), nullptr);
}

TEST_F(ImageResolution, TheHostsOwnIconsHaveBothResolutionsToo) {
    GSResModule previous = DG::SetHostResources(&module);
    DG::Icon icon(DG::HostResModule(), 40);
    EXPECT_EQ(widthOf(icon, DG::Resolution::Double), 2);
    EXPECT_EQ(widthOf(icon, DG::Resolution::Standard), 1);
    DG::SetHostResources(previous);
}

TEST_F(ImageResolution, APictureGivenServesEveryResolution) {
    GSPixMapHandle map = GXNewGSPixMap(5, 4, GXPixelOpaque);
    DG::Icon icon(map);
    GXDeleteGSPixMap(map);
    EXPECT_EQ(widthOf(icon, DG::Resolution::Standard), 5);
    EXPECT_EQ(icon.GetPicture(DG::Resolution::Double), icon.GetPicture(DG::Resolution::Standard));
}
