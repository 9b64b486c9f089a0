// A file's bytes whole, for tests that write a file and look at what stands in it.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace filebytes {

// "<missing>" when the file cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in ? bytes.str() : std::string("<missing>");
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace filebytes
