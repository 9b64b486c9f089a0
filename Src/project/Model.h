// The 3D model window's database. It shows the floor plan's elements and is named by kind alone.
#pragma once

#include "project/Drawing.h"

namespace tarnwick {

class Model : public Drawing {
public:
    Model(Project* project, const Guid& databaseGuid) : Drawing(project, databaseGuid) {}
    String getTypeName() const override { return String("3D Window"); }
    uint32_t getDatabaseType() const override { return DatabaseModel; }
    uint32_t getNavigatorItemType() const override { return 6; }
};

} // namespace tarnwick
