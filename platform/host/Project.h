// The project the stand-in host holds in memory: its name and file, its texts and settings, the
// add-on's module data, attributes, storeys, view databases with their elements, default
// elements, relations between elements, and the undo history.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "AttributeStore.h"
#include "ElementRelations.h"
#include "ElementStore.h"
#include "IfcStore.h"
#include "LibraryManager.h"
#include "Model3D.h"
#include "Selection.h"
#include "StoreyList.h"
#include "ViewDatabases.h"
#include "platform/api/ProjectRecords.h"

namespace zavhost {

struct SharedUser {
    std::string name;     // the login name
    std::string fullName; // the second text
    API_Guid guid;
    uint16_t id = 0;
    uint16_t secondWord = 0;

    bool operator==(const SharedUser&) const = default;
};

struct ProjectSettings {
    HostWorkingUnits units;              // "GPRF"
    HostUnitPreferences unitPreferences; // "GPRF" sub-code 5
    HostPlaceInfo place;                 // "GPLA" / "CPLA"
    int16_t layerCombination = 1;        // "GCLC"
    bool shared = false;
    std::vector<SharedUser> users; // of a shared project; the first is the user at this host

    static ProjectSettings withDefaults();
    uint16_t currentUserId() const { return users.empty() ? 0 : users.front().id; }
    bool operator==(const ProjectSettings& other) const;
};

// Everything an undo step can change; a failed step puts a copy of it back.
struct ProjectModel {
    std::map<std::string, std::string> texts;           // "city", "text1536" and "text1792" answer "GPRN"
    std::optional<std::string> moduleData;              // the add-on's bytes; none until it sets some
    std::map<std::string, std::string> keyedModuleData; // the add-on's bytes under keys of its own
    ProjectSettings settings;
    AttributeStore attributes;
    StoreyList storeys;
    ViewDatabases views;
    DefaultElements defaults;
    ElementRelations relations;
    IfcStore ifc;
    Model3DStore model3d; // element extents, textures and the camera of the 3D window

    // A new project: default attributes, two storeys, the settings of ProjectSettings.
    static ProjectModel withDefaults();
    bool operator==(const ProjectModel&) const = default;
};

struct SelectionEntry {
    DatabaseKey database;
    Selection records;
};

// What a view's window went through while the project is open.
struct ViewActivity {
    DatabaseKey database;
    std::vector<HostBox2D> earlierZooms; // "DOOM" goes back through them, the last first
    uint32_t redraws = 0;                // "DRDB", and "DRWE" once per element
    uint32_t rebuilds = 0;               // "RBDB" and "RBLD"
};

// The elements shown highlighted ("HGEL"), each in its colour; none when nothing is.
struct Highlight {
    std::map<API_Guid, HostRGBA, GuidLess> colours;
    bool flag = false; // the flag the module passed with them
};

// What the host keeps while a project is open: not saved and not undone.
struct ProjectSession {
    DatabaseKey current;     // the current database ("GDAT")
    DatabaseKey frontWindow; // "GWIN"
    std::vector<SelectionEntry> selections;
    std::vector<ViewActivity> activity;
    Highlight highlight;
    std::unordered_map<API_Guid, int16_t, GuidHash> heldByOthers; // shared projects: element -> user id
    std::map<std::string, int32_t> lockables{{"LayerSettingsDialog", 1}}; // 1 free, 2 mine, 3 another's
    uint32_t defaultToolType = 0;                                         // "SETD"
    uint32_t defaultToolVariation = 0;

    Selection& selectionOf(const DatabaseKey& database);
    ViewActivity& activityOf(const DatabaseKey& database);
};

struct UndoStep {
    std::string name;
    std::shared_ptr<const ProjectModel> before = nullptr; // what undoing the step brings back
};

// As a host keeps a bounded undo history, the stand-in keeps this many steps, the last ones; a
// step beyond them forgets the oldest. Large enough that no scenario meets it.
inline constexpr size_t UndoStepLimit = 1000;

struct Project {
    std::string name;
    std::string filePath; // empty until saved or opened
    ProjectModel model;
    LibraryManager library;          // kept apart from the model: undo does not take parts away
    std::deque<UndoStep> undoSteps;  // not saved: a reopened project starts with none
    uint64_t undoStepsForgotten = 0; // the oldest steps dropped at the limit, since the project opened
    ProjectSession session;

    // Forgets the oldest undo steps beyond UndoStepLimit.
    void forgetOldUndoSteps();
};

} // namespace zavhost
