#include "library/ParameterMemo.h"

#include "elements/Element.h"
#include "persistence/Setting.h"
#include "project/MemoStore.h"

namespace tarnwick {

void ParameterMemo::mergeChanges(const Memo& changed, const Memo& reference) {
    const auto* edited = dynamic_cast<const ParameterMemo*>(&changed);
    const auto* before = dynamic_cast<const ParameterMemo*>(&reference);
    if (edited == nullptr || before == nullptr) return;
    mergeChanges(edited->getParameterList(), before->getParameterList());
}

void ParameterMemo::mergeChanges(const ParameterList& changed, const ParameterList& reference) {
    loadEntries();
    ParameterList::mergeChanges(changed, reference);
}

void ParameterMemo::load(Element& owner, MemoStore*& store) {
    owner.loadMemo(getMemoMask(), store);
}

void ParameterMemo::loadThroughOwner() {
    if (Element* owner = getOwnerElement()) ensureLoaded(*owner);
}

void ParameterMemo::loadEntries() const {
    // Loading is filling a cache of what the host keeps: the memo stays the same memo.
    auto* self = const_cast<ParameterMemo*>(this);
    if (m_loading || (m_loaded && isValid())) return;
    self->m_loading = true;
    try {
        self->loadThroughOwner();
    } catch (...) {
        self->m_loading = false;
        throw;
    }
    self->m_loading = false;
}

GSHandle ParameterMemo::writeParameters() {
    loadEntries();
    GSHandle handle = nullptr;
    if (ParameterList::getCount() == 0 || !writeHostParameters(handle)) return nullptr;
    return handle;
}

bool ParameterMemo::readParameters(GSHandle handle) {
    m_loaded = false;
    m_loaded = readHostParameters(handle);
    return m_loaded;
}

bool ParameterMemo::writeMemo(MemoStore& store) {
    loadEntries();
    if (ParameterList::getCount() == 0) return true;
    GSHandle handle = nullptr;
    if (!writeHostParameters(handle)) return false;
    GSHandle* field = store.parametersAddress();
    disposeHostParameters(*field);
    *field = handle;
    return true;
}

bool ParameterMemo::readMemo(MemoStore& store) {
    return readParameters(store.getParameters());
}

uint64_t ParameterMemo::getCount() const {
    loadEntries();
    return ParameterList::getCount();
}

ParameterList& ParameterMemo::getParameterList() {
    loadEntries();
    return *this;
}

const ParameterList& ParameterMemo::getParameterList() const {
    loadEntries();
    return *this;
}

uint64_t ParameterMemo::indexOf(const String& name) const {
    loadEntries();
    return ParameterList::indexOf(name);
}

Parameter* ParameterMemo::at(uint64_t position) const {
    loadEntries();
    return ParameterList::at(position);
}

Parameter* ParameterMemo::find(const String& name) const {
    loadEntries();
    return ParameterList::find(name);
}

Parameter& ParameterMemo::first() const {
    loadEntries();
    return ParameterList::first();
}

Parameter& ParameterMemo::last() const {
    loadEntries();
    return ParameterList::last();
}

std::unique_ptr<Setting> ParameterMemo::getValueSetting(const String& name, uint64_t row,
                                                        uint64_t col) const {
    loadEntries();
    return ParameterList::getValueSetting(name, row, col);
}

void ParameterMemo::removeAt(uint64_t position) {
    loadEntries();
    ParameterList::removeAt(position);
}

void ParameterMemo::clear() {
    loadEntries();
    ParameterList::clear();
}

void ParameterMemo::replaceAt(std::unique_ptr<Parameter> parameter, uint64_t position) {
    loadEntries();
    ParameterList::replaceAt(std::move(parameter), position);
}

void ParameterMemo::insertAt(std::unique_ptr<Parameter> parameter, uint64_t position) {
    loadEntries();
    ParameterList::insertAt(std::move(parameter), position);
}

void ParameterMemo::append(std::unique_ptr<Parameter> parameter) {
    loadEntries();
    ParameterList::append(std::move(parameter));
}

bool ParameterMemo::setValue(const Setting& value, const String& name, uint64_t row, uint64_t col) {
    loadEntries();
    return ParameterList::setValue(value, name, row, col);
}

void ParameterMemo::assignList(const ParameterList& list) {
    ParameterList::operator=(list);
}

void ParameterMemo::mergeByName(const ParameterMemo& other, bool keepSizeParameters, bool resizeRows,
                                bool resizeColumns) {
    mergeByName(other.getParameterList(), keepSizeParameters, resizeRows, resizeColumns);
}

void ParameterMemo::mergeByName(const ParameterList& other, bool keepSizeParameters, bool resizeRows,
                                bool resizeColumns) {
    loadEntries();
    ParameterList::mergeByName(other, keepSizeParameters, resizeRows, resizeColumns);
}

void ParameterMemo::mergeOne(const ParameterMemo& other, const String& name, uint64_t row, uint64_t col) {
    mergeOne(other.getParameterList(), name, row, col, true, true);
}

void ParameterMemo::mergeOne(const ParameterList& other, const String& name, uint64_t row, uint64_t col,
                             bool resizeRows, bool resizeColumns) {
    loadEntries();
    ParameterList::mergeOne(other, name, row, col, resizeRows, resizeColumns);
}

void ParameterMemo::resetValues() {
    loadEntries();
    ParameterList::resetValues();
}

bool ParameterMemo::reloadInto(ParameterList& target, MemoStore& store) {
    resetValues();
    if (!readMemo(store)) return false;
    target = getParameterList();
    return true;
}

bool ParameterMemo::reload(ParameterList& target, MemoStore& store, bool keepSizeParameters, bool resizeRows,
                           bool resizeColumns) {
    resetValues();
    if (!readMemo(store)) return false;
    target.mergeByName(getParameterList(), keepSizeParameters, resizeRows, resizeColumns);
    return true;
}

} // namespace tarnwick
