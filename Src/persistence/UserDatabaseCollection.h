// A document of user databases: an XML array of databases held by four-character code in a
// package store that others may share. Each database is written under its own element name; when
// read, an element goes to the held database of that name (its records join those already there)
// and elements no database takes are skipped.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/PackageStore.h"

namespace tarnwick {

class UserDatabaseCollection : public XMLArray {
public:
    explicit UserDatabaseCollection(const String& elementName = String("userDatabases"),
                                    std::shared_ptr<PackageStore> store = nullptr);

    // Holds what a view of a database shows (see UserDatabase::FilteredProxy::makeDocumentDatabase):
    // the database itself, or a filtered copy. It replaces a database of the same code.
    template <class View> void add(const View& view) { addDatabase(view.makeDocumentDatabase()); }
    void addDatabase(std::shared_ptr<Package> database);

    Package* getDatabase(uint32_t code) const { return m_store->getPackage(code); }
    // Takes the database out of the collection; the caller then owns it (shared with anyone who
    // held it before). Null when there is none.
    std::shared_ptr<Package> detachDatabase(uint32_t code) { return m_store->detachPackage(code); }
    const std::shared_ptr<PackageStore>& getStore() const { return m_store; }

    size_t getFieldCount() const override { return m_store->getFieldCount(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return m_store->makeFieldProxy(index, attributesOnly);
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        return m_store->makeFieldProxyByName(name);
    }

private:
    std::shared_ptr<PackageStore> m_store;
};

} // namespace tarnwick
