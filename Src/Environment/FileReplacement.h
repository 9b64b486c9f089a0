// A file written whole through a new temporary file beside it, which then takes the file's place:
// neither a failed write nor a power loss leaves the file half-written, and nothing standing at
// either name can send the bytes elsewhere. The file's name may come from outside (a document, a
// project, another program) and its folder may be shared with other users, so a link there is
// never followed: only a missing file or a regular one is written, the temporary file is made new,
// where nothing stands, readable by its owner alone, and it is put in place through what made it,
// never opened again by name.
#pragma once

#include <string>

#include "Environment/DataFile.h"
#include "Environment/NonCopyable.h"

namespace tarnwick {

class FileReplacement : NonCopyable {
public:
    // The named file in folder, written through "name + temporarySuffix" beside it.
    FileReplacement(const Directory& folder, const String& name, const String& temporarySuffix);
    // A temporary file not put in place goes.
    ~FileReplacement();

    // The temporary file, made and open for writing, readable by its owner alone; null when the
    // file cannot be replaced: a link (even one that names nothing), a folder or anything else but
    // a regular file stands at its name, either name is too long for the folder, or the temporary
    // file cannot be made. A regular file left at the temporary name by an earlier write that did
    // not end, or a link there, is removed first (what the link names is left alone); a folder or
    // anything else there refuses the write.
    DataFile* begin();
    // Puts the temporary file in the file's place with the file's permission bits (a new file's
    // where none stood); false when it could not be, and then the file is as it was and the
    // temporary file is gone. Refused when a write to the temporary file failed, when anything but
    // a regular file stands at the file's name now, or when the temporary name no longer holds the
    // file that was written. False also, with the new file in place, when the folder could not be
    // flushed after the rename, so that the new file may not outlast a power loss.
    [[nodiscard]] bool commit();
    // For a writer that gives up: the temporary file goes now, and the file stays as it was.
    void abandon() { discard(); }
    // begin, the bytes, commit.
    [[nodiscard]] bool writeWhole(const std::string& bytes);

    String getPath() const { return m_target.getPath(); }
    String getTemporaryPath() const { return m_temporaryName.getPath(); }
    // Where something stood that the write will not go through or replace; empty when nothing
    // did, and the write failed (if it did) for want of room or permission.
    const String& getRefusedPath() const { return m_refused; }
    // True when the write failed as the file's name, or its temporary name, is longer than the
    // folder takes.
    bool isNameTooLong() const { return m_nameTooLong; }

private:
    void refuse(const File& where);
    void discard();

    File m_target;
    File m_temporaryName;
    DataFile m_temporary;
    String m_refused;
    bool m_begun = false;
    bool m_made = false;
    bool m_nameTooLong = false;
};

} // namespace tarnwick
