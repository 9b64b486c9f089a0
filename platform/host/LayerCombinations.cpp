#include "LayerCombinations.h"

#include <cstring>
#include <optional>
#include <unordered_set>
#include <vector>

#include "CallLog.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace {
std::vector<HostLayerStatus> recordsOf(const std::string& bytes) {
    std::vector<HostLayerStatus> records(bytes.size() / sizeof(HostLayerStatus));
    if (!records.empty()) std::memcpy(records.data(), bytes.data(), records.size() * sizeof(HostLayerStatus));
    return records;
}

std::string stateText(uint16_t flags) {
    std::string text = (flags & LayerHidden) ? "hidden" : "shown";
    text += (flags & LayerLocked) ? ", locked" : ", unlocked";
    text += (flags & LayerNotInWorkspace) ? ", not in the workspace" : ", in the workspace";
    return text;
}

bool fail(std::string* why, const std::string& reason) {
    *why = reason;
    return false;
}
} // namespace

std::string layerStatesFault(const AttributeStore& attributes, const HostAttributeMemo& memo) {
    GSHandle block = memo.layerStatus;
    if (block == nullptr || !BMIsLiveHandle(block)) return {};
    const size_t size = static_cast<size_t>(BMHandleSize(block));
    if (size % sizeof(HostLayerStatus) != 0)
        return "layer states of " + std::to_string(size) + " bytes, not whole 8-byte records";
    std::unordered_set<int16_t> seen;
    for (const HostLayerStatus& status : recordsOf(std::string(*block, size))) {
        if (attributes.find(AttrLayer, status.index) == nullptr)
            return "a layer state names no layer (" + std::to_string(status.index) + ")";
        if (!seen.insert(status.index).second)
            return "layer " + std::to_string(status.index) + " has two states";
    }
    return {};
}

bool checkLayerCombination(const ModelArgs& args, const AttributeStore& attributes, std::string* why) {
    const std::string what = "layer combination " + inQuotes(args.texts[0]);
    const int16_t index = attributes.search(AttrLayerCombination, args.texts[0]);
    if (index == 0) return fail(why, "there is no " + what);
    const StoredAttribute& combination = *attributes.find(AttrLayerCombination, index);
    auto block = combination.memo.find(static_cast<uint32_t>(offsetof(HostAttributeMemo, layerStatus)));
    const std::vector<HostLayerStatus> records =
        block == combination.memo.end() ? std::vector<HostLayerStatus>() : recordsOf(block->second.bytes);
    if (args.count) {
        const auto wanted = static_cast<size_t>(*args.count);
        if (records.size() != wanted)
            return fail(why, what + " holds " + std::to_string(records.size()) + " layer state(s)");
        const uint16_t counted = combination.record.layerCombination.entryCount;
        if (counted != wanted) return fail(why, what + "'s record counts " + std::to_string(counted));
    }
    auto layerName = args.options.find("layer");
    if (layerName == args.options.end()) return true;
    const int16_t layer = attributes.search(AttrLayer, layerName->second);
    if (layer == 0) return fail(why, "there is no layer " + inQuotes(layerName->second));
    std::optional<uint16_t> flags;
    for (const HostLayerStatus& status : records)
        if (status.index == layer) flags = status.flags;
    if (!flags) return fail(why, what + " holds no state of layer " + inQuotes(layerName->second));
    auto wrong = [&](const char* word, bool state) { return args.flags.count(word) != 0 && !state; };
    if (wrong("hidden", *flags & LayerHidden) || wrong("shown", !(*flags & LayerHidden)) ||
        wrong("locked", *flags & LayerLocked) || wrong("unlocked", !(*flags & LayerLocked)) ||
        wrong("not-in-workspace", *flags & LayerNotInWorkspace) ||
        wrong("in-workspace", !(*flags & LayerNotInWorkspace)))
        return fail(why, what + " remembers layer " + inQuotes(layerName->second) + " " + stateText(*flags));
    return true;
}

} // namespace zavhost
