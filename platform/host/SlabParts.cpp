#include "SlabParts.h"

#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <sstream>
#include <vector>

#include "ElementGeometry.h"
#include "RecordFields.h"
#include "Scenario.h"
#include "ScenarioLine.h"
#include "StoredBlocks.h"

namespace zavhost {

namespace {

constexpr uint32_t RecordsField = offsetof(API_ElementMemo, edgeRecords);
constexpr uint32_t ValuesField = offsetof(API_ElementMemo, edgeValues);
constexpr uint32_t OverridesField = offsetof(API_ElementMemo, sideOverrides);
constexpr uint32_t ArcsField = offsetof(API_ElementMemo, arcs);
constexpr char WordMark = '|';

template <class Part> void startFrom(API_Element& record, const API_Element& defaults) {
    const HostElementHead head = record.head;
    Part part = partOf<Part>(defaults);
    part.head = head;
    setPart(record, part);
}

// The stored indices each edge ends at, edges numbered from 1: the outline's, then each hole's. The
// closing edge of a contour also stands at its first stored point.
std::vector<std::vector<size_t>> edgeSlots(const StoredMemo& memo) {
    std::vector<std::vector<size_t>> slots;
    size_t start = 1;
    for (const auto& contour : contoursOf(memo)) {
        for (size_t i = 1; i < contour.size(); ++i) {
            std::vector<size_t> at{start + i};
            if (i + 1 == contour.size()) at.push_back(start);
            slots.push_back(at);
        }
        start += contour.size();
    }
    return slots;
}

size_t storedPoints(const StoredMemo& memo) {
    size_t points = 0;
    for (const auto& contour : contoursOf(memo))
        points += contour.size();
    return points;
}

std::vector<std::vector<double>> wordsOf(const ModelArgs& args, const char* name) {
    std::vector<std::vector<double>> words;
    auto it = args.options.find(name);
    if (it == args.options.end()) return words;
    std::stringstream each(it->second);
    for (std::string word; std::getline(each, word, WordMark);) {
        std::istringstream in(word);
        std::vector<double> numbers;
        for (double n; in >> n;)
            numbers.push_back(n);
        words.push_back(numbers);
    }
    return words;
}

// The block of the field with entries of the width, one per stored point and index 0; made when
// missing, grown when short.
std::string& entriesOf(StoredMemo& memo, uint32_t field, bool pointer, size_t width, size_t entries) {
    StoredBlock& block = memo.blocks[field];
    block.isPointer = pointer;
    if (block.bytes.size() < entries * width) block.bytes.resize(entries * width, '\0');
    return block.bytes;
}

template <class T> bool entryAt(const StoredMemo& memo, uint32_t field, size_t index, T& out) {
    auto it = memo.blocks.find(field);
    if (it == memo.blocks.end() || (index + 1) * sizeof(T) > it->second.bytes.size()) return false;
    std::memcpy(static_cast<void*>(&out), it->second.bytes.data() + index * sizeof(T), sizeof(T));
    return true;
}

std::string edgeText(size_t edge) {
    return "edge " + std::to_string(edge);
}

} // namespace

bool setDefaultSlabSettings(API_Element& record) {
    if (record.head.typeCode == SlabTypeCode) {
        HostSlabElement slab = partOf<HostSlabElement>(record);
        slab.pen = slab.kind10Pen = slab.kind6Pen = slab.kind8Pen = 1;
        slab.cutFillPen = 1;
        slab.cutFillBackgroundPen = 2;
        slab.lineType = 1;
        slab.material = 1;
        slab.thickness = 0.3;
        setPart(record, slab);
        return true;
    }
    if (record.head.typeCode != RoofTypeCode) return false;
    HostShelterElement roof = partOf<HostShelterElement>(record);
    roof.pen = roof.kind10Pen = roof.kind6Pen = roof.kind8Pen = roof.kind5Pen = 1;
    roof.cutFillPen = 1;
    roof.cutFillBackgroundPen = 2;
    roof.lineType = 1;
    roof.material = 1;
    roof.slopeAngle = std::numbers::pi / 6.0;
    setPart(record, roof);
    return true;
}

void startSlab(API_Element& record, const API_Element& defaults) {
    if (record.head.typeCode == SlabTypeCode)
        startFrom<HostSlabElement>(record, defaults);
    else if (record.head.typeCode == RoofTypeCode)
        startFrom<HostShelterElement>(record, defaults);
}

void countSlabOutline(StoredElement& element) {
    const auto contours = contoursOf(element.memo);
    auto arcs = element.memo.blocks.find(ArcsField);
    const auto coordinates = static_cast<uint32_t>(storedPoints(element.memo));
    const auto ends = static_cast<uint32_t>(contours.size());
    const auto arcCount = static_cast<uint32_t>(
        arcs == element.memo.blocks.end() ? 0 : arcs->second.bytes.size() / sizeof(HostPolygonArc));
    if (element.head().typeCode == SlabTypeCode) {
        HostSlabElement slab = partOf<HostSlabElement>(element.record);
        slab.coordinateCount = coordinates, slab.endCount = ends, slab.arcCount = arcCount;
        setPart(element.record, slab);
    } else if (element.head().typeCode == RoofTypeCode) {
        HostShelterElement roof = partOf<HostShelterElement>(element.record);
        roof.coordinateCount = coordinates, roof.endCount = ends, roof.arcCount = arcCount;
        setPart(element.record, roof);
    }
}

size_t fillSlabQuantities(const StoredElement& element, const uint8_t* mask, uint8_t* block) {
    const double area = areaOf(element);
    std::vector<std::pair<size_t, double>> values;
    size_t fixedFrom = 0, fixedTo = 0;
    if (element.head().typeCode == SlabTypeCode) {
        const double thickness = partOf<HostSlabElement>(element.record).thickness;
        values = {{offsetof(HostSlabQuantities, slabMeasure2), area},
                  {offsetof(HostSlabQuantities, slabMeasure1), area},
                  {offsetof(HostSlabQuantities, slabMeasure3), area * thickness},
                  {offsetof(HostSlabQuantities, perimeter), lengthOf(element)}};
        fixedTo = offsetof(HostSlabQuantities, reserved);
    } else {
        // The surface along the slope; a vertical roof has none.
        const double cosine = std::cos(partOf<HostShelterElement>(element.record).slopeAngle);
        values = {
            {offsetof(HostShelterQuantities, measure2), area},
            {offsetof(HostShelterQuantities, measure1), std::fabs(cosine) > 1e-5 ? area / cosine : 0.0}};
        fixedTo = offsetof(HostShelterQuantities, reserved);
    }
    size_t filled = 0;
    for (size_t offset = fixedFrom; offset < fixedTo; offset += sizeof(double)) {
        if (!fieldAsked(mask, offset)) continue;
        double value = 3000.0 + static_cast<double>(offset);
        for (const auto& [at, measured] : values)
            if (at == offset) value = measured;
        std::memcpy(block + offset, &value, sizeof value);
        ++filled;
    }
    return filled;
}

std::string edgeArraysProblem(const StoredMemo& result, const StoredMemo& given, uint64_t mask) {
    struct Array {
        uint32_t field;
        bool pointer;
        size_t width;
        const char* name;
    };
    static constexpr Array arrays[] = {{RecordsField, false, sizeof(HostEdgeRecord), "edge records"},
                                       {ValuesField, true, sizeof(uint32_t), "edge values"},
                                       {OverridesField, true, sizeof(HostSideOverride), "side overrides"}};
    const size_t entries = storedPoints(result) + 1;
    for (const Array& array : arrays) {
        auto it = given.blocks.find(array.field);
        if (it == given.blocks.end() || (memoPartOfField(array.field) & mask) == 0) continue;
        const std::string name = array.name;
        if (it->second.isPointer != array.pointer)
            return name + (array.pointer ? " are not a pointer block" : " are not a handle");
        if (entries == 1) return name + " without an outline";
        if (it->second.bytes.size() != entries * array.width)
            return name + " of " + std::to_string(it->second.bytes.size()) + " bytes for " +
                   std::to_string(entries) + " entries of " + std::to_string(array.width);
    }
    return {};
}

bool parseEdgeWord(LineReader& in, ModelArgs& args) {
    std::string numbers;
    const char* name = nullptr;
    auto add = [&](int64_t value) { numbers += std::to_string(value) + ' '; };
    if (in.word("edge-record")) {
        name = "edge-record";
        add(in.number("an edge number", 1, UINT32_MAX));
        add(in.number("the record's field", 0, UINT32_MAX));
        add(in.number("the record's value", 0, UINT32_MAX));
        add(in.number("the record's wide value", 0, INT32_MAX));
    } else if (in.word("edge-value")) {
        name = "edge-value";
        add(in.number("an edge number", 1, UINT32_MAX));
        add(in.number("the edge's value", 0, UINT32_MAX));
    } else if (in.word("side-override")) {
        name = "side-override";
        add(in.number("an edge number", 1, UINT32_MAX));
        add(in.number("a surface index", 0, UINT16_MAX));
    } else {
        return false;
    }
    args.options[name] += numbers + WordMark;
    return true;
}

std::string applyEdgeWords(const ModelArgs& args, StoredElement& element) {
    const auto records = wordsOf(args, "edge-record");
    const auto values = wordsOf(args, "edge-value");
    const auto overrides = wordsOf(args, "side-override");
    if (records.empty() && values.empty() && overrides.empty()) return {};
    const uint32_t type = element.head().typeCode;
    if (!hasBorderedOutline(type)) return "edge data are a slab's or a roof's";
    if (!values.empty() && type != RoofTypeCode) return "edge values are a roof's";
    const auto slots = edgeSlots(element.memo);
    if (slots.empty()) return "edge data need the outline's polygon first";
    const size_t entries = storedPoints(element.memo) + 1;
    auto each = [&](const std::vector<std::vector<double>>& words, auto write) -> std::string {
        for (const auto& word : words) {
            const auto edge = static_cast<size_t>(word[0]);
            if (edge > slots.size())
                return "the outline has " + std::to_string(slots.size()) + " edges, not " + edgeText(edge);
            for (size_t at : slots[edge - 1])
                write(at, word);
        }
        return {};
    };
    std::string problem = each(records, [&](size_t at, const std::vector<double>& word) {
        std::string& bytes = entriesOf(element.memo, RecordsField, false, sizeof(HostEdgeRecord), entries);
        HostEdgeRecord record;
        record.field = static_cast<uint32_t>(word[1]);
        record.value = static_cast<uint32_t>(word[2]);
        record.wideValue = static_cast<uint64_t>(word[3]);
        std::memcpy(bytes.data() + at * sizeof record, &record, sizeof record);
    });
    if (problem.empty())
        problem = each(values, [&](size_t at, const std::vector<double>& word) {
            std::string& bytes = entriesOf(element.memo, ValuesField, true, sizeof(uint32_t), entries);
            const auto value = static_cast<uint32_t>(word[1]);
            std::memcpy(bytes.data() + at * sizeof value, &value, sizeof value);
        });
    if (problem.empty())
        problem = each(overrides, [&](size_t at, const std::vector<double>& word) {
            std::string& bytes =
                entriesOf(element.memo, OverridesField, true, sizeof(HostSideOverride), entries);
            HostSideOverride side;
            side.surface = static_cast<uint16_t>(word[1]);
            side.overriding = 1;
            std::memcpy(bytes.data() + at * sizeof side, &side, sizeof side);
        });
    return problem;
}

std::string edgeMismatch(const ModelArgs& args, const StoredElement& element) {
    const auto slots = edgeSlots(element.memo);
    auto slotOf = [&](double edge) -> std::optional<size_t> {
        const auto number = static_cast<size_t>(edge);
        if (number > slots.size()) return std::nullopt;
        return slots[number - 1].front();
    };
    for (const auto& word : wordsOf(args, "edge-record")) {
        std::optional<size_t> at = slotOf(word[0]);
        HostEdgeRecord record;
        if (!at || !entryAt(element.memo, RecordsField, *at, record))
            return "it has no record of " + edgeText(static_cast<size_t>(word[0]));
        if (record.field != word[1] || record.value != word[2] || record.wideValue != word[3])
            return "the record of " + edgeText(static_cast<size_t>(word[0])) + " is " +
                   std::to_string(record.field) + " " + std::to_string(record.value) + " " +
                   std::to_string(record.wideValue);
    }
    for (const auto& word : wordsOf(args, "edge-value")) {
        std::optional<size_t> at = slotOf(word[0]);
        uint32_t value = 0;
        if (!at || !entryAt(element.memo, ValuesField, *at, value))
            return "it has no value of " + edgeText(static_cast<size_t>(word[0]));
        if (value != word[1])
            return "the value of " + edgeText(static_cast<size_t>(word[0])) + " is " + std::to_string(value);
    }
    for (const auto& word : wordsOf(args, "side-override")) {
        std::optional<size_t> at = slotOf(word[0]);
        HostSideOverride side;
        if (!at || !entryAt(element.memo, OverridesField, *at, side))
            return "it has no side override of " + edgeText(static_cast<size_t>(word[0]));
        if (side.surface != word[1] || side.overriding == 0)
            return "the side override of " + edgeText(static_cast<size_t>(word[0])) + " is surface " +
                   std::to_string(side.surface) + (side.overriding != 0 ? "" : ", not overriding");
    }
    return {};
}

} // namespace zavhost
