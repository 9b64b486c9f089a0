// An exported 3D model of a window: its elements, and the materials and textures their polygons
// name (1-based; material 0 is none). Filled by the export reader, then only read.
#pragma once

#include <vector>

#include "platform/modeler/Material.h"
#include "platform/modeler/ModelElement.h"
#include "platform/modeler/Texture.h"

namespace ModelerAPI {

class HOSTLIB_API Model {
public:
    Model();
    Model(const Model& other);
    Model& operator=(const Model& other);
    ~Model();

    int32_t GetElementCount() const { return static_cast<int32_t>(m_elements.size()); }
    int32_t GetMaterialCount() const { return static_cast<int32_t>(m_materials.size()); }
    int32_t GetTextureCount() const { return static_cast<int32_t>(m_textures.size()); }
    // Each is false, and leaves its argument, for a number outside 1 .. count.
    bool GetElement(int32_t index, Element* element) const;
    bool GetMaterial(int32_t index, Material* material) const;
    bool GetTexture(int32_t index, Texture* texture) const;
    // The box of every element; all zero without elements.
    HostBox3D GetBounds(CoordinateSystem system = CoordinateSystem::World) const;

    void AddElement(Element element) { m_elements.push_back(std::move(element)); }
    void SetAttributes(std::vector<Material> materials, std::vector<Texture> textures);
    void Clear();

    // Models alive now, so that a test can tell that every exported model was deleted.
    static int LiveCount();

private:
    std::vector<Element> m_elements;
    std::vector<Material> m_materials;
    std::vector<Texture> m_textures;
};

} // namespace ModelerAPI
