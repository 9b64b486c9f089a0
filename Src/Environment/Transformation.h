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
    // The transformation of the edit the host is reporting; null when the host reports none (an
    // edit that changed no geometry).
    static std::unique_ptr<Transformation> fromReportedEdit();

    const HostEditTransformation& getRecord() const { return m_record; }
    HostEditTransformation& getRecord() { return m_record; }
    // Field by field, so that -0.0 equals 0.0; the reserved bytes carry no meaning and are skipped.
    bool operator==(const Transformation& other) const;
    // Moves no point: an identity matrix, no translation between origin and target, scale 1.
    bool isIdentity() const;

private:
    HostEditTransformation m_record;
};

} // namespace tarnwick
