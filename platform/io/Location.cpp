#include "Location.h"

#include <filesystem>

#include "platform/api/HostErrors.h"

namespace IO {

namespace fs = std::filesystem;

namespace {
int64_t liveLocations = 0;
} // namespace

Location::Location() {
    ++liveLocations;
}

Location::Location(const Location& other) : m_path(other.m_path) {
    ++liveLocations;
}

Location::Location(Location&& other) noexcept : m_path(std::move(other.m_path)) {
    ++liveLocations;
}

Location::~Location() {
    --liveLocations;
}

int64_t Location::LiveCount() {
    return liveLocations;
}

Location::Location(const std::string& path) {
    ++liveLocations;
    if (path.empty()) return;
    std::error_code ec;
    fs::path absolute = fs::absolute(fs::path(path), ec);
    if (ec) return;
    std::string normal = absolute.lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    m_path = normal;
}

std::string Location::ToURL() const {
    return IsEmpty() ? std::string() : "file://" + m_path;
}

GSErrCode Location::AppendToLocal(const std::string& name) {
    if (IsEmpty() || name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string("/\0", 2)) != std::string::npos)
        return hosterr::BadName;
    if (m_path.back() != '/') m_path += '/';
    m_path += name;
    return hosterr::Ok;
}

GSErrCode Location::GetLastLocalName(std::string* name) const {
    if (IsEmpty() || m_path == "/") return hosterr::NotFound;
    if (name) *name = m_path.substr(m_path.rfind('/') + 1);
    return hosterr::Ok;
}

std::string Location::GetLastLocalName() const {
    std::string name;
    GetLastLocalName(&name);
    return name;
}

GSErrCode Location::DeleteLastLocalName() {
    if (IsEmpty() || m_path == "/") return hosterr::NotFound;
    size_t slash = m_path.rfind('/');
    m_path.erase(slash == 0 ? 1 : slash);
    return hosterr::Ok;
}

bool Location::IsAncestorOf(const Location& other) const {
    if (IsEmpty() || other.IsEmpty() || other.m_path.size() <= m_path.size()) return false;
    if (other.m_path.compare(0, m_path.size(), m_path) != 0) return false;
    // Paths are normalised, so a component boundary must follow the shared part.
    return m_path == "/" || other.m_path[m_path.size()] == '/';
}

} // namespace IO
