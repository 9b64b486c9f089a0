// Reads the parameters of a memo store into a parameter list it does not own: a parameter memo of
// its own, made on the stack around the list for one read.
#pragma once

#include "library/ParameterMemo.h"

namespace tarnwick {

class ParameterListPopulator : public ParameterMemo {
public:
    explicit ParameterListPopulator(ParameterList& target) : m_target(target) {}
    ParameterListPopulator(const ParameterListPopulator&) = delete;
    ParameterListPopulator& operator=(const ParameterListPopulator&) = delete;

    // The store's parameters merged into the list by name (ParameterMemo::reload); false, leaving
    // the list as it was, when the store's parameters cannot be read.
    bool populate(MemoStore& store, bool keepSizeParameters, bool resizeRows, bool resizeColumns) {
        return reload(m_target, store, keepSizeParameters, resizeRows, resizeColumns);
    }

private:
    ParameterList& m_target;
};

} // namespace tarnwick
