// A surface attribute (how a face renders), over either of two sources: its host record, or a
// material and texture of an exported 3D model, which every getter asks first when there is one.
// The record owns the texture file's location the host hands out with it: copies and makeRecord
// take their own copy of it.
#pragma once

#include <cstdint>
#include <memory>

#include "project/Colour.h"
#include "project/RecordAttribute.h"

namespace ModelerAPI {
class Material;
class Texture;
} // namespace ModelerAPI

namespace tarnwick {

class DataFile;
class Image;

// The host's surface type codes, 0 to 9; stepping wraps around.
enum FinishType : uint32_t {
    FinishTypeFirst = 0,
    FinishTypeLast = 9,
};
FinishType& operator++(FinishType& type);
FinishType operator++(FinishType& type, int);
FinishType& operator--(FinishType& type);
FinishType operator--(FinishType& type, int);

class Finish : public RecordAttribute<Finish, HostSurface, AttrSurface> {
public:
    Finish() = default; // a zeroed record, unbound
    explicit Finish(const AttributeLink& link) : RecordAttribute(link) {}
    // The surface of that name in the current project; a name none has gives a new surface
    // carrying it, ready to be stored.
    explicit Finish(const String& name);
    // The factory's form.
    Finish(const API_Attribute& record, const AttributeLink& link);
    // Linked by the record's header, to the current project when its index is not 0.
    explicit Finish(const API_Attribute& record);
    // Shares the 3D sources; no record is read for them.
    explicit Finish(std::shared_ptr<const ModelerAPI::Material> material,
                    std::shared_ptr<const ModelerAPI::Texture> texture = nullptr);
    Finish(const Finish& other);
    Finish& operator=(const Finish& other);
    ~Finish() override;

    // By the 16-bit index alone: surfaces of an exported 3D model (index 0) are all equal.
    bool operator==(const Finish& other) const { return getIndex16() == other.getIndex16(); }

    String getName() const override;
    std::unique_ptr<API_Attribute> makeRecord() const override;

    uint32_t getType() const;
    double getAmbient() const;
    double getDiffuse() const;
    double getSpecular() const;
    double getTransparency() const;
    double getShininess() const;
    double getTransparencyAttenuation() const;
    double getEmissionAttenuation() const;
    Colour getSurfaceColour() const;
    Colour getSpecularColour() const;
    Colour getEmissionColour() const;

    bool hasTexture() const;
    // Without a texture: not mirrored, missing, 1.0 by 1.0, rotation 0.0, no name.
    bool isMirroredX() const;
    bool isMirroredY() const;
    bool isTextureMissing() const;
    double getTextureXSize() const;
    double getTextureYSize() const;
    double getTextureRotation() const;
    String getTextureName() const;
    // The 3D texture's pixels as a picture at 72 dpi; null without a 3D texture, for an empty
    // pixel map, or when the host cannot make the map. Pixels past width × height are dropped.
    std::unique_ptr<Image> getTextureImage() const;
    // The record's texture file; null with a 3D material or without a location.
    std::unique_ptr<DataFile> getTextureFile() const;

    const std::shared_ptr<const ModelerAPI::Material>& getMaterial3D() const { return m_material; }
    const std::shared_ptr<const ModelerAPI::Texture>& getTexture3D() const { return m_texture; }

private:
    friend class RecordAttribute<Finish, HostSurface, AttrSurface>;
    static void fillFallback(HostSurface& record) { record.header.typeCode = AttrSurface; }
    // A record taken from another wrapper still points at that wrapper's location.
    void recordLoaded() const { const_cast<Finish*>(this)->ownLocation(); }
    void ownLocation();
    void releaseLocation();

    std::shared_ptr<const ModelerAPI::Material> m_material;
    std::shared_ptr<const ModelerAPI::Texture> m_texture;
};

} // namespace tarnwick
