#include "construction/ProfileMemo.h"

#include "elements/Element.h"

namespace tarnwick {

ProfileMemo::ProfileMemo(const ProfileMemo& other)
    : PolygonMemo(other),
      m_profile(other.m_profile ? std::make_unique<CadPolygon>(*other.m_profile) : nullptr) {}

ProfileMemo& ProfileMemo::operator=(const ProfileMemo& other) {
    if (this != &other) {
        PolygonMemo::operator=(other);
        m_profile = other.m_profile ? std::make_unique<CadPolygon>(*other.m_profile) : nullptr;
    }
    return *this;
}

ProfileMemo::~ProfileMemo() = default;

bool ProfileMemo::isValid() const {
    return !m_profile || m_profile->isValid();
}

bool ProfileMemo::writeMemo(MemoStore&) {
    return isValid();
}

bool ProfileMemo::readMemo(MemoStore&) {
    m_loaded = false;
    return false;
}

void ProfileMemo::setProfile(std::unique_ptr<CadPolygon> profile) {
    if (profile.get() == m_profile.get())
        (void)profile.release(); // the same object: keep holding it once
    else
        m_profile = std::move(profile);
    m_loaded = true;
}

void ProfileMemo::copyProfile(const CadPolygon& profile) {
    m_profile = std::make_unique<CadPolygon>(profile);
    m_loaded = true;
}

CadPolygon* ProfileMemo::getProfile() {
    if (Element* owner = getOwner())
        (void)ensureLoaded(*owner); // the host keeps no profile: the one held stands
    return m_profile.get();
}

const CadPolygon* ProfileMemo::getProfile() const {
    // Reading the profile loads the memo through its owner on first use.
    return const_cast<ProfileMemo*>(this)->getProfile();
}

} // namespace tarnwick
