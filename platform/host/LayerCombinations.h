// Layer combinations as the host keeps them: the layer status records of their memo checked when
// the module stores one, and the scenario's expectation of what a combination remembers.
#pragma once

#include <string>

#include "AttributeStore.h"
#include "Scenario.h"

namespace zavhost {

// Why the host refuses a layer combination's status block, or empty: it must hold whole 8-byte
// records, each naming a layer of the project once.
std::string layerStatesFault(const AttributeStore& attributes, const HostAttributeMemo& memo);

// "expect layer-combination": the combination exists, holds (and its record counts) N layer
// states, and holds the state given of the layer named.
bool checkLayerCombination(const ModelArgs& args, const AttributeStore& attributes, std::string* why);

} // namespace zavhost
