#include "presets/Preset.h"

#include <limits>

#include "Environment/Addon.h"
#include "Environment/Host.h"
#include "library/ParameterForm.h"
#include "library/ParameterList.h"
#include "persistence/XMLTypeProxy.h"
#include "presets/PresetTemplates.h"
#include "presets/TarnwickLibrary.h"

namespace tarnwick {

namespace {

const char* const MemberNames[] = {"type",          "menuName",     "filter",          "nameParameter",
                                   "echoParameter", "keyParameter", "statusParameter", "settingList",
                                   "indexRange",    "subtype"};
constexpr size_t SubtypeIndex = 9;

enum Status : short { Current = 0, Missing = 1, Store = 2, Current4 = 4, Detach = 8, Detached = 9 };

// The preset of the add-on's configuration for a record type and a menu parameter.
Preset* configurationPreset(const String& type, const String& menuName) {
    Addon* addon = getAddon();
    TarnwickLibrary* library = addon ? addon->getTarnwickLibrary() : nullptr;
    return library ? library->findPreset(type, menuName) : nullptr;
}

// The four string and integer parameters a link index needs, with their elements.
struct Link {
    ParameterForm<String>* name = nullptr;
    ParameterForm<String>* echo = nullptr;
    ParameterForm<String>* key = nullptr;
    ParameterForm<short>* status = nullptr;
    uint64_t nameRow = 0, echoRow = 0, keyRow = 0, statusRow = 0;
};

bool textAt(const ParameterList& target, const PresetParameter& parameter, uint64_t index,
            ParameterForm<String>*& found, uint64_t& element) {
    found = findTextParameter(target, parameter.getName());
    return found && parameter.elementOf(*found, index, element);
}

bool integerAt(const ParameterList& target, const PresetParameter& parameter, uint64_t index,
               ParameterForm<short>*& found, uint64_t& element) {
    found = findIntegerParameter(target, parameter.getName());
    return found && parameter.elementOf(*found, index, element);
}

String idText(const Guid& id) {
    return id.isValid() ? id.toString() : String();
}

} // namespace

Preset::Preset(const String& type, const String& menuName)
    : XMLArray(String("preset")), m_type(type), m_menuName(menuName) {}

Preset::Preset(const Preset& other)
    : XMLArray(other), m_type(other.m_type), m_menuName(other.m_menuName),
      m_filter(other.m_filter ? std::make_unique<PresetFilter>(*other.m_filter) : nullptr),
      m_nameParameter(other.m_nameParameter), m_echoParameter(other.m_echoParameter),
      m_keyParameter(other.m_keyParameter), m_statusParameter(other.m_statusParameter),
      m_settings(other.m_settings), m_indexRange(other.m_indexRange), m_subtypes(other.m_subtypes) {}

Preset::~Preset() = default;

bool Preset::appliesTo(uint32_t code) const {
    if (m_subtypes.empty()) return true;
    for (uint32_t subtype : m_subtypes)
        if (subtype == code) return true;
    return false;
}

bool Preset::applyTo(ParameterList& target, PresetDatabase& database) {
    ParameterForm<short>* status = findIntegerParameter(target, m_statusParameter.getName());
    if (status == nullptr) return false;
    bool changed = false;
    bool hasRecords = database.hasType(m_type);
    const uint64_t first = m_indexRange.getRow();
    const uint64_t count = m_indexRange.getCount();
    uint64_t element = 0;
    // The range ends where the status array does; indices past 2^64 - 1 are none.
    for (uint64_t n = 0; n < count && n <= std::numeric_limits<uint64_t>::max() - first; ++n) {
        const uint64_t index = first + n;
        if (!m_statusParameter.elementOf(*status, index, element)) break;
        switch (cellInteger(*status, element)) {
        case Current:
        case Current4:
            changed =
                (hasRecords ? refreshFromRecord(target, index, database) : markMissing(target, index)) ||
                changed;
            break;
        case Store:
            changed = storeTargetAsRecord(target, index, database) || changed;
            hasRecords = hasRecords || database.hasType(m_type);
            break;
        case Detach:
        case Detached:
            changed = detachTarget(target, index, database) || changed;
            break;
        default:
            break;
        }
    }
    ParameterForm<String>* menu = findTextParameter(target, m_menuName);
    if (menu == nullptr) return changed;
    std::unique_ptr<PresetKeyFilter> keyFilter =
        m_filter ? m_filter->makeKeyFilter(target, database) : nullptr;
    return database.fillNameList(*menu, m_type, keyFilter.get()) || changed;
}

bool Preset::refreshFromRecord(ParameterList& target, uint64_t index, PresetDatabase& database) {
    Link link;
    if (!textAt(target, m_nameParameter, index, link.name, link.nameRow) ||
        !textAt(target, m_echoParameter, index, link.echo, link.echoRow) ||
        !textAt(target, m_keyParameter, index, link.key, link.keyRow))
        return false;
    String name = cellText(*link.name, link.nameRow);
    Guid id;
    // A name the user typed over the echo picks the record of that name.
    if (!name.isEmpty() && name != cellText(*link.echo, link.echoRow)) {
        id = database.findRecordIdByName(name, Guid(), m_type);
        PresetDatabase::RecordPtr named = database.getRecord(id);
        if (!named || named->getType() != m_type) id = Guid();
    }
    if (!id.isValid()) {
        Guid keyed(cellText(*link.key, link.keyRow));
        PresetDatabase::RecordPtr record = database.getRecord(keyed);
        id = record && record->getType() == m_type ? keyed : database.getDefaultRecordId();
    }
    PresetDatabase::RecordPtr record = database.getRecord(id);
    if (record && !record->isDeleted() && record->getType() == m_type)
        return writeRecordToTarget(target, *record, id, index, database);
    return markMissing(target, index);
}

bool Preset::writeRecordToTarget(ParameterList& target, const PresetRecord& record, const Guid& id,
                                 uint64_t index, PresetDatabase& database) {
    Visited visited;
    return writeRecord(target, record, id, index, database, visited);
}

bool Preset::writeRecord(ParameterList& target, const PresetRecord& record, const Guid& id, uint64_t index,
                         PresetDatabase& database, Visited& visited) {
    if (!visited.insert({this, &record}).second) return false;
    Link link;
    if (!textAt(target, m_nameParameter, index, link.name, link.nameRow) ||
        !textAt(target, m_echoParameter, index, link.echo, link.echoRow) ||
        !textAt(target, m_keyParameter, index, link.key, link.keyRow) ||
        !integerAt(target, m_statusParameter, index, link.status, link.statusRow))
        return false;
    String name = record.getName();
    bool changed = setCellText(*link.name, link.nameRow, name);
    changed = setCellText(*link.echo, link.echoRow, name) || changed;
    if (Guid(cellText(*link.key, link.keyRow)) != id)
        changed = setCellText(*link.key, link.keyRow, idText(id)) || changed;
    changed = setCellInteger(*link.status, link.statusRow, Current) || changed;
    changed = m_settings.writeToTarget(target, index, record) || changed;
    for (size_t k = 0; k < record.getPresetFieldCount(); ++k) {
        Nested nested = nestedFor(record.getPresetField(k), database, true);
        if (nested.record && nested.preset)
            changed =
                nested.preset->writeRecord(target, *nested.record, nested.id, index, database, visited) ||
                changed;
    }
    return changed;
}

bool Preset::storeTargetAsRecord(ParameterList& target, uint64_t index, PresetDatabase& database) {
    Link link;
    if (!textAt(target, m_nameParameter, index, link.name, link.nameRow) ||
        !textAt(target, m_echoParameter, index, link.echo, link.echoRow) ||
        !textAt(target, m_keyParameter, index, link.key, link.keyRow))
        return false;
    String name = cellText(*link.name, link.nameRow);
    Guid id(cellText(*link.key, link.keyRow));
    PresetDatabase::RecordPtr record = database.getRecord(id);
    if (record) {
        // A keyed record of another type is not this preset's to overwrite.
        if (record->getType() != m_type) return false;
        if (name.isEmpty()) name = record->getName();
        if (name.isEmpty())
            name = Host::getResourceString(PresetDatabase::RecordTexts, PresetDatabase::UntitledItem);
        if (name != record->getName()) database.claimName(*record, name);
    } else {
        // Without the type's template the record would be of whatever type is current.
        if (selectTemplate(m_type, true) == 0) return false;
        id = database.add(Guid(), name, Guid());
        record = database.getRecord(id);
        if (!record || record->getType() != m_type) return false;
    }
    // The user's store brings a deleted record back: the next refresh would otherwise lose it.
    record->setDeleted(false);
    bool changed = false;
    if (integerAt(target, m_statusParameter, index, link.status, link.statusRow))
        changed = setCellInteger(*link.status, link.statusRow, Current);
    changed = setCellText(*link.name, link.nameRow, record->getName()) || changed;
    changed = setCellText(*link.echo, link.echoRow, record->getName()) || changed;
    changed = setCellText(*link.key, link.keyRow, idText(id)) || changed;
    Visited visited;
    readRecord(target, index, *record, database, visited);
    return changed;
}

void Preset::readRecord(const ParameterList& target, uint64_t index, PresetRecord& record,
                        PresetDatabase& database, Visited& visited) {
    if (!visited.insert({this, &record}).second) return;
    m_settings.readFromTarget(target, index, record);
    for (size_t k = 0; k < record.getPresetFieldCount(); ++k) {
        auto* field = dynamic_cast<PresetIDField*>(&record.getPresetField(k));
        if (field == nullptr || parameterForField(field->getName()).getName().isEmpty()) continue;
        // A reference to a record of the database stays; anything else is the record's own.
        if (database.getRecord(field->get())) continue;
        if (field->getValueCount() > 0) field->set(Guid());
        PresetRecord* own = field->getNestedRecord();
        Nested nested = own ? nestedFor(*field, database, false) : Nested();
        if (nested.preset) nested.preset->readRecord(target, index, *own, database, visited);
    }
}

bool Preset::markMissing(ParameterList& target, uint64_t index) {
    ParameterForm<short>* status = nullptr;
    uint64_t element = 0;
    return integerAt(target, m_statusParameter, index, status, element) &&
           setCellInteger(*status, element, Missing);
}

bool Preset::detachTarget(ParameterList& target, uint64_t index, PresetDatabase& database) {
    Link link;
    if (!textAt(target, m_nameParameter, index, link.name, link.nameRow) ||
        !textAt(target, m_echoParameter, index, link.echo, link.echoRow) ||
        !textAt(target, m_keyParameter, index, link.key, link.keyRow) ||
        !integerAt(target, m_statusParameter, index, link.status, link.statusRow))
        return false;
    bool changed = setCellText(*link.echo, link.echoRow, String());
    String key = cellText(*link.key, link.keyRow);
    if (!key.isEmpty()) {
        database.setDefaultRecordId(Guid(key));
        changed = setCellText(*link.key, link.keyRow, String()) || changed;
    }
    String name = cellText(*link.name, link.nameRow);
    if (cellInteger(*link.status, link.statusRow) != Detached) {
        changed = setCellText(*link.name, link.nameRow, String()) || changed;
        return setCellInteger(*link.status, link.statusRow, Detached) || changed;
    }
    if (name.isEmpty()) return changed;
    Guid id = database.findRecordIdByName(name, Guid(), m_type);
    PresetDatabase::RecordPtr record = database.getRecord(id);
    if (!record || record->getType() != m_type) return changed;
    changed = setCellText(*link.key, link.keyRow, idText(id)) || changed;
    return refreshFromRecord(target, index, database) || changed;
}

Preset::Nested Preset::nestedFor(const PresetField& field, const PresetDatabase& database,
                                 bool onlySet) const {
    Nested nested;
    const auto* reference = dynamic_cast<const PresetIDField*>(&field);
    if (reference == nullptr || (onlySet && reference->isUnset())) return nested;
    PresetParameter mapped = parameterForField(field.getName());
    if (mapped.getName().isEmpty()) return nested;
    Guid id = reference->get();
    if (PresetDatabase::RecordPtr record = database.getRecord(id)) {
        nested.record = record.get();
        nested.id = id;
    } else {
        nested.record = reference->getNestedRecord();
    }
    if (nested.record) nested.preset = configurationPreset(nested.record->getType(), mapped.getName());
    return nested;
}

bool Preset::matchParameters(PresetRecord& record, const String& legacyName, const Setting& value,
                             size_t index, PresetDatabase& database) {
    Visited visited;
    return match(record, legacyName, value, index, database, visited);
}

bool Preset::match(PresetRecord& record, const String& legacyName, const Setting& value, size_t index,
                   PresetDatabase& database, Visited& visited) {
    if (!visited.insert({this, &record}).second) return false;
    PresetParameter mapped = parameterForLegacyName(legacyName);
    if (!mapped.getName().isEmpty()) {
        // A position past what a field holds is dropped by the field.
        uint64_t column = mapped.getColumn();
        size_t at = column < PresetField::MaxValues && index < PresetField::MaxValues
                        ? index + static_cast<size_t>(column)
                        : PresetField::MaxValues;
        record.setField(mapped.getName(), value, at);
        return true;
    }
    for (size_t k = 0; k < record.getPresetFieldCount(); ++k) {
        Nested nested = nestedFor(record.getPresetField(k), database, false);
        if (nested.record && nested.preset &&
            nested.preset->match(*nested.record, legacyName, value, index, database, visited))
            return true;
    }
    return false;
}

bool Preset::findNestedPreset(const String& legacyName, const PresetRecord& record,
                              const PresetDatabase& database) {
    Visited visited;
    return findNested(legacyName, record, database, visited);
}

bool Preset::findNested(const String& legacyName, const PresetRecord& record, const PresetDatabase& database,
                        Visited& visited) {
    if (!visited.insert({this, &record}).second) return false;
    if (!parameterForLegacyName(legacyName).getName().isEmpty()) return true;
    for (size_t k = 0; k < record.getPresetFieldCount(); ++k) {
        Nested nested = nestedFor(record.getPresetField(k), database, false);
        if (nested.record && nested.preset &&
            nested.preset->findNested(legacyName, *nested.record, database, visited))
            return true;
    }
    return false;
}

PresetParameter Preset::parameterForField(const String& fieldName) const {
    const PresetSetting* setting = m_settings.findField(fieldName);
    if (setting == nullptr) return PresetParameter();
    const PresetParameter& parameter = setting->getParameter();
    return PresetParameter(parameter.getName(), parameter.getRow(), parameter.getColumn());
}

PresetParameter Preset::parameterForLegacyName(const String& name) const {
    for (size_t k = 0; k < m_settings.size(); ++k) {
        const PresetSetting& setting = m_settings.at(k);
        if (setting.getParameter().getName() == name) return PresetParameter(setting.getField());
        for (size_t l = 0; l < setting.getLegacyCount(); ++l)
            if (setting.getLegacy(l).getName() == name)
                return PresetParameter(setting.getField(), 0, setting.getLegacy(l).getColumn());
    }
    return PresetParameter();
}

void Preset::reset() {
    m_type = String();
    m_menuName = String();
    m_subtypes.clear();
    m_filter.reset();
}

std::unique_ptr<XMLShipping> Preset::makeFieldProxy(size_t index, bool attributesOnly) {
    switch (index) {
    case 0:
        return std::make_unique<XMLTypeProxy<String>>(&m_type, String(MemberNames[0]), true);
    case 1:
        return std::make_unique<XMLTypeProxy<String>>(&m_menuName, String(MemberNames[1]), true);
    default:
        break;
    }
    if (attributesOnly) return nullptr;
    switch (index) {
    case 2:
        return m_filter ? std::make_unique<XMLContainerProxy>(*m_filter) : nullptr;
    case 3:
        return std::make_unique<XMLContainerProxy>(m_nameParameter, String(MemberNames[3]));
    case 4:
        return std::make_unique<XMLContainerProxy>(m_echoParameter, String(MemberNames[4]));
    case 5:
        return std::make_unique<XMLContainerProxy>(m_keyParameter, String(MemberNames[5]));
    case 6:
        return std::make_unique<XMLContainerProxy>(m_statusParameter, String(MemberNames[6]));
    case 7:
        return std::make_unique<XMLContainerProxy>(m_settings, String(MemberNames[7]));
    case 8:
        return std::make_unique<XMLContainerProxy>(m_indexRange);
    default:
        break;
    }
    if (index - SubtypeIndex < m_subtypes.size())
        return std::make_unique<XMLTypeProxy<unsigned int>>(&m_subtypes[index - SubtypeIndex],
                                                            String(MemberNames[SubtypeIndex]));
    return nullptr;
}

std::unique_ptr<XMLShipping> Preset::makeFieldProxyByName(const String& name) {
    for (size_t index = 0; index < std::size(MemberNames); ++index) {
        if (name != MemberNames[index]) continue;
        if (index == 2) m_filter = std::make_unique<PresetFilter>();
        if (index == SubtypeIndex) {
            m_subtypes.push_back(0);
            return makeFieldProxy(SubtypeIndex + m_subtypes.size() - 1, false);
        }
        return makeFieldProxy(index, false);
    }
    return nullptr;
}

} // namespace tarnwick
