// The IFC data the stand-in keeps per element: properties by set and name, attributes by name,
// classification references, as the module stored them.
#pragma once

#include <string>
#include <vector>

#include "ElementStore.h"
#include "PersistentMap.h"
#include "platform/api/HostFunctionTable.h"
#include "platform/api/IFCRecords.h"

namespace zavhost {

class StandInHost;

struct ElementIfc {
    std::vector<API_IFCProperty> properties;
    std::vector<API_IFCAttribute> attributes;
    std::vector<API_IFCClassificationReference> references;
};

struct IfcStore {
    PersistentMap<API_Guid, ElementIfc, GuidLess> elements; // shared with undo steps until changed
    // Equal when both would be saved alike.
    bool operator==(const IfcStore& other) const;
};

namespace ifccalls {
GSErrCode properties(StandInHost& host, const API_Guid* guid, bool storedOnly,
                     GS::Array<API_IFCProperty>* out, std::string& brief);
GSErrCode attributes(StandInHost& host, const API_Guid* guid, bool storedOnly,
                     GS::Array<API_IFCAttribute>* out, std::string& brief);
GSErrCode references(StandInHost& host, const API_Guid* guid, bool storedOnly,
                     GS::Array<API_IFCClassificationReference>* out, std::string& brief);
GSErrCode setProperty(StandInHost& host, const API_Guid* guid, const API_IFCProperty* property,
                      std::string& brief);
GSErrCode setAttribute(StandInHost& host, const API_Guid* guid, const API_IFCAttribute* attribute,
                       std::string& brief);
GSErrCode removeProperty(StandInHost& host, const API_Guid* guid, const API_IFCProperty* property,
                         std::string& brief);
void install(HostFunctionTable* table);
} // namespace ifccalls

} // namespace zavhost
