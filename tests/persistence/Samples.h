// Small shippable types for the persistence tests: a record with a member of every unit kind, a
// nested record, an array of items and a preferences package.
#pragma once

#include <vector>

#include "Environment/DataBufferIn.h"
#include "Environment/DataBufferOut.h"
#include "Environment/Guid.h"
#include "persistence/Package.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLTypeProxy.h"
#include "persistence/XMLWriter.h"

namespace samples {

using namespace tarnwick;

struct Point : XMLAssembly {
    double x = 0, y = 0;
    Point() : XMLAssembly(String("point")) {}
    void reset() override { x = y = 0; }
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool) override {
        if (index == 0) return std::make_unique<XMLTypeProxy<double>>(&x, String("x"), true);
        if (index == 1) return std::make_unique<XMLTypeProxy<double>>(&y, String("y"), true);
        return nullptr;
    }
};

struct Item : XMLAssembly {
    String name;
    unsigned int weight = 0;
    bool refuse = false; // afterRead refuses an item named "refuse"
    Item() : XMLAssembly(String("item")) {}
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&name, String("name"), true);
        if (index == 1 && !attributesOnly)
            return std::make_unique<XMLTypeProxy<unsigned int>>(&weight, String("weight"));
        return nullptr;
    }
    bool afterRead() override { return name != "refuse"; }
};

// An array of items; "item" elements make new ones, "label" is a fixed attribute.
struct ItemList : XMLArray {
    String label;
    std::vector<Item> items;
    ItemList() : XMLArray(String("items")) {}
    void reset() override {
        label.clear();
        items.clear();
    }
    size_t getFieldCount() const override { return items.size() + 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&label, String("label"), true);
        if (attributesOnly || index > items.size()) return nullptr;
        return std::make_unique<XMLAssemblyProxy>(items[index - 1]);
    }
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override {
        return name == "label" ? makeFieldProxy(0, true) : nullptr;
    }
    std::unique_ptr<XMLShipping> makeMember(const String& name) override {
        if (name != "item") return nullptr;
        items.emplace_back();
        return std::make_unique<XMLAssemblyProxy>(items.back());
    }
};

// A member of every unit kind, a nested assembly and an array.
struct Sample : XMLAssembly {
    String title;
    bool flag = false;
    unsigned int count = 0;
    unsigned long long big = 0;
    double real = 0;
    Guid id;
    String note;           // an attribute
    unsigned int code = 0; // an attribute
    String hidden;         // disabled while empty
    Point origin;
    ItemList list;

    Sample() : XMLAssembly(String("sample")) {}
    void reset() override {
        title.clear();
        flag = false;
        count = 0;
        big = 0;
        real = 0;
        id.clear();
        note.clear();
        code = 0;
        hidden.clear();
        origin.reset();
        list.reset();
    }
    size_t getFieldCount() const override { return 11; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&note, String("note"), true);
        if (index == 1) return std::make_unique<XMLTypeProxy<unsigned int>>(&code, String("code"), true);
        if (attributesOnly) return nullptr;
        if (index == 2) return std::make_unique<XMLTypeProxy<String>>(&title, String("title"));
        if (index == 3) return std::make_unique<XMLTypeProxy<bool>>(&flag, String("flag"));
        if (index == 4) return std::make_unique<XMLTypeProxy<unsigned int>>(&count, String("count"));
        if (index == 5) return std::make_unique<XMLTypeProxy<unsigned long long>>(&big, String("big"));
        if (index == 6) return std::make_unique<XMLTypeProxy<double>>(&real, String("real"));
        if (index == 7) return std::make_unique<XMLUnitKey<Guid>>(&id, String("id"), false, false);
        if (index == 8) {
            auto proxy = std::make_unique<XMLTypeProxy<String>>(&hidden, String("hidden"));
            proxy->setEnabled(!hidden.isEmpty());
            return proxy;
        }
        if (index == 9) return std::make_unique<XMLAssemblyProxy>(origin, String("origin"));
        if (index == 10) return std::make_unique<XMLArrayProxy>(list);
        return nullptr;
    }
};

// The product's kind of preferences package.
struct Prefs : Package {
    static constexpr uint32_t Code = fourCC("TPRF");
    String path;
    bool warned = true;
    unsigned int level = 0; // afterRead refuses 666
    Prefs() : Package(String("testPrefs")) {}
    std::unique_ptr<Package> clone() const override { return std::make_unique<Prefs>(*this); }
    uint32_t getCode() const override { return Code; }
    void reset() override {
        path.clear();
        warned = true;
        level = 0;
    }
    bool afterRead() override { return level != 666; }
    size_t getFieldCount() const override { return 3; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (attributesOnly) return nullptr;
        if (index == 0) return std::make_unique<XMLTypeProxy<String>>(&path, String("path"));
        if (index == 1) return std::make_unique<XMLTypeProxy<bool>>(&warned, String("warned"));
        if (index == 2) return std::make_unique<XMLTypeProxy<unsigned int>>(&level, String("level"));
        return nullptr;
    }
};

// A second package kind, to tell packages apart in one store.
struct Counter : Package {
    static constexpr uint32_t Code = fourCC("TCNT");
    unsigned int value = 0;
    Counter() : Package(String("counter")) {}
    std::unique_ptr<Package> clone() const override { return std::make_unique<Counter>(*this); }
    uint32_t getCode() const override { return Code; }
    void reset() override { value = 0; }
    size_t getFieldCount() const override { return 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool) override {
        return index == 0 ? std::make_unique<XMLTypeProxy<unsigned int>>(&value, String("value")) : nullptr;
    }
};

inline std::string writeXML(XMLShipping& root, bool pretty = true, bool declaration = true,
                            bool auxiliary = false) {
    String text;
    DataBufferOut out;
    if (!out.open(text)) return "<failed: no sink>";
    XMLWriter writer(out);
    bool ok = writer.write(root, declaration, 1, pretty, auxiliary);
    ok = out.close() && ok;
    return ok ? text.bytes() : std::string("<failed: ") + writer.getError().bytes() + ">";
}

inline bool readXML(const std::string& text, XMLShipping& root, String* error = nullptr,
                    size_t maxDepth = XMLMaxDepth) {
    DataBufferIn in{String(text)};
    XMLReader reader(in);
    reader.setMaxDepth(maxDepth);
    bool ok = reader.read(root);
    if (error) *error = reader.getError();
    return ok;
}

} // namespace samples
