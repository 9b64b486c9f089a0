#include "Environment/Transformation.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "Environment/HostCalls.h"
#include "platform/api/HostErrors.h"

namespace tarnwick {

std::unique_ptr<Transformation> Transformation::fromHostEdit() {
    std::unique_ptr<Transformation> t(new (std::nothrow) Transformation());
    if (!t) return nullptr;
    std::memset(static_cast<void*>(&t->m_record), 0, sizeof t->m_record);
    ACAPGetEditTransformation(&t->m_record);
    return t;
}

std::unique_ptr<Transformation> Transformation::fromReportedEdit() {
    auto t = std::make_unique<Transformation>();
    if (ACAPGetEditTransformation(&t->m_record) != hosterr::Ok) return nullptr;
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

bool Transformation::isIdentity() const {
    const HostEditTransformation& r = m_record;
    for (size_t i = 0; i < std::size(r.matrix); ++i)
        if (r.matrix[i] != (i % 4 == 0 ? 1.0 : 0.0)) return false;
    return sameCoord(r.origin, r.target) && r.scale == 1.0;
}

} // namespace tarnwick
