// The sources of each kind of placeable library part, so that a caller tells a door from a lamp by
// the class of the source the factory hands out. They behave as ParametricSource; objects add two
// flags of the part's details.
#pragma once

#include "library/ParametricSource.h"
#include "library/SourceFactory.h"

namespace tarnwick {

// One kind: its constructors, a clone of its own class and its creator, which makes nothing for a
// record of another type.
template <class Self, class Base, uint32_t Type> class SourceKind : public Base {
public:
    static constexpr uint32_t TypeCode = Type;
    SourceKind(const HostLibPart& record, const ComponentLink& link) : Base(record, link) {}
    explicit SourceKind(const ComponentLink& link) : Base(link) {}
    std::unique_ptr<ComponentSource> clone() const override {
        return std::make_unique<Self>(static_cast<const Self&>(*this));
    }
    static std::unique_ptr<ComponentSource> create(const HostLibPart& record, const ComponentLink& link) {
        if (record.typeCode != Type) return nullptr;
        return std::make_unique<Self>(record, link);
    }
};

// The base of doors, windows and skylights; no creator of its own.
class OpeningSource : public ParametricSource {
public:
    using ParametricSource::ParametricSource;
};

class ObjectSource : public ParametricSource {
public:
    // Names no part until one is set: type 4, index 0, no library.
    ObjectSource();
    using ParametricSource::ParametricSource;
    std::unique_ptr<ComponentSource> clone() const override { return std::make_unique<ObjectSource>(*this); }
    static std::unique_ptr<ComponentSource> create(const HostLibPart& record, const ComponentLink& link);

    // Bytes 0 and 2 of the details.
    bool isFirstDetailSet() { return getDetails().firstDetail != 0; }
    void setFirstDetail(bool on) { getDetails().firstDetail = on ? 1 : 0; }
    bool isThirdDetailSet() { return getDetails().thirdDetail != 0; }
    void setThirdDetail(bool on) { getDetails().thirdDetail = on ? 1 : 0; }
};

#define TARNWICK_SOURCE_KIND(Name, Base, Type)                                                               \
    class Name : public SourceKind<Name, Base, Type> {                                                       \
    public:                                                                                                  \
        using SourceKind::SourceKind;                                                                        \
    };
TARNWICK_SOURCE_KIND(PropertySource, ParametricSource, LibPartProperty)
TARNWICK_SOURCE_KIND(DoorSource, OpeningSource, LibPartDoor)
TARNWICK_SOURCE_KIND(WindowSource, OpeningSource, LibPartWindow)
TARNWICK_SOURCE_KIND(SkylightSource, OpeningSource, LibPartSkylight)
TARNWICK_SOURCE_KIND(LabelSource, ObjectSource, LibPartLabel)
TARNWICK_SOURCE_KIND(LampSource, ObjectSource, LibPartLamp)
TARNWICK_SOURCE_KIND(ZoneSource, ObjectSource, LibPartZone)
#undef TARNWICK_SOURCE_KIND

} // namespace tarnwick
