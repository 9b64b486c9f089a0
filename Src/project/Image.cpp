#include "project/Image.h"

#include <algorithm>
#include <cmath>

#include "Environment/DataFile.h"
#include "Environment/HostCalls.h"
#include "Environment/String.h"
#include "platform/api/HostErrors.h"
#include "platform/graphics/FileTypeManager.h"
#include "platform/gsroot/Memory.h"

namespace tarnwick {

namespace {

// Files read whole as images are bounded, so that a stray huge file costs no unbounded allocation.
constexpr uint64_t maxImageFileBytes = uint64_t(128) << 20;

int16_t screenSize(int32_t v) {
    return static_cast<int16_t>(std::min<int32_t>(v, INT16_MAX));
}

bool typeOf(GSHandle data, GX::ImageType* type) {
    return GX::ImageBase::GetType(data, type) == hosterr::Ok;
}

} // namespace

Image::Image(int16_t resourceId) : m_resourceId(resourceId) {}

Image::Image(MemoryBlock& block, bool adopt) {
    setEncodedData(adopt ? block.releaseHandle() : block.duplicateHandle());
}

Image::Image(const MemoryBlock& block) {
    setEncodedData(block.duplicateHandle());
}

Image::Image(DataFile& file) {
    uint64_t length = file.getLength();
    if (length == 0 || length > maxImageFileBytes || !file.seek(0)) return;
    GSHandle data = BMNewHandle(GSSize(length));
    if (data == nullptr) return;
    size_t got = file.read(*data, size_t(length));
    if (got == 0 || (got < length && BMResizeHandle(data, GSSize(got)) != hosterr::Ok)) {
        BMKillHandle(&data);
        return;
    }
    setEncodedData(data);
}

Image::Image(GSPixMapHandle pixMap) {
    setPixMap(pixMap);
}

Image::Image(const DG::Image& image) : m_resourceId(image.GetResourceId()) {}

Image::Image(const DG::Icon& icon) : m_resourceId(icon.GetResourceId()) {}

Image::Image(const Image& other)
    : m_resourceId(other.m_resourceId),
      m_image(other.m_image != nullptr ? std::make_unique<GX::Image>(*other.m_image) : nullptr),
      m_data(other.m_data) {}

Image& Image::operator=(const Image& other) {
    if (this == &other) return *this;
    MemoryBlock data(other.m_data);
    auto image = other.m_image != nullptr ? std::make_unique<GX::Image>(*other.m_image) : nullptr;
    clear();
    m_resourceId = other.m_resourceId;
    m_data = std::move(data);
    m_image = std::move(image);
    return *this;
}

Image::~Image() {
    releasePixMap();
}

std::unique_ptr<Image> Image::clone() const {
    return std::make_unique<Image>(*this);
}

DG::Image Image::toDGImage() const {
    if (m_resourceId != NoResource)
        return DG::Image(isHostResource() ? DG::HostResModule() : ACAPGetOwnResModule(), m_resourceId);
    DGPicture picture = toDGPicture();
    DG::Image image(picture);
    GXDeleteGSPixMap(picture);
    return image;
}

DG::Icon Image::toDGIcon() const {
    if (m_resourceId != NoResource)
        return DG::Icon(isHostResource() ? DG::HostResModule() : ACAPGetOwnResModule(), m_resourceId);
    DGPicture picture = toDGPicture();
    DG::Icon icon(picture);
    GXDeleteGSPixMap(picture);
    return icon;
}

void Image::setEncodedData(GSHandle data) {
    m_image.reset();
    releasePixMap();
    if (data != m_data.getHandle()) m_data.setHandle(data);
    GX::ImageType type;
    if (!typeOf(m_data.getHandle(), &type)) return;
    auto image = std::make_unique<GX::Image>(m_data.getHandle(), type);
    if (!image->IsEmpty()) m_image = std::move(image);
}

void Image::setPixMap(GSPixMapHandle pixMap) {
    m_image.reset();
    m_data.setHandle(nullptr);
    if (pixMap != m_pixMap) {
        releasePixMap();
        m_pixMap = pixMap;
    }
    if (m_pixMap == nullptr) return;
    auto image = std::make_unique<GX::Image>(m_pixMap);
    if (!image->IsEmpty()) m_image = std::move(image);
}

MemoryBlock Image::getEncodedData() const {
    if (!m_data.isEmpty()) return m_data;
    if (m_image == nullptr) return MemoryBlock();
    GSHandle encoded = nullptr;
    (void)m_image->ToEncodedData(m_image->GetImageType(), m_image->GetColorDepth(), &encoded);
    return MemoryBlock(encoded);
}

MemoryBlock Image::getEncodedDataAs(int32_t type) const {
    type = std::max(type, 0);
    if (!GX::IsImageType(type)) return MemoryBlock();
    GX::ImageType held;
    if (typeOf(m_data.getHandle(), &held) && int32_t(held) == type) return m_data;
    if (m_image == nullptr) return MemoryBlock();
    GSHandle encoded = nullptr;
    (void)m_image->ToEncodedData(GX::ImageType(type), m_image->GetColorDepth(), &encoded);
    return MemoryBlock(encoded);
}

GSPixMapHandle Image::getPixMap() {
    if (m_pixMap == nullptr && m_image != nullptr) m_pixMap = m_image->ToGSPixMapHandle();
    return m_pixMap;
}

DGPicture Image::toDGPicture() const {
    MemoryBlock data = getEncodedData();
    GX::ImageType type;
    if (!typeOf(data.getHandle(), &type)) return nullptr;
    return GX::Image(data.getHandle(), type).ToDGPicture();
}

bool Image::isEmpty() const {
    return m_resourceId == NoResource && (m_image == nullptr || m_image->IsEmpty());
}

ScreenRect Image::getBounds() const {
    if (m_image == nullptr) return ScreenRect();
    return ScreenRect(0, 0, screenSize(m_image->GetWidth()), screenSize(m_image->GetHeight()));
}

double Image::getHorizontalDPI() const {
    double horizontal = 0.0;
    if (m_image != nullptr) m_image->GetDPI(&horizontal, nullptr);
    return horizontal;
}

double Image::getVerticalDPI() const {
    double vertical = 0.0;
    if (m_image != nullptr) m_image->GetDPI(nullptr, &vertical);
    return vertical;
}

bool Image::setHorizontalDPI(double dpi, bool both) {
    return setDPI(dpi, both ? dpi : getVerticalDPI());
}

bool Image::setVerticalDPI(double dpi, bool both) {
    return setDPI(both ? dpi : getHorizontalDPI(), dpi);
}

bool Image::setDPI(double horizontal, double vertical) {
    if (m_image == nullptr || m_image->SetDPI(horizontal, vertical) != hosterr::Ok) return false;
    // The cached map carries the resolution too.
    if (m_pixMap != nullptr) (void)GXSetGSPixMapDPI(m_pixMap, horizontal, vertical);
    return true;
}

bool Image::writeToFile(const DataFile& file) const {
    return m_image != nullptr && m_image->WriteToFile(file.getLocation(), m_image->GetImageType(),
                                                      m_image->GetColorDepth()) == hosterr::Ok;
}

bool Image::writeToFileAs(const DataFile& file, const String& mimeType, int32_t depth) const {
    FTM::TypeID type = FTM::FileTypeManager::SearchForMime(mimeType.view());
    if (type == FTM::UnknownType || m_image == nullptr) return false;
    return m_image->WriteToFile(file.getLocation(), GX::ImageType(type), depth) == hosterr::Ok;
}

bool Image::stretch(const ScreenRect& target, bool keepAspect) {
    if (m_image == nullptr || m_image->IsEmpty()) return false;
    const int32_t width = m_image->GetWidth();
    const int32_t height = m_image->GetHeight();
    int32_t targetWidth = target.getWidth();
    int32_t targetHeight = target.getHeight();
    if (targetWidth <= 0 || targetHeight <= 0) return false;
    if (keepAspect) {
        double scale = std::min(double(targetWidth) / width, double(targetHeight) / height);
        targetWidth = int32_t(std::floor(width * scale + 0.5));
        targetHeight = int32_t(std::floor(height * scale + 0.5));
    }
    GSPixMapHandle source = getPixMap();
    if (source == nullptr) return false;
    GSPixMapHandle made = GXNewGSPixMap(targetWidth, targetHeight, GXGetGSPixMapPixelType(source));
    if (made == nullptr) return false;
    double horizontal = 0.0;
    double vertical = 0.0;
    m_image->GetDPI(&horizontal, &vertical);
    if (GXSetGSPixMapDPI(made, horizontal, vertical) != hosterr::Ok ||
        GXStretchGSPixMap(source, made) != hosterr::Ok) {
        GXDeleteGSPixMap(made);
        return false;
    }
    setPixMap(made);
    return true;
}

void Image::clear() {
    m_image.reset();
    m_data.setHandle(nullptr);
    releasePixMap();
}

void Image::releasePixMap() {
    GXDeleteGSPixMap(m_pixMap);
    m_pixMap = nullptr;
}

} // namespace tarnwick
