#include "Environment/DataBufferOut.h"

#include <cstring>

#include "Environment/DataFile.h"
#include "Environment/MemoryBlock.h"
#include "Environment/NumberText.h"
#include "Environment/String.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace tarnwick {

DataBufferOut::DataBufferOut() = default;

DataBufferOut::~DataBufferOut() {
    (void)close(); // a destructor cannot report; a writer that cares closes first
}

bool DataBufferOut::start(Sink kind) {
    (void)close(); // the old sink's failure was for its writer to see when it closed
    m_state = StateGood;
    m_used = 0;
    m_sink = kind;
    if (!m_buffer) m_buffer = std::make_unique_for_overwrite<char[]>(BufferSize);
    return true;
}

bool DataBufferOut::open(MemoryBlock& block) {
    start(Sink::Block);
    m_block = &block;
    return true;
}

bool DataBufferOut::open(DataFile& file) {
    start(Sink::File);
    m_file = &file;
    if (!file.open(true) || !file.seekToEnd()) m_state = StateWriteFailed;
    return isGood();
}

bool DataBufferOut::open(String& text) {
    start(Sink::Text);
    m_text = &text;
    return true;
}

bool DataBufferOut::open(GSHandle* handle) {
    start(Sink::Handle);
    m_handle = handle;
    if (handle == nullptr) m_state = StateNoSink;
    return isGood();
}

DataBufferOut& DataBufferOut::operator<<(const String& text) {
    (void)write(text.c_str(), text.getByteLength()); // a failure stays in the state
    return *this;
}

DataBufferOut& DataBufferOut::operator<<(const char* text) {
    if (text) (void)write(text, std::strlen(text)); // a failure stays in the state
    return *this;
}

DataBufferOut& DataBufferOut::operator<<(int32_t value) {
    std::string digits = intToText(value);
    (void)write(digits.data(), digits.size()); // a failure stays in the state
    return *this;
}

bool DataBufferOut::write(const void* data, size_t count) {
    if (m_state != StateGood) return false;
    if (m_sink == Sink::None) {
        m_state = StateNoSink;
        return false;
    }
    if (count > 0 && data == nullptr) return false;
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        size_t room = BufferSize - m_used;
        size_t n = count < room ? count : room;
        std::memcpy(m_buffer.get() + m_used, bytes, n);
        m_used += n;
        bytes += n;
        count -= n;
        if (m_used == BufferSize && !flush()) return false;
    }
    return true;
}

bool DataBufferOut::appendToHandle(GSHandle handle, const char* data, size_t count) {
    GSSize size = BMHandleSize(handle);
    if (BMResizeHandle(handle, size + static_cast<GSSize>(count)) != hosterr::Ok) return false;
    std::memcpy(*handle + size, data, count);
    return true;
}

bool DataBufferOut::flush() {
    if (m_state != StateGood || m_used == 0) return isGood();
    const char* data = m_buffer.get();
    switch (m_sink) {
    case Sink::None:
        m_state = StateNoSink;
        break;
    case Sink::File:
        if (!m_file->write(data, m_used)) m_state = StateWriteFailed;
        break;
    case Sink::Text:
        m_text->appendBytes(std::string_view(data, m_used));
        break;
    case Sink::Block:
        if (m_block->getHandle() == nullptr) {
            GSHandle fresh = BMNewHandle(0);
            if (fresh == nullptr) {
                m_state = StateNoMemory;
                break;
            }
            m_block->setHandle(fresh);
        }
        if (!appendToHandle(m_block->getHandle(), data, m_used)) m_state = StateNoMemory;
        break;
    case Sink::Handle:
        if (*m_handle == nullptr && (*m_handle = BMNewHandle(0)) == nullptr) {
            m_state = StateNoMemory;
            break;
        }
        if (!appendToHandle(*m_handle, data, m_used)) m_state = StateNoMemory;
        break;
    }
    if (isGood()) m_used = 0;
    return isGood();
}

bool DataBufferOut::close() {
    bool ok = flush();
    m_sink = Sink::None;
    m_block = nullptr;
    m_file = nullptr;
    m_text = nullptr;
    m_handle = nullptr;
    m_used = 0;
    return ok;
}

} // namespace tarnwick
