#include "Environment/MemoryBlock.h"

#include <new>

#include "Environment/Memory.h"
#include "platform/gsroot/Memory.h"

namespace tarnwick {

MemoryBlock::MemoryBlock(const MemoryBlock& other) : m_handle(other.duplicateHandle()) {}

MemoryBlock& MemoryBlock::operator=(const MemoryBlock& other) {
    if (this != &other) setHandle(other.duplicateHandle());
    return *this;
}

MemoryBlock& MemoryBlock::operator=(MemoryBlock&& other) noexcept {
    if (this != &other) setHandle(other.releaseHandle());
    return *this;
}

MemoryBlock::~MemoryBlock() {
    BMKillHandle(&m_handle);
}

std::unique_ptr<MemoryBlock> MemoryBlock::clone() const {
    return std::make_unique<MemoryBlock>(duplicateHandle());
}

GSSize MemoryBlock::getSize() const {
    return BMHandleSize(m_handle);
}

GSHandle MemoryBlock::releaseHandle() {
    GSHandle h = m_handle;
    m_handle = nullptr;
    return h;
}

void MemoryBlock::setHandle(GSHandle handle) {
    if (handle == m_handle) return; // freeing it first would leave us holding freed memory
    BMKillHandle(&m_handle);
    m_handle = handle;
}

void MemoryBlock::assignHandle(GSHandle handle) {
    setHandle(handle);
}

GSHandle MemoryBlock::duplicateHandle() const {
    if (m_handle == nullptr) return nullptr;
    GSHandle copy = nullptr;
    if (BMHandleToHandle(m_handle, &copy) != 0) throw std::bad_alloc();
    return copy;
}

void MemoryBlock::allocateHandle(GSSize size) {
    setHandle(tarnwick::allocateHandle(size));
}

void MemoryBlock::resize(GSSize size) {
    if (m_handle == nullptr) {
        allocateHandle(size);
        return;
    }
    resizeHandle(m_handle, size);
}

} // namespace tarnwick
