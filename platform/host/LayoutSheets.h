// The sheet of a layout or master layout: the record "GLAY" reads and "CLAY" writes, kept with the
// view and saved with it. Texts keyed by Guid go out as a new table the caller owns and come back
// copied; the host never keeps a table the module hands it.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "ElementStore.h"
#include "platform/api/ViewRecords.h"

namespace zavhost {

class StandInHost;

struct LayoutSheet {
    // An A3 landscape sheet with 10 mm margins.
    double paperWidth = 420.0;
    double paperHeight = 297.0;
    double leftMargin = 10.0;
    double topMargin = 10.0;
    double rightMargin = 10.0;
    double bottomMargin = 10.0;
    std::string name; // the 8-bit bytes as written
    uint8_t nameFlag = 0;
    uint8_t flag562 = 0;
    uint32_t value568 = 0;
    uint32_t value572 = 0;
    std::u16string firstText;
    std::u16string secondText;
    uint8_t flag1624 = 0;
    uint8_t flag1625 = 0;
    std::map<API_Guid, std::u16string, GuidLess> texts;

    // The record as "GLAY" answers it; its table (none without texts) is the caller's. False
    // when memory runs out.
    bool fill(HostLayoutInfo* info) const;
    // Takes what "CLAY" hands over; a null table leaves the texts as they are.
    void take(const HostLayoutInfo& info);
    bool operator==(const LayoutSheet&) const = default;
};

void registerLayoutSelectors(StandInHost& host);

} // namespace zavhost
