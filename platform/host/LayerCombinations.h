// Layer combinations as the host keeps them: the layer status records of their memo checked when
// the module stores one, and the scenario's expectation of what a combination remembers.
#pragma once

#include <string>

#include "AttributeStore.h"
#include "Scenario.h"

namespace zavhost {

// Why the host refuses the memo given with an attribute record, or empty. A layer combination's
// status block must hold whole 8-byte records, each naming a layer of the project once.
std::string attributeMemoFault(const AttributeStore& attributes, const API_Attribute& record,
                               const HostAttributeMemo* memo);

// "expect layer-combination": the combination exists, holds (and its record counts) N layer
// states, and holds the state given of the layer named.
bool checkLayerCombination(const ModelArgs& args, const AttributeStore& attributes, std::string* why);

} // namespace zavhost
