#include "persistence/UserDatabaseCollection.h"

namespace tarnwick {

UserDatabaseCollection::UserDatabaseCollection(const String& elementName, std::shared_ptr<PackageStore> store)
    : XMLArray(elementName), m_store(store ? std::move(store) : std::make_shared<PackageStore>()) {}

void UserDatabaseCollection::addDatabase(std::shared_ptr<Package> database) {
    m_store->sharePackage(std::move(database), false);
}

} // namespace tarnwick
