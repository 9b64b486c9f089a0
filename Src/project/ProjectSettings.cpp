// The project's file, texts, units, location, city and layer combination, as the host's
// environment calls answer them.
#include <numbers>

#include "Environment/DataFile.h"
#include "Environment/HostCalls.h"
#include "platform/io/Location.h"
#include "project/City.h"
#include "project/LayerCombination.h"
#include "project/LayerMap.h"
#include "project/Project.h"
#include "project/Specification.h"

namespace tarnwick {

namespace {
// Reads the project texts; false on a host error.
bool readTexts(HostProjectTexts& texts) {
    return ACAPEnvironmentCall(fourCC("GPRN"), &texts) == hosterr::Ok;
}

String textOf(const char (&field)[256]) {
    return String(field, sizeof field);
}

bool readPlace(HostPlaceInfo& place) {
    place = HostPlaceInfo();
    return ACAPEnvironmentCall(fourCC("GPLA"), &place) == hosterr::Ok;
}
} // namespace

std::unique_ptr<DataFile> Project::getFile() const {
    HostProjectInfo info;
    GSErrCode err = ACAPEnvironmentCall(fourCC("PROJ"), &info);
    std::unique_ptr<DataFile> file;
    if (err == hosterr::Ok && info.location != nullptr)
        file = std::make_unique<DataFile>(*info.location, DataFile::TextureKind);
    // The record's location objects are ours, whatever the answer.
    delete info.location;
    delete info.sharedLocation;
    delete info.backupLocation;
    delete info.temporaryLocation;
    return file;
}

String Project::getName() const {
    auto texts = std::make_unique<HostProjectTexts>();
    return readTexts(*texts) ? textOf(texts->name) : String();
}

String Project::getCityName() const {
    auto texts = std::make_unique<HostProjectTexts>();
    return readTexts(*texts) ? textOf(texts->cityName) : String();
}

String Project::getText1536() const {
    auto texts = std::make_unique<HostProjectTexts>();
    return readTexts(*texts) ? textOf(texts->text1536) : String();
}

String Project::getText1792() const {
    auto texts = std::make_unique<HostProjectTexts>();
    return readTexts(*texts) ? textOf(texts->text1792) : String();
}

bool Project::isMetric() const {
    HostWorkingUnits units;
    if (ACAPEnvironmentCall(fourCC("GPRF"), &units) != hosterr::Ok) return false;
    return units.lengthUnit < 4;
}

uint32_t Project::getUnitPreference() {
    if (!m_unitPreferences) {
        HostUnitPreferences preferences;
        if (ACAPEnvironmentCall(fourCC("GPRF"), &preferences,
                                reinterpret_cast<void*>(static_cast<uintptr_t>(UnitPreferencesSubCode))) !=
            hosterr::Ok)
            return 0;
        m_unitPreferences = preferences;
    }
    return m_unitPreferences->unitPreference;
}

double Project::getLocationAngle() const {
    HostPlaceInfo place;
    return readPlace(place) ? place.northAngle : std::numbers::pi / 2.0;
}

bool Project::setLocationAngle(double angle) {
    HostPlaceInfo place;
    if (!readPlace(place)) return false;
    place.northAngle = angle;
    return ACAPEnvironmentCall(fourCC("CPLA"), &place) == hosterr::Ok;
}

std::unique_ptr<City> Project::getCity() {
    HostPlaceInfo place;
    if (m_specification == nullptr || !readPlace(place)) return nullptr;
    uint32_t index = m_specification->findCity(place.longitude, place.latitude);
    if (index == 0) {
        auto city = std::make_unique<City>();
        city->setName(getCityName());
        city->setFirstAngle(place.latitude);
        city->setSecondAngle(place.longitude);
        city->setField300(place.timeZone);
        return city;
    }
    std::unique_ptr<Attribute> found =
        m_specification->get(AttributeLink(index, AttrCity, m_specification.get()));
    auto* city = dynamic_cast<City*>(found.get());
    if (city == nullptr) return nullptr;
    // The latitude (byte 24) is the city's first angle, as findCity pairs them.
    city->setFirstAngle(place.latitude);
    city->setField300(place.timeZone);
    (void)found.release();
    return std::unique_ptr<City>(city);
}

std::unique_ptr<LayerCombination> Project::getLayerCombination() {
    int16_t index = 0;
    if (ACAPEnvironmentCall(fourCC("GCLC"), &index) != hosterr::Ok) return nullptr;
    return std::make_unique<LayerCombination>(
        AttributeLink(index, AttrLayerCombination, m_specification.get()));
}

std::unique_ptr<LayerMap> Project::getLayerMap() {
    if (std::unique_ptr<LayerCombination> combination = getLayerCombination())
        if (const LayerMap* map = combination->getLayerMap()) return std::make_unique<LayerMap>(*map);
    return std::make_unique<LayerMap>(true);
}

} // namespace tarnwick
