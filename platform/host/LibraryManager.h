// The project's library as the stand-in host's library manager keeps it: a catalogue of library
// parts (1-based indices), the loaded library folders with the selected one, which part families
// derive from which, the version order within a family, and per part a rule that stands in for
// its parameter script. Saved with the project; the files themselves are never read.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "StoredBlocks.h"
#include "platform/api/LibraryRecords.h"
#include "platform/api/ParameterRecords.h"

namespace zavhost {

// What a part's script does when a parameter changes: target = factor × source (single numbers).
struct ScriptRule {
    std::string target;
    std::string source;
    double factor = 1.0;
    bool operator==(const ScriptRule&) const = default;
};

// One section of a part: a script or other text (UTF-8, without a NUL) or the bytes of a handle.
struct LibrarySection {
    uint32_t code = 0;
    std::string bytes;
    bool text = false;
    bool missing = false; // listed, but reading it answers 0x810600CD
    bool operator==(const LibrarySection&) const = default;
};

struct LibraryPart {
    uint32_t type = 0;
    std::string name;     // the document name, UTF-8
    std::string fileName; // with its extension
    std::string ownId;    // "{...}-{...}"
    std::string parentId;
    bool missing = false;    // its file is not in the loaded libraries
    bool unreadable = false; // a damaged entry: reading it by index fails
    int32_t ownerId = 0;
    std::string path; // the part file; empty for none
    uint16_t version = 0;
    double a = 1.0;
    double b = 1.0;
    // The default additional-parameter records, with the value blocks of their arrays.
    std::optional<StoredBlock> parameters;
    std::vector<ScriptRule> rules;
    std::vector<LibrarySection> sections; // in the order of their codes
    uint8_t firstDetail = 0;              // bytes 0 and 2 of the part's details
    uint8_t thirdDetail = 0;
    bool operator==(const LibraryPart&) const = default;

    LibrarySection* section(uint32_t code);
    const LibrarySection* section(uint32_t code) const;
    // Replaces the section of its code, or adds it in code order.
    void setSection(LibrarySection section);
};

class LibraryManager {
public:
    // The parts by index (1-based); null for an index that is not there.
    const LibraryPart* part(uint32_t index) const;
    uint32_t count() const { return static_cast<uint32_t>(m_parts.size()); }
    // Answers the new part's index.
    uint32_t add(LibraryPart part);
    // The part for changing; null for an index that is not there. Its ids stay as they are.
    LibraryPart* edit(uint32_t index);
    // A new part in place of the one at the index (which must be there).
    void replace(uint32_t index, LibraryPart part);
    // Replaces the part's default parameters with a copy of the handle's records (null: none);
    // false for an index not there or a handle that is no live block.
    bool setParameters(uint32_t index, GSHandle parameters);
    // First match after `after` (0: from the start); 0 when none. Unreadable entries are not found.
    uint32_t findByName(const std::string& name, uint32_t type) const;
    uint32_t findByFileName(const std::string& fileName) const;
    uint32_t findByOwnId(const std::string& id) const;
    uint32_t findByParentId(const std::string& id, uint32_t after) const;
    uint32_t findByPath(const std::string& path) const;

    // The part of that id derives from the family of the other: the same id, or the other up the
    // chain of parent ids (the parts' own and the extra derivations).
    bool derives(const std::string& id, const std::string& family) const;
    void addDerivation(const std::string& child, const std::string& parent);
    // Versions within a family (ids of one family share their first Guid); none for an id not
    // in the table.
    void setVersion(const std::string& id, int32_t version);
    std::optional<int32_t> versionOf(const std::string& id) const;
    const std::map<std::string, std::string>& derivations() const { return m_derivations; }
    const std::map<std::string, int32_t>& versions() const { return m_versions; }

    std::vector<std::string> folders; // paths, in the host's order
    int32_t selectedFolder = -1;      // position in folders; -1 for none
    uint32_t reloads = 0;             // "LLIB"

    bool operator==(const LibraryManager& other) const;

private:
    std::vector<LibraryPart> m_parts;
    std::map<std::string, std::string> m_derivations; // besides the parts' own parent ids
    std::map<std::string, int32_t> m_versions;
    std::unordered_map<std::string, std::string> m_parentOf; // own id -> parent id, of all
};

// The unique id of one of the host's standard part families, which the derivation table knows
// from the start: "door", "label", "lamp", "property", "window" or "zone"; empty for another name.
std::string standardFamily(const std::string& name);

// The family Guid of a unique id: the text before "}-{", braces included; the whole id when it
// has no second part.
std::string familyOf(const std::string& unId);

// A part record filled from the catalogue; the location a new object the caller deletes.
void fillLibPartRecord(const LibraryPart& part, uint32_t index, HostLibPart* record);

// A single-value additional-parameter record (type 12 takes the text, others the number).
HostAdditionalParameter parameterRecord(uint32_t type, const std::string& name, double number,
                                        const std::string& text);

} // namespace zavhost
