// An arrow head as elements with arrows hand it out and take it: kind, pen and size. Element
// records keep it as a 16-byte arrow record; the two host bytes of that record come along so that
// element classes can carry them, but only kind, pen and size are written back.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/api/LabelRecords.h"
#include "project/Attribute.h"
#include "project/Pen.h"

namespace tarnwick {

class ArrowStyle : public Attribute {
public:
    static constexpr double DefaultSize = 0.1;
    static constexpr uint16_t DefaultWord = 30;

    // Pen 1, size 0.1.
    explicit ArrowStyle(uint32_t kind = 0);
    // Kind, pen and size; the record's bytes 4 and 5 become extra bytes 1 and 2.
    explicit ArrowStyle(const HostArrow& record);
    ArrowStyle(const ArrowStyle& other);
    ArrowStyle& operator=(const ArrowStyle& other);
    ~ArrowStyle() override = default;

    std::unique_ptr<Attribute> clone() const override { return std::make_unique<ArrowStyle>(*this); }
    uint8_t getTypeCode() const override { return 0; }
    std::unique_ptr<API_Attribute> makeRecord() const override { return nullptr; }
    AttributeMemoPtr makeMemo() const override { return nullptr; }
    const HostAttributeHeader& getRecord() const override { return m_record; }
    HostAttributeHeader& getRecord() override { return m_record; }

    uint32_t getKind() const { return m_kind; }
    const Pen& getPen() const { return m_pen; }
    double getSize() const { return m_size; }
    uint16_t getWord() const { return m_word; }
    // Extra bytes 0 to 2; std::out_of_range past them.
    uint8_t getExtraByte(size_t index) const;
    void setKind(uint32_t kind) { m_kind = kind; }
    void setPen(const Pen& pen) { m_pen = pen; }
    void setSize(double size) { m_size = size; }
    void setWord(uint16_t word) { m_word = word; }
    void setExtraByte(size_t index, uint8_t value);

    // Kind, pen and size into the record; its bytes 4 and 5 stay as they were.
    void toHost(HostArrow& record) const;

private:
    void reset();

    HostAttributeHeader m_record;
    uint32_t m_kind = 0;
    Pen m_pen;
    double m_size = DefaultSize;
    uint16_t m_word = DefaultWord;
    uint8_t m_extra[3] = {};
};

} // namespace tarnwick
