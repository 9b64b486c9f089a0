#include "LabelParts.h"

#include <cstring>

#include "RecordFields.h"
#include "TextBlocks.h"

namespace zavhost {

void setDefaultLabelSettings(API_Element& record) {
    HostLabelElement part = labelPartOf(record);
    part.kind = LabelKindText;
    part.head.byte76 = 1;
    part.textPen = 1;
    part.textFont = 1;
    part.textSize = 2.5;
    part.textSpacing = 1.0;
    part.symbolTextFont = 1;
    part.symbolTextSize = 2.5;
    part.pen = 1;
    part.pen8 = 1;
    part.lineType = 1;
    part.arrow.kind = 1;
    part.arrow.pen = 1;
    part.arrow.size = 2.0;
    setLabelPart(record, part);
}

HostLabelElement labelPartOf(const API_Element& record) {
    return partOf<HostLabelElement>(record);
}

void setLabelPart(API_Element& record, const HostLabelElement& part) {
    setPart(record, part);
}

StoredMemo makeLabelMemo(const std::string& text, API_Element& record) {
    HostLabelElement part = labelPartOf(record);
    const bool symbol = part.kind == LabelKindSymbol;
    HostTextRun style;
    style.pen = symbol ? part.pen : part.textPen;
    style.font = symbol ? part.symbolTextFont : part.textFont;
    style.style = symbol ? part.symbolTextStyle : part.textStyle;
    style.size = symbol ? part.symbolTextSize : part.textSize;
    StoredMemo memo = makeStyledTextMemo(text, style);
    part.head.byte76 = 1;
    setLabelPart(record, part);
    return memo;
}

std::string labelKindText(uint32_t kind) {
    if (kind == LabelKindText) return "TEXT";
    if (kind == LabelKindSymbol) return "SYMB";
    return std::to_string(kind);
}

} // namespace zavhost
