// The rule that gives every unique preset name. The wanted name splits at its last character that
// is no digit into a base (up to and including that character) and a tail of digits whose length
// is the width; a name of digits only, or an empty one, has an empty base and width 0. Each name
// of the set that begins with the base counts with the number after the base (an empty rest is 0);
// a name equal to the wanted one is a collision. Numbers are kept as digit strings, so no tail is
// too long to count on.
#pragma once

#include <string>

#include "Environment/String.h"

namespace tarnwick {

class UniqueName {
public:
    explicit UniqueName(const String& wanted);

    // Takes one name of the set into account.
    void note(const String& name);
    bool hasCollision() const { return m_collision; }
    // The wanted name when nothing collided, else its next variant.
    String result() const { return m_collision ? variant() : m_wanted; }
    // The base followed by the largest number noted plus one, padded with "0" to the width. Each
    // call counts the name it gives, so successive calls give different names.
    String nextVariant();

private:
    String variant() const;

    String m_wanted;
    std::string m_base;
    size_t m_width = 0;
    std::string m_largest = "0"; // decimal digits without leading zeros
    bool m_collision = false;
};

} // namespace tarnwick
