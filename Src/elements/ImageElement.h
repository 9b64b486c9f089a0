// A placed picture (type 31): its box in the record, its picture's encoded bytes in the memo,
// kept as they are even when they decode to no image.
#pragma once

#include <cstdint>
#include <memory>

#include "elements/Element.h"
#include "geometry/Cube.h"
#include "platform/api/ImageRecords.h"
#include "project/Image.h"
#include "project/Memo.h"

namespace tarnwick {

class ImageMemo : public Memo {
public:
    static constexpr uint64_t Mask = 0x7FFFFFFBFFFFFFFull;

    ImageMemo() = default;
    ImageMemo(const ImageMemo& other);
    ImageMemo& operator=(const ImageMemo& other);
    ~ImageMemo() override = default;

    bool isValid() const override { return true; }
    // No picture: true, writing nothing.
    bool writeMemo(MemoStore& store) override;
    // No picture field: no picture, true.
    bool readMemo(MemoStore& store) override;
    virtual uint64_t getMask() const { return Mask; }
    virtual Element& getMemoOwner() = 0;

    // Null without a picture.
    const Image* getImage();
    void setImage(std::unique_ptr<Image> image);

protected:
    std::unique_ptr<Image> m_image;
};

class ImageElement : public Element, public ImageMemo {
public:
    static constexpr uint8_t TypeCode = 31;

    ImageElement(const API_Element& record, const ElementLink& link);
    ImageElement(const ImageElement& other) = default;
    ~ImageElement() override = default;

    // The element's, not the memo's.
    using Element::isValid;
    using Element::mergeChanges;

    std::unique_ptr<Element> clone() const override { return std::make_unique<ImageElement>(*this); }
    // The box's minimum corner.
    void getReferencePoint(CadPoint& point) const override;
    // Moves the box so that its minimum corner is there.
    void setReferencePoint(const CadPoint& point) override;
    // The box; the picture has no coordinates.
    bool moveBy(const CadPoint& offset) override { return moveReferencePoint(offset); }
    // Claims a memo while it holds a picture; a picture never read keeps the host's claim.
    std::unique_ptr<API_Element> buildRecord() const override;
    // A failed fetch leaves the picture unloaded, so that it is never written over the host's.
    void loadMemo(uint64_t mask, MemoStore*& store) override;
    // Null, with mask 0, for a picture never read.
    ElementMemoPtr buildMemo(uint64_t& mask) override;
    const HostElementHead& getRecord() const override { return m_record.head; }
    HostElementHead& getRecord() override { return m_record.head; }

    void load(Element& owner, MemoStore*& store) override { owner.loadMemo(Mask, store); }
    Element& getMemoOwner() override { return *this; }

    virtual Cube getBox() const;
    virtual void setBox(const Cube& box);
    virtual void applyDefaults();

    const HostImageElement& getImageRecord() const { return m_record; }

private:
    HostImageElement m_record;
};

// The factory's creator of pictures; null for a record of another type.
std::unique_ptr<Element> createImageElement(const API_Element& record, ElementLink& link);

} // namespace tarnwick
