// PNG through libpng. libpng reports faults by longjmp, so every step that may fail runs in a
// function whose own frame holds nothing with a destructor; the state lives in a context owned
// by the caller, which also cleans up.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "ImageCodecs.h"
#include "PixMap.h"

namespace GX::codec {

namespace {

constexpr png_alloc_size_t chunkLimit = png_alloc_size_t(8) << 20;

struct ReadContext {
    const unsigned char* data = nullptr;
    size_t size = 0;
    size_t position = 0;
    png_structp png = nullptr;
    png_infop info = nullptr;
    Raster raster;
    std::vector<png_bytep> rows;
};

struct WriteContext {
    const Raster* raster = nullptr;
    bool withAlpha = false;
    png_structp png = nullptr;
    png_infop info = nullptr;
    Bytes* out = nullptr;
    std::vector<png_bytep> rows;
};

[[noreturn]] void failSilently(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep target, png_size_t count) {
    auto* context = static_cast<ReadContext*>(png_get_io_ptr(png));
    if (count > context->size - context->position) png_error(png, "truncated");
    std::memcpy(target, context->data + context->position, count);
    context->position += count;
}

void writeBytes(png_structp png, png_bytep source, png_size_t count) {
    auto* context = static_cast<WriteContext*>(png_get_io_ptr(png));
    context->out->insert(context->out->end(), source, source + count);
}

void flushNothing(png_structp) {}

bool readAll(ReadContext& c) {
    if (setjmp(png_jmpbuf(c.png))) return false;
    png_set_read_fn(c.png, &c, readBytes);
    png_set_user_limits(c.png, GXMaxSide, GXMaxSide);
    png_set_chunk_malloc_max(c.png, chunkLimit);
    png_read_info(c.png, c.info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colourType = 0;
    png_get_IHDR(c.png, c.info, &width, &height, &bitDepth, &colourType, nullptr, nullptr, nullptr);
    if (width == 0 || height == 0 || int64_t(width) * height > GXMaxPixels) return false;
    c.raster.hasAlpha =
        (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(c.png, c.info, PNG_INFO_tRNS) != 0;

    png_set_expand(c.png);
    png_set_strip_16(c.png);
    if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(c.png);
    if (!c.raster.hasAlpha) png_set_add_alpha(c.png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(c.png);
    png_read_update_info(c.png, c.info);
    if (png_get_rowbytes(c.png, c.info) != size_t(width) * 4) return false;

    c.raster.width = int32_t(width);
    c.raster.height = int32_t(height);
    c.raster.pixels.assign(size_t(width) * height * 4, 0);
    c.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        c.rows[y] = c.raster.pixels.data() + size_t(y) * width * 4;
    png_read_image(c.png, c.rows.data());
    png_read_end(c.png, nullptr);

    png_uint_32 perMetreX = 0;
    png_uint_32 perMetreY = 0;
    int unit = 0;
    if (png_get_pHYs(c.png, c.info, &perMetreX, &perMetreY, &unit) != 0 && unit == PNG_RESOLUTION_METER &&
        perMetreX > 0 && perMetreY > 0) {
        c.raster.horizontalDPI = dpiFromPerMetre(perMetreX);
        c.raster.verticalDPI = dpiFromPerMetre(perMetreY);
    }
    return true;
}

bool writeAll(WriteContext& c) {
    if (setjmp(png_jmpbuf(c.png))) return false;
    const Raster& r = *c.raster;
    png_set_write_fn(c.png, &c, writeBytes, flushNothing);
    png_set_IHDR(c.png, c.info, png_uint_32(r.width), png_uint_32(r.height), 8,
                 c.withAlpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_pHYs(c.png, c.info, perMetreFromDpi(r.horizontalDPI), perMetreFromDpi(r.verticalDPI),
                 PNG_RESOLUTION_METER);
    png_write_info(c.png, c.info);
    if (!c.withAlpha) png_set_filler(c.png, 0, PNG_FILLER_AFTER); // drops the fourth byte
    // libpng takes non-const rows but does not write through them.
    auto* pixels = const_cast<unsigned char*>(r.pixels.data());
    c.rows.resize(size_t(r.height));
    for (int32_t y = 0; y < r.height; ++y)
        c.rows[size_t(y)] = pixels + size_t(y) * size_t(r.width) * 4;
    png_write_image(c.png, c.rows.data());
    png_write_end(c.png, nullptr);
    return true;
}

bool soundRaster(const Raster& r) {
    return r.width > 0 && r.height > 0 && r.pixels.size() == size_t(r.width) * size_t(r.height) * 4;
}

} // namespace

bool isPng(const unsigned char* data, size_t size) {
    return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

bool decodePng(const unsigned char* data, size_t size, Raster* raster) {
    if (data == nullptr || !isPng(data, size)) return false;
    ReadContext c;
    c.data = data;
    c.size = size;
    c.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failSilently, ignoreWarning);
    if (c.png == nullptr) return false;
    c.info = png_create_info_struct(c.png);
    bool ok = false;
    try {
        ok = c.info != nullptr && readAll(c);
    } catch (const std::bad_alloc&) {
        // the pixels did not fit in memory: no image, and the library's state is still freed
    }
    png_destroy_read_struct(&c.png, c.info != nullptr ? &c.info : nullptr, nullptr);
    if (ok) *raster = std::move(c.raster);
    return ok;
}

bool encodePng(const Raster& raster, bool withAlpha, Bytes* out) {
    if (!soundRaster(raster)) return false;
    Bytes encoded;
    WriteContext c;
    c.raster = &raster;
    c.withAlpha = withAlpha;
    c.out = &encoded;
    c.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failSilently, ignoreWarning);
    if (c.png == nullptr) return false;
    c.info = png_create_info_struct(c.png);
    bool ok = c.info != nullptr && writeAll(c);
    png_destroy_write_struct(&c.png, c.info != nullptr ? &c.info : nullptr);
    if (ok) *out = std::move(encoded);
    return ok;
}

double dpiFromPerMetre(uint32_t perMetre) {
    return std::max(1.0, std::floor(perMetre * 0.0254 + 0.5));
}

uint32_t perMetreFromDpi(double dpi) {
    double v = std::floor(dpi / 0.0254 + 0.5);
    return v < 1.0 ? 1u : v > 2147483647.0 ? 2147483647u : uint32_t(v);
}

} // namespace GX::codec
