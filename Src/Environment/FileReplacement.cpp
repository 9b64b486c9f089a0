#include "Environment/FileReplacement.h"

#include "platform/api/HostErrors.h"
#include "platform/io/FileSystem.h"

namespace tarnwick {

FileReplacement::FileReplacement(const Directory& folder, const String& name, const String& temporarySuffix)
    : m_target(Directory(folder, name).getLocation()),
      m_temporaryName(Directory(folder, name + temporarySuffix).getLocation()),
      m_temporary(m_temporaryName.getLocation()) {}

FileReplacement::~FileReplacement() {
    discard();
}

void FileReplacement::refuse(const File& where) {
    m_refused = where.getPath();
}

void FileReplacement::discard() {
    if (!m_made) return;
    m_made = false;
    // Only the file this wrote goes: what was put at its name since is not this writer's.
    if (m_temporary.isAtItsLocation())
        (void)m_temporary.remove();
    else
        (void)m_temporary.close();
}

DataFile* FileReplacement::begin() {
    if (m_begun) return m_made ? &m_temporary : nullptr;
    m_begun = true;
    if (m_target.getLocation().IsEmpty() || m_temporary.getLocation().IsEmpty()) return nullptr;
    if (IO::IsNameTooLong(m_target.getLocation()) || IO::IsNameTooLong(m_temporary.getLocation())) {
        m_nameTooLong = true;
        return nullptr;
    }
    const int target = IO::GetItemTypeNoFollow(m_target.getLocation());
    if (target != IO::ItemMissing && target != IO::ItemFile) {
        refuse(m_target);
        return nullptr;
    }
    // The temporary name is the writer's own: a file left there, or a link, goes (removing a link
    // leaves what it names alone); what is made there next is new, so nothing is written through.
    const int temporary = IO::GetItemTypeNoFollow(m_temporary.getLocation());
    if ((temporary == IO::ItemFile || temporary == IO::ItemLink) && !m_temporary.remove()) return nullptr;
    // Private until it is put in place: the new bytes of a private file are no one else's to read.
    if (!m_temporary.createNew(true)) {
        // A folder or the like, or something made there since: not the writer's to remove.
        if (IO::GetItemTypeNoFollow(m_temporary.getLocation()) != IO::ItemMissing) refuse(m_temporary);
        return nullptr;
    }
    m_made = true;
    return &m_temporary;
}

bool FileReplacement::commit() {
    if (!m_made) return false;
    // Bytes that did not all go in never take the file's place.
    if (m_temporary.hasWriteFailed()) {
        discard();
        return false;
    }
    // A link put at the name while the bytes were written is not replaced either.
    const int target = IO::GetItemTypeNoFollow(m_target.getLocation());
    if (target != IO::ItemMissing && target != IO::ItemFile) {
        refuse(m_target);
        discard();
        return false;
    }
    if (m_temporary.putInPlaceOf(m_target)) {
        m_made = false; // it is the file now
        return true;
    }
    if (!m_temporary.isOpen()) {
        m_made = false; // in place, but its folder was not flushed
        return false;
    }
    // Moved away while it was written, and something else put at its name.
    if (!m_temporary.isAtItsLocation()) refuse(m_temporaryName);
    discard();
    return false;
}

bool FileReplacement::writeWhole(const std::string& bytes) {
    DataFile* file = begin();
    if (file == nullptr) return false;
    if (!file->write(bytes.data(), bytes.size())) {
        abandon();
        return false;
    }
    return commit();
}

} // namespace tarnwick
