// The common shape of the attribute wrappers that cache a host record of their own kind: the
// record is fetched from the link's attribute database on first use; when the database has no
// attribute of this class there, the wrapper falls back to an empty record of its kind.
#pragma once

#include <cstring>
#include <memory>
#include <type_traits>

#include "project/Attribute.h"
#include "project/Specification.h"

namespace tarnwick {

template <class Self, class Record, uint8_t Code> class RecordAttribute : public Attribute {
    static_assert(std::is_trivially_copyable_v<Record> && sizeof(Record) <= sizeof(API_Attribute));

public:
    static constexpr uint8_t TypeCode = Code;

    // The factory's creator: a wrapper of a host record of this kind; null for another kind.
    static std::unique_ptr<Attribute> create(const API_Attribute& record, const AttributeLink& link) {
        if (record.header.typeCode != Code) return nullptr;
        return std::make_unique<Self>(record, link);
    }

    std::unique_ptr<Attribute> clone() const override {
        return std::make_unique<Self>(static_cast<const Self&>(*this));
    }
    uint8_t getTypeCode() const override { return Code; }
    std::unique_ptr<API_Attribute> makeRecord() const override {
        auto full = std::make_unique<API_Attribute>();
        std::memcpy(full->raw, &record(), sizeof(Record));
        full->header.typeCode = Code;
        return full;
    }
    AttributeMemoPtr makeMemo() const override { return nullptr; }
    const HostAttributeHeader& getRecord() const override { return record().header; }
    HostAttributeHeader& getRecord() override { return record().header; }

    // The cached record of this kind, loaded on first use.
    const Record& record() const {
        load();
        return *m_record;
    }
    Record& record() {
        load();
        return *m_record;
    }
    bool isLoaded() const { return m_record != nullptr; }

protected:
    // An empty record of the kind, unbound (see fallback).
    RecordAttribute() : Attribute(AttributeLink(), Code) {
        m_link.setType(Code);
        m_record = std::make_unique<Record>();
        Self::fillFallback(*m_record);
    }
    // The record is loaded on first use.
    explicit RecordAttribute(const AttributeLink& link) : Attribute(link, Code) {}
    // The factory's form: a copy of the host record.
    RecordAttribute(const API_Attribute& record, const AttributeLink& link) : Attribute(link, Code) {
        m_record = std::make_unique<Record>();
        std::memcpy(static_cast<void*>(m_record.get()), record.raw, sizeof(Record));
    }
    RecordAttribute(const RecordAttribute& other)
        : Attribute(other), m_record(other.m_record ? std::make_unique<Record>(*other.m_record) : nullptr) {}
    RecordAttribute& operator=(const RecordAttribute& other) {
        if (this != &other) {
            Attribute::operator=(other);
            m_record = other.m_record ? std::make_unique<Record>(*other.m_record) : nullptr;
        }
        return *this;
    }

    // Hooks a kind may replace (not virtual: called through Self; a kind that replaces them
    // befriends this template).
    // The empty record of the kind; zeroed unless a kind says more.
    static void fillFallback(Record&) {}
    // Whether the fallback drops the link.
    static constexpr bool fallbackUnlinks = false;
    // Called once a record is in place, however it came.
    void recordLoaded() const {}

    // Replaces the cached record (the kind's name constructors make new ones).
    void setRecord(std::unique_ptr<Record> record) const {
        m_record = std::move(record);
        static_cast<const Self*>(this)->recordLoaded();
    }

private:
    void load() const {
        if (m_record) return;
        if (Specification* database = m_link.getDatabase()) {
            std::unique_ptr<Attribute> found = database->get(m_link);
            auto* same = dynamic_cast<const Self*>(found.get());
            if (same != nullptr && same->isLoaded()) {
                m_record = std::make_unique<Record>(*static_cast<const RecordAttribute*>(same)->m_record);
                static_cast<const Self*>(this)->recordLoaded();
                return;
            }
        }
        m_record = std::make_unique<Record>();
        Self::fillFallback(*m_record);
        if (Self::fallbackUnlinks) dropLink();
        static_cast<const Self*>(this)->recordLoaded();
    }

    mutable std::unique_ptr<Record> m_record;
};

} // namespace tarnwick
