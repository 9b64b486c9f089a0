// The project's deleted-records database (package "DLDB"): one entry per deleted record's key,
// with the code of the database the record belonged to and a status word.
#pragma once

#include <cstdint>
#include <vector>

#include "persistence/UserDatabase.h"
#include "persistence/UserDatabaseCollection.h"

namespace tarnwick {

class DeletedRecord : public XMLAssembly {
public:
    explicit DeletedRecord(uint32_t databaseCode = 0, uint32_t status = 0);

    std::unique_ptr<DeletedRecord> clone() const { return std::make_unique<DeletedRecord>(*this); }
    uint32_t getDatabaseCode() const { return m_databaseCode; }
    uint32_t getStatus() const { return m_status; }
    void setStatus(uint32_t status) { m_status = status; }

    // XML "deletedRecord": "database" (the four characters of the code), then "status".
    void reset() override;
    bool afterRead() override { return m_databaseCode != 0; }
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;

private:
    uint32_t m_databaseCode;
    uint32_t m_status;
};

class DeletedDatabase : public UserDatabase<DeletedRecord, DeletedDatabase, UserDatabaseCollection, Guid> {
public:
    static constexpr uint32_t Code = fourCC("DLDB");

    DeletedDatabase();

    std::unique_ptr<Package> clone() const override { return std::make_unique<DeletedDatabase>(*this); }
    uint32_t getCode() const override { return Code; }
    RecordPtr makeRecord(const String& elementName) const override;

    // Enters a deleted record's key, or updates the entry already there. An empty key does nothing.
    bool add(const Guid& key, uint32_t databaseCode, uint32_t status = 0);
    // The keys entered for one database, in key order.
    std::vector<Guid> getKeys(uint32_t databaseCode) const;
};

} // namespace tarnwick
