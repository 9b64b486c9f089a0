#include "library/Parameter.h"

#include <algorithm>
#include <cstring>

#include "Environment/Memory.h"
#include "persistence/Setting.h"

namespace tarnwick {

namespace {
// A NUL-terminated copy of the text in a new pointer block.
GSPtr newTextBlock(const String& text) {
    GSPtr block = allocatePtr(static_cast<GSSize>(text.getByteLength() + 1));
    std::memcpy(block, text.c_str(), text.getByteLength());
    return block;
}
} // namespace

Parameter::Parameter(const String& name, const String& description, uint16_t flags, uint64_t columns,
                     uint16_t index, bool isArray)
    : m_name(name), m_description(description), m_columns(columns > 1 ? columns
                                                          : isArray   ? 1
                                                                      : 0),
      m_flags(flags), m_index(index) {}

Parameter::Parameter(const HostAdditionalParameter& record)
    : m_name(record.name, sizeof record.name), m_description(record.description, sizeof record.description),
      m_columns(record.valueForm == ParameterArrayValue ? std::max<uint64_t>(record.secondDimension, 1) : 0),
      m_flags(record.flags), m_index(record.index) {}

Parameter::Parameter(const HostCommandParameter& record)
    : m_name(record.name != nullptr ? String(record.name) : String()), m_flags(record.flag != 0 ? 1 : 0),
      m_index(static_cast<uint16_t>(record.index)) {}

std::unique_ptr<Setting> Parameter::getValueSetting(uint64_t, uint64_t) const {
    return nullptr;
}

bool Parameter::setColumnCount(uint64_t count) {
    m_columns = count;
    return true;
}

void Parameter::setValue(const Setting&, uint64_t, uint64_t) {}

bool Parameter::toChangeRecord(HostParameterChange& record, uint64_t row, uint64_t col) const {
    record = HostParameterChange();
    m_name.copyTo(record.name, sizeof record.name);
    record.index = m_index;
    // The host counts array cells from 1.
    const uint64_t base = isArray() ? 1 : 0;
    if (row >= MaxCells || col >= MaxCells) return false;
    record.row = static_cast<int32_t>(row + base);
    record.column = static_cast<int32_t>(col + base);
    return writeChangeValue(record, row, col);
}

bool Parameter::toCommandRecord(HostCommandParameter& record) const {
    record = HostCommandParameter();
    record.kind = getCommandKind();
    record.index = m_index;
    record.flag = m_flags != 0 ? 1 : 0;
    if (record.kind < CommandParameterText || record.kind > CommandParameterReal) return false;
    record.name = newTextBlock(m_name);
    try {
        if (writeCommandValue(record)) return true;
    } catch (...) {
        freeCommandRecord(record);
        throw;
    }
    freeCommandRecord(record);
    return false;
}

bool Parameter::toHostRecord(HostAdditionalParameter& record) const {
    record = HostAdditionalParameter();
    record.typeCode = getType();
    record.index = m_index;
    record.valueForm = isArray() ? ParameterArrayValue : ParameterSingleValue;
    m_name.copyTo(record.name, sizeof record.name);
    m_description.copyToUtf16(record.description, sizeof record.description);
    record.firstDimension = static_cast<uint32_t>(std::min<uint64_t>(getRowCount(), MaxCells));
    record.secondDimension = static_cast<uint32_t>(std::min<uint64_t>(getColumnCount(), MaxCells));
    record.flags = m_flags;
    return writeHostValue(record);
}

void Parameter::freeCommandRecord(HostCommandParameter& record) {
    freePtr(record.name);
    freePtr(record.text);
}

void Parameter::freeHostRecord(HostAdditionalParameter& record) {
    if (record.valueForm == ParameterArrayValue) freeHandle(record.value.array);
}

char16_t* Parameter::changeTextBuffer() {
    static char16_t buffer[ChangeTextBytes / sizeof(char16_t)];
    return buffer;
}

} // namespace tarnwick
