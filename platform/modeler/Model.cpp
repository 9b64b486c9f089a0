#include "platform/modeler/Model.h"

#include <algorithm>

#include "platform/api/HostErrors.h"
#include "platform/modeler/ExportReader.h"

namespace ModelerAPI {

namespace {
int liveModels = 0;
int liveReaders = 0;

template <class T> bool copyAt(const std::vector<T>& items, int32_t index, T* out) {
    if (out == nullptr || index < 1 || static_cast<size_t>(index) > items.size()) return false;
    *out = items[size_t(index) - 1];
    return true;
}
} // namespace

void MergeBounds(HostBox3D& box, const HostBox3D& other, bool& empty) {
    if (empty) {
        box = other;
        empty = false;
        return;
    }
    box.xMin = std::min(box.xMin, other.xMin);
    box.yMin = std::min(box.yMin, other.yMin);
    box.zMin = std::min(box.zMin, other.zMin);
    box.xMax = std::max(box.xMax, other.xMax);
    box.yMax = std::max(box.yMax, other.yMax);
    box.zMax = std::max(box.zMax, other.zMax);
}

bool Element::GetMeshBody(int32_t index, MeshBody* body) const {
    return copyAt(m_bodies, index, body);
}

HostBox3D Element::GetBounds(CoordinateSystem system) const {
    HostBox3D box;
    bool empty = true;
    for (const MeshBody& body : m_bodies)
        if (body.GetVertexCount() > 0) MergeBounds(box, body.GetBounds(system), empty);
    return box;
}

Model::Model() {
    ++liveModels;
}
Model::Model(const Model& other)
    : m_elements(other.m_elements), m_materials(other.m_materials), m_textures(other.m_textures) {
    ++liveModels;
}
Model& Model::operator=(const Model& other) = default;
Model::~Model() {
    --liveModels;
}

int Model::LiveCount() {
    return liveModels;
}

bool Model::GetElement(int32_t index, Element* element) const {
    return copyAt(m_elements, index, element);
}
bool Model::GetMaterial(int32_t index, Material* material) const {
    return copyAt(m_materials, index, material);
}
bool Model::GetTexture(int32_t index, Texture* texture) const {
    return copyAt(m_textures, index, texture);
}

HostBox3D Model::GetBounds(CoordinateSystem system) const {
    HostBox3D box;
    bool empty = true;
    for (const Element& element : m_elements)
        if (element.GetMeshBodyCount() > 0) MergeBounds(box, element.GetBounds(system), empty);
    return box;
}

void Model::SetAttributes(std::vector<Material> materials, std::vector<Texture> textures) {
    m_materials = std::move(materials);
    m_textures = std::move(textures);
}

void Model::Clear() {
    m_elements.clear();
    m_materials.clear();
    m_textures.clear();
}

AttributeReader::AttributeReader() {
    ++liveReaders;
}
AttributeReader::~AttributeReader() {
    --liveReaders;
}
int AttributeReader::LiveCount() {
    return liveReaders;
}

bool AttributeReader::Read(const HostModelData* data, std::vector<Material>* materials,
                           std::vector<Texture>* textures) {
    if (data == nullptr || materials == nullptr || textures == nullptr) return false;
    *materials = data->materials;
    *textures = data->textures;
    return true;
}

GSErrCode ExportReader::Read(const HostModelHandle& handle, AttributeReader& attributes, Model* model) {
    if (!handle || model == nullptr) return hosterr::BadParameter;
    std::vector<Material> materials;
    std::vector<Texture> textures;
    if (!attributes.Read(handle.get(), &materials, &textures)) return hosterr::BadParameter;
    model->Clear();
    for (const Element& element : handle->elements)
        model->AddElement(element);
    model->SetAttributes(std::move(materials), std::move(textures));
    return hosterr::Ok;
}

} // namespace ModelerAPI
