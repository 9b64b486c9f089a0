// The stand-in host's labels (type 16): their default settings (a text label whose memo holds a
// text in the label's style), a label's part of the element record, and the memo the host makes
// for a label's text.
#pragma once

#include <string>

#include "StoredBlocks.h"
#include "platform/api/LabelRecords.h"

namespace zavhost {

inline constexpr uint32_t LabelTypeCode = 16;
// The text of the default label.
inline constexpr const char* DefaultLabelText = "Label";

// A text label: pens 1, font 1, texts of 2.5 mm, an arrow of kind 1 and 2 mm, a memo.
void setDefaultLabelSettings(API_Element& record);
HostLabelElement labelPartOf(const API_Element& record);
void setLabelPart(API_Element& record, const HostLabelElement& part);
// The memo of a label's text in its text style (a symbol label's in its symbol text style); the
// record's has-memo flag follows it.
StoredMemo makeLabelMemo(const std::string& text, API_Element& record);
// "TEXT", "SYMB", or the code's number.
std::string labelKindText(uint32_t kind);

} // namespace zavhost
