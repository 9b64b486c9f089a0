// Unit proxies over one field of a record: the field's value as the text of an element or an
// attribute. Numbers are written in decimal (reals in their shortest exact form) and read back by
// parsing; text that is not a value of the field's type fails the read and leaves the field as it
// was. reset sets 0, false or empty.
#pragma once

#include <cstdint>
#include <string_view>
#include <type_traits>
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
    XMLTypeProxy(T* value, LiteralName tag, bool attribute = false)
        : XMLUnit(tag, attribute), m_value(value) {}

    // Final, so that the writer's views below always say what these say.
    String getElementName() const final { return String(this->storedElementName()); }
    std::string_view viewElementName(String&) const final { return this->storedElementName(); }
    String getText() const final { return unitToText(*m_value); }
    std::string_view viewText(String& scratch) const final {
        if constexpr (std::is_same_v<T, String>) {
            return m_value->view();
        } else {
            scratch = unitToText(*m_value);
            return scratch.view();
        }
    }
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
    XMLUnitKey(K* value, LiteralName tag, bool attribute = true, bool required = true)
        : XMLTypeProxy<K>(value, tag, attribute), m_required(required) {}

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
