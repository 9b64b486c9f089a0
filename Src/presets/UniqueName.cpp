#include "presets/UniqueName.h"

namespace tarnwick {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string withoutLeadingZeros(const std::string& digits) {
    size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : digits.substr(first);
}

bool lessNumber(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string plusOne(std::string digits) {
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

} // namespace

UniqueName::UniqueName(const String& wanted) : m_wanted(wanted) {
    const std::string& bytes = wanted.bytes();
    size_t last = bytes.size();
    while (last > 0 && isDigit(bytes[last - 1]))
        --last;
    if (last > 0) {
        m_base = bytes.substr(0, last);
        m_width = bytes.size() - last;
    }
}

void UniqueName::note(const String& name) {
    const std::string& bytes = name.bytes();
    if (bytes.compare(0, m_base.size(), m_base) != 0) return;
    if (name == m_wanted) m_collision = true;
    std::string rest = bytes.substr(m_base.size());
    for (char c : rest)
        if (!isDigit(c)) return;
    std::string number = withoutLeadingZeros(rest);
    if (lessNumber(m_largest, number)) m_largest = std::move(number);
}

String UniqueName::variant() const {
    std::string number = plusOne(m_largest);
    if (number.size() < m_width) number.insert(0, m_width - number.size(), '0');
    return String(m_base + number);
}

String UniqueName::nextVariant() {
    String name = variant();
    m_largest = plusOne(m_largest);
    return name;
}

} // namespace tarnwick
