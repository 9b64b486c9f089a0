#include "persistence/XMLTypeProxy.h"

#include <cctype>

#include "Environment/NumberText.h"
#include "persistence/ValueText.h"

namespace tarnwick {

namespace {

String trimmedCopy(const String& text) {
    String copy = text;
    copy.trim();
    return copy;
}

} // namespace

String unitToText(const String& value) {
    return value;
}
String unitToText(bool value) {
    return String(value ? "true" : "false");
}
String unitToText(unsigned int value) {
    return String(uintToText(value));
}
String unitToText(unsigned long value) {
    return String(uintToText(value));
}
String unitToText(unsigned long long value) {
    return String(uintToText(value));
}
String unitToText(double value) {
    return exactRealText(value);
}
String unitToText(const Guid& value) {
    return value.toString();
}

bool unitFromText(const String& text, String& value) {
    value = text;
    return true;
}

bool unitFromText(const String& text, bool& value) {
    String word = trimmedCopy(text);
    if (word == "true" || word == "1") {
        value = true;
        return true;
    }
    if (word == "false" || word == "0") {
        value = false;
        return true;
    }
    return false;
}

bool unitFromText(const String& text, unsigned int& value) {
    bool valid = false;
    uint32_t parsed = parseUInt(text, &valid);
    if (valid) value = parsed;
    return valid;
}

bool unitFromText(const String& text, unsigned long& value) {
    bool valid = false;
    uint64_t parsed = parseUInt64(text, &valid);
    if (valid) value = parsed;
    return valid;
}

bool unitFromText(const String& text, unsigned long long& value) {
    bool valid = false;
    uint64_t parsed = parseUInt64(text, &valid);
    if (valid) value = parsed;
    return valid;
}

bool unitFromText(const String& text, double& value) {
    return parseExactReal(text, value);
}

bool unitFromText(const String& text, Guid& value) {
    String word = trimmedCopy(text);
    if (word.isEmpty()) {
        value.clear();
        return true;
    }
    Guid parsed(word);
    // The all-zero text is the empty identifier written out; anything else must parse.
    if (!parsed.isValid() && word != Guid().toString()) return false;
    value = parsed;
    return true;
}

} // namespace tarnwick
