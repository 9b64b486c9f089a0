// The host's IFC records of an element: properties with their values, attributes and
// classification references. The host publishes no layout for them; fields keep their order.
#pragma once

#include <cstdint>

#include "platform/gsroot/Containers.h"
#include "platform/gsroot/UniString.h"

struct API_IFCPropertyValue {
    GS::UniString valueType;   // the IFC type name, e.g. "IfcLabel"
    int32_t primitiveType = 0; // 1 real, 2 Boolean, 3 integer, 4 text
    bool boolValue = false;
    int64_t intValue = 0;
    double doubleValue = 0.0;
    GS::UniString stringValue;
};

struct API_IFCProperty {
    int32_t propertyType = 0; // 0 single, 1 list, 2 bounded, 3 enumerated, 4 table, 5 date
    GS::UniString propertyName;
    GS::UniString propertySetName;
    GS::UniString description;
    uint8_t flag = 0;

    API_IFCPropertyValue singleValue;
    GS::Array<API_IFCPropertyValue> listValues;
    API_IFCPropertyValue lowerBound;
    API_IFCPropertyValue upperBound;
    GS::Array<API_IFCPropertyValue> enumerationValues;
    GS::Array<API_IFCPropertyValue> selectedValues;
    GS::Array<API_IFCPropertyValue> definingValues; // a table's keys
    GS::Array<API_IFCPropertyValue> definedValues;  // a table's values, row by row
    int32_t referenceKind = 0;                      // 0 a calendar date
    uint16_t day = 0;
    uint16_t month = 0;
    uint16_t year = 0;
};

struct API_IFCAttribute {
    GS::UniString attributeName;
    GS::UniString attributeType;
    GS::UniString attributeValue;
    uint8_t hasValue = 0;
    uint8_t flag = 0;
};

struct API_IFCClassificationReference {
    GS::UniString location;
    GS::UniString itemReference;
    GS::UniString name;
    uint8_t locationSet = 0;
    uint8_t itemReferenceSet = 0;
    uint8_t nameSet = 0;
    GS::UniString classificationSource;
    GS::UniString classificationEdition;
    GS::UniString classificationName;
};
