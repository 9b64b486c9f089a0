#include "ProjectFile.h"

#include <cstring>
#include <fstream>
#include <set>

#include "IfcFile.h"
#include "platform/api/HostErrors.h"
#include "platform/api/HostTypes.h"
#include "platform/io/File.h"
#include "platform/io/FileSystem.h"

namespace zavhost {

void ByteWriter::u32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        m_bytes += static_cast<char>((value >> shift) & 0xFF);
}

void ByteWriter::u64(uint64_t value) {
    u32(static_cast<uint32_t>(value));
    u32(static_cast<uint32_t>(value >> 32));
}

void ByteWriter::f64(double value) {
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    u64(bits);
}

void ByteWriter::guid(const API_Guid& guid) {
    for (uint32_t word : guid.words)
        u32(word);
}

void ByteWriter::text(std::string_view text) {
    u32(static_cast<uint32_t>(text.size()));
    m_bytes.append(text);
}

void ByteWriter::chunk(uint32_t tag, std::string_view payload) {
    u32(tag);
    u32(static_cast<uint32_t>(payload.size()));
    m_bytes.append(payload);
}

bool ByteReader::u32(uint32_t* value) {
    if (remaining() < 4) return false;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(static_cast<unsigned char>(m_bytes[m_pos + i])) << (8 * i);
    m_pos += 4;
    *value = v;
    return true;
}

bool ByteReader::u64(uint64_t* value) {
    if (remaining() < 8) return false;
    uint32_t low = 0, high = 0;
    u32(&low);
    u32(&high);
    *value = (uint64_t(high) << 32) | low;
    return true;
}

bool ByteReader::f64(double* value) {
    uint64_t bits = 0;
    if (!u64(&bits)) return false;
    std::memcpy(value, &bits, sizeof bits);
    return true;
}

bool ByteReader::guid(API_Guid* guid) {
    if (remaining() < 16) return false;
    for (uint32_t& word : guid->words)
        u32(&word);
    return true;
}

bool ByteReader::raw(size_t count, std::string_view* bytes) {
    if (count > remaining()) return false;
    *bytes = m_bytes.substr(m_pos, count);
    m_pos += count;
    return true;
}

bool ByteReader::text(std::string* text) {
    size_t start = m_pos;
    uint32_t length = 0;
    std::string_view bytes;
    if (!u32(&length) || !raw(length, &bytes)) {
        m_pos = start;
        return false;
    }
    text->assign(bytes);
    return true;
}

namespace ProjectFile {

namespace {
constexpr uint32_t nameTag = fourCC("NAME");
constexpr uint32_t textTag = fourCC("TEXT");
constexpr uint32_t moduleDataTag = fourCC("MDAT");
constexpr uint32_t keyedModuleDataTag = fourCC("MDKY");
constexpr uint32_t endTag = fourCC("END ");

bool fail(std::string* error, const std::string& why) {
    if (error != nullptr) *error = why;
    return false;
}

std::string tagText(uint32_t tag) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((tag >> shift) & 0xFF);
        text += (c >= 0x20 && c <= 0x7E) ? c : '?';
    }
    return text;
}

bool decodeTexts(std::string_view payload, ProjectModel* model, std::string* error) {
    ByteReader in(payload);
    uint32_t count = 0;
    if (!in.u32(&count)) return fail(error, "TEXT chunk too short");
    // Each text takes at least two length words.
    if (count > in.remaining() / 8) return fail(error, "TEXT chunk claims more texts than it holds");
    for (uint32_t i = 0; i < count; ++i) {
        std::string key, value;
        if (!in.text(&key) || !in.text(&value)) return fail(error, "TEXT chunk: a text runs past its end");
        if (!model->texts.emplace(std::move(key), std::move(value)).second)
            return fail(error, "TEXT chunk: a key is given twice");
    }
    if (in.remaining() != 0) return fail(error, "TEXT chunk: bytes left over");
    return true;
}

bool decodeKeyedModuleData(std::string_view payload, ProjectModel* model, std::string* error) {
    ByteReader in(payload);
    uint32_t count = 0;
    if (!in.u32(&count)) return fail(error, "MDKY chunk too short");
    if (count > in.remaining() / 8) return fail(error, "MDKY chunk claims more keys than it holds");
    for (uint32_t i = 0; i < count; ++i) {
        std::string key, value;
        if (!in.text(&key) || !in.text(&value)) return fail(error, "MDKY chunk: an entry runs past its end");
        if (key.empty() || key.size() > 255 || key.find('\0') != std::string::npos)
            return fail(error, "MDKY chunk: a key is not one the host takes");
        if (!model->keyedModuleData.emplace(std::move(key), std::move(value)).second)
            return fail(error, "MDKY chunk: a key is given twice");
    }
    if (in.remaining() != 0) return fail(error, "MDKY chunk: bytes left over");
    return true;
}
} // namespace

std::string encode(const Project& project) {
    ByteWriter out;
    out.raw(std::string_view(magic, sizeof magic));
    out.u32(currentVersion);
    out.chunk(nameTag, project.name);
    ByteWriter texts;
    texts.u32(static_cast<uint32_t>(project.model.texts.size()));
    for (const auto& [key, value] : project.model.texts) {
        texts.text(key);
        texts.text(value);
    }
    out.chunk(textTag, texts.bytes());
    if (project.model.moduleData) out.chunk(moduleDataTag, *project.model.moduleData);
    if (!project.model.keyedModuleData.empty()) {
        ByteWriter keyed;
        keyed.u32(static_cast<uint32_t>(project.model.keyedModuleData.size()));
        for (const auto& [key, value] : project.model.keyedModuleData) {
            keyed.text(key);
            keyed.text(value);
        }
        out.chunk(keyedModuleDataTag, keyed.bytes());
    }
    encodeModel(project.model, out);
    encodeLibrary(project.library, out);
    encodeIfc(project.model.ifc, out);
    model3d::encode(project.model.model3d, out);
    out.chunk(endTag, {});
    return out.bytes();
}

bool decode(std::string_view bytes, Project* project, std::string* error) {
    ByteReader in(bytes);
    std::string_view head;
    if (!in.raw(sizeof magic, &head) || head != std::string_view(magic, sizeof magic))
        return fail(error, "not a project file");
    uint32_t version = 0;
    if (!in.u32(&version)) return fail(error, "the file ends inside its header");
    if (version == 0 || version > currentVersion)
        return fail(error, "project file version " + std::to_string(version) + " is not supported");

    Project loaded;
    std::set<uint32_t> seen;
    bool ended = false;
    while (!ended) {
        uint32_t tag = 0, length = 0;
        std::string_view payload;
        if (!in.u32(&tag) || !in.u32(&length)) return fail(error, "the file ends inside a chunk header");
        if (!in.raw(length, &payload))
            return fail(error, "chunk " + tagText(tag) + " is longer than the bytes that remain");
        bool known = tag == nameTag || tag == textTag || tag == moduleDataTag || tag == keyedModuleDataTag ||
                     tag == endTag || tag == ifcTag || tag == model3d::chunkTag || isModelChunk(tag) ||
                     isLibraryChunk(tag);
        if (known && !seen.insert(tag).second) return fail(error, "chunk " + tagText(tag) + " given twice");
        if (tag == nameTag) {
            loaded.name.assign(payload);
        } else if (tag == textTag) {
            if (!decodeTexts(payload, &loaded.model, error)) return false;
        } else if (tag == moduleDataTag) {
            loaded.model.moduleData = std::string(payload);
        } else if (tag == keyedModuleDataTag) {
            if (!decodeKeyedModuleData(payload, &loaded.model, error)) return false;
        } else if (tag == ifcTag) {
            if (!decodeIfc(payload, &loaded.model.ifc, error)) return false;
        } else if (tag == model3d::chunkTag) {
            if (!model3d::decode(payload, &loaded.model.model3d, error)) return false;
        } else if (isLibraryChunk(tag)) {
            if (!decodeLibraryChunk(tag, payload, &loaded.library, error)) return false;
        } else if (isModelChunk(tag)) {
            if (!decodeModelChunk(tag, payload, &loaded.model, error)) return false;
        } else if (tag == endTag) {
            if (length != 0) return fail(error, "END chunk is not empty");
            ended = true;
        }
    }
    if (in.remaining() != 0) return fail(error, "bytes after the END chunk");
    if (seen.count(nameTag) == 0) return fail(error, "the file has no NAME chunk");
    completeModel(seen, &loaded.model);
    *project = std::move(loaded);
    return true;
}

namespace {
// Why a write failed, as the user can act on it.
std::string reason(GSErrCode err) {
    if (err == hosterr::Refused)
        return "the disk or its folder refuses writing (read-only, or access denied)";
    if (err == hosterr::NotFound) return "its folder is not there";
    if (err == hosterr::BadName) return "something that is not a file stands in its way";
    return "the disk failed (it may be full)";
}
} // namespace

bool save(const Project& project, const std::string& path, std::string* error) {
    const std::string bytes = encode(project);
    const IO::Location target(path);
    const IO::Location temporary(path + ".saving");
    // The temporary name is the host's own: what an earlier save left there goes, a link unfollowed,
    // and the file is made new, so that nothing is written through a link.
    const int left = IO::GetItemTypeNoFollow(temporary);
    if (left == IO::ItemFile || left == IO::ItemLink) (void)IO::Delete(temporary);
    GSErrCode err = hosterr::Ok;
    {
        IO::File out(temporary);
        err = out.CreateNew(IO::File::Access::Write);
        if (err != hosterr::Ok) return fail(error, "cannot write " + path + ": " + reason(err));
        err = out.Write(bytes.data(), bytes.size());
        const GSErrCode closed = out.Close();
        if (err == hosterr::Ok) err = closed;
    }
    if (err == hosterr::Ok) err = IO::Rename(temporary, target);
    if (err != hosterr::Ok) {
        (void)IO::Delete(temporary);
        return fail(error, "cannot write " + path + ": " + reason(err));
    }
    return true;
}

bool load(const std::string& path, Project* project, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail(error, "cannot open " + path);
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0) return fail(error, "cannot read " + path);
    if (static_cast<uint64_t>(size) > largestFile)
        return fail(error, path + " is too large for a project file");
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (size > 0 && !in.read(bytes.data(), size)) return fail(error, "cannot read " + path);
    Project loaded;
    if (!decode(bytes, &loaded, error)) return false;
    loaded.filePath = path;
    *project = std::move(loaded);
    return true;
}

} // namespace ProjectFile
} // namespace zavhost
