// The input as a file of its own, for the readers that take outside bytes from a file (in blocks
// and chunks, where a reader in memory takes them whole).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzzfile {

// Writes the bytes over this process's file of that name in /tmp and answers its path.
inline const std::string& write(const char* name, std::string_view bytes) {
    static std::string path;
    path = "/tmp/" + std::string(name) + "-" + std::to_string(::getpid());
    // A new file each time: the file system writes a file cut short and written again out to the
    // disk when it is closed, which would cost more than the input's run.
    std::remove(path.c_str());
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) __builtin_trap();
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) __builtin_trap();
    if (std::fclose(out) != 0) __builtin_trap();
    return path;
}

} // namespace fuzzfile
