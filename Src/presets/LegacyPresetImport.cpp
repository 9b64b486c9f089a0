// The legacy preset file: a header, a platform word that sets the byte order, a name with the
// file's version, then groups of presets nested to any depth, each preset with a list of named
// values and lists of values under one name. Everything in it is outside input: every count is
// checked against the bytes left, the nesting is bounded, and a read that fails ends the import.
#include <cmath>
#include <string>

#include "Environment/Addon.h"
#include "Environment/DataBufferIn.h"
#include "Environment/DateTime.h"
#include "Environment/Host.h"
#include "Environment/LegacyBinaryIn.h"
#include "Environment/NumberText.h"
#include "persistence/StringSetting.h"
#include "persistence/ValueSettings.h"
#include "presets/LegacyText.h"
#include "presets/PresetDatabase.h"
#include "presets/PresetTexts.h"
#include "presets/TarnwickLibrary.h"
#include "project/ProgressWindow.h"

namespace tarnwick {

namespace {

constexpr const char* Header = "TarnwickPresetFile";
// Deeper nesting than any file written by hand or tool; past it the file is taken as damaged,
// and the recursion stays far from the stack's end.
constexpr int MaxGroupDepth = 256;

struct LegacyName {
    const char* stored;
    const char* field;
};
constexpr LegacyName LegacyFields[] = {
    {"tarnViewPen", "viewPen"},
    {"tarnViewFillPen", "viewFillPen"},
    {"tarnViewBkgdPen", "viewFillBkgdPen"},
    {"tarnViewFill", "viewFillType"},
    {"tarnViewLineType", "viewLineType"},
    {"tarnSectionPen", "sectionPen"},
    {"tarnSectionFillPen", "sectionFillPen"},
    {"tarnSectionBkgdPen", "sectionFillBkgdPen"},
    {"tarnSectionFill", "sectionFillType"},
    {"tarnSectionLineType", "sectionLineType"},
    {"tarnLineType", "lineType"},
    {"tarnLinePen", "linePen"},
};

const char* fieldForLegacyName(const String& name) {
    for (const LegacyName& entry : LegacyFields)
        if (name == entry.stored) return entry.field;
    return nullptr;
}

class LegacyPresetReader {
public:
    LegacyPresetReader(DataBufferIn& input, PresetDatabase& database, const TarnwickLibrary* library)
        : m_input(input), m_in(input), m_database(database), m_library(library) {
        Addon* addon = getAddon();
        if (m_library == nullptr && addon != nullptr) m_library = addon->getTarnwickLibrary();
    }

    bool read() {
        if (m_in.readCString() != Header) return false;
        String platform = m_in.readCString();
        // "Mtl" files come from Macs of the little-endian kind: their texts are Mac Roman too.
        if (platform == "Win" || platform == "Mtl")
            m_in.setByteOrder(LegacyBinaryIn::LittleEndian);
        else if (platform == "Mac")
            m_in.setByteOrder(LegacyBinaryIn::BigEndian);
        else
            return false;
        if (platform != "Win") m_codePage = LegacyCodePage::MacRoman;
        if (!readVersion()) return false;
        if (m_version > 4) (void)m_in.readBool();
        int32_t groups = m_in.readInt32();
        if (!m_in.isGood() || groups < 0) return false;

        std::shared_ptr<ProgressMonitor> progress =
            ProgressWindow::create(Host::getResourceString(PresetTexts, MigrationTitleText), 1);
        progress->setPhase(Host::getResourceString(PresetTexts, MigrationPhaseText), groups);
        for (int32_t group = 0; group < groups; ++group) {
            if (progress->isCancelled()) return false;
            if (!readGroup(String(), 1)) return false;
            progress->step();
        }
        return true;
    }

private:
    String text() { return decodeLegacyText(m_in.readCString().bytes(), m_codePage); }

    bool readVersion() {
        String nameAndVersion = m_in.readCString();
        if (!m_in.isGood()) return false;
        size_t colon = nameAndVersion.find(String(":"));
        String version = colon == String::npos ? nameAndVersion : nameAndVersion.substring(colon + 1);
        bool valid = false;
        m_version = parseInt(version, &valid);
        return valid && !version.isEmpty();
    }

    // A count of things each at least `least` bytes long: false for a negative one, or one the
    // bytes left cannot hold.
    bool fits(int64_t count, uint64_t least = 1) {
        uint64_t left = m_input.getLength() - m_input.getPosition();
        return count >= 0 && static_cast<uint64_t>(count) * least <= left;
    }

    bool readGroup(const String& inheritedType, int depth) {
        if (depth > MaxGroupDepth) return false;
        String name = text();
        String type = inheritedType.isEmpty() ? name : inheritedType;
        if (m_version > 2) (void)m_in.readCString();
        int32_t groups = m_in.readInt32();
        if (!m_in.isGood() || !fits(groups)) return false;
        for (int32_t group = 0; group < groups; ++group)
            if (!readGroup(type, depth + 1)) return false;
        int32_t presets = m_in.readInt32();
        if (!m_in.isGood() || !fits(presets)) return false;
        for (int32_t preset = 0; preset < presets; ++preset)
            if (!readPreset(type)) return false;
        return m_in.isGood();
    }

    bool readStamp() {
        if (m_version > 2) {
            DateTime stamp;
            stamp.setFromUnixTime(m_in.readInt32()); // every 32-bit count of seconds is a date
            (void)m_in.readInt32();
            (void)m_in.readCString();
        } else {
            (void)m_in.readCString(); // a day-to-second text; one that does not parse is taken
        }
        return m_in.isGood();
    }

    bool readPreset(const String& type) {
        String name = text();
        String identifier = text();
        if (!readStamp()) return false;
        if (m_version > 3) (void)m_in.readBool();
        if (m_version > 5) (void)m_in.readBool();
        if (!m_in.isGood()) return false;
        std::unique_ptr<PresetRecord> record = m_database.makeFromTemplate(type, name);
        if (!readList(record.get(), String(), -1)) return false;
        int32_t lists = m_in.readInt32();
        if (!m_in.isGood() || !fits(lists)) return false;
        for (int32_t list = 0; list < lists; ++list) {
            String listName = text();
            int32_t kind = m_in.readInt32();
            if (!m_in.isGood() || kind < 0 || kind > 2) return false;
            if (!readList(record.get(), listName, kind)) return false;
        }
        if (!record) return true;
        record->setImporting(true);
        if (!record->afterRead()) return true; // dropped; the file reads on
        record->setImporting(false);
        Guid id(identifier);
        m_database.put(id.isValid() ? id : m_database.newRecordId(), std::move(record));
        return true;
    }

    // Without a header (kind -1): a count of named values of their own kinds. With one: a count
    // and a column count of values of the list's kind, each under the list's name and its place
    // in the list.
    bool readList(PresetRecord* record, const String& listName, int32_t kind) {
        int64_t values = m_in.readInt32();
        if (kind >= 0) {
            int64_t columns = m_in.readInt32();
            if (!m_in.isGood() || columns < 0) return false;
            values *= columns;
        }
        if (!m_in.isGood() || !fits(values)) return false;
        Preset* preset = nullptr;
        for (int64_t position = 0; position < values; ++position) {
            String name = listName;
            std::unique_ptr<Setting> value = Setting::readLegacyValue(kind >= 0, name, m_in, kind);
            if (!value || !isNumber(*value)) return false;
            if (record == nullptr) continue;
            decode(*value);
            name = decodeLegacyText(name.bytes(), m_codePage);
            if (const char* field = fieldForLegacyName(name)) {
                record->setField(String(field), *value, 0);
                continue;
            }
            if (preset == nullptr && m_library != nullptr)
                preset = m_library->findPresetFor(name, *record, m_database);
            if (preset != nullptr)
                preset->matchParameters(*record, name, *value, kind >= 0 ? static_cast<size_t>(position) : 0,
                                        m_database);
        }
        return true;
    }

    // No file the system wrote holds a real that is no number: such bytes are not a preset file's.
    static bool isNumber(const Setting& value) {
        const auto* real = dynamic_cast<const RealSetting*>(&value);
        return real == nullptr || std::isfinite(real->getValue());
    }
    // Texts take the file's code page.
    void decode(Setting& value) {
        if (auto* text = dynamic_cast<StringSetting*>(&value))
            text->setText(decodeLegacyText(text->getValue().bytes(), m_codePage));
    }

    DataBufferIn& m_input;
    LegacyBinaryIn m_in;
    PresetDatabase& m_database;
    const TarnwickLibrary* m_library;
    LegacyCodePage m_codePage = LegacyCodePage::Windows1252;
    int32_t m_version = 0;
};

} // namespace

bool PresetDatabase::importLegacyFile(DataBufferIn& in, const TarnwickLibrary* configuration) {
    LegacyPresetReader reader(in, *this, configuration);
    return reader.read();
}

} // namespace tarnwick
