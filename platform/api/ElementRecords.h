// Records of the host's elements: the 112-byte element head every element record starts with,
// the 4856-byte element record, the 1192-byte element memo, the 52-byte selection record and the
// 1624-byte database record. Kinds' own fields are added to the element record as they are built.
#pragma once

#include <cstddef>

#include "HostRecords.h"

namespace GS {
template <class T> class Array;
}

// Database kinds, as DatabaseRef and the database record hold them.
enum HostDatabaseKind : uint32_t {
    DatabaseNone = 0,
    DatabasePlan = 1,
    DatabaseSection = 2,
    DatabaseDetail = 3,
    DatabaseModel = 4,
    DatabaseLayout = 5,
    DatabaseMasterLayout = 9,
    DatabaseElevation = 10,
    DatabaseInteriorElevation = 11,
    DatabaseWorksheet = 12,
    Database3DDocument = 13,
};

struct HostElementHead {
    uint32_t typeCode = 0;
    uint32_t variation = 0; // a four-character code or 0
    uint8_t reserved0[8] = {};
    API_Guid guid;
    uint32_t word32 = 0;
    uint8_t reserved1[4] = {};
    API_Guid groupGuid;
    API_Guid editBlockGuid; // not empty while the element is inside an edit block
    int16_t storey = 0;
    uint16_t layer = 0;
    uint8_t byte76 = 0;
    uint8_t primitiveFlag = 0;
    uint16_t ownerUserId = 0; // shared projects: the user who holds the element
    uint16_t lockWord = 0;    // non-zero: locked
    int16_t headShort = 0;
    uint8_t reserved2[4] = {};
    uint32_t phase = 0;
    API_Guid mergedGuid;
    uint8_t reserved3[4] = {};
};
static_assert(sizeof(HostElementHead) == 112);
static_assert(offsetof(HostElementHead, variation) == 4 && offsetof(HostElementHead, guid) == 16);
static_assert(offsetof(HostElementHead, word32) == 32 && offsetof(HostElementHead, groupGuid) == 40);
static_assert(offsetof(HostElementHead, editBlockGuid) == 56 && offsetof(HostElementHead, storey) == 72);
static_assert(offsetof(HostElementHead, layer) == 74 && offsetof(HostElementHead, primitiveFlag) == 77);
static_assert(offsetof(HostElementHead, ownerUserId) == 78 && offsetof(HostElementHead, lockWord) == 80);
static_assert(offsetof(HostElementHead, headShort) == 82 && offsetof(HostElementHead, phase) == 88);
static_assert(offsetof(HostElementHead, mergedGuid) == 92);

// The element record of the element calls: the head, then the kind's own fields.
union API_Element {
    HostElementHead head;
    uint8_t raw[4856];
    API_Element() : raw{} {}
};
static_assert(sizeof(API_Element) == 4856);

// The element memo: the parts of an element the host keeps outside its record. The caller owns what
// the host puts in it and frees it with the host's dispose call.
struct API_ElementMemo {
    GSHandle coordinates = nullptr;
    GSHandle subPolygonEnds = nullptr;
    GSHandle arcs = nullptr;
    GSHandle vertexIds = nullptr;
    GSHandle field32 = nullptr;
    GSHandle field40 = nullptr;
    GSHandle parameters = nullptr;
    GSHandle gables = nullptr;
    GSHandle field64 = nullptr;
    GSHandle vertexDoubles = nullptr;
    GSHandle field80 = nullptr;
    GSHandle field88 = nullptr;
    GSHandle dimensionPoints = nullptr;
    GSHandle splineDirections = nullptr;
    GSHandle textContent = nullptr;
    GSHandle lineStarts = nullptr;
    GSHandle field128 = nullptr;
    GSHandle field136 = nullptr;
    GSHandle picture = nullptr;
    GSHandle paragraphs = nullptr;
    GSHandle drawingData = nullptr;
    GSHandle field168 = nullptr;
    GSHandle field176 = nullptr;
    GSHandle field184 = nullptr;
    GSHandle field192 = nullptr;
    GSHandle sectionPoints1 = nullptr;
    GSHandle sectionPoints2 = nullptr;
    GSHandle sectionPoints3 = nullptr;
    GSHandle field224 = nullptr;
    GSHandle field232 = nullptr;
    GSHandle field240 = nullptr;
    GSPtr subBlock = nullptr;   // a 56-byte host pointer block, made on demand
    uint8_t record256[48] = {}; // inline records
    uint8_t record304[48] = {};
    GSHandle field352 = nullptr;
    GSHandle field360 = nullptr;
    GSHandle field368 = nullptr;
    GSHandle field376 = nullptr;
    GSHandle field384 = nullptr;
    GSHandle field392 = nullptr;
    GSHandle field400 = nullptr;
    GSHandle field408 = nullptr;
    GSHandle field416 = nullptr;
    GSHandle windowGuids = nullptr;      // a wall's windows: one API_Guid each (part 0x40000)
    GSHandle doorGuids = nullptr;        // a wall's doors (part 0x80000)
    GSHandle edgeRecords = nullptr;      // an outline's per-edge records, 16 bytes each (part 8)
    GSPtr edgeValues = nullptr;          // per-edge u32 values, a pointer block (part 0x80000000)
    GSPtr sideOverrides = nullptr;       // per-edge side-surface overrides, 8 bytes each (0x100000000)
    GSHandle pivotCoordinates = nullptr; // a multi-plane roof's pivot polygon (part 0x200000000)
    GSHandle pivotEnds = nullptr;
    GSHandle pivotArcs = nullptr;
    GSHandle pivotVertexIds = nullptr;
    GSPtr pivotRecords = nullptr;        // one 32-byte pivot record per pivot coordinate, a pointer block
    GSHandle levelCoordinates = nullptr; // a mesh's level points: HostLevelCoordinate each (part 32)
    GSHandle levelEnds = nullptr;        // u32 running coordinate counts, one per level group (part 32)
    GSHandle freeFormBody = nullptr;     // a free form's body, as the host models it (HostFreeFormBody)
    GSPtr curtainWallSegments = nullptr; // a curtain wall's part records, a pointer block each
    GSPtr curtainWallFrames = nullptr;   // (parts 0x2000000 to 0x20000000)
    GSPtr curtainWallPanels = nullptr;
    GSPtr curtainWallJunctions = nullptr;
    GSPtr curtainWallAccessories = nullptr;
    GSHandle field568 = nullptr;
    GSHandle field576 = nullptr;
    GSHandle field584 = nullptr;
    GSHandle field592 = nullptr;
    GSHandle field600 = nullptr;
    GSHandle field608 = nullptr;
    GSHandle field616 = nullptr;
    GSHandle field624 = nullptr;
    GSHandle field632 = nullptr;
    GSHandle field640 = nullptr;
    GSHandle field648 = nullptr;
    GSHandle field656 = nullptr;
    GSHandle field664 = nullptr;
    GSHandle field672 = nullptr;
    GSHandle field680 = nullptr;
    GSHandle field688 = nullptr;
    GSHandle field696 = nullptr;
    GSHandle field704 = nullptr;
    GSHandle field712 = nullptr;
    GSHandle field720 = nullptr;
    GSHandle field728 = nullptr;
    GSHandle field736 = nullptr;
    GSHandle field744 = nullptr;
    GSHandle field752 = nullptr;
    GSHandle field760 = nullptr;
    GSHandle field768 = nullptr;
    GSHandle field776 = nullptr;
    GSHandle field784 = nullptr;
    GSHandle field792 = nullptr;
    GSHandle field800 = nullptr;
    GSHandle field808 = nullptr;
    GSHandle field816 = nullptr;
    GSHandle field824 = nullptr;
    GSHandle field832 = nullptr;
    GSHandle field840 = nullptr;
    GSHandle field848 = nullptr;
    GSHandle field856 = nullptr;
    GSHandle field864 = nullptr;
    GSHandle field872 = nullptr;
    GSHandle field880 = nullptr;
    GSHandle field888 = nullptr;
    GSHandle field896 = nullptr;
    GSHandle field904 = nullptr;
    GSHandle field912 = nullptr;
    GSHandle field920 = nullptr;
    GSHandle field928 = nullptr;
    GSHandle field936 = nullptr;
    GSHandle field944 = nullptr;
    GSHandle field952 = nullptr;
    GSHandle field960 = nullptr;
    GSHandle field968 = nullptr;
    GSHandle field976 = nullptr;
    GSHandle field984 = nullptr;
    GSHandle field992 = nullptr;
    GSHandle field1000 = nullptr;
    GSHandle field1008 = nullptr;
    GSHandle field1016 = nullptr;
    GSHandle field1024 = nullptr;
    GSHandle field1032 = nullptr;
    GSHandle field1040 = nullptr;
    GSHandle field1048 = nullptr;
    GSHandle field1056 = nullptr;
    GSHandle field1064 = nullptr;
    GSHandle field1072 = nullptr;
    GSHandle field1080 = nullptr;
    GSHandle field1088 = nullptr;
    GSHandle field1096 = nullptr;
    GSHandle field1104 = nullptr;
    GSHandle field1112 = nullptr;
    GSHandle field1120 = nullptr;
    GSHandle field1128 = nullptr;
    GSHandle field1136 = nullptr;
    GSHandle field1144 = nullptr;
    GSHandle field1152 = nullptr;
    GSHandle field1160 = nullptr;
    GSHandle field1168 = nullptr;
    GSHandle field1176 = nullptr;
    GSHandle field1184 = nullptr;
};
static_assert(sizeof(API_ElementMemo) == 1192);
static_assert(offsetof(API_ElementMemo, coordinates) == 0);
static_assert(offsetof(API_ElementMemo, subPolygonEnds) == 8);
static_assert(offsetof(API_ElementMemo, arcs) == 16);
static_assert(offsetof(API_ElementMemo, vertexIds) == 24);
static_assert(offsetof(API_ElementMemo, parameters) == 48);
static_assert(offsetof(API_ElementMemo, gables) == 56);
static_assert(offsetof(API_ElementMemo, vertexDoubles) == 72);
static_assert(offsetof(API_ElementMemo, dimensionPoints) == 96);
static_assert(offsetof(API_ElementMemo, splineDirections) == 104);
static_assert(offsetof(API_ElementMemo, textContent) == 112);
static_assert(offsetof(API_ElementMemo, lineStarts) == 120);
static_assert(offsetof(API_ElementMemo, picture) == 144);
static_assert(offsetof(API_ElementMemo, paragraphs) == 152);
static_assert(offsetof(API_ElementMemo, drawingData) == 160);
static_assert(offsetof(API_ElementMemo, sectionPoints1) == 200);
static_assert(offsetof(API_ElementMemo, sectionPoints2) == 208);
static_assert(offsetof(API_ElementMemo, sectionPoints3) == 216);
static_assert(offsetof(API_ElementMemo, subBlock) == 248 && offsetof(API_ElementMemo, record256) == 256);
static_assert(offsetof(API_ElementMemo, record304) == 304 && offsetof(API_ElementMemo, field1064) == 1064);
static_assert(offsetof(API_ElementMemo, windowGuids) == 424 && offsetof(API_ElementMemo, doorGuids) == 432);
static_assert(offsetof(API_ElementMemo, pivotCoordinates) == 464 &&
              offsetof(API_ElementMemo, pivotEnds) == 472);
static_assert(offsetof(API_ElementMemo, pivotArcs) == 480 &&
              offsetof(API_ElementMemo, pivotVertexIds) == 488);
static_assert(offsetof(API_ElementMemo, pivotRecords) == 496);
static_assert(offsetof(API_ElementMemo, curtainWallSegments) == 528 &&
              offsetof(API_ElementMemo, curtainWallFrames) == 536);
static_assert(offsetof(API_ElementMemo, curtainWallPanels) == 544 &&
              offsetof(API_ElementMemo, curtainWallJunctions) == 552);
static_assert(offsetof(API_ElementMemo, curtainWallAccessories) == 560);
static_assert(offsetof(API_ElementMemo, levelCoordinates) == 504 &&
              offsetof(API_ElementMemo, levelEnds) == 512);
static_assert(offsetof(API_ElementMemo, freeFormBody) == 520);
static_assert(offsetof(API_ElementMemo, edgeRecords) == 440 && offsetof(API_ElementMemo, edgeValues) == 448);
static_assert(offsetof(API_ElementMemo, sideOverrides) == 456);

// The kinds told apart by a sub-kind (roofs, and extrusions, sweeps and morphs) carry it right
// after the head.
struct HostKindedElement {
    HostElementHead head;
    uint32_t subKind = 0;
};
static_assert(offsetof(HostKindedElement, subKind) == 112);

// One arc edge of a memo polygon: the coordinate indices it runs between and its angle.
struct HostPolygonArc {
    uint32_t begin = 0;
    uint32_t end = 0;
    double angle = 0.0;
};
static_assert(sizeof(HostPolygonArc) == 16 && offsetof(HostPolygonArc, angle) == 8);

// One roof gable that cuts an element (memo part 2): the plane it cuts along, kept whole.
struct HostGable {
    double planeA = 0.0; // a x + b y + c z + d = 0
    double planeB = 0.0;
    double planeC = 0.0;
    double planeD = 0.0;
    uint8_t reserved[64] = {};
};
static_assert(sizeof(HostGable) == 96);

// The two override records of construction elements: the longer one with the three flag bytes and
// two attribute indices, the shorter extension with a third index and a flag.
struct HostOverrideRecord {
    uint8_t flags[3] = {};
    uint8_t reserved = 0;
    uint16_t first = 0;
    uint16_t second = 0;
};
static_assert(sizeof(HostOverrideRecord) == 8 && offsetof(HostOverrideRecord, first) == 4);

struct HostOverrideExtension {
    uint16_t third = 0;
    uint8_t flag = 0;
    uint8_t reserved = 0;
};
static_assert(sizeof(HostOverrideExtension) == 4 && offsetof(HostOverrideExtension, flag) == 2);

// The memo parts to fetch or build (64-bit mask).
enum HostMemoMask : uint64_t {
    MemoPolygon = 0x1,
    MemoGables = 0x2,
    MemoParameters = 0x4,
    MemoText = 0x180,
    MemoDrawingData = 0x800,
    MemoWindows = 0x40000,
    MemoDoors = 0x80000,
    MemoVertexLevels = 0x10,
    MemoMeshLevels = 0x20,
    MemoFreeFormBody = 0x400000000ULL,
    MemoEdgeRecords = 0x8,
    MemoEdgeValues = 0x80000000,
    MemoSideOverrides = 0x100000000ULL,
    MemoContour = 0x1000000, // a curtain-wall segment's contour, in the sub-block
    MemoCurtainWallSegments = 0x2000000,
    MemoCurtainWallFrames = 0x4000000,
    MemoCurtainWallPanels = 0x8000000,
    MemoCurtainWallJunctions = 0x10000000,
    MemoCurtainWallAccessories = 0x20000000,
    MemoPivotPolygon = 0x200000000ULL,
    MemoSectionLines = 0xC001,
    MemoAll = 0x7FFFFFFBFFFFFFFULL,
};

// One element as the host's selection and node calls name it.
struct HostSelectionRecord {
    uint32_t selectionKind = 0;
    uint8_t reserved0[4] = {};
    API_Guid guid;
    uint32_t partIndex = 0;
    uint32_t partCode = 0;
    uint8_t reserved1[20] = {};
};
static_assert(sizeof(HostSelectionRecord) == 52 && offsetof(HostSelectionRecord, guid) == 8);
static_assert(offsetof(HostSelectionRecord, partIndex) == 24 &&
              offsetof(HostSelectionRecord, partCode) == 28);

// One database (view) of the project: "GDAT", "GWIN", "CDAT", "GDBI", "MDAT", "NDAT", "DDAT".
struct HostDatabaseInfo {
    uint32_t kind = 0;
    uint8_t reserved0[4] = {};
    API_Guid databaseGuid;
    API_Guid masterGuid;
    char16_t title[256] = {};
    char16_t name[256] = {};
    char16_t reference[256] = {};
    uint8_t reserved1[48] = {};
};
static_assert(sizeof(HostDatabaseInfo) == 1624 && offsetof(HostDatabaseInfo, databaseGuid) == 8);
static_assert(offsetof(HostDatabaseInfo, masterGuid) == 24 && offsetof(HostDatabaseInfo, title) == 40);
static_assert(offsetof(HostDatabaseInfo, name) == 552 && offsetof(HostDatabaseInfo, reference) == 1064);

// "ACAPGetSelection": what is selected; types 2 to 4 select a region rather than elements.
struct HostSelectionInfo {
    uint32_t selectionType = 0;
    int32_t count = 0;
    uint8_t reserved[88] = {};
};
static_assert(sizeof(HostSelectionInfo) == 96);

// Element quantities: the parameters of the query, the request (the element block and the array of
// composite records the host fills) and the mask that asks for fields (0xFF per wanted byte).
struct HostQuantityParameters {
    double tolerance = 1e-5;
    uint8_t reserved[56] = {};
};
static_assert(sizeof(HostQuantityParameters) == 64);

struct HostCompositeQuantity {
    uint8_t reserved0[24] = {};
    double volume = 0.0;
    double projectedArea = 0.0;
    uint16_t material = 0;
    uint8_t reserved1[6] = {};
};
static_assert(sizeof(HostCompositeQuantity) == 48 && offsetof(HostCompositeQuantity, material) == 40);

inline constexpr size_t HostQuantityBlockSize = 1160;
inline constexpr size_t HostQuantityMaskSize = 6696;
inline constexpr size_t HostQuantityMaskCompositePart = 6648;

struct HostQuantityRequest {
    uint8_t* elementBlock = nullptr;                        // HostQuantityBlockSize bytes, filled by the host
    GS::Array<HostCompositeQuantity>* composites = nullptr; // filled by the host
    void* reserved0 = nullptr;
    void* reserved1 = nullptr;
};
static_assert(sizeof(HostQuantityRequest) == 32);

// A proxy element (type 29): in a section, elevation, interior elevation or 3D document it stands
// for the model element it shows.
struct HostProxyElement {
    HostElementHead head;
    uint8_t showsElement = 0; // 1 when the fields below name the element shown
    uint8_t reserved0[3] = {};
    API_Guid elementGuid;          // the model element
    uint32_t elementType = 0;      // its type code
    uint32_t elementVariation = 0; // its variation
};
static_assert(offsetof(HostProxyElement, showsElement) == 112);
static_assert(offsetof(HostProxyElement, elementGuid) == 116 &&
              offsetof(HostProxyElement, elementType) == 132);
static_assert(offsetof(HostProxyElement, elementVariation) == 136 &&
              sizeof(HostProxyElement) <= sizeof(API_Element));

// The memo field that carries an element's info (ID) text when it is created or changed, and when
// its memo is read: a handle of UTF-8 text, NUL-terminated.
inline constexpr size_t HostMemoInfoStringOffset = offsetof(API_ElementMemo, field1184);
