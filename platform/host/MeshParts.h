// The stand-in host's terrain meshes and free forms: their defaults, the counts a mesh record keeps
// of its memo, a free form's body (a prism over a plan contour, which its 3D model shows), and
// how user edits move their level points and bodies.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ElementStore.h"
#include "platform/api/MeshRecords.h"

namespace zavhost {

class LineReader;
struct ModelArgs;

inline constexpr uint32_t MeshTypeCode = HostMeshTypeCode;
inline constexpr uint32_t FreeFormTypeCode = HostFreeFormTypeCode;

// A mesh or free form with pens 1, line type 1 and material 1, at elevation 0. False for a record
// of another type.
bool setDefaultMeshSettings(API_Element& record);
// The default free form's memo: a body 1 by 1 by 1 from the origin.
StoredMemo defaultFreeFormMemo();

// Why the host cannot keep the mesh or free form as it stands, or nothing: a mesh needs an
// outline, and its level ends must increase and stay inside its level coordinates; a free form's
// body must be whole. A mesh's record then counts its memo (outline and level data); a free form
// without a body takes the default's.
std::string settleMeshParts(StoredElement& element);

// A free form's body: its plan contour (not closed) between two levels; nothing for another
// element or a body that is not whole.
struct FreeFormBody {
    std::vector<HostCoord2D> contour;
    double bottom = 0.0;
    double top = 0.0;
};
std::optional<FreeFormBody> freeFormBodyOf(const StoredElement& element);

// Moves a mesh's level coordinates and a free form's body by the edit (the outline is the memo's
// polygon, which moves with every element's).
void transformMeshParts(StoredElement& element, const HostEditTransformation& edit);

// The mesh's or free form's quantities in the block, each only when the mask asks for it (a byte
// of its field set): a mesh's outline perimeter and area, a free form's body surface, volume,
// height, plan perimeter and plan area; fixed values for the rest. Answers how many fields were
// filled.
size_t fillMeshQuantities(const StoredElement& element, const uint8_t* mask, uint8_t* block);

// `level-line X Y Z X Y Z ...` (two points or more) and `level-point X Y Z` of `element add mesh`,
// each as often as wanted; false when the next word is neither.
bool parseMeshWord(LineReader& in, ModelArgs& args);
// A new mesh needs `polygon`: its vertices start at level 0, its level data are the words', and
// its record counts them. A new free form with `polygon` takes it as its body's plan, 1 high;
// without, the default body. Why it cannot be made, or nothing.
std::string startMesh(const ModelArgs& args, StoredElement& element);

} // namespace zavhost
