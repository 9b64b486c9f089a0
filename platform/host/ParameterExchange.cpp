#include "ParameterExchange.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "CallLog.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace {
constexpr size_t recordSize = sizeof(HostAdditionalParameter);
constexpr size_t valueOffset = offsetof(HostAdditionalParameter, value);
constexpr uint32_t textType = 12;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string nameIn(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

HostAdditionalParameter recordAt(const StoredBlock& records, size_t i) {
    HostAdditionalParameter record;
    std::memcpy(static_cast<void*>(&record), records.bytes.data() + i * recordSize, recordSize);
    return record;
}

void storeRecord(StoredBlock& records, size_t i, const HostAdditionalParameter& record) {
    std::memcpy(records.bytes.data() + i * recordSize, static_cast<const void*>(&record), recordSize);
}

// The position of the first record of that name (any letter case); none when there is none.
std::optional<size_t> recordNamed(const StoredBlock& records, const std::string& name) {
    const std::string wanted = lowered(name);
    for (size_t i = 0; i < records.bytes.size() / recordSize; ++i) {
        const HostAdditionalParameter record = recordAt(records, i);
        if (lowered(nameIn(record.name, sizeof record.name)) == wanted) return i;
    }
    return std::nullopt;
}

StoredBlock* arrayValues(StoredBlock& records, size_t i) {
    const uint32_t slot = static_cast<uint32_t>(i * recordSize + valueOffset);
    for (auto& [offset, block] : records.nested)
        if (offset == slot) return &block;
    return nullptr;
}

// The texts of a text array, each NUL-terminated in UTF-16.
std::vector<std::u16string> splitTexts(const std::string& bytes) {
    std::vector<std::u16string> texts;
    std::u16string current;
    for (size_t at = 0; at + 1 < bytes.size(); at += 2) {
        char16_t unit;
        std::memcpy(&unit, bytes.data() + at, sizeof unit);
        if (unit == 0) {
            texts.push_back(std::move(current));
            current.clear();
        } else {
            current += unit;
        }
    }
    return texts;
}

std::u16string changeText(const HostParameterChange& change) {
    if (change.text == nullptr) return {};
    size_t units = 0;
    while (units < 255 && change.text[units] != 0)
        ++units;
    return std::u16string(change.text, units);
}

std::optional<double> singleNumber(const StoredBlock& records, const std::string& name) {
    std::optional<size_t> i = recordNamed(records, name);
    if (!i) return std::nullopt;
    const HostAdditionalParameter record = recordAt(records, *i);
    if (record.valueForm != ParameterSingleValue || record.typeCode == textType) return std::nullopt;
    return record.value.real;
}
} // namespace

GSErrCode changeParameterCell(StoredBlock& records, const HostParameterChange& change) {
    std::optional<size_t> i = recordNamed(records, nameIn(change.name, sizeof change.name));
    if (!i) return hosterr::NotFound;
    HostAdditionalParameter record = recordAt(records, *i);
    if (record.valueForm == ParameterSingleValue) {
        if (change.row != 0 || change.column != 0) return hosterr::BadIndex;
        if (record.typeCode == textType) {
            const std::u16string text = changeText(change);
            record.value = HostParameterValue();
            std::copy_n(text.data(), text.size(), record.value.text);
        } else {
            record.value.real = change.value;
        }
        storeRecord(records, *i, record);
        return hosterr::Ok;
    }
    StoredBlock* values = arrayValues(records, *i);
    const int64_t rows = record.firstDimension;
    const int64_t columns = std::max<int64_t>(record.secondDimension, 1);
    if (values == nullptr || change.row < 1 || change.row > rows || change.column < 1 ||
        change.column > columns)
        return hosterr::BadIndex;
    const size_t cell = static_cast<size_t>((change.row - 1) * columns + (change.column - 1));
    if (record.typeCode != textType) {
        if ((cell + 1) * sizeof(double) > values->bytes.size()) return hosterr::BadIndex;
        std::memcpy(values->bytes.data() + cell * sizeof(double), &change.value, sizeof(double));
        return hosterr::Ok;
    }
    std::vector<std::u16string> texts = splitTexts(values->bytes);
    if (cell >= texts.size()) return hosterr::BadIndex;
    texts[cell] = changeText(change);
    std::string joined;
    for (const std::u16string& text : texts) {
        joined.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(char16_t));
        joined.append(sizeof(char16_t), '\0');
    }
    values->bytes = std::move(joined);
    return hosterr::Ok;
}

void applyScriptRules(StoredBlock& records, const std::vector<ScriptRule>& rules,
                      const std::string& changed) {
    for (const ScriptRule& rule : rules) {
        if (lowered(rule.source) != lowered(changed)) continue;
        std::optional<double> source = singleNumber(records, rule.source);
        std::optional<size_t> target = recordNamed(records, rule.target);
        if (!source || !target) continue;
        HostAdditionalParameter record = recordAt(records, *target);
        if (record.valueForm != ParameterSingleValue || record.typeCode == textType) continue;
        record.value.real = rule.factor * *source;
        storeRecord(records, *target, record);
    }
}

void registerParameterExchange(StandInHost& host) {
    SelectorTable& utility = host.utilityCalls();
    utility.add("OPAR", [&host](SelectorCall& call) {
        const auto* owner = static_cast<const HostParameterOwner*>(call.args[0]);
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (owner == nullptr) return hosterr::BadParameter;
        if (host.parameterExchange()) {
            call.brief = "an exchange is open already";
            return hosterr::Refused;
        }
        OpenParameterExchange exchange;
        exchange.libIndex = owner->libIndex;
        const LibraryPart* part = project->library.part(owner->libIndex);
        if (part != nullptr) {
            exchange.rules = part->rules;
            exchange.a = part->a;
            exchange.b = part->b;
        }
        if (owner->guid != API_Guid()) {
            const StoredElement* element = project->model.views.findElement(owner->guid);
            call.brief = "element " + model::guidText(owner->guid);
            if (element == nullptr) return hosterr::BadGuid;
            auto found =
                element->memo.blocks.find(static_cast<uint32_t>(offsetof(API_ElementMemo, parameters)));
            if (found != element->memo.blocks.end()) exchange.working = found->second;
        } else {
            call.brief = "part " + std::to_string(owner->libIndex);
            if (part == nullptr) return hosterr::BadIndex;
            exchange.working = part->parameters;
        }
        host.parameterExchange() = std::move(exchange);
        return hosterr::Ok;
    });
    utility.add("CHGP", [&host](SelectorCall& call) {
        const auto* change = static_cast<const HostParameterChange*>(call.args[0]);
        if (change == nullptr) return hosterr::BadParameter;
        const std::string name = nameIn(change->name, sizeof change->name);
        call.brief =
            inQuotes(name) + " " + std::to_string(change->row) + " " + std::to_string(change->column);
        std::optional<OpenParameterExchange>& exchange = host.parameterExchange();
        if (!exchange) return hosterr::Refused;
        if (!exchange->working) return hosterr::NotFound;
        GSErrCode err = changeParameterCell(*exchange->working, *change);
        if (err == hosterr::Ok) applyScriptRules(*exchange->working, exchange->rules, name);
        return err;
    });
    utility.add("GPAR", [&host](SelectorCall& call) {
        auto* result = static_cast<HostParameterSet*>(call.args[0]);
        std::optional<OpenParameterExchange>& exchange = host.parameterExchange();
        if (result == nullptr) return hosterr::BadParameter;
        if (!exchange) return hosterr::Refused;
        *result = HostParameterSet();
        result->a = exchange->a;
        result->b = exchange->b;
        if (exchange->working) {
            result->parameters = static_cast<GSHandle>(makeBlock(*exchange->working));
            if (result->parameters == nullptr) return hosterr::MemoryFull;
        }
        call.brief = result->parameters != nullptr ? "=> parameters" : "=> none";
        return hosterr::Ok;
    });
    utility.add("CPAR", [&host](SelectorCall&) {
        std::optional<OpenParameterExchange>& exchange = host.parameterExchange();
        if (!exchange) return hosterr::Refused;
        exchange.reset();
        return hosterr::Ok;
    });
}

} // namespace zavhost
