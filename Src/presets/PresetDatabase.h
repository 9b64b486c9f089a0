// The add-on's preset records by Guid, the project's package "PSET". Written as "presetDatabase"
// ("default", then the records under "records", each under its type name); as a document its root
// is "tarnwickPresets". Records are made from the registered templates; records of a type no
// template knows are kept and written back, and are left out of every look-up, list and name.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/UserDatabase.h"
#include "persistence/UserDatabaseCollection.h"
#include "presets/PresetRecord.h"

namespace tarnwick {

class DataBufferIn;
class PresetRecordFilter;
class TarnwickLibrary;
class XMLWriter;
template <class T> class ParameterForm;

class PresetDatabase : public UserDatabase<PresetRecord, PresetDatabase, UserDatabaseCollection, Guid> {
public:
    static constexpr uint32_t Code = fourCC("PSET");
    static constexpr const char* DocumentName = "tarnwickPresets";
    static constexpr uint32_t RecordTexts = 32703;
    static constexpr uint32_t PlaceholderNameItem = 1; // "Missing ": a record the project lacks
    static constexpr uint32_t UntitledItem = 2;        // a new record without a name

    PresetDatabase();
    // Shares the records.
    PresetDatabase(const PresetDatabase& other) = default;

    std::unique_ptr<Package> clone() const override { return std::make_unique<PresetDatabase>(*this); }
    uint32_t getCode() const override { return Code; }
    // The templates go with the database.
    void close() override;
    RecordPtr makeRecord(const String& elementName) const override;
    bool acceptsReplacement(const PresetRecord& stored, const PresetRecord& offered) const override {
        return stored.acceptsReplacement(offered);
    }

    iterator firstRecord() { return begin(); }
    iterator endRecord() { return end(); }

    // A new record under target (a new id when target is not valid): a clone of the source record
    // named as it, else one of the current template named name ("Untitled" when empty), made
    // unique. The new id, or the null Guid when there is no template.
    Guid add(const Guid& source, const String& name, const Guid& target);
    bool setDeleted(const Guid& id, bool deleted);
    Guid newRecordId() const { return Guid().generate(); }
    void replace(iterator it, const Guid& id, RecordPtr record);
    // A clone of the template registered under the legacy type name, made current, with the name.
    std::unique_ptr<PresetRecord> makeFromTemplate(const String& legacyType, const String& name) const;

    // By name in lower case; an entry without a record first.
    static bool lessByName(const RecordMap::value_type& a, const RecordMap::value_type& b);
    // Null when missing or open; with skipDeleted a deleted record counts as missing.
    RecordPtr getRecord(const Guid& id, bool skipDeleted = false) const;
    // The record, or for a valid id that names none a new deleted "Missing " record under it
    // (null when there is no template).
    RecordPtr getOrMakeRecord(const Guid& id);
    bool hasType(const String& type) const;
    // The rows of the menu parameter become the names of the live records of the type that pass
    // the filter, in id order; no names leave one empty row. True when a row changed.
    bool fillNameList(ParameterForm<String>& menu, const String& type,
                      const PresetRecordFilter* filter) const;

    // The record takes the unique form of its name among the records of its kind's set (kind 1:
    // its type, 2: all); other kinds change nothing. Namesakes that are all deleted make way for
    // it, each taking a variant of the name.
    void makeUnique(PresetRecord& record);
    // The same with a wanted name.
    void claimName(PresetRecord& record, const String& wanted);
    // The unique form of name over every record, a record's name being its member of that index.
    String makeUniqueName(const String& name, size_t memberIndex);
    // A name for a record to make way with: the next variant of its name in its kind's set.
    String nextNameVariant(const PresetRecord& record) const;

    // The id of a record bearing the name, other than excluded: a live one before a deleted one,
    // the first in id order of each. With a type of kind 1 it must also be of that type.
    Guid findRecordIdByName(const String& name, const Guid& excluded, const String& type = String()) const;
    // The default record's id: kept while it names a live record, else the first live record's
    // (or none), which becomes the default.
    Guid getDefaultRecordId();
    // Only a live record becomes the default.
    void setDefaultRecordId(const Guid& id);

    // Adds the records of a legacy preset file, made from the templates registered under its
    // legacy type names; values the records do not name go through the configuration's presets
    // (the add-on's without one). False when the file cannot be read whole, is no preset file, or
    // the user cancels; records read before then stay.
    bool importLegacyFile(DataBufferIn& in, const TarnwickLibrary* configuration = nullptr);

    // Written under "tarnwickPresets"; with withoutPlaceholders a copy without the placeholders.
    [[nodiscard]] bool writeDocument(XMLWriter& writer, bool withoutPlaceholders, bool pretty = true);
    // A database read from a "tarnwickPresets" document; null when it cannot be read.
    static std::unique_ptr<PresetDatabase> readDocument(DataBufferIn& in);

private:
    template <class Visit> void forEachInSet(const PresetRecord& record, Visit visit) const;
};

// A test on the records a view shows.
class PresetRecordFilter : public PresetDatabase::Filter {
public:
    // A null record never passes.
    virtual bool test(const Guid& id, const PresetRecord* record) const = 0;
    bool accept(const Guid& id, const PresetRecord& record) const override { return test(id, &record); }
};

} // namespace tarnwick
