// 3D bodies read from the stand-in host's 3D database: faces with holes, edges stored once with
// both their faces, bodies placed by their matrix and answering as the modeler does for the same
// prism, empty and failed bodies left out, summed counts, the stored parts' indices, and a stored
// body met by a plane.
#include "ElementTestSupport.h"

#include <set>
#include <stdexcept>

#include "Environment/HostCalls.h"
#include "elements/Element3D.h"
#include "geometry/LineList.h"
#include "geometry/Plane.h"
#include "platform/api/Model3DRecords.h"
#include "platform/host/Prism3D.h"
#include "platform/modeler/MeshBody.h"
#include "project/Finish.h"
#include "project/Plan.h"

using namespace tarnwick;
using elementtest::addHostElement;

namespace {

using Contours = std::vector<std::vector<HostCoord2D>>;

const Contours squareWithHole = {{{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{1, 1}, {1, 3}, {3, 3}, {3, 1}}};

class Bodies3D : public elementtest::HostTest {
protected:
    elementtest::Creators creators{7, 24};

    API_Guid addSlab(const Contours& contours, double bottom, double top) {
        const API_Guid guid = addHostElement(
            host, 7, nullptr, [&](zavhost::StoredElement& e) { elementtest::setHostPolygon(e, contours); });
        host.project()->model.model3d.extents[guid] = {bottom, top, 2};
        return guid;
    }
    std::unique_ptr<Element> read(const API_Guid& guid) {
        return Host::getPlan()->get(ElementLink(Guid(guid), Host::getPlan()));
    }
    std::unique_ptr<Element3D> bodiesOf(const API_Guid& guid) {
        std::unique_ptr<Element> element = read(guid);
        return element ? std::make_unique<Element3D>(*element, Host::getPlan()) : nullptr;
    }
    ModelerAPI::MeshBody exported(const API_Guid& guid) {
        const zavhost::StoredElement& element = *host.project()->model.views.findElement(guid);
        const zavhost::ElementExtent3D extent = zavhost::model3d::extentOf(*host.project(), element);
        return zavhost::model3d::prism(zavhost::model3d::footprintOf(element), extent.bottom, extent.top,
                                       extent.surface);
    }
};

TEST_F(Bodies3D, AnOutlineWithAHoleGivesFacesWithAHoleAndEveryEdgeIsStoredOnceWithBothItsFaces) {
    const API_Guid guid = addSlab(squareWithHole, 0.0, 3.0);
    std::unique_ptr<Element3D> model = bodiesOf(guid);
    ASSERT_EQ(model->getBodyCount(), 1u);
    const Body body = model->getBody(0);
    EXPECT_EQ(body.getVertexCount(), 16u);
    EXPECT_EQ(body.getEdgeCount(), 24u);
    ASSERT_EQ(body.getFaceCount(), 10u);

    CadPolygon top;
    ASSERT_TRUE(body.getFacePolygons(1, top));
    EXPECT_EQ(top.getVertexCount(), 4u);
    ASSERT_EQ(top.getHoleCount(), 1u);
    EXPECT_EQ(top.getHole(0).getVertexCount(), 4u);
    EXPECT_DOUBLE_EQ(top.getArea(true), 12.0);
    EXPECT_FALSE(body.getFacePolygons(10, top));
    EXPECT_EQ(top.getVertexCount(), 0u);

    // Each edge lies between two faces, both of which name it; the later face fills the first slot.
    std::vector<std::multiset<uint32_t>> named(body.getEdgeCount());
    for (size_t f = 0; f < body.getFaceCount(); ++f) {
        const Face face = body.getFace(f);
        for (size_t k = 0; k < face.getEdgeCount(); ++k)
            if (face.getEdgeIndex(k, false) != ContourSeparator)
                named.at(size_t(face.getEdgeIndex(k, false))).insert(uint32_t(f));
    }
    for (size_t e = 0; e < body.getEdgeCount(); ++e) {
        const Edge::Data edge = body.getEdge(e);
        EXPECT_GT(edge.getPolygon1(), edge.getPolygon2()) << e;
        EXPECT_EQ(named[e], (std::multiset<uint32_t>{edge.getPolygon1(), edge.getPolygon2()})) << e;
    }
    // Top and bottom 12 each, the outer sides 4 x 4 x 3, the hole's 4 x 2 x 3.
    EXPECT_NEAR(read(guid)->getSurfaceArea(), 96.0, 1e-9);
    EXPECT_EQ(*read(guid)->getBounds(false), Cube(0, 0, 0, 4, 4, 3));

    // Only the top lies in its plane; its outline keeps the hole.
    PolyList inPlane;
    body.getFacesInPlane(Plane(CadPoint(9, 9, 3), Vector3(0, 0, -2)), inPlane, 1e-5);
    ASSERT_EQ(inPlane.size(), 1u);
    EXPECT_EQ(inPlane[0]->getHoleCount(), 1u);
    inPlane.clear();
    body.getFacesInPlane(Plane(CadPoint(0, 0, 1), Vector3(0, 0, 1)), inPlane, 1e-5);
    EXPECT_EQ(inPlane.size(), 0u);
}

TEST_F(Bodies3D, AStoredBodyIsSplitByAPlaneThroughItAndItsTopGatheredByThePlaneAlongIt) {
    const Body body = bodiesOf(addSlab(squareWithHole, 0.0, 3.0))->getBody(0);
    LineList parts(true);
    // The 8 uprights are cut at half height; the outline and the hole run 16 + 8 round.
    EXPECT_EQ(body.getEdgesAgainstPlane(Plane(CadPoint(0, 0, 1.5), Vector3(0, 0, 1)), parts), 32u);
    double below = 0.0, above = 0.0;
    for (size_t i = 0; i < parts.size(); ++i)
        (parts.getCode(i) == Plane::kBelow ? below : above) += parts.getLine(i).getLength();
    EXPECT_NEAR(below, 24 + 8 * 1.5, 1e-9);
    EXPECT_NEAR(above, 24 + 8 * 1.5, 1e-9);

    Plane top(CadPoint(0, 0, 3), Vector3(0, 0, 1));
    PolyList faces;
    body.getFacesInPlane(top, faces, 1e-5, true);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(top.getFaceCount(), 1u);
    EXPECT_NEAR(top.getFaceArea(), 16.0 - 4.0, 1e-9);
    EXPECT_EQ(*top.getFaceBounds(), Cube(0, 0, 3, 4, 4, 3));
}

TEST_F(Bodies3D, ABodyIsPlacedByItsMatrixAndAnswersAsTheModelerDoesForTheSamePrism) {
    struct Case {
        Contours contours;
        double bottom, top;
    };
    const Case cases[] = {
        {{{{0, 0}, {2, 0}, {1, 1}}}, 0.0, 1.0}, // at the origin: no transformation
        {{{{10, 20}, {14, 20}, {14, 22}, {12, 21}, {10, 22}}}, 3.0, 5.5},
        {Contours{{{5, 5}, {9, 5}, {9, 9}, {5, 9}}, {{6, 6}, {6, 8}, {8, 8}, {8, 6}}}, -2.0, 0.5},
    };
    for (const Case& c : cases) {
        const API_Guid guid = addSlab(c.contours, c.bottom, c.top);
        std::unique_ptr<Element3D> model = bodiesOf(guid);
        ASSERT_EQ(model->getBodyCount(), 1u);
        const Body stored = model->getBody(0);
        const Body modeled(std::make_shared<ModelerAPI::MeshBody>(exported(guid)), nullptr);
        ASSERT_EQ(stored.getVertexCount(), modeled.getVertexCount());
        ASSERT_EQ(stored.getEdgeCount(), modeled.getEdgeCount());
        ASSERT_EQ(stored.getFaceCount(), modeled.getFaceCount());
        for (size_t v = 0; v < stored.getVertexCount(); ++v)
            EXPECT_EQ(stored.getVertex(v), modeled.getVertex(v)) << v;
        for (size_t e = 0; e < stored.getEdgeCount(); ++e) {
            EXPECT_EQ(stored.getEdge(e).getVertex1(), modeled.getEdge(e).getVertex1()) << e;
            EXPECT_EQ(stored.getEdge(e).getVertex2(), modeled.getEdge(e).getVertex2()) << e;
        }
        for (size_t f = 0; f < stored.getFaceCount(); ++f) {
            const Face a = stored.getFace(f), b = modeled.getFace(f);
            EXPECT_TRUE(a.getNormal().isEqual(b.getNormal())) << f;
            ASSERT_EQ(a.getEdgeCount(), b.getEdgeCount()) << f;
            for (size_t k = 0; k < a.getEdgeCount(); ++k)
                EXPECT_EQ(a.getEdgeIndex(k, true), b.getEdgeIndex(k, true)) << f << " " << k;
            Finish first, second;
            a.getMaterial(first);
            b.getMaterial(second);
            EXPECT_EQ(first.getIndex(), 2u) << f;
            EXPECT_EQ(second.getIndex(), 2u) << f;
        }
        // Bottom and top look opposite ways through one vector.
        EXPECT_TRUE(stored.getFace(0).getNormal().isEqual(Vector3(0, 0, -1)));
        EXPECT_EQ(*model->getBounds(), *modeled.getBounds());

        // The host holds the vertices relative to the body's own origin.
        HostElementHead head;
        read(guid)->getLink().getHeader(head);
        Host3DInfo info;
        ASSERT_EQ(ACAPGet3DInfo(&head, &info), hosterr::Ok);
        Host3DComponent vertex;
        vertex.kind = Component3DVertex;
        vertex.index = 1;
        vertex.bodyIndex = info.firstBody;
        ASSERT_EQ(ACAPGet3DComponent(&vertex), hosterr::Ok);
        const CadPoint world = stored.getVertex(0);
        EXPECT_EQ(CadPoint(vertex.vertex.x, vertex.vertex.y, vertex.vertex.z) == world, &c == &cases[0]);
    }
}

TEST_F(Bodies3D, EmptyAndFailedBodiesAreLeftOutAndAnElementWithout3DHasNone) {
    const size_t before = mark();
    std::unique_ptr<Element3D> flat = bodiesOf(addSlab({{{0, 0}, {1, 0}, {1, 1}}}, 1.0, 1.0));
    EXPECT_TRUE(flat->isEmpty());
    EXPECT_EQ(flat->getBounds(), nullptr);
    EXPECT_EQ(host.calls().count("Get3DComponent", before), 1u); // the body, then nothing more

    const API_Guid slab = addSlab(squareWithHole, 0.0, 3.0);
    for (uint32_t failing : {1u, 2u, 3u, 4u, 5u, 6u, 40u}) {
        host.faults().set("Get3DComponent", failing, failing, hosterr::MemoryFull);
        EXPECT_TRUE(bodiesOf(slab)->isEmpty()) << failing;
    }
    host.faults().clear();
    EXPECT_FALSE(bodiesOf(slab)->isEmpty());
    host.faults().set("Get3DInfo", 1, 1, hosterr::Failed);
    EXPECT_TRUE(bodiesOf(slab)->isEmpty());

    const API_Guid text = addHostElement(host, 24);
    std::unique_ptr<Element3D> none = bodiesOf(text);
    EXPECT_TRUE(none->isEmpty());
    EXPECT_EQ(none->getBounds(), nullptr);
    EXPECT_EQ(read(text)->getElement3D(), nullptr);
}

TEST_F(Bodies3D, CountsOverAllBodiesAddUpAndStoredPartsAnswerZeroBasedIndices) {
    std::unique_ptr<Element3D> first = bodiesOf(addSlab(squareWithHole, 0.0, 3.0));
    std::unique_ptr<Element3D> second = bodiesOf(addSlab({{{0, 0}, {1, 0}, {1, 1}}}, 0.0, 1.0));
    auto list = std::make_shared<BodyDataList>(
        BodyDataList{first->getBodyList()->at(0), second->getBodyList()->at(0)});
    const Element3D both(list);
    EXPECT_EQ(both.getBodyCount(), 2u);
    EXPECT_EQ(both.getVertexCount(Element3D::AllBodies), 16u + 6u);
    EXPECT_EQ(both.getEdgeCount(Element3D::AllBodies), 24u + 9u);
    EXPECT_EQ(both.getFaceCount(Element3D::AllBodies), 10u + 5u);
    EXPECT_EQ(both.getFaceCount(1), 5u);
    EXPECT_EQ(*both.getBounds(), Cube(0, 0, 0, 4, 4, 3));
    EXPECT_THROW(both.getBody(2), std::out_of_range);

    auto data = std::make_shared<Face::Data>();
    data->edges = {-7, ContourSeparator, 3};
    data->status = 2;
    const Face face(data, nullptr);
    EXPECT_EQ(face.getEdgeIndex(0, false), 6);
    EXPECT_EQ(face.getEdgeIndex(0, true), -7);
    EXPECT_EQ(face.getEdgeIndex(1, false), ContourSeparator);
    EXPECT_EQ(face.getEdgeIndex(1, true), ContourSeparator);
    EXPECT_EQ(face.getStatus(), 2u);
    EXPECT_EQ(face.getTextureCoordinate(0), CadPoint());
    try {
        face.getEdgeIndex(3, false);
        ADD_FAILURE() << "no throw";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "invalid vector<T> subscript");
    }
    EXPECT_THROW(face.getFacet(0), std::out_of_range); // never split
    const Edge::Data lone(std::make_shared<EdgeRecord>());
    EXPECT_EQ(lone.getPolygon1(), NoFace);
    EXPECT_EQ(lone.getPolygon2(), NoFace);

    // A holed host polygon shown invisible; a side of the modeler's prism is one convex part.
    ModelerAPI::MeshBody mesh = zavhost::model3d::prism(squareWithHole, 0.0, 1.0, 0);
    mesh.EditPolygon(2)->SetVisibility(true, false);
    EXPECT_EQ(Face(mesh, 1, nullptr).getStatus(), 49u);
    const Face side(mesh, 2, nullptr);
    ASSERT_EQ(side.getFacetCount(), 1u);
    EXPECT_EQ(side.getFacet(0).getVertexCount(), 4u);
    EXPECT_TRUE(side.getFacet(0).getNormal(0).isEqual(side.getNormal()));
    EXPECT_EQ(Face(mesh, 0, nullptr).getFacetCount(), 0u); // a holed face is not split
    // Along the side and up from the bottom: its far top corner.
    EXPECT_EQ(side.getTextureCoordinate(size_t(side.getFacet(0).getVertexIndex(2))), CadPoint(4, 1));
}

} // namespace
