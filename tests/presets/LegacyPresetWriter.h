// Writes legacy preset files for tests and fuzz seeds, from the layout the import reads: texts end
// in a NUL, numbers are in the order the platform word names ("Mac" big-endian, else little).
// The version decides the optional fields, as in the files the old versions wrote.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace presettest {

struct LegacyValue {
    std::string name; // empty inside a list with a header
    int32_t kind = 0; // 0 integer, 1 real, 2 text
    double number = 0.0;
    std::string text;
};

struct LegacyList {
    std::string name;
    int32_t kind = 0;
    int32_t rows = 0;
    int32_t columns = 1;
    std::vector<LegacyValue> values; // rows × columns of them
};

struct LegacyPreset {
    std::string name;
    std::string id;
    std::vector<LegacyValue> values;
    std::vector<LegacyList> lists;
};

struct LegacyGroup {
    std::string name;
    std::vector<LegacyGroup> groups;
    std::vector<LegacyPreset> presets;
};

class LegacyFile {
public:
    explicit LegacyFile(std::string platform = "Win", int version = 6, std::string nameAndVersion = "")
        : m_platform(std::move(platform)), m_version(version),
          m_nameAndVersion(nameAndVersion.empty() ? "Styles:" + std::to_string(version) : nameAndVersion) {}

    std::string write(const std::vector<LegacyGroup>& groups) {
        header(static_cast<int32_t>(groups.size()));
        for (const LegacyGroup& each : groups)
            group(each);
        return bytes;
    }
    void header(int32_t groupCount) {
        text("TarnwickPresetFile");
        text(m_platform);
        text(m_nameAndVersion);
        if (m_version > 4) flag(true);
        i32(groupCount);
    }
    void group(const LegacyGroup& each) {
        text(each.name);
        if (m_version > 2) text("a comment");
        i32(static_cast<int32_t>(each.groups.size()));
        for (const LegacyGroup& inner : each.groups)
            group(inner);
        i32(static_cast<int32_t>(each.presets.size()));
        for (const LegacyPreset& preset : each.presets)
            this->preset(preset);
    }
    void preset(const LegacyPreset& preset) {
        text(preset.name);
        text(preset.id);
        if (m_version > 2) {
            i32(1700000000);
            i32(0);
            text("stamp");
        } else {
            text("1/2/2003/4/5/6/");
        }
        if (m_version > 3) flag(false);
        if (m_version > 5) flag(true);
        i32(static_cast<int32_t>(preset.values.size()));
        for (const LegacyValue& value : preset.values) {
            text(value.name);
            i32(value.kind);
            this->value(value);
        }
        i32(static_cast<int32_t>(preset.lists.size()));
        for (const LegacyList& list : preset.lists) {
            text(list.name);
            i32(list.kind);
            i32(list.rows);
            i32(list.columns);
            for (const LegacyValue& each : list.values)
                value(each);
        }
    }
    void value(const LegacyValue& value) {
        if (value.kind == 0) i32(static_cast<int32_t>(value.number));
        if (value.kind == 1) f64(value.number);
        if (value.kind == 2) text(value.text);
    }

    void text(const std::string& t) {
        bytes += t;
        bytes += '\0';
    }
    void i32(int32_t v) { number(static_cast<uint32_t>(v), 4); }
    void f64(double v) {
        uint64_t raw = 0;
        std::memcpy(&raw, &v, sizeof raw);
        number(raw, 8);
    }
    void flag(bool on) { bytes += on ? '\1' : '\0'; }

    std::string bytes;

private:
    void number(uint64_t raw, int size) {
        for (int i = 0; i < size; ++i) {
            int shift = 8 * (m_platform == "Mac" ? size - 1 - i : i);
            bytes += static_cast<char>((raw >> shift) & 0xFF);
        }
    }

    std::string m_platform;
    int m_version;
    std::string m_nameAndVersion;
};

} // namespace presettest
