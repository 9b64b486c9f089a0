// How a paragraph is laid out: alignment, six values the host gives meaning to and the tab
// stops. A value inside styled text and the host's paragraph records.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Containers.h"
#include "platform/api/TextRecords.h"
#include "project/Attribute.h"

namespace tarnwick {

class TextRuler : public Attribute {
public:
    static constexpr double DefaultValue4 = 0.003;

    class Tab {
    public:
        Tab(uint32_t word = 0, double position = 0.0) : m_word(word), m_position(position) {}
        virtual ~Tab() = default;
        uint32_t getWord() const { return m_word; }
        double getPosition() const { return m_position; }
        bool operator==(const Tab&) const = default;

    private:
        uint32_t m_word;
        double m_position;
    };
    class TabList : public Vector<Tab> {
    public:
        ~TabList() override = default;
        std::unique_ptr<TabList> clone() const;
    };

    TextRuler(); // an empty tab list
    // The record's values; no tab list unless its tab pointer holds at least one whole tab record.
    explicit TextRuler(const HostTextParagraph& record);
    TextRuler(const TextRuler& other);
    TextRuler& operator=(const TextRuler& other);
    ~TextRuler() override = default;

    std::unique_ptr<Attribute> clone() const override { return std::make_unique<TextRuler>(*this); }
    uint8_t getTypeCode() const override { return 0; }
    std::unique_ptr<API_Attribute> makeRecord() const override { return nullptr; }
    AttributeMemoPtr makeMemo() const override { return nullptr; }
    const HostAttributeHeader& getRecord() const override { return m_record; }
    HostAttributeHeader& getRecord() override { return m_record; }

    const TabList* getTabs() const { return m_tabs.get(); } // null: none
    TabList* getTabs() { return m_tabs.get(); }
    void setTabs(std::unique_ptr<TabList> tabs) { m_tabs = std::move(tabs); }
    uint32_t getAlignment() const { return m_alignment; }
    double getValue1() const { return m_value1; }
    double getValue2() const { return m_value2; }
    double getValue3() const { return m_value3; }
    double getValue4() const { return m_value4; }
    uint64_t getValue5() const { return m_value5; }
    uint64_t getValue6() const { return m_value6; }
    void setAlignment(uint32_t alignment) { m_alignment = alignment; }
    void setValue1(double value) { m_value1 = value; }
    void setValue2(double value) { m_value2 = value; }
    void setValue3(double value) { m_value3 = value; }
    void setValue4(double value) { m_value4 = value; }
    void setValue5(uint64_t value) { m_value5 = value; }
    void setValue6(uint64_t value) { m_value6 = value; }

    // Writes the ruler's fields and a new host pointer of tab records (of size 0 without tabs)
    // that the record's owner frees; the other fields stay. False, with no tab pointer written,
    // when the host cannot allocate it.
    [[nodiscard]] bool toParagraphRecord(HostTextParagraph& record) const;

private:
    HostAttributeHeader m_record;
    std::unique_ptr<TabList> m_tabs;
    uint32_t m_alignment = 0;
    double m_value1 = 0.0;
    double m_value2 = 0.0;
    double m_value3 = 0.0;
    double m_value4 = DefaultValue4;
    uint64_t m_value5 = 0;
    uint64_t m_value6 = 0;
};

} // namespace tarnwick
