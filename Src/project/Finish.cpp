#include "project/Finish.h"

#include <algorithm>
#include <cstring>

#include "Environment/DataFile.h"
#include "Environment/Host.h"
#include "platform/graphics/PixMap.h"
#include "platform/io/Location.h"
#include "platform/modeler/Material.h"
#include "platform/modeler/Texture.h"
#include "project/Image.h"

namespace tarnwick {

FinishType& operator++(FinishType& type) {
    type = type >= FinishTypeLast ? FinishTypeFirst : static_cast<FinishType>(type + 1);
    return type;
}

FinishType operator++(FinishType& type, int) {
    FinishType old = type;
    ++type;
    return old;
}

FinishType& operator--(FinishType& type) {
    type =
        type == FinishTypeFirst || type > FinishTypeLast ? FinishTypeLast : static_cast<FinishType>(type - 1);
    return type;
}

FinishType operator--(FinishType& type, int) {
    FinishType old = type;
    --type;
    return old;
}

namespace {
Colour colourOf(const ModelerAPI::Color& colour) {
    return Colour(colour.red, colour.green, colour.blue, 1.0);
}

bool textured(const HostSurface& record) {
    return (record.textureFlags & SurfaceHasTexture) != 0;
}
} // namespace

Finish::Finish(const String& name)
    : RecordAttribute(AttributeLink(name, AttrSurface, Host::getSpecification())) {
    if (name.isEmpty() || m_link.getIndex() != 0) return;
    auto fresh = std::make_unique<HostSurface>();
    fillFallback(*fresh);
    AttributeLink::copyName(name, fresh->header);
    setRecord(std::move(fresh));
}

Finish::Finish(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {
    ownLocation(); // the host's stays the caller's
}

Finish::Finish(const API_Attribute& record)
    : Finish(record,
             AttributeLink(record.header, record.header.index != 0 ? Host::getSpecification() : nullptr)) {}

Finish::Finish(std::shared_ptr<const ModelerAPI::Material> material,
               std::shared_ptr<const ModelerAPI::Texture> texture)
    : m_material(std::move(material)), m_texture(std::move(texture)) {}

Finish::Finish(const Finish& other)
    : RecordAttribute(other), m_material(other.m_material), m_texture(other.m_texture) {
    ownLocation();
}

Finish& Finish::operator=(const Finish& other) {
    if (this == &other) return *this;
    releaseLocation();
    RecordAttribute::operator=(other);
    ownLocation();
    m_material = other.m_material;
    m_texture = other.m_texture;
    return *this;
}

Finish::~Finish() {
    releaseLocation();
}

void Finish::ownLocation() {
    if (!isLoaded()) return;
    IO::Location*& location = record().textureLocation;
    if (location != nullptr) location = new IO::Location(*location);
}

void Finish::releaseLocation() {
    if (!isLoaded()) return;
    IO::Location*& location = record().textureLocation;
    delete location;
    location = nullptr;
}

String Finish::getName() const {
    return m_material ? String(m_material->GetName()) : Attribute::getName();
}

std::unique_ptr<API_Attribute> Finish::makeRecord() const {
    std::unique_ptr<API_Attribute> full = RecordAttribute::makeRecord();
    IO::Location*& location = full->surface.textureLocation;
    if (location != nullptr) location = new IO::Location(*location);
    return full;
}

uint32_t Finish::getType() const {
    return m_material ? m_material->GetType() : record().surfaceType;
}

double Finish::getAmbient() const {
    return m_material ? m_material->GetAmbientReflection() : record().ambientReflection / 100.0;
}

double Finish::getDiffuse() const {
    return m_material ? m_material->GetDiffuseReflection() : record().diffuseReflection / 100.0;
}

double Finish::getSpecular() const {
    return m_material ? m_material->GetSpecularReflection() : record().specularReflection / 100.0;
}

double Finish::getTransparency() const {
    return m_material ? m_material->GetTransparency() : record().transparency / 100.0;
}

double Finish::getShininess() const {
    return m_material ? m_material->GetShining() / 100.0 : record().shininess / 10000.0;
}

double Finish::getTransparencyAttenuation() const {
    return m_material ? m_material->GetTransparencyAttenuation() : record().transparencyAttenuation / 400.0;
}

double Finish::getEmissionAttenuation() const {
    return m_material ? m_material->GetEmissionAttenuation() : record().emissionAttenuation / 65535.0;
}

Colour Finish::getSurfaceColour() const {
    return m_material ? colourOf(m_material->GetSurfaceColor()) : Colour(record().surfaceColour, 1.0);
}

Colour Finish::getSpecularColour() const {
    return m_material ? colourOf(m_material->GetSpecularColor()) : Colour(record().specularColour, 1.0);
}

Colour Finish::getEmissionColour() const {
    return m_material ? colourOf(m_material->GetEmissionColor()) : Colour(record().emissionColour, 1.0);
}

bool Finish::hasTexture() const {
    return m_material ? m_material->GetTextureIndex() != 0 : textured(record());
}

// With a 3D material, the texture's own values need the texture object; the material's index
// alone says nothing of them.
bool Finish::isMirroredX() const {
    if (m_material) return m_texture && m_texture->IsMirroredInX();
    return textured(record()) && (record().textureFlags & SurfaceTextureMirroredX) != 0;
}

bool Finish::isMirroredY() const {
    if (m_material) return m_texture && m_texture->IsMirroredInY();
    return textured(record()) && (record().textureFlags & SurfaceTextureMirroredY) != 0;
}

bool Finish::isTextureMissing() const {
    if (m_material) return !m_texture || !m_texture->IsAvailable();
    return !textured(record()) || record().textureMissing != 0;
}

double Finish::getTextureXSize() const {
    if (m_material) return m_texture ? m_texture->GetXSize() : 1.0;
    return textured(record()) ? record().textureXSize : 1.0;
}

double Finish::getTextureYSize() const {
    if (m_material) return m_texture ? m_texture->GetYSize() : 1.0;
    return textured(record()) ? record().textureYSize : 1.0;
}

double Finish::getTextureRotation() const {
    if (m_material) return m_texture ? m_material->GetTextureRotationAngle() : 0.0;
    return textured(record()) ? record().textureRotation : 0.0;
}

String Finish::getTextureName() const {
    if (m_material) return m_texture ? String(m_texture->GetName()) : String();
    const HostSurface& surface = record();
    return textured(surface) ? String(surface.textureName, sizeof surface.textureName) : String();
}

std::unique_ptr<Image> Finish::getTextureImage() const {
    if (!m_texture) return nullptr;
    const ModelerAPI::Texture::Pixel* pixels = m_texture->GetPixelMap();
    const int32_t count = m_texture->GetPixelMapSize();
    if (pixels == nullptr || count <= 0) return nullptr;
    const int32_t width = m_texture->GetPixelMapXSize();
    const int32_t height = m_texture->GetPixelMapYSize();
    GSPixMapHandle map = GXNewGSPixMap(width, height, GXPixelAlpha);
    if (map == nullptr) return nullptr; // the host bounds the sides
    const int64_t room = int64_t(width) * height;
    const auto copied = static_cast<size_t>(std::min<int64_t>(count, room));
    std::memcpy(GXGetGSPixMapPixels(map), pixels, copied * sizeof(ModelerAPI::Texture::Pixel));
    return std::make_unique<Image>(map);
}

std::unique_ptr<DataFile> Finish::getTextureFile() const {
    if (m_material) return nullptr;
    const IO::Location* location = record().textureLocation;
    if (location == nullptr) return nullptr;
    return std::make_unique<DataFile>(*location, DataFile::TextureKind);
}

} // namespace tarnwick
