// The tolerance every geometric comparison uses unless the caller passes one, and the angle
// normalisations the geometry classes share.
#pragma once

#include <cmath>
#include <numbers>

namespace tarnwick {

inline constexpr double kTolerance = 1e-5;
inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2.0 * std::numbers::pi;

// An angle in [0, 2pi); values that round up to 2pi become 0. Non-finite input gives 0.
inline double normaliseAngle(double angle) {
    if (!std::isfinite(angle)) return 0.0;
    double a = std::fmod(angle, kTwoPi);
    if (a < 0.0) a += kTwoPi;
    if (a >= kTwoPi) a = 0.0;
    return a + 0.0; // no negative zero
}

// An angle in (-pi, pi].
inline double normaliseSignedAngle(double angle) {
    double a = normaliseAngle(angle);
    if (a > kPi) a -= kTwoPi;
    return a;
}

// Plan direction angle of (dx, dy) in [0, 2pi); 0 for the zero vector.
inline double planAngle(double dx, double dy) {
    return normaliseAngle(std::atan2(dy, dx));
}

// asin with its argument clamped to [-1, 1], so that rounding never gives NaN.
inline double clampedAsin(double v) {
    return std::asin(v < -1.0 ? -1.0 : (v > 1.0 ? 1.0 : v));
}
inline double clampedAcos(double v) {
    return std::acos(v < -1.0 ? -1.0 : (v > 1.0 ? 1.0 : v));
}

} // namespace tarnwick
