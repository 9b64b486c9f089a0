// The encoders and decoders behind GX::Image. Decoders take bytes from anywhere: every size is
// checked against the bytes that hold it and against the pixel-map limits, and a fault of any
// kind (truncation, corruption, a size past the limits) answers false with the raster untouched.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GX::codec {

// Decoded pixels: four bytes each (red, green, blue, alpha), rows top to bottom.
struct Raster {
    int32_t width = 0;
    int32_t height = 0;
    double horizontalDPI = 72.0;
    double verticalDPI = 72.0;
    bool hasAlpha = false; // whether the source carried transparency
    std::vector<unsigned char> pixels;
};

using Bytes = std::vector<unsigned char>;

bool isPng(const unsigned char* data, size_t size);
bool isJpeg(const unsigned char* data, size_t size);
bool isBmp(const unsigned char* data, size_t size);

bool decodePng(const unsigned char* data, size_t size, Raster* raster);
bool decodeJpeg(const unsigned char* data, size_t size, Raster* raster);
bool decodeBmp(const unsigned char* data, size_t size, Raster* raster);

// withAlpha keeps the fourth byte; without it every pixel is written opaque. JPEG has no alpha.
bool encodePng(const Raster& raster, bool withAlpha, Bytes* out);
bool encodeJpeg(const Raster& raster, Bytes* out);
bool encodeBmp(const Raster& raster, bool withAlpha, Bytes* out);

// Dots per inch from dots per metre and back, rounded to whole numbers as the formats keep them.
double dpiFromPerMetre(uint32_t perMetre);
uint32_t perMetreFromDpi(double dpi);

} // namespace GX::codec
