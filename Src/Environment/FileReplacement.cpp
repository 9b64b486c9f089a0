#include "Environment/FileReplacement.h"

#include "platform/api/HostErrors.h"
#include "platform/io/FileSystem.h"

namespace tarnwick {

FileReplacement::FileReplacement(const Directory& folder, const String& name, const String& temporarySuffix)
    : m_target(Directory(folder, name).getLocation()), m_temporary(folder, name + temporarySuffix) {}

FileReplacement::~FileReplacement() {
    discard();
}

void FileReplacement::refuse(const File& where) {
    m_refused = where.getPath();
}

void FileReplacement::discard() {
    if (!m_made) return;
    m_made = false;
    (void)m_temporary.remove();
}

DataFile* FileReplacement::begin() {
    if (m_begun) return m_made ? &m_temporary : nullptr;
    m_begun = true;
    if (m_target.getLocation().IsEmpty() || m_temporary.getLocation().IsEmpty()) return nullptr;
    const int target = IO::GetItemTypeNoFollow(m_target.getLocation());
    if (target != IO::ItemMissing && target != IO::ItemFile) {
        refuse(m_target);
        return nullptr;
    }
    // The temporary name is the writer's own: a file left there, or a link, goes (removing a link
    // leaves what it names alone); what is made there next is new, so nothing is written through.
    const int temporary = IO::GetItemTypeNoFollow(m_temporary.getLocation());
    if ((temporary == IO::ItemFile || temporary == IO::ItemLink) && !m_temporary.remove()) return nullptr;
    if (!m_temporary.createNew()) {
        // A folder or the like, or something made there since: not the writer's to remove.
        if (IO::GetItemTypeNoFollow(m_temporary.getLocation()) != IO::ItemMissing) refuse(m_temporary);
        return nullptr;
    }
    m_made = true;
    return &m_temporary;
}

bool FileReplacement::commit() {
    if (!m_made) return false;
    bool ok = m_temporary.close();
    // A link put at the name while the bytes were written is not replaced either.
    const int target = IO::GetItemTypeNoFollow(m_target.getLocation());
    if (ok && target != IO::ItemMissing && target != IO::ItemFile) {
        refuse(m_target);
        ok = false;
    }
    ok = ok && IO::ReplaceFile(m_target.getLocation(), m_temporary.getLocation()) == hosterr::Ok;
    if (ok)
        m_made = false; // it is the file now
    else
        discard();
    return ok;
}

bool FileReplacement::writeWhole(const std::string& bytes) {
    DataFile* file = begin();
    if (file == nullptr) return false;
    if (!file->write(bytes.data(), bytes.size())) {
        discard();
        return false;
    }
    return commit();
}

} // namespace tarnwick
