// A buffered writer over one sink: a MemoryBlock, a DataFile, a String or a host handle. Bytes
// collect in a 61440-byte buffer that is handed to the sink whenever it fills, on flush, close
// and destruction. The sink must outlive the writer or its close.
//
// The state word is 0 while all is well; once it is not, nothing more is written. A failed flush
// to a file sets StateWriteFailed, so a caller that writes a file must check flush() or close().
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Environment/NonCopyable.h"
#include "platform/api/HostTypes.h"

namespace tarnwick {

class DataFile;
class MemoryBlock;
class String;

class DataBufferOut : NonCopyable {
public:
    static constexpr size_t BufferSize = 61440;
    static constexpr uint16_t StateGood = 0;
    static constexpr uint16_t StateNoSink = 1;      // written to without an open sink
    static constexpr uint16_t StateNoMemory = 2;    // a memory sink could not grow
    static constexpr uint16_t StateWriteFailed = 4; // the file refused the bytes

    DataBufferOut();
    ~DataBufferOut(); // flushes; a failure here is lost, so callers check close() first

    // Each open first closes the current sink, then starts over with state 0. Bytes are appended
    // to what the sink already holds (a file is written at its end, opened for writing when
    // needed). A null handle pointer gives StateNoSink.
    [[nodiscard]] bool open(MemoryBlock& block);
    [[nodiscard]] bool open(DataFile& file);
    [[nodiscard]] bool open(String& text);
    [[nodiscard]] bool open(GSHandle* handle); // *handle may be null: a new handle is made

    DataBufferOut& operator<<(const String& text);
    DataBufferOut& operator<<(const char* text); // null writes nothing
    DataBufferOut& operator<<(int32_t value);    // decimal
    // Answers true when the bytes were taken (the state is still 0).
    [[nodiscard]] bool write(const void* data, size_t count);

    uint16_t getState() const { return m_state; }
    bool isGood() const { return m_state == StateGood; }
    size_t getPending() const { return m_used; } // bytes in the buffer, not yet in the sink

    // Hands the buffer to the sink; true when the state is 0 afterwards.
    [[nodiscard]] bool flush();
    // Flushes and lets go of the sink; true when the state is 0. The writer can be opened again.
    [[nodiscard]] bool close();

private:
    enum class Sink { None, Block, File, Text, Handle };
    bool start(Sink kind);
    bool appendToHandle(GSHandle handle, const char* data, size_t count);

    std::unique_ptr<char[]> m_buffer;
    size_t m_used = 0;
    uint16_t m_state = StateGood;
    Sink m_sink = Sink::None;
    MemoryBlock* m_block = nullptr;
    DataFile* m_file = nullptr;
    String* m_text = nullptr;
    GSHandle* m_handle = nullptr;
};

} // namespace tarnwick
