#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Environment/DataFile.h"
#include "Environment/ModuleEntry.h"
#include "platform/api/HostErrors.h"
#include "platform/graphics/FileTypeManager.h"
#include "platform/gsroot/Memory.h"
#include "project/Image.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using Bytes = std::vector<unsigned char>;

namespace {

uint32_t crc32(const unsigned char* p, size_t n) {
    uint32_t crc = 0xFFFFFFFF;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void put32(Bytes& b, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        b.push_back(static_cast<unsigned char>(v >> s));
}

void chunk(Bytes& png, const char* type, const Bytes& data) {
    put32(png, uint32_t(data.size()));
    size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    put32(png, crc32(png.data() + start, png.size() - start));
}

unsigned char red(int x, int y) {
    return static_cast<unsigned char>(40 * x + 7 * y);
}

// An RGB PNG written by hand with stored deflate blocks, so that decoding is checked against
// bytes no encoder of ours made. Pixel (x, y) is (red(x, y), 60y, 255 - x).
Bytes handPng(uint32_t width, uint32_t height, uint32_t perMetre) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    put32(header, width);
    put32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});
    chunk(png, "IHDR", header);
    if (perMetre != 0) {
        Bytes phys;
        put32(phys, perMetre);
        put32(phys, perMetre);
        phys.push_back(1);
        chunk(png, "pHYs", phys);
    }
    Bytes raw;
    for (uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        for (uint32_t x = 0; x < width; ++x)
            raw.insert(raw.end(), {red(int(x), int(y)), static_cast<unsigned char>(60 * y),
                                   static_cast<unsigned char>(255 - x)});
    }
    Bytes z{0x78,
            0x01,
            0x01,
            static_cast<unsigned char>(raw.size()),
            static_cast<unsigned char>(raw.size() >> 8),
            static_cast<unsigned char>(~raw.size()),
            static_cast<unsigned char>(~raw.size() >> 8)};
    z.insert(z.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    put32(z, (b << 16) | a);
    chunk(png, "IDAT", z);
    chunk(png, "IEND", {});
    return png;
}

MemoryBlock blockOf(const Bytes& bytes) {
    MemoryBlock block;
    block.allocateHandle(GSSize(bytes.size()));
    std::memcpy(block.getData(), bytes.data(), bytes.size());
    return block;
}

Bytes bytesOf(const MemoryBlock& block) {
    return Bytes(block.getData(), block.getData() + block.getSize());
}

// A pixel map whose pixel (x, y) is (red(x, y), 30y, 200, alpha 255 or 10x + 5y + 100).
GSPixMapHandle pixMap(int32_t width, int32_t height, uint32_t type = GXPixelOpaque) {
    GSPixMapHandle map = GXNewGSPixMap(width, height, type);
    unsigned char* p = GXGetGSPixMapPixels(map);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, p += 4) {
            p[0] = red(x, y);
            p[1] = static_cast<unsigned char>(30 * y);
            p[2] = 200;
            p[3] = type == GXPixelAlpha ? static_cast<unsigned char>(10 * x + 5 * y + 100) : 255;
        }
    return map;
}

Bytes pixelsOf(Image& image) {
    GSPixMapHandle map = image.getPixMap();
    if (map == nullptr) return {};
    const unsigned char* p = GXGetGSPixMapPixels(map);
    return Bytes(p, p + size_t(GXGetGSPixMapWidth(map)) * size_t(GXGetGSPixMapHeight(map)) * 4);
}

Bytes encoded(int32_t width, int32_t height, GX::ImageType type) {
    return bytesOf(Image(pixMap(width, height)).getEncodedDataAs(int32_t(type)));
}

ScreenRect bounds(int16_t width, int16_t height) {
    return ScreenRect(0, 0, width, height);
}

std::string tempPath(const char* name) {
    return (std::filesystem::path(::testing::TempDir()) / name).string();
}

} // namespace

TEST(Image, UnknownBytesAreKeptUnchangedWithoutAnImage) {
    const Bytes bytes{'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'};
    Image image(blockOf(bytes));
    EXPECT_EQ(bytesOf(image.getEncodedData()), bytes);
    EXPECT_TRUE(image.isEmpty());
    EXPECT_EQ(image.getBounds(), ScreenRect());
    EXPECT_EQ(image.getHorizontalDPI(), 0.0);
    EXPECT_EQ(image.getPixMap(), nullptr);
    EXPECT_EQ(image.toDGPicture(), nullptr);
    EXPECT_TRUE(image.toDGImage().IsEmpty());
    EXPECT_TRUE(image.getEncodedDataAs(int32_t(GX::ImageType::BMP)).isEmpty()); // not passed off as a BMP
}

TEST(Image, APngGivesItsBoundsResolutionAndPixels) {
    Image image(blockOf(handPng(3, 2, 5906))); // 150 dpi
    EXPECT_FALSE(image.isEmpty());
    EXPECT_EQ(image.getBounds(), bounds(3, 2));
    EXPECT_EQ(image.getHorizontalDPI(), 150.0);
    EXPECT_EQ(image.getVerticalDPI(), 150.0);
    Bytes pixels = pixelsOf(image);
    ASSERT_EQ(pixels.size(), 24u);
    const unsigned char* lastPixel = &pixels[20]; // (2, 1)
    EXPECT_EQ(Bytes(lastPixel, lastPixel + 4), (Bytes{red(2, 1), 60, 253, 255}));
    EXPECT_EQ(Image(blockOf(handPng(1, 1, 0))).getHorizontalDPI(), 72.0); // no pHYs chunk
}

TEST(Image, SettingOneResolutionKeepsTheOtherUnlessBoth) {
    struct Case {
        bool horizontal;
        bool both;
        double h, v;
    } cases[] = {
        {true, false, 300, 150}, {true, true, 300, 300}, {false, false, 150, 300}, {false, true, 300, 300}};
    for (const Case& c : cases) {
        Image image(blockOf(handPng(2, 2, 5906)));
        image.getPixMap();
        EXPECT_TRUE(c.horizontal ? image.setHorizontalDPI(300, c.both) : image.setVerticalDPI(300, c.both));
        EXPECT_EQ(image.getHorizontalDPI(), c.h);
        EXPECT_EQ(image.getVerticalDPI(), c.v);
        EXPECT_EQ(GXGetGSPixMapVerticalDPI(image.getPixMap()), c.v); // the cached map follows
    }
    Image none;
    EXPECT_FALSE(none.setHorizontalDPI(300, true));
    Image image(pixMap(2, 2));
    EXPECT_FALSE(image.setHorizontalDPI(0, true));
    EXPECT_FALSE(image.setHorizontalDPI(-1, false));
}

TEST(Image, EachTypeRoundTripsSizeResolutionAndPixels) {
    struct Case {
        GX::ImageType type;
        uint32_t pixelType;
        int tolerance; // JPEG is lossy and keeps no transparency
        int16_t width, height;
    } cases[] = {
        {GX::ImageType::PNG, GXPixelOpaque, 0, 5, 3},  {GX::ImageType::PNG, GXPixelAlpha, 0, 5, 3},
        {GX::ImageType::BMP, GXPixelOpaque, 0, 5, 3},  {GX::ImageType::BMP, GXPixelAlpha, 0, 5, 3},
        {GX::ImageType::BMP, GXPixelOpaque, 0, 1, 1},  {GX::ImageType::JPEG, GXPixelOpaque, 24, 5, 3},
        {GX::ImageType::JPEG, GXPixelOpaque, 24, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type) * 1000 + int(c.pixelType) * 10 + c.width);
        Image source(pixMap(c.width, c.height, c.pixelType));
        ASSERT_TRUE(source.setHorizontalDPI(96, false));
        MemoryBlock data = source.getEncodedDataAs(int32_t(c.type));
        GX::ImageType detected;
        ASSERT_EQ(GX::ImageBase::GetType(data.getHandle(), &detected), 0);
        EXPECT_EQ(detected, c.type);
        Image back(data);
        EXPECT_EQ(back.getBounds(), bounds(c.width, c.height));
        EXPECT_EQ(back.getHorizontalDPI(), 96.0);
        EXPECT_EQ(back.getVerticalDPI(), 72.0);
        Bytes expected = pixelsOf(source);
        Bytes got = pixelsOf(back);
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i)
            ASSERT_LE(std::abs(int(got[i]) - int(expected[i])), c.tolerance) << "byte " << i;
    }
}

TEST(Image, EncodedDataAsAnotherTypeIsEncodedAnewAndNegativeTypesMeanPng) {
    Image image(blockOf(handPng(4, 3, 0)));
    // Bytes of the type asked for, never the PNG held passed off as another type.
    for (GX::ImageType asked : {GX::ImageType::BMP, GX::ImageType::JPEG}) {
        MemoryBlock data = image.getEncodedDataAs(int32_t(asked));
        GX::ImageType detected;
        ASSERT_EQ(GX::ImageBase::GetType(data.getHandle(), &detected), 0) << int(asked);
        EXPECT_EQ(detected, asked);
    }
    Image asBmp(image.getEncodedDataAs(int32_t(GX::ImageType::BMP)));
    EXPECT_EQ(asBmp.getBounds(), bounds(4, 3));
    GX::ImageType back;
    ASSERT_EQ(GX::ImageBase::GetType(asBmp.getEncodedDataAs(int32_t(GX::ImageType::PNG)).getHandle(), &back),
              0);
    EXPECT_EQ(back, GX::ImageType::PNG); // and the BMP held is not handed out as a PNG
    EXPECT_EQ(pixelsOf(asBmp), pixelsOf(image));
    EXPECT_EQ(bytesOf(image.getEncodedDataAs(int32_t(GX::ImageType::PNG))),
              handPng(4, 3, 0)); // held as it is
    EXPECT_EQ(bytesOf(image.getEncodedDataAs(-5)), handPng(4, 3, 0));
    EXPECT_TRUE(image.getEncodedDataAs(3).isEmpty());
    // Without data the image is encoded in its own type: PNG for a pixel map.
    Image fromMap(pixMap(2, 2));
    GX::ImageType type;
    ASSERT_EQ(GX::ImageBase::GetType(fromMap.getEncodedData().getHandle(), &type), 0);
    EXPECT_EQ(type, GX::ImageType::PNG);
}

TEST(Image, CorruptTruncatedAndOversizedFilesGiveEmptyImagesAndKeepTheirBytes) {
    Bytes png = handPng(6, 4, 0);
    Bytes jpeg = encoded(16, 16, GX::ImageType::JPEG);
    Bytes bmp = encoded(3, 3, GX::ImageType::BMP);
    auto cut = [](Bytes b, size_t n) { return Bytes(b.begin(), b.begin() + long(n)); };
    auto flip = [](Bytes b, size_t at) {
        b[at] ^= 0x5A;
        return b;
    };
    auto garbled = [](Bytes b, unsigned char marker) { // the marker's code no longer one
        for (size_t i = 2; i + 1 < b.size(); ++i)
            if (b[i] == 0xFF && b[i + 1] == marker) {
                b[i + 1] = 0x00;
                break;
            }
        return b;
    };
    Bytes hugePng = png;
    hugePng.erase(hugePng.begin(), hugePng.begin() + 33); // a new IHDR, with a sound checksum
    Bytes hugeHeader;
    put32(hugeHeader, 100000);
    put32(hugeHeader, 100000);
    hugeHeader.insert(hugeHeader.end(), {8, 2, 0, 0, 0});
    Bytes start(png.begin(), png.begin() + 8);
    chunk(start, "IHDR", hugeHeader);
    hugePng.insert(hugePng.begin(), start.begin(), start.end());
    Bytes hugeJpeg = jpeg;
    for (size_t i = 2; i + 8 < hugeJpeg.size(); ++i)
        if (hugeJpeg[i] == 0xFF && hugeJpeg[i + 1] == 0xC0) {
            hugeJpeg[i + 5] = hugeJpeg[i + 6] = hugeJpeg[i + 7] = hugeJpeg[i + 8] = 0xFF; // 65535 x 65535
            break;
        }
    Bytes hugeBmp = bmp;
    hugeBmp[20] = 0x10; // width 0x100003

    const Bytes inputs[] = {cut(png, 20),
                            cut(png, png.size() / 2),
                            cut(png, png.size() - 1),
                            flip(png, 45),
                            hugePng,
                            cut(jpeg, 30),
                            cut(jpeg, jpeg.size() / 2),
                            cut(jpeg, jpeg.size() - 2),
                            garbled(jpeg, 0xDA),
                            hugeJpeg,
                            cut(bmp, bmp.size() - 1),
                            hugeBmp};
    int index = 0;
    for (const Bytes& input : inputs) {
        SCOPED_TRACE(index++);
        GX::ImageType type;
        ASSERT_EQ(GX::ImageBase::GetType(blockOf(input).getHandle(), &type), 0); // the signature is sound
        Image image(blockOf(input));
        EXPECT_TRUE(image.isEmpty());
        EXPECT_EQ(image.getBounds(), ScreenRect());
        EXPECT_EQ(bytesOf(image.getEncodedData()), input);
    }
}

TEST(Image, TypesAreToldFromTheBytesAndMimeTypesFromTheKnownThree) {
    GX::ImageType type;
    EXPECT_EQ(GX::ImageBase::GetType(nullptr, &type), hosterr::NotFound);
    EXPECT_EQ(GX::ImageBase::GetType(blockOf({'B', 'M', 1, 2}).getHandle(), &type), hosterr::NotFound);
    EXPECT_EQ(GX::ImageBase::GetType(blockOf({0xFF, 0xD8}).getHandle(), &type), hosterr::NotFound);
    const std::pair<const char*, FTM::TypeID> mimes[] = {{"image/png", 0},  {"image/jpeg", 1},
                                                         {"IMAGE/BMP", 2},  {"image/jpg", -1},
                                                         {"image/gif", -1}, {"", -1}};
    for (const auto& [mime, id] : mimes)
        EXPECT_EQ(FTM::FileTypeManager::SearchForMime(mime), id) << mime;
}

TEST(Image, FilesAreReadWholeAndWrittenByMimeType) {
    std::string path = tempPath("image-test.png");
    std::string other = tempPath("image-test.bmp");
    std::filesystem::remove(path);
    std::filesystem::remove(other);
    Image image(pixMap(7, 5, GXPixelAlpha));
    EXPECT_TRUE(image.writeToFile(DataFile(String(path))));
    DataFile file{String(path)};
    Image read(file);
    EXPECT_EQ(read.getBounds(), bounds(7, 5));
    EXPECT_EQ(pixelsOf(read), pixelsOf(image));

    EXPECT_FALSE(image.writeToFileAs(DataFile(String(other)), String("image/x-unknown"), 24));
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_FALSE(Image().writeToFileAs(DataFile(String(other)), String("image/bmp"), 24));
    EXPECT_FALSE(std::filesystem::exists(other));
    EXPECT_TRUE(image.writeToFileAs(DataFile(String(other)), String("image/bmp"), 24));
    DataFile bmpFile{String(other)};
    Image bmp(bmpFile);
    GX::ImageType type;
    ASSERT_EQ(GX::ImageBase::GetType(bmp.getEncodedData().getHandle(), &type), 0);
    EXPECT_EQ(type, GX::ImageType::BMP);
    EXPECT_EQ(GXGetGSPixMapPixelType(bmp.getPixMap()), GXPixelOpaque); // depth 24 dropped the alpha
    std::filesystem::remove(path);
    std::filesystem::remove(other);
}

// Past 128 MiB a file is not read at all: no handle is made for it.
TEST(Image, AFileOver128MiBIsNotRead) {
    const std::string path = tempPath("image-test-large.png");
    const Bytes png = handPng(6, 4, 0);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), long(png.size()));
    std::filesystem::resize_file(path, (uintmax_t(128) << 20) + 1); // sparse: no disk taken
    const int64_t handles = BMLiveHandleCount();
    {
        DataFile file{String(path)};
        Image image(file);
        EXPECT_TRUE(image.isEmpty());
        EXPECT_TRUE(image.getEncodedData().isEmpty());
        EXPECT_EQ(BMLiveHandleCount(), handles);
    }
    std::filesystem::resize_file(path, png.size());
    DataFile file{String(path)};
    Image image(file);
    EXPECT_EQ(image.getBounds(), bounds(6, 4));
    std::filesystem::remove(path);
}

TEST(Image, StretchingKeepsTheAspectWhenAskedAndRefusesEmptyCases) {
    struct Case {
        ScreenRect target;
        bool keepAspect;
        ScreenRect result;
    } cases[] = {{bounds(60, 60), true, bounds(60, 30)},
                 {bounds(60, 60), false, bounds(60, 60)},
                 {ScreenRect(10, 10, 70, 100), true, bounds(60, 30)},
                 {ScreenRect(70, 40, 10, 10), true, bounds(60, 30)}, // corners either way round
                 {bounds(300, 20), true, bounds(40, 20)}};
    for (const Case& c : cases) {
        Image image(pixMap(100, 50));
        ASSERT_TRUE(image.setHorizontalDPI(144, false));
        EXPECT_TRUE(image.stretch(c.target, c.keepAspect));
        EXPECT_EQ(image.getBounds(), c.result);
        EXPECT_EQ(image.getHorizontalDPI(), 144.0);
        EXPECT_EQ(GXGetGSPixMapPixelType(image.getPixMap()), GXPixelOpaque);
    }
    Image image(pixMap(100, 50));
    EXPECT_FALSE(image.stretch(ScreenRect(), true));
    EXPECT_FALSE(image.stretch(bounds(0, 40), false));
    EXPECT_EQ(image.getBounds(), bounds(100, 50));
    EXPECT_FALSE(Image().stretch(bounds(60, 60), true));
    EXPECT_FALSE(Image(int16_t(30)).stretch(bounds(60, 60), true));
    EXPECT_FALSE(Image(blockOf({1, 2, 3})).stretch(bounds(60, 60), true));
}

TEST(Image, StretchingTakesTheNearestPixel) {
    Image image(pixMap(2, 1));
    ASSERT_TRUE(image.stretch(bounds(4, 2), false));
    Bytes pixels = pixelsOf(image);
    ASSERT_EQ(pixels.size(), 32u);
    const unsigned char expected[] = {red(0, 0), red(0, 0), red(1, 0), red(1, 0)};
    for (size_t i = 0; i < 8; ++i)
        EXPECT_EQ(pixels[i * 4], expected[i % 4]) << i;
}

TEST(Image, HandingBackTheHeldPixelMapOrDataFreesNothing) {
    Image image(pixMap(4, 2));
    GSPixMapHandle held = image.getPixMap();
    image.setPixMap(held);
    EXPECT_EQ(image.getPixMap(), held);
    EXPECT_EQ(image.getBounds(), bounds(4, 2));

    GSHandle data = blockOf(handPng(3, 3, 0)).releaseHandle();
    Image fromData;
    fromData.setEncodedData(data);
    fromData.setEncodedData(data);
    EXPECT_EQ(fromData.getBounds(), bounds(3, 3));
    EXPECT_EQ(bytesOf(fromData.getEncodedData()), handPng(3, 3, 0));

    Image& same = fromData;
    fromData = same;
    EXPECT_EQ(fromData.getBounds(), bounds(3, 3));
}

TEST(Image, CopiesTakeDataIdAndImageButNoPixelMap) {
    Image image(blockOf(handPng(3, 2, 0)));
    GSPixMapHandle original = image.getPixMap();
    std::unique_ptr<Image> copy = image.clone();
    EXPECT_EQ(bytesOf(copy->getEncodedData()), handPng(3, 2, 0));
    EXPECT_NE(copy->getPixMap(), original);
    EXPECT_EQ(pixelsOf(*copy), pixelsOf(image));
    Image assigned(int16_t(40));
    assigned = image;
    EXPECT_EQ(assigned.getResourceId(), Image::NoResource);
    EXPECT_EQ(assigned.getBounds(), bounds(3, 2));
    Image withId(int16_t(40));
    withId.setEncodedData(blockOf(handPng(1, 1, 0)).releaseHandle());
    withId.clear();
    EXPECT_EQ(withId.getResourceId(), 40);
    EXPECT_TRUE(withId.getEncodedData().isEmpty());
    EXPECT_FALSE(withId.isEmpty()); // the id still names a picture
}

TEST(Image, BlocksAreAdoptedOrCopied) {
    MemoryBlock kept = blockOf(handPng(2, 2, 0));
    Image copied(kept, false);
    EXPECT_FALSE(kept.isEmpty());
    Image adopted(kept, true);
    EXPECT_TRUE(kept.isEmpty());
    EXPECT_EQ(adopted.getBounds(), bounds(2, 2));
    EXPECT_EQ(copied.getBounds(), bounds(2, 2));
    EXPECT_TRUE(Image(int16_t(-1)).isEmpty());
    GSHandle notAMap = BMNewHandle(10); // taken over, and freed, though it is no pixel map
    EXPECT_TRUE(Image(notAMap).isEmpty());
}

namespace {

class ResourceImages : public ::testing::Test {
protected:
    ResourceImages()
        : png21(handPng(5, 4, 0)),
          png22(handPng(3, 2, 0)), hostEntries{{DG::PictureResourceType, 21, png21.data(),
                                                uint32_t(png21.size())}},
          ownEntries{{DG::PictureResourceType, 22, png22.data(), uint32_t(png22.size())},
                     {DG::IconResourceType, 22, png22.data(), uint32_t(png22.size())}} {
        own = ResourceModule{2, ownEntries};
        host = ResourceModule{1, hostEntries};
        current = &own;
        previousHost = DG::SetHostResources(&host);
        module.host().functionTable().GetOwnResModule = [] { return current; };
        SetImportedFuncAddrs(&module.host().functionTable());
    }
    ~ResourceImages() override { DG::SetHostResources(previousHost); }

    static inline GSResModule current = nullptr;
    Bytes png21, png22;
    ResourceEntry hostEntries[1];
    ResourceEntry ownEntries[2];
    ResourceModule own, host;
    GSResModule previousHost = nullptr;
    testsupport::ModuleUnderTest module{nullptr, false};
};

} // namespace

TEST_F(ResourceImages, IdsUpTo21AreTheHostsAndAboveTheAddOns) {
    struct Case {
        int16_t id;
        bool hostResource;
        GSResModule expected;
        int32_t width; // of the picture found
    } cases[] = {{21, true, DG::HostResModule(), 5}, {22, false, &own, 3}, {23, false, &own, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        Image image(c.id);
        EXPECT_EQ(image.isHostResource(), c.hostResource);
        EXPECT_FALSE(image.isEmpty());
        DG::Image dgImage = image.toDGImage();
        EXPECT_EQ(dgImage.GetResourceId(), c.id);
        EXPECT_EQ(dgImage.GetResourceModule(), c.expected);
        EXPECT_EQ(dgImage.GetWidth(), c.width);
        DG::Icon icon = image.toDGIcon();
        EXPECT_EQ(icon.GetResourceModule(), c.expected);
        EXPECT_EQ(icon.GetWidth(), c.id == 22 ? 3 : 0); // only 22 has an icon
    }
}

TEST_F(ResourceImages, AnImageFromADialogImageHasOnlyItsId) {
    for (Image image : {Image(DG::Image(&own, 22)), Image(DG::Icon(&own, 22))}) {
        EXPECT_EQ(image.getResourceId(), 22);
        EXPECT_EQ(image.getBounds(), ScreenRect());
        EXPECT_TRUE(image.getEncodedData().isEmpty());
        EXPECT_EQ(image.getHorizontalDPI(), 0.0);
    }
}

TEST_F(ResourceImages, WithoutAnIdDialogImagesCarryThePicture) {
    Image image(blockOf(handPng(6, 2, 0)));
    DG::Image dgImage = image.toDGImage();
    EXPECT_EQ(dgImage.GetResourceId(), DG::NoResourceId);
    EXPECT_EQ(dgImage.GetWidth(), 6);
    EXPECT_EQ(image.toDGIcon().GetHeight(), 2);
    EXPECT_TRUE(Image().toDGImage().IsEmpty());
    EXPECT_TRUE(Image().toDGIcon().IsEmpty());
    DGPicture picture = image.toDGPicture();
    EXPECT_EQ(GXGetGSPixMapWidth(picture), 6);
    GXDeleteGSPixMap(picture);
}
