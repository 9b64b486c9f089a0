#include "library/ComponentParameterMemo.h"

#include "Environment/HostCalls.h"
#include "library/Library.h"
#include "library/ParameterKinds.h"
#include "persistence/Setting.h"
#include "project/MemoStore.h"

namespace tarnwick {

namespace {
// Closes the change exchange however the sending ends.
class OpenExchange {
public:
    explicit OpenExchange(HostParameterOwner& owner)
        : m_open(ACAPUtilityCall(fourCC("OPAR"), &owner) == hosterr::Ok) {}
    ~OpenExchange() {
        if (m_open) ACAPUtilityCall(fourCC("CPAR"));
    }
    bool isOpen() const { return m_open; }
    // The close's own answer.
    GSErrCode close() {
        m_open = false;
        return ACAPUtilityCall(fourCC("CPAR"));
    }

private:
    bool m_open;
};

// The rows or columns a link names: one, or every one below count.
std::pair<uint64_t, uint64_t> span(uint64_t wanted, uint64_t count) {
    return wanted == ParameterMemo::NoIndex ? std::pair<uint64_t, uint64_t>{0, count}
                                            : std::pair<uint64_t, uint64_t>{wanted, wanted + 1};
}
} // namespace

double ComponentParameterMemo::getA() {
    if (m_sizesLoaded) return m_a;
    ElementMemoStore store;
    return loadPartDefaults(store, true) ? m_a : 0.0;
}

double ComponentParameterMemo::getB() {
    if (m_sizesLoaded) return m_b;
    ElementMemoStore store;
    return loadPartDefaults(store, true) ? m_b : 0.0;
}

double ComponentParameterMemo::lengthOf(const char* name) const {
    const auto* length = dynamic_cast<const LengthParameter*>(find(String(name)));
    return length != nullptr ? length->getValue(0, 0) : 0.0;
}

void ComponentParameterMemo::setLength(const char* name, double value) {
    if (auto* length = dynamic_cast<LengthParameter*>(find(String(name)))) length->storeValue(value, 0, 0);
}

double ComponentParameterMemo::getParameterA() const {
    return lengthOf("A");
}

double ComponentParameterMemo::getParameterB() const {
    return lengthOf("B");
}

double ComponentParameterMemo::getZzyzx() const {
    return lengthOf("zzyzx");
}

void ComponentParameterMemo::setA(double value) {
    setLength("A", value);
}

void ComponentParameterMemo::setB(double value) {
    setLength("B", value);
}

void ComponentParameterMemo::setZzyzx(double value) {
    setLength("zzyzx", value);
}

bool ComponentParameterMemo::loadPartDefaults(MemoStore& store, bool keepLoaded) {
    if (m_sizesLoaded && keepLoaded) return true;
    const ComponentLink link = getComponentLink();
    Library* library = link.getLibrary();
    if (library == nullptr) return m_sizesLoaded;
    double a = 0.0;
    double b = 0.0;
    GSHandle defaults = library->getPartParameters(link, a, b);
    if (defaults == nullptr) return m_sizesLoaded;
    GSHandle* field = store.parametersAddress();
    ParameterList::disposeHostParameters(*field);
    *field = defaults;
    m_a = a;
    m_b = b;
    m_sizesLoaded = true;
    return true;
}

void ComponentParameterMemo::reloadDefaults(bool resetSizes, bool loadParameters, bool takeDefaultValues) {
    if (!resetSizes && !loadParameters) return;
    if (resetSizes) m_sizesLoaded = false;
    ElementMemoStore store;
    // The default parameters come only with a load from the part: asked again when they are wanted.
    if (!loadPartDefaults(store, !loadParameters) || !loadParameters) return;
    if (takeDefaultValues) {
        ParameterList defaults;
        if (defaults.readHostParameters(store.getParameters()))
            ParameterMemo::mergeByName(defaults, !resetSizes, true, false);
        return;
    }
    const ParameterList current = getParameterList();
    if (readMemo(store)) ParameterMemo::mergeByName(current, !resetSizes, true, false);
}

void ComponentParameterMemo::mergeByName(const ParameterMemo& other, bool keepSizeParameters, bool resizeRows,
                                         bool resizeColumns) {
    ParameterMemo::mergeByName(other, keepSizeParameters, resizeRows, resizeColumns);
    const auto* part = dynamic_cast<const ComponentParameterMemo*>(&other);
    if (keepSizeParameters || part == nullptr) return;
    setA(part->getParameterA());
    setB(part->getParameterB());
    setZzyzx(part->getZzyzx());
}

void ComponentParameterMemo::mergeChanges(const Memo& changed, const Memo& reference) {
    const auto* edited = dynamic_cast<const ComponentParameterMemo*>(&changed);
    const auto* before = dynamic_cast<const ComponentParameterMemo*>(&reference);
    if (edited != nullptr && before != nullptr) {
        if (edited->m_b != before->m_b) m_b = edited->m_b;
        if (edited->m_a != before->m_a) m_a = edited->m_a;
    }
    ParameterMemo::mergeChanges(changed, reference);
}

bool ComponentParameterMemo::applyChange(const ParameterLink& link, bool storeDefault, bool storeFirst) {
    return applyChanges({link}, storeDefault, storeFirst);
}

bool ComponentParameterMemo::applyChanges(const std::vector<ParameterLink>& links, bool storeDefault,
                                          bool storeFirst) {
    if (links.empty()) return true;
    HostParameterOwner owner;
    if (storeDefault && storeFirst) storeAsDefault();
    fillOwnerRecord(owner);
    OpenExchange exchange(owner);
    if (!exchange.isOpen()) return false;

    bool sent = true;
    for (const ParameterLink& link : links) {
        const Parameter* parameter = !link.name.isEmpty() ? find(link.name)
                                     : link.position != 0 ? at(link.position - 1)
                                                          : nullptr;
        if (parameter == nullptr) continue;
        const auto [firstRow, endRow] = span(link.row, parameter->getRowCount());
        const auto [firstCol, endCol] = span(link.col, parameter->getColumnCount());
        for (uint64_t row = firstRow; row < endRow; ++row) {
            for (uint64_t col = firstCol; col < endCol; ++col) {
                HostParameterChange change;
                if (!parameter->toChangeRecord(change, row, col) ||
                    ACAPUtilityCall(fourCC("CHGP"), &change) != hosterr::Ok)
                    sent = false;
            }
        }
    }

    HostParameterSet result;
    if (ACAPUtilityCall(fourCC("GPAR"), &result) != hosterr::Ok) {
        ParameterList::disposeHostParameters(result.parameters);
        return false;
    }
    ParameterList changed;
    // A handle that cannot be read brings nothing back: the change did not come through whole.
    if (changed.readHostParameters(result.parameters))
        ParameterMemo::mergeByName(changed, false, true, true);
    else
        sent = false;
    ParameterList::disposeHostParameters(result.parameters);
    return exchange.close() == hosterr::Ok && sent;
}

} // namespace tarnwick
