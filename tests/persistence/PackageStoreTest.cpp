// Package stores, user databases and their collections.
#include <gtest/gtest.h>

#include "Samples.h"
#include "persistence/DeletedDatabase.h"
#include "persistence/PackageStore.h"
#include "persistence/UserDatabaseCollection.h"

using namespace tarnwick;
using namespace samples;

namespace {

// Keeps its values on resetPackages(true) only when told so.
struct Volatile : Counter {
    bool keep = false;
    std::unique_ptr<Package> clone() const override { return std::make_unique<Volatile>(*this); }
    bool keepOnReset() const override { return keep; }
};

// A record type of a test database: a name, and afterRead refusing the name "bad".
struct Note : XMLAssembly {
    String text;
    bool locked = false; // refuses replacement
    Note() : XMLAssembly(String("note")) {}
    explicit Note(const char* t) : Note() { text = String(t); }
    std::unique_ptr<Note> clone() const { return std::make_unique<Note>(*this); }
    bool afterRead() override { return text != "bad"; }
    size_t getFieldCount() const override { return 1; }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override {
        return index == 0 && !attributesOnly ? std::make_unique<XMLTypeProxy<String>>(&text, String("text"))
                                             : nullptr;
    }
};

class NoteDatabase : public UserDatabase<Note, NoteDatabase, UserDatabaseCollection> {
public:
    static constexpr uint32_t Code = fourCC("NOTE");
    NoteDatabase() : UserDatabase(String("noteDatabase")) {}
    std::unique_ptr<Package> clone() const override { return std::make_unique<NoteDatabase>(*this); }
    uint32_t getCode() const override { return Code; }
    RecordPtr makeRecord(const String& name) const override {
        return name == "note" ? std::make_shared<Note>() : nullptr;
    }
    bool acceptsReplacement(const Note& existing, const Note&) const override { return !existing.locked; }
};

struct TextFilter : NoteDatabase::Filter {
    String wanted;
    explicit TextFilter(const char* w) : wanted(w) {}
    bool accept(const Guid&, const Note& note) const override {
        return note.text.find(wanted) != String::npos;
    }
};

Guid newId() {
    Guid id;
    return id.generate();
}

} // namespace

TEST(PackageStore, KeepsOnePackagePerCodeAndCopiesOnPut) {
    PackageStore store(String("frameworkPreferenceStore"));
    Prefs prefs;
    prefs.path = String("/a");
    store.putPackage(prefs);
    prefs.path = String("/b");
    EXPECT_EQ(static_cast<Prefs*>(store.getPackage(Prefs::Code))->path, "/a");
    store.putPackage(prefs);
    EXPECT_EQ(store.getPackageCount(), 1u);
    EXPECT_EQ(static_cast<Prefs*>(store.getPackage(Prefs::Code))->path, "/b");
    auto* counter = new Counter;
    store.adoptPackage(counter);
    EXPECT_EQ(store.getPackage(Counter::Code), counter);
    EXPECT_EQ(store.getPackage(fourCC("NONE")), nullptr);
    store.adoptPackage(static_cast<Package*>(nullptr));
    EXPECT_EQ(store.getPackageCount(), 2u);
    std::shared_ptr<Package> detached = store.detachPackage(Counter::Code);
    EXPECT_EQ(detached.get(), counter);
    EXPECT_FALSE(store.hasPackage(Counter::Code));
    EXPECT_FALSE(store.removePackage(Counter::Code));
}

TEST(PackageStore, ResetKeepsThePackagesThatAskForIt) {
    PackageStore store;
    Volatile kept, dropped;
    kept.keep = true;
    kept.value = 1;
    dropped.value = 2;
    dropped.setElementName(String("other"));
    store.putPackage(kept);
    PackageStore second;
    second.putPackage(dropped);
    store.resetPackages(true);
    second.resetPackages(true);
    EXPECT_EQ(static_cast<Counter*>(store.getPackage(Counter::Code))->value, 1u);
    EXPECT_EQ(static_cast<Counter*>(second.getPackage(Counter::Code))->value, 0u);
    store.resetPackages(false);
    EXPECT_EQ(static_cast<Counter*>(store.getPackage(Counter::Code))->value, 0u);
}

TEST(PackageStore, ShipsItsPackagesAndSkipsWhatItDoesNotHold) {
    PackageStore store(String("frameworkPreferenceStore"));
    Prefs prefs;
    prefs.path = String("C:\\Spec <1>.xml");
    prefs.warned = false;
    Counter counter;
    counter.value = 9;
    store.putPackage(prefs);
    store.putPackage(counter);
    std::string text = writeXML(store);
    EXPECT_NE(text.find("<frameworkPreferenceStore>"), std::string::npos);

    PackageStore back(String("frameworkPreferenceStore"));
    back.putPackage(Prefs());
    String error;
    ASSERT_TRUE(readXML(text, back, &error)) << error.bytes();
    auto* read = static_cast<Prefs*>(back.getPackage(Prefs::Code));
    EXPECT_EQ(read->path, prefs.path);
    EXPECT_FALSE(read->warned);
    EXPECT_EQ(back.getPackage(Counter::Code), nullptr); // not held: skipped

    // A document of one package is not a store: nothing of it is read.
    PackageStore single(String("frameworkPreferenceStore"));
    single.putPackage(Prefs());
    EXPECT_FALSE(readXML("<testPrefs><level>4</level></testPrefs>", single));
    EXPECT_EQ(static_cast<Prefs*>(single.getPackage(Prefs::Code))->level, Prefs().level);
}

TEST(UserDatabase, RecordsTravelWithTheirKeysAndDefault) {
    NoteDatabase db;
    Guid a = newId(), b = newId();
    db.insert(a, std::make_shared<Note>("first & <second>"));
    db.insert(b, std::make_shared<Note>("second"));
    db.insert(newId(), nullptr); // a placeholder is not written
    db.setDefaultRecordId(b);
    std::string text = writeXML(db);
    EXPECT_NE(text.find("<note id=\"" + a.toString().bytes() + "\">"), std::string::npos) << text;

    NoteDatabase back;
    String error;
    ASSERT_TRUE(readXML(text, back, &error)) << error.bytes();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back.getRecord(a)->text, "first & <second>");
    EXPECT_EQ(back.getDefaultRecordId(), b);
    EXPECT_EQ(writeXML(back), writeXML(*db.copyFiltered(nullptr)));

    NoteDatabase empty;
    EXPECT_EQ(writeXML(empty, false, false), "<noteDatabase><records/></noteDatabase>");
}

TEST(UserDatabase, ReadingKeepsRecordsAlreadyThereAndSkipsUnknownTypes) {
    NoteDatabase db;
    Guid a = newId();
    db.insert(a, std::make_shared<Note>("mine"));
    std::string doc = "<noteDatabase><records><note id=\"" + a.toString().bytes() +
                      "\"><text>theirs</text></note><widget id=\"" + newId().toString().bytes() +
                      "\"/><note id=\"" + newId().toString().bytes() +
                      "\"><text>new</text></note></records></noteDatabase>";
    String error;
    ASSERT_TRUE(readXML(doc, db, &error)) << error.bytes();
    EXPECT_EQ(db.size(), 2u);
    EXPECT_EQ(db.getRecord(a)->text, "mine");
}

TEST(UserDatabase, ARecordWithoutAKeyOrRefusedFailsTheRead) {
    for (std::string record : {std::string("<note><text>x</text></note>"), std::string("<note id=\"\"/>"),
                               std::string("<note id=\"zzz\"/>"),
                               "<note id=\"" + newId().toString().bytes() + "\"><text>bad</text></note>"}) {
        NoteDatabase db;
        EXPECT_FALSE(readXML("<noteDatabase><records>" + record + "</records></noteDatabase>", db)) << record;
    }
}

TEST(UserDatabase, PutRespectsPlaceholdersAndReplacementRefusals) {
    NoteDatabase db;
    Guid a = newId();
    EXPECT_FALSE(db.put(Guid(), std::make_shared<Note>("x")));
    EXPECT_FALSE(db.put(a, nullptr));
    db.insert(a, nullptr);
    EXPECT_TRUE(db.put(a, std::make_shared<Note>("one")));
    auto locked = std::make_shared<Note>("locked");
    locked->locked = true;
    EXPECT_TRUE(db.put(a, locked));
    EXPECT_FALSE(db.put(a, std::make_shared<Note>("two")));
    EXPECT_EQ(db.getRecord(a)->text, "locked");
    db.insert(newId(), nullptr);
    db.purge();
    EXPECT_EQ(db.size(), 1u);
    EXPECT_TRUE(db.remove(a));
    EXPECT_FALSE(db.remove(a));
}

TEST(UserDatabase, ViewsFilterCopiesAndDocuments) {
    auto db = std::make_shared<NoteDatabase>();
    Guid wall = newId(), door = newId();
    db->insert(wall, std::make_shared<Note>("wall"));
    db->insert(door, std::make_shared<Note>("door"));
    NoteDatabase::FilteredProxy all(db);
    EXPECT_EQ(all.count(), 2u);
    EXPECT_EQ(all.makeDocumentDatabase(), db);

    NoteDatabase::FilteredProxy walls(db, {std::make_shared<TextFilter>("wa")});
    EXPECT_EQ(walls.count(), 1u);
    EXPECT_EQ(walls.getRecord(door), nullptr);
    NoteDatabase::RecordProxy handle(walls, wall);
    EXPECT_TRUE(handle);
    std::shared_ptr<NoteDatabase> copy = walls.makeDocumentDatabase();
    ASSERT_NE(copy, db);
    EXPECT_EQ(copy->size(), 1u);
    copy->getRecord(wall)->text = String("changed");
    EXPECT_EQ(db->getRecord(wall)->text, "wall"); // the copy holds copies
    db->remove(wall);
    EXPECT_FALSE(handle);

    NoteDatabase merged;
    merged.merge(*db);
    EXPECT_TRUE(merged.contains(door));
}

TEST(UserDatabaseCollection, CarriesDatabasesToAFileAndBack) {
    auto db = std::make_shared<NoteDatabase>();
    Guid a = newId();
    db->insert(a, std::make_shared<Note>("exported"));
    UserDatabaseCollection out(String("tarnwickNotes"));
    out.add(NoteDatabase::FilteredProxy(db));
    EXPECT_EQ(out.getDatabase(NoteDatabase::Code), db.get());
    std::string text = writeXML(out);

    // Importing joins the file's records to a copy of the working database.
    auto working = std::make_shared<NoteDatabase>();
    Guid mine = newId();
    working->insert(mine, std::make_shared<Note>("mine"));
    UserDatabaseCollection in(String("tarnwickNotes"));
    in.add(NoteDatabase::FilteredProxy(
        std::shared_ptr<NoteDatabase>(static_cast<NoteDatabase*>(working->clone().release()))));
    ASSERT_TRUE(readXML(text, in));
    std::shared_ptr<Package> imported = in.detachDatabase(NoteDatabase::Code);
    ASSERT_NE(imported, nullptr);
    EXPECT_EQ(in.getDatabase(NoteDatabase::Code), nullptr);
    auto* notes = static_cast<NoteDatabase*>(imported.get());
    EXPECT_EQ(notes->size(), 2u);
    EXPECT_EQ(working->size(), 1u);
    EXPECT_EQ(notes->getRecord(a)->text, "exported");
}

TEST(DeletedDatabase, ListsDeletedKeysByDatabase) {
    DeletedDatabase deleted;
    EXPECT_EQ(deleted.getCode(), fourCC("DLDB"));
    EXPECT_EQ(deleted.getElementName(), "deletedRecords");
    Guid a = newId(), b = newId();
    EXPECT_TRUE(deleted.add(a, fourCC("PSET")));
    EXPECT_TRUE(deleted.add(b, fourCC("NOTE"), 3));
    EXPECT_FALSE(deleted.add(Guid(), fourCC("PSET")));
    std::unique_ptr<Package> copy = deleted.clone();
    EXPECT_TRUE(deleted.add(a, fourCC("PSET"), 1)); // the copy keeps its own entry
    EXPECT_EQ(static_cast<DeletedDatabase&>(*copy).getRecord(a)->getStatus(), 0u);

    std::string text = writeXML(deleted);
    EXPECT_NE(text.find("<database>PSET</database>"), std::string::npos);
    DeletedDatabase back;
    ASSERT_TRUE(readXML(text, back));
    EXPECT_EQ(back.getKeys(fourCC("PSET")), std::vector<Guid>{a});
    EXPECT_EQ(back.getRecord(b)->getStatus(), 3u);
}
