// A file written whole through a new temporary file beside it, which then takes the file's place:
// neither a failed write nor a power loss leaves the file half-written, and nothing standing at
// either name can send the bytes elsewhere. The file's name may come from outside (a document, a
// project, another program), so a link there is never followed: only a missing file or a regular
// one is written, and the temporary file is made new, where nothing stands.
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

    // The temporary file, made and open for writing; null when the file cannot be replaced: a
    // link (even one that names nothing), a folder or anything else but a regular file stands at
    // its name, or the temporary file cannot be made. A regular file left at the temporary name by
    // an earlier write that did not end, or a link there, is removed first (what the link names is
    // left alone); a folder or anything else there refuses the write.
    DataFile* begin();
    // Closes the temporary file and puts it in the file's place; false when it could not be, and
    // then the file is as it was and the temporary file is gone.
    [[nodiscard]] bool commit();
    // begin, the bytes, commit.
    [[nodiscard]] bool writeWhole(const std::string& bytes);

    String getPath() const { return m_target.getPath(); }
    String getTemporaryPath() const { return m_temporary.getPath(); }
    // Where something stood that the write will not go through or replace; empty when nothing
    // did, and the write failed (if it did) for want of room or permission.
    const String& getRefusedPath() const { return m_refused; }

private:
    void refuse(const File& where);
    void discard();

    File m_target;
    DataFile m_temporary;
    String m_refused;
    bool m_begun = false;
    bool m_made = false;
};

} // namespace tarnwick
