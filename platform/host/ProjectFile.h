// Project files: a magic, a format version and tagged, length-prefixed chunks, ended by an "END "
// chunk. Readers skip chunks they do not know, so new kinds of data come as new chunks and old
// files stay readable. Every length is checked against the bytes that remain; a file that fails
// leaves nothing half-loaded.
//
//   magic    8 bytes "ZAVHPRJ" and 0x1A
//   version  u32
//   chunks   tag u32 (four-character code), length u32, that many bytes
// All integers little-endian. Chunks of version 1: NAME (the name's UTF-8 bytes), TEXT (u32 count,
// then per text a length-prefixed key and value), MDAT (the module data's bytes), END (empty); and
// the model's chunks (ProjectFileModel.cpp): SETG settings, ATTR attributes, STRY storeys, VIEW
// databases with their elements, VWIN their windows (zoom box, pixel size), DEFS default elements, RELS
// links, relation codes and associations. A file without a model chunk gets a new project's of that part.
// LIBR (LibraryFile.cpp): the library's parts, folders, derivations and versions; none: an empty library.
// LSEC (LibraryFile.cpp): the sections and details of the parts that have them.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "Project.h"

namespace zavhost {

class ByteWriter {
public:
    void u32(uint32_t value);
    void u64(uint64_t value);
    void f64(double value);
    void guid(const API_Guid& guid);  // the four words
    void text(std::string_view text); // u32 length, then the bytes
    void raw(std::string_view bytes) { m_bytes.append(bytes); }
    void chunk(uint32_t tag, std::string_view payload);
    const std::string& bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

// Reads from a byte range; every read answers false, and reads nothing, when the bytes run out.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : m_bytes(bytes) {}
    bool u32(uint32_t* value);
    bool u64(uint64_t* value);
    bool f64(double* value);
    bool guid(API_Guid* guid);
    bool text(std::string* text);
    bool raw(size_t count, std::string_view* bytes);
    size_t remaining() const { return m_bytes.size() - m_pos; }

private:
    std::string_view m_bytes;
    size_t m_pos = 0;
};

namespace ProjectFile {
inline constexpr char magic[8] = {'Z', 'A', 'V', 'H', 'P', 'R', 'J', '\x1A'};
inline constexpr uint32_t currentVersion = 1;
inline constexpr size_t largestFile = size_t(1) << 30;

std::string encode(const Project& project);
// The model's chunks, written after TEXT.
void encodeModel(const ProjectModel& model, ByteWriter& out);
bool isModelChunk(uint32_t tag);
bool decodeModelChunk(uint32_t tag, std::string_view payload, ProjectModel* model, std::string* error);
// Gives the parts whose chunks were not in the file a new project's.
void completeModel(const std::set<uint32_t>& seen, ProjectModel* model);
// The library chunk (LibraryFile.cpp), written after the model's.
void encodeLibrary(const LibraryManager& library, ByteWriter& out);
bool isLibraryChunk(uint32_t tag);
// LSEC, the parts' sections and details, comes after LIBR and fills in the parts LIBR read.
bool decodeLibraryChunk(uint32_t tag, std::string_view payload, LibraryManager* library, std::string* error);
// Fills `project` only when the whole of `bytes` is a sound project; else answers false and why.
bool decode(std::string_view bytes, Project* project, std::string* error);

// Writes through a new temporary file beside it, so that a failed save leaves the old file whole.
// A location held unwritable (IO::SetUnwritable) refuses it, as a read-only disk would; *error
// then says why in words the user can act on.
bool save(const Project& project, const std::string& path, std::string* error);
bool load(const std::string& path, Project* project, std::string* error);
} // namespace ProjectFile

} // namespace zavhost
