// The element base: user data, copies, merged changes, editability, the info text, node points,
// bounds and surface area, transformations, relations, associations, links and defaults.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>

#include "ElementTestSupport.h"
#include "Environment/HostCalls.h"
#include "Environment/TempFolder.h"
#include "elements/Element3D.h"
#include "platform/gsroot/UniString.h"
#include "project/ElementLinkList.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/Storey.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

zavhost::StoredElement& hostElement(zavhost::StandInHost& host, const API_Guid& guid) {
    return *host.project()->model.views.editElement(guid);
}

std::unique_ptr<Element> read(const API_Guid& guid) {
    Plan* plan = Host::getPlan();
    return plan->get(ElementLink(Guid(guid), plan));
}

// A unit cube stored as the host's 3D database would give it: each face a square of corner
// indices with its outward normal, every edge once.
std::shared_ptr<Body::Data> unitCube() {
    auto data = std::make_shared<Body::Data>();
    data->box = Cube(0, 0, 0, 1, 1, 1);
    data->faces = std::make_shared<FaceList>();
    data->edges = std::make_shared<EdgeList>();
    data->vertices = std::make_shared<VertList>();
    for (int corner = 0; corner < 8; ++corner)
        data->vertices->push_back(
            std::make_shared<CadPoint>(corner & 1, (corner >> 1) & 1, (corner >> 2) & 1));
    const std::pair<Vector3, std::array<uint32_t, 4>> faces[] = {
        {{0, 0, -1}, {0, 2, 3, 1}}, {{0, 0, 1}, {4, 5, 7, 6}},  {{-1, 0, 0}, {0, 4, 6, 2}},
        {{1, 0, 0}, {1, 3, 7, 5}},  {{0, -1, 0}, {0, 1, 5, 4}}, {{0, 1, 0}, {2, 6, 7, 3}},
    };
    std::map<std::pair<uint32_t, uint32_t>, int32_t> numbers;
    for (const auto& [normal, corners] : faces) {
        auto face = std::make_shared<Face::Data>();
        face->normal = normal;
        for (size_t i = 0; i < 4; ++i) {
            const uint32_t a = corners[i], b = corners[(i + 1) % 4];
            auto known = numbers.find({b, a});
            if (known != numbers.end()) {
                face->edges.push_back(-known->second);
                continue;
            }
            auto edge = std::make_shared<EdgeRecord>();
            edge->vertex1 = a;
            edge->vertex2 = b;
            data->edges->push_back(std::make_shared<Edge::Data>(edge));
            numbers[{a, b}] = int32_t(data->edges->size());
            face->edges.push_back(int32_t(data->edges->size()));
        }
        data->faces->push_back(face);
    }
    return data;
}

// A test element whose model is a unit cube.
class CubeElement : public TestElement {
public:
    using TestElement::TestElement;
    std::unique_ptr<Element> clone() const override { return std::make_unique<CubeElement>(*this); }
    std::unique_ptr<Element3D> buildElement3D() override {
        ++builds;
        return std::make_unique<Element3D>(std::make_shared<BodyDataList>(BodyDataList{unitCube()}));
    }
    int builds = 0;
};

void setLayerFlags(zavhost::StandInHost& host, int16_t index, uint16_t flags) {
    host.project()->model.attributes.edit(AttrLayer, index)->record.header.flags = flags;
}

using Elements = HostTest;

} // namespace

TEST_F(Elements, UserDataIsReadOnceRefusedWhenEmptyAndMarkedChangedByClearingTheGuid) {
    Creators creators{15};
    API_Guid guid = addHostElement(host, 15);
    std::unique_ptr<Element> text = read(guid);
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(text->isUserDataLoaded());
    EXPECT_EQ(text->getUserData(), nullptr);
    EXPECT_TRUE(text->isUserDataLoaded());

    MemoryBlock annotation = blockOf("<annotation clause=\"F10/110\"/>");
    ASSERT_TRUE(change([&] { return text->storeUserData(annotation, 0, false, 12); }));
    std::unique_ptr<MemoryBlock> held = text->getUserData();
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(bytesOf(*held), bytesOf(annotation));
    EXPECT_FALSE(text->isUserDataChanged());

    const zavhost::StoredUserData& stored = *hostElement(host, guid).userData;
    EXPECT_EQ(stored.bytes, bytesOf(annotation));
    EXPECT_EQ(stored.flags, 12u);
    EXPECT_EQ(stored.version, 1);
    EXPECT_EQ(stored.platformSign, 0x5757);

    std::unique_ptr<Element> fresh = read(guid);
    uint32_t version = 9, platform = 9;
    std::unique_ptr<MemoryBlock> again = fresh->readUserData(version, platform);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(bytesOf(*again), bytesOf(annotation));
    EXPECT_EQ(std::pair(version, platform), std::pair(1u, 2u));
    EXPECT_EQ(bytesOf(*fresh->getUserData()), bytesOf(annotation));
    // A held block answers without touching the words.
    version = platform = 9;
    fresh->readUserData(version, platform);
    EXPECT_EQ(version + platform, 18u);

    setHostUserData(host, guid, "mm", 0x4D4D);
    read(guid)->readUserData(version, platform);
    EXPECT_EQ(platform, 1u);

    // A new element loads nothing; clearing a read one's Guid marks its held data changed.
    TestElement made(ElementLink(ElementLink::makeTypeId(15), Host::getPlan()));
    made.loadUserData(true);
    EXPECT_FALSE(made.isUserDataLoaded());
    EXPECT_FALSE(made.isValid());

    API_Guid kept = addHostElement(host, 15);
    setHostUserData(host, kept, "kept");
    text = read(kept);
    ASSERT_NE(text->getUserData(), nullptr);
    EXPECT_FALSE(text->isUserDataChanged());
    text->getRecord().groupGuid = zavhost::newGuid();
    EXPECT_TRUE(text->isInGroup());
    text->clearGuid();
    EXPECT_FALSE(text->isValid());
    EXPECT_EQ(text->getLink().getHome().getKind(), DatabaseNone);
    EXPECT_FALSE(text->isInGroup());
    EXPECT_TRUE(text->isUserDataChanged());

    // An empty block is refused before the held block is touched.
    API_Guid other = addHostElement(host, 15);
    text = read(other);
    text->setUserData(std::make_unique<MemoryBlock>(blockOf("held")));
    EXPECT_TRUE(text->isUserDataChanged());
    size_t before = mark();
    EXPECT_FALSE(change([&] { return text->storeUserData(MemoryBlock(), 0, false, 12); }));
    EXPECT_FALSE(change([&] { return text->storeUserData(blockOf(""), 0, false, 12); }));
    EXPECT_EQ(host.calls().count("SetElementUserData", before), 0u);
    EXPECT_EQ(bytesOf(*text->getUserData()), "held");

    // The host refuses outside an undoable step: the held block stays too.
    EXPECT_FALSE(text->storeUserData(blockOf("other"), 0, false, 12));
    EXPECT_EQ(bytesOf(*text->getUserData()), "held");
    EXPECT_FALSE(hostElement(host, other).userData.has_value());

    // Storing the held block itself keeps it.
    std::unique_ptr<MemoryBlock> copy = text->getUserData();
    ASSERT_TRUE(change([&] { return text->storeUserData(*copy, 0, true, 4); }));
    EXPECT_EQ(bytesOf(*text->getUserData()), "held");
    EXPECT_EQ(hostElement(host, other).userData->flags, 4u);
    EXPECT_TRUE(host.calls().contains("ElementSwitchOnCall", before));
}

// Switching counts as done when the element already is as asked; only a host failure is false.
TEST_F(Elements, ASwitchIsDoneWhenTheElementIsSoAlready) {
    Creators creators{15};
    const API_Guid guid = addHostElement(host, 15);
    std::unique_ptr<Element> text = read(guid);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(change([&] { return text->setSwitched(true); })); // on already: the host ignores it
    EXPECT_TRUE(change([&] { return text->setSwitched(false); }));
    EXPECT_TRUE(hostElement(host, guid).switchedOff);
    EXPECT_TRUE(change([&] { return text->setSwitched(false); }));
    host.faults().set("ElementSwitchOnCall", 1, 1, hosterr::Failed);
    EXPECT_FALSE(change([&] { return text->setSwitched(true); }));
    EXPECT_TRUE(hostElement(host, guid).switchedOff);
    EXPECT_TRUE(change([&] { return text->setSwitched(true); }));
    EXPECT_FALSE(hostElement(host, guid).switchedOff);
}

TEST_F(Elements, UserDataSurvivesAProjectSaveAndReopen) {
    Creators creators{16};
    TempFolder folder;
    API_Guid guid = addHostElement(host, 16);
    std::unique_ptr<Element> label = read(guid);
    ASSERT_TRUE(change([&] { return label->storeUserData(blockOf("<annotation/>"), 0, false, 12); }));
    ASSERT_EQ(host.saveAndReopenProject(folder.path("kept.zavproj")), hosterr::Ok);
    std::unique_ptr<Element> reread = read(guid);
    ASSERT_NE(reread, nullptr);
    std::unique_ptr<MemoryBlock> data = reread->getUserData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(bytesOf(*data), "<annotation/>");
    EXPECT_EQ(reread->getUserDataFlags(), 12u);
}

TEST_F(Elements, CopyClonesListsAndDataSharesTheModelAndAsksAgainForTheInfoText) {
    API_Guid guid = addHostElement(host, 15, nullptr, [](zavhost::StoredElement& e) { e.infoText = "T-1"; });
    ElementLink link(Guid(guid), Host::getPlan());
    API_Element record;
    record.head.typeCode = 15;
    CubeElement original(record, link);
    original.setUserData(std::make_unique<MemoryBlock>(blockOf("abc")));
    original.addTransformation(std::make_unique<Transformation>());
    original.addTransformation(std::make_unique<Transformation>());
    EXPECT_EQ(original.getInfoString(false), "T-1");
    std::shared_ptr<Element3D> model = original.getElement3D();
    ASSERT_NE(model, nullptr);

    CubeElement copy(original);
    EXPECT_EQ(copy.getTransformCount(), 2u);
    EXPECT_EQ(copy.getElement3D(), model); // shared, not built again
    EXPECT_EQ(copy.builds, 1);
    EXPECT_EQ(bytesOf(*copy.getUserData()), "abc");
    size_t before = mark();
    EXPECT_EQ(copy.getInfoString(true), "text: T-1");
    EXPECT_EQ(host.calls().count("GCIS", before), 1u);

    EXPECT_NE(copy.takeTransformation(), nullptr);
    EXPECT_NE(copy.takeTransformation(), nullptr);
    EXPECT_EQ(copy.getTransformCount(), 0u);
    EXPECT_EQ(copy.takeTransformation(), nullptr);
    EXPECT_EQ(original.getTransformCount(), 2u);

    CubeElement assigned(record, link);
    assigned.setInfoString(String("own"));
    assigned = original;
    EXPECT_EQ(assigned.getInfoString(false), "own"); // an assigned element keeps its own texts
    copy.releaseElement3D();
    EXPECT_EQ(model.use_count(), 3); // this one, the original's and the assigned one's
}

TEST_F(Elements, InfoTextThePrefixIsWhatTheLongerTextAddsAShorterOneGivesNoneAndWithoutAnIdItIsAll) {
    API_Guid guid = addHostElement(host, 18, nullptr, [](zavhost::StoredElement& e) { e.infoText = "H-01"; });
    ElementLink link(Guid(guid), Host::getPlan());
    TestElement hatch(API_Element(), link);
    EXPECT_EQ(hatch.getInfoString(true), "hatch: H-01");
    EXPECT_EQ(hatch.getInfoPrefix(), "hatch: ");
    size_t before = mark();
    EXPECT_EQ(hatch.getInfoString(false), "H-01");
    EXPECT_EQ(mark(), before); // cached

    host.databaseCalls().add("GEIS", [](zavhost::SelectorCall& call) {
        *static_cast<GS::UniString*>(call.args[1]) = GS::UniString("H");
        return hosterr::Ok;
    });
    TestElement shorter(API_Element(), link);
    EXPECT_EQ(shorter.getInfoString(true), "H-01");
    EXPECT_EQ(shorter.getInfoPrefix(), "");

    // Without an ID text both texts are still asked, each time, and the prefix is all of the
    // prefixed text.
    hostElement(host, guid).infoText.clear();
    host.databaseCalls().add("GEIS", [](zavhost::SelectorCall& call) {
        *static_cast<GS::UniString*>(call.args[1]) = GS::UniString("hatch: ");
        return hosterr::Ok;
    });
    TestElement empty(API_Element(), link);
    before = mark();
    EXPECT_EQ(empty.getInfoString(true), "hatch: ");
    EXPECT_EQ(empty.getInfoString(false), "");
    EXPECT_EQ(empty.getInfoPrefix(), "hatch: ");
    EXPECT_EQ(host.calls().count("GCIS", before), 3u);
    EXPECT_EQ(host.calls().count("GEIS", before), 3u);
}

TEST_F(Elements, MergeTakesOnlyWhatTheChangeMadeDifferent) {
    Plan* plan = Host::getPlan();
    auto make = [plan](int16_t storey, uint16_t layer, uint32_t phase, uint64_t merged) {
        ElementLink link(ElementLink::makeTypeId(1), plan);
        link.getHome().setStoreyIndex(static_cast<uint32_t>(storey));
        TestElement element(link);
        element.getRecord().layer = layer;
        element.getRecord().phase = phase;
        element.getRecord().mergedGuid = API_Guid::fromHalves(merged, merged);
        return element;
    };
    TestElement mine = make(0, 5, 2, 7);
    TestElement reference = make(0, 2, 1, 3);
    mine.mergeChanges(reference, reference);
    EXPECT_EQ(mine.getRecord().layer, 5);
    EXPECT_EQ(mine.getRecord().phase, 2u);
    EXPECT_EQ(mine.getLink().getHome().getStoreyIndex(), 0u);
    EXPECT_EQ(mine.overrides, OverrideSet(4, 5, 1));

    TestElement changed = make(0, 3, 1, 3); // only the layer
    mine.mergeChanges(changed, reference);
    EXPECT_EQ(mine.getRecord().layer, 3);
    EXPECT_EQ(mine.getRecord().phase, 2u);
    EXPECT_EQ(mine.getRecord().mergedGuid, API_Guid::fromHalves(7, 7));

    TestElement moved = make(1, 2, 3, 9);
    mine.overrides.setC(8);
    mine.overrides.setFlag(1);
    mine.mergeChanges(moved, reference);
    EXPECT_EQ(mine.getLink().getHome().getStoreyIndex(), 1u);
    EXPECT_EQ(mine.overrides.getC(), 0);
    EXPECT_EQ(mine.overrides.getFlag(), 0);
    EXPECT_EQ(mine.overrides.getA(), 4); // the rest of the set stays
    EXPECT_EQ(mine.getRecord().phase, 3u);
    EXPECT_EQ(mine.getRecord().mergedGuid, API_Guid::fromHalves(9, 9));
    ASSERT_NE(mine.getStorey(), nullptr);
    EXPECT_EQ(mine.getStorey()->getIndex(), 1u);
    EXPECT_TRUE(mine.isOnStorey(*mine.getStorey()));
}

// The floor plan and the 3D model name their databases by kind, and an element of either by its
// storey; a view named by its Guid says nothing of storeys.
TEST_F(Elements, AnElementOfThePlanOrTheModelIsOnItsStoreyAndOfAViewOnNone) {
    const Storey first(nullptr, String("First"), 1, 3.0, 3.0);
    const Storey ground(nullptr, String("Ground"), 0, 0.0, 3.0);
    const struct {
        uint32_t kind;
        Guid database;
        bool onFirst;
    } homes[] = {
        {DatabasePlan, Guid(), true},
        {DatabaseModel, Guid(), true},
        {DatabaseSection, Guid(3, 4), false},
    };
    for (const auto& home : homes) {
        ElementLink link(ElementLink::makeTypeId(1), 0u);
        link.getHome() = DatabaseRef(home.kind, home.database, 1);
        TestElement wall(link);
        EXPECT_EQ(wall.isOnStorey(first), home.onFirst) << home.kind;
        EXPECT_FALSE(wall.isOnStorey(ground)) << home.kind;
    }
}

TEST_F(Elements, EditableEditBlockLockOwnerAndLayerEachBlockIt) {
    ElementLink link(ElementLink::makeTypeId(1), Host::getPlan());
    TestElement wall(link);
    wall.getRecord().layer = 2;
    EXPECT_TRUE(wall.isEditable());
    wall.getRecord().editBlockGuid = zavhost::newGuid();
    EXPECT_FALSE(wall.isEditable());
    wall.getRecord().editBlockGuid = API_Guid();
    wall.setLocked(true);
    EXPECT_TRUE(wall.isLocked());
    EXPECT_FALSE(wall.isEditable());
    wall.setLocked(false);
    setLayerFlags(host, 2, LayerLocked);
    EXPECT_FALSE(wall.isEditable());
    setLayerFlags(host, 2, LayerHidden);
    EXPECT_FALSE(wall.isEditable());
    setLayerFlags(host, 2, 0);

    host.project()->model.settings.shared = true;
    host.project()->model.settings.users = {{"me", "Me", zavhost::newGuid(), 7, 0},
                                            {"other", "Other", zavhost::newGuid(), 9, 0}};
    Host::getProject()->reset();
    wall.getRecord().ownerUserId = 9;
    wall.getRecord().lockWord = 1; // the lock word counts only outside a shared project
    EXPECT_FALSE(wall.isEditable());
    wall.getRecord().ownerUserId = 7;
    EXPECT_TRUE(wall.isEditable());
    wall.setLocked(false); // not in a shared project's element
    EXPECT_TRUE(wall.isLocked());
}

TEST_F(Elements, GeometryAreaBoundsMaterialQuantitiesAndNodePoints) {
    API_Guid guid = addHostElement(host, 24, nullptr, [](zavhost::StoredElement& e) {
        e.nodes = {{1, 2, 5}, {-3, 4, 7}};
    });
    ElementLink link(Guid(guid), Host::getPlan());
    CubeElement cube(API_Element(), link);
    EXPECT_NEAR(cube.getSurfaceArea(), 6.0, 1e-9);
    std::unique_ptr<Cube> box = cube.getBounds(false);
    ASSERT_NE(box, nullptr);
    EXPECT_NEAR(box->getZSize(), 1.0, 1e-9);
    EXPECT_NEAR(cube.getMeasureF(), 1.0, 1e-9);

    box = cube.getBounds(true); // the host's box, flat at the elevation
    ASSERT_NE(box, nullptr);
    EXPECT_DOUBLE_EQ(box->getMin().getX(), -3.0);
    EXPECT_DOUBLE_EQ(box->getMax().getY(), 4.0);
    EXPECT_DOUBLE_EQ(box->getZSize(), 0.0);

    TestElement flat(API_Element(), link); // no 3D model: the host's box
    EXPECT_EQ(flat.getElement3D(), nullptr);
    EXPECT_DOUBLE_EQ(flat.getSurfaceArea(), 0.0);
    EXPECT_DOUBLE_EQ(flat.getBoundsXSize(), 4.0);
    EXPECT_DOUBLE_EQ(flat.getLength(), 4.0);
    TestElement fresh(ElementLink(ElementLink::makeTypeId(24), Host::getPlan()));
    EXPECT_EQ(fresh.getBounds(false), nullptr); // no Guid: neither a model nor a host box

    // Composite layers are summed for the asked material.
    API_Guid slabGuid = addHostElement(host, 8, nullptr, [](zavhost::StoredElement& slab) {
        setHostPolygon(slab, {{{0, 0}, {5, 0}, {5, 2}, {0, 2}}});
    });
    struct Layered : TestElement {
        using TestElement::TestElement;
        uint32_t getStructureType() const override { return 1; }
    } slab(API_Element(), ElementLink(Guid(slabGuid), Host::getPlan()));
    EXPECT_DOUBLE_EQ(slab.getMaterialQuantity(1), 10.0 * 0.2);
    EXPECT_DOUBLE_EQ(slab.getMaterialQuantity(2), 10.0 * 0.02);
    EXPECT_DOUBLE_EQ(slab.getMaterialQuantity(3), 0.0);
    EXPECT_DOUBLE_EQ(slab.getCompositeQuantity(1), 0.0); // no composite pattern
    TestElement basic(API_Element(), ElementLink(Guid(slabGuid), Host::getPlan()));
    EXPECT_DOUBLE_EQ(basic.getMaterialQuantity(1), 0.0);

    // The node walk stops at the cap when the host never refuses.
    API_Guid hotspotGuid = addHostElement(host, 24, nullptr, [](zavhost::StoredElement& e) {
        e.nodes = {{1, 2, 0}, {3, 4, 0}, {5, 6, 1}};
    });
    TestElement hotspot(API_Element(), ElementLink(Guid(hotspotGuid), Host::getPlan()));
    std::vector<CadPoint> points;
    EXPECT_EQ(hotspot.getNodePoints(points), 3u);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_DOUBLE_EQ(points[2].getZ(), 1.0);

    host.utilityCalls().add("NTOC", [](zavhost::SelectorCall&) { return hosterr::Ok; });
    points.clear();
    EXPECT_EQ(hotspot.getNodePoints(points), size_t(Element::MaxNodePoints));
}

TEST_F(Elements, RelationsAndAssociationsAreCopiedInsideAStepAndAnElementBecomesTheDefault) {
    Plan* plan = Host::getPlan();
    API_Guid from = addHostElement(host, 1);
    API_Guid other = addHostElement(host, 1);
    API_Guid mine = addHostElement(host, 1);
    API_Guid kept = addHostElement(host, 1);
    auto& relations = host.project()->model.relations;
    relations.relationCodes.set({from, other}, fourCC("CONN"));
    relations.associations.set({from, other}, {3, 4});
    relations.associations.set({mine, kept}, {1, 1});
    TestElement source(API_Element(), ElementLink(Guid(from), plan));
    TestElement element(API_Element(), ElementLink(Guid(mine), plan));

    EXPECT_FALSE(element.copyRelations(source)); // refused outside a step
    ASSERT_TRUE(change([&] { return element.copyRelations(source); }));
    ASSERT_NE(relations.relationCodes.find({other, mine}), nullptr);
    EXPECT_EQ(*relations.relationCodes.find({other, mine}), fourCC("CONN"));

    TestElement lonely(API_Element(), ElementLink(Guid(kept), plan));
    ASSERT_TRUE(change([&] { return element.copyAssociations(lonely.getLink(), true); }));
    EXPECT_EQ(relations.associations.count({mine, kept}), 1u); // nothing to copy: own ones stay
    ASSERT_TRUE(change([&] { return element.copyAssociations(source.getLink(), true); }));
    EXPECT_EQ(relations.associations.count({mine, kept}), 0u);
    ASSERT_NE(relations.associations.find({mine, other}), nullptr);
    EXPECT_EQ(*relations.associations.find({mine, other}), (std::pair<uint32_t, uint32_t>(3, 4)));

    // An element becomes its type's default with its user data.
    ElementLink link(ElementLink::makeTypeId(15), plan);
    TestElement text(link);
    text.getRecord().layer = 3;
    text.setUserData(std::make_unique<MemoryBlock>(blockOf("default data")));
    ASSERT_TRUE(text.setAsDefault());
    const zavhost::DefaultElement held = host.project()->model.defaults.get(15, 0);
    EXPECT_EQ(held.record.head.layer, 3);
    ASSERT_TRUE(held.userData.has_value());
    EXPECT_EQ(held.userData->bytes, "default data");

    TestElement reader(link);
    API_Element record;
    API_ElementMemo memo;
    ASSERT_TRUE(reader.getDefaults(record, &memo));
    EXPECT_EQ(record.head.layer, 3);
    EXPECT_EQ(record.head.typeCode, 15u);
    ACAPDisposeElementMemo(&memo);
}
