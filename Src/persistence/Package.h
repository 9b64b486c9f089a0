// A package: an XML assembly kept in a package store under a four-character code, such as a
// product's preferences or a database of records.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/Shipping.h"

namespace tarnwick {

class Package : public XMLAssembly {
public:
    using XMLAssembly::XMLAssembly;

    // A new copy, owned by the caller.
    virtual std::unique_ptr<Package> clone() const = 0;
    std::unique_ptr<Package> copy() const { return clone(); }
    // A new package of the same class holding its defaults: a copy, reset.
    virtual std::unique_ptr<Package> cloneDefault() const;
    virtual uint32_t getCode() const = 0;
    // What is written in the package's place (a copy without what must not be stored), or null
    // to write the package itself.
    virtual std::unique_ptr<Package> makeShippingCopy() const { return nullptr; }
    // False: the package is neither written into nor read from stored data.
    virtual bool isShippable() const { return true; }
    // True: PackageStore::resetPackages(true) leaves the package as it is.
    virtual bool keepOnReset() const { return true; }
    // False: a filtered look-up (PackageStore::getPackage with filtered set) passes it by.
    virtual bool isAvailable() const { return true; }
    // Takes over what another package of the same code holds; by default nothing.
    virtual void merge(const Package&) {}
    // The package is leaving its store for good; by default nothing.
    virtual void close() {}
};

} // namespace tarnwick
