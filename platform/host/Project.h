// The project the stand-in host holds in memory: its name and file, its texts, the add-on's module
// data and the undo history.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zavhost {

// Everything an undo step can change; a failed step puts a copy of it back.
struct ProjectModel {
    std::map<std::string, std::string> texts;
    std::optional<std::string> moduleData; // the add-on's bytes; none until it sets some

    bool operator==(const ProjectModel&) const = default;
};

struct UndoStep {
    std::string name;
};

struct Project {
    std::string name;
    std::string filePath; // empty until saved or opened
    ProjectModel model;
    std::vector<UndoStep> undoSteps; // not saved: a reopened project starts with none
};

} // namespace zavhost
