// The host's 352-byte camera record of the 3D window, read with "GP3D" and written with "CP3D".
// The first byte tells the projection mode; from byte 40 the record holds either the perspective
// or the parallel camera. Bytes the module does not interpret are kept as opaque values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "HostRecords.h"

struct HostPerspectiveCamera {
    // bytes 40..151
    double cameraZ = 0.0;
    double targetZ = 0.0;
    double viewConeAngle = 0.0; // full opening angle, radians
    double rollAngle = 0.0;     // about the view direction, radians
    double furtherValues[10] = {};
    // bytes 152..167 and 168..183
    HostCoord2D camera;
    HostCoord2D target;
    // bytes 184..279: the first three rows of the model-to-camera matrix
    double viewMatrix[12] = {};
    // byte 280
    double scale = 0.0;
    uint8_t unused[64] = {};
};

struct HostParallelCamera {
    // bytes 40..167 and 168..295: model-to-view matrix and its inverse, row by row
    double viewMatrix[16] = {};
    double inverseMatrix[16] = {};
    // bytes 296..351
    HostCoord3D camera;
    HostCoord3D target;
    double rollAngle = 0.0;
};

struct HostCameraRecord {
    uint8_t isPerspective = 0; // not 0: perspective
    uint8_t reserved[39] = {};
    union {
        HostPerspectiveCamera perspective;
        HostParallelCamera parallel;
    };
    HostCameraRecord() : perspective() {}
};

static_assert(sizeof(HostPerspectiveCamera) == 312);
static_assert(sizeof(HostParallelCamera) == 312);
static_assert(sizeof(HostCameraRecord) == 352);
static_assert(offsetof(HostCameraRecord, perspective) == 40);
static_assert(offsetof(HostCameraRecord, parallel) == 40);
static_assert(offsetof(HostPerspectiveCamera, camera) == 152 - 40);
static_assert(offsetof(HostPerspectiveCamera, target) == 168 - 40);
static_assert(offsetof(HostPerspectiveCamera, viewMatrix) == 184 - 40);
static_assert(offsetof(HostPerspectiveCamera, scale) == 280 - 40);
static_assert(offsetof(HostParallelCamera, inverseMatrix) == 168 - 40);
static_assert(offsetof(HostParallelCamera, camera) == 296 - 40);
