#include "Environment/Transformation.h"

#include <cstring>
#include <new>

#include "Environment/HostCalls.h"

namespace tarnwick {

std::unique_ptr<Transformation> Transformation::fromHostEdit() {
    std::unique_ptr<Transformation> t(new (std::nothrow) Transformation());
    if (!t) return nullptr;
    std::memset(static_cast<void*>(&t->m_record), 0, sizeof t->m_record);
    ACAPGetEditTransformation(&t->m_record);
    return t;
}

bool Transformation::operator==(const Transformation& other) const {
    return std::memcmp(&m_record, &other.m_record, sizeof m_record) == 0;
}

} // namespace tarnwick
