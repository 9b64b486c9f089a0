// A material of an exported 3D model: the rendering side of one of the project's surfaces.
// The export fills it; the module only reads it. Reflections and transparency run from 0.0 to
// 1.0; shininess from 0.0 to 100.0; the texture index is 1-based into the model's textures, 0
// for none.
#pragma once

#include <cstdint>

#include "platform/api/HostTypes.h"
#include "platform/gsroot/UniString.h"
#include "platform/modeler/ModelerColor.h"

namespace ModelerAPI {

class HOSTLIB_API Material {
public:
    Material() = default;

    const GS::UniString& GetName() const { return m_name; }
    uint32_t GetType() const { return m_type; }
    double GetAmbientReflection() const { return m_ambient; }
    double GetDiffuseReflection() const { return m_diffuse; }
    double GetSpecularReflection() const { return m_specular; }
    double GetTransparency() const { return m_transparency; }
    double GetShining() const { return m_shining; }
    double GetTransparencyAttenuation() const { return m_transparencyAttenuation; }
    double GetEmissionAttenuation() const { return m_emissionAttenuation; }
    Color GetSurfaceColor() const { return m_surfaceColor; }
    Color GetSpecularColor() const { return m_specularColor; }
    Color GetEmissionColor() const { return m_emissionColor; }
    int32_t GetTextureIndex() const { return m_textureIndex; }
    double GetTextureRotationAngle() const { return m_textureRotation; }

    // The exporting side's setters.
    void SetName(const GS::UniString& name) { m_name = name; }
    void SetType(uint32_t type) { m_type = type; }
    void SetReflections(double ambient, double diffuse, double specular) {
        m_ambient = ambient;
        m_diffuse = diffuse;
        m_specular = specular;
    }
    void SetTransparency(double transparency) { m_transparency = transparency; }
    void SetShining(double shining) { m_shining = shining; }
    void SetAttenuations(double transparency, double emission) {
        m_transparencyAttenuation = transparency;
        m_emissionAttenuation = emission;
    }
    void SetColors(const Color& surface, const Color& specular, const Color& emission) {
        m_surfaceColor = surface;
        m_specularColor = specular;
        m_emissionColor = emission;
    }
    void SetTexture(int32_t textureIndex, double rotationAngle) {
        m_textureIndex = textureIndex;
        m_textureRotation = rotationAngle;
    }

private:
    GS::UniString m_name;
    uint32_t m_type = 0;
    double m_ambient = 0.0;
    double m_diffuse = 0.0;
    double m_specular = 0.0;
    double m_transparency = 0.0;
    double m_shining = 0.0;
    double m_transparencyAttenuation = 0.0;
    double m_emissionAttenuation = 0.0;
    Color m_surfaceColor;
    Color m_specularColor;
    Color m_emissionColor;
    int32_t m_textureIndex = 0;
    double m_textureRotation = 0.0;
};

} // namespace ModelerAPI
