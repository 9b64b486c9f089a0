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
    virtual Transformation* clone() const { return new Transformation(*this); }

    // The host's current edit transformation; the host's answer is not checked.
    static std::unique_ptr<Transformation> fromHostEdit();
    static std::unique_ptr<Transformation> getHostTransformation() { return fromHostEdit(); }

    const HostEditTransformation& getRecord() const { return m_record; }
    HostEditTransformation& getRecord() { return m_record; }
    bool operator==(const Transformation& other) const;

private:
    HostEditTransformation m_record;
};

} // namespace tarnwick
