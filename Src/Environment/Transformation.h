// An element edit (move, rotate, mirror) as the host describes it.
#pragma once

#include <memory>

#include "platform/api/HostRecords.h"

namespace tarnwick {

class Transformation {
public:
    Transformation() = default;
    explicit Transformation(const HostEditTransformation& record) : m_record(record) {}
    virtual ~Transformation() = default;
    virtual std::unique_ptr<Transformation> clone() const { return std::make_unique<Transformation>(*this); }

    // The host's current edit transformation; the host's answer is not checked.
    static std::unique_ptr<Transformation> fromHostEdit();
    static std::unique_ptr<Transformation> getHostTransformation() { return fromHostEdit(); }

    const HostEditTransformation& getRecord() const { return m_record; }
    HostEditTransformation& getRecord() { return m_record; }
    // Field by field, so that -0.0 equals 0.0; the reserved bytes carry no meaning and are skipped.
    bool operator==(const Transformation& other) const;

private:
    HostEditTransformation m_record;
};

} // namespace tarnwick
