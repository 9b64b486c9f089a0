// The project file's library chunk. Every count is checked against the bytes that remain, and a
// part's parameters against the shape of their records, so that a damaged file fails with a
// reason.
//
//   LIBR  u32 part count, per part: u32 type, name, file name, own id, parent id, u32 flags
//         (1 missing, 2 unreadable), u32 owner id, path, u32 version, f64 a, f64 b, u32 has
//         parameters, then the block (bytes, u32 nested count, per nested block u32 offset and
//         bytes), u32 rule count, per rule: target, source, f64 factor;
//         u32 folder count, folder paths, u32 selected + 1, u32 reloads;
//         u32 derivation count, child, parent; u32 version count, id, u32 version.
//   LSEC  u32 part count, per part: u32 index (ascending), u32 details (first | third << 8),
//         u32 section count, per section: u32 code (ascending), u32 flags (1 text, 2 missing), bytes.
#include <algorithm>

#include "LibraryManager.h"
#include "ProjectFile.h"

namespace zavhost::ProjectFile {

namespace {
constexpr uint32_t libraryTag = fourCC("LIBR");
constexpr uint32_t sectionsTag = fourCC("LSEC");
constexpr uint32_t largestCount = 1u << 20;

void writeParameters(ByteWriter& out, const std::optional<StoredBlock>& parameters) {
    out.u32(parameters ? 1 : 0);
    if (!parameters) return;
    out.text(parameters->bytes);
    out.u32(static_cast<uint32_t>(parameters->nested.size()));
    for (const auto& [offset, block] : parameters->nested) {
        out.u32(offset);
        out.text(block.bytes);
    }
}

class LibraryReader {
public:
    LibraryReader(std::string_view payload, std::string* error) : m_in(payload), m_error(error) {}

    bool read(LibraryManager* library) {
        uint32_t parts = 0;
        if (!count(&parts, 40, "parts")) return false;
        for (uint32_t i = 0; i < parts; ++i) {
            LibraryPart part;
            if (!this->part(&part)) return false;
            library->add(std::move(part));
        }
        uint32_t folders = 0, selected = 0;
        if (!count(&folders, 4, "folders")) return false;
        for (uint32_t i = 0; i < folders; ++i) {
            std::string path;
            if (!text(&path, "a folder")) return false;
            library->folders.push_back(std::move(path));
        }
        if (!u32(&selected, "the selected folder") || !u32(&library->reloads, "the reloads")) return false;
        if (selected > folders) return fail("the selected folder is not in the list");
        library->selectedFolder = static_cast<int32_t>(selected) - 1;
        uint32_t derivations = 0, versions = 0;
        if (!count(&derivations, 8, "derivations")) return false;
        for (uint32_t i = 0; i < derivations; ++i) {
            std::string child, parent;
            if (!text(&child, "a derivation") || !text(&parent, "a derivation")) return false;
            library->addDerivation(child, parent);
        }
        if (!count(&versions, 8, "versions")) return false;
        for (uint32_t i = 0; i < versions; ++i) {
            std::string id;
            uint32_t version = 0;
            if (!text(&id, "a version") || !u32(&version, "a version")) return false;
            library->setVersion(id, static_cast<int32_t>(version));
        }
        if (m_in.remaining() != 0) return fail("bytes left over");
        return true;
    }

private:
    bool fail(const std::string& why) {
        if (m_error != nullptr) *m_error = "LIBR chunk: " + why;
        return false;
    }
    bool u32(uint32_t* value, const char* what) {
        return m_in.u32(value) || fail(std::string(what) + " runs past its end");
    }
    bool text(std::string* value, const char* what) {
        return m_in.text(value) || fail(std::string(what) + " runs past its end");
    }
    // A count of entries of at least `least` bytes each, checked against what remains.
    bool count(uint32_t* value, size_t least, const char* what) {
        if (!u32(value, what)) return false;
        if (*value > largestCount || *value > m_in.remaining() / least)
            return fail(std::string("more ") + what + " than the chunk holds");
        return true;
    }
    bool part(LibraryPart* part) {
        uint32_t flags = 0, owner = 0, version = 0, hasParameters = 0;
        if (!u32(&part->type, "a part") || !text(&part->name, "a part") || !text(&part->fileName, "a part") ||
            !text(&part->ownId, "a part") || !text(&part->parentId, "a part") || !u32(&flags, "a part") ||
            !u32(&owner, "a part") || !text(&part->path, "a part") || !u32(&version, "a part") ||
            !m_in.f64(&part->a) || !m_in.f64(&part->b) || !u32(&hasParameters, "a part"))
            return fail("a part runs past its end");
        if (flags > 3 || version > 0xFFFF || hasParameters > 1)
            return fail("a part's flags are not the host's");
        part->missing = (flags & 1) != 0;
        part->unreadable = (flags & 2) != 0;
        part->ownerId = static_cast<int32_t>(owner);
        part->version = static_cast<uint16_t>(version);
        if (hasParameters != 0 && !parameters(part)) return false;
        uint32_t rules = 0;
        if (!count(&rules, 16, "rules")) return false;
        for (uint32_t i = 0; i < rules; ++i) {
            ScriptRule rule;
            if (!text(&rule.target, "a rule") || !text(&rule.source, "a rule") || !m_in.f64(&rule.factor))
                return fail("a rule runs past its end");
            part->rules.push_back(std::move(rule));
        }
        return true;
    }
    bool parameters(LibraryPart* part) {
        StoredBlock block;
        uint32_t nested = 0;
        if (!text(&block.bytes, "parameters") || !count(&nested, 8, "array values")) return false;
        if (block.bytes.size() % sizeof(HostAdditionalParameter) != 0)
            return fail("parameters that are no whole records");
        const std::vector<uint32_t> slots =
            nestedSlots(Nesting::Parameters, block.bytes.data(), block.bytes.size());
        for (uint32_t i = 0; i < nested; ++i) {
            uint32_t offset = 0;
            StoredBlock inner;
            if (!u32(&offset, "array values") || !text(&inner.bytes, "array values")) return false;
            if (!std::binary_search(slots.begin(), slots.end(), offset) ||
                (!block.nested.empty() && offset <= block.nested.back().first))
                return fail("array values that belong to no array");
            block.nested.emplace_back(offset, std::move(inner));
        }
        part->parameters = std::move(block);
        return true;
    }

    ByteReader m_in;
    std::string* m_error;
};
class SectionsReader {
public:
    SectionsReader(std::string_view payload, std::string* error) : m_in(payload), m_error(error) {}

    bool read(LibraryManager* library) {
        uint32_t parts = 0, last = 0;
        if (!count(&parts, 12, "parts")) return false;
        for (uint32_t i = 0; i < parts; ++i) {
            uint32_t index = 0, details = 0, sections = 0;
            if (!u32(&index) || !u32(&details) || !count(&sections, 12, "sections")) return false;
            LibraryPart* part = library->edit(index);
            if (part == nullptr || index <= last) return fail("sections of a part that is not there");
            if (details > 0xFFFF) return fail("details that are not the host's");
            last = index;
            part->firstDetail = static_cast<uint8_t>(details & 0xFF);
            part->thirdDetail = static_cast<uint8_t>(details >> 8);
            part->sections.clear();
            for (uint32_t s = 0; s < sections; ++s) {
                LibrarySection section;
                uint32_t flags = 0;
                if (!u32(&section.code) || !u32(&flags) || !m_in.text(&section.bytes))
                    return fail("a section runs past its end");
                if (flags > 3 || (!part->sections.empty() && section.code <= part->sections.back().code))
                    return fail("a section that is not the host's");
                section.text = (flags & 1) != 0;
                section.missing = (flags & 2) != 0;
                part->sections.push_back(std::move(section));
            }
        }
        if (m_in.remaining() != 0) return fail("bytes left over");
        return true;
    }

private:
    bool fail(const std::string& why) {
        if (m_error != nullptr) *m_error = "LSEC chunk: " + why;
        return false;
    }
    bool u32(uint32_t* value) { return m_in.u32(value) || fail("a part runs past its end"); }
    bool count(uint32_t* value, size_t least, const char* what) {
        if (!u32(value)) return false;
        if (*value > largestCount || *value > m_in.remaining() / least)
            return fail(std::string("more ") + what + " than the chunk holds");
        return true;
    }

    ByteReader m_in;
    std::string* m_error;
};

void encodeSections(const LibraryManager& library, ByteWriter& out) {
    ByteWriter chunk;
    uint32_t parts = 0;
    for (uint32_t index = 1; index <= library.count(); ++index) {
        const LibraryPart& part = *library.part(index);
        if (part.sections.empty() && part.firstDetail == 0 && part.thirdDetail == 0) continue;
        ++parts;
        chunk.u32(index);
        chunk.u32(part.firstDetail | (uint32_t(part.thirdDetail) << 8));
        chunk.u32(static_cast<uint32_t>(part.sections.size()));
        for (const LibrarySection& section : part.sections) {
            chunk.u32(section.code);
            chunk.u32((section.text ? 1 : 0) | (section.missing ? 2 : 0));
            chunk.text(section.bytes);
        }
    }
    if (parts == 0) return; // files without sections stay as they were
    ByteWriter counted;
    counted.u32(parts);
    out.chunk(sectionsTag, counted.bytes() + chunk.bytes());
}
} // namespace

void encodeLibrary(const LibraryManager& library, ByteWriter& out) {
    ByteWriter chunk;
    chunk.u32(library.count());
    for (uint32_t index = 1; index <= library.count(); ++index) {
        const LibraryPart& part = *library.part(index);
        chunk.u32(part.type);
        chunk.text(part.name);
        chunk.text(part.fileName);
        chunk.text(part.ownId);
        chunk.text(part.parentId);
        chunk.u32((part.missing ? 1 : 0) | (part.unreadable ? 2 : 0));
        chunk.u32(static_cast<uint32_t>(part.ownerId));
        chunk.text(part.path);
        chunk.u32(part.version);
        chunk.f64(part.a);
        chunk.f64(part.b);
        writeParameters(chunk, part.parameters);
        chunk.u32(static_cast<uint32_t>(part.rules.size()));
        for (const ScriptRule& rule : part.rules) {
            chunk.text(rule.target);
            chunk.text(rule.source);
            chunk.f64(rule.factor);
        }
    }
    chunk.u32(static_cast<uint32_t>(library.folders.size()));
    for (const std::string& folder : library.folders)
        chunk.text(folder);
    chunk.u32(static_cast<uint32_t>(library.selectedFolder + 1));
    chunk.u32(library.reloads);
    chunk.u32(static_cast<uint32_t>(library.derivations().size()));
    for (const auto& [child, parent] : library.derivations()) {
        chunk.text(child);
        chunk.text(parent);
    }
    chunk.u32(static_cast<uint32_t>(library.versions().size()));
    for (const auto& [id, version] : library.versions()) {
        chunk.text(id);
        chunk.u32(static_cast<uint32_t>(version));
    }
    out.chunk(libraryTag, chunk.bytes());
    encodeSections(library, out);
}

bool isLibraryChunk(uint32_t tag) {
    return tag == libraryTag || tag == sectionsTag;
}

bool decodeLibraryChunk(uint32_t tag, std::string_view payload, LibraryManager* library, std::string* error) {
    if (tag == sectionsTag) {
        LibraryManager read = *library;
        if (!SectionsReader(payload, error).read(&read)) return false;
        *library = std::move(read);
        return true;
    }
    LibraryManager read;
    if (!LibraryReader(payload, error).read(&read)) return false;
    *library = std::move(read);
    return true;
}

} // namespace zavhost::ProjectFile
