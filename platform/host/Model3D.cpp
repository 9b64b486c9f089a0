#include "Model3D.h"

#include <cmath>
#include <cstring>

#include "CallForwarding.h"
#include "Database3D.h"
#include "ElementGeometry.h"
#include "ElementTypes.h"
#include "ModelCalls.h"
#include "Prism3D.h"
#include "Project.h"
#include "ProjectFile.h"
#include "StandInHost.h"
#include "platform/api/HostErrors.h"
#include "platform/api/Model3DRecords.h"
#include "platform/io/Location.h"

namespace zavhost::model3d {

namespace {

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
        if (component->kind >= Component3DBody && component->kind <= Component3DVector)
            return database3d::readComponent(*host, *project, *component, brief);
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
        const Contours footprint = footprintOf(*element);
        if (footprint.empty()) continue;
        const ElementExtent3D extent = extentOf(project, *element);
        ModelerAPI::MeshBody body = prism(footprint, extent.bottom, extent.top, extent.surface);
        if (body.GetPolygonCount() == 0) continue; // flat: nothing to show
        ModelerAPI::Element exported(element->guid());
        exported.AddMeshBody(std::move(body));
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
