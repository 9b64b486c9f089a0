// Owner of one host memory handle.
#pragma once

#include <memory>

#include "platform/api/HostTypes.h"

namespace tarnwick {

class MemoryBlock {
public:
    explicit MemoryBlock(GSHandle handle = nullptr) : m_handle(handle) {}
    MemoryBlock(const MemoryBlock& other); // duplicates the bytes
    MemoryBlock& operator=(const MemoryBlock& other);
    MemoryBlock(MemoryBlock&& other) noexcept : m_handle(other.releaseHandle()) {}
    MemoryBlock& operator=(MemoryBlock&& other) noexcept;
    virtual ~MemoryBlock();
    // A new block with a duplicate of the handle (none for none); throws std::bad_alloc.
    virtual std::unique_ptr<MemoryBlock> clone() const;

    GSSize getSize() const;
    GSHandle getHandle() const { return m_handle; }
    char* getData() const { return m_handle ? *m_handle : nullptr; }
    bool isEmpty() const { return m_handle == nullptr; }

    GSHandle releaseHandle(); // gives the handle away and forgets it
    // Frees the owned handle and takes the given one; the owned handle itself changes nothing.
    void setHandle(GSHandle handle);
    // Takes the given handle unless it is already the owned one.
    void assignHandle(GSHandle handle);
    GSHandle duplicateHandle() const; // a new handle with a copy; null for none; throws std::bad_alloc
    void allocateHandle(GSSize size); // replaces the handle by a new cleared one
    void resize(GSSize size);         // keeps the contents; throws std::bad_alloc

private:
    GSHandle m_handle;
};

} // namespace tarnwick
