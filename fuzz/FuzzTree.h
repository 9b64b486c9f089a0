// A tree shaped like the documents the module reads from outside: a store of packages holding
// preferences and a keyed database of records, and an array of annotation-like records with
// attributes, every unit kind, nested assemblies and an array of their own.
#pragma once

#include <vector>

#include "../tests/persistence/Samples.h"
#include "persistence/DeletedDatabase.h"
#include "persistence/PackageStore.h"
#include "persistence/UserDatabase.h"
#include "persistence/XMLTypeProxy.h"

namespace fuzztree {

using namespace tarnwick;
using samples::Prefs;

struct Range : XMLAssembly {
    unsigned long long row = 0, count = 1;
    Range() : XMLAssembly(String("indexRange")) {}
    void reset() override { row = count = 0; }
    bool afterRead() override { return count > 0; }
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly) return nullptr;
        if (index == 0) return std::make_unique<XMLTypeProxy<unsigned long long>>(&row, String("row"));
        if (index == 1) return std::make_unique<XMLTypeProxy<unsigned long long>>(&count, String("count"));
        return nullptr;
    }
};

struct Record : XMLAssembly {
    unsigned int commandID = 0;
    String section, code, number, title;
    bool accepted = false;
    double x = 0;
    Guid link;
    Range range;
    Record() : XMLAssembly(String("annotation")) {}
    std::unique_ptr<Record> clone() const { return std::make_unique<Record>(*this); }
    bool afterRead() override { return number != "refuse"; }
    size_t getFieldCount() const override { return 9; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index == 0)
            return std::make_unique<XMLTypeProxy<unsigned int>>(&commandID, String("commandID"), true);
        if (attributesOnly) return nullptr;
        switch (index) {
        case 1:
            return std::make_unique<XMLTypeProxy<String>>(&section, String("section"));
        case 2:
            return std::make_unique<XMLTypeProxy<String>>(&code, String("code"));
        case 3:
            return std::make_unique<XMLTypeProxy<String>>(&number, String("number"));
        case 4:
            return std::make_unique<XMLTypeProxy<String>>(&title, String("zavTitle"));
        case 5:
            return std::make_unique<XMLTypeProxy<bool>>(&accepted, String("isAccepted"));
        case 6:
            return std::make_unique<XMLTypeProxy<double>>(&x, String("x"));
        case 7:
            return std::make_unique<XMLTypeProxy<Guid>>(&link, String("link"));
        case 8:
            return std::make_unique<XMLAssemblyProxy>(range);
        default:
            return nullptr;
        }
    }
};

struct RecordList : XMLArray {
    String parent, version;
    std::vector<Record> records;
    RecordList() : XMLArray(String("annotations")) {}
    size_t getFieldCount() const override { return records.size() + 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&parent, String("parent"), true);
        if (index == 1) return std::make_unique<XMLTypeProxy<String>>(&version, String("version"), true);
        if (attributesOnly || index - 2 >= records.size()) return nullptr;
        return std::make_unique<XMLAssemblyProxy>(records[index - 2]);
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == "parent") return makeFieldProxy(0, true);
        if (name == "version") return makeFieldProxy(1, true);
        return nullptr;
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (name != "annotation") return nullptr;
        records.emplace_back();
        return std::make_unique<XMLAssemblyProxy>(records.back());
    }
};

class RecordDatabase : public UserDatabase<Record, RecordDatabase, UserDatabaseCollection> {
public:
    RecordDatabase() : UserDatabase(String("recordDatabase")) {}
    std::unique_ptr<Package> clone() const override { return std::make_unique<RecordDatabase>(*this); }
    uint32_t getCode() const override { return fourCC("RDBS"); }
    RecordPtr makeRecord(const String& name) const override {
        return name == "annotation" ? std::make_shared<Record>() : nullptr;
    }
};

// The root: a store with the packages, and the record list as one more member.
struct Document : PackageStore {
    RecordList list;
    Document() : PackageStore(String("frameworkPreferenceStore")) {
        putPackage(Prefs());
        putPackage(RecordDatabase());
        putPackage(DeletedDatabase());
    }
    size_t getFieldCount() const override { return PackageStore::getFieldCount() + 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index < PackageStore::getFieldCount()) return PackageStore::makeFieldProxy(index, attributesOnly);
        return attributesOnly ? nullptr : std::make_unique<XMLArrayProxy>(list);
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        if (name == list.getElementName()) return std::make_unique<XMLArrayProxy>(list);
        return PackageStore::makeFieldProxyByName(name);
    }
};

} // namespace fuzztree
