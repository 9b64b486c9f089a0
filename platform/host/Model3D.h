// The 3D window of the stand-in host: the model it exports of the floor plan's model elements,
// its materials (the project's surfaces, 1-based, with the textures a scenario gave them), the
// material components, and the camera saved with the project.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "ElementStore.h"
#include "PersistentMap.h"
#include "platform/api/CameraRecord.h"
#include "platform/modeler/ExportReader.h"

struct HostFunctionTable;

namespace zavhost {

class ByteWriter;
class StandInHost;
struct Project;

// How far an element stands up in 3D, and its surface; an element without one stands on its
// storey's level, one storey (3.0) high, without a surface.
struct ElementExtent3D {
    double bottom = 0.0;
    double top = 0.0;
    int16_t surface = 0;
    bool operator==(const ElementExtent3D&) const = default;
};

// A surface's texture picture: width × height pixels of four bytes (red, green, blue, alpha).
struct TexturePixels {
    int32_t width = 0;
    int32_t height = 0;
    std::string rgba;
    bool operator==(const TexturePixels&) const = default;
};

struct Model3DStore {
    PersistentMap<API_Guid, ElementExtent3D, GuidLess> extents; // shared with undo steps until changed
    std::map<int16_t, TexturePixels> textures;                  // by surface index
    std::string camera; // the camera record's bytes; empty: the default one

    bool operator==(const Model3DStore&) const = default;
};

namespace model3d {

inline constexpr uint32_t chunkTag = fourCC("M3D ");

// The model of the floor plan's model elements that have an outline or a box, in creation order.
ModelerAPI::HostModelHandle exportModel(const Project& project);
// The saved camera, or a perspective view from the south-west onto the origin.
HostCameraRecord camera(const Project& project);

void install(HostFunctionTable* table);
// "GP3D" and "CP3D" (environment).
void registerSelectors(StandInHost& host);

// Writes nothing for a store with nothing in it.
void encode(const Model3DStore& store, ByteWriter& out);
bool decode(std::string_view payload, Model3DStore* store, std::string* error);

} // namespace model3d
} // namespace zavhost
