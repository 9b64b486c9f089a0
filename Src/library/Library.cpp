#include "library/Library.h"

#include "project/Project.h"

namespace tarnwick {

// The project makes its library here, so that the project model never reaches up into the
// library subsystem.
void Project::makeLibrary() {
    auto library = std::make_unique<Library>(this, 0);
    m_library = library.get();
    m_libraryDatabase = std::move(library);
}

} // namespace tarnwick
