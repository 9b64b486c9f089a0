// Delimited text tables: records of fields, one record per line. A field may be quoted with
// double quotes; inside the quotes it may hold the delimiter, line breaks and doubled quotes
// (one quote each). The delimiter is a parameter (a comma, a tab, a semicolon ...).
#pragma once

#include <memory>

#include "Environment/Containers.h"
#include "Environment/NonCopyable.h"
#include "Environment/String.h"

namespace tarnwick {

class DataBufferIn;
class DataBufferOut;

class TextField {
public:
    explicit TextField(const String& text = String()) : m_text(text) {}
    const String& getText() const { return m_text; }
    void setText(const String& text) { m_text = text; }

private:
    String m_text;
};

class TextRecord : public Vector<TextField> {
public:
    TextRecord() = default;
    TextRecord(const TextRecord& other);
    TextRecord& operator=(const TextRecord& other);

    void add(const String& text) { push_back(std::make_unique<TextField>(text)); }
    // The text of the field at index; empty past the end.
    String getText(size_t index) const;
};

class TextDatabase : NonCopyable {
public:
    TextDatabase() = default;

    // Replaces the records with the table read from in. Lines may end with LF, CR or CR LF;
    // empty lines are skipped. With header, the first record becomes the header. False, leaving
    // the table as it was, for a quote that is never closed, text after a closing quote (other
    // than the delimiter or a line end), an unusable delimiter (a quote or a line-end
    // character) or an input that failed.
    [[nodiscard]] bool read(DataBufferIn& in, char delimiter = ',', bool header = false);
    // Writes the header (when there is one) and the records, each line ended by CR LF; a field
    // is quoted when it holds the delimiter, a quote or a line break, or is the record's only
    // field and empty (so that the record is not an empty line). False for an unusable
    // delimiter or a buffer that failed.
    [[nodiscard]] bool write(DataBufferOut& out, char delimiter = ',') const;

    // Takes the record (null removes the header).
    void setHeader(std::unique_ptr<TextRecord> record) { m_header = std::move(record); }
    TextRecord* getHeader() const { return m_header.get(); }
    // The position of the name in the header, or -1 when it is missing or there is no header.
    int columnIndex(const String& name, bool caseSensitive) const;

    size_t getRecordCount() const { return m_records.size(); }
    TextRecord* getRecord(size_t index) const { return m_records[index]; } // throws std::out_of_range
    void addRecord(std::unique_ptr<TextRecord> record) { m_records.push_back(std::move(record)); }
    void clear() { m_records.clear(); }

private:
    Vector<TextRecord> m_records;
    std::unique_ptr<TextRecord> m_header;
};

} // namespace tarnwick
