// The selectors of a view's window: its extent and zoom box ("GEX2", "GZOM", "ZOOM", "DOOM"),
// conversions between its pixels and the model ("PTOC", "CTOP"), redraws and rebuilds ("DRWE",
// "DRDB", "RBDB", "RBLD"), the highlight ("HGEL") and the element query ("RPAS"). Each acts on
// the current database; redraws and rebuilds are only counted, as nothing is drawn here.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "ModelCalls.h"
#include "ScenarioLine.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Containers.h"

namespace zavhost {

namespace {

std::string boxText(const HostBox2D& box) {
    return "(" + numberText(box.xMin) + ", " + numberText(box.yMin) + ")-(" + numberText(box.xMax) + ", " +
           numberText(box.yMax) + ")";
}

// The handler of a selector that acts on the current database of the open project.
using ViewHandler = std::function<GSErrCode(Project& project, ViewDatabase& view, SelectorCall& call)>;

void addViewSelector(StandInHost& host, SelectorTable& table, const char (&code)[5], ViewHandler handler) {
    table.add(code, [&host, handler](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        return handler(*project, model::currentDatabase(*project), call);
    });
}

ViewActivity& activityOf(Project& project, const ViewDatabase& view) {
    return project.session.activityOf(project.model.views.keyOf(view));
}

// The element a head argument names in the view, or null with the answer in `err`.
const StoredElement* elementIn(Project& project, const ViewDatabase& view, const void* head,
                               SelectorCall& call, GSErrCode* err) {
    if (head == nullptr) return call.brief = "null header", *err = hosterr::BadParameter, nullptr;
    API_Guid guid;
    std::memcpy(&guid, static_cast<const char*>(head) + offsetof(HostElementHead, guid), sizeof guid);
    call.brief = model::guidText(guid);
    const StoredElement* element = project.model.views.elementsOf(view).find(guid);
    if (element == nullptr) {
        call.brief += ": not in the " + ViewDatabases::describe(view);
        *err = hosterr::BadGuid;
        return nullptr;
    }
    call.brief = elementTypeName(element->head().typeCode) + " " + call.brief;
    return element;
}

GSErrCode extent(Project& project, ViewDatabase& view, SelectorCall& call) {
    call.brief = ViewDatabases::describe(view);
    if (call.args[0] == nullptr) return call.brief += ": null box", hosterr::BadParameter;
    std::optional<HostBox2D> all;
    for (const StoredElement* element : project.model.views.elementsOf(view).inOrder()) {
        std::optional<HostBox3D> box = boxOf(*element);
        if (!box) continue;
        if (!all) all = HostBox2D{box->xMin, box->yMin, box->xMax, box->yMax};
        all->xMin = std::min(all->xMin, box->xMin);
        all->yMin = std::min(all->yMin, box->yMin);
        all->xMax = std::max(all->xMax, box->xMax);
        all->yMax = std::max(all->yMax, box->yMax);
    }
    if (!all) return call.brief += ": no element with geometry", hosterr::NotFound;
    *static_cast<HostBox2D*>(call.args[0]) = *all;
    call.brief += " => " + boxText(*all);
    return hosterr::Ok;
}

GSErrCode zoomBox(Project&, ViewDatabase& view, SelectorCall& call) {
    call.brief = ViewDatabases::describe(view);
    if (call.args[0] == nullptr) return call.brief += ": null box", hosterr::BadParameter;
    *static_cast<HostBox2D*>(call.args[0]) = view.window.zoom;
    call.brief += " => " + boxText(view.window.zoom);
    return hosterr::Ok;
}

GSErrCode pixelToModel(Project&, ViewDatabase& view, SelectorCall& call) {
    if (call.args[0] == nullptr || call.args[1] == nullptr)
        return call.brief = "null argument", hosterr::BadParameter;
    HostPixelPoint pixel;
    std::memcpy(&pixel, call.args[0], sizeof pixel);
    call.brief = "(" + std::to_string(pixel.h) + ", " + std::to_string(pixel.v) + ")";
    std::optional<HostCoord2D> point = view.window.toModel(pixel);
    if (!point)
        return call.brief += ": the " + ViewDatabases::describe(view) + " has no window", hosterr::Refused;
    std::memcpy(call.args[1], &*point, sizeof *point);
    call.brief += " => (" + numberText(point->x) + ", " + numberText(point->y) + ")";
    return hosterr::Ok;
}

GSErrCode modelToPixel(Project&, ViewDatabase& view, SelectorCall& call) {
    if (call.args[0] == nullptr || call.args[1] == nullptr)
        return call.brief = "null argument", hosterr::BadParameter;
    HostCoord2D point;
    std::memcpy(&point, call.args[0], sizeof point);
    call.brief = "(" + numberText(point.x) + ", " + numberText(point.y) + ")";
    if (!view.window.hasArea())
        return call.brief += ": the " + ViewDatabases::describe(view) + " has no window", hosterr::Refused;
    std::optional<HostPixelPoint> pixel = view.window.toPixels(point);
    if (!pixel) return call.brief += ": outside the pixels", hosterr::BadParameter;
    std::memcpy(call.args[1], &*pixel, sizeof *pixel);
    call.brief += " => (" + std::to_string(pixel->h) + ", " + std::to_string(pixel->v) + ")";
    return hosterr::Ok;
}

GSErrCode zoomTo(Project& project, ViewDatabase& view, SelectorCall& call) {
    call.brief = ViewDatabases::describe(view);
    if (call.args[0] == nullptr) return call.brief += ": null box", hosterr::BadParameter;
    HostBox2D box;
    std::memcpy(&box, call.args[0], sizeof box);
    call.brief += " " + boxText(box);
    const HostBox2D before = view.window.zoom;
    if (!view.window.show(box)) return call.brief += ": not a box", hosterr::BadParameter;
    activityOf(project, view).earlierZooms.push_back(before);
    call.brief += " => " + boxText(view.window.zoom);
    return hosterr::Ok;
}

GSErrCode zoomBack(Project& project, ViewDatabase& view, SelectorCall& call) {
    call.brief = ViewDatabases::describe(view);
    std::vector<HostBox2D>& earlier = activityOf(project, view).earlierZooms;
    // Going back with nowhere to go leaves the view as it is.
    if (earlier.empty()) return call.brief += ": no earlier zoom", hosterr::Ok;
    view.window.zoom = earlier.back();
    earlier.pop_back();
    call.brief += " => " + boxText(view.window.zoom);
    return hosterr::Ok;
}

GSErrCode redrawElement(Project& project, ViewDatabase& view, SelectorCall& call) {
    GSErrCode err = hosterr::Ok;
    if (elementIn(project, view, call.args[0], call, &err) == nullptr) return err;
    ++activityOf(project, view).redraws;
    return hosterr::Ok;
}

GSErrCode redrawView(Project& project, ViewDatabase& view, SelectorCall& call) {
    call.brief = ViewDatabases::describe(view);
    ++activityOf(project, view).redraws;
    return hosterr::Ok;
}

GSErrCode rebuildView(Project& project, ViewDatabase& view, SelectorCall& call) {
    call.brief = ViewDatabases::describe(view);
    ++activityOf(project, view).rebuilds;
    return hosterr::Ok;
}

GSErrCode rebuildWithRecord(Project& project, ViewDatabase& view, SelectorCall& call) {
    if (call.args[0] == nullptr) return call.brief = "null record", hosterr::BadParameter;
    HostRebuildRecord record;
    std::memcpy(&record, call.args[0], sizeof record);
    GSErrCode err = rebuildView(project, view, call);
    call.brief += " flag " + std::to_string(record.flag);
    return err;
}

GSErrCode queryElement(Project& project, ViewDatabase& view, SelectorCall& call) {
    GSErrCode err = hosterr::Ok;
    return elementIn(project, view, call.args[0], call, &err) == nullptr ? err : hosterr::Ok;
}

bool isComponent(double value) {
    return std::isfinite(value) && value >= 0.0 && value <= 1.0;
}

// "HGEL": a table of Guid to colour (and a pointer to the flag) shows those elements highlighted
// instead of any before; no table takes the highlight away.
GSErrCode highlight(StandInHost& host, SelectorCall& call) {
    Project* project = model::project(host, call.brief);
    if (project == nullptr) return hosterr::NoProject;
    Highlight& shown = project->session.highlight;
    if (call.args[0] == nullptr) {
        call.brief = "clear";
        shown = Highlight();
        return hosterr::Ok;
    }
    const auto& table = *static_cast<const GS::HashTable<API_Guid, HostRGBA>*>(call.args[0]);
    const bool flag = call.args[1] != nullptr && *static_cast<const bool*>(call.args[1]);
    call.brief = std::to_string(table.GetSize()) + " element(s), flag " + (flag ? "1" : "0");
    Highlight next;
    next.flag = flag;
    for (const auto& [guid, colour] : table) {
        if (project->model.views.findElement(guid) == nullptr)
            return call.brief += ": no " + model::guidText(guid), hosterr::BadGuid;
        if (!isComponent(colour.red) || !isComponent(colour.green) || !isComponent(colour.blue) ||
            !isComponent(colour.alpha))
            return call.brief += ": a colour outside 0..1", hosterr::BadParameter;
        next.colours.emplace(guid, colour);
    }
    shown = std::move(next);
    return hosterr::Ok;
}
} // namespace

void registerViewSelectors(StandInHost& host) {
    const struct {
        SelectorTable& table;
        const char code[5];
        ViewHandler handler;
    } selectors[] = {
        {host.databaseCalls(), "GEX2", extent},        {host.databaseCalls(), "GZOM", zoomBox},
        {host.databaseCalls(), "PTOC", pixelToModel},  {host.databaseCalls(), "CTOP", modelToPixel},
        {host.databaseCalls(), "DRWE", redrawElement}, {host.databaseCalls(), "DRDB", redrawView},
        {host.databaseCalls(), "RBDB", rebuildView},   {host.automationCalls(), "ZOOM", zoomTo},
        {host.automationCalls(), "DOOM", zoomBack},    {host.automationCalls(), "RBLD", rebuildWithRecord},
        {host.utilityCalls(), "RPAS", queryElement},
    };
    for (const auto& each : selectors)
        addViewSelector(host, each.table, each.code, each.handler);
    host.interfaceCalls().add("HGEL", [&host](SelectorCall& call) { return highlight(host, call); });
}

} // namespace zavhost
