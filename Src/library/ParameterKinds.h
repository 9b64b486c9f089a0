// The parameter kinds: a value form with the host's parameter type code (1 integer, 2 length,
// 3 angle, 4 real, 5 light switch, 6 colour, 7 intensity, 8 line type, 9 material, 10 fill,
// 11 pen, 12 text, 13 boolean, 14 separator, 15 title). LongParameter shares code 1 with
// IntegerParameter; it is made only for the parameters of add-on commands.
#pragma once

#include "library/ParameterForm.h"

namespace tarnwick {

// What every kind adds to its base: its copy and its code.
template <class Self, class Base, uint32_t Code> class ParameterKind : public Base {
public:
    static constexpr uint32_t TypeCode = Code;

    using Base::Base;

    std::unique_ptr<Parameter> clone() const override {
        return std::make_unique<Self>(static_cast<const Self&>(*this));
    }
    uint32_t getType() const override { return Code; }
};

// The constructors every valued kind offers: in code (an array when columns > 1 or isArray),
// and from the two host records (the values are read separately).
#define TARNWICK_PARAMETER_CONSTRUCTORS(Kind, Base)                                                          \
    Kind(const String& name, const String& description = String(), uint16_t flags = 0, uint64_t columns = 0, \
         uint16_t index = 0, bool isArray = false)                                                           \
        : Base(name, description, flags, columns, index, isArray) {}                                         \
    explicit Kind(const HostAdditionalParameter& record) : Base(record) {}                                   \
    explicit Kind(const HostCommandParameter& record) : Base(record) {}

class IntegerParameter : public ParameterKind<IntegerParameter, ParameterForm<short>, 1> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(IntegerParameter, ParameterKind)
};

class LongParameter : public ParameterKind<LongParameter, ParameterForm<int>, 1> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(LongParameter, ParameterKind)
};

class RealParameter : public ParameterKind<RealParameter, ParameterForm<double>, 4> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(RealParameter, ParameterKind)
};

class LengthParameter : public ParameterKind<LengthParameter, RealParameter, 2> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(LengthParameter, ParameterKind)
    // A LengthSetting.
    std::unique_ptr<Setting> getValueSetting(uint64_t row, uint64_t col) const override;
};

class AngleParameter : public ParameterKind<AngleParameter, RealParameter, 3> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(AngleParameter, ParameterKind)
};

class IntensityParameter : public ParameterKind<IntensityParameter, RealParameter, 7> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(IntensityParameter, ParameterKind)
};

// Text "1" and "0"; from text, "0" and "false" (any letter case) are false, anything else true.
class BooleanParameter : public ParameterKind<BooleanParameter, ParameterForm<bool>, 13> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(BooleanParameter, ParameterKind)
};

class SwitchParameter : public ParameterKind<SwitchParameter, BooleanParameter, 5> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(SwitchParameter, ParameterKind)
};

class ColourParameter : public ParameterKind<ColourParameter, IntegerParameter, 6> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(ColourParameter, ParameterKind)
};

class StringParameter : public ParameterKind<StringParameter, ParameterForm<String>, 12> {
public:
    TARNWICK_PARAMETER_CONSTRUCTORS(StringParameter, ParameterKind)
};

// The two kinds that only structure a part's parameter list: no values, one row, never resized;
// equal to any parameter of their code. A reset keeps the name and description (a title's name
// is what it shows).
template <class Self, uint32_t Code> class ValuelessParameter : public Parameter {
public:
    static constexpr uint32_t TypeCode = Code;

    ValuelessParameter(const String& name, const String& description = String(), uint16_t flags = 0,
                       uint16_t index = 0)
        : Parameter(name, description, flags, 0, index, false) {}
    explicit ValuelessParameter(const HostAdditionalParameter& record) : Parameter(record) {}

    std::unique_ptr<Parameter> clone() const override {
        return std::make_unique<Self>(static_cast<const Self&>(*this));
    }
    String getValueText(uint64_t, uint64_t) const override { return String(); }
    uint32_t getType() const override { return Code; }
    int32_t getCommandKind() const override { return CommandParameterInteger; }
    bool setRowCount(uint64_t) override { return false; }
    bool setColumnCount(uint64_t) override { return false; }
    void setValueText(const String&, uint64_t, uint64_t) override {}
    void setValue(const Setting&, uint64_t, uint64_t) override {}
    bool assign(const Parameter& other, bool, bool) override { return other.getType() == Code; }
    void resetValues() override {}
    void mergeChanges(const Parameter&, const Parameter&) override {}
    bool equals(const Parameter& other) const override { return other.getType() == Code; }
    bool writeCommandValue(HostCommandParameter&) const override { return true; }
    bool writeChangeValue(HostParameterChange&, uint64_t, uint64_t) const override { return true; }
    bool writeHostValue(HostAdditionalParameter&) const override { return true; }
    bool readCommandValue(const HostCommandParameter&) override { return true; }
    bool readHostValue(const HostAdditionalParameter&) override { return true; }
    bool addRows(uint64_t) override { return false; }
};

class SeparatorParameter : public ValuelessParameter<SeparatorParameter, 14> {
public:
    using ValuelessParameter::ValuelessParameter;
};

class TitleParameter : public ValuelessParameter<TitleParameter, 15> {
public:
    using ValuelessParameter::ValuelessParameter;
};

} // namespace tarnwick
