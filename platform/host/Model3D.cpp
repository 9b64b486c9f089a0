#include "Model3D.h"

#include <cmath>
#include <cstring>

#include "CallForwarding.h"
#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "ModelCalls.h"
#include "Project.h"
#include "ProjectFile.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Model3DRecords.h"
#include "platform/io/Location.h"

namespace zavhost::model3d {

namespace {

constexpr double storeyHeight = 3.0;

using ModelerAPI::MeshBody;
using ModelerAPI::Vertex;

// The outline an element stands on, counter-clockwise, without a closing repeat; empty when it
// has neither a polygon nor a box with an extent.
std::vector<HostCoord2D> outlineOf(const StoredElement& element) {
    std::vector<HostCoord2D> outline;
    std::vector<std::vector<HostCoord2D>> contours = contoursOf(element.memo);
    if (!contours.empty() && contours.front().size() >= 3) {
        outline = contours.front();
        const HostCoord2D& first = outline.front();
        const HostCoord2D& last = outline.back();
        if (first.x == last.x && first.y == last.y) outline.pop_back();
    } else if (std::optional<HostBox3D> box = boxOf(element)) {
        if (box->xMax <= box->xMin || box->yMax <= box->yMin) return {};
        outline = {
            {box->xMin, box->yMin}, {box->xMax, box->yMin}, {box->xMax, box->yMax}, {box->xMin, box->yMax}};
    }
    if (outline.size() < 3) return {};
    double twiceArea = 0.0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const HostCoord2D& a = outline[i];
        const HostCoord2D& b = outline[(i + 1) % outline.size()];
        twiceArea += a.x * b.y - b.x * a.y;
    }
    if (twiceArea == 0.0) return {};
    if (twiceArea < 0.0) std::reverse(outline.begin(), outline.end());
    return outline;
}

// A prism over the outline from bottom to top, its faces turned outwards.
MeshBody prism(const std::vector<HostCoord2D>& outline, double bottom, double top, int32_t material) {
    MeshBody body;
    const int32_t n = static_cast<int32_t>(outline.size());
    for (const HostCoord2D& p : outline)
        body.AddVertex(Vertex{p.x, p.y, bottom});
    for (const HostCoord2D& p : outline)
        body.AddVertex(Vertex{p.x, p.y, top});
    std::vector<int32_t> lower, upper, rising;
    for (int32_t i = 0; i < n; ++i) {
        lower.push_back(body.AddEdge(i + 1, (i + 1) % n + 1));
        upper.push_back(body.AddEdge(n + i + 1, n + (i + 1) % n + 1));
        rising.push_back(body.AddEdge(i + 1, n + i + 1));
    }
    std::vector<int32_t> down;
    for (int32_t i = n - 1; i >= 0; --i)
        down.push_back(-lower[size_t(i)]);
    body.AddPolygon(down, body.AddVector(Vertex{0.0, 0.0, -1.0}), material);
    body.AddPolygon(upper, body.AddVector(Vertex{0.0, 0.0, 1.0}), material);
    for (int32_t i = 0; i < n; ++i) {
        const HostCoord2D& a = outline[size_t(i)];
        const HostCoord2D& b = outline[size_t((i + 1) % n)];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (length == 0.0) continue;
        const int32_t normal = body.AddVector(Vertex{(b.y - a.y) / length, (a.x - b.x) / length, 0.0});
        body.AddPolygon(
            {lower[size_t(i)], rising[size_t((i + 1) % n)], -upper[size_t(i)], -rising[size_t(i)]}, normal,
            material);
    }
    return body;
}

// The material and, where it has one, the texture of a surface record.
void addMaterial(const HostSurface& surface, const TexturePixels* pixels, ModelerAPI::HostModelData& data) {
    ModelerAPI::Material material;
    material.SetName(GS::UniString(surface.header.name));
    material.SetType(surface.surfaceType);
    material.SetReflections(surface.ambientReflection / 100.0, surface.diffuseReflection / 100.0,
                            surface.specularReflection / 100.0);
    material.SetTransparency(surface.transparency / 100.0);
    material.SetShining(surface.shininess / 100.0);
    material.SetAttenuations(surface.transparencyAttenuation / 400.0, surface.emissionAttenuation / 65535.0);
    auto colour = [](const double(&rgb)[3]) { return ModelerAPI::Color{rgb[0], rgb[1], rgb[2]}; };
    material.SetColors(colour(surface.surfaceColour), colour(surface.specularColour),
                       colour(surface.emissionColour));
    if ((surface.textureFlags & SurfaceHasTexture) != 0) {
        ModelerAPI::Texture texture;
        const size_t length = std::char_traits<char16_t>::length(surface.textureName);
        texture.SetName(GS::UniString(surface.textureName, std::min<size_t>(length, 255)));
        texture.SetAvailable(surface.textureMissing == 0 && pixels != nullptr);
        texture.SetMirrored((surface.textureFlags & SurfaceTextureMirroredX) != 0,
                            (surface.textureFlags & SurfaceTextureMirroredY) != 0);
        texture.SetSize(surface.textureXSize, surface.textureYSize);
        if (pixels != nullptr) {
            std::vector<ModelerAPI::Texture::Pixel> map(pixels->rgba.size() / 4);
            std::memcpy(map.data(), pixels->rgba.data(), map.size() * 4);
            texture.SetPixelMap(pixels->width, pixels->height, std::move(map));
        }
        data.textures.push_back(std::move(texture));
        material.SetTexture(static_cast<int32_t>(data.textures.size()), surface.textureRotation);
    }
    data.materials.push_back(std::move(material));
}

GSErrCode get3DModel(std::shared_ptr<const ModelerAPI::HostModelData>* out) {
    StandInHost* host = forwarding::host();
    if (host == nullptr) return hosterr::Failed;
    std::string brief;
    GSErrCode err = [&] {
        Project* project = model::project(*host, brief);
        if (project == nullptr) return hosterr::NoProject;
        if (out == nullptr) return brief = "null model", hosterr::BadParameter;
        // Only the 3D window has a model to hand out.
        if (model::currentDatabase(*project).kind != DatabaseModel)
            return brief = "the current database is not the 3D model", hosterr::BadDatabase;
        *out = exportModel(*project);
        brief = std::to_string((*out)->elements.size()) + " elements, " +
                std::to_string((*out)->materials.size()) + " materials";
        return hosterr::Ok;
    }();
    return forwarding::logged("Get3DModel", std::move(brief), err);
}

GSErrCode get3DComponent(Host3DComponent* component) {
    StandInHost* host = forwarding::host();
    if (host == nullptr) return hosterr::Failed;
    std::string brief;
    GSErrCode err = [&] {
        Project* project = model::project(*host, brief);
        if (project == nullptr) return hosterr::NoProject;
        if (component == nullptr) return brief = "null component", hosterr::BadParameter;
        brief = "kind " + std::to_string(component->kind) + " index " + std::to_string(component->index);
        // The 3D database holds no bodies of its own here: only materials can be read.
        if (component->kind != Component3DMaterial) return hosterr::BadParameter;
        if (component->index < 1 || component->index > 0x7FFF) return hosterr::BadIndex;
        const StoredAttribute* stored =
            project->model.attributes.find(AttrSurface, static_cast<int16_t>(component->index));
        if (stored == nullptr) return hosterr::BadIndex;
        component->surface = stored->record.surface;
        component->surface.header.uniName = nullptr;
        component->surface.textureLocation =
            stored->texturePath.empty() ? nullptr : new IO::Location(stored->texturePath);
        return hosterr::Ok;
    }();
    return forwarding::logged("Get3DComponent", std::move(brief), err);
}

} // namespace

ModelerAPI::HostModelHandle exportModel(const Project& project) {
    auto data = std::make_shared<ModelerAPI::HostModelData>();
    const AttributeStore& attributes = project.model.attributes;
    const Model3DStore& store = project.model.model3d;
    for (uint16_t index = 1; index <= attributes.count(AttrSurface); ++index) {
        const StoredAttribute* stored = attributes.find(AttrSurface, static_cast<int16_t>(index));
        auto texture = store.textures.find(static_cast<int16_t>(index));
        // A hole keeps the numbering: its material is an empty one.
        if (stored == nullptr)
            data->materials.emplace_back();
        else
            addMaterial(stored->record.surface, texture == store.textures.end() ? nullptr : &texture->second,
                        *data);
    }
    const ViewDatabases& views = project.model.views;
    for (const StoredElement* element : views.elementsOf(views.plan()).inOrder()) {
        if (!isModelType(element->head().typeCode)) continue;
        std::vector<HostCoord2D> outline = outlineOf(*element);
        if (outline.empty()) continue;
        ElementExtent3D extent;
        auto given = store.extents.find(element->guid());
        if (given != store.extents.end()) {
            extent = given->second;
        } else {
            const StoredStorey* storey = project.model.storeys.find(element->head().storey);
            extent.bottom = storey == nullptr ? 0.0 : storey->level;
            extent.top = extent.bottom + storeyHeight;
        }
        ModelerAPI::Element exported(element->guid());
        exported.AddMeshBody(prism(outline, extent.bottom, extent.top, extent.surface));
        data->elements.push_back(std::move(exported));
    }
    return data;
}

HostCameraRecord camera(const Project& project) {
    HostCameraRecord record;
    const std::string& saved = project.model.model3d.camera;
    if (saved.size() == sizeof record) {
        std::memcpy(&record, saved.data(), sizeof record);
        return record;
    }
    record.isPerspective = 1;
    record.perspective.camera = {-10.0, -10.0};
    record.perspective.cameraZ = 1.7;
    record.perspective.viewConeAngle = 1.0;
    record.perspective.scale = 1.0;
    return record;
}

void install(HostFunctionTable* table) {
    table->Get3DModel = get3DModel;
    table->Get3DComponent = get3DComponent;
}

void registerSelectors(StandInHost& host) {
    host.environmentCalls().add("GP3D", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr) return call.brief = "null camera", hosterr::BadParameter;
        HostCameraRecord record = camera(*project);
        std::memcpy(call.args[0], &record, sizeof record);
        call.brief = record.isPerspective != 0 ? "=> perspective" : "=> parallel";
        return hosterr::Ok;
    });
    host.environmentCalls().add("CP3D", [&host](SelectorCall& call) {
        Project* project = model::project(host, call.brief);
        if (project == nullptr) return hosterr::NoProject;
        if (call.args[0] == nullptr) return call.brief = "null camera", hosterr::BadParameter;
        project->model.model3d.camera.assign(static_cast<const char*>(call.args[0]),
                                             sizeof(HostCameraRecord));
        call.brief = static_cast<const uint8_t*>(call.args[0])[0] != 0 ? "perspective" : "parallel";
        return hosterr::Ok;
    });
}

void encode(const Model3DStore& store, ByteWriter& out) {
    if (store == Model3DStore()) return;
    ByteWriter payload;
    payload.u32(static_cast<uint32_t>(store.extents.size()));
    for (const auto& [guid, extent] : store.extents) {
        payload.guid(guid);
        payload.f64(extent.bottom);
        payload.f64(extent.top);
        payload.u32(static_cast<uint16_t>(extent.surface));
    }
    payload.u32(static_cast<uint32_t>(store.textures.size()));
    for (const auto& [index, texture] : store.textures) {
        payload.u32(static_cast<uint16_t>(index));
        payload.u32(static_cast<uint32_t>(texture.width));
        payload.u32(static_cast<uint32_t>(texture.height));
        payload.text(texture.rgba);
    }
    payload.text(store.camera);
    out.chunk(chunkTag, payload.bytes());
}

bool decode(std::string_view bytes, Model3DStore* store, std::string* error) {
    ByteReader in(bytes);
    Model3DStore loaded;
    auto fail = [&](const char* what) { return *error = std::string("3D model: ") + what, false; };
    uint32_t count = 0;
    if (!in.u32(&count) || count > in.remaining()) return fail("a bad element count");
    for (uint32_t i = 0; i < count; ++i) {
        API_Guid guid;
        ElementExtent3D extent;
        uint32_t surface = 0;
        if (!in.guid(&guid) || !in.f64(&extent.bottom) || !in.f64(&extent.top) || !in.u32(&surface) ||
            surface > 0x7FFF)
            return fail("a damaged element extent");
        extent.surface = static_cast<int16_t>(surface);
        loaded.extents[guid] = extent;
    }
    if (!in.u32(&count) || count > in.remaining()) return fail("a bad texture count");
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t index = 0, width = 0, height = 0;
        TexturePixels texture;
        if (!in.u32(&index) || index > 0x7FFF || !in.u32(&width) || !in.u32(&height) || width > 0x7FFFFFFF ||
            height > 0x7FFFFFFF || !in.text(&texture.rgba) || texture.rgba.size() % 4 != 0)
            return fail("a damaged texture");
        texture.width = static_cast<int32_t>(width);
        texture.height = static_cast<int32_t>(height);
        loaded.textures[static_cast<int16_t>(index)] = std::move(texture);
    }
    if (!in.text(&loaded.camera) ||
        (!loaded.camera.empty() && loaded.camera.size() != sizeof(HostCameraRecord)) || in.remaining() != 0)
        return fail("a damaged camera");
    *store = std::move(loaded);
    return true;
}

} // namespace zavhost::model3d
