#include "library/ParameterList.h"

#include <deque>
#include <unordered_map>
#include <vector>

#include "persistence/Setting.h"
#include "project/IteratorBase.h"

namespace tarnwick {

namespace {
using NamePositions = std::unordered_map<String, size_t>;

// Each matching name with the position of its first parameter.
NamePositions firstPositions(const ParameterVector& parameters) {
    NamePositions positions;
    positions.reserve(parameters.size());
    for (size_t i = 0; i < parameters.size(); ++i)
        if (const Parameter* parameter = parameters[i])
            positions.try_emplace(ParameterList::matchingName(parameter->getName()), i);
    return positions;
}

// The library part's nominal sizes and its height: a part's own, whatever the other list says.
bool isSizeName(const String& matching) {
    return matching == "a" || matching == "b" || matching == "zzyzx";
}
} // namespace

std::unique_ptr<ParameterVector> ParameterVector::clone() const {
    auto copy = std::make_unique<ParameterVector>();
    copy->cloneFrom(*this, [](const Parameter& parameter) { return parameter.clone(); });
    return copy;
}

ParameterList::ParameterList() : m_parameters(std::make_unique<ParameterVector>()) {}

ParameterList::ParameterList(const ParameterList& other) : m_parameters(other.m_parameters->clone()) {}

ParameterList& ParameterList::operator=(const ParameterList& other) {
    if (this != &other) m_parameters = other.m_parameters->clone();
    return *this;
}

ParameterList::~ParameterList() = default;

uint64_t ParameterList::getCount() const {
    return m_parameters->size();
}

uint64_t ParameterList::indexOf(const String& name) const {
    const String wanted = matchingName(name);
    for (size_t i = 0; i < m_parameters->size(); ++i) {
        const Parameter* parameter = (*m_parameters)[i];
        if (parameter != nullptr && matchingName(parameter->getName()) == wanted) return i;
    }
    return NoIndex;
}

Parameter* ParameterList::at(uint64_t position) const {
    return position < m_parameters->size() ? (*m_parameters)[position] : nullptr;
}

Parameter* ParameterList::find(const String& name) const {
    const uint64_t position = indexOf(name);
    return position == NoIndex ? nullptr : at(position);
}

Parameter& ParameterList::first() const {
    if (m_parameters->empty() || (*m_parameters)[0] == nullptr) throw BadAllocation();
    return *(*m_parameters)[0];
}

Parameter& ParameterList::last() const {
    if (m_parameters->empty() || m_parameters->back() == nullptr) throw BadAllocation();
    return *m_parameters->back();
}

std::unique_ptr<Setting> ParameterList::getValueSetting(const String& name, uint64_t row,
                                                        uint64_t col) const {
    const Parameter* parameter = find(name);
    return parameter == nullptr ? nullptr : parameter->getValueSetting(row, col);
}

void ParameterList::removeAt(uint64_t position) {
    if (position < m_parameters->size()) m_parameters->erase(position);
}

void ParameterList::clear() {
    m_parameters->clear();
}

void ParameterList::replaceAt(std::unique_ptr<Parameter> parameter, uint64_t position) {
    if (position < m_parameters->size())
        m_parameters->replace(position, std::move(parameter));
    else
        m_parameters->push_back(std::move(parameter));
}

void ParameterList::insertAt(std::unique_ptr<Parameter> parameter, uint64_t position) {
    if (position < m_parameters->size())
        m_parameters->insert(position, std::move(parameter));
    else
        m_parameters->push_back(std::move(parameter));
}

void ParameterList::append(std::unique_ptr<Parameter> parameter) {
    m_parameters->push_back(std::move(parameter));
}

bool ParameterList::setValue(const Setting& value, const String& name, uint64_t row, uint64_t col) {
    Parameter* parameter = find(name);
    if (parameter == nullptr) return false;
    parameter->setValue(value, row, col);
    return true;
}

void ParameterList::mergeOne(const ParameterList& other, const String& name, uint64_t row, uint64_t col,
                             bool resizeRows, bool resizeColumns) {
    Parameter* here = find(name);
    const Parameter* there = other.find(name);
    if (here == nullptr || there == nullptr || !resizeRows || !resizeColumns) return;
    here->setColumnCount(there->getColumnCount());
    here->setRowCount(there->getRowCount());
    // With a column given only the size is taken: nothing relies on that form yet.
    if (col != NoIndex) return;
    if (row == NoIndex) {
        here->assign(*there, resizeRows, resizeColumns);
        return;
    }
    for (uint64_t r = 0; r < row; ++r) {
        for (uint64_t c = 0; c < there->getColumnCount(); ++c) {
            // Past other's rows its cell reads as zero: the row is cleared.
            if (std::unique_ptr<Setting> cell = there->getValueSetting(r, c)) here->setValue(*cell, r, c);
        }
    }
}

void ParameterList::mergeByName(const ParameterList& other, bool keepSizeParameters, bool resizeRows,
                                bool resizeColumns) {
    const NamePositions theirs = firstPositions(*other.m_parameters);
    for (size_t k = m_parameters->size(); k-- > 0;) {
        Parameter* parameter = (*m_parameters)[k];
        if (parameter == nullptr) continue;
        const String matching = matchingName(parameter->getName());
        if (keepSizeParameters && isSizeName(matching)) continue;
        auto found = theirs.find(matching);
        if (found != theirs.end())
            parameter->assign(*(*other.m_parameters)[found->second], resizeRows, resizeColumns);
    }
}

void ParameterList::resetValues() {
    for (Parameter* parameter : *m_parameters)
        if (parameter != nullptr) parameter->resetValues();
}

void ParameterList::mergeChanges(const ParameterList& changed, const ParameterList& reference) {
    const ParameterVector& after = *changed.m_parameters;
    const ParameterVector& before = *reference.m_parameters;
    ParameterVector& own = *m_parameters;
    const NamePositions changedNames = firstPositions(after);

    // Removals and appends wait until the end, so that positions stay put while the edit is
    // replayed. Per matching name, the positions of this list's parameters in order: the front is
    // what indexOf would answer at that moment.
    const size_t ownCount = own.size();
    std::vector<bool> removed(ownCount, false);
    std::vector<std::unique_ptr<Parameter>> appended;
    std::unordered_map<String, std::deque<size_t>> positions;
    for (size_t i = 0; i < ownCount; ++i)
        if (const Parameter* parameter = own[i]) positions[matchingName(parameter->getName())].push_back(i);

    for (size_t k = before.size(); k-- > 0;) {
        const Parameter* old = before[k];
        if (old == nullptr) continue;
        const String matching = matchingName(old->getName());
        std::deque<size_t>& here = positions[matching];
        auto edited = changedNames.find(matching);
        if (edited == changedNames.end()) {
            if (!here.empty()) {
                if (here.front() < ownCount)
                    removed[here.front()] = true;
                else
                    appended[here.front() - ownCount].reset();
                here.pop_front();
            }
            continue;
        }
        const Parameter& now = *after[edited->second];
        if (here.empty()) {
            here.push_back(ownCount + appended.size());
            appended.push_back(now.clone());
            continue;
        }
        const size_t p = here.front();
        Parameter* current = p < ownCount ? own[p] : appended[p - ownCount].get();
        if (current->getType() == now.getType())
            current->mergeChanges(now, *old);
        else if (p < ownCount)
            own.replace(p, now.clone());
        else
            appended[p - ownCount] = now.clone();
    }

    const NamePositions referenceNames = firstPositions(before);
    for (size_t k = after.size(); k-- > 0;) {
        const Parameter* now = after[k];
        if (now != nullptr && referenceNames.count(matchingName(now->getName())) == 0)
            appended.push_back(now->clone());
    }

    ParameterVector merged;
    merged.reserve(ownCount + appended.size());
    for (size_t i = 0; i < ownCount; ++i)
        if (!removed[i]) merged.push_back(own.replace(i, nullptr));
    for (std::unique_ptr<Parameter>& added : appended)
        if (added) merged.push_back(std::move(added));
    own = std::move(merged);
}

} // namespace tarnwick
