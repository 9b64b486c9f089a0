// The companions that shape a UserPath's input: the prototype of every vertex it makes, the guide
// that accepts or rejects points, and the drawer of the rubber-band feedback. The defaults accept
// everything and draw nothing; tools derive their own.
#pragma once

#include <cstdint>
#include <memory>

#include "geometry/PolyPoint.h"

namespace tarnwick {

class UserPath;

class UserPoint : public PolyPoint {
public:
    UserPoint() = default;
    explicit UserPoint(const PolyPoint& point) : PolyPoint(point) {}
    UserPoint(const UserPoint&) = default;
    UserPoint& operator=(const UserPoint&) = default;
    ~UserPoint() override = default;

    std::unique_ptr<UserPoint> clone() const { return std::unique_ptr<UserPoint>(newCopy()); }

    // Another place the user may have meant, tried in index order when the guide refuses the
    // point; null when there are no more.
    virtual std::unique_ptr<PolyPoint> getAlternative(uint32_t index) const;
    // Where the vertex lies once the following one is known (null: none yet).
    virtual CadPoint getAdjustedPoint(const PolyPoint* next) const;

protected:
    UserPoint* newCopy() const override { return new UserPoint(*this); }
};

class PathGuide {
public:
    virtual ~PathGuide() = default;
    virtual bool checkPoint(const PolyPoint& point);
    virtual bool acceptPoint(const PolyPoint& point);
};

class RubberBander {
public:
    virtual ~RubberBander() = default;
    virtual void beginFeedback();
    // The path so far, the vertex the cursor would add, and the path's last point adjusted to
    // it (null for an empty path).
    virtual void drawFeedback(const UserPath& path, const PolyPoint& candidate, const PolyPoint* last,
                              uint8_t flag);
};

} // namespace tarnwick
