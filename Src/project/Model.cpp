// The 3D window: its exported model, walked through the model proxy, its finishes and its camera.
// The 3D elements are classes of the element model; they are made through its hooks.
#include "project/Model.h"

#include <stdexcept>

#include "Environment/HostCalls.h"
#include "geometry/Cube.h"
#include "geometry/Projection.h"
#include "platform/api/CameraRecord.h"
#include "platform/api/Model3DRecords.h"
#include "platform/io/Location.h"
#include "platform/modeler/ExportReader.h"
#include "project/Project.h"

namespace tarnwick {

namespace {
Element3DHooks installedHooks;
} // namespace

void installElement3DHooks(const Element3DHooks& hooks) {
    installedHooks = hooks;
}

const Element3DHooks& element3DHooks() {
    if (installedHooks.make == nullptr) throw std::logic_error("the element model is not linked");
    return installedHooks;
}

std::unique_ptr<Element3D> IteratorTraits<const ModelProxy>::read(const ModelProxy& proxy,
                                                                  const Element3DLink& link,
                                                                  const Drawing::Filter&) {
    Model* model = proxy.getModel();
    const ModelerAPI::Model* exported = model == nullptr ? nullptr : model->getExportedModel();
    if (exported == nullptr || link.getIndex3D() >= uint32_t(exported->GetElementCount())) return nullptr;
    return element3DHooks().make(link, *exported);
}

std::unique_ptr<Element3D> ModelProxy::next(const Element3DLink& link, bool forward) const {
    if (m_model == nullptr || !m_model->makeCurrent()) return nullptr;
    const ModelerAPI::Model* exported = m_model->getExportedModel();
    if (exported == nullptr) return nullptr;
    const uint32_t index = link.getIndex3D();
    if (!forward && index == 0) return nullptr;
    const uint32_t step = forward ? index + 1 : index - 1;
    if (step >= uint32_t(exported->GetElementCount())) return nullptr;
    return element3DHooks().make(Element3DLink(link, link.getModelProxy(), step), *exported);
}

Model::Model(Project* project, const Guid& databaseGuid) : Drawing(project, databaseGuid) {}

Model::~Model() = default;

void Model::reset() {
    Drawing::reset();
    m_exported.reset();
    m_hostModel.reset();
}

Plan* Model::getPlan() const {
    return m_project == nullptr ? nullptr : m_project->getPlan();
}

const ModelerAPI::Model* Model::getExportedModel() {
    if (m_exported) return m_exported.get();
    if (!m_hostModel) {
        if (m_project == nullptr || !m_project->setFrontWindow(this) || !makeCurrent()) return nullptr;
        std::shared_ptr<const ModelerAPI::HostModelData> handle;
        m_lastError = ACAPGet3DModel(&handle);
        if (m_lastError != hosterr::Ok || !handle) return nullptr;
        m_hostModel = std::move(handle);
    }
    auto exported = std::make_unique<ModelerAPI::Model>();
    ModelerAPI::AttributeReader attributes;
    m_lastError = ModelerAPI::ExportReader::Read(m_hostModel, attributes, exported.get());
    if (m_lastError != hosterr::Ok) return nullptr;
    m_exported = std::move(exported);
    return m_exported.get();
}

int32_t Model::getElementCount() {
    const ModelerAPI::Model* exported = getExportedModel();
    return exported == nullptr ? 0 : exported->GetElementCount();
}

std::unique_ptr<Cube> Model::getBounds() {
    const ModelerAPI::Model* exported = getExportedModel();
    return exported == nullptr ? nullptr : std::make_unique<Cube>(exported->GetBounds());
}

std::unique_ptr<Element3D> Model::getElement3D(uint32_t index) {
    const ModelerAPI::Model* exported = getExportedModel();
    if (exported == nullptr || index >= uint32_t(exported->GetElementCount())) return nullptr;
    ElementLink link;
    link.setDrawing(this);
    return element3DHooks().make(Element3DLink(link, nullptr, index), *exported);
}

ModelProxy& Model::proxy() {
    if (!m_proxy) m_proxy = std::make_unique<ModelProxy>(this);
    return *m_proxy;
}

Model::const_iterator Model::begin(const Filter& filter) {
    const ModelerAPI::Model* exported = getExportedModel();
    if (exported == nullptr) return end();
    std::unique_ptr<Element3D> first;
    if (exported->GetElementCount() > 0) {
        ElementLink link;
        link.setDrawing(this);
        first = element3DHooks().make(Element3DLink(link, &proxy(), 0), *exported);
    }
    return const_iterator(std::move(first), filter);
}

Model::const_reverse_iterator Model::rbegin(const Filter& filter) {
    const ModelerAPI::Model* exported = getExportedModel();
    if (exported == nullptr) return rend();
    std::unique_ptr<Element3D> last;
    if (const int32_t count = exported->GetElementCount(); count > 0) {
        ElementLink link;
        link.setDrawing(this);
        last = element3DHooks().make(Element3DLink(link, &proxy(), uint32_t(count - 1)), *exported);
    }
    return const_reverse_iterator(std::move(last), filter);
}

Finish Model::getFinish(int32_t index) {
    const ModelerAPI::Model* exported = getExportedModel();
    if (exported != nullptr && index >= 1 && index <= exported->GetMaterialCount()) {
        auto material = std::make_shared<ModelerAPI::Material>();
        exported->GetMaterial(index, material.get());
        const int32_t textureIndex = material->GetTextureIndex();
        if (textureIndex <= 0) return Finish(material);
        if (textureIndex <= exported->GetTextureCount()) {
            auto texture = std::make_shared<ModelerAPI::Texture>();
            exported->GetTexture(textureIndex, texture.get());
            return Finish(material, texture);
        }
    }
    return lookupFinish(index);
}

Finish Model::lookupFinish(int32_t index) const {
    auto component = std::make_unique<Host3DComponent>();
    component->kind = Component3DMaterial;
    component->index = static_cast<int16_t>(index);
    if (ACAPGet3DComponent(component.get()) != hosterr::Ok) return Finish();
    auto record = std::make_unique<API_Attribute>();
    record->surface = component->surface;
    Finish finish(*record);
    delete component->surface.textureLocation; // the Finish keeps a copy
    return finish;
}

std::shared_ptr<Projection> Model::getProjection() const {
    HostCameraRecord record;
    if (ACAPEnvironmentCall(fourCC("GP3D"), &record) != hosterr::Ok) return nullptr;
    return Projection::fromCameraRecord(record);
}

GSErrCode Model::setProjection(const Projection& projection) const {
    HostCameraRecord record;
    projection.toCameraRecord(record);
    return ACAPEnvironmentCall(fourCC("CP3D"), &record);
}

} // namespace tarnwick
