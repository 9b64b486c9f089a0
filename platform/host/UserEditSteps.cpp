#include "UserEditSteps.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <unordered_set>
#include <vector>

#include "CurtainWallParts.h"
#include "ElementGeometry.h"
#include "ModelCalls.h"
#include "ModelSteps.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {
const std::string EditWords = "user element add, set, delete, move, rotate or mirror";

HostEditTransformation identity() {
    return StandInHost::identityTransformation();
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

void readLabels(LineReader& in, ModelArgs& args) {
    do
        args.texts.push_back(in.text("an element's label"));
    while (in.nextIsText());
}

// The undo step a user's edit makes, as the host's own commands are named.
std::string editName(const std::string& verb) {
    if (verb == "element add") return "Place Element";
    if (verb == "element delete" || verb == "user delete") return "Delete Elements";
    if (verb == "user move") return "Move Elements";
    if (verb == "user rotate") return "Rotate Elements";
    if (verb == "user mirror") return "Mirror Elements";
    return "Modify Element";
}

// The Guids of the labelled elements, each once, in the order named.
bool guidsOf(ModelSteps& model, Project& project, const std::vector<std::string>& labels,
             std::vector<API_Guid>& guids, std::string* why) {
    std::unordered_set<API_Guid, GuidHash> seen;
    for (const std::string& label : labels) {
        const StoredElement* element = model.labelled(project, label, why);
        if (element == nullptr) return false;
        if (seen.insert(element->guid()).second) guids.push_back(element->guid());
    }
    return true;
}
} // namespace

HostEditTransformation moveTransformation(double dx, double dy, double dz) {
    HostEditTransformation t = identity();
    t.kind = fourCC("MOVE");
    t.target = {dx, dy, dz};
    return t;
}

HostEditTransformation rotateTransformation(double degrees, double x, double y) {
    HostEditTransformation t = identity();
    t.kind = fourCC("ROTA");
    t.angle = radians(degrees);
    t.matrix[0] = t.matrix[4] = std::cos(t.angle);
    t.matrix[1] = -std::sin(t.angle);
    t.matrix[3] = std::sin(t.angle);
    t.origin = t.target = {x, y, 0.0};
    return t;
}

HostEditTransformation mirrorTransformation(double x1, double y1, double x2, double y2) {
    HostEditTransformation t = identity();
    t.kind = fourCC("MIRR");
    t.angle = std::atan2(y2 - y1, x2 - x1);
    t.matrix[0] = std::cos(2.0 * t.angle);
    t.matrix[1] = t.matrix[3] = std::sin(2.0 * t.angle);
    t.matrix[4] = -t.matrix[0];
    t.origin = t.target = {x1, y1, 0.0};
    return t;
}

void parseUserEdit(LineReader& in, Step& step) {
    ModelArgs& args = step.model;
    step.userEdit = true;
    if (in.word("move")) {
        args.verb = "user move";
        readLabels(in, args);
        if (!in.word("by")) throw LineError{"user element move \"LABEL\" ... by DX DY [DZ]"};
        const double dx = in.real("the distance along x");
        const double dy = in.real("the distance along y");
        step.transformation =
            moveTransformation(dx, dy, in.nextIsReal() ? in.real("the distance along z") : 0.0);
    } else if (in.word("rotate")) {
        args.verb = "user rotate";
        readLabels(in, args);
        if (!in.word("by")) throw LineError{"user element rotate \"LABEL\" ... by DEGREES about X Y"};
        const double degrees = in.real("the angle in degrees");
        if (!in.word("about")) throw LineError{"user element rotate \"LABEL\" ... by DEGREES about X Y"};
        const double x = in.real("the x of the centre");
        step.transformation = rotateTransformation(degrees, x, in.real("the y of the centre"));
    } else if (in.word("mirror")) {
        args.verb = "user mirror";
        readLabels(in, args);
        if (!in.word("about")) throw LineError{"user element mirror \"LABEL\" ... about X1 Y1 X2 Y2"};
        double n[4];
        for (double& value : n)
            value = in.real("a point of the mirror line");
        if (n[0] == n[2] && n[1] == n[3]) throw LineError{"a mirror line needs two different points"};
        step.transformation = mirrorTransformation(n[0], n[1], n[2], n[3]);
    } else if (in.word("delete")) {
        args.verb = "user delete";
        readLabels(in, args);
    } else if (const std::string verb = in.peek();
               (verb != "add" && verb != "set") || !parseModelAction(in, "element", step)) {
        throw LineError{EditWords + didYouMean(verb, {"add", "set", "delete", "move", "rotate", "mirror"})};
    }
    step.kind = StepKind::ModelAction;
    step.userEdit = true;
}

GSErrCode actUserEdit(StandInHost& host, ModelSteps& model, const Step& step, std::string* why) {
    const std::string& verb = step.model.verb;
    const std::string name = editName(verb);
    if (verb.rfind("user ", 0) != 0)
        return host.userEdit(name, [&](Project&) { return model.act(step, why); });
    Project* project = host.project();
    if (project == nullptr) return *why = "no project is open", hosterr::NoProject;
    std::vector<API_Guid> guids;
    if (!guidsOf(model, *project, step.model.texts, guids, why)) return hosterr::NotFound;
    if (verb == "user delete")
        return host.userEdit(name, [&](Project& edited) {
            for (const API_Guid& guid : guids)
                model::deleteElement(edited, guid);
            return hosterr::Ok;
        });
    // A wall's openings stand in it and go with it: the host reports the wall alone.
    return host.userEdit(
        name,
        [&](Project& edited) {
            std::unordered_set<API_Guid, GuidHash> moved(guids.begin(), guids.end());
            for (const API_Guid& guid : guids)
                transformGeometry(*edited.model.views.editElement(guid), step.transformation);
            // A curtain wall's parts go with it.
            for (const API_Guid& guid : guids) {
                ViewDatabase* where = nullptr;
                if (edited.model.views.editElement(guid, &where) != nullptr)
                    moveCurtainWallWith(edited.model.views.elementsOf(*where), guid, step.transformation,
                                        moved);
            }
            return hosterr::Ok;
        },
        step.transformation);
}

bool parseElementLink(LineReader& in, ModelArgs& args) {
    if (!in.word("link")) return false;
    args.verb = "element link";
    args.texts.push_back(in.text("the owner's label"));
    if (!in.word("to")) throw LineError{"element link \"OWNER\" to \"LINKED\" [flags N]"};
    args.texts.push_back(in.text("the linked element's label"));
    if (in.word("flags")) args.count = in.number("the link's flags", 0, UINT32_MAX);
    return true;
}

GSErrCode linkElements(ModelSteps& model, const ModelArgs& args, Project& project, std::string* why) {
    const StoredElement* owner = model.labelled(project, args.texts[0], why);
    const StoredElement* linked = owner != nullptr ? model.labelled(project, args.texts[1], why) : nullptr;
    if (linked == nullptr) return hosterr::NotFound;
    if (owner == linked) return *why = "an element cannot link itself", hosterr::BadParameter;
    project.model.relations.links.set({owner->guid(), linked->guid()},
                                      static_cast<uint32_t>(args.count.value_or(0)));
    return hosterr::Ok;
}

std::string nodeOrLinksMismatch(const ModelArgs& args, const Project& project, const StoredElement& element) {
    if (auto node = args.options.find("node"); node != args.options.end()) {
        const size_t at = std::stoul(node->second);
        const double x = args.numbers.at(at), y = args.numbers.at(at + 1);
        std::string nodes;
        bool found = false;
        for (const HostCoord3D& p : nodePointsOf(element)) {
            found = found || (std::fabs(p.x - x) <= 1e-6 && std::fabs(p.y - y) <= 1e-6);
            char text[64];
            std::snprintf(text, sizeof text, "%s%.6g %.6g", nodes.empty() ? "" : ", ", p.x, p.y);
            nodes += text;
        }
        if (!found) return nodes.empty() ? "it has no node points" : "its node points are " + nodes;
    }
    if (auto links = args.options.find("links"); links != args.options.end()) {
        const size_t count = project.model.relations.links.othersOf(element.guid()).size();
        if (std::to_string(count) != links->second)
            return "it links " + std::to_string(count) + " element(s)";
    }
    return {};
}

} // namespace zavhost
