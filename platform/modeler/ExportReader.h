// How a module reads the host's 3D model of a window: the host hands out a shared handle of its
// own data (ACAPGet3DModel); the export reader copies the elements into a Model, and the attribute
// reader gives the materials and textures the elements name.
#pragma once

#include <memory>
#include <vector>

#include "platform/modeler/Model.h"

namespace ModelerAPI {

// The host's side of a 3D model. Materials and textures are 1-based by position.
struct HostModelData {
    std::vector<Element> elements;
    std::vector<Material> materials;
    std::vector<Texture> textures;
};
using HostModelHandle = std::shared_ptr<const HostModelData>;

class HOSTLIB_API AttributeReader {
public:
    AttributeReader();
    AttributeReader(const AttributeReader&) = delete;
    AttributeReader& operator=(const AttributeReader&) = delete;
    ~AttributeReader();

    // Copies every material and texture of the data; false for none given.
    bool Read(const HostModelData* data, std::vector<Material>* materials, std::vector<Texture>* textures);

    static int LiveCount();
};

class HOSTLIB_API ExportReader {
public:
    // Replaces the model's contents by the handle's; hosterr::BadParameter for a null handle or
    // model, which leaves the model as it was.
    static GSErrCode Read(const HostModelHandle& handle, AttributeReader& attributes, Model* model);
};

} // namespace ModelerAPI
