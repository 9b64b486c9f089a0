#include "elements/ElementQuantities.h"

#include <algorithm>
#include <cstring>

#include "Environment/HostCalls.h"
#include "project/ElementLink.h"

namespace tarnwick {

namespace {
void requestRange(uint8_t* part, size_t partSize, size_t offset, size_t size) {
    if (offset >= partSize) return;
    std::memset(part + offset, 0xFF, std::min(size, partSize - offset));
}
} // namespace

ElementQuantities::ElementQuantities() {
    pointRequest();
}

ElementQuantities::ElementQuantities(const ElementQuantities& other)
    : m_composites(other.m_composites), m_block(other.m_block), m_mask(other.m_mask) {
    pointRequest();
}

ElementQuantities& ElementQuantities::operator=(const ElementQuantities& other) {
    if (this != &other) {
        m_composites = other.m_composites;
        m_block = other.m_block;
        m_mask = other.m_mask;
        pointRequest();
    }
    return *this;
}

void ElementQuantities::pointRequest() {
    m_request = HostQuantityRequest();
    m_request.elementBlock = m_block.data();
    m_request.composites = &m_composites;
}

void ElementQuantities::requestElement(size_t offset, size_t size) {
    requestRange(getElementMask(), HostQuantityMaskCompositePart, offset, size);
}

void ElementQuantities::requestComposite(size_t offset, size_t size) {
    requestRange(getCompositeMask(), HostQuantityMaskSize - HostQuantityMaskCompositePart, offset, size);
}

bool ElementQuantities::fetch(const ElementLink& link) {
    m_block.fill(0);
    HostQuantityParameters parameters;
    parameters.tolerance = 1e-5;
    m_composites.Clear();
    pointRequest();
    API_Guid guid = link.getGuid().toAPI();
    if (ACAPGetElementQuantities(&guid, &parameters, &m_request, m_mask.data()) == hosterr::Ok) return true;
    // Whatever a failing host left behind was not delivered.
    m_block.fill(0);
    m_composites.Clear();
    return false;
}

double ElementQuantities::getValue(size_t offset) const {
    if (offset > m_block.size() || m_block.size() - offset < sizeof(double)) return 0.0;
    double value = 0.0;
    std::memcpy(&value, m_block.data() + offset, sizeof value);
    return value;
}

} // namespace tarnwick
