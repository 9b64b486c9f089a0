// Scenario steps that set up and check the project as a user's project would be: layers and other
// attributes, storeys, views, elements with their user data, the selection, shared projects and
// lockable objects. See docs/scenarios.md for the words.
#pragma once

#include <map>
#include <string>

#include "Scenario.h"
#include "ScenarioLine.h"
#include "platform/api/HostRecords.h"

namespace zavhost {

class StandInHost;
struct Project;
struct StoredElement;
struct ViewDatabase;

// Parse the rest of a line whose first word (consumed) is `first`; false when `first` names no
// model command or expectation. Malformed lines throw LineError.
bool parseModelAction(LineReader& in, const std::string& first, Step& step);
bool parseModelExpectation(LineReader& in, const std::string& first, Step& step);
// The words of views' windows and the highlight (ModelWindowSteps.cpp): "view zoom" and "view
// pixels" after "view"; "expect view-window" and "expect highlight".
bool parseViewWindow(LineReader& in, ModelArgs& args);
bool parseWindowExpectation(LineReader& in, const std::string& first, ModelArgs& args);
// A view named as the steps name it: plan, 3d or the view's name.
void parseViewName(LineReader& in, ModelArgs& args);

class ModelSteps {
public:
    explicit ModelSteps(StandInHost& host) : m_host(host) {}

    // Does the action; on failure answers the host code and says why.
    GSErrCode act(const Step& step, std::string* why);
    bool check(const Step& step, std::string* why);
    // The element a label names, or null with `why` saying so.
    const StoredElement* labelled(Project& project, const std::string& label, std::string* why);

private:
    GSErrCode actOnAttributes(const ModelArgs& args, Project& project, std::string* why);
    GSErrCode actOnViews(const ModelArgs& args, Project& project, std::string* why);
    GSErrCode actOnElements(const ModelArgs& args, Project& project, std::string* why);
    GSErrCode addElement(const ModelArgs& args, Project& project, std::string* why);
    GSErrCode setElement(const ModelArgs& args, Project& project, StoredElement& element, std::string* why);
    bool checkElements(const ModelArgs& args, Project& project, std::string* why);
    GSErrCode actOnWindow(const ModelArgs& args, ViewDatabase& database, std::string* why);
    // Views' windows, the highlight, and the selection by label.
    bool checkWindows(const ModelArgs& args, Project& project, std::string* why);

    StandInHost& m_host;
    std::map<std::string, API_Guid> m_labels; // the scenario's names for elements
};

} // namespace zavhost
