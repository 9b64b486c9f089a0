#include "Environment/DataBufferIn.h"

#include <algorithm>
#include <cstring>

#include "Environment/DataFile.h"
#include "Environment/MemoryBlock.h"
#include "Environment/String.h"

namespace tarnwick {

DataBufferIn::DataBufferIn(DataFile& file) : m_file(&file) {
    m_length = file.getLength();
    if (file.getLastError() != 0) m_failed = true;
}

DataBufferIn::DataBufferIn(const MemoryBlock& block) {
    if (block.getData() != nullptr) m_data.assign(block.getData(), static_cast<size_t>(block.getSize()));
    m_length = m_data.size();
}

DataBufferIn::DataBufferIn(const String& text) : m_data(text.bytes()), m_length(m_data.size()) {}

DataBufferIn::~DataBufferIn() = default;

// Makes sure a byte is ready in m_data unless the input is exhausted.
bool DataBufferIn::fill() {
    if (m_next < m_data.size()) return true;
    if (m_failed || m_file == nullptr || m_fileOffset >= m_length) return false;
    size_t want = static_cast<size_t>(std::min<uint64_t>(BlockSize, m_length - m_fileOffset));
    m_data.resize(want);
    m_next = 0;
    size_t got = 0;
    if (m_file->seek(m_fileOffset)) got = m_file->read(m_data.data(), want);
    m_data.resize(got);
    m_fileOffset += got;
    // A file that shrank or failed under the reader ends the reading as a failure.
    if (got == 0) m_failed = true;
    return got > 0;
}

size_t DataBufferIn::read(void* buffer, size_t count) {
    size_t done = 0;
    char* out = static_cast<char*>(buffer);
    while (done < count && fill()) {
        size_t n = std::min(count - done, m_data.size() - m_next);
        std::memcpy(out + done, m_data.data() + m_next, n);
        m_next += n;
        done += n;
    }
    m_position += done;
    return done;
}

int DataBufferIn::get() {
    if (!fill()) return -1;
    ++m_position;
    return static_cast<unsigned char>(m_data[m_next++]);
}

int DataBufferIn::peek() {
    return fill() ? static_cast<unsigned char>(m_data[m_next]) : -1;
}

bool DataBufferIn::atEnd() {
    return !fill();
}

bool DataBufferIn::readLine(String& line) {
    std::string bytes;
    if (atEnd()) return false;
    for (int c = get(); c >= 0; c = get()) {
        if (c == '\n' || c == '\r') {
            int next = peek();
            if ((next == '\n' || next == '\r') && next != c) get();
            break;
        }
        bytes += static_cast<char>(c);
    }
    line = String(std::move(bytes));
    return true;
}

void DataBufferIn::skipWhitespace() {
    for (int c = peek(); c == ' ' || c == '\t' || c == '\n' || c == '\r'; c = peek())
        get();
}

bool DataBufferIn::readUntil(std::string_view delimiters, String& text) {
    std::string bytes;
    bool found = false;
    while (fill()) {
        const char* start = m_data.data() + m_next;
        size_t available = m_data.size() - m_next;
        size_t n = std::string_view(start, available).find_first_of(delimiters);
        found = n != std::string_view::npos;
        if (!found) n = available;
        bytes.append(start, n);
        m_next += n;
        m_position += n;
        if (found) break;
    }
    text = String(std::move(bytes));
    return found;
}

} // namespace tarnwick
