// How parameters cross to the host: the factories of the three record shapes, and the list's
// handles of additional-parameter records and command-parameter lists. The reads work on the
// list's own vector, never through its overridable operations, so that a memo that loads itself
// on first use can read through them.
#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "library/AttributeParameters.h"
#include "library/ParameterList.h"

namespace tarnwick {

namespace {
template <class Kind, class Record> std::unique_ptr<Parameter> made(const Record& record) {
    return std::make_unique<Kind>(record);
}

std::unique_ptr<Parameter> kindOf(const HostAdditionalParameter& record) {
    switch (record.typeCode) {
    case IntegerParameter::TypeCode:
        return made<IntegerParameter>(record);
    case LengthParameter::TypeCode:
        return made<LengthParameter>(record);
    case AngleParameter::TypeCode:
        return made<AngleParameter>(record);
    case RealParameter::TypeCode:
        return made<RealParameter>(record);
    case SwitchParameter::TypeCode:
        return made<SwitchParameter>(record);
    case ColourParameter::TypeCode:
        return made<ColourParameter>(record);
    case IntensityParameter::TypeCode:
        return made<IntensityParameter>(record);
    case LineStyleParameter::TypeCode:
        return made<LineStyleParameter>(record);
    case FinishParameter::TypeCode:
        return made<FinishParameter>(record);
    case FillParameter::TypeCode:
        return made<FillParameter>(record);
    case PenParameter::TypeCode:
        return made<PenParameter>(record);
    case StringParameter::TypeCode:
        return made<StringParameter>(record);
    case BooleanParameter::TypeCode:
        return made<BooleanParameter>(record);
    case SeparatorParameter::TypeCode:
        return made<SeparatorParameter>(record);
    case TitleParameter::TypeCode:
        return made<TitleParameter>(record);
    default:
        return nullptr;
    }
}

// Frees the name and text blocks of a command record after its host call, also on a throw.
struct CommandRecord {
    HostCommandParameter record;
    ~CommandRecord() { Parameter::freeCommandRecord(record); }
};

// Adds one record to a command-parameter list.
bool addToList(GSHandle list, const Parameter& parameter) {
    CommandRecord command;
    if (!parameter.toCommandRecord(command.record)) return false;
    return ACAPUtilityCall(fourCC("ACLP"), list, &command.record) == hosterr::Ok;
}

bool addNumber(GSHandle list, const char* name, int32_t value) {
    LongParameter parameter{String(name)};
    parameter.storeValue(value, 0, 0);
    return addToList(list, parameter);
}
} // namespace

std::unique_ptr<Parameter> Parameter::create(const HostAdditionalParameter& record) {
    std::unique_ptr<Parameter> parameter = kindOf(record);
    if (!parameter || !parameter->readHostValue(record)) return nullptr;
    return parameter;
}

std::unique_ptr<Parameter> Parameter::create(const HostCommandParameter& record) {
    std::unique_ptr<Parameter> parameter;
    switch (record.kind) {
    case CommandParameterText:
        parameter = made<StringParameter>(record);
        break;
    case CommandParameterInteger:
        parameter = made<LongParameter>(record);
        break;
    case CommandParameterReal:
        parameter = made<RealParameter>(record);
        break;
    default:
        return nullptr;
    }
    if (!parameter->readCommandValue(record)) return nullptr;
    return parameter;
}

bool ParameterList::readHostParameters(GSHandle handle) {
    m_parameters->clear();
    if (handle == nullptr) return true;
    const size_t count = static_cast<size_t>(getHandleSize(handle)) / sizeof(HostAdditionalParameter);
    ParameterVector read;
    read.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        // A copy: the handle's bytes need not be aligned for the record.
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), *handle + i * sizeof record, sizeof record);
        std::unique_ptr<Parameter> parameter = Parameter::create(record);
        if (!parameter) return false;
        read.push_back(std::move(parameter));
    }
    *m_parameters = std::move(read);
    return true;
}

bool ParameterList::writeHostParameters(GSHandle& handle) const {
    handle = allocateHandle(static_cast<GSSize>(m_parameters->size() * sizeof(HostAdditionalParameter)));
    bool written = true;
    try {
        for (size_t i = 0; i < m_parameters->size() && written; ++i) {
            HostAdditionalParameter record;
            const Parameter* parameter = (*m_parameters)[i];
            written = parameter != nullptr && parameter->toHostRecord(record);
            // Placed even when it failed: the dispose call then frees an array value it made.
            std::memcpy(*handle + i * sizeof record, static_cast<const void*>(&record), sizeof record);
        }
    } catch (...) {
        disposeHostParameters(handle);
        throw;
    }
    if (written) return true;
    disposeHostParameters(handle);
    return false;
}

void ParameterList::disposeHostParameters(GSHandle& handle) {
    if (handle == nullptr) return;
    if (ACAPDisposeParameterHandle(&handle) != hosterr::NotSupplied) {
        handle = nullptr;
        return;
    }
    const size_t count = static_cast<size_t>(getHandleSize(handle)) / sizeof(HostAdditionalParameter);
    for (size_t i = 0; i < count; ++i) {
        HostAdditionalParameter record;
        std::memcpy(static_cast<void*>(&record), *handle + i * sizeof record, sizeof record);
        Parameter::freeHostRecord(record);
    }
    freeHandle(handle);
}

bool ParameterList::readCommandParameters(GSHandle list) {
    m_parameters->clear();
    if (list == nullptr) return true;
    int32_t count = 0;
    if (ACAPUtilityCall(fourCC("NCLP"), list, &count) != hosterr::Ok) return false;
    // Last first, as the framework's callers expect it; look-ups by name do not mind the order.
    for (int32_t position = count; position >= 1; --position) {
        HostCommandParameter record;
        record.index = position;
        if (ACAPUtilityCall(fourCC("GCLP"), list, &record) != hosterr::Ok) continue;
        std::unique_ptr<Parameter> parameter = Parameter::create(record);
        if (!parameter) {
            m_parameters->clear();
            return false;
        }
        m_parameters->push_back(std::move(parameter));
    }
    return true;
}

bool ParameterList::writeCommandParameters(GSHandle& list, bool create, uint32_t commandId,
                                           int32_t commandVersion) const {
    if (create && ACAPUtilityCall(fourCC("ICLP"), &list) != hosterr::Ok) return false;
    bool added = true;
    for (size_t i = 0; i < m_parameters->size() && added; ++i)
        added = (*m_parameters)[i] != nullptr && addToList(list, *(*m_parameters)[i]);
    if (added && commandId != 0)
        added = addNumber(list, "command_id", static_cast<int32_t>(commandId)) &&
                addNumber(list, "command_version", commandVersion);
    if (added) return true;
    ACAPUtilityCall(fourCC("FCLP"), list);
    list = nullptr;
    return false;
}

} // namespace tarnwick
