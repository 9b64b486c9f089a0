// The project model's part in the runtime: the project behind Host and the work behind the edit
// manager. A product registers it before the framework's modules start.
#pragma once

#include <memory>

namespace tarnwick {

class Database;
class Library;
class Project;

// Registers the project model's module once; its start installs what the runtime asks of it, its
// end drops the project object and takes the hooks back.
void registerProjectModel();

// The add-on's packages over the project's module data and the preference files.
void installProjectPackages();
void uninstallProjectPackages();

// Makes the project's library database (a Library, named through `library`); installed by the
// library model. Without one a project has no library.
using LibraryMaker = std::unique_ptr<Database> (*)(Project& owner, Library*& library);
void installLibraryMaker(LibraryMaker maker);

} // namespace tarnwick
