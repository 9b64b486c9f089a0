// Unit proxies over one field of a record: the field's value as the text of an element or an
// attribute. Numbers are written in decimal (reals in their shortest exact form) and read back by
// parsing; text that is not a value of the field's type fails the read and leaves the field as it
// was. reset sets 0, false or empty.
#pragma once

#include <cstdint>
#include <utility>

#include "Environment/Guid.h"
#include "persistence/Shipping.h"

namespace tarnwick {

// The text forms the proxies use, one pair per supported type.
String unitToText(const String& value);
String unitToText(bool value); // "true" or "false"
String unitToText(unsigned int value);
String unitToText(unsigned long value);
String unitToText(unsigned long long value);
String unitToText(double value);
String unitToText(const Guid& value);
[[nodiscard]] bool unitFromText(const String& text, String& value);
[[nodiscard]] bool unitFromText(const String& text, bool& value); // "true"/"false" or "1"/"0"
[[nodiscard]] bool unitFromText(const String& text, unsigned int& value);
[[nodiscard]] bool unitFromText(const String& text, unsigned long& value);
[[nodiscard]] bool unitFromText(const String& text, unsigned long long& value);
[[nodiscard]] bool unitFromText(const String& text, double& value);
[[nodiscard]] bool unitFromText(const String& text, Guid& value); // an identifier in text form, or empty text

template <class T> class XMLTypeProxy : public XMLUnit {
public:
    // The field must outlive the proxy.
    XMLTypeProxy(T* value, String tag, bool attribute = false)
        : XMLUnit(std::move(tag), attribute), m_value(value) {}

    String getText() const override { return unitToText(*m_value); }
    bool readText(const String& text) override { return unitFromText(text, *m_value); }
    void reset() override { *m_value = T(); }

protected:
    T* m_value;
};

// The key of a map entry, an attribute by default. With required set, an empty or unreadable key
// fails the read.
template <class K> class XMLUnitKey : public XMLTypeProxy<K> {
public:
    XMLUnitKey(K* value, String tag, bool attribute = true, bool required = true)
        : XMLTypeProxy<K>(value, std::move(tag), attribute), m_required(required) {}

    bool readText(const String& text) override {
        K key;
        if (!unitFromText(text, key)) return false;
        if (m_required && key == K()) return false;
        *this->m_value = key;
        return true;
    }

private:
    bool m_required;
};

} // namespace tarnwick
