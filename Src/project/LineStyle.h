// A line style (line type) attribute; its record is carried unchanged.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class LineStyle : public RecordAttribute<LineStyle, HostLineType, AttrLineType> {
public:
    // The kinds of line style, stepping with wrap-around over 0..2.
    enum class Kind : uint8_t { Solid = 0, Dashed = 1, Symbol = 2 };

    LineStyle() = default;
    explicit LineStyle(const AttributeLink& link) : RecordAttribute(link) {}
    LineStyle(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {}
};

LineStyle::Kind& operator++(LineStyle::Kind& kind);
LineStyle::Kind operator++(LineStyle::Kind& kind, int);
LineStyle::Kind& operator--(LineStyle::Kind& kind);
LineStyle::Kind operator--(LineStyle::Kind& kind, int);

} // namespace tarnwick
