#include "elements/ImageElement.h"

#include <cstring>

#include "Environment/Memory.h"
#include "Environment/MemoryBlock.h"
#include "project/MemoStore.h"

namespace tarnwick {

ImageMemo::ImageMemo(const ImageMemo& other)
    : Memo(other), m_image(other.m_image ? other.m_image->clone() : nullptr) {}

ImageMemo& ImageMemo::operator=(const ImageMemo& other) {
    if (this != &other) {
        Memo::operator=(other);
        m_image = other.m_image ? other.m_image->clone() : nullptr;
    }
    return *this;
}

bool ImageMemo::writeMemo(MemoStore& store) {
    try {
        if (!ensureLoaded(getMemoOwner()) || !m_image) return true;
        const MemoryBlock data = m_image->getEncodedData();
        GSHandle* field = store.pictureAddress();
        freeHandle(*field);
        *field = data.duplicateHandle();
        return true;
    } catch (...) {
        return false;
    }
}

bool ImageMemo::readMemo(MemoStore& store) {
    try {
        m_image.reset();
        GSHandle picture = store.getPicture();
        if (picture != nullptr) {
            // A copy: the store's handle stays the store's.
            const auto size = getHandleSize(picture);
            MemoryBlock copy(allocateHandle(size));
            std::memcpy(copy.getData(), *picture, static_cast<size_t>(size));
            m_image = std::make_unique<Image>(copy, true);
        }
        m_loaded = true;
        return true;
    } catch (...) {
        m_image.reset();
        return false;
    }
}

const Image* ImageMemo::getImage() {
    ensureLoaded(getMemoOwner());
    return m_image.get();
}

void ImageMemo::setImage(std::unique_ptr<Image> image) {
    m_image = std::move(image);
    m_loaded = true;
}

ImageElement::ImageElement(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void ImageElement::getReferencePoint(CadPoint& point) const {
    point = getBox().getMin();
}

void ImageElement::setReferencePoint(const CadPoint& point) {
    const double dx = point.getX() - m_record.xMin;
    const double dy = point.getY() - m_record.yMin;
    m_record.xMin = point.getX();
    m_record.yMin = point.getY();
    m_record.xMax += dx;
    m_record.yMax += dy;
}

Cube ImageElement::getBox() const {
    return Cube(m_record.xMin, m_record.yMin, 0.0, m_record.xMax, m_record.yMax, 0.0);
}

void ImageElement::setBox(const Cube& box) {
    m_record.xMin = box.getMin().getX();
    m_record.yMin = box.getMin().getY();
    m_record.xMax = box.getMax().getX();
    m_record.yMax = box.getMax().getY();
}

void ImageElement::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.word196 = 4;
    m_record.head.byte76 = 0;
}

std::unique_ptr<API_Element> ImageElement::buildRecord() const {
    HostImageElement part = m_record;
    if (ImageMemo::isLoaded() || !getLink().hasGuid()) part.head.byte76 = m_image ? 1 : 0;
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &part, sizeof part);
    getLink().writeHeader(record->head, true);
    return record;
}

void ImageElement::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended() && !ImageMemo::isLoaded()) mask |= Mask;
    if ((mask & Mask) == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            m_loaded = true; // a new picture: the host holds none of it
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    readMemo(*store);
}

ElementMemoPtr ImageElement::buildMemo(uint64_t& mask) {
    mask = 0;
    ensureLoaded(*this);
    if (!ImageMemo::isLoaded()) return nullptr;
    ElementMemoStore store;
    if (!writeMemo(store)) return nullptr;
    if (store.getPicture() != nullptr) mask = Mask;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createImageElement(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != ImageElement::TypeCode) return nullptr;
    return std::make_unique<ImageElement>(record, link);
}

} // namespace tarnwick
