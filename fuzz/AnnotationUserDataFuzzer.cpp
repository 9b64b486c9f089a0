// Any bytes as the user data of a text block or label that shows an annotation, read the way the
// product reads it from the element. The read must end cleanly, whatever it answers.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "Environment/MemoryBlock.h"
#include "annotation/Annotation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tarnwick::MemoryBlock block;
    block.allocateHandle(static_cast<GSSize>(size));
    if (size != 0) std::memcpy(block.getData(), data, size);
    zavlink::Annotation annotation;
    static_cast<void>(annotation.readFromBlock(block));
    return 0;
}
