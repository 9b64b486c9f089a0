// The host's open project as the framework sees it. So far it holds the project's package store;
// the project model adds its databases here.
#pragma once

#include <cstdint>
#include <memory>

namespace tarnwick {

class Package;
class PackageStore;

class Project {
public:
    Project();
    Project(const Project&) = delete;
    Project& operator=(const Project&) = delete;
    virtual ~Project();

    // The host closed or switched projects: cached host state is forgotten. The packages are not
    // touched; the add-on loads them afresh for each project.
    void reset();

    // The package with that code, or null.
    Package* getPackage(uint32_t code) const;
    // Stores a copy, replacing the package of the same code; with notify, publishes a
    // ProjectEvent PackagesChanged with the code.
    void setPackage(const Package& package, bool notify);
    // Stores the package itself (the project owns it).
    void adoptPackage(Package* package, bool notify);
    // Resets every package except those that keep their values on reset.
    void resetPackages();
    PackageStore& getPackageStore() { return *m_packages; }

private:
    std::unique_ptr<PackageStore> m_packages;
};

} // namespace tarnwick
