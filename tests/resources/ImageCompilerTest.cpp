// Image lists: icons and pictures drawn for 96 and 192 dots per inch, read from their files and
// carried byte for byte under their resource types.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DialogCompiler.h"
#include "ImageCompiler.h"
#include "ResourceCompiler.h"

using rescomp::Diagnostic;
using rescomp::ImageResource;

namespace {

const std::string pngSignature("\x89PNG\r\n\x1A\n", 8);

std::vector<ImageResource> parseOk(const std::string& source, const std::string& file = "icons.txt") {
    std::vector<ImageResource> images;
    std::vector<Diagnostic> errors;
    EXPECT_TRUE(rescomp::parseImages(source, file, images, errors));
    for (const Diagnostic& e : errors)
        ADD_FAILURE() << e.text();
    return images;
}

// The first error for a malformed source; empty when it was accepted.
std::string firstError(const std::string& source) {
    std::vector<ImageResource> images;
    std::vector<Diagnostic> errors;
    bool ok = rescomp::parseImages(source, "bad.txt", images, errors);
    EXPECT_EQ(ok, errors.empty());
    EXPECT_TRUE(ok || images.size() <= 1u) << "a malformed line adds no image";
    return errors.empty() ? std::string() : errors.front().text();
}

class ImageFiles : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::path(RESCOMP_WORK_DIR) /
        ("images-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));

    void SetUp() override {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "sub");
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
        return (dir / name).string();
    }

    // Loads the images of the list, as if it stood in the work folder.
    std::vector<Diagnostic> load(const std::string& list, std::vector<ImageResource>& images) {
        images = parseOk(list, (dir / "list.txt").string());
        std::vector<Diagnostic> errors;
        // Loaded before `errors` is read: the two sides of one comparison come in no fixed order.
        const bool loaded = rescomp::loadImages(images, errors);
        EXPECT_EQ(loaded, errors.empty());
        return errors;
    }
};

} // namespace

TEST(ImageCompiler, ReadsIconsAndPicturesWithTheirResolutions) {
    auto images = parseOk("\xEF\xBB\xBF# drawn by hand\r\n"
                          "\n"
                          "icon 32501 96 \"find-96.png\"   # the small one\r\n"
                          "  icon 1 192 \"sub/find-192.png\"\n"
                          "picture 32767 96 \"/abs/plan.jpg\"");
    ASSERT_EQ(images.size(), 3u);
    EXPECT_TRUE(images[0].icon);
    EXPECT_EQ(images[0].id, 32501);
    EXPECT_EQ(images[0].dpi, 96);
    EXPECT_EQ(images[0].path, "find-96.png");
    EXPECT_EQ(images[0].line, 3);
    EXPECT_EQ(images[0].file, "icons.txt");
    EXPECT_TRUE(images[0].bytes.empty()); // not read yet
    EXPECT_EQ(images[1].id, 1);
    EXPECT_EQ(images[1].dpi, 192);
    EXPECT_EQ(images[1].path, "sub/find-192.png");
    EXPECT_FALSE(images[2].icon);
    EXPECT_EQ(images[2].id, 32767);
    EXPECT_EQ(images[2].line, 5);
}

TEST(ImageCompiler, RejectsMalformedLinesWithTheirNumber) {
    struct Case {
        const char* source;
        const char* error;
    } cases[] = {
        {"icon 1 96 \"a.png\"\nlist 5\n", "bad.txt:2: error: expected 'icon|picture <id> 96|192 \"file\"'"},
        {"\"icon\" 1 96 \"a.png\"", "bad.txt:1: error: expected 'icon|picture"},
        {"icon 1 96", "bad.txt:1: error: expected 'icon|picture <id> 96|192 \"file\"', not 3 words"},
        {"icon 1 96 \"a.png\" extra", "not 5 words"},
        {"icon 0 96 \"a.png\"", "bad.txt:1: error: an image id must be a number from 1 to 32767, not '0'"},
        {"icon 32768 96 \"a.png\"", "not '32768'"},
        {"icon -5 96 \"a.png\"", "not '-5'"},
        {"icon \"7\" 96 \"a.png\"", "an image id must be"},
        {"icon 7 100 \"a.png\"",
         "bad.txt:1: error: an image is drawn for 96 or 192 dots per inch, not '100'"},
        {"icon 7 288 \"a.png\"", "not '288'"},
        {"icon 7 192 a.png", "bad.txt:1: error: the image file must be given as a quoted, non-empty text"},
        {"icon 7 192 \"\"", "quoted, non-empty text"},
        {"icon 7 192 \"a.png", "bad.txt:1: error: a text that starts at column"},
        {"icon 7 192 \"a\x01.png\"", "bad.txt:1: error: control character 0x01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        std::string error = firstError(c.source);
        EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
}

TEST(ImageCompiler, AFileListsImagesWhenItsFirstWordIsIconOrPicture) {
    EXPECT_TRUE(rescomp::isImageSource("# icons\n\nicon 1 96 \"a.png\""));
    EXPECT_TRUE(rescomp::isImageSource("\xEF\xBB\xBF  picture 1 96 \"a.png\"\r\n"));
    EXPECT_TRUE(rescomp::isImageSource("icon"));
    EXPECT_FALSE(rescomp::isImageSource("iconic 1 96 \"a.png\""));
    EXPECT_FALSE(rescomp::isImageSource("list 1\n1 = icon"));
    EXPECT_FALSE(rescomp::isImageSource("dialog 1 modal \"icon\""));
    EXPECT_FALSE(rescomp::isImageSource("# icon 1 96 \"a.png\"\n"));
    EXPECT_FALSE(rescomp::isImageSource(""));
    // and the dialogs' test keeps its meaning
    EXPECT_TRUE(rescomp::isDialogSource("# x\ndialog 1 modal \"T\""));
    EXPECT_FALSE(rescomp::isDialogSource("icon 1 96 \"a.png\""));
}

TEST(ImageCompiler, AKindIdAndResolutionIsGivenOnceAcrossLists) {
    std::vector<ImageResource> images =
        parseOk("icon 5 96 \"a.png\"\nicon 5 192 \"b.png\"\npicture 5 96 \"c.png\"\n", "a.txt");
    std::vector<Diagnostic> errors;
    EXPECT_TRUE(rescomp::checkUniqueImages(images, errors));
    EXPECT_TRUE(errors.empty());
    for (const ImageResource& again : parseOk("\nicon 5 192 \"d.png\"\n", "b.txt"))
        images.push_back(again);
    EXPECT_FALSE(rescomp::checkUniqueImages(images, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text(), "b.txt:2: error: icon 5 at 192 dpi is already given at a.txt:2");
}

TEST(ImageCompiler, EachKindAndResolutionHasItsResourceType) {
    ImageResource image;
    image.dpi = 96;
    EXPECT_STREQ(rescomp::imageResourceType(image), "GICN");
    image.dpi = 192;
    EXPECT_STREQ(rescomp::imageResourceType(image), "GIC2");
    image.icon = false;
    EXPECT_STREQ(rescomp::imageResourceType(image), "GPI2");
    image.dpi = 96;
    EXPECT_STREQ(rescomp::imageResourceType(image), "GPIC");
}

TEST_F(ImageFiles, ReadsEachFileFromTheListsFolderOrItsAbsolutePath) {
    write("a.png", pngSignature + "rest");
    write("sub/b.jpg", "\xFF\xD8\xFF\xE0jfif");
    std::string bmp = write("c.bmp", "BM..");
    std::vector<ImageResource> images;
    auto errors =
        load("icon 1 96 \"a.png\"\nicon 1 192 \"sub/b.jpg\"\npicture 2 96 \"" + bmp + "\"\n", images);
    for (const Diagnostic& e : errors)
        ADD_FAILURE() << e.text();
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(std::string(images[0].bytes.begin(), images[0].bytes.end()), pngSignature + "rest");
    EXPECT_EQ(std::string(images[1].bytes.begin(), images[1].bytes.end()), "\xFF\xD8\xFF\xE0jfif");
    EXPECT_EQ(std::string(images[2].bytes.begin(), images[2].bytes.end()), "BM..");
}

TEST_F(ImageFiles, MissingEmptyForeignAndOversizedFilesAreReported) {
    write("empty.png", "");
    write("text.png", "not an image");
    write("cut.png", pngSignature.substr(0, 7));
    write("big.png", pngSignature + std::string(rescomp::maxImageBytes - pngSignature.size() + 1, 'x'));
    write("limit.png", pngSignature + std::string(rescomp::maxImageBytes - pngSignature.size(), 'x'));
    std::vector<ImageResource> images;
    auto errors = load("icon 1 96 \"missing.png\"\n"
                       "icon 2 96 \"empty.png\"\n"
                       "icon 3 96 \"text.png\"\n"
                       "icon 4 96 \"cut.png\"\n"
                       "icon 5 96 \"big.png\"\n"
                       "icon 6 96 \"sub\"\n"
                       "icon 7 96 \"limit.png\"\n",
                       images);
    std::string list = (dir / "list.txt").string();
    ASSERT_EQ(errors.size(), 6u);
    EXPECT_EQ(errors[0].text(), list + ":1: error: 'missing.png' is no file (looked for " +
                                    (dir / "missing.png").string() + ")");
    EXPECT_EQ(errors[1].text(), list + ":2: error: 'empty.png' is not a PNG, JPEG or BMP file");
    EXPECT_EQ(errors[2].text(), list + ":3: error: 'text.png' is not a PNG, JPEG or BMP file");
    EXPECT_EQ(errors[3].text(), list + ":4: error: 'cut.png' is not a PNG, JPEG or BMP file");
    EXPECT_EQ(errors[4].text(), list + ":5: error: 'big.png' is larger than 1048576 bytes");
    EXPECT_EQ(errors[5].text().find(list + ":6: error: 'sub' is no file"), 0u);
    EXPECT_EQ(images[6].bytes.size(), rescomp::maxImageBytes); // the limit itself is fine
}

TEST(ImageCompiler, GeneratedSourceCarriesEveryImageUnderItsType) {
    auto images = parseOk("picture 9 96 \"p.png\"\nicon 4 192 \"b.png\"\nicon 4 96 \"a.png\"\n");
    images[0].bytes = {0x42, 0x4D};
    images[1].bytes = {0x89, 0x50};
    images[2].bytes = {0xFF, 0xD8, 0xFF};
    std::string source = rescomp::generateModuleSource({}, {}, images);
    size_t small = source.find("{fourCC(\"GICN\"), 4, icon4at96, sizeof icon4at96}");
    size_t large = source.find("{fourCC(\"GIC2\"), 4, icon4at192, sizeof icon4at192}");
    size_t picture = source.find("{fourCC(\"GPIC\"), 9, picture9at96, sizeof picture9at96}");
    ASSERT_NE(small, std::string::npos) << source;
    ASSERT_NE(large, std::string::npos);
    ASSERT_NE(picture, std::string::npos);
    EXPECT_LT(small, large); // icons first, by id and resolution
    EXPECT_LT(large, picture);
    EXPECT_NE(source.find("const unsigned char icon4at96[] = {\n    0xFF, 0xD8, 0xFF,\n};"),
              std::string::npos)
        << source;
    EXPECT_NE(source.find("// picture 9 at 96 dpi, 2 bytes"), std::string::npos);
    EXPECT_EQ(source.find("resources{0, nullptr}"), std::string::npos);
}
