// The three records that carry library-part parameters across the function table: the
// additional-parameter record (a part's parameter table, always as a handle of consecutive
// records), the parameter-change record (one cell of the change protocol) and the
// command-parameter record (a parameter travelling with an add-on command). Host fields the
// module does not use are kept as zeroed reserved bytes.
#pragma once

#include <cstddef>

#include "HostRecords.h"
#include "HostTypes.h"

// Value forms of the additional-parameter record.
enum HostParameterValueForm : uint16_t {
    ParameterSingleValue = 0,
    ParameterArrayValue = 2,
};

// Kinds of the command-parameter record.
enum HostCommandParameterKind : int32_t {
    CommandParameterText = 1,
    CommandParameterInteger = 2,
    CommandParameterReal = 3,
};

// The value of an additional-parameter record: which member holds it follows from the type code
// and the value form.
union HostParameterValue {
    double real;        // a single number or switch
    char16_t text[256]; // a single text, NUL-terminated
    // An array: doubles in row-major order, or for text every value as UTF-16 followed by a NUL.
    GSHandle array;
    HostParameterValue() : text{} {}
};
static_assert(sizeof(HostParameterValue) == 512);

struct HostAdditionalParameter {
    uint32_t typeCode = 0; // 1..15
    uint16_t index = 0;    // position in the part's parameter table
    uint16_t valueForm = ParameterSingleValue;
    char name[32] = {}; // 8-bit, NUL-padded
    char16_t description[256] = {};
    uint32_t firstDimension = 0;  // rows
    uint32_t secondDimension = 0; // columns
    uint16_t flags = 0;
    uint8_t reserved[6] = {};
    HostParameterValue value;
};
static_assert(sizeof(HostAdditionalParameter) == 1080);
static_assert(offsetof(HostAdditionalParameter, name) == 8 &&
              offsetof(HostAdditionalParameter, description) == 40);
static_assert(offsetof(HostAdditionalParameter, firstDimension) == 552 &&
              offsetof(HostAdditionalParameter, flags) == 560 &&
              offsetof(HostAdditionalParameter, value) == 568);

// Rows and columns count from 1 for an array cell and are 0 for a single value.
struct HostParameterChange {
    char name[32] = {};
    int32_t index = 0;
    int32_t row = 0;
    int32_t column = 0;
    uint8_t reserved[4] = {};
    char16_t* text = nullptr; // a 256-character buffer the sender keeps until the call returns
    double value = 0.0;
};
static_assert(sizeof(HostParameterChange) == 64 && offsetof(HostParameterChange, text) == 48);

// Name and text are pointer blocks made by the writer, which frees them after the host call.
struct HostCommandParameter {
    int32_t index = 0; // writing: the parameter's index; reading: the 1-based position asked for
    uint8_t reserved0[4] = {};
    GSPtr name = nullptr; // NUL-terminated
    int32_t kind = 0;     // HostCommandParameterKind
    uint8_t flag = 0;
    uint8_t reserved1[3] = {};
    int32_t integer = 0;
    uint8_t reserved2[4] = {};
    double real = 0.0;
    GSPtr text = nullptr; // NUL-terminated
};
static_assert(sizeof(HostCommandParameter) == 48 && offsetof(HostCommandParameter, real) == 32);

// Names whose parameters the change exchange ("OPAR") works on: a placed element of a part, or,
// with a null Guid, the part's own defaults. An element not placed yet is named by its type and
// variation with the new-element flag.
struct HostParameterOwner {
    uint32_t libIndex = 0;
    uint16_t typeCode = 0;
    uint8_t newElement = 0;
    uint8_t reserved = 0;
    API_Guid guid;
    uint32_t variation = 0;
    uint32_t reserved1 = 0;
};
static_assert(offsetof(HostParameterOwner, guid) == 8 && offsetof(HostParameterOwner, variation) == 24);

// What "GPAR" answers: the part's default sizes and a new handle of additional-parameter records
// with the values as they stand after the changes (the caller disposes of it).
struct HostParameterSet {
    double a = 0.0;
    double b = 0.0;
    GSHandle parameters = nullptr;
};
