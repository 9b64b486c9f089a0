// JPEG through libjpeg. Like libpng it reports faults by longjmp, so each step that may fail runs
// in a frame without destructors over a context the caller owns. Warnings count as faults: the
// library's warnings are what it says about truncated or corrupt data, which it would otherwise
// paper over with grey.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>

#include <jpeglib.h>

#include "ImageCodecs.h"
#include "PixMap.h"

namespace GX::codec {

namespace {

// Progressive files may carry any number of scans, each one a pass over the whole image.
constexpr int maxScans = 256;
constexpr long memoryLimit = 512L << 20;

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
};

[[noreturn]] void failSilently(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void failOnWarning(j_common_ptr info, int level) {
    if (level < 0) failSilently(info);
}

void outputNothing(j_common_ptr) {}

void limitScans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > maxScans)
        failSilently(info);
}

void quietErrors(ErrorManager& errors) {
    jpeg_std_error(&errors.base);
    errors.base.error_exit = failSilently;
    errors.base.emit_message = failOnWarning;
    errors.base.output_message = outputNothing;
}

struct ReadContext {
    ErrorManager errors;
    jpeg_decompress_struct info;
    jpeg_progress_mgr progress;
    bool created = false;
    Raster raster;
};

struct WriteContext {
    ErrorManager errors;
    jpeg_compress_struct info;
    bool created = false;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
};

double densityToDpi(unsigned unit, unsigned density) {
    if (density == 0) return 72.0;
    if (unit == 1) return density;
    if (unit == 2) return density * 2.54;
    return 72.0; // unit 0 gives only the aspect ratio
}

bool readAll(ReadContext& c, const unsigned char* data, size_t size) {
    if (setjmp(c.errors.jump)) return false;
    jpeg_create_decompress(&c.info);
    c.created = true;
    c.info.mem->max_memory_to_use = memoryLimit;
    c.progress.progress_monitor = limitScans;
    c.info.progress = &c.progress;
    jpeg_mem_src(&c.info, data, static_cast<unsigned long>(size));
    if (jpeg_read_header(&c.info, TRUE) != JPEG_HEADER_OK) return false;
    JDIMENSION width = c.info.image_width;
    JDIMENSION height = c.info.image_height;
    if (width == 0 || height == 0 || width > JDIMENSION(GXMaxSide) || height > JDIMENSION(GXMaxSide) ||
        int64_t(width) * height > GXMaxPixels)
        return false;
    c.info.out_color_space = JCS_EXT_RGBA;
    jpeg_start_decompress(&c.info);
    if (c.info.output_width != width || c.info.output_height != height || c.info.output_components != 4)
        return false;
    c.raster.width = int32_t(width);
    c.raster.height = int32_t(height);
    c.raster.pixels.assign(size_t(width) * height * 4, 0);
    while (c.info.output_scanline < height) {
        JSAMPROW row = c.raster.pixels.data() + size_t(c.info.output_scanline) * width * 4;
        if (jpeg_read_scanlines(&c.info, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&c.info);
    c.raster.horizontalDPI = densityToDpi(c.info.density_unit, c.info.X_density);
    c.raster.verticalDPI = densityToDpi(c.info.density_unit, c.info.Y_density);
    return true;
}

unsigned short densityOf(double dpi) {
    double v = dpi + 0.5;
    return v < 1.0 ? 1 : v > 65535.0 ? 65535 : static_cast<unsigned short>(v);
}

bool writeAll(WriteContext& c, const Raster& r) {
    if (setjmp(c.errors.jump)) return false;
    jpeg_create_compress(&c.info);
    c.created = true;
    jpeg_mem_dest(&c.info, &c.buffer, &c.size);
    c.info.image_width = JDIMENSION(r.width);
    c.info.image_height = JDIMENSION(r.height);
    c.info.input_components = 4;
    c.info.in_color_space = JCS_EXT_RGBX;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, 90, TRUE);
    c.info.density_unit = 1;
    c.info.X_density = densityOf(r.horizontalDPI);
    c.info.Y_density = densityOf(r.verticalDPI);
    jpeg_start_compress(&c.info, TRUE);
    // libjpeg takes non-const rows but does not write through them.
    auto* pixels = const_cast<unsigned char*>(r.pixels.data());
    while (c.info.next_scanline < c.info.image_height) {
        JSAMPROW row = pixels + size_t(c.info.next_scanline) * size_t(r.width) * 4;
        jpeg_write_scanlines(&c.info, &row, 1);
    }
    jpeg_finish_compress(&c.info);
    return true;
}

} // namespace

bool isJpeg(const unsigned char* data, size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool decodeJpeg(const unsigned char* data, size_t size, Raster* raster) {
    if (data == nullptr || !isJpeg(data, size)) return false;
    ReadContext c;
    c.info.err = &c.errors.base;
    quietErrors(c.errors);
    bool ok = false;
    try {
        ok = readAll(c, data, size);
    } catch (const std::bad_alloc&) {
        // the pixels did not fit in memory: no image, and the library's state is still freed
    }
    if (c.created) jpeg_destroy_decompress(&c.info);
    if (ok) *raster = std::move(c.raster);
    return ok;
}

bool encodeJpeg(const Raster& raster, Bytes* out) {
    if (raster.width <= 0 || raster.height <= 0 ||
        raster.pixels.size() != size_t(raster.width) * size_t(raster.height) * 4)
        return false;
    WriteContext c;
    c.info.err = &c.errors.base;
    quietErrors(c.errors);
    bool ok = writeAll(c, raster);
    if (c.created) jpeg_destroy_compress(&c.info);
    if (ok) out->assign(c.buffer, c.buffer + c.size);
    std::free(c.buffer); // jpeg_mem_dest allocates with malloc
    return ok;
}

} // namespace GX::codec
