#include "CommandParameterLists.h"

#include <cstring>

#include "CallLog.h"
#include "ModelCalls.h"
#include "SelectorTable.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"

namespace zavhost {

namespace {
// The text of a pointer block the module made: up to its NUL, within the block.
bool blockText(GSPtr block, std::string* text) {
    if (block == nullptr || !BMIsLivePtr(block)) return false;
    const size_t size = static_cast<size_t>(BMPtrSize(block));
    const void* nul = std::memchr(block, 0, size);
    if (nul == nullptr) return false;
    text->assign(block, static_cast<size_t>(static_cast<const char*>(nul) - block));
    return true;
}
} // namespace

CommandParameterLists::~CommandParameterLists() {
    for (auto& [handle, entries] : m_lists) {
        GSHandle list = handle;
        BMKillHandle(&list);
    }
}

GSHandle CommandParameterLists::make() {
    GSHandle list = BMNewHandle(8);
    if (list != nullptr) m_lists[list];
    return list;
}

std::vector<CommandParameterEntry>* CommandParameterLists::find(GSHandle list) {
    auto found = m_lists.find(list);
    return found == m_lists.end() ? nullptr : &found->second;
}

bool CommandParameterLists::free(GSHandle list) {
    if (m_lists.erase(list) == 0) return false;
    BMKillHandle(&list);
    return true;
}

void CommandParameterLists::registerSelectors(SelectorTable& utility) {
    utility.add("ICLP", [this](SelectorCall& call) {
        auto* out = static_cast<GSHandle*>(call.args[0]);
        if (out == nullptr) return hosterr::BadParameter;
        *out = make();
        call.brief = *out != nullptr ? "=> list" : "out of memory";
        return *out != nullptr ? hosterr::Ok : hosterr::MemoryFull;
    });
    utility.add("FCLP", [this](SelectorCall& call) {
        const bool freed = free(static_cast<GSHandle>(call.args[0]));
        call.brief = freed ? "list" : "not a list";
        return freed ? hosterr::Ok : hosterr::BadParameter;
    });
    utility.add("NCLP", [this](SelectorCall& call) {
        auto* entries = find(static_cast<GSHandle>(call.args[0]));
        auto* count = static_cast<int32_t*>(call.args[1]);
        if (entries == nullptr || count == nullptr) {
            call.brief = "not a list";
            return hosterr::BadParameter;
        }
        *count = static_cast<int32_t>(entries->size());
        call.brief = "=> " + std::to_string(*count);
        return hosterr::Ok;
    });
    utility.add("ACLP", [this](SelectorCall& call) {
        auto* entries = find(static_cast<GSHandle>(call.args[0]));
        const auto* record = static_cast<const HostCommandParameter*>(call.args[1]);
        if (entries == nullptr || record == nullptr) {
            call.brief = "not a list";
            return hosterr::BadParameter;
        }
        CommandParameterEntry entry;
        entry.index = record->index;
        entry.kind = record->kind;
        entry.flag = record->flag != 0;
        entry.integer = record->integer;
        entry.real = record->real;
        if (!blockText(record->name, &entry.name) || entry.kind < CommandParameterText ||
            entry.kind > CommandParameterReal ||
            (entry.kind == CommandParameterText && !blockText(record->text, &entry.text))) {
            call.brief = "a record without a name, kind or text";
            return hosterr::BadParameter;
        }
        call.brief = inQuotes(entry.name);
        entries->push_back(std::move(entry));
        return hosterr::Ok;
    });
    utility.add("GCLP", [this](SelectorCall& call) {
        auto* entries = find(static_cast<GSHandle>(call.args[0]));
        auto* record = static_cast<HostCommandParameter*>(call.args[1]);
        if (entries == nullptr || record == nullptr) {
            call.brief = "not a list";
            return hosterr::BadParameter;
        }
        const int32_t position = record->index;
        call.brief = std::to_string(position);
        if (position < 1 || static_cast<size_t>(position) > entries->size()) return hosterr::BadIndex;
        // The texts stay the list's: they live as long as it does unchanged.
        CommandParameterEntry& entry = (*entries)[static_cast<size_t>(position - 1)];
        *record = HostCommandParameter();
        record->index = entry.index;
        record->name = entry.name.data();
        record->kind = entry.kind;
        record->flag = entry.flag ? 1 : 0;
        record->integer = entry.integer;
        record->real = entry.real;
        record->text = entry.kind == CommandParameterText ? entry.text.data() : nullptr;
        call.brief += " => " + inQuotes(entry.name);
        return hosterr::Ok;
    });
}

} // namespace zavhost
