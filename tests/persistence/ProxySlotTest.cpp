// Proxies made in a reused slot, member names looked up through tables, literal element names,
// and the reader and writer over them: nothing carried from one element to the next.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Samples.h"

using namespace tarnwick;
using namespace samples;

namespace {

int alive = 0;

// Counts its lives; Big does not fit a slot's room.
struct Counted : XMLTypeProxy<String> {
    Counted(String* value, const char* tag) : XMLTypeProxy<String>(value, String(tag)) { ++alive; }
    ~Counted() override { --alive; }
};
struct Big : Counted {
    char ballast[ProxySlot::Room] = {};
    using Counted::Counted;
};

// Members whose names an object may change (names[0] and names[1]); the default by-name lookup
// serves it.
struct Renamed : XMLAssembly {
    String first, second, third;
    std::string names[3] = {"first", "second", "third"};
    size_t count = 2;
    Renamed() : XMLAssembly(String("renamed")) {}
    size_t getFieldCount() const override { return count; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool) override {
        String* values[] = {&first, &second, &third};
        if (index >= count) return nullptr;
        return std::make_unique<XMLTypeProxy<String>>(values[index], String(names[index]));
    }
};

// Two kinds with the same by-name lookup, the second one member more.
struct Plain : XMLAssembly {
    String code, codeNumber;
    Plain() : XMLAssembly(String("plain")) {}
    size_t getFieldCount() const override { return 2; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return ProxySlot::owned(
            [&](ProxySlot& slot) { return placeFieldProxy(index, attributesOnly, slot); });
    }
    XMLShipping* placeFieldProxy(size_t index, bool, ProxySlot& slot) override {
        if (index == 0) return slot.make<XMLTypeProxy<String>>(&code, LiteralName("code"));
        if (index == 1) return slot.make<XMLTypeProxy<String>>(&codeNumber, LiteralName("codeNumber"));
        return nullptr;
    }
    XMLShipping* placeFieldProxyByName(const String& name, ProxySlot& slot) override {
        return placeNamedField(name, slot);
    }
};
struct Extended : Plain {
    String cod;
    size_t getFieldCount() const override { return 3; }
    XMLShipping* placeFieldProxy(size_t index, bool attributesOnly, ProxySlot& slot) override {
        if (index == 2) return slot.make<XMLTypeProxy<String>>(&cod, LiteralName("cod"));
        return Plain::placeFieldProxy(index, attributesOnly, slot);
    }
};

// Plain's members listed the other way round: the longer name first.
struct Reversed : XMLAssembly {
    String code, codeNumber;
    Reversed() : XMLAssembly(String("reversed")) {}
    size_t getFieldCount() const override { return 2; }
    XMLShipping* placeFieldProxy(size_t index, bool, ProxySlot& slot) override {
        if (index == 0) return slot.make<XMLTypeProxy<String>>(&codeNumber, LiteralName("codeNumber"));
        if (index == 1) return slot.make<XMLTypeProxy<String>>(&code, LiteralName("code"));
        return nullptr;
    }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return ProxySlot::owned(
            [&](ProxySlot& slot) { return placeFieldProxy(index, attributesOnly, slot); });
    }
    XMLShipping* placeFieldProxyByName(const String& name, ProxySlot& slot) override {
        return placeNamedField(name, slot);
    }
};

// Units whose names and texts take each length from 1 to 17, under `depth` levels of nesting.
struct Lengths : XMLAssembly {
    std::vector<std::string> names;
    std::vector<String> texts;
    std::unique_ptr<Lengths> inner;
    explicit Lengths(size_t depth) : XMLAssembly(String("n")) {
        if (depth > 0) {
            inner = std::make_unique<Lengths>(depth - 1);
            return;
        }
        for (size_t length = 1; length <= 17; ++length) {
            names.push_back(std::string(length, 'x'));
            texts.push_back(String(std::string(length, 'y')));
        }
    }
    size_t getFieldCount() const override { return inner ? 1 : names.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        if (inner)
            return index == 0 && !attributesOnly ? std::make_unique<XMLAssemblyProxy>(*inner) : nullptr;
        if (attributesOnly && index % 2 == 0) return nullptr;
        return std::make_unique<XMLTypeProxy<String>>(&texts[index], LiteralName(names[index]),
                                                      index % 2 == 1);
    }
};

// Which member a by-name proxy writes to: its text read back after setting it.
std::string reached(XMLShipping* member) {
    XMLUnit* unit = member ? member->asUnit() : nullptr;
    if (!unit) return "none";
    if (!unit->readText(String("hit"))) return "refused";
    return std::string(unit->getElementName().view());
}

} // namespace

TEST(ProxySlot, MakesInPlaceOrOnTheHeapAndEndsEachProxyOnce) {
    alive = 0;
    String a, b;
    {
        ProxySlot slot;
        Counted* first = slot.make<Counted>(&a, "a");
        EXPECT_EQ(slot.get(), first);
        EXPECT_EQ(alive, 1);
        Big* second = slot.make<Big>(&b, "b"); // too big for the room: on the heap
        EXPECT_EQ(alive, 1);
        EXPECT_EQ(slot.get(), second);
        EXPECT_EQ(second->getElementName(), "b");
        slot.make<Counted>(&a, "c");
        EXPECT_EQ(alive, 1);
        slot.clear();
        EXPECT_EQ(alive, 0);
        EXPECT_EQ(slot.get(), nullptr);
        slot.adopt(std::make_unique<Counted>(&a, "d"));
        EXPECT_EQ(alive, 1);
        slot.adopt(nullptr);
        EXPECT_EQ(alive, 0);
        slot.make<Counted>(&a, "e");
    }
    EXPECT_EQ(alive, 0); // the slot's end ends its proxy
}

TEST(ProxySlot, OwnedHandsOverWhatThePlacingMadeAndNothingElse) {
    alive = 0;
    String a;
    std::unique_ptr<XMLShipping> made =
        ProxySlot::owned([&](ProxySlot& slot) { return slot.make<Counted>(&a, "a"); });
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(made->getElementName(), "a");
    made.reset();
    EXPECT_EQ(alive, 0);

    Counted elsewhere(&a, "x");
    EXPECT_EQ(ProxySlot::owned([&](ProxySlot& slot) {
                  slot.make<Counted>(&a, "y");
                  return &elsewhere;
              }),
              nullptr);
    EXPECT_EQ(ProxySlot::owned([](ProxySlot&) { return static_cast<XMLShipping*>(nullptr); }), nullptr);
    EXPECT_EQ(alive, 1); // only the one on the stack
}

TEST(FieldNameTable, FindsExactNamesFirstIndexFirst) {
    FieldNameTable table{"code", "codeNumber", "cod", "c", "code", "originalDisplayTitle"};
    EXPECT_EQ(table.size(), 6u);
    EXPECT_EQ(table.find("code"), 0u);
    EXPECT_EQ(table.find("codeNumber"), 1u);
    EXPECT_EQ(table.find("cod"), 2u);
    EXPECT_EQ(table.find("c"), 3u);
    EXPECT_EQ(table.find("originalDisplayTitle"), 5u);
    for (const char* unknown : {"co", "codeNumbe", "codeNumberX", "Code", "", "originalDisplayTitlE"})
        EXPECT_EQ(table.find(unknown), FieldNameTable::npos) << unknown;
    EXPECT_EQ(FieldNameTable().find("code"), FieldNameTable::npos);
}

TEST(FieldNameTable, ManyNamesAlikeInLengthAndEndsAllFindTheirIndex) {
    FieldNameTable table;
    std::vector<std::string> names;
    for (int i = 0; i < 300; ++i) {
        names.push_back("m" + std::to_string(1000 + i) + "x"); // same length, same first and last byte
        table.add(names.back());
    }
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(table.find(names[i]), i);
    EXPECT_EQ(table.find("m0999x"), FieldNameTable::npos);
}

TEST(ShippingByName, TheTypesTableFindsEachKindsOwnMembers) {
    Plain plain;
    Extended extended;
    for (ShippingContainer* container :
         {static_cast<ShippingContainer*>(&plain), static_cast<ShippingContainer*>(&extended)}) {
        EXPECT_EQ(reached(container->makeFieldProxyByName(String("code")).get()), "code");
        EXPECT_EQ(reached(container->makeFieldProxyByName(String("codeNumber")).get()), "codeNumber");
        EXPECT_EQ(container->makeFieldProxyByName(String("co")), nullptr);
        EXPECT_EQ(container->makeFieldProxyByName(String("codeNumberX")), nullptr);
    }
    EXPECT_EQ(plain.makeFieldProxyByName(String("cod")), nullptr);
    EXPECT_EQ(reached(extended.makeFieldProxyByName(String("cod")).get()), "cod");
    EXPECT_EQ(extended.cod, "hit");
    EXPECT_EQ(plain.code, "hit");

    // The reader goes the same way.
    Extended read;
    ASSERT_TRUE(
        readXML("<plain><cod>1</cod><code>2</code><codeNumber>3</codeNumber><co>4</co></plain>", read));
    EXPECT_EQ(read.cod, "1");
    EXPECT_EQ(read.code, "2");
    EXPECT_EQ(read.codeNumber, "3");
}

TEST(FieldNameTable, ANameThatBeginsAnotherIsNotTakenForItWhicheverComesFirst) {
    FieldNameTable table;
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i) {
        const std::string name = "n" + std::to_string(i);
        // The longer name first for even i, the shorter first for odd i.
        for (const std::string& each : i % 2 == 0 ? std::vector<std::string>{name + "Number", name}
                                                  : std::vector<std::string>{name, name + "Number"}) {
            names.push_back(each);
            table.add(each);
        }
    }
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(table.find(names[i]), i) << names[i];
    for (int i = 0; i < 200; ++i)
        EXPECT_EQ(table.find("n" + std::to_string(i) + "Num"), FieldNameTable::npos) << i;
}

TEST(ShippingByName, AMemberWhoseNameBeginsAnothersIsNotTakenForItWhicheverIsListedFirst) {
    // Through the type's table.
    Reversed reversed;
    Plain plain;
    for (ShippingContainer* container :
         {static_cast<ShippingContainer*>(&reversed), static_cast<ShippingContainer*>(&plain)}) {
        EXPECT_EQ(reached(container->makeFieldProxyByName(String("code")).get()), "code");
        EXPECT_EQ(reached(container->makeFieldProxyByName(String("codeNumber")).get()), "codeNumber");
    }
    EXPECT_EQ(reversed.code, "hit");
    EXPECT_EQ(reversed.codeNumber, "hit");

    // The table's place of a name holds, in this object, a name that begins it or that it begins.
    Renamed usual; // makes the type's table: first, second
    EXPECT_NE(usual.makeFieldProxyByName(String("first")), nullptr);
    for (const char* other : {"fir", "firstly"}) {
        Renamed renamed;
        renamed.names[0] = other;
        renamed.names[1] = "first";
        EXPECT_EQ(reached(renamed.makeFieldProxyByName(String("first")).get()), "first") << other;
        EXPECT_EQ(renamed.second, "hit") << other;
        EXPECT_TRUE(renamed.first.isEmpty()) << other;
    }

    // Past the table: one more member than the object it was made from, so every name is sought
    // member by member.
    for (bool longerFirst : {true, false}) {
        Renamed longer;
        longer.count = 3;
        longer.names[0] = longerFirst ? "codeNumber" : "code";
        longer.names[1] = longerFirst ? "code" : "codeNumber";
        EXPECT_EQ(reached(longer.makeFieldProxyByName(String("code")).get()), "code") << longerFirst;
        EXPECT_EQ(reached(longer.makeFieldProxyByName(String("codeNumber")).get()), "codeNumber")
            << longerFirst;
        EXPECT_EQ(longer.makeFieldProxyByName(String("cod")), nullptr) << longerFirst;
        EXPECT_EQ(longer.first, "hit");
        EXPECT_EQ(longer.second, "hit");
    }

    // The reader goes the same way.
    Reversed read;
    ASSERT_TRUE(readXML("<reversed><code>1</code><codeNumber>2</codeNumber></reversed>", read));
    EXPECT_EQ(read.code, "1");
    EXPECT_EQ(read.codeNumber, "2");
}

TEST(ShippingByName, NamesAnObjectChangesAreStillFoundFirstInIndexOrder) {
    Renamed usual; // makes the type's table: first, second
    EXPECT_EQ(reached(usual.makeFieldProxyByName(String("second")).get()), "second");
    EXPECT_EQ(usual.second, "hit");

    Renamed swapped; // the table's places hold other names here
    swapped.names[0] = "second";
    swapped.names[1] = "first";
    ASSERT_NE(swapped.makeFieldProxyByName(String("first")), nullptr);
    EXPECT_EQ(reached(swapped.makeFieldProxyByName(String("first")).get()), "first");
    EXPECT_EQ(swapped.second, "hit"); // the member at index 1, which carries that name here
    EXPECT_TRUE(swapped.first.isEmpty());

    Renamed other; // a name the table never saw
    other.names[1] = "other";
    EXPECT_EQ(reached(other.makeFieldProxyByName(String("other")).get()), "other");
    EXPECT_EQ(other.second, "hit");
    EXPECT_EQ(other.makeFieldProxyByName(String("second")), nullptr);

    Renamed twice; // the same name at two places: the first
    twice.names[1] = "first";
    EXPECT_EQ(reached(twice.makeFieldProxyByName(String("first")).get()), "first");
    EXPECT_EQ(twice.first, "hit");
    EXPECT_TRUE(twice.second.isEmpty());

    Renamed longer; // more members than the object the table came from
    longer.count = 3;
    EXPECT_EQ(reached(longer.makeFieldProxyByName(String("third")).get()), "third");
    EXPECT_EQ(longer.third, "hit");
    EXPECT_EQ(usual.makeFieldProxyByName(String("third")), nullptr);
}

TEST(ProxyReuse, AnElementMissingAMemberTheOneBeforeHadLeavesItAlone) {
    ItemList list;
    ASSERT_TRUE(readXML("<items label=\"L\">"
                        "<item name=\"a\"><weight>5</weight></item>"
                        "<item></item>"
                        "<item name=\"c\"/>"
                        "</items>",
                        list));
    ASSERT_EQ(list.items.size(), 3u);
    EXPECT_EQ(list.items[0].name, "a");
    EXPECT_EQ(list.items[0].weight, 5u);
    EXPECT_TRUE(list.items[1].name.isEmpty());
    EXPECT_EQ(list.items[1].weight, 0u);
    EXPECT_EQ(list.items[2].name, "c");
    EXPECT_EQ(list.items[2].weight, 0u);

    // Texts of one unit do not run into the next, nor into one that holds none.
    Sample s;
    ASSERT_TRUE(readXML("<sample note=\"n\"><title>first</title><hidden/><origin y=\"2\"/></sample>", s));
    EXPECT_EQ(s.title, "first");
    EXPECT_TRUE(s.hidden.isEmpty());
    EXPECT_EQ(s.origin.x, 0);
    EXPECT_EQ(s.origin.y, 2);
}

TEST(LiteralName, ShipsLikeAStringNameUntilANameIsSet) {
    String value("v");
    XMLTypeProxy<String> literal(&value, LiteralName("tag"), true);
    EXPECT_EQ(literal.getElementName(), "tag");
    EXPECT_TRUE(literal.isAttribute());
    String scratch;
    EXPECT_EQ(literal.viewElementName(scratch), "tag");
    literal.setElementName(String("other"));
    EXPECT_EQ(literal.getElementName(), "other");
    EXPECT_EQ(literal.viewElementName(scratch), "other");
    XMLUnitKey<Guid> key(nullptr, LiteralName("id"));
    EXPECT_EQ(key.getElementName(), "id");
    EXPECT_TRUE(key.isAttribute());

    Plain p;
    p.code = String("a<b");
    p.codeNumber = String("12345678901234567");
    EXPECT_EQ(writeXML(p, false, false),
              "<plain><code>a&lt;b</code><codeNumber>12345678901234567</codeNumber></plain>");
}

TEST(XMLWriter, NamesTextsAndIndentsOfEveryShortLengthAreWrittenWhole) {
    Lengths root(10);
    std::string expected;
    for (size_t level = 0; level < 10; ++level)
        expected += std::string(level, '\t') + "<n>\n";
    expected += std::string(10, '\t') + "<n";
    for (size_t length = 2; length <= 17; length += 2) // the odd indices are attributes
        expected += " " + std::string(length, 'x') + "=\"" + std::string(length, 'y') + "\"";
    expected += ">\n";
    for (size_t length = 1; length <= 17; length += 2)
        expected += std::string(11, '\t') + "<" + std::string(length, 'x') + ">" + std::string(length, 'y') +
                    "</" + std::string(length, 'x') + ">\n";
    expected += std::string(10, '\t') + "</n>\n";
    for (size_t level = 10; level-- > 0;)
        expected += std::string(level, '\t') + "</n>\n";
    EXPECT_EQ(writeXML(root, true, false), expected);
}

TEST(XMLContainerProxy, AnswersTheTargetsContainerOrNoneForAUnit) {
    Point point;
    XMLAssemblyProxy proxy(point, String("corner"));
    EXPECT_EQ(proxy.asContainer(), static_cast<ShippingContainer*>(&point));
    EXPECT_EQ(proxy.getElementName(), "corner");

    String value("v");
    XMLTypeProxy<String> unit(&value, String("u"));
    XMLContainerProxy overUnit(unit, String("tag"));
    EXPECT_EQ(overUnit.asContainer(), nullptr);
    EXPECT_EQ(overUnit.getFieldCount(), 0u);
    EXPECT_EQ(writeXML(overUnit, false, false), "<tag/>");
    ASSERT_TRUE(readXML("<tag u=\"w\"><u>x</u></tag>", overUnit));
    EXPECT_EQ(value, "v");
}

TEST(LiteralName, IsFoundUsableOnceAndTheWriterStillRefusesAnUnusableOne) {
    static_assert(LiteralName("zavTitle").isUsable());
    static_assert(LiteralName("_a:b-c.9").isUsable());
    for (const char* bad : {"", "9a", "-a", ".a", "a b", "a/b", "a<b", "\xC3\xA9t\xC3\xA9", "a\tb"})
        EXPECT_FALSE(LiteralName(bad).isUsable()) << bad;

    String value("v");
    XMLTypeProxy<String> good(&value, LiteralName("ok"));
    String scratch;
    EXPECT_TRUE(good.isCheckedName(good.viewElementName(scratch)));
    const std::string copy("ok");
    EXPECT_FALSE(good.isCheckedName(copy)); // the same text elsewhere is no proof
    good.setElementName(String("ok"));
    EXPECT_FALSE(good.isCheckedName(good.viewElementName(scratch)));

    // A literal name that is no usable name fails the write as any other.
    struct Holder : XMLAssembly {
        String value;
        Holder() : XMLAssembly(String("holder")) {}
        size_t getFieldCount() const override { return 1; }
        std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
            if (index != 0) return nullptr;
            return std::make_unique<XMLTypeProxy<String>>(&value, LiteralName("1st"), attributesOnly);
        }
    } holder;
    EXPECT_EQ(writeXML(holder), "<failed: unusable attribute name \"1st\">");
}
