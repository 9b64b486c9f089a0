#include "IfcStore.h"

#include <algorithm>

#include "CallForwarding.h"
#include "ModelCalls.h"
#include "Project.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"

namespace zavhost {

namespace {

// The element's IFC data, or null with err set: no project, an unknown element, a null argument.
ElementIfc* elementIfc(StandInHost& host, const API_Guid* guid, const void* argument, GSErrCode* err,
                       std::string& brief) {
    if (guid == nullptr) return brief = "null Guid", *err = hosterr::BadParameter, nullptr;
    brief = model::guidText(*guid);
    Project* project = model::project(host, brief);
    if (project == nullptr) return *err = hosterr::NoProject, nullptr;
    if (project->model.views.findElement(*guid) == nullptr) return *err = hosterr::BadGuid, nullptr;
    if (argument == nullptr) return *err = hosterr::BadParameter, nullptr;
    return &project->model.ifc.elements[*guid];
}

bool sameProperty(const API_IFCProperty& a, const API_IFCProperty& b) {
    return a.propertyName == b.propertyName && a.propertySetName == b.propertySetName;
}

template <class Call> GSErrCode forward(const char* function, Call call) {
    StandInHost* h = forwarding::host();
    if (h == nullptr) return hosterr::Failed;
    std::string brief;
    GSErrCode err = call(*h, brief);
    return forwarding::logged(function, std::move(brief), err);
}

template <class T> void fill(GS::Array<T>* out, const std::vector<T>& items, std::string& brief) {
    out->Clear();
    for (const T& item : items)
        out->Push(item);
    brief += " => " + std::to_string(items.size());
}

GSErrCode getIFCProperties(const API_Guid* guid, bool storedOnly, GS::Array<API_IFCProperty>* out) {
    return forward("GetIFCProperties", [&](StandInHost& h, std::string& b) {
        return ifccalls::properties(h, guid, storedOnly, out, b);
    });
}
GSErrCode getIFCAttributes(const API_Guid* guid, bool storedOnly, GS::Array<API_IFCAttribute>* out) {
    return forward("GetIFCAttributes", [&](StandInHost& h, std::string& b) {
        return ifccalls::attributes(h, guid, storedOnly, out, b);
    });
}
GSErrCode getIFCClassificationReferences(const API_Guid* guid, bool storedOnly,
                                         GS::Array<API_IFCClassificationReference>* out) {
    return forward("GetIFCClassificationReferences", [&](StandInHost& h, std::string& b) {
        return ifccalls::references(h, guid, storedOnly, out, b);
    });
}
GSErrCode setIFCProperty(const API_Guid* guid, const API_IFCProperty* property) {
    return forward("SetIFCProperty", [&](StandInHost& h, std::string& b) {
        return ifccalls::setProperty(h, guid, property, b);
    });
}
GSErrCode setIFCAttribute(const API_Guid* guid, const API_IFCAttribute* attribute) {
    return forward("SetIFCAttribute", [&](StandInHost& h, std::string& b) {
        return ifccalls::setAttribute(h, guid, attribute, b);
    });
}
GSErrCode removeIFCProperty(const API_Guid* guid, const API_IFCProperty* property) {
    return forward("RemoveIFCProperty", [&](StandInHost& h, std::string& b) {
        return ifccalls::removeProperty(h, guid, property, b);
    });
}

} // namespace

namespace ifccalls {

GSErrCode properties(StandInHost& host, const API_Guid* guid, bool, GS::Array<API_IFCProperty>* out,
                     std::string& brief) {
    GSErrCode err = hosterr::Ok;
    ElementIfc* ifc = elementIfc(host, guid, out, &err, brief);
    if (ifc == nullptr) return err;
    fill(out, ifc->properties, brief);
    return hosterr::Ok;
}

GSErrCode attributes(StandInHost& host, const API_Guid* guid, bool storedOnly,
                     GS::Array<API_IFCAttribute>* out, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    ElementIfc* ifc = elementIfc(host, guid, out, &err, brief);
    if (ifc == nullptr) return err;
    std::vector<API_IFCAttribute> items = ifc->attributes;
    GS::UniString globalId("GlobalId");
    bool stored = std::any_of(items.begin(), items.end(),
                              [&](const API_IFCAttribute& a) { return a.attributeName == globalId; });
    if (!storedOnly && !stored) {
        // The host derives an element's GlobalId from its Guid.
        API_IFCAttribute derived;
        derived.attributeName = globalId;
        derived.attributeType = GS::UniString("IfcGloballyUniqueId");
        derived.attributeValue = GS::UniString(model::guidText(*guid).c_str());
        derived.hasValue = 1;
        items.insert(items.begin(), derived);
    }
    fill(out, items, brief);
    return hosterr::Ok;
}

GSErrCode references(StandInHost& host, const API_Guid* guid, bool,
                     GS::Array<API_IFCClassificationReference>* out, std::string& brief) {
    GSErrCode err = hosterr::Ok;
    ElementIfc* ifc = elementIfc(host, guid, out, &err, brief);
    if (ifc == nullptr) return err;
    fill(out, ifc->references, brief);
    return hosterr::Ok;
}

GSErrCode setProperty(StandInHost& host, const API_Guid* guid, const API_IFCProperty* property,
                      std::string& brief) {
    GSErrCode err = hosterr::Ok;
    ElementIfc* ifc = elementIfc(host, guid, property, &err, brief);
    if (ifc == nullptr) return err;
    brief += " " + property->propertySetName.ToCStr() + "/" + property->propertyName.ToCStr();
    if (property->propertyName.IsEmpty() || property->propertySetName.IsEmpty()) return hosterr::BadParameter;
    auto& items = ifc->properties;
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const API_IFCProperty& p) { return sameProperty(p, *property); });
    if (it != items.end())
        *it = *property;
    else
        items.push_back(*property);
    return hosterr::Ok;
}

GSErrCode setAttribute(StandInHost& host, const API_Guid* guid, const API_IFCAttribute* attribute,
                       std::string& brief) {
    GSErrCode err = hosterr::Ok;
    ElementIfc* ifc = elementIfc(host, guid, attribute, &err, brief);
    if (ifc == nullptr) return err;
    brief += " " + attribute->attributeName.ToCStr();
    if (attribute->attributeName.IsEmpty()) return hosterr::BadParameter;
    auto& items = ifc->attributes;
    auto it = std::find_if(items.begin(), items.end(), [&](const API_IFCAttribute& a) {
        return a.attributeName == attribute->attributeName;
    });
    if (it != items.end())
        *it = *attribute;
    else
        items.push_back(*attribute);
    return hosterr::Ok;
}

GSErrCode removeProperty(StandInHost& host, const API_Guid* guid, const API_IFCProperty* property,
                         std::string& brief) {
    GSErrCode err = hosterr::Ok;
    ElementIfc* ifc = elementIfc(host, guid, property, &err, brief);
    if (ifc == nullptr) return err;
    brief += " " + property->propertySetName.ToCStr() + "/" + property->propertyName.ToCStr();
    auto& items = ifc->properties;
    auto it = std::find_if(items.begin(), items.end(),
                           [&](const API_IFCProperty& p) { return sameProperty(p, *property); });
    if (it == items.end()) return hosterr::NotFound;
    items.erase(it);
    return hosterr::Ok;
}

void install(HostFunctionTable* table) {
    table->GetIFCProperties = getIFCProperties;
    table->GetIFCAttributes = getIFCAttributes;
    table->GetIFCClassificationReferences = getIFCClassificationReferences;
    table->SetIFCProperty = setIFCProperty;
    table->SetIFCAttribute = setIFCAttribute;
    table->RemoveIFCProperty = removeIFCProperty;
}

} // namespace ifccalls

} // namespace zavhost
