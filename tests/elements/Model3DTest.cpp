// The 3D window through the stand-in host: its exported model walked both ways, bounds, finishes
// from the model and from the host's material component, the camera, a project reset and a
// project change.
#include "ElementTestSupport.h"

#include "elements/Element3D.h"
#include "geometry/Cube.h"
#include "geometry/Projection.h"
#include "platform/host/Project.h"
#include "platform/io/Location.h"
#include "platform/modeler/Model.h"
#include "project/Model.h"
#include "project/Plan.h"
#include "project/Project.h"

using namespace tarnwick;
using elementtest::addHostElement;

namespace {

class Model3DTest : public elementtest::HostTest {
protected:
    Model& model() { return *Host::getProject()->getModel(); }
    // A wall standing on the box of two nodes.
    API_Guid addWall(double x1, double y1, double x2, double y2) {
        return addHostElement(host, 1, nullptr, [&](zavhost::StoredElement& e) {
            e.nodes = {{x1, y1, 0.0}, {x2, y2, 0.0}};
        });
    }
    int16_t addSurface(const std::string& name, const std::function<void(API_Attribute&)>& fill = nullptr) {
        API_Attribute record;
        record.header.typeCode = AttrSurface;
        std::snprintf(record.header.name, sizeof record.header.name, "%s", name.c_str());
        if (fill) fill(record);
        EXPECT_EQ(host.project()->model.attributes.create(&record, nullptr), hosterr::Ok);
        return record.header.index;
    }
    std::vector<Guid> walk(bool forward) {
        std::vector<Guid> seen;
        if (forward)
            for (auto it = model().begin(Drawing::Filter()); !it.atEnd(); ++it)
                seen.push_back(it->getLink().getGuid());
        else
            for (auto it = model().rbegin(Drawing::Filter()); !it.atEnd(); ++it)
                seen.push_back(it->getLink().getGuid());
        return seen;
    }
};

TEST_F(Model3DTest, WalksVisitEveryElementOnceInOrderAndNoneOfAnEmptyModel) {
    EXPECT_EQ(model().getElementCount(), 0);
    EXPECT_TRUE(model().begin(Drawing::Filter()).atEnd());
    EXPECT_TRUE(model().rbegin(Drawing::Filter()).atEnd());
    ASSERT_NE(model().getBounds(), nullptr);

    std::vector<Guid> made;
    for (int i = 0; i < 3; ++i)
        made.emplace_back(addWall(i, 0.0, i + 0.5, 1.0));
    addHostElement(host, 5); // a text has no 3D
    model().reset();
    ASSERT_EQ(model().getElementCount(), 3);
    EXPECT_EQ(walk(true), made);
    EXPECT_EQ(walk(false), std::vector<Guid>(made.rbegin(), made.rend()));
    // Each step makes the 3D window current; one that cannot ends the walk.
    auto it = model().begin(Drawing::Filter());
    ASSERT_TRUE(Host::getProject()->setCurrentDatabase(Host::getProject()->getPlan()));
    host.faults().set("CDAT", 1, 1, hosterr::Failed);
    ++it;
    EXPECT_TRUE(it.atEnd());
    host.faults().clear();

    std::unique_ptr<Element3D> last = model().getElement3D(2);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->getLink().getGuid(), made[2]);
    ASSERT_EQ(last->getBodyCount(), 1u);
    EXPECT_EQ(last->getBody(0).getFaceCount(), 6u); // a box: bottom, top and four sides
    EXPECT_EQ(*last->getBounds(), Cube(2.0, 0.0, 0.0, 2.5, 1.0, 3.0));
    EXPECT_EQ(model().getElement3D(3), nullptr);
}

TEST_F(Model3DTest, BoundsCoverEveryElementBetweenItsBottomAndTop) {
    const API_Guid high = addWall(-1.0, -2.0, 1.0, 0.0);
    addWall(3.0, 1.0, 4.0, 5.0);
    host.project()->model.model3d.extents[high] = {2.0, 9.5, 0};
    std::unique_ptr<Cube> bounds = model().getBounds();
    ASSERT_NE(bounds, nullptr);
    EXPECT_EQ(*bounds, Cube(-1.0, -2.0, 0.0, 4.0, 5.0, 9.5));
}

TEST_F(Model3DTest, FinishesComeFromTheModelUpToItsCountAndFromTheHostAbove) {
    const int16_t brick = addSurface("Brick");
    const int16_t tiles = addSurface("Tiles", [](API_Attribute& r) {
        r.surface.textureFlags = SurfaceHasTexture;
        std::u16string name = u"tiles.png";
        std::copy(name.begin(), name.end(), r.surface.textureName);
    });
    host.project()->model.model3d.textures[tiles] = {2, 1,
                                                     std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8)};
    host.project()->model.attributes.edit(AttrSurface, tiles)->texturePath = "/textures/tiles.png";
    ASSERT_NE(model().getExportedModel(), nullptr);
    const int16_t later = addSurface("Later"); // after the export

    Finish plain = model().getFinish(brick);
    EXPECT_EQ(plain.getName(), String("Brick"));
    EXPECT_NE(plain.getMaterial3D(), nullptr);
    EXPECT_FALSE(plain.hasTexture());

    Finish textured = model().getFinish(tiles);
    ASSERT_NE(textured.getTexture3D(), nullptr);
    EXPECT_TRUE(textured.hasTexture());
    EXPECT_EQ(textured.getTextureName(), String("tiles.png"));
    EXPECT_EQ(textured.getTexture3D()->GetPixelMapSize(), 2);

    const size_t before = mark();
    const int64_t locations = IO::Location::LiveCount();
    Finish above = model().getFinish(later);
    EXPECT_EQ(above.getMaterial3D(), nullptr);
    EXPECT_EQ(above.getName(), String("Later"));
    EXPECT_EQ(host.calls().count("Get3DComponent", before), 1u);
    // The host's location of a textured surface is not kept twice.
    { Finish component = model().lookupFinish(tiles); }
    EXPECT_EQ(IO::Location::LiveCount(), locations);
    for (int32_t outside : {0, -1, 200})
        EXPECT_FALSE(model().getFinish(outside).exists()) << outside;
}

TEST_F(Model3DTest, BothCameraKindsRoundTrip) {
    std::shared_ptr<Projection> first = model().getProjection();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(dynamic_cast<PerspectiveProjection*>(first.get()), nullptr);
    first->setCamera(CadPoint(5.0, -7.0, 2.0), CadPoint(1.0, 1.0, 1.0));
    ASSERT_EQ(model().setProjection(*first), hosterr::Ok);
    std::shared_ptr<Projection> again = model().getProjection();
    ASSERT_NE(dynamic_cast<PerspectiveProjection*>(again.get()), nullptr);
    EXPECT_EQ(again->getCameraPosition(), CadPoint(5.0, -7.0, 2.0));

    HostCameraRecord parallel;
    parallel.isPerspective = 0;
    parallel.parallel = HostParallelCamera();
    parallel.parallel.camera = {3.0, 4.0, 5.0};
    OrthogonalProjection orthogonal(parallel);
    ASSERT_EQ(model().setProjection(orthogonal), hosterr::Ok);
    std::shared_ptr<Projection> read = model().getProjection();
    ASSERT_NE(dynamic_cast<OrthogonalProjection*>(read.get()), nullptr);
    EXPECT_EQ(read->getScale(), 1.0);
    EXPECT_EQ(read->getCameraPosition(), CadPoint(3.0, 4.0, 5.0));
}

TEST_F(Model3DTest, TheModelIsKeptWithinAHostCallAndAskedForAgainAfterTheProjectIsReset) {
    addWall(0.0, 0.0, 1.0, 1.0);
    ASSERT_EQ(model().getElementCount(), 1);
    addWall(2.0, 0.0, 3.0, 1.0);
    const size_t before = mark();
    EXPECT_EQ(model().getElementCount(), 1); // what the host handed out, until the reset
    EXPECT_EQ(host.calls().count("Get3DModel", before), 0u);
    // Each new host call resets the project: the host's model of the last call is no longer the
    // model, so it is asked for again, not exported once more from the old handle.
    Host::getProject()->reset();
    EXPECT_EQ(model().getElementCount(), 2);
    EXPECT_EQ(host.calls().count("Get3DModel", before), 1u);
}

TEST_F(Model3DTest, AfterAnotherProjectOpensTheModelIsThatProjects) {
    addWall(0.0, 0.0, 1.0, 1.0);
    addWall(2.0, 0.0, 3.0, 1.0);
    ASSERT_EQ(model().getElementCount(), 2);
    ASSERT_EQ(host.newProject("Other"), hosterr::Ok);
    addWall(0.0, 0.0, 1.0, 1.0);
    EXPECT_EQ(model().getElementCount(), 1);
}

TEST_F(Model3DTest, WithoutTheHostsModelFunctionCountsAreZero) {
    addWall(0.0, 0.0, 1.0, 1.0);
    ASSERT_EQ(host.unloadModule(), hosterr::Ok);
    ASSERT_EQ(host.withoutFunction("Get3DModel"), hosterr::Ok);
    ASSERT_EQ(module.reattach(), hosterr::Ok);
    EXPECT_EQ(model().getElementCount(), 0);
    EXPECT_EQ(model().getBounds(), nullptr);
    EXPECT_TRUE(model().begin(Drawing::Filter()).atEnd());
    EXPECT_EQ(model().getElement3D(0), nullptr);
}

} // namespace
