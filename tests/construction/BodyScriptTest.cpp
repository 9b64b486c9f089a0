// An element's bodies written as script text, byte for byte: vertices at the primitive's
// position, edges with their faces, each distinct normal once, faces with their references four
// to a line, and the body.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ScriptCheck.h"
#include "construction/AttributeContext.h"
#include "elements/PrimitiveBody.h"
#include "support/TestAddon.h"

using namespace tarnwick;
using namespace scriptcheck;

namespace {

// One stored body: vertices, edges (vertex pairs, both faces to fill) and faces (normal, references).
struct BodyPlan {
    std::vector<CadPoint> vertices;
    std::vector<std::pair<uint32_t, uint32_t>> edges;
    std::vector<std::pair<Vector3, std::vector<int32_t>>> faces;
    uint16_t edgePen = 0;
};

std::shared_ptr<PrimitiveBody> bodyOf(const BodyPlan& plan) {
    auto data = std::make_shared<Body::Data>();
    data->vertices = std::make_shared<VertList>();
    data->edges = std::make_shared<EdgeList>();
    data->faces = std::make_shared<FaceList>();
    for (const CadPoint& vertex : plan.vertices)
        data->vertices->push_back(std::make_shared<CadPoint>(vertex));
    for (const auto& [first, second] : plan.edges) {
        auto record = std::make_shared<EdgeRecord>();
        record->vertex1 = first;
        record->vertex2 = second;
        record->pen = plan.edgePen;
        data->edges->push_back(std::make_shared<Edge::Data>(record));
    }
    for (const auto& [normal, references] : plan.faces) {
        auto face = std::make_shared<Face::Data>();
        face->normal = normal;
        face->edges = references;
        data->faces->push_back(face);
        // Each edge's first free face slot takes the face.
        for (int32_t reference : references) {
            if (reference == ContourSeparator) continue;
            EdgeRecord& record = *(*data->edges)[size_t(std::abs(reference) - 1)]->getRecord();
            (record.face1 == NoFace ? record.face1 : record.face2) = uint32_t(data->faces->size() - 1);
        }
    }
    auto bodies = std::make_shared<BodyDataList>();
    bodies->push_back(data);
    return std::make_shared<PrimitiveBody>(std::make_shared<Element3D>(bodies), false, true);
}

const BodyPlan triangle = {{CadPoint(0, 0, 0), CadPoint(1, 0, 0), CadPoint(0, 1, 0)},
                           {{0, 1}, {1, 2}, {2, 0}},
                           {{Vector3(0, 0, 1), {1, 2, 3}}}};
class BodyScript : public ::testing::Test {
protected:
    testsupport::ModuleUnderTest module;
};

const std::string triangleText = "vert 0, 0, 0\nvert 1, 0, 0\nvert 0, 1, 0\n"
                                 "edge 1, 2, 1, 0, 262144\nedge 2, 3, 1, 0, 262144\nedge 3, 1, 1, 0, 262144\n"
                                 "vect 0, 0, 1\npgon 3, 1, 262210, \n\t\t1, 2, 3\nbody 262176\n";

} // namespace

TEST_F(BodyScript, BodiesWithTheirVerticesEdgesNormalsAndFaces) {
    BodyPlan pentagon;
    pentagon.vertices = {CadPoint(0, 0), CadPoint(2, 0), CadPoint(3, 1), CadPoint(1, 3), CadPoint(-1, 1)};
    pentagon.edges = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}};
    pentagon.faces = {{Vector3(0, 0, 1), {1, 2, 3, 4, 5}}};
    BodyPlan twoSided = triangle;
    twoSided.faces.push_back({Vector3(0, 0, -2), {-3, -2, -1}});
    auto moved = [] {
        auto body = bodyOf(triangle);
        body->offset(CadPoint(0, 0, 5));
        return body;
    };
    auto hidden = [] {
        return std::make_shared<PrimitiveBody>(std::make_shared<Element3D>(std::make_shared<BodyDataList>()),
                                               false, true);
    };
    expectAll({
        {"triangle", [] { return bodyOf(triangle); }, true, {}, 0, triangleText},
        {"no 2D", [] { return bodyOf(triangle); }, false, {}, 0, ""},
        {"no body", hidden, true, {}, 0, ""},
        {"five edges",
         [&] { return bodyOf(pentagon); },
         true,
         {},
         0,
         "vert 0, 0, 0\nvert 2, 0, 0\nvert 3, 1, 0\nvert 1, 3, 0\nvert -1, 1, 0\n"
         "edge 1, 2, 1, 0, 262144\nedge 2, 3, 1, 0, 262144\nedge 3, 4, 1, 0, 262144\nedge 4, 5, 1, 0, "
         "262144\n"
         "edge 5, 1, 1, 0, 262144\nvect 0, 0, 1\npgon 5, 1, 262210, \n\t\t1, 2, 3, 4, \n\t\t5\nbody "
         "262176\n"},
        {"opposite normals",
         [&] { return bodyOf(twoSided); },
         true,
         {},
         0,
         "vert 0, 0, 0\nvert 1, 0, 0\nvert 0, 1, 0\n"
         "edge 1, 2, 1, 2, 262144\nedge 2, 3, 1, 2, 262144\nedge 3, 1, 1, 2, 262144\n"
         "vect 0, 0, 1\npgon 3, 1, 262210, \n\t\t1, 2, 3\npgon 3, -1, 262210, \n\t\t-3, -2, -1\nbody "
         "262176\n"},
        {"moved and offset", moved, true, CadPoint(10, 0, 0), 1,
         "\tvert 10, 0, 5\n\tvert 11, 0, 5\n\tvert 10, 1, 5\n"
         "\tedge 1, 2, 1, 0, 262144\n\tedge 2, 3, 1, 0, 262144\n\tedge 3, 1, 1, 0, 262144\n"
         "\tvect 0, 0, 1\n\tpgon 3, 1, 262210, \n\t\t\t1, 2, 3\n\tbody 262176\n"},
    });
}

TEST_F(BodyScript, ABodysEdgePensAndFaceMaterialsGoThroughTheContext) {
    BodyPlan penned = triangle;
    penned.edgePen = 3;
    AttributeContext context;
    const std::string text = write(*bodyOf(penned), true, &context).text;
    EXPECT_EQ(from(text, "pen"),
              "pen 3\nedge 1, 2, 1, 0, 262144\nedge 2, 3, 1, 0, 262144\nedge 3, 1, 1, 0, 262144\n"
              "vect 0, 0, 1\npgon 3, 1, 262210, \n\t\t1, 2, 3\nbody 262176\n");
}
