// The host's pixel maps: a memory handle holding a small header (size, resolution, pixel type)
// followed by the pixels, four bytes each (red, green, blue, alpha), rows top to bottom without
// padding. Handles are made and freed by the host's memory manager, so they are counted.
#pragma once

#include "platform/api/HostTypes.h"

using GSPixMapHandle = GSHandle;

// Pixel types: every pixel has four bytes; an opaque map ignores the fourth.
enum GXPixelType : uint32_t {
    GXPixelOpaque = 24,
    GXPixelAlpha = 32,
};

// Neither side of a pixel map may exceed this, nor its pixel count GXMaxPixels, so that no size
// read from outside bytes makes an unbounded allocation.
inline constexpr int32_t GXMaxSide = 16384;
inline constexpr int64_t GXMaxPixels = int64_t(1) << 26;

// A new pixel map of the size at 72 dpi, every byte of its pixels cleared; null when a side is
// not positive, the size is past the limits, the pixel type is unknown or memory runs out.
HOSTLIB_API GSPixMapHandle GXNewGSPixMap(int32_t width, int32_t height, uint32_t pixelType);
HOSTLIB_API void GXDeleteGSPixMap(GSPixMapHandle pixMap); // null does nothing

// True for a live handle whose header is sound and whose size matches it.
HOSTLIB_API bool GXIsGSPixMap(GSPixMapHandle pixMap);
// Each answers 0 (or null) for a handle that is not a sound pixel map.
HOSTLIB_API int32_t GXGetGSPixMapWidth(GSPixMapHandle pixMap);
HOSTLIB_API int32_t GXGetGSPixMapHeight(GSPixMapHandle pixMap);
HOSTLIB_API uint32_t GXGetGSPixMapPixelType(GSPixMapHandle pixMap);
HOSTLIB_API double GXGetGSPixMapHorizontalDPI(GSPixMapHandle pixMap);
HOSTLIB_API double GXGetGSPixMapVerticalDPI(GSPixMapHandle pixMap);
HOSTLIB_API unsigned char* GXGetGSPixMapPixels(GSPixMapHandle pixMap);
// Answers hosterr::BadParameter for an unsound map or a resolution that is not positive.
HOSTLIB_API GSErrCode GXSetGSPixMapDPI(GSPixMapHandle pixMap, double horizontal, double vertical);

// Fills the whole target from the whole source, nearest pixel by pixel centres, in integer
// arithmetic; the target's pixel type and resolution stay. The two may not be the same map.
HOSTLIB_API GSErrCode GXStretchGSPixMap(GSPixMapHandle source, GSPixMapHandle target);
