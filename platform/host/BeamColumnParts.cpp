#include "BeamColumnParts.h"

#include "RecordFields.h"
#include "platform/api/ObjectRecords.h"
#include "platform/api/OpeningRecords.h"

namespace zavhost {

namespace {
HostCoord2D moved(const HostCoord2D& p, const HostEditTransformation& edit) {
    const double dx = p.x - edit.origin.x, dy = p.y - edit.origin.y, dz = -edit.origin.z;
    const double* m = edit.matrix;
    return {m[0] * dx + m[1] * dy + m[2] * dz + edit.target.x,
            m[3] * dx + m[4] * dy + m[5] * dz + edit.target.y};
}

template <class Part> void startFrom(API_Element& record, const API_Element& defaults) {
    Part part = partOf<Part>(defaults);
    part.head = record.head;
    setPart(record, part);
}
} // namespace

bool setDefaultBeamSettings(API_Element& record) {
    if (record.head.typeCode != BeamTypeCode) return false;
    HostBeamElement beam = partOf<HostBeamElement>(record);
    beam.contourPen = beam.kind2Pen = beam.kind4Pen = beam.kind10Pen = 1;
    beam.cutFillPen = beam.cutFillBackgroundPen = 1;
    beam.lineType = beam.secondLineType = 1;
    beam.material = 1;
    beam.height = 0.5;
    beam.secondSize = 0.3;
    beam.end = {1.0, 0.0};
    setPart(record, beam);
    return true;
}

bool setDefaultColumnSettings(API_Element& record) {
    if (record.head.typeCode != ColumnTypeCode) return false;
    HostColumnElement column = partOf<HostColumnElement>(record);
    column.contourPen = column.kind2Pen = column.kind3Pen = column.kind4Pen = column.kind5Pen = 1;
    column.cutFillPen = column.cutFillBackgroundPen = 1;
    column.lineType = 1;
    column.coreMaterial = column.veneerMaterial = 1;
    column.width = column.depth = 0.5;
    column.height = 3.0;
    setPart(record, column);
    return true;
}

bool startPlacedRecord(API_Element& record, const API_Element& defaults) {
    switch (record.head.typeCode) {
    case BeamTypeCode:
        startFrom<HostBeamElement>(record, defaults);
        return true;
    case ColumnTypeCode:
        startFrom<HostColumnElement>(record, defaults);
        return true;
    case HostLampTypeCode:
        startFrom<HostLampElement>(record, defaults);
        return true;
    default:
        return false;
    }
}

void setBeamLine(API_Element& record, const HostCoord2D& begin, const HostCoord2D& end) {
    HostBeamElement beam = partOf<HostBeamElement>(record);
    beam.begin = begin;
    beam.end = end;
    setPart(record, beam);
}

bool setPlacedPoint(API_Element& record, const HostCoord2D& point) {
    switch (record.head.typeCode) {
    case ColumnTypeCode: {
        HostColumnElement column = partOf<HostColumnElement>(record);
        column.reference = point;
        setPart(record, column);
        return true;
    }
    case HostLampTypeCode: {
        HostLampElement lamp = partOf<HostLampElement>(record);
        lamp.referenceX = point.x;
        lamp.referenceY = point.y;
        setPart(record, lamp);
        return true;
    }
    case HostSkylightTypeCode: {
        HostSkylightElement skylight = partOf<HostSkylightElement>(record);
        skylight.anchor.x = point.x;
        skylight.anchor.y = point.y;
        setPart(record, skylight);
        return true;
    }
    default:
        return false;
    }
}

std::optional<std::vector<HostCoord3D>> placedNodes(const API_Element& record) {
    switch (record.head.typeCode) {
    case BeamTypeCode: {
        const HostBeamElement beam = partOf<HostBeamElement>(record);
        return std::vector<HostCoord3D>{{beam.begin.x, beam.begin.y, 0.0}, {beam.end.x, beam.end.y, 0.0}};
    }
    case ColumnTypeCode: {
        const HostColumnElement column = partOf<HostColumnElement>(record);
        return std::vector<HostCoord3D>{{column.reference.x, column.reference.y, 0.0}};
    }
    case HostLampTypeCode: {
        const HostLampElement lamp = partOf<HostLampElement>(record);
        return std::vector<HostCoord3D>{{lamp.referenceX, lamp.referenceY, 0.0}};
    }
    case HostSkylightTypeCode: {
        const HostSkylightElement skylight = partOf<HostSkylightElement>(record);
        return std::vector<HostCoord3D>{{skylight.anchor.x, skylight.anchor.y, 0.0}};
    }
    default:
        return std::nullopt;
    }
}

bool transformPlacedPoints(API_Element& record, const HostEditTransformation& edit) {
    switch (record.head.typeCode) {
    case BeamTypeCode: {
        HostBeamElement beam = partOf<HostBeamElement>(record);
        beam.begin = moved(beam.begin, edit);
        beam.end = moved(beam.end, edit);
        const double* m = edit.matrix;
        if (m[0] * m[4] - m[1] * m[3] < 0.0) beam.arcAngle = -beam.arcAngle;
        setPart(record, beam);
        return true;
    }
    case ColumnTypeCode:
    case HostLampTypeCode:
    case HostSkylightTypeCode: {
        const std::vector<HostCoord3D> nodes = *placedNodes(record);
        return setPlacedPoint(record, moved({nodes[0].x, nodes[0].y}, edit));
    }
    default:
        return false;
    }
}

} // namespace zavhost
