#include "Project.h"

#include <cstring>

namespace zavhost {

namespace {
template <class Record> bool sameBytes(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}
} // namespace

ProjectSettings ProjectSettings::withDefaults() {
    ProjectSettings settings;
    settings.place.longitude = -1.5; // the default city, "Home Town"
    settings.place.latitude = 53.5;
    settings.place.altitude = 50.0;
    return settings;
}

bool ProjectSettings::operator==(const ProjectSettings& other) const {
    return sameBytes(units, other.units) && sameBytes(unitPreferences, other.unitPreferences) &&
           sameBytes(place, other.place) && layerCombination == other.layerCombination &&
           shared == other.shared && users == other.users;
}

void Project::forgetOldUndoSteps() {
    while (undoSteps.size() > UndoStepLimit) {
        undoSteps.pop_front();
        ++undoStepsForgotten;
    }
}

ProjectModel ProjectModel::withDefaults() {
    ProjectModel model;
    model.settings = ProjectSettings::withDefaults();
    model.attributes = AttributeStore::withDefaults();
    model.storeys = StoreyList::withDefaults();
    return model;
}

Selection& ProjectSession::selectionOf(const DatabaseKey& database) {
    for (SelectionEntry& entry : selections)
        if (entry.database == database) return entry.records;
    selections.push_back({database, {}});
    return selections.back().records;
}

ViewActivity& ProjectSession::activityOf(const DatabaseKey& database) {
    for (ViewActivity& entry : activity)
        if (entry.database == database) return entry;
    activity.push_back({database, {}, 0, 0});
    return activity.back();
}

} // namespace zavhost
