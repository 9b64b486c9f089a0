#include "elements/text/TextRuler.h"

#include <cstring>

#include "platform/gsroot/Memory.h"

namespace tarnwick {

std::unique_ptr<TextRuler::TabList> TextRuler::TabList::clone() const {
    auto copy = std::make_unique<TabList>();
    copy->cloneFrom(*this, [](const Tab& tab) { return std::make_unique<Tab>(tab); });
    return copy;
}

TextRuler::TextRuler() : Attribute(AttributeLink(), 0), m_tabs(std::make_unique<TabList>()) {}

TextRuler::TextRuler(const HostTextParagraph& record)
    : Attribute(AttributeLink(), 0), m_alignment(record.alignment), m_value1(record.value1),
      m_value2(record.value2), m_value3(record.value3), m_value4(record.value4), m_value5(record.value5),
      m_value6(record.value6) {
    // Only whole tab records count; a partial one at the end is the host's slack.
    size_t count = static_cast<size_t>(BMPtrSize(record.tabs)) / sizeof(HostTextTab);
    if (record.tabs == nullptr || count == 0) return;
    m_tabs = std::make_unique<TabList>();
    m_tabs->reserve(count);
    for (size_t i = 0; i < count; ++i) {
        HostTextTab tab;
        std::memcpy(&tab, record.tabs + i * sizeof tab, sizeof tab);
        m_tabs->push_back(std::make_unique<Tab>(tab.word, tab.position));
    }
}

TextRuler::TextRuler(const TextRuler& other)
    : Attribute(other), m_record(other.m_record), m_tabs(other.m_tabs ? other.m_tabs->clone() : nullptr),
      m_alignment(other.m_alignment), m_value1(other.m_value1), m_value2(other.m_value2),
      m_value3(other.m_value3), m_value4(other.m_value4), m_value5(other.m_value5), m_value6(other.m_value6) {
}

TextRuler& TextRuler::operator=(const TextRuler& other) {
    if (this == &other) return *this;
    Attribute::operator=(other);
    m_record = other.m_record;
    m_tabs = other.m_tabs ? other.m_tabs->clone() : nullptr;
    m_alignment = other.m_alignment;
    m_value1 = other.m_value1;
    m_value2 = other.m_value2;
    m_value3 = other.m_value3;
    m_value4 = other.m_value4;
    m_value5 = other.m_value5;
    m_value6 = other.m_value6;
    return *this;
}

bool TextRuler::toParagraphRecord(HostTextParagraph& record) const {
    record.alignment = m_alignment;
    record.value1 = m_value1;
    record.value2 = m_value2;
    record.value3 = m_value3;
    record.value4 = m_value4;
    record.value5 = m_value5;
    record.value6 = m_value6;
    size_t count = m_tabs ? m_tabs->size() : 0;
    GSPtr tabs = BMNewPtr(static_cast<GSSize>(count * sizeof(HostTextTab)));
    if (tabs == nullptr) return false;
    for (size_t i = 0; i < count; ++i) {
        HostTextTab tab;
        tab.word = (*m_tabs)[i]->getWord();
        tab.position = (*m_tabs)[i]->getPosition();
        std::memcpy(tabs + i * sizeof tab, &tab, sizeof tab);
    }
    record.tabs = tabs;
    return true;
}

} // namespace tarnwick
