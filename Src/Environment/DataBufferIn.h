// A byte and token reader over a DataFile (its whole length, read in blocks), a MemoryBlock or
// a String (both copied when the reader is made, so later changes to them do not matter).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Environment/NonCopyable.h"

namespace tarnwick {

class DataFile;
class MemoryBlock;
class String;

class DataBufferIn : NonCopyable {
public:
    static constexpr size_t BlockSize = 61440;

    // Reads the file from its start up to the length it has now; the reader moves the file's
    // position. A file that cannot be read gives a failed reader.
    explicit DataBufferIn(DataFile& file);
    explicit DataBufferIn(const MemoryBlock& block);
    explicit DataBufferIn(const String& text);
    ~DataBufferIn();

    // Copies up to count bytes; answers how many (fewer only at the end or on failure).
    size_t read(void* buffer, size_t count);
    int get();                                  // the next byte (0-255), or -1 at the end
    int peek();                                 // the next byte without taking it, or -1 at the end
    bool atEnd();                               // no byte left (or failed)
    bool hasFailed() const { return m_failed; } // the file could not be read
    uint64_t getPosition() const { return m_position; }
    uint64_t getLength() const { return m_length; }
    // The whole source was copied in when the reader was made (a String or a MemoryBlock).
    bool isInMemory() const { return m_file == nullptr; }

    // The next line without its break (LF, CR, CR LF or LF CR); false at the end.
    [[nodiscard]] bool readLine(String& line);
    // Skips blanks, tabs and line breaks.
    void skipWhitespace();
    // Takes bytes up to (not including) the first byte of delimiters; answers true when a
    // delimiter was found, false when the end came first (text then holds the rest).
    [[nodiscard]] bool readUntil(std::string_view delimiters, String& text);

private:
    bool fill();

    DataFile* m_file = nullptr;
    std::string m_data; // the copied source, or the current block of the file
    size_t m_next = 0;  // within m_data
    uint64_t m_length = 0;
    uint64_t m_position = 0;
    uint64_t m_fileOffset = 0; // file offset of the byte after m_data
    bool m_failed = false;
};

} // namespace tarnwick
