#include "GXImage.h"

#include <cmath>
#include <cstring>

#include "ImageCodecs.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/io/File.h"

namespace GX {

namespace {

bool handleBytes(GSHandle data, const unsigned char** bytes, size_t* size) {
    if (data == nullptr || !BMIsLiveHandle(data) || BMHandleSize(data) <= 0) return false;
    *bytes = reinterpret_cast<const unsigned char*>(*data);
    *size = size_t(BMHandleSize(data));
    return true;
}

bool soundDPI(double dpi) {
    return std::isfinite(dpi) && dpi > 0.0;
}

} // namespace

bool IsImageType(int32_t number) {
    return number >= int32_t(ImageType::PNG) && number <= int32_t(ImageType::BMP);
}

GSErrCode ImageBase::GetType(GSHandle data, ImageType* type) {
    const unsigned char* bytes = nullptr;
    size_t size = 0;
    if (!handleBytes(data, &bytes, &size)) return hosterr::NotFound;
    ImageType found;
    if (codec::isPng(bytes, size))
        found = ImageType::PNG;
    else if (codec::isJpeg(bytes, size))
        found = ImageType::JPEG;
    else if (codec::isBmp(bytes, size))
        found = ImageType::BMP;
    else
        return hosterr::NotFound;
    if (type != nullptr) *type = found;
    return hosterr::Ok;
}

Image::Image(GSHandle data, ImageType type) {
    const unsigned char* bytes = nullptr;
    size_t size = 0;
    if (!handleBytes(data, &bytes, &size)) return;
    codec::Raster raster;
    bool ok = false;
    switch (type) {
    case ImageType::PNG:
        ok = codec::decodePng(bytes, size, &raster);
        break;
    case ImageType::JPEG:
        ok = codec::decodeJpeg(bytes, size, &raster);
        break;
    case ImageType::BMP:
        ok = codec::decodeBmp(bytes, size, &raster);
        break;
    }
    if (!ok) return;
    m_width = raster.width;
    m_height = raster.height;
    m_horizontalDPI = raster.horizontalDPI;
    m_verticalDPI = raster.verticalDPI;
    m_type = type;
    m_hasAlpha = raster.hasAlpha;
    m_pixels = std::move(raster.pixels);
}

Image::Image(GSPixMapHandle pixMap) {
    if (!GXIsGSPixMap(pixMap)) return;
    m_width = GXGetGSPixMapWidth(pixMap);
    m_height = GXGetGSPixMapHeight(pixMap);
    m_horizontalDPI = GXGetGSPixMapHorizontalDPI(pixMap);
    m_verticalDPI = GXGetGSPixMapVerticalDPI(pixMap);
    m_hasAlpha = GXGetGSPixMapPixelType(pixMap) == GXPixelAlpha;
    const unsigned char* pixels = GXGetGSPixMapPixels(pixMap);
    m_pixels.assign(pixels, pixels + size_t(m_width) * size_t(m_height) * 4);
}

void Image::GetDPI(double* horizontal, double* vertical) const {
    if (horizontal != nullptr) *horizontal = m_horizontalDPI;
    if (vertical != nullptr) *vertical = m_verticalDPI;
}

GSErrCode Image::SetDPI(double horizontal, double vertical) {
    if (IsEmpty() || !soundDPI(horizontal) || !soundDPI(vertical)) return hosterr::BadParameter;
    m_horizontalDPI = horizontal;
    m_verticalDPI = vertical;
    return hosterr::Ok;
}

GSErrCode Image::ToEncodedData(ImageType type, int32_t depth, GSHandle* data) const {
    if (data == nullptr) return hosterr::BadParameter;
    *data = nullptr;
    if (IsEmpty() || !IsImageType(int32_t(type)) || (depth != OwnDepth && depth != 24 && depth != 32))
        return hosterr::BadParameter;
    bool withAlpha = depth == OwnDepth ? m_hasAlpha : depth == 32;
    codec::Raster raster;
    raster.width = m_width;
    raster.height = m_height;
    raster.horizontalDPI = m_horizontalDPI;
    raster.verticalDPI = m_verticalDPI;
    raster.pixels = m_pixels;
    codec::Bytes bytes;
    bool ok = false;
    switch (type) {
    case ImageType::PNG:
        ok = codec::encodePng(raster, withAlpha, &bytes);
        break;
    case ImageType::JPEG:
        ok = codec::encodeJpeg(raster, &bytes);
        break;
    case ImageType::BMP:
        ok = codec::encodeBmp(raster, withAlpha, &bytes);
        break;
    }
    if (!ok) return hosterr::Failed;
    GSHandle handle = BMNewHandle(GSSize(bytes.size()));
    if (handle == nullptr) return hosterr::MemoryFull;
    std::memcpy(*handle, bytes.data(), bytes.size());
    *data = handle;
    return hosterr::Ok;
}

GSPixMapHandle Image::ToGSPixMapHandle() const {
    if (IsEmpty()) return nullptr;
    GSPixMapHandle pixMap = GXNewGSPixMap(m_width, m_height, m_hasAlpha ? GXPixelAlpha : GXPixelOpaque);
    if (pixMap == nullptr) return nullptr;
    std::memcpy(GXGetGSPixMapPixels(pixMap), m_pixels.data(), m_pixels.size());
    (void)GXSetGSPixMapDPI(pixMap, m_horizontalDPI, m_verticalDPI); // both sound by construction
    return pixMap;
}

GSErrCode Image::WriteToFile(const IO::Location& location, ImageType type, int32_t depth) const {
    if (location.IsEmpty()) return hosterr::BadParameter;
    GSHandle data = nullptr;
    GSErrCode err = ToEncodedData(type, depth, &data);
    if (err != hosterr::Ok) return err;
    IO::File file(location);
    err = file.Open(IO::File::Access::Write, true);
    if (err == hosterr::Ok) err = file.SetDataLength(0);
    if (err == hosterr::Ok) err = file.Write(*data, size_t(BMHandleSize(data)));
    GSErrCode closed = file.Close();
    BMKillHandle(&data);
    return err != hosterr::Ok ? err : closed;
}

} // namespace GX
