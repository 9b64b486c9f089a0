// A user database: records kept by key (a Guid), held as a package and shipped as XML. Db is the
// concrete database class (it supplies getCode, clone and makeRecord), Collection the document
// type that carries databases to and from files.
//
// XML: the database's element holds "default" (the default record's key, only while it is
// valid) and the record map (element name given at construction, "records" by default). Each
// record is written as its own element with its key as an attribute ("id" by default). Reading
// makes each record through makeRecord by its element name (null: the element is skipped), reads
// it, and adds it unless its key is already present; a record without a usable key, or one whose
// afterRead refuses, fails the read. Entries without a record (placeholders) are not written, and
// are dropped after a read.
#pragma once

#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <type_traits>
#include <vector>

#include "Environment/Guid.h"
#include "persistence/Package.h"
#include "persistence/XMLTypeProxy.h"

namespace tarnwick {

template <class Record, class Db, class Collection, class Key = Guid> class UserDatabase : public Package {
public:
    using RecordPtr = std::shared_ptr<Record>;
    using RecordMap = std::map<Key, RecordPtr>;
    using iterator = typename RecordMap::iterator;
    using const_iterator = typename RecordMap::const_iterator;
    using CollectionType = Collection;

    // A record filter, shared between the views that use it.
    class Filter {
    public:
        virtual ~Filter() = default;
        virtual bool accept(const Key& key, const Record& record) const = 0;
    };
    using FilterList = std::vector<std::shared_ptr<const Filter>>;

    // A view of a database: the records that every filter accepts (all of them without filters).
    class FilteredProxy {
    public:
        explicit FilteredProxy(std::shared_ptr<Db> database, FilterList filters = FilterList())
            : m_database(std::move(database)), m_filters(std::move(filters)) {}

        Db* getDatabase() const { return m_database.get(); }
        const std::shared_ptr<Db>& getSharedDatabase() const { return m_database; }
        const FilterList& getFilters() const { return m_filters; }
        void addFilter(std::shared_ptr<const Filter> filter) {
            if (filter) m_filters.push_back(std::move(filter));
        }
        void clearFilters() { m_filters.clear(); }

        // A missing record is never accepted; the first refusal decides.
        bool accepts(const Key& key, const Record* record) const {
            if (record == nullptr) return false;
            for (const auto& filter : m_filters)
                if (!filter->accept(key, *record)) return false;
            return true;
        }
        // The record when the view shows it, else null.
        RecordPtr getRecord(const Key& key) const {
            if (!m_database) return nullptr;
            RecordPtr record = m_database->getRecord(key);
            return accepts(key, record.get()) ? record : nullptr;
        }
        // The records the view shows, in key order.
        template <class Visit> void forEach(Visit visit) const {
            if (!m_database) return;
            for (const auto& [key, record] : *m_database)
                if (accepts(key, record.get())) visit(key, record);
        }
        size_t count() const {
            size_t n = 0;
            forEach([&](const Key&, const RecordPtr&) { ++n; });
            return n;
        }
        // What a document of the view holds: the database itself without filters, else a new
        // database with copies of the records the view shows.
        std::shared_ptr<Db> makeDocumentDatabase() const {
            if (!m_database || m_filters.empty()) return m_database;
            return std::shared_ptr<Db>(m_database->copyIf(
                [this](const Key& key, const Record& record) { return accepts(key, &record); }));
        }

    private:
        std::shared_ptr<Db> m_database;
        FilterList m_filters;
    };

    // A handle on one record of a view; it follows the database, so it answers null once the
    // record is gone or the view no longer shows it.
    class RecordProxy {
    public:
        RecordProxy(FilteredProxy view, const Key& key) : m_view(std::move(view)), m_key(key) {}
        const Key& getKey() const { return m_key; }
        RecordPtr get() const { return m_view.getRecord(m_key); }
        explicit operator bool() const { return get() != nullptr; }

    private:
        FilteredProxy m_view;
        Key m_key;
    };

    explicit UserDatabase(const String& elementName, const String& recordsName = String("records"),
                          const String& keyName = String("id"))
        : Package(elementName), m_list(*this, recordsName), m_keyName(keyName) {
        static_assert(std::is_base_of_v<XMLShipping, Record>, "records travel as XML");
    }
    // The copy shares the records.
    UserDatabase(const UserDatabase& other)
        : Package(other), m_records(other.m_records), m_default(other.m_default), m_list(*this, other.m_list),
          m_keyName(other.m_keyName) {}
    UserDatabase& operator=(const UserDatabase&) = delete;

    // Records.
    size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }
    iterator begin() { return m_records.begin(); }
    iterator end() { return m_records.end(); }
    const_iterator begin() const { return m_records.begin(); }
    const_iterator end() const { return m_records.end(); }
    iterator find(const Key& key) { return m_records.find(key); }
    const_iterator find(const Key& key) const { return m_records.find(key); }
    bool contains(const Key& key) const { return m_records.count(key) != 0; }
    RecordPtr getRecord(const Key& key) const {
        auto it = m_records.find(key);
        return it == m_records.end() ? nullptr : it->second;
    }

    // Inserts or overwrites the entry; an empty key is refused. A null record is a placeholder.
    virtual bool insert(const Key& key, RecordPtr record) {
        if (key == Key()) return false;
        m_records[key] = std::move(record);
        ++m_version;
        return true;
    }
    // A record for a valid key: a placeholder for the key is dropped first; an existing record is
    // replaced when acceptsReplacement allows it, else kept. True when the record was stored.
    virtual bool put(const Key& key, RecordPtr record) {
        if (key == Key() || !record) return false;
        auto it = m_records.find(key);
        if (it != m_records.end() && !it->second) {
            m_records.erase(it);
            it = m_records.end();
        }
        if (it != m_records.end() && !acceptsReplacement(*it->second, *record)) return false;
        return insert(key, std::move(record));
    }
    virtual bool remove(const Key& key) {
        if (m_records.erase(key) == 0) return false;
        ++m_version;
        return true;
    }
    void erase(iterator it) {
        m_records.erase(it);
        ++m_version;
    }
    // Drops the placeholders.
    void purge() {
        for (auto it = m_records.begin(); it != m_records.end();)
            it = it->second ? std::next(it) : m_records.erase(it);
        ++m_version;
    }

    const Key& getDefaultRecordId() const { return m_default; }
    void setDefaultRecordId(const Key& key) { m_default = key; }
    const String& getKeyName() const { return m_keyName; }

    // A new, empty record for a stored element of that name, or null to skip the element.
    virtual RecordPtr makeRecord(const String& elementName) const = 0;
    // Whether a stored record gives way to another under the same key.
    virtual bool acceptsReplacement(const Record&, const Record&) const { return true; }
    virtual RecordPtr cloneRecord(const Record& record) const { return RecordPtr(record.clone()); }

    // A new database of the same class (cloneDefault) with copies of the records the filter
    // accepts (every record without a filter); placeholders are left out.
    std::unique_ptr<Db> copyFiltered(const Filter* filter) const {
        return copyIf([filter](const Key& key, const Record& record) {
            return !filter || filter->accept(key, record);
        });
    }
    template <class Accept> std::unique_ptr<Db> copyIf(Accept accept) const {
        std::unique_ptr<Package> fresh = this->cloneDefault();
        std::unique_ptr<Db> copy(dynamic_cast<Db*>(fresh.get()));
        if (!copy) return nullptr;
        fresh.release();
        for (const auto& [key, record] : m_records)
            if (record && accept(key, *record)) copy->insert(key, cloneRecord(*record));
        copy->setDefaultRecordId(m_default);
        return copy;
    }

    // Package: merging puts every record of another database of the same class here.
    void merge(const Package& other) override {
        const auto* database = dynamic_cast<const Db*>(&other);
        if (database == nullptr || database == this) return;
        for (const auto& [key, record] : database->m_records)
            put(key, record);
    }

    // Shipping.
    void reset() override {
        m_records.clear();
        m_default = Key();
        ++m_version;
    }
    bool afterRead() override {
        purge();
        return true;
    }
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly) return nullptr;
        if (index == 0) {
            auto proxy = std::make_unique<XMLTypeProxy<Key>>(&m_default, String("default"));
            proxy->setEnabled(m_default != Key());
            return proxy;
        }
        if (index == 1) return std::make_unique<XMLContainerProxy>(m_list);
        return nullptr;
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == "default") return makeFieldProxy(0, false);
        if (name == m_list.getElementName()) return makeFieldProxy(1, false);
        return nullptr;
    }

private:
    // One record under its key: the key as an attribute, then the record's own members.
    class Entry : public XMLShipping, public ShippingContainer {
    public:
        // Writing an existing record.
        Entry(const Key& key, RecordPtr record)
            : XMLShipping(record->getElementName()), m_key(key), m_record(std::move(record)) {}
        // Reading a new record into the database.
        Entry(UserDatabase& owner, RecordPtr record)
            : XMLShipping(record->getElementName()), m_record(std::move(record)), m_owner(&owner) {}

        bool isEnabled() const override { return m_record->isEnabled(); }
        bool afterRead() override {
            if (!m_record->afterRead() || m_key == Key()) return false;
            if (m_owner && !m_owner->contains(m_key)) m_owner->insert(m_key, m_record);
            return true;
        }
        size_t getFieldCount() const override {
            return 1 + (recordFields() ? recordFields()->getFieldCount() : 0);
        }
        std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
            if (index == 0) return std::make_unique<XMLUnitKey<Key>>(&m_key, keyName());
            ShippingContainer* fields = recordFields();
            return fields ? fields->makeFieldProxy(index - 1, attributesOnly) : nullptr;
        }
        std::unique_ptr<XMLShipping> makeMember(const String& name) override {
            ShippingContainer* fields = recordFields();
            return fields ? fields->makeMember(name) : nullptr;
        }
        std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
            if (name == keyName()) return makeFieldProxy(0, false);
            ShippingContainer* fields = recordFields();
            return fields ? fields->makeFieldProxyByName(name) : nullptr;
        }
        bool isSequence() const override { return recordFields() && recordFields()->isSequence(); }
        ShippingContainer* asContainer() override { return this; }
        void setKeyName(const String& name) { m_keyName = name; }

    private:
        ShippingContainer* recordFields() const { return static_cast<XMLShipping&>(*m_record).asContainer(); }
        String keyName() const { return m_keyName; }

        Key m_key{};
        RecordPtr m_record;
        UserDatabase* m_owner = nullptr;
        String m_keyName = String("id");
    };

    // The record map as XML. Written in key order; the last position is remembered so that
    // writing n records takes n steps, not n squared.
    class RecordList : public XMLMap {
    public:
        RecordList(UserDatabase& owner, const String& name) : XMLMap(name), m_owner(owner) {}
        RecordList(UserDatabase& owner, const RecordList& other) : XMLMap(other), m_owner(owner) {}

        size_t getFieldCount() const override { return m_owner.m_records.size(); }
        std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
            if (attributesOnly || index >= m_owner.m_records.size()) return nullptr;
            if (m_version != m_owner.m_version || index != m_index + 1 || index == 0) {
                m_at = std::next(m_owner.m_records.begin(), static_cast<std::ptrdiff_t>(index));
            } else {
                ++m_at;
            }
            m_index = index;
            m_version = m_owner.m_version;
            if (!m_at->second) return nullptr;
            auto entry = std::make_unique<Entry>(m_at->first, m_at->second);
            entry->setKeyName(m_owner.m_keyName);
            return entry;
        }
        std::unique_ptr<XMLShipping> makeMember(const String& name) override {
            RecordPtr record = m_owner.makeRecord(name);
            if (!record) return nullptr;
            auto entry = std::make_unique<Entry>(m_owner, std::move(record));
            entry->setKeyName(m_owner.m_keyName);
            return entry;
        }
        void reset() override { m_owner.reset(); }

    private:
        UserDatabase& m_owner;
        iterator m_at{};
        size_t m_index = 0;
        uint64_t m_version = ~uint64_t(0);
    };

    RecordMap m_records;
    Key m_default{};
    RecordList m_list;
    String m_keyName;
    uint64_t m_version = 0;
};

} // namespace tarnwick
