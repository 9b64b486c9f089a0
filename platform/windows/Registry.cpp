#include "Registry.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <unistd.h>
#include <vector>

#include "platform/io/FileSystem.h"
#include "platform/io/SpecialFolders.h"

struct HKEY__ {
    int root = 0; // 1 current user, 2 local machine
    int view = 64;
    std::string path;
    REGSAM access = 0;
};

namespace {

// Handles handed out and not yet closed: anything else is refused rather than dereferenced.
std::set<HKEY>& openKeys() {
    static std::set<HKEY> keys;
    return keys;
}

struct Entry {
    int root = 0;
    int view = 64;
    std::string key;
    bool isValue = false;
    std::string name;
    DWORD type = REG_NONE;
    std::string data;
    std::string raw; // comments and lines this version cannot read are kept as they were
};

const char* rootName(int root) {
    return root == 1 ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE";
}

const char* typeName(DWORD type) {
    switch (type) {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    default:
        return "REG_NONE";
    }
}

bool typeFromName(const std::string& name, DWORD* type) {
    for (DWORD t : {REG_NONE, REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD})
        if (name == typeName(t)) {
            *type = t;
            return true;
        }
    return false;
}

std::string escape(const std::string& bytes) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (c < 0x20 || c == 0x7F || c == '%') {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool unescape(const std::string& text, std::string* out) {
    out->clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) return false;
        unsigned value = 0;
        auto [end, ec] = std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16);
        if (ec != std::errc() || end != text.data() + i + 3) return false;
        *out += static_cast<char>(value);
        i += 2;
    }
    return true;
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

// True when key is path itself or lies below it.
bool isWithin(const std::string& key, const std::string& path) {
    if (path.empty()) return true;
    if (key.size() < path.size() || !sameName(key.substr(0, path.size()), path)) return false;
    return key.size() == path.size() || key[path.size()] == '\\';
}

// Drops empty components, so "\\A\\\\B\\" and "A\\B" name the same key.
std::string canonicalPath(const char* text) {
    std::string out;
    std::string part;
    std::istringstream in(text ? text : "");
    while (std::getline(in, part, '\\')) {
        if (part.empty()) continue;
        if (!out.empty()) out += '\\';
        out += part;
    }
    return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

bool parseLine(const std::string& line, Entry* entry) {
    if (line.empty() || line[0] == '#') return false;
    std::vector<std::string> f = splitTabs(line);
    if (f.size() != 3 && f.size() != 6) return false;
    if (f[0] == "HKEY_CURRENT_USER")
        entry->root = 1;
    else if (f[0] == "HKEY_LOCAL_MACHINE")
        entry->root = 2;
    else
        return false;
    if (f[1] == "32")
        entry->view = 32;
    else if (f[1] == "64")
        entry->view = 64;
    else
        return false;
    std::string key;
    if (!unescape(f[2], &key)) return false;
    entry->key = canonicalPath(key.c_str());
    if (f.size() == 3) return true;
    entry->isValue = true;
    if (!unescape(f[3], &entry->name) || !typeFromName(f[4], &entry->type)) return false;
    if (entry->type == REG_DWORD) {
        uint32_t value = 0;
        auto [end, ec] = std::from_chars(f[5].data(), f[5].data() + f[5].size(), value);
        if (ec != std::errc() || end != f[5].data() + f[5].size()) return false;
        entry->data.assign(reinterpret_cast<const char*>(&value), sizeof value);
        return true;
    }
    return unescape(f[5], &entry->data);
}

std::string formatLine(const Entry& e) {
    if (!e.raw.empty()) return e.raw;
    std::string line =
        std::string(rootName(e.root)) + '\t' + (e.view == 32 ? "32" : "64") + '\t' + escape(e.key);
    if (!e.isValue) return line;
    line += '\t' + escape(e.name) + '\t' + typeName(e.type) + '\t';
    if (e.type == REG_DWORD) {
        uint32_t value = 0;
        std::memcpy(&value, e.data.data(), std::min(e.data.size(), sizeof value));
        line += std::to_string(value);
    } else {
        line += escape(e.data);
    }
    return line;
}

std::string registryPath() {
    return IO::GetHostRoot().ToPath() + "/registry.txt";
}

// Holds the registry's lock file for the lifetime of the object.
class RegistryLock {
public:
    explicit RegistryLock(bool exclusive) {
        if (exclusive) IO::CreateFolder(IO::GetHostRoot());
        std::string lockPath = registryPath() + ".lock";
        m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd < 0) return;
        int result;
        do {
            result = ::flock(m_fd, exclusive ? LOCK_EX : LOCK_SH);
        } while (result != 0 && errno == EINTR);
    }
    ~RegistryLock() {
        if (m_fd >= 0) ::close(m_fd); // releases the lock
    }
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

std::vector<Entry> load() {
    std::vector<Entry> entries;
    std::ifstream in(registryPath(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        Entry entry;
        if (!parseLine(line, &entry)) {
            if (line.empty()) continue;
            entry = Entry();
            entry.raw = line;
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool save(const std::vector<Entry>& entries) {
    std::string path = registryPath();
    std::string temp = path + ".tmp." + std::to_string(::getpid());
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const Entry& e : entries)
            out << formatLine(e) << '\n';
        out.flush();
        if (!out) {
            ::unlink(temp.c_str());
            return false;
        }
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool keyExists(const std::vector<Entry>& entries, int root, int view, const std::string& path) {
    if (path.empty()) return true;
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
        return e.raw.empty() && e.root == root && e.view == view && isWithin(e.key, path);
    });
}

std::vector<Entry>::iterator findValue(std::vector<Entry>& entries, const HKEY__& key,
                                       const std::string& name) {
    return std::find_if(entries.begin(), entries.end(), [&](const Entry& e) {
        return e.raw.empty() && e.isValue && e.root == key.root && e.view == key.view &&
               sameName(e.key, key.path) && sameName(e.name, name);
    });
}

bool isLive(HKEY key) {
    return key != nullptr && openKeys().count(key) > 0;
}

// Resolves the parent (a root or an open key) and the access flags to root, view and path.
LONG resolve(HKEY parent, LPCSTR subKey, REGSAM access, HKEY__* out) {
    if ((access & KEY_WOW64_32KEY) && (access & KEY_WOW64_64KEY)) return ERROR_INVALID_PARAMETER;
    if (parent == HKEY_CURRENT_USER || parent == HKEY_LOCAL_MACHINE) {
        out->root = parent == HKEY_CURRENT_USER ? 1 : 2;
        out->view = 64;
        out->path.clear();
    } else if (isLive(parent)) {
        *out = *parent;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    if (access & KEY_WOW64_32KEY) out->view = 32;
    if (access & KEY_WOW64_64KEY) out->view = 64;
    std::string below = canonicalPath(subKey);
    if (!below.empty()) out->path = out->path.empty() ? below : out->path + '\\' + below;
    out->access = access;
    return ERROR_SUCCESS;
}

LONG openKey(HKEY parent, LPCSTR subKey, REGSAM access, HKEY* result, bool create) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    HKEY__ key;
    if (LONG err = resolve(parent, subKey, access, &key); err != ERROR_SUCCESS) return err;
    RegistryLock lock(create);
    if (!lock.held()) return create ? ERROR_ACCESS_DENIED : ERROR_FILE_NOT_FOUND;
    std::vector<Entry> entries = load();
    if (!keyExists(entries, key.root, key.view, key.path)) {
        if (!create) return ERROR_FILE_NOT_FOUND;
        Entry entry;
        entry.root = key.root;
        entry.view = key.view;
        entry.key = key.path;
        entries.push_back(entry);
        if (!save(entries)) return ERROR_WRITE_FAULT;
    }
    auto handle = std::make_unique<HKEY__>(key);
    openKeys().insert(handle.get());
    *result = handle.release();
    return ERROR_SUCCESS;
}

} // namespace

LONG RegOpenKeyEx(HKEY parent, LPCSTR subKey, DWORD, REGSAM access, HKEY* result) {
    return openKey(parent, subKey, access, result, false);
}

LONG RegCreateKeyEx(HKEY parent, LPCSTR subKey, DWORD, REGSAM access, HKEY* result) {
    return openKey(parent, subKey, access, result, true);
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) return ERROR_SUCCESS;
    if (!isLive(key)) return ERROR_INVALID_HANDLE;
    openKeys().erase(key);
    delete key;
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* dataSize) {
    if (!isLive(key)) return ERROR_INVALID_HANDLE;
    if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) return ERROR_INVALID_PARAMETER;
    if ((key->access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
    RegistryLock lock(false);
    std::vector<Entry> entries = load();
    auto it = findValue(entries, *key, valueName ? valueName : "");
    if (it == entries.end()) return ERROR_FILE_NOT_FOUND;
    if (type) *type = it->type;
    DWORD size = static_cast<DWORD>(it->data.size());
    if (dataSize == nullptr) return ERROR_SUCCESS;
    if (data != nullptr) {
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, it->data.data(), size);
    }
    *dataSize = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
    if (!isLive(key)) return ERROR_INVALID_HANDLE;
    if ((key->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_BINARY && type != REG_DWORD &&
        type != REG_NONE)
        return ERROR_INVALID_PARAMETER;
    if ((data == nullptr && dataSize > 0) || (type == REG_DWORD && dataSize != 4))
        return ERROR_INVALID_PARAMETER;
    RegistryLock lock(true);
    if (!lock.held()) return ERROR_ACCESS_DENIED;
    std::vector<Entry> entries = load();
    std::string name = valueName ? valueName : "";
    auto it = findValue(entries, *key, name);
    if (it == entries.end()) {
        Entry entry;
        entry.root = key->root;
        entry.view = key->view;
        entry.key = key->path;
        entry.isValue = true;
        entry.name = name;
        it = entries.insert(entries.end(), entry);
    }
    it->type = type;
    it->data.assign(reinterpret_cast<const char*>(data), dataSize);
    return save(entries) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG RegDeleteValue(HKEY key, LPCSTR valueName) {
    if (!isLive(key)) return ERROR_INVALID_HANDLE;
    if ((key->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    RegistryLock lock(true);
    if (!lock.held()) return ERROR_ACCESS_DENIED;
    std::vector<Entry> entries = load();
    auto it = findValue(entries, *key, valueName ? valueName : "");
    if (it == entries.end()) return ERROR_FILE_NOT_FOUND;
    // The key itself stays, as on Windows.
    it->isValue = false;
    it->name.clear();
    it->data.clear();
    return save(entries) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

LONG RegDeleteTree(HKEY key, LPCSTR subKey) {
    HKEY__ target;
    if (LONG err = resolve(key, subKey, isLive(key) ? key->access : KEY_ALL_ACCESS, &target);
        err != ERROR_SUCCESS)
        return err;
    if (isLive(key) && (key->access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
    bool keepKey = subKey == nullptr || canonicalPath(subKey).empty();
    RegistryLock lock(true);
    if (!lock.held()) return ERROR_ACCESS_DENIED;
    std::vector<Entry> entries = load();
    if (!keyExists(entries, target.root, target.view, target.path)) return ERROR_FILE_NOT_FOUND;
    std::erase_if(entries, [&](const Entry& e) {
        return e.raw.empty() && e.root == target.root && e.view == target.view &&
               isWithin(e.key, target.path);
    });
    if (keepKey && !target.path.empty()) {
        Entry entry;
        entry.root = target.root;
        entry.view = target.view;
        entry.key = target.path;
        entries.push_back(entry);
    }
    return save(entries) ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}
