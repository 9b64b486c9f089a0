// Scenario steps of views' windows, the highlight and the selection by label:
//   view zoom VIEW X1 Y1 X2 Y2          view pixels VIEW WIDTH HEIGHT       view scale VIEW S
//   expect view-window VIEW [zoom X1 Y1 X2 Y2] [pixels W H] [redraws N] [rebuilds N]
//   expect selection "LABEL" ...        expect highlight none | "LABEL" ... [colour R G B A]
// VIEW is plan, 3d or a view's name.
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "ModelCalls.h"
#include "ModelSteps.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
constexpr double tolerance = 1e-6;

std::string pair(LineReader& in, const char* what) {
    int64_t first = in.number(what, 0, INT32_MAX);
    int64_t second = in.number(what, 0, INT32_MAX);
    return std::to_string(first) + " " + std::to_string(second);
}

bool fail(std::string* why, const std::string& reason) {
    *why = reason;
    return false;
}

std::string text(double value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

std::string boxText(const HostBox2D& box) {
    return text(box.xMin) + " " + text(box.yMin) + " " + text(box.xMax) + " " + text(box.yMax);
}

const std::string* option(const ModelArgs& args, const char* name) {
    auto it = args.options.find(name);
    return it == args.options.end() ? nullptr : &it->second;
}
} // namespace

bool parseViewWindow(LineReader& in, ModelArgs& args) {
    if (in.word("zoom")) {
        args.verb = "view zoom";
        parseViewName(in, args);
        for (const char* what : {"x1", "y1", "x2", "y2"})
            args.numbers.push_back(in.real(what));
    } else if (in.word("pixels")) {
        args.verb = "view pixels";
        parseViewName(in, args);
        args.options["pixels"] = pair(in, "a size in pixels");
    } else if (in.word("scale")) {
        args.verb = "view scale";
        parseViewName(in, args);
        args.numbers.push_back(in.real("a drawing scale"));
    } else {
        return false;
    }
    return true;
}

bool parseWindowExpectation(LineReader& in, const std::string& first, ModelArgs& args) {
    if (first == "view-window") {
        parseViewName(in, args);
        while (!in.atEnd()) {
            if (in.word("zoom")) {
                args.options["zoom"] = "";
                for (const char* what : {"x1", "y1", "x2", "y2"})
                    args.numbers.push_back(in.real(what));
            } else if (in.word("pixels")) {
                args.options["pixels"] = pair(in, "a size in pixels");
            } else if (in.word("redraws")) {
                args.options["redraws"] = std::to_string(in.number("a count", 0, UINT32_MAX));
            } else if (in.word("rebuilds")) {
                args.options["rebuilds"] = std::to_string(in.number("a count", 0, UINT32_MAX));
            } else {
                throw LineError{
                    "expect view-window VIEW [zoom X1 Y1 X2 Y2] [pixels W H] [redraws N] [rebuilds N]"};
            }
        }
        return true;
    }
    if (first == "highlight") {
        if (in.word("none")) {
            args.flags.insert("none");
            return true;
        }
        do
            args.texts.push_back(in.text("an element's label"));
        while (in.nextIsText());
        if (in.word("colour"))
            for (const char* what : {"red", "green", "blue", "alpha"})
                args.numbers.push_back(in.real(what));
        return true;
    }
    return false;
}

GSErrCode ModelSteps::actOnWindow(const ModelArgs& args, ViewDatabase& database, std::string* why) {
    if (args.verb == "view zoom") {
        HostBox2D box{args.numbers[0], args.numbers[1], args.numbers[2], args.numbers[3]};
        if (!database.window.show(box))
            return *why = "not a box with width and height", hosterr::BadParameter;
        return hosterr::Ok;
    }
    if (args.verb == "view scale") {
        if (!std::isfinite(args.numbers[0]) || args.numbers[0] <= 0.0)
            return *why = "a drawing scale is a positive number", hosterr::BadParameter;
        database.scale = args.numbers[0];
        return hosterr::Ok;
    }
    int64_t width = 0, height = 0;
    std::istringstream(*option(args, "pixels")) >> width >> height;
    if (!database.window.resize(static_cast<int32_t>(width), static_cast<int32_t>(height)))
        return *why = "a window is 0 by 0 (none) or has both sides", hosterr::BadParameter;
    return hosterr::Ok;
}

bool ModelSteps::checkWindows(const ModelArgs& args, Project& project, std::string* why) {
    ViewDatabases& views = project.model.views;
    if (args.verb == "expect view-window") {
        const ViewDatabase* database = args.flags.count("plan") != 0 ? &views.plan()
                                       : args.flags.count("3d") != 0 ? views.find({DatabaseModel, {}})
                                                                     : views.findNamed(args.texts[0]);
        if (database == nullptr) return fail(why, "there is no view " + inQuotes(args.texts[0]));
        const ViewWindow& window = database->window;
        if (option(args, "zoom") != nullptr) {
            const double wanted[4] = {args.numbers[0], args.numbers[1], args.numbers[2], args.numbers[3]};
            const double found[4] = {window.zoom.xMin, window.zoom.yMin, window.zoom.xMax, window.zoom.yMax};
            for (int i = 0; i < 4; ++i)
                if (std::fabs(wanted[i] - found[i]) > tolerance)
                    return fail(why, "the zoom box is " + boxText(window.zoom));
        }
        if (const std::string* pixels = option(args, "pixels"))
            if (*pixels != std::to_string(window.width) + " " + std::to_string(window.height))
                return fail(why, "the window is " + std::to_string(window.width) + " by " +
                                     std::to_string(window.height) + " pixels");
        ViewActivity activity;
        for (const ViewActivity& each : project.session.activity)
            if (each.database == views.keyOf(*database)) activity = each;
        if (const std::string* redraws = option(args, "redraws"))
            if (*redraws != std::to_string(activity.redraws))
                return fail(why, "it was redrawn " + std::to_string(activity.redraws) + " time(s)");
        if (const std::string* rebuilds = option(args, "rebuilds"))
            if (*rebuilds != std::to_string(activity.rebuilds))
                return fail(why, "it was rebuilt " + std::to_string(activity.rebuilds) + " time(s)");
        return true;
    }
    // The labels name exactly the elements wanted, in any order.
    std::set<std::string> wanted(args.texts.begin(), args.texts.end());
    std::set<std::string> found;
    std::map<API_Guid, std::string, GuidLess> labels;
    for (const auto& [label, guid] : m_labels)
        labels.emplace(guid, inQuotes(label));
    auto labelOf = [&labels](const API_Guid& guid) {
        auto it = labels.find(guid);
        return it != labels.end() ? it->second : model::guidText(guid);
    };
    if (args.verb == "expect selection") {
        const ViewDatabase& current = model::currentDatabase(project);
        for (const HostSelectionRecord& record : project.session.selectionOf(views.keyOf(current)))
            if (views.elementsOf(current).find(record.guid) != nullptr) found.insert(labelOf(record.guid));
    } else {
        const Highlight& shown = project.session.highlight;
        for (const auto& [guid, colour] : shown.colours) {
            found.insert(labelOf(guid));
            if (args.numbers.empty()) continue;
            const double wantedColour[4] = {args.numbers[0], args.numbers[1], args.numbers[2],
                                            args.numbers[3]};
            const double given[4] = {colour.red, colour.green, colour.blue, colour.alpha};
            for (int i = 0; i < 4; ++i)
                if (std::fabs(wantedColour[i] - given[i]) > tolerance)
                    return fail(why, labelOf(guid) + " is highlighted in " + text(given[0]) + " " +
                                         text(given[1]) + " " + text(given[2]) + " " + text(given[3]));
        }
    }
    std::set<std::string> quoted;
    for (const std::string& label : wanted)
        quoted.insert(inQuotes(label));
    if (found == quoted) return true;
    std::string list;
    for (const std::string& each : found)
        list += (list.empty() ? "" : ", ") + each;
    return fail(why, (args.verb == "expect selection" ? "selected: " : "highlighted: ") +
                         (list.empty() ? std::string("none") : list));
}

void parseViewName(LineReader& in, ModelArgs& args) {
    if (in.word("plan"))
        args.flags.insert("plan");
    else if (in.word("3d"))
        args.flags.insert("3d");
    else
        args.texts.push_back(in.text("the view's name, plan or 3d"));
}

} // namespace zavhost
