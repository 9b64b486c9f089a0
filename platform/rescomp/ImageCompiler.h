// The image part of the resource compiler: icons and pictures, each an image file drawn for one
// screen resolution, listed in their text form (resources/README.md) and carried byte for byte.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ResourceCompiler.h"

namespace rescomp {

struct ImageResource {
    bool icon = true; // else a picture
    int32_t id = 0;
    int32_t dpi = 0;                  // the screen resolution it is drawn for: 96 or 192
    std::string path;                 // as written: relative to the folder of the list, or absolute
    std::vector<unsigned char> bytes; // the file's, once loaded
    std::string file;                 // the list that names it
    int line = 0;
};

constexpr int32_t maxImageId = 32767;
constexpr size_t maxImageBytes = 1 << 20;

// True when the file's first line that is not blank or a comment starts with "icon" or "picture".
bool isImageSource(std::string_view source);
// Parses one list of images, appending what it finds (without reading the image files); false
// when it added errors.
bool parseImages(std::string_view source, const std::string& fileName, std::vector<ImageResource>& images,
                 std::vector<Diagnostic>& errors);
// Reads every image's file and checks that it holds a PNG, JPEG or BMP file of at most
// maxImageBytes; false when it added errors.
bool loadImages(std::vector<ImageResource>& images, std::vector<Diagnostic>& errors);
// Adds an error for every kind, id and resolution given more than once; false when there was one.
bool checkUniqueImages(const std::vector<ImageResource>& images, std::vector<Diagnostic>& errors);
// The resource type the image is carried under: "GICN" or "GPIC" at 96 dots per inch, "GIC2" or
// "GPI2" at 192 (the dialog manager's, platform/dg/DGImage.h).
const char* imageResourceType(const ImageResource& image);

} // namespace rescomp
