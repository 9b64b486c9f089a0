// The parameter kinds whose values are attribute indices (0: none): pens, fills, materials and
// line types. The script writer names an attribute through such a parameter instead of a fixed
// index, so that the user can change it later; lookup finds, or makes, the parameter and the row
// for one attribute.
#pragma once

#include <stdexcept>
#include <string_view>
#include <utility>

#include "Environment/NumberText.h"
#include "library/ParameterKinds.h"
#include "library/ParameterList.h"
#include "project/Attribute.h"
#include "project/Fill.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/Pen.h"

namespace tarnwick {

template <class Self, class Attr, uint32_t Code>
class AttributeParameter : public ParameterKind<Self, IntegerParameter, Code> {
    using Kind = ParameterKind<Self, IntegerParameter, Code>;

public:
    // Lookup modes besides a count of digits (n > 0, or below -4 for every digit).
    enum Mode : int32_t { NoneMode = -4, NoneMode2 = -3, ExactMode = -2, SingleMode = -1, ArrayMode = 0 };

    using Kind::Kind;

    // An array when rows > 1, columns > 1 or isArray; every cell holds the attribute's index.
    // Throws std::out_of_range past MaxCells.
    AttributeParameter(const String& name, const String& description, const Attribute& attribute,
                       uint16_t flags, uint64_t rows, uint64_t columns, bool isArray)
        : Kind(name, description, flags, columns, 0, rows > 1 || columns > 1 || isArray) {
        const short index = attribute.getIndex16();
        if (this->isArray() && !this->addRows(std::max<uint64_t>(rows, 1))) throw std::out_of_range("");
        for (uint64_t r = 0; r < this->getRowCount(); ++r)
            for (uint64_t c = 0; c < this->getColumnCount(); ++c)
                this->storeValue(index, r, c);
    }

    // The attribute of cell (0, 0), of the given attribute database.
    std::unique_ptr<Attr> getAttribute(Specification& specification) const {
        return std::make_unique<Attr>(
            AttributeLink(static_cast<int16_t>(this->getValue(0, 0)), Attr::TypeCode, &specification));
    }

    // The parameter of the list that names the attribute, with the row written in position; null
    // (position 0) when the mode uses none, there is no list or name, or (mode -2) no parameter
    // of exactly that name. A parameter made here belongs to the list.
    //   -1: the single value of exactly that name, made when missing;
    //   0, or -2 finding an array: one row per distinct index of an array (the first row while it
    //      holds 0), made when missing; null when a single value found cannot take the index;
    //   n > 0, or below -4: "name1", "name2", ...: the first whose cell is 0 or the index, else a
    //      new one numbered one past the highest (n digits of the number read; below -4, all).
    static Self* lookup(const Attribute& attribute, ParameterList* list, const String& name,
                        const String& description, int32_t mode, uint64_t& position) {
        position = 0;
        if (list == nullptr || name.isEmpty() || mode == NoneMode || mode == NoneMode2) return nullptr;
        const short index = attribute.getIndex16();
        if (mode == ExactMode || mode == SingleMode) {
            Self* found = nullptr;
            for (uint64_t i = 0; i < list->getCount() && found == nullptr; ++i) {
                auto* kind = dynamic_cast<Self*>(list->at(i));
                if (kind != nullptr && kind->getName() == name) found = kind;
            }
            if (found == nullptr)
                return mode == ExactMode ? nullptr : adopt(*list, name, description, attribute, false);
            if (mode == ExactMode && found->isArray()) return inArray(*found, index, position);
            found->storeValue(index, 0, 0);
            return found;
        }
        if (mode == ArrayMode) {
            if (auto* found = dynamic_cast<Self*>(list->find(name))) return inArray(*found, index, position);
            return adopt(*list, name, description, attribute, true);
        }
        return numbered(attribute, *list, name, description, mode);
    }

private:
    static Self* adopt(ParameterList& list, const String& name, const String& description,
                       const Attribute& attribute, bool isArray) {
        auto made = std::make_unique<Self>(name, description, attribute, 0, 1, 1, isArray);
        Self* kept = made.get();
        list.append(std::move(made));
        return kept;
    }

    static Self* inArray(Self& found, short index, uint64_t& position) {
        const Self& cells = found;
        uint64_t row = 0;
        if (cells.getValue(0, 0) != 0) {
            row = cells.getRowCount();
            for (uint64_t r = 0; r < cells.getRowCount(); ++r) {
                if (cells.getValue(r, 0) == index) {
                    row = r;
                    break;
                }
            }
        }
        // A single value has no second row: the caller writes the plain index instead.
        if (row != 0 && !found.isArray()) return nullptr;
        found.storeValue(index, row, 0);
        position = row;
        return &found;
    }

    static Self* numbered(const Attribute& attribute, ParameterList& list, const String& name,
                          const String& description, int32_t digits) {
        const short index = attribute.getIndex16();
        const std::string_view prefix = name.view();
        uint64_t highest = 0;
        for (uint64_t i = 0; i < list.getCount(); ++i) {
            auto* kind = dynamic_cast<Self*>(list.at(i));
            if (kind == nullptr || kind->getName().view().substr(0, prefix.size()) != prefix) continue;
            const short cell = std::as_const(*kind).getValue(0, 0);
            if (cell == 0 || cell == index) {
                kind->storeValue(index, 0, 0);
                return kind;
            }
            const String suffix =
                kind->getName().substring(name.getLength(), digits > 0 ? size_t(digits) : String::npos);
            bool valid = false;
            const uint32_t number = parseUInt(suffix, &valid);
            if (valid) highest = std::max<uint64_t>(highest, number);
        }
        return adopt(list, name + String(static_cast<unsigned long long>(highest + 1)), description,
                     attribute, false);
    }
};

class PenParameter : public AttributeParameter<PenParameter, Pen, 11> {
public:
    using AttributeParameter::AttributeParameter;
};

class FillParameter : public AttributeParameter<FillParameter, Fill, 10> {
public:
    using AttributeParameter::AttributeParameter;
};

class FinishParameter : public AttributeParameter<FinishParameter, Finish, 9> {
public:
    using AttributeParameter::AttributeParameter;
};

class LineStyleParameter : public AttributeParameter<LineStyleParameter, LineStyle, 8> {
public:
    using AttributeParameter::AttributeParameter;
};

} // namespace tarnwick
