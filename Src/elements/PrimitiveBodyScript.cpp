// An element's bodies as script text: vert, edge, vect, pgon and body statements.
#include <cmath>
#include <vector>

#include "elements/PrimitiveBody.h"
#include "elements/ScriptAttributes.h"
#include "elements/ScriptText.h"
#include "project/Finish.h"
#include "project/Pen.h"

namespace tarnwick {

namespace {
constexpr double Tolerance = ScriptText::Precision;
constexpr uint32_t EdgeStatusBase = 0x40000; // added to edges not visible if contour
constexpr uint32_t FaceStatusBase = 0x40042; // or-ed into every face's status
constexpr uint32_t BodyStatusBase = 0x40020; // or-ed into every body's status
constexpr uint32_t VisibleIfContour = 2;

// The face normals a body refers to, each written once: a face refers to the first parallel one,
// negated when it points the other way.
class NormalTable {
public:
    int32_t refer(const Vector3& normal) {
        const double length = normal.getLength();
        const Vector3 unit = length == 0.0 ? normal : normal * (1.0 / length);
        for (size_t i = 0; i < m_normals.size(); ++i) {
            if (!unit.isParallel(m_normals[i], Tolerance)) continue;
            const int32_t number = int32_t(i + 1);
            return unit.isSameSense(m_normals[i], Tolerance) ? number : -number;
        }
        m_normals.push_back(unit);
        return int32_t(m_normals.size());
    }
    const std::vector<Vector3>& getNormals() const { return m_normals; }

private:
    std::vector<Vector3> m_normals;
};

int32_t faceNumber(uint32_t face) {
    return face == NoFace ? 0 : int32_t(face + 1);
}

void writeBody(const Body& body, ScriptAttributes* context, ScriptText& text, const CadPoint& position) {
    for (size_t v = 0; v < body.getVertexCount(); ++v) {
        const CadPoint vertex = body.getVertex(v);
        text.tabs() << "vert ";
        text.point3(CadPoint(vertex.getX() + position.getX(), vertex.getY() + position.getY(),
                             vertex.getZ() + position.getZ()))
            << "\n";
    }
    for (size_t e = 0; e < body.getEdgeCount(); ++e) {
        const Edge::Data edge = body.getEdge(e);
        if (context != nullptr) {
            Pen pen;
            edge.getPen(pen);
            context->writeAttributeStatement(pen, text.stream(), text.getIndent(), ScriptAttributes::EdgePens,
                                             true, true);
        }
        const uint32_t visibility = edge.getVisibility() & 3;
        const uint32_t status = visibility + ((visibility & VisibleIfContour) == 0 ? EdgeStatusBase : 0);
        text.tabs() << "edge " << int32_t(edge.getVertex1() + 1) << ", " << int32_t(edge.getVertex2() + 1)
                    << ", " << faceNumber(edge.getPolygon1()) << ", " << faceNumber(edge.getPolygon2())
                    << ", " << int32_t(status) << "\n";
    }
    const size_t faceCount = body.getFaceCount();
    std::vector<Face> faces;
    faces.reserve(faceCount);
    std::vector<int32_t> normalOf;
    normalOf.reserve(faceCount);
    NormalTable normals;
    for (size_t f = 0; f < faceCount; ++f) {
        faces.push_back(body.getFace(f));
        normalOf.push_back(normals.refer(faces.back().getNormal()));
    }
    // Normals are directions: the body's position does not move them.
    for (const Vector3& normal : normals.getNormals()) {
        text.tabs() << "vect ";
        text.real(normal.getX()) << ", ";
        text.real(normal.getY()) << ", ";
        text.real(normal.getZ()) << "\n";
    }
    for (size_t f = 0; f < faceCount; ++f) {
        const Face& face = faces[f];
        if (context != nullptr) {
            Finish material;
            face.getMaterial(material);
            context->writeAttributeStatement(material, text.stream(), text.getIndent(),
                                             ScriptAttributes::OutlinePens, true, true);
        }
        const size_t references = face.getEdgeCount();
        text.tabs() << "pgon " << int32_t(references) << ", " << normalOf[f] << ", "
                    << int32_t(face.getStatus() | FaceStatusBase);
        for (size_t k = 0; k < references; ++k) {
            text << ", ";
            if (k % 4 == 0) {
                text << "\n";
                text.tabs(2);
            }
            const int32_t reference = face.getEdgeIndex(k, true);
            text << (reference == ContourSeparator ? 0 : reference);
        }
        text << "\n";
    }
    text.tabs() << "body " << int32_t(body.getStatus() | BodyStatusBase) << "\n";
}
} // namespace

bool PrimitiveBody::write3DScript(DataBufferOut& out, ScriptAttributes* context, const CadPoint& offset,
                                  uint16_t indent) const {
    if (!isIn3D() || !m_bodies || m_bodies->isEmpty()) return true;
    ScriptText text(out, offset, indent);
    for (size_t b = 0; b < m_bodies->getBodyCount(); ++b)
        writeBody(m_bodies->getBody(b), context, text, getPosition());
    return text.isGood();
}

} // namespace tarnwick
