#include "presets/PresetDatabase.h"

#include <algorithm>
#include <vector>

#include "Environment/DataBufferIn.h"
#include "Environment/Host.h"
#include "library/ParameterForm.h"
#include "persistence/XMLReader.h"
#include "persistence/XMLWriter.h"
#include "platform/gsroot/DebugPrint.h"
#include "presets/PresetTemplates.h"
#include "presets/UniqueName.h"

namespace tarnwick {

namespace {

bool listed(const PresetDatabase::RecordPtr& record) {
    return record && !record->isOpen();
}

} // namespace

PresetDatabase::PresetDatabase() : UserDatabase(String("presetDatabase")) {}

void PresetDatabase::close() {
    closePresetTemplates();
}

PresetDatabase::RecordPtr PresetDatabase::makeRecord(const String& elementName) const {
    return RecordPtr(makeRecordFor(elementName));
}

template <class Visit> void PresetDatabase::forEachInSet(const PresetRecord& record, Visit visit) const {
    bool sameType = getTemplateKind(record.getType()) == 1;
    String type = record.getType();
    for (const auto& [id, other] : *this)
        if (listed(other) && (!sameType || other->getType() == type)) visit(*other);
}

Guid PresetDatabase::add(const Guid& source, const String& name, const Guid& target) {
    RecordPtr found = source.isValid() ? getRecord(source) : nullptr;
    std::unique_ptr<PresetRecord> record = found ? found->clone() : makeFromCurrentTemplate();
    if (!record) return Guid();
    String wanted = found ? found->getName() : name;
    if (wanted.isEmpty()) wanted = Host::getResourceString(RecordTexts, UntitledItem);
    Guid id = target.isValid() ? target : newRecordId();
    // The entry is overwritten: its record's name is no longer taken.
    remove(id);
    claimName(*record, wanted);
    insert(id, RecordPtr(std::move(record)));
    return id;
}

bool PresetDatabase::setDeleted(const Guid& id, bool deleted) {
    RecordPtr record = getRecord(id);
    if (!record) return false;
    record->setDeleted(deleted);
    return true;
}

void PresetDatabase::replace(iterator it, const Guid& id, RecordPtr record) {
    if (it->first == id) {
        it->second = std::move(record);
        return;
    }
    erase(it);
    insert(id, std::move(record));
}

std::unique_ptr<PresetRecord> PresetDatabase::makeFromTemplate(const String& legacyType,
                                                               const String& name) const {
    String type = getTypeForLegacyName(legacyType);
    if (type.isEmpty() || selectTemplate(type, true) == 0) return nullptr;
    std::unique_ptr<PresetRecord> record = tarnwick::makeFromTemplate(type);
    if (record) record->setName(name);
    return record;
}

bool PresetDatabase::lessByName(const RecordMap::value_type& a, const RecordMap::value_type& b) {
    if (!a.second || !b.second) return !a.second && b.second;
    return a.second->getName().toLower() < b.second->getName().toLower();
}

PresetDatabase::RecordPtr PresetDatabase::getRecord(const Guid& id, bool skipDeleted) const {
    auto it = find(id);
    if (it == end() || !listed(it->second) || (skipDeleted && it->second->isDeleted())) return nullptr;
    return it->second;
}

PresetDatabase::RecordPtr PresetDatabase::getOrMakeRecord(const Guid& id) {
    if (!id.isValid()) return nullptr;
    auto it = find(id);
    if (it != end() && it->second) return listed(it->second) ? it->second : nullptr;
    if (!add(Guid(), Host::getResourceString(RecordTexts, PlaceholderNameItem), id).isValid()) return nullptr;
    RecordPtr record = getRecord(id);
    record->setDeleted(true);
    record->setDate(DateTime());
    return record;
}

bool PresetDatabase::hasType(const String& type) const {
    return std::any_of(begin(), end(), [&](const auto& entry) {
        return listed(entry.second) && entry.second->getType() == type;
    });
}

bool PresetDatabase::fillNameList(ParameterForm<String>& menu, const String& type,
                                  const PresetRecordFilter* filter) const {
    std::vector<String> names;
    for (const auto& [id, record] : *this)
        if (listed(record) && !record->isDeleted() && record->getType() == type &&
            (filter == nullptr || filter->test(id, record.get())))
            names.push_back(record->getName());
    uint64_t rows = std::max<uint64_t>(names.size(), 1);
    bool changed = false;
    if (menu.getRowCount() != rows) changed = menu.setRowCount(rows);
    uint64_t have = std::min(rows, menu.getRowCount());
    for (uint64_t row = 0; row < have; ++row) {
        String name = row < names.size() ? names[row] : String();
        if (menu.getValueText(row, 0) == name) continue;
        menu.setValue(name, row, 0);
        changed = true;
    }
    return changed;
}

void PresetDatabase::makeUnique(PresetRecord& record) {
    claimName(record, record.getName());
}

void PresetDatabase::claimName(PresetRecord& record, const String& wanted) {
    record.setName(wanted);
    uint32_t kind = getTemplateKind(record.getType());
    if (kind != 1 && kind != 2) return;
    UniqueName unique(wanted);
    std::vector<PresetRecord*> namesakes;
    bool liveNamesake = false;
    forEachInSet(record, [&](PresetRecord& other) {
        if (&other == &record) return;
        String name = other.getName();
        unique.note(name);
        if (name != wanted) return;
        namesakes.push_back(&other);
        liveNamesake = liveNamesake || !other.isDeleted();
    });
    if (namesakes.empty()) return;
    if (liveNamesake) {
        record.setName(unique.result());
        return;
    }
    for (PresetRecord* namesake : namesakes)
        namesake->setName(unique.nextVariant());
}

String PresetDatabase::makeUniqueName(const String& name, size_t memberIndex) {
    UniqueName unique(name);
    for (const auto& [id, record] : *this)
        if (listed(record)) unique.note(record->getMemberText(memberIndex));
    return unique.result();
}

String PresetDatabase::nextNameVariant(const PresetRecord& record) const {
    UniqueName unique(record.getName());
    unique.note(record.getName());
    forEachInSet(record, [&](const PresetRecord& other) { unique.note(other.getName()); });
    return unique.nextVariant();
}

Guid PresetDatabase::findRecordIdByName(const String& name, const Guid& excluded, const String& type) const {
    bool sameType = !type.isEmpty() && getTemplateKind(type) == 1;
    Guid deleted;
    for (const auto& [id, record] : *this) {
        if (!listed(record) || id == excluded || record->getName() != name) continue;
        if (sameType && record->getType() != type) continue;
        if (!record->isDeleted()) return id;
        if (!deleted.isValid()) deleted = id;
    }
    return deleted;
}

Guid PresetDatabase::getDefaultRecordId() {
    Guid id = UserDatabase::getDefaultRecordId();
    if (id.isValid() && getRecord(id, true)) return id;
    id = Guid();
    for (const auto& [key, record] : *this)
        if (listed(record) && !record->isDeleted()) {
            id = key;
            break;
        }
    UserDatabase::setDefaultRecordId(id);
    return id;
}

void PresetDatabase::setDefaultRecordId(const Guid& id) {
    if (getRecord(id, true)) UserDatabase::setDefaultRecordId(id);
}

bool PresetDatabase::writeDocument(XMLWriter& writer, bool withoutPlaceholders, bool pretty) {
    if (withoutPlaceholders) {
        std::unique_ptr<PresetDatabase> copy = copyFiltered(nullptr);
        XMLContainerProxy root(*copy, String(DocumentName));
        return writer.write(root, true, 1, pretty);
    }
    XMLContainerProxy root(*this, String(DocumentName));
    return writer.write(root, true, 1, pretty);
}

std::unique_ptr<PresetDatabase> PresetDatabase::readDocument(DataBufferIn& in) {
    auto database = std::make_unique<PresetDatabase>();
    XMLContainerProxy root(*database, String(DocumentName));
    XMLReader reader(in);
    if (reader.read(root)) return database;
    DBPrint((String("The presets could not be read: ") + reader.getError() + "\n").c_str());
    return nullptr;
}

} // namespace tarnwick
