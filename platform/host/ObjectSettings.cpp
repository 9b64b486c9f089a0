// Placed library parts in the stand-in host: the object settings dialog ("OBJS"), played from the
// answers a scenario queued, and the two quantities of objects, the surface and the volume of the
// box of the part's A, B and height.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

#include "LibraryPartPlacement.h"
#include "ModelCalls.h"
#include "ObjectSettings.h"
#include "ParameterExchange.h"
#include "Scenario.h"
#include "ScenarioLine.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/api/ObjectRecords.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
constexpr uint32_t objectType = 6;
constexpr uint32_t lampType = 7;
constexpr uint32_t parametersField = static_cast<uint32_t>(offsetof(API_ElementMemo, parameters));

bool isObject(uint32_t type) {
    return type == objectType || type == lampType;
}

// The record of that name (any letter case) in a block of additional-parameter records.
std::optional<std::pair<size_t, HostAdditionalParameter>> recordNamed(const StoredBlock& block,
                                                                      const std::string& name) {
    const std::string wanted = GS::ToLowerMultibyte(name);
    for (size_t at = 0; at + sizeof(HostAdditionalParameter) <= block.bytes.size();
         at += sizeof(HostAdditionalParameter)) {
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), block.bytes.data() + at, sizeof record);
        if (GS::ToLowerMultibyte(std::string(record.name, strnlen(record.name, sizeof record.name))) ==
            wanted)
            return std::pair{at, record};
    }
    return std::nullopt;
}

// Every cell of a parameter, row by row: "n" and a number, or "t" and a text.
std::vector<std::string> cellsOf(const StoredBlock& block, size_t at, const HostAdditionalParameter& record) {
    const bool text = record.typeCode == 12;
    if (record.valueForm == ParameterSingleValue) {
        size_t units = 0;
        while (units < 256 && record.value.text[units] != 0)
            ++units;
        return {text ? "t" + GS::Utf16ToUtf8(std::u16string_view(record.value.text, units))
                     : "n" + std::to_string(record.value.real)};
    }
    const StoredBlock* values = nullptr;
    for (const auto& [offset, nested] : block.nested)
        if (offset == at + offsetof(HostAdditionalParameter, value)) values = &nested;
    std::vector<std::string> cells;
    if (values == nullptr) return cells;
    if (!text) {
        for (size_t i = 0; i + sizeof(double) <= values->bytes.size(); i += sizeof(double)) {
            double value = 0.0;
            std::memcpy(&value, values->bytes.data() + i, sizeof value);
            cells.push_back("n" + std::to_string(value));
        }
        return cells;
    }
    std::u16string current;
    for (size_t i = 0; i + 1 < values->bytes.size(); i += 2) {
        char16_t unit = 0;
        std::memcpy(&unit, values->bytes.data() + i, sizeof unit);
        if (unit != 0) {
            current += unit;
            continue;
        }
        cells.push_back("t" + GS::Utf16ToUtf8(current));
        current.clear();
    }
    return cells;
}

bool sameCell(const std::string& wanted, const std::string& found) {
    if (wanted.empty() || found.empty() || wanted[0] != found[0]) return false;
    if (wanted[0] == 't') return wanted == found;
    return std::fabs(std::stod(wanted.substr(1)) - std::stod(found.substr(1))) <= 1e-6;
}

std::string cellsText(const std::vector<std::string>& cells) {
    std::string text;
    for (const std::string& cell : cells)
        text += (text.empty() ? "" : " ") +
                (cell[0] == 't' ? inQuotes(cell.substr(1)) : numberText(std::stod(cell.substr(1))));
    return text.empty() ? "no value" : text;
}

std::string parameterMismatch(const std::string& name, const std::string& wantedText,
                              const StoredElement& element) {
    const std::optional<std::vector<std::string>> found = parameterCells(element, name);
    if (!found) return "it has no parameter " + inQuotes(name);
    std::vector<std::string> wanted;
    for (size_t start = 0, end; (end = wantedText.find('\n', start)) != std::string::npos; start = end + 1)
        wanted.push_back(wantedText.substr(start, end - start));
    const std::vector<std::string>& cells = *found;
    bool same = wanted.size() == cells.size();
    for (size_t i = 0; same && i < cells.size(); ++i)
        same = sameCell(wanted[i], cells[i]);
    return same ? std::string() : "its " + inQuotes(name) + " is " + cellsText(cells);
}

// The element's single-number parameter of that name (any letter case); 0 when it has none.
double memoNumber(const StoredElement& element, const std::string& name) {
    auto found = element.memo.blocks.find(parametersField);
    if (found == element.memo.blocks.end()) return 0.0;
    const std::string& bytes = found->second.bytes;
    const std::string wanted = GS::ToLowerMultibyte(name);
    for (size_t at = 0; at + sizeof(HostAdditionalParameter) <= bytes.size();
         at += sizeof(HostAdditionalParameter)) {
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), bytes.data() + at, sizeof record);
        const std::string recordName(record.name, strnlen(record.name, sizeof record.name));
        if (GS::ToLowerMultibyte(recordName) != wanted) continue;
        return record.valueForm == ParameterSingleValue && record.typeCode != 12 ? record.value.real : 0.0;
    }
    return 0.0;
}

// Replaces the memo's parameters by a new handle of the block (none for none).
GSErrCode putParameters(API_ElementMemo& memo, const std::optional<StoredBlock>& block) {
    GSHandle made = nullptr;
    if (block) {
        made = static_cast<GSHandle>(makeBlock(*block));
        if (made == nullptr) return hosterr::MemoryFull;
    }
    (void)freeBlock(memo.parameters, Nesting::Parameters);
    memo.parameters = made;
    return hosterr::Ok;
}

GSErrCode setValue(StoredBlock& records, const ObjectSettingsAnswer::Value& value) {
    HostParameterChange change;
    std::memcpy(change.name, value.name.data(), std::min(value.name.size(), sizeof change.name - 1));
    std::u16string text;
    if (value.kind == "text") {
        text = GS::Utf8ToUtf16(value.value);
        text.resize(255);
        change.text = text.data();
    } else {
        change.value = std::stod(value.value);
    }
    return changeParameterCell(records, change);
}

GSErrCode settle(StandInHost& host, Project& project, API_Element& record, API_ElementMemo& memo,
                 const ObjectSettingsAnswer& answer, std::string& brief) {
    HostObjectElement fields;
    std::memcpy(static_cast<void*>(&fields), record.raw, sizeof fields);
    if (answer.part) {
        const uint32_t index = project.library.findByName(*answer.part, 0);
        if (index == 0) {
            brief += ": no part " + inQuotes(*answer.part);
            return hosterr::NotFound;
        }
        if (GSErrCode err = putParameters(memo, project.library.part(index)->parameters); err != hosterr::Ok)
            return err;
        fields.libIndex = index;
    }
    if (answer.angle) fields.angle = *answer.angle * std::numbers::pi / 180.0;
    if (!answer.values.empty()) {
        bool foreign = false;
        std::optional<StoredBlock> records = copyBlock(memo.parameters, Nesting::Parameters, &foreign);
        if (!records || foreign) {
            brief += ": the memo has no parameters";
            return hosterr::BadParameter;
        }
        for (const ObjectSettingsAnswer::Value& value : answer.values) {
            if (GSErrCode err = setValue(*records, value); err != hosterr::Ok) {
                brief += ": " + inQuotes(value.name) + " cannot be set";
                return err;
            }
        }
        if (GSErrCode err = putParameters(memo, records); err != hosterr::Ok) return err;
    }
    std::memcpy(record.raw, static_cast<const void*>(&fields), sizeof fields);
    host.transcript().note("object settings accepted (line " + std::to_string(answer.line) + ")");
    return hosterr::Ok;
}
} // namespace

std::optional<std::vector<std::string>> parameterCells(const StoredElement& element,
                                                       const std::string& name) {
    auto found = element.memo.blocks.find(parametersField);
    if (found == element.memo.blocks.end()) return std::nullopt;
    const std::optional<std::pair<size_t, HostAdditionalParameter>> record = recordNamed(found->second, name);
    if (!record) return std::nullopt;
    return cellsOf(found->second, record->first, record->second);
}

void registerObjectSettings(StandInHost& host) {
    host.interfaceCalls().add("OBJS", [&host](SelectorCall& call) {
        auto* record = static_cast<API_Element*>(call.args[0]);
        auto* memo = static_cast<API_ElementMemo*>(call.args[2]);
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (record == nullptr || call.args[1] == nullptr || memo == nullptr) return hosterr::BadParameter;
        HostObjectElement fields;
        std::memcpy(static_cast<void*>(&fields), record->raw, sizeof fields);
        call.brief = "part " + std::to_string(fields.libIndex);
        if (!isObject(record->head.typeCode)) return hosterr::BadParameter;
        std::deque<ObjectSettingsAnswer>& answers = host.libraryDesk().objectSettings;
        if (answers.empty()) {
            host.transcript().note("object settings closed: no answer was queued");
            return hosterr::Cancelled;
        }
        const ObjectSettingsAnswer answer = answers.front();
        answers.pop_front();
        if (!answer.accept) {
            host.transcript().note("object settings cancelled (line " + std::to_string(answer.line) + ")");
            return hosterr::Cancelled;
        }
        return settle(host, *project, *record, *memo, answer, call.brief);
    });
}

std::optional<double> objectQuantity(const Project& project, const StoredElement& element, size_t offset) {
    if (!isObject(element.head().typeCode) ||
        (offset != HostObjectSurfaceQuantity && offset != HostObjectVolumeQuantity))
        return std::nullopt;
    HostObjectElement fields;
    std::memcpy(static_cast<void*>(&fields), element.record.raw, sizeof fields);
    const LibraryPart* part = project.library.part(fields.libIndex);
    const double a = fields.firstDetail != 0 ? fields.widthRatio : fields.widthRatio * (part ? part->a : 0.0);
    const double b = fields.firstDetail != 0 ? fields.depthRatio : fields.depthRatio * (part ? part->b : 0.0);
    const double h = memoNumber(element, "zzyzx");
    return offset == HostObjectVolumeQuantity ? a * b * h : 2.0 * (a * b + a * h + b * h);
}

std::string objectMismatch(const ModelArgs& args, const Project& project, const StoredElement& element) {
    auto option = [&args](const char* name) -> const std::string* {
        auto it = args.options.find(name);
        return it == args.options.end() ? nullptr : &it->second;
    };
    for (const auto& [name, values] : args.parameters)
        if (std::string why = parameterMismatch(name, values, element); !why.empty()) return why;
    const bool mirrored = args.flags.count("mirrored") != 0,
               notMirrored = args.flags.count("not-mirrored") != 0;
    const std::string* part = option("part");
    const std::string* angle = option("angle");
    if (!mirrored && !notMirrored && part == nullptr && angle == nullptr) return {};
    // Doors and skylights place parts too, but have no angle or mirrored switch of an object's.
    if (part != nullptr && placedPartType(element.head().typeCode) != 0) {
        const uint32_t index = placedPartIndex(element.record);
        const LibraryPart* placed = project.library.part(index);
        if (placed == nullptr || placed->name != *part)
            return "it places " +
                   (placed != nullptr ? inQuotes(placed->name) : "part " + std::to_string(index));
        if (!isObject(element.head().typeCode)) return {};
    }
    if (!isObject(element.head().typeCode)) return "it is not a placed part";
    HostObjectElement fields;
    std::memcpy(static_cast<void*>(&fields), element.record.raw, sizeof fields);
    if (mirrored && fields.mirrored == 0) return "it is not mirrored";
    if (notMirrored && fields.mirrored != 0) return "it is mirrored";
    if (part != nullptr) {
        const LibraryPart* placed = project.library.part(fields.libIndex);
        if (placed == nullptr || placed->name != *part)
            return "it places " +
                   (placed != nullptr ? inQuotes(placed->name) : "part " + std::to_string(fields.libIndex));
    }
    if (angle != nullptr && std::fabs(fields.angle * 180.0 / std::numbers::pi - std::stod(*angle)) > 1e-6)
        return "its angle is " + numberText(fields.angle * 180.0 / std::numbers::pi) + " degrees";
    return {};
}

} // namespace zavhost
