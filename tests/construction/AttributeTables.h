// Table-driven checks of the construction elements' accessor maps: pens, line types, finishes and
// fills by kind, which record fields each setter writes, and measures that the host answers one
// field at a time. The records are filled through their named fields with distinct indices, so that
// each answer names the field it came from.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "Environment/HostTable.h"
#include "elements/Element.h"
#include "elements/ElementTestSupport.h"
#include "platform/api/AttributeRecords.h"
#include "platform/api/CompositeRecords.h"
#include "project/ComplexProfile.h"
#include "project/Finish.h"
#include "project/LineStyle.h"
#include "project/Material.h"
#include "project/Pattern.h"
#include "project/Pen.h"
#include "project/Plan.h"
#include "project/Storey.h"

namespace tables {

using namespace tarnwick;

// Indices typed into the records' fields.
inline constexpr uint16_t ContourPen = 51;
inline constexpr uint16_t Kind2Pen = 52;
inline constexpr uint16_t Kind3Pen = 53;
inline constexpr uint16_t Kind4Pen = 54;
inline constexpr uint16_t Kind5Pen = 55;
inline constexpr uint16_t Kind6Pen = 56;
inline constexpr uint16_t Kind8Pen = 58;
inline constexpr uint16_t Kind10Pen = 60;
inline constexpr uint16_t CutFillPen = 61;
inline constexpr uint16_t CutFillBackgroundPen = 62;
inline constexpr uint16_t FirstLineType = 91;
inline constexpr uint16_t SecondLineType = 92;
inline constexpr uint16_t FirstFinish = 81;
inline constexpr uint16_t SecondFinish = 82;
inline constexpr uint16_t ThirdFinish = 83;
inline constexpr uint16_t FourthFinish = 84;
inline constexpr uint16_t FifthFinish = 85;
inline constexpr uint16_t OwnFill = 86;
inline constexpr uint16_t ProfileIndex = 87;
inline constexpr uint16_t CompositeIndex = 88;

// The building material the records name: its cut-fill pens, surface and cut fill.
inline constexpr uint16_t MaterialPen = 71;
inline constexpr uint16_t MaterialBackgroundPen = 72;
inline constexpr uint16_t MaterialSurface = 73;
inline constexpr uint16_t MaterialFill = 74;
// A second material (a column's veneer, a composite's last core).
inline constexpr uint16_t OtherPen = 75;
inline constexpr uint16_t OtherBackgroundPen = 76;
inline constexpr uint16_t OtherSurface = 77;
inline constexpr uint16_t OtherFill = 78;

// An override word naming the index, overriding or not.
inline uint32_t overriding(uint16_t index, bool on = true) {
    return (on ? 0x10000u : 0u) | index;
}

// A kind and the attribute index its getter answers (0: none).
struct Row {
    uint32_t kind;
    uint32_t index;
};

inline void expectPens(const Element& element, std::initializer_list<Row> rows, const std::string& what) {
    for (const Row& row : rows) {
        Pen pen(AttributeLink(int16_t(99), AttrPen));
        element.getPen(pen, row.kind);
        EXPECT_EQ(pen.getIndex16(), static_cast<int16_t>(row.index)) << what << ": pen kind " << row.kind;
    }
}

inline void expectLineStyles(const Element& element, std::initializer_list<Row> rows,
                             const std::string& what) {
    for (const Row& row : rows) {
        LineStyle style(AttributeLink(int16_t(99), AttrLineType));
        element.getLineStyle(style, row.kind);
        EXPECT_EQ(style.getIndex16(), static_cast<int16_t>(row.index))
            << what << ": line type kind " << row.kind;
    }
}

inline void expectFinishes(const Element& element, std::initializer_list<Row> rows, const std::string& what) {
    for (const Row& row : rows) {
        Finish finish;
        element.getFinish(finish, row.kind);
        EXPECT_EQ(finish.getIndex16(), static_cast<int16_t>(row.index))
            << what << ": finish kind " << row.kind;
    }
}

// A kind, the attribute type of the pattern it answers and its index; index 0 for none.
struct PatternRow {
    uint32_t kind;
    uint32_t type;
    uint32_t index;
};

inline void expectPatterns(const Element& element, std::initializer_list<PatternRow> rows,
                           const std::string& what) {
    for (const PatternRow& row : rows) {
        std::unique_ptr<Pattern> pattern = element.getPattern(row.kind);
        if (row.index == 0) {
            EXPECT_EQ(pattern, nullptr) << what << ": pattern kind " << row.kind;
            continue;
        }
        ASSERT_NE(pattern, nullptr) << what << ": pattern kind " << row.kind;
        EXPECT_EQ(pattern->getLink().getType(), row.type) << what << ": pattern kind " << row.kind;
        EXPECT_EQ(pattern->getLink().getIndex16(), static_cast<int16_t>(row.index))
            << what << ": pattern kind " << row.kind;
    }
}

inline int16_t materialOf(const Element& element) {
    Material material;
    element.getMaterial(material);
    return material.getLink().getIndex16();
}

inline int16_t profileOf(const Element& element) {
    ComplexProfile profile;
    element.getComplexProfile(profile);
    return profile.getLink().getIndex16();
}

using WrittenRows = std::vector<std::pair<uint32_t, std::vector<std::string>>>;

// Which of the named fields a setter writes, kind by kind: every field starts at `before`, the
// setter runs for the kind and exactly the fields of the kind's row read `after` afterwards.
template <class Field> struct Writes {
    std::vector<std::pair<std::string, std::function<Field&()>>> fields;

    void expect(const std::function<void(uint32_t kind)>& set, const WrittenRows& rows, Field before,
                Field after, const std::string& what) const {
        for (const auto& [kind, written] : rows) {
            for (const auto& field : fields)
                field.second() = before;
            set(kind);
            for (const auto& [name, field] : fields) {
                const bool expected = std::find(written.begin(), written.end(), name) != written.end();
                EXPECT_EQ(field(), expected ? after : before) << what << ": kind " << kind << " " << name;
            }
        }
    }
};

// A record's field under the name a Writes row gives it.
template <class Field>
std::pair<std::string, std::function<Field&()>> recordField(const std::string& name, Field& at) {
    return {name, [&at]() -> Field& { return at; }};
}

// The setters below write index 40 by kind into fields that read 2 before.
inline void expectPenWrites(Element& element, const Writes<uint16_t>& fields, const WrittenRows& rows,
                            const std::string& what) {
    fields.expect([&](uint32_t kind) { element.setPen(Pen(AttributeLink(int16_t(40), AttrPen)), kind); },
                  rows, 2, 40, what);
}

inline void expectLineTypeWrites(Element& element, const Writes<uint16_t>& fields, const WrittenRows& rows,
                                 const std::string& what) {
    fields.expect(
        [&](uint32_t kind) {
            element.setLineStyle(LineStyle(AttributeLink(int16_t(40), AttrLineType)), kind);
        },
        rows, 2, 40, what);
}

// The finish given by kind, the fields of each row reading `written` afterwards.
template <class Field>
void expectFinishWrites(Element& element, const Finish& finish, const Writes<Field>& fields,
                        const WrittenRows& rows, std::type_identity_t<Field> written,
                        const std::string& what) {
    fields.expect([&](uint32_t kind) { element.setFinish(finish, kind); }, rows, 2, written, what);
}

// A finish index given with its override bit and without, and the word each writes.
inline const std::pair<uint32_t, uint32_t> FinishForms[] = {{0x10028, overriding(40)}, {40, 40}};

// --- Measures. The twelve measures of an element by number.
inline double measure(Element& element, int number) {
    switch (number) {
    case 1:
        return element.getMeasureA();
    case 2:
        return element.getMeasureB();
    case 3:
        return element.getMeasureC();
    case 4:
        return element.getSurfaceArea();
    case 5:
        return element.getMeasureD();
    case 6:
        return element.getMeasureE();
    case 7:
        return element.getMeasureF();
    case 8:
        return element.getMeasureG();
    case 9:
        return element.getOutlineHoleCount();
    case 10:
        return element.getMeasureH();
    case 11:
        return element.getMeasureI();
    case 12:
        return element.getMeasureJ();
    default:
        return -1.0;
    }
}

// While it lives, the host's quantity call is answered here: a field asked for reads 1000 plus its
// offset (a double for 8 bytes, a 32-bit integer for 4), so that each value names its field. The
// fields each call asked for are kept.
class QuantityProbe {
public:
    struct Field {
        size_t offset;
        size_t size;
    };

    QuantityProbe() : m_saved(hostTable()) {
        HostFunctionTable table = m_saved;
        table.GetElementQuantities = &answer;
        installHostTable(&table);
        calls().clear();
    }
    ~QuantityProbe() { installHostTable(&m_saved); }
    QuantityProbe(const QuantityProbe&) = delete;
    QuantityProbe& operator=(const QuantityProbe&) = delete;

    static double valueAt(size_t offset) { return 1000.0 + static_cast<double>(offset); }
    // The fields of each call since the last look.
    std::vector<std::vector<Field>> take() {
        std::vector<std::vector<Field>> taken;
        taken.swap(calls());
        return taken;
    }

    // Runs the operation and answers the one double field it asked for alone; -1 when it asked for
    // none, several, or one of another size, or answered something else than that field holds.
    template <class Operation> long oneField(Operation&& operation, std::string& problem) {
        calls().clear();
        const double value = operation();
        std::vector<std::vector<Field>> asked = take();
        if (asked.size() != 1 || asked[0].size() != 1) {
            problem = "asked " + std::to_string(asked.size()) + " time(s)";
            return -1;
        }
        const Field field = asked[0][0];
        const double expected = field.size == sizeof(double)
                                    ? valueAt(field.offset)
                                    : static_cast<double>(int32_t(1000 + field.offset));
        if (value != expected) {
            problem = "answered " + std::to_string(value) + ", not its field's " + std::to_string(expected);
            return -1;
        }
        return static_cast<long>(field.offset);
    }

private:
    static std::vector<std::vector<Field>>& calls() {
        static std::vector<std::vector<Field>> made;
        return made;
    }
    static GSErrCode answer(const API_Guid*, const HostQuantityParameters*, HostQuantityRequest* request,
                            const uint8_t* mask) {
        std::vector<Field> fields;
        std::memset(request->elementBlock, 0, HostQuantityBlockSize);
        for (size_t at = 0; at < HostQuantityBlockSize;) {
            if (mask[at] == 0) {
                ++at;
                continue;
            }
            size_t end = at;
            while (end < HostQuantityBlockSize && mask[end] != 0)
                ++end;
            fields.push_back({at, end - at});
            if (end - at == sizeof(double)) {
                const double value = valueAt(at);
                std::memcpy(request->elementBlock + at, &value, sizeof value);
            } else if (end - at == sizeof(int32_t)) {
                const int32_t value = int32_t(1000 + at);
                std::memcpy(request->elementBlock + at, &value, sizeof value);
            }
            at = end;
        }
        calls().push_back(fields);
        return 0;
    }

    HostFunctionTable m_saved;
};

// How a measure is answered.
struct MeasureRow {
    enum Kind {
        Field,    // one double field of the kind's quantity record, at the offset given
        OwnField, // one field of its own, not asked for by any other measure of the table
        Same,     // the value of the measure numbered in `value`
        Value,    // this value, without asking the host
        Answer,   // this value, whatever the host was asked
    };
    const char* name;
    std::function<double(Element&)> operation;
    Kind kind;
    double value;
};

inline MeasureRow byNumber(int number, MeasureRow::Kind kind, double value = 0.0) {
    return {nullptr, [number](Element& e) { return measure(e, number); }, kind, value};
}

inline void expectMeasures(Element& element, const std::vector<MeasureRow>& rows, const std::string& what) {
    QuantityProbe probe;
    std::map<long, std::string> owners;
    std::vector<double> answers(rows.size(), 0.0);
    for (size_t i = 0; i < rows.size(); ++i) {
        const MeasureRow& row = rows[i];
        const std::string name = row.name != nullptr ? row.name : "measure " + std::to_string(i + 1);
        if (row.kind == MeasureRow::Field || row.kind == MeasureRow::OwnField) {
            std::string problem;
            const long offset = probe.oneField([&] { return row.operation(element); }, problem);
            EXPECT_GE(offset, 0) << what << ": " << name << " " << problem;
            if (row.kind == MeasureRow::Field) {
                EXPECT_EQ(offset, static_cast<long>(row.value)) << what << ": " << name;
            }
            if (offset >= 0) {
                auto [at, fresh] = owners.emplace(offset, name);
                EXPECT_TRUE(fresh) << what << ": " << name << " asks the field of " << at->second;
            }
            continue;
        }
        (void)probe.take();
        answers[i] = row.operation(element);
        if (row.kind == MeasureRow::Value || row.kind == MeasureRow::Answer) {
            EXPECT_DOUBLE_EQ(answers[i], row.value) << what << ": " << name;
        }
        if (row.kind == MeasureRow::Value) {
            EXPECT_TRUE(probe.take().empty()) << what << ": " << name << " asked the host";
        }
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].kind != MeasureRow::Same) continue;
        const std::string name = rows[i].name != nullptr ? rows[i].name : "measure " + std::to_string(i + 1);
        const size_t other = static_cast<size_t>(rows[i].value) - 1;
        (void)probe.take();
        EXPECT_DOUBLE_EQ(answers[i], measure(element, static_cast<int>(other + 1))) << what << ": " << name;
    }
}

// --- Attributes in the host's project.

class TableTest : public elementtest::HostTest {
protected:
    // A building material of the four values, its index.
    int16_t addMaterial(const char* name, uint16_t pen, uint16_t background, uint16_t surface,
                        uint16_t fill) {
        API_Attribute record;
        record.header.typeCode = AttrBuildingMaterial;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", name);
        record.material.fillPen = static_cast<int16_t>(pen);
        record.material.backgroundPen = static_cast<int16_t>(background);
        record.material.surface = static_cast<int16_t>(surface);
        record.material.fill = static_cast<int16_t>(fill);
        if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
        return static_cast<int16_t>(record.header.index);
    }
    int16_t addMaterial() {
        return addMaterial("Brick", MaterialPen, MaterialBackgroundPen, MaterialSurface, MaterialFill);
    }
    int16_t addOtherMaterial() {
        return addMaterial("Render", OtherPen, OtherBackgroundPen, OtherSurface, OtherFill);
    }

    // A composite of the cores (one edge more than cores), or of none.
    int16_t addComposite(const char* name, const std::vector<HostCompositeCore>& cores) {
        API_Attribute record;
        record.header.typeCode = AttrComposite;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", name);
        if (host.project()->model.attributes.create(&record, nullptr) != hosterr::Ok) return 0;
        zavhost::StoredAttribute* stored =
            host.project()->model.attributes.edit(AttrComposite, record.header.index);
        if (!cores.empty()) {
            stored->memo[offsetof(HostAttributeMemo, coreList)].bytes = std::string(
                reinterpret_cast<const char*>(cores.data()), cores.size() * sizeof(HostCompositeCore));
            const std::vector<HostCompositeEdge> edges(cores.size() + 1);
            stored->memo[offsetof(HostAttributeMemo, edgeList)].bytes = std::string(
                reinterpret_cast<const char*>(edges.data()), edges.size() * sizeof(HostCompositeEdge));
        }
        return static_cast<int16_t>(record.header.index);
    }

    // The plan's storey of the index (the host's first floor, 1, stands at 3.0).
    Storey& storey(uint16_t index) {
        Storey* found = Host::getPlan()->getStorey(index);
        EXPECT_NE(found, nullptr);
        return *found;
    }
    // A link on the plan's first floor for an element of the type.
    ElementLink onFirstFloor(uint8_t type, uint32_t variation = 0) {
        ElementLink link(ElementLink::makeTypeId(type, static_cast<uint8_t>(variation)), Host::getPlan(),
                         variation);
        link.getHome().setStorey(storey(1));
        return link;
    }
};

} // namespace tables
