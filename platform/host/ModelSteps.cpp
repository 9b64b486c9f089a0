#include "ModelSteps.h"

#include <algorithm>
#include <cstring>

#include "BeamColumnParts.h"
#include "CurtainWallParts.h"
#include "DraftingSteps.h"
#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "LabelParts.h"
#include "LibraryPartPlacement.h"
#include "MeshParts.h"
#include "Model3DSteps.h"
#include "ModelCalls.h"
#include "ModelViewSteps.h"
#include "OpeningParts.h"
#include "ParameterExchange.h"
#include "PolyRoofParts.h"
#include "ProfileParts.h"
#include "RecordFields.h"
#include "SkylightParts.h"
#include "SlabParts.h"
#include "StandInHost.h"
#include "TextBlocks.h"
#include "UserEditSteps.h"
#include "WallParts.h"
#include "ZoneParts.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
constexpr uint16_t thisPlatform = 0x5757;
constexpr uint16_t otherPlatform = 0x4D4D;
constexpr uint32_t productUserDataFlags = 12;

GSErrCode refuse(std::string* why, const std::string& reason, GSErrCode code = hosterr::BadParameter) {
    *why = reason;
    return code;
}

bool has(const ModelArgs& args, const char* flag) {
    return args.flags.count(flag) != 0;
}

const std::string* option(const ModelArgs& args, const char* name) {
    auto it = args.options.find(name);
    return it == args.options.end() ? nullptr : &it->second;
}

std::string viewText(const ViewDatabase& database) {
    if (database.isPlanOrModel()) return ViewDatabases::kindName(database.kind);
    return ViewDatabases::kindName(database.kind) + " " + inQuotes(GS::UniString(database.name).ToCStr());
}

StoredUserData userDataOf(const std::string& text, bool fromOtherPlatform) {
    return {1, fromOtherPlatform ? otherPlatform : thisPlatform, productUserDataFlags, text};
}

API_Attribute namedRecord(uint32_t type, const std::string& name) {
    API_Attribute record;
    record.header.typeCode = type;
    std::memcpy(record.header.name, name.data(), std::min(name.size(), sizeof record.header.name - 1));
    return record;
}

// A layer's flags from the words of a step: every word sets or clears its bit.
uint16_t layerFlags(uint16_t flags, const ModelArgs& args) {
    auto apply = [&flags, &args](const char* set, const char* clear, uint16_t bit) {
        if (has(args, set)) flags |= bit;
        if (clear != nullptr && has(args, clear)) flags &= static_cast<uint16_t>(~bit);
    };
    apply("hidden", "shown", LayerHidden);
    apply("locked", "unlocked", LayerLocked);
    apply("not-in-workspace", "in-workspace", LayerNotInWorkspace);
    return flags;
}

void setBytes(API_Element* record, size_t offset, const void* data, size_t size) {
    std::memcpy(record->raw + offset, data, size);
}

// The polygon memo of points: index 0 unused, the points from 1, the first repeated to close it.
void setPolygon(StoredMemo* memo, const std::vector<double>& numbers) {
    std::vector<HostCoord2D> coords{{0.0, 0.0}};
    for (size_t i = 0; i + 1 < numbers.size(); i += 2)
        coords.push_back({numbers[i], numbers[i + 1]});
    coords.push_back(coords[1]);
    const uint32_t ends[2] = {0, static_cast<uint32_t>(coords.size() - 1)};
    StoredBlock points, contourEnds;
    points.bytes.assign(reinterpret_cast<const char*>(coords.data()), coords.size() * sizeof(HostCoord2D));
    contourEnds.bytes.assign(reinterpret_cast<const char*>(ends), sizeof ends);
    memo->blocks[offsetof(API_ElementMemo, coordinates)] = std::move(points);
    memo->blocks[offsetof(API_ElementMemo, subPolygonEnds)] = std::move(contourEnds);
}
} // namespace

const StoredElement* ModelSteps::labelled(Project& project, const std::string& label, std::string* why) {
    auto it = m_labels.find(label);
    if (it == m_labels.end()) return *why = "no element is labelled " + inQuotes(label), nullptr;
    const StoredElement* element = project.model.views.findElement(it->second);
    if (element == nullptr) *why = "the element " + inQuotes(label) + " is gone";
    return element;
}

GSErrCode ModelSteps::act(const Step& step, std::string* why) {
    Project* project = m_host.project();
    if (project == nullptr) return refuse(why, "no project is open", hosterr::NoProject);
    const ModelArgs& args = step.model;
    const std::string& verb = args.verb;
    if (verb.rfind("layer", 0) == 0 || verb.rfind("attribute", 0) == 0)
        return actOnAttributes(args, *project, why);
    if (verb.rfind("storey", 0) == 0 || verb.rfind("view", 0) == 0) return actOnViews(args, *project, why);
    if (verb == "element link") return linkElements(*this, args, *project, why);
    if (verb.rfind("element", 0) == 0 || verb == "select") return actOnElements(args, *project, why);
    if (verb == "layout") return setLayoutSheet(args, *project, why);
    if (verb.rfind("3d ", 0) == 0)
        return act3D(args, *project, verb == "3d element" ? labelled(*project, args.texts[0], why) : nullptr,
                     why);
    if (verb == "lockable") {
        project->session.lockables[args.texts[0]] = has(args, "free") ? 1 : has(args, "mine") ? 2 : 3;
        return hosterr::Ok;
    }
    ProjectSettings& settings = project->model.settings;
    if (verb == "project shared") {
        settings.shared = true;
        settings.users.clear();
        for (const std::string& name : args.texts) {
            SharedUser user{name, name, newGuid(), static_cast<uint16_t>(settings.users.size() + 1), 0};
            settings.users.push_back(std::move(user));
        }
        m_host.transcript().note("the project is shared; this host's user is " + inQuotes(args.texts[0]));
        return hosterr::Ok;
    }
    settings.shared = false;
    settings.users.clear();
    project->session.heldByOthers.clear();
    return hosterr::Ok;
}

GSErrCode ModelSteps::actOnAttributes(const ModelArgs& args, Project& project, std::string* why) {
    AttributeStore& attributes = project.model.attributes;
    const std::string& verb = args.verb;
    const uint32_t type = verb.rfind("layer", 0) == 0 ? uint32_t(AttrLayer) : args.code;
    const std::string& name = args.texts[0];
    const int16_t index = attributes.search(type, name);
    const std::string what = AttributeStore::typeName(type) + " " + inQuotes(name);
    if (verb == "layer add" || verb == "attribute add") {
        if (index != 0) return refuse(why, "a " + what + " exists already");
        API_Attribute record = namedRecord(type, name);
        if (type == AttrLayer) record.header.flags = layerFlags(0, args);
        if (type == AttrPen) record.pen.width = 0.1;
        GSErrCode err = attributes.create(&record, nullptr);
        if (err != hosterr::Ok) return refuse(why, "cannot add the " + what, err);
        m_host.transcript().note(what + " added as " + std::to_string(record.header.index));
        return hosterr::Ok;
    }
    if (index == 0) return refuse(why, "there is no " + what, hosterr::NotFound);
    if (verb == "attribute delete") {
        attributes.remove(type, index);
        return hosterr::Ok;
    }
    StoredAttribute* stored = attributes.edit(type, index);
    if (verb == "layer set")
        stored->record.header.flags = layerFlags(stored->record.header.flags, args);
    else // attribute user-data
        stored->userData = userDataOf(args.texts[1], has(args, "other-platform"));
    return hosterr::Ok;
}

GSErrCode ModelSteps::actOnViews(const ModelArgs& args, Project& project, std::string* why) {
    const std::string& verb = args.verb;
    ViewDatabases& views = project.model.views;
    StoreyList& storeys = project.model.storeys;
    if (verb == "storey add") {
        bool added = args.count
                         ? storeys.add(args.texts[0], args.numbers[0], static_cast<int16_t>(*args.count), why)
                         : storeys.add(args.texts[0], args.numbers[0], why);
        return added ? hosterr::Ok : hosterr::BadParameter;
    }
    if (verb == "storey current" || (verb == "view current" && has(args, "plan") && !args.texts.empty())) {
        const StoredStorey* storey = storeys.findNamed(args.texts[0]);
        if (storey == nullptr)
            return refuse(why, "there is no storey " + inQuotes(args.texts[0]), hosterr::NotFound);
        storeys.setCurrent(storey->index);
        if (verb == "storey current") return hosterr::Ok;
    }
    if (verb == "view add") {
        if (views.findNamed(args.texts[0]) != nullptr)
            return refuse(why, "a view named " + inQuotes(args.texts[0]) + " exists already");
        API_Guid master;
        if (const std::string* name = option(args, "master")) {
            const ViewDatabase* found = views.findNamed(*name);
            if (found == nullptr || found->kind != DatabaseMasterLayout)
                return refuse(why, "there is no master layout " + inQuotes(*name), hosterr::NotFound);
            master = found->guid;
        }
        ViewDatabase* added = views.add(args.code, GS::Utf8ToUtf16(args.texts[0]));
        added->masterGuid = master;
        if (const std::string* reference = option(args, "reference"))
            added->reference = GS::Utf8ToUtf16(*reference);
        m_host.transcript().note(viewText(*added) + " added");
        return hosterr::Ok;
    }
    ViewDatabase* database = has(args, "plan") ? &views.plan()
                             : has(args, "3d") ? views.find({DatabaseModel, {}})
                                               : views.findNamed(args.texts[0]);
    if (database == nullptr)
        return refuse(why, "there is no view " + inQuotes(args.texts[0]), hosterr::NotFound);
    if (verb == "view current") {
        project.session.current = project.session.frontWindow = views.keyOf(*database);
        return hosterr::Ok;
    }
    if (verb == "view zoom" || verb == "view pixels" || verb == "view scale")
        return actOnWindow(args, *database, why);
    // view delete
    if (database->isPlanOrModel())
        return refuse(why, "the floor plan and the 3D model cannot go", hosterr::Refused);
    model::deleteView(project, database->guid);
    return hosterr::Ok;
}

GSErrCode ModelSteps::actOnElements(const ModelArgs& args, Project& project, std::string* why) {
    const std::string& verb = args.verb;
    ViewDatabases& views = project.model.views;
    if (verb == "element add") return addElement(args, project, why);
    if (verb == "element find") {
        const ViewDatabase* database = &model::currentDatabase(project);
        if (const std::string* name = option(args, "in")) database = views.findNamed(*name);
        if (database == nullptr)
            return refuse(why, "there is no view " + inQuotes(*option(args, "in")), hosterr::NotFound);
        const StoredElement* last = nullptr;
        for (const StoredElement* element : views.elementsOf(*database).inOrder())
            if (element->head().typeCode == args.code) last = element;
        if (last == nullptr)
            return refuse(why, "no " + elementTypeName(args.code) + " in the " + viewText(*database),
                          hosterr::NotFound);
        m_labels[*option(args, "as")] = last->guid();
        return hosterr::Ok;
    }
    if (verb == "select") {
        ViewDatabase& database = model::currentDatabase(project);
        std::vector<HostSelectionRecord> records;
        for (const std::string& label : args.texts) {
            const StoredElement* element = labelled(project, label, why);
            if (element == nullptr) return hosterr::NotFound;
            if (views.elementsOf(database).find(element->guid()) == nullptr)
                return refuse(why, inQuotes(label) + " is not in the " + viewText(database),
                              hosterr::BadGuid);
            HostSelectionRecord record;
            record.selectionKind = selectionKindOfType(element->head().typeCode);
            record.guid = element->guid();
            record.partIndex = 1;
            records.push_back(record);
        }
        project.session.selectionOf(views.keyOf(database)).assign(records);
        return hosterr::Ok;
    }
    const StoredElement* element = labelled(project, args.texts[0], why);
    if (element == nullptr) return hosterr::NotFound;
    if (verb == "element delete") {
        model::deleteElement(project, element->guid());
        return hosterr::Ok;
    }
    return setElement(args, project, *views.editElement(element->guid()), why);
}

namespace {

// One cell of the element's memo parameters: row R of an array (first column), or the value.
GSErrCode setParameterCell(const ModelArgs& args, const std::string& name, StoredElement& element,
                           std::string* why) {
    auto found = element.memo.blocks.find(static_cast<uint32_t>(offsetof(API_ElementMemo, parameters)));
    if (found == element.memo.blocks.end()) return refuse(why, "it has no parameters", hosterr::NotFound);
    HostParameterChange change;
    if (name.size() >= sizeof change.name)
        return refuse(why, "no parameter has so long a name", hosterr::NotFound);
    std::memcpy(change.name, name.data(), name.size());
    if (const std::string* row = option(args, "set-row")) {
        change.row = std::stoi(*row);
        change.column = 1;
    }
    const std::string& value = *option(args, "set-value");
    std::u16string text;
    if (value[0] == 't') {
        text = GS::Utf8ToUtf16(value.substr(1));
        text.resize(255);
        change.text = text.data();
    } else {
        change.value = std::stod(value.substr(1));
    }
    GSErrCode err = changeParameterCell(found->second, change);
    if (err == hosterr::NotFound) return refuse(why, "it has no parameter " + inQuotes(name), err);
    if (err != hosterr::Ok) return refuse(why, "its " + inQuotes(name) + " has no such cell", err);
    return hosterr::Ok;
}

} // namespace

GSErrCode ModelSteps::setElement(const ModelArgs& args, Project& project, StoredElement& element,
                                 std::string* why) {
    HostElementHead& head = element.record.head;
    if (const std::string* name = option(args, "layer")) {
        int16_t layer = project.model.attributes.search(AttrLayer, *name);
        if (layer == 0) return refuse(why, "there is no layer " + inQuotes(*name), hosterr::NotFound);
        head.layer = static_cast<uint16_t>(layer);
    }
    if (const std::string* id = option(args, "id")) element.infoText = *id;
    if (const std::string* data = option(args, "with-user-data"))
        element.userData = userDataOf(*data, has(args, "other-platform"));
    if (has(args, "no-user-data")) element.userData.reset();
    if (has(args, "locked")) head.lockWord = 1;
    if (has(args, "unlocked")) head.lockWord = 0;
    if (has(args, "reserved")) head.ownerUserId = project.model.settings.currentUserId();
    if (has(args, "free")) {
        project.session.heldByOthers.erase(element.guid());
        head.ownerUserId = 0;
    }
    if (const std::string* name = option(args, "set-parameter")) {
        if (GSErrCode err = setParameterCell(args, *name, element, why); err != hosterr::Ok) return err;
    }
    if (args.count) {
        if (!project.model.settings.shared) return refuse(why, "the project is not shared", hosterr::Refused);
        project.session.heldByOthers[element.guid()] = static_cast<int16_t>(*args.count);
        head.ownerUserId = static_cast<uint16_t>(*args.count);
    }
    return hosterr::Ok;
}

GSErrCode ModelSteps::addElement(const ModelArgs& args, Project& project, std::string* why) {
    ViewDatabases& views = project.model.views;
    ViewDatabase* database = &model::currentDatabase(project);
    if (const std::string* name = option(args, "in")) {
        database = views.findNamed(*name);
        if (database == nullptr) return refuse(why, "there is no view " + inQuotes(*name), hosterr::NotFound);
    }
    StoredElement element;
    HostElementHead& head = element.record.head;
    head.typeCode = args.code;
    const API_Element defaults = project.model.defaults.get(args.code, 0).record;
    head.layer = defaults.head.layer;
    if (args.code == TextTypeCode) {
        HostTextElement settings = textPartOf(defaults);
        settings.head = head;
        setTextPart(element.record, settings);
    } else if (args.code == LabelTypeCode) {
        HostLabelElement settings = labelPartOf(defaults);
        settings.head = head;
        setLabelPart(element.record, settings);
    } else if (args.code == WallTypeCode) {
        startWall(element.record, defaults, args.options.count("polygon") != 0);
    } else if (args.code == HostCurtainWallTypeCode) {
        const HostCurtainWallElement line = partOf<HostCurtainWallElement>(defaults);
        startCurtainWall(element, defaults, line.begin, line.end);
    } else if (args.code == ProfileTypeCode) {
        const uint32_t kind = args.flags.count("morph") != 0   ? HostMorphSubKind
                              : args.flags.count("sweep") != 0 ? HostSweepSubKind
                                                               : HostExtrusionSubKind;
        startProfile(element.record, project.model.defaults.get(args.code, kind).record);
    } else if (hasBorderedOutline(args.code)) {
        startSlab(element.record, defaults);
    } else {
        (void)startPlacedRecord(element.record, defaults);
    }
    startDraftingRecord(project, element);
    if (database->isPlanOrModel()) {
        head.storey = project.model.storeys.current();
        if (const std::string* name = option(args, "on")) {
            const StoredStorey* storey = project.model.storeys.findNamed(*name);
            if (storey == nullptr)
                return refuse(why, "there is no storey " + inQuotes(*name), hosterr::NotFound);
            head.storey = storey->index;
        }
    }
    head.guid = newGuid();
    size_t at = 0; // the next of the step's numbers
    if (args.options.count("at") != 0) {
        const HostCoord2D point{args.numbers[at], args.numbers[at + 1]};
        at += 2;
        if (args.code == TextTypeCode)
            setBytes(&element.record, TextLocationOffset, &point, sizeof point);
        else if (args.code == LabelTypeCode)
            for (size_t leader = 0; leader < 3; ++leader)
                setBytes(&element.record, LabelLeaderOffset + leader * sizeof point, &point, sizeof point);
        else if (!setPlacedPoint(element.record, point))
            element.nodes.push_back({point.x, point.y, 0.0});
    }
    if (args.options.count("from") != 0) {
        const HostCoord2D begin{args.numbers[at], args.numbers[at + 1]},
            end{args.numbers[at + 2], args.numbers[at + 3]};
        at += 4;
        if (args.code == WallTypeCode) {
            setWallLine(element.record, begin, end);
        } else if (args.code == BeamTypeCode) {
            setBeamLine(element.record, begin, end);
        } else if (args.code == HostCurtainWallTypeCode) {
            startCurtainWall(element, defaults, begin, end);
        } else {
            setBytes(&element.record, LineBeginOffset, &begin, sizeof begin);
            setBytes(&element.record, LineEndOffset, &end, sizeof end);
        }
    }
    if (args.options.count("polygon") != 0)
        setPolygon(&element.memo,
                   std::vector<double>(args.numbers.begin() + static_cast<long>(at), args.numbers.end()));
    if (std::string problem = startMesh(args, element); !problem.empty()) return refuse(why, problem);
    if (args.code == ZoneTypeCode) {
        if (args.options.count("polygon") == 0) return refuse(why, "a zone needs polygon X Y X Y X Y ...");
        startZone(project, element, project.model.defaults.get(ZoneTypeCode, 0));
    }
    const std::string* text = option(args, "text");
    if (args.code == TextTypeCode) {
        // The host keeps no text block without text.
        element.memo = makeTextMemo(text != nullptr ? *text : std::string("Text"), element.record);
    } else if (text != nullptr && args.code == LabelTypeCode) {
        element.memo = makeLabelMemo(*text, element.record);
    } else if (text != nullptr) {
        StoredBlock content;
        content.bytes = *text + '\0';
        element.memo.blocks[offsetof(API_ElementMemo, textContent)] = std::move(content);
    }
    if (const std::string* label = option(args, "of")) {
        const StoredElement* shown = labelled(project, *label, why);
        if (shown == nullptr) return hosterr::NotFound;
        const uint32_t kind = database->kind;
        if (kind != DatabaseSection && kind != DatabaseElevation && kind != DatabaseInteriorElevation &&
            kind != Database3DDocument)
            return refuse(why, "proxies stand in sections, elevations and 3D documents, not in the " +
                                   viewText(*database));
        HostProxyElement proxy;
        std::memcpy(static_cast<void*>(&proxy), element.record.raw, sizeof proxy);
        proxy.showsElement = 1;
        proxy.elementGuid = shown->guid();
        proxy.elementType = shown->head().typeCode;
        proxy.elementVariation = shown->head().variation;
        std::memcpy(element.record.raw, &proxy, sizeof proxy);
    }
    if (isWallOpening(args.code)) {
        const std::string* wallLabel = option(args, "wall");
        if (wallLabel == nullptr) return refuse(why, "a window or door needs wall \"LABEL\"");
        const StoredElement* wall = labelled(project, *wallLabel, why);
        if (wall == nullptr) return hosterr::NotFound;
        if (views.elementsOf(*database).find(wall->guid()) == nullptr)
            return refuse(why, inQuotes(*wallLabel) + " is not in the " + viewText(*database),
                          hosterr::BadGuid);
        const std::string* position = option(args, "position");
        if (std::string problem =
                placeOpening(element, defaults, *wall, position != nullptr ? std::stod(*position) : 0.0);
            !problem.empty())
            return refuse(why, problem);
    }
    if (args.code == SkylightTypeCode) {
        const std::string* roofLabel = option(args, "roof");
        if (roofLabel == nullptr) return refuse(why, "a skylight needs roof \"LABEL\"");
        const StoredElement* roof = labelled(project, *roofLabel, why);
        if (roof == nullptr) return hosterr::NotFound;
        if (views.elementsOf(*database).find(roof->guid()) == nullptr)
            return refuse(why, inQuotes(*roofLabel) + " is not in the " + viewText(*database),
                          hosterr::BadGuid);
        const HostCoord3D anchor = partOf<HostSkylightElement>(element.record).anchor;
        if (std::string problem = placeSkylight(element, defaults, *roof, {anchor.x, anchor.y});
            !problem.empty())
            return refuse(why, problem);
    }
    if (const std::string* part = option(args, "part"))
        if (std::string problem = placeNamedPart(project.library, element, *part); !problem.empty())
            return refuse(why, problem, hosterr::NotFound);
    GSErrCode err = applyDraftingWords(args, project, element, why);
    if (err == hosterr::Ok)
        if (std::string problem = startPolyRoof(args, element); !problem.empty()) err = refuse(why, problem);
    if (err == hosterr::Ok) err = markShownView(args, project, element.record, why);
    if (err == hosterr::Ok) err = setElement(args, project, element, why);
    if (err != hosterr::Ok) return err;
    const API_Guid guid = head.guid;
    const std::string what = elementTypeName(args.code);
    views.elementsOf(*database).add(std::move(element));
    if (isWallOpening(args.code))
        attachOpening(views.elementsOf(*database), *views.elementsOf(*database).find(guid));
    if (args.code == HostCurtainWallTypeCode)
        addCurtainWallParts(views.elementsOf(*database), *views.elementsOf(*database).find(guid));
    if (const std::string* label = option(args, "as")) m_labels[*label] = guid;
    m_host.transcript().note(what + " added to the " + viewText(*database));
    return hosterr::Ok;
}

} // namespace zavhost
