// Meshes and free forms through the stand-in host: level lines and points written and read back,
// level ends that do not fit, level points taken onto the outline, a memo that cannot be written
// whole, free forms whose saves keep the host's memo and whose copies share their bodies, and the
// user's edits moving level points and bodies.
#include <gtest/gtest.h>

#include <cstring>

#include "Environment/Memory.h"
#include "construction/ConstructionFactory.h"
#include "construction/FreeForm.h"
#include "construction/Mesh.h"
#include "elements/ElementTestSupport.h"
#include "platform/host/MeshParts.h"
#include "platform/host/RecordFields.h"
#include "platform/host/StoredBlocks.h"
#include "project/ElementMemo.h"
#include "project/MemoStore.h"
#include "project/Plan.h"

using namespace tarnwick;
using namespace elementtest;

namespace {

constexpr uint32_t levelCoordinates = offsetof(API_ElementMemo, levelCoordinates);
constexpr uint32_t levelEnds = offsetof(API_ElementMemo, levelEnds);

template <class T> std::string bytesOf(const std::vector<T>& items) {
    return std::string(reinterpret_cast<const char*>(items.data()), items.size() * sizeof(T));
}

std::vector<HostLevelCoordinate> levelRecords(size_t count) {
    std::vector<HostLevelCoordinate> records(count);
    for (size_t i = 0; i < count; ++i)
        records[i] = {double(i), 1.0, double(i) / 2.0, uint32_t(i + 1), {}};
    return records;
}

std::unique_ptr<CadPolygon> square(double size) {
    auto outline = std::make_unique<CadPolygon>();
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {size, 0.0}, {size, size}, {0.0, size}})
        outline->append(new PolyPoint(CadPoint(x, y, 0.0)));
    return outline;
}

std::unique_ptr<CadPolygon> line(std::initializer_list<CadPoint> points) {
    auto made = std::make_unique<CadPolygon>(0, 0, false);
    for (const CadPoint& p : points)
        made->append(new PolyPoint(p));
    return made;
}

class Meshes : public HostTest {
protected:
    Meshes() { registerConstructionElementCreators(); }
    ~Meshes() override { releaseElementCreators(); }

    // A host mesh over a 10 by 10 square, with the level blocks given (none when empty).
    API_Guid addMesh(const std::string& coordinates = {}, const std::string& ends = {}) {
        return addHostElement(host, Mesh::TypeCode, nullptr, [&](zavhost::StoredElement& e) {
            zavhost::setDefaultMeshSettings(e.record);
            std::vector<HostCoord2D> points{{0, 0}, {0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
            e.memo.blocks[offsetof(API_ElementMemo, coordinates)].bytes = bytesOf(points);
            e.memo.blocks[offsetof(API_ElementMemo, subPolygonEnds)].bytes =
                bytesOf(std::vector<uint32_t>{0, 5});
            e.memo.blocks[offsetof(API_ElementMemo, vertexDoubles)].bytes =
                bytesOf(std::vector<double>(6, 0.0));
            if (!coordinates.empty()) e.memo.blocks[levelCoordinates].bytes = coordinates;
            if (!ends.empty()) e.memo.blocks[levelEnds].bytes = ends;
            ASSERT_EQ(zavhost::settleMeshParts(e), "");
        });
    }

    template <class T> std::unique_ptr<T> read(const API_Guid& guid) {
        Plan* plan = Host::getPlan();
        std::unique_ptr<Element> element = plan->get(ElementLink(Guid(guid), plan));
        auto* typed = dynamic_cast<T*>(element.get());
        if (typed == nullptr) return nullptr;
        (void)element.release();
        return std::unique_ptr<T>(typed);
    }

    const zavhost::StoredElement& stored(const API_Guid& guid) {
        return *host.project()->model.views.findElement(guid);
    }
};

} // namespace

TEST_F(Meshes, LevelLinesAndAPointWriteEightRecordsWithRunningEndsAndReadBack) {
    std::unique_ptr<Mesh> mesh = read<Mesh>(addMesh());
    ASSERT_NE(mesh, nullptr);
    ASSERT_TRUE(mesh->MeshMemo::ensureLoaded(*mesh));
    mesh->addLevelLine(line({{1, 1, 1}, {2, 1, 2}, {3, 1, 3}}).release());
    mesh->addLevelLine(line({{1, 5, 1}, {2, 5, 2}, {3, 5, 3}, {4, 5, 4}}).release());
    mesh->addLevelPoint(new PolyPoint(CadPoint(5, 5, 7)));
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*mesh, false, true); }));

    const zavhost::StoredMemo& memo = stored(mesh->getGuid().toAPI()).memo;
    EXPECT_EQ(memo.blocks.at(levelCoordinates).bytes.size(), 8 * sizeof(HostLevelCoordinate));
    EXPECT_EQ(memo.blocks.at(levelEnds).bytes, bytesOf(std::vector<uint32_t>{3, 7, 8}));
    EXPECT_EQ(zavhost::partOf<HostMeshElement>(stored(mesh->getGuid().toAPI()).record).levelPart.endCount,
              3u);

    std::unique_ptr<Mesh> back = read<Mesh>(mesh->getGuid().toAPI());
    ASSERT_TRUE(back->MeshMemo::ensureLoaded(*back));
    ASSERT_EQ(back->getLevelLineCount(), 2u);
    EXPECT_EQ(back->getLevelLine(0)->getVertexCount(), 3u);
    EXPECT_EQ(back->getLevelLine(1)->getVertexCount(), 4u);
    EXPECT_DOUBLE_EQ(back->getLevelLine(1)->getVertex(3).getZ(), 4.0);
    ASSERT_EQ(back->getLevelPointCount(), 1u);
    EXPECT_DOUBLE_EQ(back->getLevelPoint(0).getZ(), 7.0);
    EXPECT_THROW((void)back->getLevelLine(5), std::out_of_range);

    // Cleared level data are gone from the host once saved, not kept from before.
    back->clearLevelLines();
    back->clearLevelPoints();
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*back, false, true); }));
    EXPECT_EQ(stored(back->getGuid().toAPI()).memo.blocks.count(levelEnds), 0u);
}

TEST_F(Meshes, AGroupOfOneCoordinateBetweenTwoLinesReadsAsALoosePoint) {
    std::unique_ptr<Mesh> mesh =
        read<Mesh>(addMesh(bytesOf(levelRecords(7)), bytesOf(std::vector<uint32_t>{3, 4, 7})));
    ASSERT_TRUE(mesh->MeshMemo::ensureLoaded(*mesh));
    EXPECT_EQ(mesh->getLevelLineCount(), 2u);
    ASSERT_EQ(mesh->getLevelPointCount(), 1u);
    EXPECT_DOUBLE_EQ(mesh->getLevelPoint(0).getX(), 3.0);
    EXPECT_EQ(mesh->getLevelPoint(0).getId(), 4u);
    EXPECT_EQ(mesh->getLevelVertexCount(true), 7u);
}

TEST_F(Meshes, LevelEndsThatDoNotFitReadNothingAndLeaveTheMemoUnloaded) {
    struct Case {
        const char* name;
        std::string ends;
    };
    const Case cases[] = {
        {"past the coordinates", bytesOf(std::vector<uint32_t>{3, 99})},
        {"decreasing", bytesOf(std::vector<uint32_t>{3, 2, 8})},
        {"a repeated end", bytesOf(std::vector<uint32_t>{3, 3, 8})},
        {"a short end handle", std::string(2, '\x03')},
    };
    Mesh mesh{ElementLink(), API_Element()};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        API_ElementMemo* block = allocateElementMemo();
        const std::string coordinates = bytesOf(levelRecords(8));
        block->levelCoordinates = allocateHandle(static_cast<GSSize>(coordinates.size()));
        std::memcpy(*block->levelCoordinates, coordinates.data(), coordinates.size());
        block->levelEnds = allocateHandle(static_cast<GSSize>(c.ends.size()));
        std::memcpy(*block->levelEnds, c.ends.data(), c.ends.size());
        ElementMemoStore store(block);
        mesh.addLevelPoint(new PolyPoint(CadPoint(1, 1, 1)));
        const bool shortHandle = c.ends.size() < sizeof(uint32_t);
        // A short end handle holds no group: nothing to read, the memo loaded and empty.
        EXPECT_EQ(mesh.MeshMemo::readMemo(store), shortHandle);
        EXPECT_EQ(mesh.MeshMemo::isLoaded(), shortHandle);
        EXPECT_EQ(mesh.getLevelVertexCount(true), 0u);
    }
    // The host keeps no mesh whose level ends run past its coordinates either.
    zavhost::StoredElement bad = stored(addMesh());
    bad.memo.blocks[levelCoordinates].bytes = bytesOf(levelRecords(8));
    bad.memo.blocks[levelEnds].bytes = bytesOf(std::vector<uint32_t>{3, 99});
    EXPECT_NE(zavhost::settleMeshParts(bad), "");
}

TEST_F(Meshes, LevelPointsSnapToAVertexAreInsertedOnAnEdgeAndLeaveTheInsideAlone) {
    struct Case {
        const char* name;
        HostLevelCoordinate point;
        size_t vertices;
        double originZ; // of the outline's vertex at the origin
    };
    const Case cases[] = {
        {"1e-6 from a vertex", {1e-6, 0.0, 5.0, 1, {}}, 4, 5.0},
        {"in the middle of an edge", {5.0, 0.0, 2.0, 1, {}}, 5, 0.0},
        {"inside", {5.0, 5.0, 1.0, 1, {}}, 4, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Mesh> mesh = read<Mesh>(
            addMesh(bytesOf(std::vector<HostLevelCoordinate>{c.point}), bytesOf(std::vector<uint32_t>{1})));
        std::unique_ptr<CadPolygon> outline = mesh->getOutline();
        ASSERT_NE(outline, nullptr);
        EXPECT_EQ(outline->getVertexCount(), c.vertices);
        EXPECT_DOUBLE_EQ(outline->getVertex(outline->findVertex(CadPoint())).getZ(), c.originZ);
        const uint32_t inserted = outline->findVertex(CadPoint(5.0, 0.0, 0.0));
        EXPECT_EQ(inserted != CadPolygon::kNotFound, c.vertices == 5);
        if (inserted != CadPolygon::kNotFound) {
            EXPECT_DOUBLE_EQ(outline->getVertex(inserted).getZ(), 2.0);
        }
    }
}

TEST_F(Meshes, AMeshWhoseLevelDataCannotBeWrittenBuildsNoMemo) {
    Mesh mesh;
    mesh.setPolygon(square(10));
    EXPECT_TRUE(mesh.heldPolygon()->getSecondFlag());
    MeshMemo& levels = mesh;
    levels.setLoaded(true);
    levels.addLevelLine(line({{1, 1, 1}, {2, 2, 2}}).release());
    uint64_t mask = 99;
    ASSERT_NE(mesh.buildMemo(mask), nullptr);
    EXPECT_EQ(mask, MemoPolygon | MemoVertexLevels | MemoMeshLevels);

    // A line of one vertex would come back as a point: the level memo wrote, the mesh memo did not.
    levels.addLevelLine(line({{3, 3, 3}}).release());
    EXPECT_EQ(mesh.buildMemo(mask), nullptr);
    EXPECT_EQ(mask, 0u);
    EXPECT_EQ(levels.getLevelLineCount(), 2u); // the edit is kept, not fetched over

    // Flag groups: all three or nothing.
    mesh.setFlagGroup(true, 1);
    mesh.setThirdGroupFlag(false, 1);
    EXPECT_FALSE(mesh.getFlagGroup(1));
    EXPECT_TRUE(mesh.getSecondGroupFlag(1));
    EXPECT_FALSE(mesh.getFlagGroup(2));
}

TEST_F(Meshes, AFreeFormReadSavedAndReadAgainKeepsEveryMemoPartTheHostHeld) {
    const API_Guid guid = addHostElement(host, FreeForm::TypeCode, nullptr, [](zavhost::StoredElement& e) {
        zavhost::setDefaultMeshSettings(e.record);
        e.memo = zavhost::defaultFreeFormMemo();
        e.memo.blocks[offsetof(API_ElementMemo, gables)].bytes = std::string(96, '\x07');
    });
    const zavhost::StoredMemo before = stored(guid).memo;
    std::unique_ptr<FreeForm> form = read<FreeForm>(guid);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(form->readBodies());
    EXPECT_EQ(form->getBodyCount(), 1u);
    EXPECT_FALSE(form->BodyMemo::readMemo(*std::make_unique<ElementMemoStore>()));
    EXPECT_FALSE(form->BodyMemo::isLoaded());
    ASSERT_TRUE(form->readBodies());
    uint64_t mask = 99;
    ElementMemoPtr block = form->buildMemo(mask);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(mask, 0u); // nothing of its own: the host replaces no part
    EXPECT_NE(block->freeFormBody, nullptr);
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*form, false, true); }));
    EXPECT_EQ(stored(guid).memo, before);

    // A copy placed as a new element takes the body of the free form it was copied from.
    FreeForm copy(*form);
    copy.clearGuid();
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(copy, true, true); }));
    ASSERT_NE(copy.getGuid().toAPI(), guid);
    EXPECT_EQ(stored(copy.getGuid().toAPI()).memo.blocks.at(offsetof(API_ElementMemo, freeFormBody)),
              before.blocks.at(offsetof(API_ElementMemo, freeFormBody)));
}

TEST_F(Meshes, FreeFormCopiesShareBodiesAndFinishes) {
    const API_Guid guid = addHostElement(host, FreeForm::TypeCode, nullptr, [](zavhost::StoredElement& e) {
        zavhost::setDefaultMeshSettings(e.record);
        e.memo = zavhost::defaultFreeFormMemo();
    });
    std::unique_ptr<FreeForm> form = read<FreeForm>(guid);
    ASSERT_TRUE(form->readBodies());
    FreeForm copy(*form);
    EXPECT_EQ(copy.getBodies(), form->getBodies());
    EXPECT_EQ(copy.getBody(0), form->getBody(0));
    BodyMemo& shared = copy;
    shared.setFinish(Finish(AttributeLink(7, AttrSurface)), 0);
    EXPECT_EQ(static_cast<BodyMemo&>(*form).getFinish(0).getIndex(), 7u);
    EXPECT_EQ(form->lookupFinish(0).getIndex(), 7u);
    EXPECT_EQ(form->BodyMemo::getFinish(-1).getIndex(), 0u);
    shared.setFinish(Finish(AttributeLink(9, AttrSurface)), 5); // outside the list: nothing
    EXPECT_EQ(form->getFinishCount(), 1u);
    EXPECT_THROW((void)form->getBody(1), std::out_of_range);

    // The element's surfaces by kind: 0 and 1 only.
    const uint32_t override = form->getFreeFormRecord().finishOverride;
    form->setFinish(Finish(AttributeLink(3, AttrSurface)), 2);
    EXPECT_EQ(form->getFreeFormRecord().finishOverride, override);
    form->setFinish(Finish(AttributeLink(uint32_t(0x10003), AttrSurface)), 1);
    Finish finish;
    form->getFinish(finish, 0);
    EXPECT_EQ(finish.getIndex(), 3u);

    // The reference point is the body's first corner.
    CadPoint reference;
    form->getReferencePoint(reference);
    EXPECT_DOUBLE_EQ(reference.getX(), 0.0);
    EXPECT_DOUBLE_EQ(reference.getZ(), 0.0);
}

TEST_F(Meshes, TheUsersEditsMoveLevelPointsAndBodies) {
    HostEditTransformation move;
    move.target = {1.0, 2.0, 3.0};
    for (size_t i : {0, 4, 8})
        move.matrix[i] = 1.0;
    zavhost::StoredElement mesh =
        stored(addMesh(bytesOf(levelRecords(2)), bytesOf(std::vector<uint32_t>{2})));
    zavhost::transformMeshParts(mesh, move);
    HostLevelCoordinate second;
    std::memcpy(static_cast<void*>(&second),
                mesh.memo.blocks.at(levelCoordinates).bytes.data() + sizeof second, sizeof second);
    EXPECT_DOUBLE_EQ(second.x, 2.0);
    EXPECT_DOUBLE_EQ(second.y, 3.0);
    EXPECT_DOUBLE_EQ(second.z, 3.5);
    EXPECT_EQ(second.vertexId, 2u);

    zavhost::StoredElement form;
    form.record.head.typeCode = FreeForm::TypeCode;
    form.memo = zavhost::defaultFreeFormMemo();
    zavhost::transformMeshParts(form, move);
    std::optional<zavhost::FreeFormBody> body = zavhost::freeFormBodyOf(form);
    ASSERT_TRUE(body);
    EXPECT_DOUBLE_EQ(body->contour[2].x, 2.0);
    EXPECT_DOUBLE_EQ(body->contour[2].y, 3.0);
    EXPECT_DOUBLE_EQ(body->bottom, 3.0);
    EXPECT_DOUBLE_EQ(body->top, 4.0);
}

TEST_F(Meshes, QuantitiesComeOneFieldEachFromTheOutlineAndTheBody) {
    std::unique_ptr<Mesh> mesh = read<Mesh>(addMesh());
    std::unique_ptr<FreeForm> form =
        read<FreeForm>(addHostElement(host, FreeForm::TypeCode, nullptr, [](zavhost::StoredElement& e) {
            zavhost::setDefaultMeshSettings(e.record);
            e.memo = zavhost::defaultFreeFormMemo();
        }));
    struct Case {
        const char* name;
        double value;
        double expected;
    };
    const Case cases[] = {
        {"mesh perimeter", mesh->getMeasureA(), 40.0},
        {"mesh area", mesh->getMeasureB(), 100.0},
        {"mesh measure J", mesh->getMeasureJ(), 1040.0},
        {"free-form surface", form->getSurfaceArea(), 6.0},
        {"free-form measure C", form->getMeasureC(), 6.0},
        {"free-form volume", form->getMeasureD(), 1.0},
        {"free-form height", form->getBoundsZSize(), 1.0},
        {"free-form perimeter", form->getOutlineMeasure(), 4.0},
        {"free-form area", form->getOutlineArea(), 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(c.value, c.expected);
    }
}

TEST_F(Meshes, MovingAMeshMovesItsOutlineAndLevelDataInPlan) {
    std::unique_ptr<Mesh> mesh =
        read<Mesh>(addMesh(bytesOf(levelRecords(1)), bytesOf(std::vector<uint32_t>{1})));
    ASSERT_TRUE(mesh->moveBy(CadPoint(1.0, 2.0, 5.0)));
    ASSERT_TRUE(change([&] { return Host::getPlan()->saveElement(*mesh, false, true); }));
    std::unique_ptr<Mesh> back = read<Mesh>(mesh->getGuid().toAPI());
    std::unique_ptr<CadPolygon> outline = back->getOutline();
    ASSERT_NE(outline, nullptr);
    EXPECT_NE(outline->findVertex(CadPoint(11.0, 12.0, 0.0)), CadPolygon::kNotFound);
    const PolyPoint& point = back->getLevelPoint(0);
    EXPECT_DOUBLE_EQ(point.getX(), 1.0);
    EXPECT_DOUBLE_EQ(point.getY(), 3.0);
    EXPECT_DOUBLE_EQ(point.getZ(), 0.0); // levels stay
    // A mesh without an outline cannot say where its points are: nothing moves.
    Mesh bare;
    EXPECT_FALSE(bare.moveBy(CadPoint(1.0, 0.0, 0.0)));
}
