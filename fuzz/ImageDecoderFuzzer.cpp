// Any bytes as an image file, the way the framework takes one: the type told from the bytes, then
// decoded. Decoding must fail cleanly; what decodes must survive a lossless round trip whole.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/graphics/GXImage.h"
#include "platform/gsroot/Memory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    GSHandle handle = BMNewHandle(GSSize(size));
    if (handle == nullptr) return 0;
    if (size > 0) std::memcpy(*handle, data, size);
    GX::ImageType type;
    if (GX::ImageBase::GetType(handle, &type) == 0) {
        GX::Image image(handle, type);
        if (!image.IsEmpty()) {
            for (GX::ImageType lossless : {GX::ImageType::PNG, GX::ImageType::BMP}) {
                GSHandle encoded = nullptr;
                if (image.ToEncodedData(lossless, GX::OwnDepth, &encoded) != 0) __builtin_trap();
                GX::Image back(encoded, lossless);
                if (back.GetPixels() != image.GetPixels()) __builtin_trap();
                BMKillHandle(&encoded);
            }
        }
    }
    BMKillHandle(&handle);
    return 0;
}
