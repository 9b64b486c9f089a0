// A store of packages by four-character code, itself an XML assembly: every shippable package is
// written as a child element under its own element name, and a stored element goes to the package
// of that element name (elements no package takes are skipped).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "persistence/Package.h"

namespace tarnwick {

class PackageStore : public XMLAssembly {
public:
    // With publishChanges, a change made with notify set publishes a ProjectEvent
    // PackagesChanged, whose parameter is the package's code, through the add-on.
    explicit PackageStore(const String& elementName = String("packageStore"), bool publishChanges = false);
    PackageStore(const PackageStore& other); // copies every package
    PackageStore& operator=(const PackageStore&) = delete;
    ~PackageStore() override;

    // The package with that code, or null; filtered passes by packages that are not available.
    Package* getPackage(uint32_t code, bool filtered = false) const;
    std::shared_ptr<Package> getSharedPackage(uint32_t code) const;
    bool hasPackage(uint32_t code) const { return m_packages.count(code) != 0; }
    // Stores a copy, replacing the package of the same code.
    void putPackage(const Package& package, bool notify = false);
    // Stores the package itself (null does nothing), replacing the package of the same code.
    void adoptPackage(Package* package, bool notify = false);
    void adoptPackage(std::unique_ptr<Package> package, bool notify = false);
    void sharePackage(std::shared_ptr<Package> package, bool notify = false);
    // Takes the package out of the store; null when there is none.
    std::shared_ptr<Package> detachPackage(uint32_t code);
    bool removePackage(uint32_t code);
    // Resets every package; with keep, those whose keepOnReset answers true stay as they are.
    void resetPackages(bool keep);
    void removeAll();
    // Tells every package that it is leaving for good (the add-on is ending); they stay stored.
    void closeAll();

    size_t getPackageCount() const { return m_packages.size(); }
    std::vector<uint32_t> getCodes() const; // in code order
    bool publishesChanges() const { return m_publishChanges; }

    // Shipping: the packages in code order; reset resets every package.
    void reset() override { resetPackages(false); }
    size_t getFieldCount() const override { return m_packages.size(); }
    std::unique_ptr<XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    std::unique_ptr<XMLShipping> makeFieldProxyByName(const String& name) override;

private:
    void changed(uint32_t code, bool notify);

    std::map<uint32_t, std::shared_ptr<Package>> m_packages;
    bool m_publishChanges;
};

} // namespace tarnwick
