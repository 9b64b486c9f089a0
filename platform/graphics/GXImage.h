// The host's decoded image: pixels with a resolution, and the file type and colour depth it came
// in (which it is written back in unless asked otherwise). Bytes handed to it are never trusted:
// what cannot be decoded gives an empty image.
#pragma once

#include <cstdint>
#include <vector>

#include "PixMap.h"
#include "platform/io/Location.h"

// The dialog manager's native picture on this platform: a pixel map, owned by whoever asked for it.
using DGPicture = GSPixMapHandle;

namespace GX {

// Image file types; the numbers are also the host's file type ids of these types.
enum class ImageType : int32_t {
    PNG = 0,
    JPEG = 1,
    BMP = 2,
};

HOSTLIB_API bool IsImageType(int32_t number);

// Colour depths: 24 keeps no transparency, 32 does; 0 asks for the image's own.
inline constexpr int32_t OwnDepth = 0;

class HOSTLIB_API ImageBase {
public:
    // The type the bytes are in, judged by their signature; hosterr::NotFound for anything else
    // (and for a null or empty handle).
    static GSErrCode GetType(GSHandle data, ImageType* type);
};

class HOSTLIB_API Image : public ImageBase {
public:
    Image() = default;
    // Decodes the handle's bytes as the type; empty when they are not a sound image of it.
    Image(GSHandle data, ImageType type);
    // A copy of the map's pixels and resolution, to be written as PNG; empty for an unsound map.
    explicit Image(GSPixMapHandle pixMap);

    bool IsEmpty() const { return m_width == 0; }
    int32_t GetWidth() const { return m_width; }
    int32_t GetHeight() const { return m_height; }
    ImageType GetImageType() const { return m_type; }
    int32_t GetColorDepth() const { return m_hasAlpha ? 32 : 24; }
    // Red, green, blue, alpha per pixel, rows top to bottom; empty for an empty image.
    const std::vector<unsigned char>& GetPixels() const { return m_pixels; }

    void GetDPI(double* horizontal, double* vertical) const;
    // hosterr::BadParameter for a resolution that is not a positive number, or an empty image.
    GSErrCode SetDPI(double horizontal, double vertical);

    // A new handle (the caller's) with the image encoded in the type; depth 24 or 32, or OwnDepth.
    // JPEG has no transparency and is written opaque whatever the depth.
    GSErrCode ToEncodedData(ImageType type, int32_t depth, GSHandle* data) const;
    // A new pixel map (the caller's) of the pixels and resolution; null for an empty image.
    GSPixMapHandle ToGSPixMapHandle() const;
    DGPicture ToDGPicture() const { return ToGSPixMapHandle(); }
    // Encodes first and writes only then, replacing the file's contents.
    GSErrCode WriteToFile(const IO::Location& location, ImageType type, int32_t depth) const;

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    double m_horizontalDPI = 72.0;
    double m_verticalDPI = 72.0;
    ImageType m_type = ImageType::PNG;
    bool m_hasAlpha = false;
    std::vector<unsigned char> m_pixels;
};

} // namespace GX
