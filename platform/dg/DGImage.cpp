#include "DGImage.h"

#include <cstring>

#include "platform/gsroot/Memory.h"
#include "platform/gsroot/ResourceStrings.h"

namespace DG {

namespace {

GSResModule hostResources = nullptr;

} // namespace

GSResModule HostResModule() {
    // Not an address: the host's own resources are named by this handle value.
    return reinterpret_cast<GSResModule>(intptr_t(-4));
}

GSResModule SetHostResources(GSResModule resources) {
    GSResModule previous = hostResources;
    hostResources = resources;
    return previous;
}

NativeImage::NativeImage(GSResModule module, short resourceId, uint32_t resourceType)
    : m_module(module), m_resourceId(resourceId), m_resourceType(resourceType) {}

NativeImage::NativeImage(DGPicture picture, uint32_t resourceType) : m_resourceType(resourceType) {
    if (!GXIsGSPixMap(picture)) return;
    m_picture = std::make_shared<const GX::Image>(picture);
}

std::shared_ptr<const GX::Image> NativeImage::GetPicture(Resolution resolution) const {
    if (m_picture != nullptr || m_resourceId == NoResourceId) return m_picture;
    GSResModule module = m_module == HostResModule() ? hostResources : m_module;
    uint32_t resourceType = m_resourceType;
    if (resolution == Resolution::Double)
        resourceType = resourceType == IconResourceType ? DoubleIconResourceType : DoublePictureResourceType;
    uint32_t size = 0;
    const unsigned char* bytes = RSGetResource(module, resourceType, m_resourceId, &size);
    if (bytes == nullptr || size == 0) return nullptr;
    GSHandle data = BMNewHandle(GSSize(size));
    if (data == nullptr) return nullptr;
    std::memcpy(*data, bytes, size);
    std::shared_ptr<const GX::Image> decoded;
    GX::ImageType type;
    if (GX::ImageBase::GetType(data, &type) == 0) {
        auto image = std::make_shared<const GX::Image>(data, type);
        if (!image->IsEmpty()) decoded = std::move(image);
    }
    BMKillHandle(&data);
    return decoded;
}

int32_t NativeImage::GetWidth() const {
    auto picture = GetPicture();
    return picture != nullptr ? picture->GetWidth() : 0;
}

int32_t NativeImage::GetHeight() const {
    auto picture = GetPicture();
    return picture != nullptr ? picture->GetHeight() : 0;
}

bool NativeImage::operator==(const NativeImage& other) const {
    return m_module == other.m_module && m_resourceId == other.m_resourceId &&
           m_resourceType == other.m_resourceType && m_picture == other.m_picture;
}

} // namespace DG
