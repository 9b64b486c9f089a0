// What the product remembers per project: the specification the project is annotated against,
// the palette's "still ask" switches and, only while the project is open, where the annotator
// program was found. Tools change the project's stored copy in place.
#pragma once

#include <cstdint>
#include <memory>

#include "persistence/Package.h"
#include "platform/api/HostTypes.h"

namespace zavlink {

class ZAVLinkPrefs : public tarnwick::Package {
public:
    static constexpr uint32_t Code = fourCC("ZAVP");
    static constexpr char ElementName[] = "zavlinkPrefs";

    ZAVLinkPrefs();

    // Every field, the ones never stored included.
    std::unique_ptr<tarnwick::Package> clone() const override;
    uint32_t getCode() const override { return Code; }
    // The package keeps its own values.
    void merge(const tarnwick::Package&) override {}
    void close() override {}
    void reset() override;

    size_t getFieldCount() const override { return 8; }
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxy(size_t index, bool attributesOnly) override;
    // The eight member names, and the package's own element name for the package itself.
    std::unique_ptr<tarnwick::XMLShipping> makeFieldProxyByName(const tarnwick::String& name) override;

    tarnwick::String specificationPath;
    tarnwick::String annotatorPath; // not stored
    bool isSpecification = false;
    bool annotatorFound = false; // not stored
    // True: the palette still asks before the action.
    bool isUpdateSelectedWarned = true;
    bool isUpdateAllWarned = true;
    bool isReplaceSelectedWarned = true;
    bool isReplaceAllWarned = true;
    bool isAcceptSelectedWarned = true;
    bool isAcceptAllWarned = true;
};

} // namespace zavlink
