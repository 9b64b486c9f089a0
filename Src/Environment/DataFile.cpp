#include "Environment/DataFile.h"

#include "platform/api/HostErrors.h"
#include "platform/io/FileSystem.h"

namespace tarnwick {

DataFile::DataFile(const String& path) : File(path), m_file(m_location) {}

DataFile::DataFile(const IO::Location& location, uint32_t kind)
    : File(location), m_file(location), m_kind(kind) {}

DataFile::DataFile(const Directory& folder, const String& name, uint32_t fileType, bool createNow)
    : File(Directory(folder, name).getLocation()), m_file(m_location), m_fileType(fileType) {
    if (createNow) (void)open(true); // a failure stays in getLastError()
}

DataFile::~DataFile() = default;

std::unique_ptr<DataFile> DataFile::create(const Directory& folder, const String& name, uint32_t fileType,
                                           GSErrCode* status, const String& extension) {
    GSErrCode ignored = 0;
    GSErrCode& err = status ? *status : ignored;
    const std::string& text = name.bytes();
    size_t dot = text.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        err = hosterr::BadName;
        return nullptr;
    }
    std::string fileName = text.substr(0, dot);
    const std::string& ext = extension.bytes();
    if (!ext.empty()) fileName += ext[0] == '.' ? ext : "." + ext;
    auto file = std::make_unique<DataFile>(folder, String(fileName), fileType, false);
    if (file->getLocation().IsEmpty()) {
        err = folder.getLocation().IsEmpty() ? hosterr::BadParameter : hosterr::BadName;
        return nullptr;
    }
    if (!file->open(true)) {
        err = file->getLastError();
        return nullptr;
    }
    err = hosterr::Ok;
    return file;
}

bool DataFile::check(GSErrCode err) {
    m_lastError = err;
    return err == hosterr::Ok;
}

bool DataFile::exists() const {
    return m_file.IsOpen() || File::exists();
}

bool DataFile::open(bool forWriting) {
    if (m_file.IsOpen()) {
        if (!forWriting || m_file.CanWrite()) return check(hosterr::Ok);
        return check(hosterr::Refused);
    }
    m_writeFailed = false;
    return check(m_file.Open(forWriting ? IO::File::Access::ReadWrite : IO::File::Access::Read, forWriting));
}

bool DataFile::createNew(bool ownerOnly) {
    if (m_file.IsOpen()) return check(hosterr::Refused);
    m_writeFailed = false;
    return check(m_file.CreateNew(IO::File::Access::ReadWrite, ownerOnly));
}

bool DataFile::putInPlaceOf(const File& target) {
    const bool done = check(m_file.PutInPlaceOf(target.getLocation()));
    // Also when only the folder could not be flushed after the file was renamed.
    m_location = m_file.GetLocation();
    return done;
}

bool DataFile::ensureOpen(bool forWriting) {
    if (m_file.IsOpen()) return !forWriting || m_file.CanWrite() || check(hosterr::Refused);
    return open(forWriting);
}

bool DataFile::close() {
    return check(m_file.Close());
}

uint64_t DataFile::getLength() const {
    uint64_t length = 0;
    m_lastError = m_file.GetDataLength(&length);
    return length;
}

size_t DataFile::read(void* buffer, size_t count) {
    if (!ensureOpen(false)) return 0;
    size_t got = 0;
    check(m_file.Read(buffer, count, &got));
    return got;
}

bool DataFile::write(const void* data, size_t count) {
    if (ensureOpen(true) && check(m_file.Write(data, count))) return true;
    m_writeFailed = true;
    return false;
}

bool DataFile::setLength(uint64_t length) {
    if (ensureOpen(true) && check(m_file.SetDataLength(length))) return true;
    m_writeFailed = true;
    return false;
}

bool DataFile::seek(uint64_t position) {
    if (position > static_cast<uint64_t>(INT64_MAX)) return check(hosterr::BadParameter);
    return ensureOpen(false) && check(m_file.Seek(static_cast<int64_t>(position)));
}

bool DataFile::seekToEnd() {
    return ensureOpen(false) && check(m_file.Seek(0, IO::File::From::End));
}

uint64_t DataFile::getPosition() const {
    uint64_t position = 0;
    m_lastError = m_file.GetPosition(&position);
    return position;
}

std::unique_ptr<Directory> DataFile::getDirectory() const {
    IO::Location parent = m_location;
    if (parent.DeleteLastLocalName() != hosterr::Ok) return nullptr;
    return std::make_unique<Directory>(parent);
}

bool DataFile::remove() {
    (void)close(); // the file goes either way
    return check(IO::Delete(m_location));
}

} // namespace tarnwick
