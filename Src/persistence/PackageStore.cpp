#include "persistence/PackageStore.h"

#include <iterator>

#include "Environment/Addon.h"
#include "Environment/HostEvent.h"

namespace tarnwick {

PackageStore::PackageStore(const String& elementName, bool publishChanges)
    : XMLAssembly(elementName), m_publishChanges(publishChanges) {}

PackageStore::PackageStore(const PackageStore& other)
    : XMLAssembly(other), m_publishChanges(other.m_publishChanges) {
    for (const auto& [code, package] : other.m_packages)
        if (package) m_packages[code] = std::shared_ptr<Package>(package->clone());
}

PackageStore::~PackageStore() = default;

Package* PackageStore::getPackage(uint32_t code, bool filtered) const {
    auto it = m_packages.find(code);
    if (it == m_packages.end()) return nullptr;
    if (filtered && !it->second->isAvailable()) return nullptr;
    return it->second.get();
}

std::shared_ptr<Package> PackageStore::getSharedPackage(uint32_t code) const {
    auto it = m_packages.find(code);
    return it == m_packages.end() ? nullptr : it->second;
}

void PackageStore::putPackage(const Package& package, bool notify) {
    adoptPackage(package.clone(), notify);
}

void PackageStore::adoptPackage(Package* package, bool notify) {
    adoptPackage(std::unique_ptr<Package>(package), notify);
}

void PackageStore::adoptPackage(std::unique_ptr<Package> package, bool notify) {
    sharePackage(std::shared_ptr<Package>(std::move(package)), notify);
}

void PackageStore::sharePackage(std::shared_ptr<Package> package, bool notify) {
    if (!package) return;
    uint32_t code = package->getCode();
    m_packages[code] = std::move(package);
    changed(code, notify);
}

std::shared_ptr<Package> PackageStore::detachPackage(uint32_t code) {
    auto it = m_packages.find(code);
    if (it == m_packages.end()) return nullptr;
    std::shared_ptr<Package> package = std::move(it->second);
    m_packages.erase(it);
    return package;
}

bool PackageStore::removePackage(uint32_t code) {
    return m_packages.erase(code) != 0;
}

void PackageStore::resetPackages(bool keep) {
    for (auto& [code, package] : m_packages)
        if (!keep || !package->keepOnReset()) package->reset();
}

void PackageStore::removeAll() {
    m_packages.clear();
}

void PackageStore::closeAll() {
    for (auto& [code, package] : m_packages)
        package->close();
}

std::vector<uint32_t> PackageStore::getCodes() const {
    std::vector<uint32_t> codes;
    codes.reserve(m_packages.size());
    for (const auto& entry : m_packages)
        codes.push_back(entry.first);
    return codes;
}

std::unique_ptr<XMLShipping> PackageStore::makeFieldProxy(size_t index, bool attributesOnly) {
    if (attributesOnly || index >= m_packages.size()) return nullptr;
    auto it = std::next(m_packages.begin(), static_cast<std::ptrdiff_t>(index));
    Package& package = *it->second;
    if (!package.isShippable()) return nullptr;
    if (std::unique_ptr<Package> copy = package.makeShippingCopy())
        return std::make_unique<XMLContainerProxy>(std::unique_ptr<XMLShipping>(std::move(copy)),
                                                   package.getElementName());
    return std::make_unique<XMLContainerProxy>(package);
}

std::unique_ptr<XMLShipping> PackageStore::makeFieldProxyByName(const String& name) {
    for (auto& [code, package] : m_packages)
        if (package->isShippable() && package->getElementName() == name)
            return std::make_unique<XMLContainerProxy>(*package);
    return nullptr;
}

void PackageStore::changed(uint32_t code, bool notify) {
    if (!notify || !m_publishChanges) return;
    Addon* addon = getAddon();
    if (addon == nullptr) return;
    ProjectEvent event(static_cast<uint32_t>(ProjectEvent::PackagesChanged), static_cast<int32_t>(code));
    addon->handleEvent(event);
}

} // namespace tarnwick
