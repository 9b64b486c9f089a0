// The host's computed quantities of one element: a block of element values and the records of
// its composite layers, filled for the fields the request mask asks for. A value the host did not
// deliver reads 0.0.
#pragma once

#include <array>
#include <cstdint>

#include "platform/api/ElementRecords.h"
#include "platform/gsroot/Containers.h"

namespace tarnwick {

class ElementLink;

class ElementQuantities {
public:
    ElementQuantities();
    // A copy holds its own block, mask and array, and asks the host with them.
    ElementQuantities(const ElementQuantities& other);
    ElementQuantities& operator=(const ElementQuantities& other);

    uint8_t* getElementMask() { return m_mask.data(); }
    uint8_t* getCompositeMask() { return m_mask.data() + HostQuantityMaskCompositePart; }
    // Asks for the field whose first mask byte this is.
    static void request(uint8_t& field) { field = 0xFF; }
    // Asks for every byte of a field of the element block or of a composite record.
    void requestElement(size_t offset, size_t size);
    void requestComposite(size_t offset, size_t size);

    // Asks the host (tolerance 1e-5); false on a host error, with the block zeroed and the array
    // empty.
    [[nodiscard]] bool fetch(const ElementLink& link);

    const uint8_t* getBlock() const { return m_block.data(); }
    // The double of the element block at a byte offset; 0.0 past its end.
    double getValue(size_t offset) const;
    const GS::Array<HostCompositeQuantity>& getComposites() const { return m_composites; }
    const HostQuantityRequest& getRequest() const { return m_request; }

private:
    void pointRequest();

    HostQuantityRequest m_request;
    GS::Array<HostCompositeQuantity> m_composites;
    std::array<uint8_t, HostQuantityBlockSize> m_block{};
    std::array<uint8_t, HostQuantityMaskSize> m_mask{};
};

} // namespace tarnwick
