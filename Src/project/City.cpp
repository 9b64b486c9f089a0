#include "project/City.h"

#include <cmath>
#include <limits>

namespace tarnwick {

namespace {
double degreesOf(int16_t minutes) {
    return minutes / 60.0;
}

// Whole minutes toward zero, kept within the record's 16 bits.
int16_t minutesOf(double degrees) {
    double minutes = std::trunc(degrees * 60.0);
    if (!std::isfinite(minutes)) return 0;
    constexpr double low = std::numeric_limits<int16_t>::min();
    constexpr double high = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(minutes < low ? low : (minutes > high ? high : minutes));
}
} // namespace

City::City(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {
    recordLoaded();
}

void City::recordLoaded() const {
    const HostCity& city = record();
    m_firstAngle = degreesOf(city.firstAngleMinutes);
    m_secondAngle = degreesOf(city.secondAngleMinutes);
}

double City::getFirstAngle() const {
    record(); // the angles come with the record
    return m_firstAngle;
}

double City::getSecondAngle() const {
    record();
    return m_secondAngle;
}

void City::setFirstAngle(double degrees) {
    record().firstAngleMinutes = minutesOf(degrees);
    m_firstAngle = degrees;
}

void City::setSecondAngle(double degrees) {
    record().secondAngleMinutes = minutesOf(degrees);
    m_secondAngle = degrees;
}

} // namespace tarnwick
