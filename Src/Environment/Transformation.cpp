#include "Environment/Transformation.h"

#include <algorithm>
#include <cstring>
#include <iterator>
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

namespace {

bool sameCoord(const HostCoord3D& a, const HostCoord3D& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

} // namespace

bool Transformation::operator==(const Transformation& other) const {
    const HostEditTransformation& a = m_record;
    const HostEditTransformation& b = other.m_record;
    if (a.kind != b.kind || a.flags != b.flags || !sameCoord(a.origin, b.origin) ||
        !sameCoord(a.target, b.target) || a.angle != b.angle || a.scale != b.scale)
        return false;
    return std::equal(std::begin(a.matrix), std::end(a.matrix), std::begin(b.matrix));
}

} // namespace tarnwick
