// Uncompressed BMP, by hand: the file header, an info header of 40 bytes or one of its longer
// versions, 8-bit palette, 24-bit and 32-bit pixels, rows bottom-up or (negative height) top-down.
#include <cstring>

#include "ImageCodecs.h"
#include "PixMap.h"

namespace GX::codec {

namespace {

constexpr size_t fileHeaderSize = 14;
constexpr uint32_t plainInfoSize = 40;
constexpr uint32_t alphaInfoSize = 108; // the version with colour masks, written for alpha
constexpr uint32_t noCompression = 0;
constexpr uint32_t bitFields = 3;

uint32_t u16(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8);
}
uint32_t u32(const unsigned char* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
void put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = static_cast<unsigned char>(v >> (8 * i));
}

bool knownInfoSize(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// 32-bit pixels are blue, green, red and a fourth byte; only these masks are read.
bool standardMasks(const unsigned char* masks) {
    return u32(masks) == 0x00FF0000 && u32(masks + 4) == 0x0000FF00 && u32(masks + 8) == 0x000000FF;
}

} // namespace

bool isBmp(const unsigned char* data, size_t size) {
    return size >= fileHeaderSize + 4 && data[0] == 'B' && data[1] == 'M' &&
           knownInfoSize(u32(data + fileHeaderSize));
}

bool decodeBmp(const unsigned char* data, size_t size, Raster* raster) {
    if (data == nullptr || !isBmp(data, size)) return false;
    const uint32_t infoSize = u32(data + fileHeaderSize);
    const unsigned char* info = data + fileHeaderSize;
    if (size < fileHeaderSize + infoSize) return false;
    const int64_t width = int32_t(u32(info + 4));
    const int64_t signedHeight = int32_t(u32(info + 8));
    const uint32_t bits = u16(info + 14);
    const uint32_t compression = u32(info + 16);
    const int64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (u16(info + 12) != 1 || width <= 0 || height <= 0 || width > GXMaxSide || height > GXMaxSide ||
        width * height > GXMaxPixels)
        return false;

    bool hasAlpha = false;
    if (compression == bitFields) {
        // The masks of a 40-byte header follow it; longer headers hold them.
        if (bits != 32 || size < fileHeaderSize + 40 + 12 || !standardMasks(info + 40)) return false;
        hasAlpha = infoSize >= 56 && u32(info + 52) == 0xFF000000;
    } else if (compression != noCompression || (bits != 8 && bits != 24 && bits != 32)) {
        return false;
    }

    const unsigned char* palette = data + fileHeaderSize + infoSize;
    uint32_t paletteCount = 0;
    if (bits == 8) {
        paletteCount = u32(info + 32) == 0 ? 256 : u32(info + 32);
        if (paletteCount > 256 || paletteCount * 4 > size - (fileHeaderSize + infoSize)) return false;
    }
    const uint64_t stride = ((uint64_t(width) * bits + 31) / 32) * 4;
    const uint64_t offset = u32(data + 10);
    if (offset > size || stride * uint64_t(height) > size - offset) return false;

    Raster r;
    r.width = int32_t(width);
    r.height = int32_t(height);
    r.pixels.assign(size_t(width * height) * 4, 0xFF);
    bool anyAlpha = false;
    for (int64_t y = 0; y < height; ++y) {
        const unsigned char* row = data + offset + stride * uint64_t(signedHeight < 0 ? y : height - 1 - y);
        unsigned char* out = r.pixels.data() + size_t(y * width) * 4;
        for (int64_t x = 0; x < width; ++x, out += 4) {
            const unsigned char* p = nullptr;
            if (bits == 8) {
                if (row[x] >= paletteCount) return false;
                p = palette + size_t(row[x]) * 4;
            } else {
                p = row + size_t(x) * (bits / 8);
            }
            out[0] = p[2];
            out[1] = p[1];
            out[2] = p[0];
            if (bits == 32) {
                out[3] = p[3];
                anyAlpha = anyAlpha || p[3] != 0;
            }
        }
    }
    // Plain 32-bit files leave the fourth byte reserved, mostly zero: opaque unless it says more.
    if (bits == 32 && compression == noCompression) hasAlpha = anyAlpha;
    if (bits == 32 && !hasAlpha)
        for (size_t i = 3; i < r.pixels.size(); i += 4)
            r.pixels[i] = 0xFF;
    r.hasAlpha = hasAlpha;
    uint32_t perMetreX = u32(info + 24);
    uint32_t perMetreY = u32(info + 28);
    if (perMetreX > 0 && perMetreY > 0 && perMetreX <= 0x7FFFFFFF && perMetreY <= 0x7FFFFFFF) {
        r.horizontalDPI = dpiFromPerMetre(perMetreX);
        r.verticalDPI = dpiFromPerMetre(perMetreY);
    }
    *raster = std::move(r);
    return true;
}

bool encodeBmp(const Raster& r, bool withAlpha, Bytes* out) {
    if (r.width <= 0 || r.height <= 0 || r.pixels.size() != size_t(r.width) * size_t(r.height) * 4)
        return false;
    const uint32_t bits = withAlpha ? 32 : 24;
    const uint32_t infoSize = withAlpha ? alphaInfoSize : plainInfoSize;
    const size_t stride = ((size_t(r.width) * bits + 31) / 32) * 4;
    const size_t offset = fileHeaderSize + infoSize;
    const size_t total = offset + stride * size_t(r.height);
    if (total > 0xFFFFFFFFu) return false;
    Bytes b(total, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, uint32_t(total));
    put32(b, 10, uint32_t(offset));
    put32(b, 14, infoSize);
    put32(b, 18, uint32_t(r.width));
    put32(b, 22, uint32_t(r.height)); // bottom-up
    put16(b, 26, 1);
    put16(b, 28, bits);
    put32(b, 30, withAlpha ? bitFields : noCompression);
    put32(b, 34, uint32_t(stride * size_t(r.height)));
    put32(b, 38, perMetreFromDpi(r.horizontalDPI));
    put32(b, 42, perMetreFromDpi(r.verticalDPI));
    if (withAlpha) {
        put32(b, 54, 0x00FF0000);
        put32(b, 58, 0x0000FF00);
        put32(b, 62, 0x000000FF);
        put32(b, 66, 0xFF000000);
        put32(b, 70, 0x73524742); // the colour space: sRGB
    }
    for (int32_t y = 0; y < r.height; ++y) {
        const unsigned char* in = r.pixels.data() + size_t(y) * size_t(r.width) * 4;
        unsigned char* row = b.data() + offset + stride * size_t(r.height - 1 - y);
        for (int32_t x = 0; x < r.width; ++x, in += 4) {
            row[0] = in[2];
            row[1] = in[1];
            row[2] = in[0];
            if (withAlpha) row[3] = in[3];
            row += bits / 8;
        }
    }
    *out = std::move(b);
    return true;
}

} // namespace GX::codec
