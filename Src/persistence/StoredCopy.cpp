#include "persistence/StoredCopy.h"

#include <cstring>

#include "Environment/DataBufferIn.h"
#include "Environment/DataFile.h"
#include "Environment/Directory.h"
#include "Environment/FileReplacement.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "Environment/MemoryBlock.h"
#include "platform/io/FileSystem.h"

namespace tarnwick::storedcopy {

namespace {

// Copies are numbered on until a free name is found; past this many something is wrong.
constexpr int MaxCopies = 100;

String numbered(int n) {
    return n <= 1 ? String(".unreadable") : String(".unreadable-") + String(n);
}

} // namespace

bool readFile(const Directory& folder, const String& name, std::string& bytes) {
    bytes.clear();
    DataFile file(folder, name);
    if (IO::GetItemType(file.getLocation()) != IO::ItemFile) return false;
    DataBufferIn in(file);
    char block[DataBufferIn::BlockSize];
    while (!in.hasFailed()) {
        size_t got = in.read(block, sizeof block);
        if (got == 0) break;
        bytes.append(block, got);
    }
    return !in.hasFailed();
}

bool writeWhole(const Directory& folder, const String& name, const std::string& text) {
    FileReplacement file(folder, name, String(".tmp"));
    return file.writeWhole(text);
}

String copyName(const String& name, int n) {
    const std::string& bytes = name.bytes();
    // A leading "." starts the name, not an extension.
    size_t dot = bytes.rfind('.');
    if (dot == std::string::npos || dot == 0) return name + numbered(n);
    return String(bytes.substr(0, dot)) + numbered(n) + String(bytes.substr(dot));
}

String keepFileCopy(const Directory& folder, const String& name, const std::string& bytes) {
    for (int n = 1; n <= MaxCopies; ++n) {
        String candidate = copyName(name, n);
        DataFile copy(folder, candidate);
        int type = IO::GetItemType(copy.getLocation());
        if (type == IO::ItemFile) {
            std::string held;
            if (readFile(folder, candidate, held) && held == bytes) return copy.getPath();
            continue;
        }
        if (type != IO::ItemMissing) continue;
        return writeWhole(folder, candidate, bytes) ? copy.getPath() : String();
    }
    return String();
}

String moveFileAside(const Directory& folder, const String& name) {
    DataFile file(folder, name);
    for (int n = 1; n <= MaxCopies; ++n) {
        DataFile copy(folder, copyName(name, n));
        if (IO::GetItemType(copy.getLocation()) != IO::ItemMissing) continue;
        return IO::Rename(file.getLocation(), copy.getLocation()) == hosterr::Ok ? copy.getPath() : String();
    }
    return String();
}

String copyKey(const String& key, int n) {
    return key + numbered(n);
}

String keepModuleDataCopy(const String& key, const std::string& bytes) {
    for (int n = 1; n <= MaxCopies; ++n) {
        String candidate = copyKey(key, n);
        GSHandle data = nullptr;
        GSErrCode err = ACAPGetModuleDataByKey(candidate.bytes().c_str(), &data);
        MemoryBlock held(data);
        if (err == hosterr::Ok) {
            if (held.getSize() == static_cast<GSSize>(bytes.size()) &&
                (bytes.empty() || std::memcmp(held.getData(), bytes.data(), bytes.size()) == 0))
                return candidate;
            continue;
        }
        if (err != hosterr::NotFound) return String(); // the host keeps no copies, or fails
        GSHandle copy = stringToHandle(String(bytes));
        err = ACAPSetModuleDataByKey(candidate.bytes().c_str(), copy);
        freeHandle(copy);
        return err == hosterr::Ok ? candidate : String();
    }
    return String();
}

} // namespace tarnwick::storedcopy
