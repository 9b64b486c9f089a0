// The profile of an extrusion, sweep or morph: a polygon the module sets itself. It is never
// exchanged with the host, so the polygon part it inherits stays empty and nothing is written.
#pragma once

#include <memory>

#include "elements/PolygonMemo.h"
#include "geometry/CadPolygon.h"

namespace tarnwick {

class ProfileMemo : public PolygonMemo {
public:
    ProfileMemo() = default;
    ProfileMemo(const ProfileMemo& other); // deep
    ProfileMemo& operator=(const ProfileMemo& other);
    ~ProfileMemo() override;

    // True without a profile, else the profile's validity.
    bool isValid() const override;
    // Writes nothing; answers isValid.
    bool writeMemo(MemoStore& store) override;
    // Reads nothing and leaves the memo not loaded: the next ensureLoaded asks the owner again.
    bool readMemo(MemoStore& store) override;
    // Zeroed: the host holds no profile counts.
    PolygonCounts getPolygonHeader() const override { return {}; }

    // Takes the profile (the held one is deleted unless it is the same); loaded.
    virtual void setProfile(std::unique_ptr<CadPolygon> profile);
    // Holds a copy of the profile; loaded.
    virtual void copyProfile(const CadPolygon& profile);

    // Loads through the owner first; may be null. The profile stays the memo's.
    CadPolygon* getProfile();
    const CadPolygon* getProfile() const;

private:
    std::unique_ptr<CadPolygon> m_profile;
};

} // namespace tarnwick
