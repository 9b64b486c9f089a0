// The solids the stand-in host models its elements as, both in the 3D window's exported model and
// in the 3D database: the element's footprint (outline and holes) extruded between its bottom and
// top.
#pragma once

#include <vector>

#include "Model3D.h"
#include "platform/modeler/MeshBody.h"

namespace zavhost {

struct Project;

namespace model3d {

using Contours = std::vector<std::vector<HostCoord2D>>;

// The outline counter-clockwise, then its holes clockwise, each without a closing repeat: from
// the element's polygon, else from its box; empty when it has neither with an area.
Contours footprintOf(const StoredElement& element);
// The extent a scenario gave the element, else one storey up from its storey's level.
ElementExtent3D extentOf(const Project& project, const StoredElement& element);

// A prism with its faces turned outwards: bottom, top (holes after a 0), then a side per contour
// edge. Edges and vertices are numbered in the order the polygons first meet them, and faces
// that look opposite ways share one vector, the later through a negative number. No polygons
// when the prism is flat.
ModelerAPI::MeshBody prism(const Contours& contours, double bottom, double top, int32_t material);

} // namespace model3d
} // namespace zavhost
