// What the project model lends the runtime: it makes, hands out and drops the project object
// behind Host. The project model installs its keeper when its module starts.
#pragma once

#include <cstdint>

namespace tarnwick {

class Drawing;
class ElementLink;
class Library;
class Plan;
class Project;
class Specification;
class User;

class ProjectKeeper {
public:
    virtual ~ProjectKeeper() = default;

    virtual Project* getProject() = 0;
    virtual Plan* getPlan() = 0;
    virtual Specification* getSpecification() = 0;
    virtual Library* getLibrary() = 0;
    virtual Drawing* getCurrentDatabase() = 0;
    virtual bool setCurrentDatabase(Drawing* drawing) = 0;
    virtual bool setFrontWindow(Drawing* drawing) = 0;
    virtual bool setDefaultType(const ElementLink& tool) = 0;
    // Null when there is no shared-project user.
    virtual const User* getCurrentUser() = 0;
    // Forgets the project's caches.
    virtual void resetProject() = 0;
    // Drops the project object.
    virtual void releaseProject() = 0;
};

// Null uninstalls; Host then answers as if no project were open.
void installProjectKeeper(ProjectKeeper* keeper);

} // namespace tarnwick
