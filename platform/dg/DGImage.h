// The dialog manager's pictures and icons: either a resource (a module and an id, read when the
// pixels are wanted) or a picture given by the caller. Values: copies share the picture.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api/Resources.h"
#include "platform/graphics/GXImage.h"

namespace DG {

// The module handle under which the dialog manager finds the host's own icons and pictures.
HOSTLIB_API GSResModule HostResModule();
// The resources that stand behind HostResModule(): the stand-in host installs its own. Answers the
// previous ones; none at first.
HOSTLIB_API GSResModule SetHostResources(GSResModule resources);

// Resource kinds: encoded image files (PNG, JPEG or BMP) under an id, drawn for the standard
// screen resolution; the same id under the second type is the drawing for twice that resolution.
inline constexpr uint32_t PictureResourceType = fourCC("GPIC");
inline constexpr uint32_t IconResourceType = fourCC("GICN");
inline constexpr uint32_t DoublePictureResourceType = fourCC("GPI2");
inline constexpr uint32_t DoubleIconResourceType = fourCC("GIC2");

// The screen resolutions, in dots per inch, that resource pictures and icons are drawn for.
enum class Resolution : int32_t {
    Standard = 96,
    Double = 192,
};

inline constexpr short NoResourceId = -1;

class HOSTLIB_API NativeImage {
public:
    // No resource and no picture.
    bool IsEmpty() const { return m_resourceId == NoResourceId && m_picture == nullptr; }
    bool IsResource() const { return m_resourceId != NoResourceId; }
    short GetResourceId() const { return m_resourceId; } // NoResourceId for a picture or nothing
    GSResModule GetResourceModule() const { return m_module; }

    // The pixels: the picture given, or the resource decoded now; null when there is none, the
    // resource is missing or its bytes are no image.
    std::shared_ptr<const GX::Image> GetPicture() const { return GetPicture(Resolution::Standard); }
    // The same for a screen of that resolution: a resource's own drawing for it (null when the
    // module carries none, so that the caller may scale the standard one); a picture given serves
    // every resolution.
    std::shared_ptr<const GX::Image> GetPicture(Resolution resolution) const;
    int32_t GetWidth() const;  // 0 without pixels
    int32_t GetHeight() const; // 0 without pixels

    // Same resource, or the same picture object.
    bool operator==(const NativeImage& other) const;

protected:
    NativeImage() = default;
    NativeImage(GSResModule module, short resourceId, uint32_t resourceType);
    // A copy of the picture's pixels; an empty value for a null or unsound picture.
    NativeImage(DGPicture picture, uint32_t resourceType);

private:
    GSResModule m_module = nullptr;
    short m_resourceId = NoResourceId;
    uint32_t m_resourceType = 0;
    std::shared_ptr<const GX::Image> m_picture;
};

class HOSTLIB_API Image : public NativeImage {
public:
    Image() = default;
    Image(GSResModule module, short resourceId) : NativeImage(module, resourceId, PictureResourceType) {}
    explicit Image(DGPicture picture) : NativeImage(picture, PictureResourceType) {}
};

class HOSTLIB_API Icon : public NativeImage {
public:
    Icon() = default;
    Icon(GSResModule module, short resourceId) : NativeImage(module, resourceId, IconResourceType) {}
    explicit Icon(DGPicture picture) : NativeImage(picture, IconResourceType) {}
};

} // namespace DG
