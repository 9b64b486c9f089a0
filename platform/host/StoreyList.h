// The floor plan's storeys, in level order, and the current one. The host hands them out as storey
// entries with one more entry at the end that only closes the top storey (its level is the top
// storey's ceiling): n entries make n - 1 storeys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/api/ProjectRecords.h"

namespace zavhost {

struct StoredStorey {
    int16_t index = 0;
    int16_t floorNumber = 0;
    double level = 0.0;
    std::string name; // UTF-8
    uint8_t flag = 0;

    bool operator==(const StoredStorey&) const = default;
};

class StoreyList {
public:
    // A ground floor (index 0, level 0) and a first floor (index 1, level 3), each 3 high.
    static StoreyList withDefaults();

    const std::vector<StoredStorey>& storeys() const { return m_storeys; }
    const StoredStorey* find(int16_t index) const;
    const StoredStorey* findNamed(const std::string& name) const;
    int16_t current() const { return m_current; }
    bool setCurrent(int16_t index); // false for a storey that does not exist
    double topHeight() const { return m_topHeight; }

    // Adds a storey above or below all others (its index one past the top's or one below the
    // bottom's), or with a given free index; false with a reason when it cannot.
    bool add(const std::string& name, double level, std::string* why);
    bool add(const std::string& name, double level, int16_t index, std::string* why);

    // The "GSTO" answer: the current storey and a new handle of storey entries the caller owns.
    // False when memory runs out.
    bool fill(HostStoreyInfo* info) const;

    // Sets the whole list as it was saved; false when it is not sound (indices given twice, levels
    // out of order, a current storey that is not there).
    bool restore(std::vector<StoredStorey> storeys, int16_t current, double topHeight);

    bool operator==(const StoreyList&) const = default;

private:
    std::vector<StoredStorey> m_storeys; // ascending level
    int16_t m_current = 0;
    double m_topHeight = 3.0;
};

} // namespace zavhost
