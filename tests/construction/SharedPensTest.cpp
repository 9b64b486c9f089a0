// Kinds 6, 8, 10, 11 and 12 name the same pens in every part that keeps them: each kind reads its
// own field, 11 the cut-fill pen and 12 its background.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "construction/FreeForm.h"
#include "construction/Mesh.h"
#include "construction/Profile.h"
#include "construction/Roof.h"
#include "elements/ElementTestSupport.h"
#include "platform/api/MeshRecords.h"
#include "platform/api/ProfileRecords.h"
#include "platform/api/SlabRecords.h"
#include "platform/host/RecordFields.h"

using namespace tarnwick;
using elementtest::HostTest;

namespace {

template <class Part> API_Element recordWithPens(uint32_t type) {
    API_Element record;
    record.head.typeCode = type;
    Part part = zavhost::partOf<Part>(record);
    part.kind6Pen = 6;
    part.kind8Pen = 8;
    part.kind10Pen = 10;
    part.cutFillFlag = 1;
    part.cutFillPen = 11;
    part.cutFillBackgroundPen = 12;
    zavhost::setPart(record, part);
    return record;
}

class SharedPens : public HostTest {};

TEST_F(SharedPens, EachKindReadsItsOwnFieldInEveryPartThatKeepsIt) {
    const ElementLink link;
    const std::pair<const char*, std::function<std::unique_ptr<Element>()>> kinds[] = {
        {"mesh",
         [&] { return std::make_unique<Mesh>(link, recordWithPens<HostMeshElement>(HostMeshTypeCode)); }},
        {"free form",
         [&] {
             return std::make_unique<FreeForm>(link,
                                               recordWithPens<HostFreeFormElement>(HostFreeFormTypeCode));
         }},
        {"extrusion",
         [&] {
             return std::make_unique<Extrusion>(recordWithPens<HostProfileElement>(HostProfileTypeCode),
                                                link);
         }},
        {"roof",
         [&] { return std::make_unique<Roof>(link, recordWithPens<HostShelterElement>(HostRoofTypeCode)); }},
    };
    for (const auto& [name, make] : kinds) {
        const std::unique_ptr<Element> element = make();
        for (uint32_t kind : {6u, 8u, 10u, 11u, 12u}) {
            Pen pen;
            element->getPen(pen, kind);
            EXPECT_EQ(pen.getIndex(), static_cast<int16_t>(kind)) << name << " kind " << kind;
        }
    }
}

} // namespace
