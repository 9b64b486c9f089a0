// The model's scenario expectations.
#include <cmath>
#include <cstdio>
#include <optional>

#include "DraftingSteps.h"
#include "ElementSummary.h"
#include "ElementTypes.h"
#include "LabelParts.h"
#include "LayerCombinations.h"
#include "ModelCalls.h"
#include "ModelSteps.h"
#include "ModelViewSteps.h"
#include "ObjectSettings.h"
#include "PolyRoofParts.h"
#include "ProfileParts.h"
#include "RecordFields.h"
#include "ScenarioLine.h"
#include "StandInHost.h"
#include "TextBlocks.h"
#include "UserEditSteps.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
bool has(const ModelArgs& args, const char* flag) {
    return args.flags.count(flag) != 0;
}

const std::string* option(const ModelArgs& args, const char* name) {
    auto it = args.options.find(name);
    return it == args.options.end() ? nullptr : &it->second;
}

bool fail(std::string* why, const std::string& reason) {
    *why = reason;
    return false;
}

std::string layerState(uint16_t flags) {
    std::string text = (flags & LayerHidden) ? "hidden" : "shown";
    text += (flags & LayerLocked) ? ", locked" : ", unlocked";
    text += (flags & LayerNotInWorkspace) ? ", not in the workspace" : ", in the workspace";
    return text;
}

std::string viewText(const ViewDatabase& database) {
    if (database.isPlanOrModel()) return ViewDatabases::kindName(database.kind);
    return ViewDatabases::kindName(database.kind) + " " + inQuotes(GS::UniString(database.name).ToCStr());
}

// Who holds the element in a shared project, as the owner words say it: the session's holders,
// else the owner id its record keeps (a reopened project knows only that).
std::string holderText(const Project& project, const StoredElement& element) {
    auto other = project.session.heldByOthers.find(element.guid());
    const uint16_t owner = other != project.session.heldByOthers.end() ? static_cast<uint16_t>(other->second)
                                                                       : element.head().ownerUserId;
    if (owner == 0) return "free";
    return owner == project.model.settings.currentUserId() ? "reserved"
                                                           : "held by user " + std::to_string(owner);
}

std::string userDataText(const StoredElement& element) {
    return element.userData ? inQuotes(element.userData->bytes) : "none";
}

// The two numbers of an option that keeps where they start.
std::pair<double, double> numbersOf(const ModelArgs& args, const std::string& where) {
    const size_t at = std::stoul(where);
    return {args.numbers.at(at), args.numbers.at(at + 1)};
}

bool near(double a, double b) {
    return std::fabs(a - b) <= 1e-6;
}

// Why a text block does not match the text words of the step, or nothing.
std::string textMismatch(const ModelArgs& args, const StoredElement& element) {
    const HostTextElement part = textPartOf(element.record);
    if (const std::string* text = option(args, "text"))
        if (textOf(element.memo).find(*text) == std::string::npos)
            return "its text is " + inQuotes(textOf(element.memo));
    if (const std::string* at = option(args, "at")) {
        auto [x, y] = numbersOf(args, *at);
        const HostCoord2D location =
            element.head().typeCode == LabelTypeCode ? labelPartOf(element.record).leader[0] : part.location;
        if (!near(location.x, x) || !near(location.y, y))
            return "it is at " + numberText(location.x) + " " + numberText(location.y);
    }
    if (const std::string* block = option(args, "block")) {
        auto [width, height] = numbersOf(args, *block);
        if (!near(part.width, width) || !near(part.height, height))
            return "its block is " + numberText(part.width) + " by " + numberText(part.height) + " mm";
    }
    const TextShape shape = textShapeOf(element.memo);
    if (const std::string* runs = option(args, "runs"))
        if (std::to_string(shape.runs) != *runs)
            return "it has " + std::to_string(shape.runs) + " style run(s)";
    if (const std::string* paragraphs = option(args, "paragraphs"))
        if (std::to_string(shape.paragraphs) != *paragraphs)
            return "it has " + std::to_string(shape.paragraphs) + " paragraph(s)";
    return {};
}

// Why the element does not match the words of a label's kind, its storey and a link to it, or nothing.
std::string placementMismatch(const ModelArgs& args, const Project& project, const StoredElement& element,
                              const API_Guid* linkedFrom) {
    const HostElementHead& head = element.head();
    if (const std::string* kind = option(args, "kind")) {
        if (head.typeCode != LabelTypeCode && head.typeCode != ProfileTypeCode)
            return "it is not a label or a shell";
        const std::string actual = head.typeCode == LabelTypeCode
                                       ? labelKindText(labelPartOf(element.record).kind)
                                       : profileKindName(partOf<HostProfileElement>(element.record).subKind);
        if (actual != *kind) return "its kind is " + inQuotes(actual);
    }
    if (const std::string* name = option(args, "on")) {
        const StoredStorey* storey = project.model.storeys.findNamed(*name);
        if (storey == nullptr || storey->index != head.storey)
            return "it is on storey " + std::to_string(head.storey);
    }
    if (linkedFrom != nullptr && project.model.relations.links.count({*linkedFrom, element.guid()}) == 0)
        return "it is not linked from " + inQuotes(*option(args, "linked-from"));
    return nodeOrLinksMismatch(args, project, element);
}

// Why the element does not match the step's element words, or nothing.
std::string mismatch(const ModelArgs& args, const Project& project, const StoredElement& element,
                     const API_Guid* linkedFrom) {
    const HostElementHead& head = element.head();
    if (args.code != 0 && head.typeCode != args.code) return "it is a " + elementTypeName(head.typeCode);
    if (std::string why = placementMismatch(args, project, element, linkedFrom); !why.empty()) return why;
    if (std::string why = polyRoofMismatch(args, element); !why.empty()) return why;
    if (const std::string* name = option(args, "layer")) {
        int16_t layer = project.model.attributes.search(AttrLayer, *name);
        if (layer == 0 || head.layer != static_cast<uint16_t>(layer))
            return "it is on layer " + std::to_string(head.layer);
    }
    if (has(args, "locked") && head.lockWord == 0) return "it is not locked";
    if (has(args, "unlocked") && head.lockWord != 0) return "it is locked";
    if (has(args, "switched-off") && !element.switchedOff) return "it is switched on";
    const std::string holder = holderText(project, element);
    if ((has(args, "reserved") && holder != "reserved") || (has(args, "free") && holder != "free"))
        return "it is " + holder;
    if (const std::string* user = option(args, "held-by"))
        if (holder != "held by user " + *user) return "it is " + holder;
    if (has(args, "with-user-data") && !element.userData) return "it has no user data";
    if (has(args, "no-user-data") && element.userData) return "it has user data " + userDataText(element);
    if (const std::string* text = option(args, "user-data"))
        if (!element.userData || element.userData->bytes.find(*text) == std::string::npos)
            return "its user data is " + userDataText(element);
    if (const std::string* id = option(args, "id"))
        if (element.infoText != *id) return "its ID is " + inQuotes(element.infoText);
    if (std::string why = objectMismatch(args, project, element); !why.empty()) return why;
    if (std::string why = draftingMismatch(args, project, element); !why.empty()) return why;
    return textMismatch(args, element);
}
} // namespace

bool ModelSteps::checkElements(const ModelArgs& args, Project& project, std::string* why) {
    ViewDatabases& views = project.model.views;
    const ViewDatabase* scope = nullptr; // every database
    if (const std::string* name = option(args, "in")) {
        scope = views.findNamed(*name);
        if (scope == nullptr) return fail(why, "there is no view " + inQuotes(*name));
    }
    // The element a link must come from.
    std::optional<API_Guid> linkedFrom;
    if (const std::string* owner = option(args, "linked-from")) {
        std::string missing;
        const StoredElement* from = labelled(project, *owner, &missing);
        if (from == nullptr) return fail(why, missing);
        linkedFrom = from->guid();
    }
    const API_Guid* linkOwner = linkedFrom ? &*linkedFrom : nullptr;
    if (!args.texts.empty()) {
        const std::string& label = args.texts[0];
        std::string missing;
        const ViewDatabase* where = nullptr;
        const StoredElement* element = labelled(project, label, &missing);
        if (element != nullptr) views.findElement(element->guid(), &where);
        if (has(args, "deleted")) return element == nullptr || fail(why, inQuotes(label) + " still exists");
        if (element == nullptr) return fail(why, missing);
        if (scope != nullptr && views.elementsOf(*scope).find(element->guid()) == nullptr)
            return fail(why, inQuotes(label) + " is in the " + viewText(*where));
        std::string reason = mismatch(args, project, *element, linkOwner);
        return reason.empty() || fail(why, inQuotes(label) + ": " + reason + "\n        it holds: " +
                                               elementHoldings(*element) + " in the " + viewText(*where));
    }
    // What the elements of the type asked for hold (of every type when none is asked), beside
    // what the line wanted of them.
    constexpr size_t MostShown = 10;
    size_t count = 0, shown = 0, more = 0;
    std::string seen;
    for (const ViewDatabase& database : views.all()) {
        if (database.kind == DatabaseModel) continue; // it shows the floor plan's
        if (scope != nullptr && &views.elementsOf(*scope) != &database.elements) continue;
        for (const StoredElement* element : database.elements.inOrder()) {
            std::string reason = mismatch(args, project, *element, linkOwner);
            if (reason.empty()) ++count;
            if (args.code != 0 && element->head().typeCode != args.code) continue;
            if (shown == MostShown) {
                ++more;
                continue;
            }
            ++shown;
            seen += "\n        " + elementHoldings(*element) + " in the " + viewText(database) +
                    (reason.empty() ? ": matches" : ": " + reason);
        }
    }
    if (more != 0) seen += "\n        and " + std::to_string(more) + " more";
    if (args.verb == "expect element count") {
        if (count == static_cast<size_t>(*args.count)) return true;
        return fail(why, std::to_string(count) + " element(s) match, not " + std::to_string(*args.count) +
                             (seen.empty() ? std::string("; there are none of the type") : ":" + seen));
    }
    return count != 0 ||
           fail(why, "no element matches" + (seen.empty() ? std::string(": there are none") : ":" + seen));
}

bool ModelSteps::check(const Step& step, std::string* why) {
    Project* project = m_host.project();
    if (project == nullptr) return fail(why, "no project is open");
    const ModelArgs& args = step.model;
    const std::string& verb = args.verb;
    const AttributeStore& attributes = project->model.attributes;
    if (verb == "expect layer" || verb == "expect no-layer") {
        int16_t index = attributes.search(AttrLayer, args.texts[0]);
        if (verb == "expect no-layer")
            return index == 0 ||
                   fail(why, "layer " + inQuotes(args.texts[0]) + " exists as " + std::to_string(index));
        if (index == 0) return fail(why, "there is no layer " + inQuotes(args.texts[0]));
        uint16_t flags = attributes.find(AttrLayer, index)->header().flags;
        auto wrong = [&](const char* word, bool state) { return has(args, word) && !state; };
        if (wrong("hidden", flags & LayerHidden) || wrong("shown", !(flags & LayerHidden)) ||
            wrong("locked", flags & LayerLocked) || wrong("unlocked", !(flags & LayerLocked)) ||
            wrong("not-in-workspace", flags & LayerNotInWorkspace) ||
            wrong("in-workspace", !(flags & LayerNotInWorkspace)))
            return fail(why, "layer " + inQuotes(args.texts[0]) + " is " + layerState(flags));
        return true;
    }
    if (verb == "expect layer-combination") return checkLayerCombination(args, attributes, why);
    if (verb == "expect attribute count" || verb == "expect attribute highest") {
        size_t found =
            verb == "expect attribute count" ? attributes.liveCount(args.code) : attributes.count(args.code);
        return found == static_cast<size_t>(*args.count) ||
               fail(why,
                    std::string(verb == "expect attribute count" ? "there are " : "the highest index is ") +
                        std::to_string(found) + " for " + AttributeStore::typeName(args.code));
    }
    if (verb == "expect attribute" || verb == "expect no-attribute") {
        int16_t index = attributes.search(args.code, args.texts[0]);
        std::string what = AttributeStore::typeName(args.code) + " " + inQuotes(args.texts[0]);
        if (verb == "expect no-attribute")
            return index == 0 || fail(why, what + " exists as " + std::to_string(index));
        if (index == 0) return fail(why, "there is no " + what);
        return !args.count || index == *args.count || fail(why, what + " has index " + std::to_string(index));
    }
    if (verb.rfind("expect element", 0) == 0) return checkElements(args, *project, why);
    const StoreyList& storeys = project->model.storeys;
    if (verb == "expect storey count")
        return storeys.storeys().size() == static_cast<size_t>(*args.count) ||
               fail(why, "there are " + std::to_string(storeys.storeys().size()) + " storey(s)");
    if (verb == "expect storey") {
        const StoredStorey* storey = storeys.findNamed(args.texts[0]);
        if (storey == nullptr) return fail(why, "there is no storey " + inQuotes(args.texts[0]));
        if (!args.numbers.empty() && std::fabs(storey->level - args.numbers[0]) > 1e-9)
            return fail(why, "its level is " + std::to_string(storey->level));
        return !has(args, "current") || storeys.current() == storey->index ||
               fail(why, "the current storey is " + std::to_string(storeys.current()));
    }
    ViewDatabases& views = project->model.views;
    if (verb == "expect view" || verb == "expect no-view") {
        const ViewDatabase* database = views.findNamed(args.texts[0]);
        if (verb == "expect no-view")
            return database == nullptr || fail(why, "the " + viewText(*database) + " exists");
        if (database == nullptr) return fail(why, "there is no view " + inQuotes(args.texts[0]));
        if (args.code != 0 && database->kind != args.code) return fail(why, "it is a " + viewText(*database));
        if (const std::string* reference = option(args, "reference"))
            if (GS::UniString(database->reference).ToCStr() != *reference)
                return fail(why, "its reference is " + inQuotes(GS::UniString(database->reference).ToCStr()));
        if (const std::string* master = option(args, "master")) {
            const ViewDatabase* found = views.findNamed(*master);
            if (found == nullptr || found->guid != database->masterGuid)
                return fail(why, "its master layout is not " + inQuotes(*master));
        }
        return true;
    }
    if (verb == "expect layout") return checkLayoutSheet(args, *project, why);
    if (verb == "expect current-view") {
        const ViewDatabase& current = model::currentDatabase(*project);
        bool ok = has(args, "plan") ? current.kind == DatabasePlan
                  : has(args, "3d") ? current.kind == DatabaseModel
                                    : views.findNamed(args.texts[0]) == &current;
        return ok || fail(why, "the current view is the " + viewText(current));
    }
    if (verb == "expect view-window" || verb == "expect highlight" ||
        (verb == "expect selection" && !args.texts.empty()))
        return checkWindows(args, *project, why);
    if (verb == "expect selection") {
        const ViewDatabase& current = model::currentDatabase(*project);
        size_t count = 0;
        for (const HostSelectionRecord& record : project->session.selectionOf(views.keyOf(current)))
            count += views.elementsOf(current).find(record.guid) != nullptr ? 1 : 0;
        return count == static_cast<size_t>(*args.count) ||
               fail(why, std::to_string(count) + " element(s) are selected in the " + viewText(current));
    }
    if (verb == "expect lockable") {
        auto it = project->session.lockables.find(args.texts[0]);
        int32_t status = it == project->session.lockables.end() ? 0 : it->second;
        int32_t wanted = has(args, "free") ? 1 : has(args, "mine") ? 2 : 3;
        static const char* const names[] = {"unknown", "free", "mine", "others'"};
        return status == wanted ||
               fail(why, inQuotes(args.texts[0]) + " is " + names[status >= 0 && status <= 3 ? status : 0]);
    }
    return fail(why, "not an expectation of the project");
}

} // namespace zavhost
