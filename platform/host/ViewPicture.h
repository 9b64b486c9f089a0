// A view drawn as an SVG picture, so that a person can see where elements went: walls at their
// thickness with their windows and doors, text blocks with their box and their text wrapped at its
// width, labels with a dot on their element, their leader and their text, polygons and lines as
// outlines, other elements as a mark at each node; under the frame a legend says how to read it
// and names the elements of which the stand-in knows no point. The picture is paper at the view's
// scale: one unit is a paper millimetre measured from the model's origin, with y flipped (model y
// grows upwards), so an element's coordinates do not depend on the others. Numbers are written
// with two decimals.
#pragma once

#include <cstddef>
#include <string>

#include "platform/api/HostTypes.h"

namespace zavhost {

struct ModelArgs;
struct Project;
struct StoredStorey;
struct ViewDatabase;

struct ViewPicture {
    std::string svg;
    std::string caption; // the view's name, kind and scale
    size_t drawn = 0;    // elements with a place in the picture
    size_t unplaced = 0; // elements of which the stand-in knows no point
};

// The elements of a view, or of the floor plan those on one storey (`storey` is ignored for other
// views). A view without elements shows its zoom box.
ViewPicture drawView(const Project& project, const ViewDatabase& view, const StoredStorey* storey);

// Draws the view a scenario's words name (plan with its "STOREY", else the current storey; or a
// view's name) into the file at `path`, making its folders. Answers NoProject, NotFound for a view or storey
// that is not there, BadParameter for the 3D model or a view without a usable scale, Failed when the file
// cannot be written; `why` says why. `said` tells what was drawn.
GSErrCode drawViewToFile(const Project* project, const ModelArgs& args, const std::string& path,
                         std::string* why, std::string* said);

} // namespace zavhost
