#include "persistence/DeletedDatabase.h"

namespace tarnwick {

namespace {

// A four-character code as its four characters; anything but four printable ASCII characters
// is refused.
class CodeProxy : public XMLUnit {
public:
    CodeProxy(uint32_t* code, const String& tag) : XMLUnit(tag), m_code(code) {}

    String getText() const override {
        std::string text;
        for (int shift = 24; shift >= 0; shift -= 8)
            text += static_cast<char>((*m_code >> shift) & 0xFF);
        return String(text);
    }
    bool readText(const String& text) override {
        const std::string& bytes = text.bytes();
        if (bytes.size() != 4) return false;
        uint32_t code = 0;
        for (char c : bytes) {
            if (c < 0x20 || c > 0x7E) return false;
            code = (code << 8) | static_cast<uint8_t>(c);
        }
        *m_code = code;
        return true;
    }
    void reset() override { *m_code = 0; }

private:
    uint32_t* m_code;
};

} // namespace

DeletedRecord::DeletedRecord(uint32_t databaseCode, uint32_t status)
    : XMLAssembly(String("deletedRecord")), m_databaseCode(databaseCode), m_status(status) {}

void DeletedRecord::reset() {
    m_databaseCode = 0;
    m_status = 0;
}

std::unique_ptr<XMLShipping> DeletedRecord::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly) return nullptr;
    if (index == 0) return std::make_unique<CodeProxy>(&m_databaseCode, String("database"));
    if (index == 1) return std::make_unique<XMLTypeProxy<unsigned int>>(&m_status, String("status"));
    return nullptr;
}

DeletedDatabase::DeletedDatabase() : UserDatabase(String("deletedRecords")) {}

DeletedDatabase::RecordPtr DeletedDatabase::makeRecord(const String& elementName) const {
    return elementName == "deletedRecord" ? std::make_shared<DeletedRecord>() : nullptr;
}

bool DeletedDatabase::add(const Guid& key, uint32_t databaseCode, uint32_t status) {
    if (!key.isValid()) return false;
    // A new record rather than a change in place: copies of the database share their records.
    return insert(key, std::make_shared<DeletedRecord>(databaseCode, status));
}

std::vector<Guid> DeletedDatabase::getKeys(uint32_t databaseCode) const {
    std::vector<Guid> keys;
    for (const auto& [key, record] : *this)
        if (record && record->getDatabaseCode() == databaseCode) keys.push_back(key);
    return keys;
}

} // namespace tarnwick
