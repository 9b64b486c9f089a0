#include "Guid.h"

#include <cstdio>
#include <random>

namespace GS {

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

bool Guid::ConvertFromString(const char* text) {
    m_guid = API_Guid();
    if (text == nullptr) return false;
    std::string s(text);
    if (s.size() == 38 && s.front() == '{' && s.back() == '}') s = s.substr(1, 36);
    if (s.size() != 36) return false;
    uint64_t words[2] = {0, 0};
    int digits = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash) {
            if (s[i] != '-') return false;
            continue;
        }
        int v = hexValue(s[i]);
        if (v < 0) return false;
        uint64_t& w = words[digits / 16];
        w = (w << 4) | static_cast<uint64_t>(v);
        ++digits;
    }
    m_guid = API_Guid::fromHalves(words[0], words[1]);
    return true;
}

std::string Guid::ConvertToString() const {
    char buffer[40];
    uint64_t high = m_guid.high(), low = m_guid.low();
    std::snprintf(buffer, sizeof buffer, "%08X-%04X-%04X-%04X-%012llX", static_cast<unsigned>(high >> 32),
                  static_cast<unsigned>((high >> 16) & 0xFFFF), static_cast<unsigned>(high & 0xFFFF),
                  static_cast<unsigned>(low >> 48), static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return buffer;
}

void Guid::Generate() {
    static std::mt19937_64 engine{std::random_device{}()};
    do {
        uint64_t high = (engine() & ~0xF000ULL) | 0x4000ULL;                // version 4
        uint64_t low = (engine() & ~(0xC000ULL << 48)) | (0x8000ULL << 48); // variant 1
        m_guid = API_Guid::fromHalves(high, low);
    } while (IsNull());
}

uint32_t GuidHash(const API_Guid& guid) {
    uint64_t high = guid.high(), low = guid.low();
    uint64_t h = high * 0x9E3779B97F4A7C15ULL ^ (low + 0x7F4A7C159E3779B9ULL + (high << 6));
    return static_cast<uint32_t>(h ^ (h >> 32));
}

uint32_t Guid::GetHashValue() const {
    return GuidHash(m_guid);
}

int Guid::Compare(const Guid& other) const {
    for (int i = 0; i < 4; ++i)
        if (m_guid.words[i] != other.m_guid.words[i]) return m_guid.words[i] < other.m_guid.words[i] ? -1 : 1;
    return 0;
}

} // namespace GS
