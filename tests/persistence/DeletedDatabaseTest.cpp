// The deleted-records database: the database code of each entry travels as exactly four printable
// characters, and anything else is refused on reading.
#include <gtest/gtest.h>

#include "Samples.h"
#include "persistence/DeletedDatabase.h"

using namespace tarnwick;
using namespace samples;

namespace {

// A null database leaves its element out.
std::string documentWith(const Guid& key, const char* database) {
    return "<deletedRecords><records><deletedRecord id=\"" + key.toString().bytes() + "\">" +
           (database ? "<database>" + std::string(database) + "</database>" : "") +
           "<status>2</status></deletedRecord></records></deletedRecords>";
}

} // namespace

TEST(DeletedDatabase, TheDatabaseCodeIsExactlyFourPrintableCharacters) {
    Guid key;
    key.generate();
    struct Case {
        const char* what;
        const char* database; // as written in the document
        bool accepted;
        uint32_t code;
    };
    const Case cases[] = {
        {"letters", "PSET", true, fourCC("PSET")},
        {"a space, the lowest printable", "A B ", true, fourCC("A B ")},
        {"a tilde, the highest printable", "~~~~", true, fourCC("~~~~")},
        {"digits and signs", "0_9!", true, fourCC("0_9!")},
        {"an escaped ampersand", "A&amp;B1", true, fourCC("A&B1")},
        {"three characters", "ABC", false, 0},
        {"five characters", "ABCDE", false, 0},
        {"none", "", false, 0},
        {"no database element", nullptr, false, 0},
        {"a tab", "AB\tC", false, 0},
        {"a delete",
         "AB\x7F"
         "C",
         false, 0},
        {"a letter outside ASCII in four bytes", "AB\xC3\xA9", false, 0},
        {"three characters in four bytes",
         "A\xC3\xA9"
         "B",
         false, 0},
    };
    for (const Case& c : cases) {
        DeletedDatabase deleted;
        EXPECT_EQ(readXML(documentWith(key, c.database), deleted), c.accepted) << c.what;
        const auto record = deleted.getRecord(key);
        if (!c.accepted) continue;
        ASSERT_NE(record, nullptr) << c.what;
        EXPECT_EQ(record->getDatabaseCode(), c.code) << c.what;
        EXPECT_EQ(record->getStatus(), 2u) << c.what;
        // And it is written back as the same four characters.
        DeletedDatabase back;
        ASSERT_TRUE(readXML(writeXML(deleted), back)) << c.what;
        EXPECT_EQ(back.getKeys(c.code), std::vector<Guid>{key}) << c.what;
    }
}
