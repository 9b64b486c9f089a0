#include "PixMap.h"

#include <cmath>
#include <cstring>

#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace {

constexpr uint32_t pixMapMagic = fourCC("GXPM");

struct Header {
    uint32_t magic = pixMapMagic;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t pixelType = GXPixelAlpha;
    double horizontalDPI = 72.0;
    double verticalDPI = 72.0;
};

bool soundSize(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= GXMaxSide && height <= GXMaxSide &&
           width * height <= GXMaxPixels;
}

bool soundDPI(double dpi) {
    return std::isfinite(dpi) && dpi > 0.0;
}

// The header of a sound pixel map; false for anything else. Handles are copied out, never cast,
// since the bytes may have come from anywhere.
bool readHeader(GSPixMapHandle pixMap, Header* header) {
    if (pixMap == nullptr || !BMIsLiveHandle(pixMap)) return false;
    GSSize size = BMHandleSize(pixMap);
    if (size < GSSize(sizeof(Header))) return false;
    std::memcpy(header, *pixMap, sizeof(Header));
    if (header->magic != pixMapMagic || !soundSize(header->width, header->height)) return false;
    if (header->pixelType != GXPixelOpaque && header->pixelType != GXPixelAlpha) return false;
    if (!soundDPI(header->horizontalDPI) || !soundDPI(header->verticalDPI)) return false;
    return size == GSSize(sizeof(Header)) + int64_t(header->width) * header->height * 4;
}

} // namespace

GSPixMapHandle GXNewGSPixMap(int32_t width, int32_t height, uint32_t pixelType) {
    if (!soundSize(width, height) || (pixelType != GXPixelOpaque && pixelType != GXPixelAlpha))
        return nullptr;
    GSHandle handle = BMNewHandle(GSSize(sizeof(Header)) + int64_t(width) * height * 4);
    if (handle == nullptr) return nullptr;
    Header header;
    header.width = width;
    header.height = height;
    header.pixelType = pixelType;
    std::memcpy(*handle, &header, sizeof header);
    return handle;
}

void GXDeleteGSPixMap(GSPixMapHandle pixMap) {
    BMKillHandle(&pixMap);
}

namespace {
// One header field of a pixel map; zero for a handle that is not one.
template <class T> T headerField(GSPixMapHandle pixMap, T Header::*field) {
    Header header;
    return readHeader(pixMap, &header) ? header.*field : T{};
}
} // namespace

bool GXIsGSPixMap(GSPixMapHandle pixMap) {
    Header header;
    return readHeader(pixMap, &header);
}

int32_t GXGetGSPixMapWidth(GSPixMapHandle pixMap) {
    return headerField(pixMap, &Header::width);
}

int32_t GXGetGSPixMapHeight(GSPixMapHandle pixMap) {
    return headerField(pixMap, &Header::height);
}

uint32_t GXGetGSPixMapPixelType(GSPixMapHandle pixMap) {
    return headerField(pixMap, &Header::pixelType);
}

double GXGetGSPixMapHorizontalDPI(GSPixMapHandle pixMap) {
    return headerField(pixMap, &Header::horizontalDPI);
}

double GXGetGSPixMapVerticalDPI(GSPixMapHandle pixMap) {
    return headerField(pixMap, &Header::verticalDPI);
}

unsigned char* GXGetGSPixMapPixels(GSPixMapHandle pixMap) {
    Header header;
    return readHeader(pixMap, &header) ? reinterpret_cast<unsigned char*>(*pixMap) + sizeof(Header) : nullptr;
}

GSErrCode GXSetGSPixMapDPI(GSPixMapHandle pixMap, double horizontal, double vertical) {
    Header header;
    if (!readHeader(pixMap, &header) || !soundDPI(horizontal) || !soundDPI(vertical))
        return hosterr::BadParameter;
    header.horizontalDPI = horizontal;
    header.verticalDPI = vertical;
    std::memcpy(*pixMap, &header, sizeof header);
    return hosterr::Ok;
}

GSErrCode GXStretchGSPixMap(GSPixMapHandle source, GSPixMapHandle target) {
    Header from;
    Header to;
    if (source == target || !readHeader(source, &from) || !readHeader(target, &to))
        return hosterr::BadParameter;
    const unsigned char* in = GXGetGSPixMapPixels(source);
    unsigned char* out = GXGetGSPixMapPixels(target);
    for (int64_t y = 0; y < to.height; ++y) {
        // The source pixel under the target pixel's centre: (2y + 1) / 2 * from / to, rounded down.
        int64_t sy = (2 * y + 1) * from.height / (2 * int64_t(to.height));
        for (int64_t x = 0; x < to.width; ++x) {
            int64_t sx = (2 * x + 1) * from.width / (2 * int64_t(to.width));
            std::memcpy(out + (y * to.width + x) * 4, in + (sy * from.width + sx) * 4, 4);
        }
    }
    return hosterr::Ok;
}
