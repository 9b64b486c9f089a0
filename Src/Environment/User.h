// A user of a shared project: the host environment names the one at this host.
#pragma once

#include <cstdint>

#include "Environment/Guid.h"
#include "Environment/String.h"

namespace tarnwick {

class User {
public:
    User(const String& name, uint16_t userId) : m_name(name), m_userId(userId) {}
    User(const Guid& guid, const String& name, const String& secondText, uint16_t userId, uint16_t secondWord)
        : m_guid(guid), m_name(name), m_secondText(secondText), m_userId(userId), m_secondWord(secondWord) {}
    virtual ~User() = default;

    const Guid& getGuid() const { return m_guid; }
    const String& getName() const { return m_name; }
    const String& getSecondText() const { return m_secondText; }
    uint16_t getUserId() const { return m_userId; }
    uint16_t getSecondWord() const { return m_secondWord; }

private:
    Guid m_guid;
    String m_name;
    String m_secondText;
    uint16_t m_userId = 0;
    uint16_t m_secondWord = 0;
};

} // namespace tarnwick
