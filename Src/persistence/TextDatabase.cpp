#include "persistence/TextDatabase.h"

#include <string>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"

namespace tarnwick {

namespace {

bool usableDelimiter(char delimiter) {
    return delimiter != '"' && delimiter != '\r' && delimiter != '\n';
}

} // namespace

TextRecord::TextRecord(const TextRecord& other) : Vector<TextField>() {
    cloneFrom(other, [](const TextField& field) { return std::make_unique<TextField>(field); });
}

TextRecord& TextRecord::operator=(const TextRecord& other) {
    if (this != &other)
        cloneFrom(other, [](const TextField& field) { return std::make_unique<TextField>(field); });
    return *this;
}

String TextRecord::getText(size_t index) const {
    return index < size() ? (*this)[index]->getText() : String();
}

bool TextDatabase::read(DataBufferIn& in, char delimiter, bool header) {
    if (!usableDelimiter(delimiter)) return false;
    std::string data;
    char chunk[1 << 14];
    while (size_t got = in.read(chunk, sizeof chunk))
        data.append(chunk, got);
    if (in.hasFailed()) return false;

    Vector<TextRecord> records;
    auto record = std::make_unique<TextRecord>();
    std::string field;
    bool lineHasText = false; // an empty line gives no record
    size_t i = 0;
    auto endField = [&] {
        record->add(String(std::move(field)));
        field.clear();
    };
    auto endLine = [&] {
        if (lineHasText) {
            endField();
            records.append(std::move(record));
            record = std::make_unique<TextRecord>();
        }
        field.clear();
        lineHasText = false;
    };
    while (i < data.size()) {
        char c = data[i];
        if (c == '"' && field.empty()) {
            // A quoted field runs to the next quote that is not doubled.
            lineHasText = true;
            size_t j = i + 1;
            for (;;) {
                if (j >= data.size()) return false;
                if (data[j] == '"') {
                    if (j + 1 < data.size() && data[j + 1] == '"') {
                        field += '"';
                        j += 2;
                        continue;
                    }
                    break;
                }
                field += data[j++];
            }
            i = j + 1;
            if (i < data.size() && data[i] != delimiter && data[i] != '\r' && data[i] != '\n') return false;
            continue;
        }
        if (c == delimiter) {
            lineHasText = true;
            endField();
            ++i;
        } else if (c == '\r' || c == '\n') {
            endLine();
            i += (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ? 2 : 1;
        } else {
            lineHasText = true;
            field += c;
            ++i;
        }
    }
    endLine();

    m_records = std::move(records);
    if (header) m_header = m_records.empty() ? nullptr : m_records.release(0);
    return true;
}

bool TextDatabase::write(DataBufferOut& out, char delimiter) const {
    if (!usableDelimiter(delimiter)) return false;
    std::string text;
    auto writeRecord = [&](const TextRecord& record) {
        for (size_t k = 0; k < record.size(); ++k) {
            if (k > 0) text += delimiter;
            const std::string& value = record[k]->getText().bytes();
            // A record of one empty field would be an empty line, which reading skips.
            bool quote = value.find_first_of(std::string{delimiter, '"', '\r', '\n'}) != std::string::npos ||
                         (value.empty() && record.size() == 1);
            if (!quote) {
                text += value;
                continue;
            }
            text += '"';
            for (char c : value) {
                if (c == '"') text += '"';
                text += c;
            }
            text += '"';
        }
        text += "\r\n";
    };
    if (m_header) writeRecord(*m_header);
    for (const TextRecord* record : m_records)
        writeRecord(*record);
    return out.write(text.data(), text.size()) && out.flush();
}

int TextDatabase::columnIndex(const String& name, bool caseSensitive) const {
    if (!m_header) return -1;
    String wanted = caseSensitive ? name : name.toLower();
    for (size_t k = 0; k < m_header->size(); ++k) {
        const String& text = (*m_header)[k]->getText();
        if ((caseSensitive ? text : text.toLower()) == wanted) return static_cast<int>(k);
    }
    return -1;
}

} // namespace tarnwick
