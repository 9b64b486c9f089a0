// A data file: a File that can be opened, read and written. It opens itself on first use
// (reading: read-only; writing: read-write, creating the file) and closes when destroyed.
// Failures answer false, 0 or null and keep the host error as getLastError.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Directory.h"
#include "Environment/NonCopyable.h"
#include "platform/io/File.h"

namespace tarnwick {

class DataFile : public File, NonCopyable {
public:
    // Kinds of file a caller may name; the kind is kept, not interpreted.
    static constexpr uint32_t TextureKind = 3; // textures and library-part files

    explicit DataFile(const String& path);
    explicit DataFile(const IO::Location& location, uint32_t kind = 0);
    // The named file in folder. With createNow the file is made (empty) when missing and left
    // open for reading and writing.
    DataFile(const Directory& folder, const String& name, uint32_t fileType = 0, bool createNow = false);
    ~DataFile() override;

    // A new file in folder named from name up to its last "." followed by extension ("xml" and
    // ".xml" both give "stem.xml"; an empty extension gives "stem"). It is created when missing
    // (an existing file is kept as it is) and left open for reading and writing. Null with
    // hosterr::BadName in *status when name has no "." (or nothing before it); the host error
    // when the file cannot be made; *status is 0 on success.
    static std::unique_ptr<DataFile> create(const Directory& folder, const String& name, uint32_t fileType,
                                            GSErrCode* status, const String& extension);

    uint32_t getKind() const { return m_kind; }
    uint32_t getFileType() const { return m_fileType; }
    GSErrCode getLastError() const { return m_lastError; }

    bool exists() const override; // open, or something at the location
    bool isOpen() const { return m_file.IsOpen(); }
    // Opens explicitly; forWriting opens read-write and creates a missing file. Reopening an open
    // file with the access it already has succeeds and keeps the position.
    [[nodiscard]] bool open(bool forWriting);
    // Makes the file and opens it for reading and writing. False when anything stands at the
    // location already, a link that names nothing included: nothing is made where a link points.
    // With ownerOnly, no one but its owner may read it (0600) until it is put in place.
    [[nodiscard]] bool createNew(bool ownerOnly = false);
    // Puts this file, made by createNew and open, in target's place, in the same folder, without
    // opening anything by name (IO::File::PutInPlaceOf): it takes the permission bits of a regular
    // file there, or a new file's. On success it is closed and located at target. False, with the
    // host error, when it was not: then it is open where it was, or, when only the folder could not
    // be flushed after the rename, closed at target. hosterr::BadName when its own name no longer
    // holds it.
    [[nodiscard]] bool putInPlaceOf(const File& target);
    // True while it is open and its location, not followed, holds this very file.
    bool isAtItsLocation() const { return m_file.IsAtItsLocation(); }
    // True once a write or a change of length failed since the file was opened: bytes may be
    // missing from it.
    bool hasWriteFailed() const { return m_writeFailed; }
    [[nodiscard]] bool close();

    uint64_t getLength() const; // 0 on failure
    // Reads up to count bytes at the position; answers the bytes read (fewer at the end).
    size_t read(void* buffer, size_t count);
    // Writes all count bytes at the position. A file opened read-only refuses.
    [[nodiscard]] bool write(const void* data, size_t count);
    [[nodiscard]] bool setLength(uint64_t length); // 0 empties the file; the position is not moved
    [[nodiscard]] bool seek(uint64_t position);
    [[nodiscard]] bool seekToEnd();
    uint64_t getPosition() const;

    // The folder holding the file; null for an empty location or the root.
    std::unique_ptr<Directory> getDirectory() const;
    // Closes and deletes the file.
    [[nodiscard]] bool remove();

private:
    bool ensureOpen(bool forWriting);
    bool check(GSErrCode err);

    IO::File m_file;
    uint32_t m_kind = 0;
    uint32_t m_fileType = 0;
    mutable GSErrCode m_lastError = 0;
    bool m_writeFailed = false;
};

} // namespace tarnwick
