// The host's measure of a line of text ("GTLL"), from a font-metric model simple enough for a
// test to state a width exactly. A line's width is the sum, over its characters, of
//     size x font factor x character factor
// with the size in millimetres; the font factor is 0.5, or 0.6 for a font whose name contains
// "Mono", where every character's factor is 1.0; otherwise the character factor is 0.5 for narrow
// characters (space . , : ; ! ' | i j l t f I), 1.5 for wide ones (m w M W @), 1.2 for other
// capitals A-Z and 1.0 for everything else. Style, slant and mode do not change the width.
#pragma once

#include <string>
#include <string_view>

namespace zavhost {

class StandInHost;

double characterFactor(char32_t character);
double fontFactor(std::string_view fontName);
double textWidth(std::u16string_view text, double size, std::string_view fontName);

// "GTLL" (utility): a text-line length query and a double that receives the width. Refuses a
// null argument or text, a font the project does not have, and a size that is negative or not a
// number.
void registerTextSelectors(StandInHost& host);

} // namespace zavhost
