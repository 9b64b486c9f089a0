// What a road asks of the project at its end, by name (its "# end-check NAME" lines): that nothing
// is half-written, as each kind of data the road makes understands it.
//   annotations  every text and label an annotation whose title it shows, every label linked to
//                what it labels
//   styles       the stored preset database whole XML, and every placed part linked to a stored
//                style (status 0 and the style's key) linked to one of its kind that is not
//                deleted, whose name it shows and echoes and whose set values it carries
#pragma once

#include <string>
#include <vector>

namespace zavhost {
struct Project;
}

namespace roadsweep {

bool isEndCheck(const std::string& name);
// The known names, for a message.
std::string endCheckNames();
// What the check finds half-written, one line each; nothing when the project is whole.
std::vector<std::string> halfWritten(const std::string& check, zavhost::Project& project);

} // namespace roadsweep
