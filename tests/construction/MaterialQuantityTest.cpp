// The quantity of one building material in the construction elements of a basic structure: their
// measure D when they are made of it, nothing for another material or for none; and the composite
// quantities slabs and beams derive from it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "construction/Beam.h"
#include "construction/Column.h"
#include "construction/FreeForm.h"
#include "construction/Mesh.h"
#include "construction/PolyRoof.h"
#include "construction/Roof.h"
#include "construction/Slab.h"
#include "construction/Wall.h"
#include "elements/ElementTestSupport.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr double MeasureD = 7.0;

// The element with a measure D of its own, so that no host quantity is asked for it.
template <class T> class Measured : public T {
public:
    double getMeasureD() override { return MeasureD; }
};

struct Basic {
    std::string name;
    std::unique_ptr<Element> element;
    // Sets the building material of the basic structure (0: none).
    std::function<void(uint16_t)> setMaterial;
};

// Every construction class with a basic structure, basic and of material 1.
std::vector<Basic> basicsOfMaterialOne() {
    std::vector<Basic> all;
    auto wall = std::make_unique<Measured<Wall>>();
    Wall* w = wall.get();
    all.push_back({"wall", std::move(wall), [w](uint16_t m) { w->getWallRecord().material = m; }});
    auto beam = std::make_unique<Measured<Beam>>();
    Beam* b = beam.get();
    all.push_back({"beam", std::move(beam), [b](uint16_t m) { b->getBeamRecord().material = m; }});
    auto column = std::make_unique<Measured<Column>>();
    Column* c = column.get();
    column->getColumnRecord().veneerMaterial = 0; // its core alone
    all.push_back({"column", std::move(column), [c](uint16_t m) { c->getColumnRecord().coreMaterial = m; }});
    auto slab = std::make_unique<Measured<Slab>>();
    Slab* s = slab.get();
    all.push_back({"slab", std::move(slab), [s](uint16_t m) { s->getSlabRecord().material = m; }});
    auto roof = std::make_unique<Measured<Roof>>();
    Roof* r = roof.get();
    all.push_back({"roof", std::move(roof), [r](uint16_t m) { r->getShelterRecord().material = m; }});
    auto polyRoof = std::make_unique<Measured<PolyRoof>>();
    PolyRoof* p = polyRoof.get();
    all.push_back(
        {"multi-plane roof", std::move(polyRoof), [p](uint16_t m) { p->getShelterRecord().material = m; }});
    auto mesh = std::make_unique<Measured<Mesh>>();
    Mesh* e = mesh.get();
    all.push_back({"mesh", std::move(mesh), [e](uint16_t m) { e->getMeshRecord().material = m; }});
    auto freeForm = std::make_unique<Measured<FreeForm>>();
    FreeForm* f = freeForm.get();
    all.push_back(
        {"free form", std::move(freeForm), [f](uint16_t m) { f->getFreeFormRecord().material = m; }});
    for (Basic& basic : all) {
        basic.element->setStructureType(0);
        basic.setMaterial(1);
    }
    return all;
}

} // namespace

using MaterialQuantities = HostTest;

TEST_F(MaterialQuantities, ABasicStructureAnswersItsMeasureDForItsOwnMaterialOnly) {
    std::vector<Basic> basics = basicsOfMaterialOne();
    for (Basic& basic : basics) {
        Element& element = *basic.element;
        ASSERT_EQ(element.getStructureType(), 0u) << basic.name;
        EXPECT_DOUBLE_EQ(element.getMaterialQuantity(1), 7.0) << basic.name;
        EXPECT_DOUBLE_EQ(element.getMaterialQuantity(2), 0.0) << basic.name;
        EXPECT_DOUBLE_EQ(element.getMaterialQuantity(0), 0.0) << basic.name;
        // Made of nothing: no material's quantity, not even that of index 0.
        basic.setMaterial(0);
        EXPECT_DOUBLE_EQ(element.getMaterialQuantity(0), 0.0) << basic.name;
        EXPECT_DOUBLE_EQ(element.getMaterialQuantity(1), 0.0) << basic.name;
    }
}

TEST_F(MaterialQuantities, SlabsAndBeamsSpreadTheirMaterialOverTheirThickness) {
    Measured<Slab> slab;
    slab.setStructureType(0);
    slab.getSlabRecord().material = 1;
    slab.setThickness(2.0);
    EXPECT_DOUBLE_EQ(slab.getCompositeQuantity(1), 3.5);
    EXPECT_DOUBLE_EQ(slab.getCompositeQuantity(2), 0.0);

    Measured<Beam> beam;
    beam.getBeamRecord().structureType = 0;
    beam.getBeamRecord().material = 1;
    beam.setSecondSize(0.5);
    EXPECT_DOUBLE_EQ(beam.getCompositeQuantity(1), 14.0);
    EXPECT_DOUBLE_EQ(beam.getCompositeQuantity(2), 0.0);
}

TEST_F(MaterialQuantities, OnlyABasicStructureAnswersItsMeasureD) {
    // Composite and complex-profile structures have no one material: the host's layer quantities
    // answer for them, and an element the host does not know has none.
    Measured<Wall> wall;
    wall.getWallRecord().material = 1;
    for (uint32_t structure : {1u, 2u}) {
        wall.setStructureType(structure);
        EXPECT_DOUBLE_EQ(wall.getMaterialQuantity(1), 0.0) << structure;
    }
    wall.setStructureType(0);
    EXPECT_DOUBLE_EQ(wall.getMaterialQuantity(1), 7.0);
}
