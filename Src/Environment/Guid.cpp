#include "Environment/Guid.h"

#include <cstring>

#include "platform/gsroot/Guid.h"

namespace tarnwick {

Guid& Guid::assign(const String& text) {
    GS::Guid host;
    host.ConvertFromString(text.c_str()); // leaves the host Guid null on failure
    m_high = host.ToAPI().high();
    m_low = host.ToAPI().low();
    return *this;
}

Guid& Guid::generate() {
    GS::Guid host;
    host.Generate();
    m_high = host.ToAPI().high();
    m_low = host.ToAPI().low();
    return *this;
}

uint32_t Guid::getHash() const {
    return GS::GuidHash(toAPI());
}

char* Guid::getText(char* buffer) const {
    std::string text = GS::Guid(toAPI()).ConvertToString();
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

String Guid::toString() const {
    return String(GS::Guid(toAPI()).ConvertToString());
}

bool Guid::operator<(const Guid& other) const {
    return GS::Guid(toAPI()).Compare(GS::Guid(other.toAPI())) < 0;
}

} // namespace tarnwick
