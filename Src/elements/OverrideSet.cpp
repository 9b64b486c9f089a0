#include "elements/OverrideSet.h"

namespace tarnwick {

OverrideSet OverrideSet::fromHost(const HostOverrideRecord& record, const HostOverrideExtension& extension) {
    OverrideSet set(record.first, record.second, 0);
    for (int i = 0; i < 3; ++i)
        set.m_e[i] = record.flags[i];
    set.m_c = extension.third;
    set.m_flag = extension.flag;
    return set;
}

void OverrideSet::toHost8(HostOverrideRecord& record) const {
    record = HostOverrideRecord();
    for (int i = 0; i < 3; ++i)
        record.flags[i] = m_e[i];
    record.first = m_a;
    record.second = m_b;
}

void OverrideSet::toHost4(HostOverrideExtension& extension) const {
    extension = HostOverrideExtension();
    extension.third = m_c;
    extension.flag = m_flag;
}

bool OverrideSet::operator==(const OverrideSet& other) const {
    return m_a == other.m_a && m_b == other.m_b && m_c == other.m_c && m_d == other.m_d &&
           m_flag == other.m_flag && m_e[0] == other.m_e[0] && m_e[1] == other.m_e[1] &&
           m_e[2] == other.m_e[2];
}

} // namespace tarnwick
