// The framework's one picture type: a resource id, encoded image data, and the decoded image with
// a pixel map made from it on demand, in any combination; converts to the dialog manager's
// images and icons.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/MemoryBlock.h"
#include "geometry/ScreenRect.h"
#include "platform/dg/DGImage.h"
#include "platform/graphics/GXImage.h"

namespace tarnwick {

class DataFile;
class String;

class Image {
public:
    static constexpr int16_t NoResource = -1;
    // Ids up to this one are the host's own; above it the add-on's.
    static constexpr int16_t LastHostResource = 21;

    explicit Image(int16_t resourceId = NoResource);
    // With adopt the block's handle is taken over (the block is left empty), else copied.
    Image(MemoryBlock& block, bool adopt);
    explicit Image(const MemoryBlock& block);
    // The whole file as encoded data; a file too large to be an image gives no data.
    explicit Image(DataFile& file);
    // Takes the pixel map over.
    explicit Image(GSPixMapHandle pixMap);
    explicit Image(const DG::Image& image);
    explicit Image(const DG::Icon& icon);
    // The data and the id; a copy of the decoded image; no pixel map.
    Image(const Image& other);
    Image& operator=(const Image& other);
    virtual ~Image();

    virtual std::unique_ptr<Image> clone() const;
    // Without a resource id: the picture of the encoded data (an empty value without data). With
    // one: that resource, from the host's resources up to LastHostResource, else the add-on's.
    virtual DG::Image toDGImage() const;
    virtual DG::Icon toDGIcon() const;

    // Takes the handle over and decodes it when its type is known; unknown bytes are kept as they
    // are, without an image. The handle already held is kept, not freed.
    void setEncodedData(GSHandle data);
    // Takes the pixel map over and makes the image from it; the map already held is kept.
    void setPixMap(GSPixMapHandle pixMap);

    // The data held, else the image encoded in its own type and depth, else an empty block.
    MemoryBlock getEncodedData() const;
    // The data held when it is in that type, else the image encoded in it (a negative type is
    // taken as 0); an empty block for an unknown type or without an image.
    MemoryBlock getEncodedDataAs(int32_t type) const;
    // The cached pixel map, still the image's; null without an image.
    GSPixMapHandle getPixMap();
    // A new picture (the caller's, freed with GXDeleteGSPixMap) of the encoded data; null when
    // there is none or it is no image.
    DGPicture toDGPicture() const;

    int16_t getResourceId() const { return m_resourceId; }
    // The id is below LastHostResource + 1 (so also without an id).
    bool isHostResource() const { return m_resourceId <= LastHostResource; }
    // No resource id, and no image or an empty one.
    bool isEmpty() const;
    // (0, 0) to the image's width and height; empty without an image.
    ScreenRect getBounds() const;

    double getHorizontalDPI() const; // 0 without an image
    double getVerticalDPI() const;
    // The other direction keeps its value unless both; false without an image or for a
    // resolution that is not positive.
    bool setHorizontalDPI(double dpi, bool both);
    bool setVerticalDPI(double dpi, bool both);

    // Writes the image in its own type and depth; false without an image.
    bool writeToFile(const DataFile& file) const;
    // False, writing nothing, for a MIME type the host does not know or without an image.
    bool writeToFileAs(const DataFile& file, const String& mimeType, int32_t depth) const;

    // Stretches the pixel map into a new one of the target's size (with keepAspect, the largest
    // of the image's proportions that fits) and takes it. False, changing nothing, without an
    // image, for an empty target or when the host fails.
    bool stretch(const ScreenRect& target, bool keepAspect);
    // Releases the data, the image and the pixel map; the id stays.
    void clear();

private:
    void releasePixMap();
    bool setDPI(double horizontal, double vertical);

    int16_t m_resourceId = NoResource;
    std::unique_ptr<GX::Image> m_image;
    MemoryBlock m_data;
    GSPixMapHandle m_pixMap = nullptr;
};

} // namespace tarnwick
