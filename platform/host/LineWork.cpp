#include "LineWork.h"

#include <cstring>
#include <numbers>

#include "RecordFields.h"
#include "platform/api/DimensionRecords.h"

namespace zavhost {

bool setDefaultLineWork(API_Element& record) {
    const uint32_t type = record.head.typeCode;
    if (type == LineTypeCode) {
        auto line = partOf<HostLineElement>(record);
        line.penValue = 1;
        line.lineType = 1;
        line.arrow.pen = 1;
        line.arrow.size = 0.1;
        setPart(record, line);
        return true;
    }
    if (type == LinearDimensionTypeCode) {
        auto dimension = partOf<HostLinearDimension>(record);
        dimension.pen = 1;
        dimension.textBlock.pen = 1;
        dimension.textBlock.font = 1;
        dimension.textBlock.size = 2.5;
        dimension.arrow.pen = 1;
        dimension.arrow.size = 0.1;
        dimension.direction = HostCoord2D{1.0, 0.0};
        setPart(record, dimension);
        return true;
    }
    if (type == HotspotTypeCode) {
        auto hotspot = partOf<HostHotspotElement>(record);
        hotspot.pen = 1;
        setPart(record, hotspot);
        return true;
    }
    if (type == SplineTypeCode) {
        auto spline = partOf<HostSplineElement>(record);
        spline.penValue = 1;
        spline.lineType = 1;
        spline.arrow.pen = 1;
        spline.arrow.size = 0.1;
        setPart(record, spline);
        return true;
    }
    if (type == PolyLineTypeCode) {
        auto polyline = partOf<HostPolyLineElement>(record);
        polyline.penValue = 1;
        polyline.lineType = 1;
        polyline.secondPen = 1;
        setPart(record, polyline);
        return true;
    }
    if (type != CircleTypeCode && type != ArcTypeCode) return false;
    auto circle = partOf<HostCircleElement>(record);
    circle.penValue = 1;
    circle.lineType = 1;
    circle.secondPen = 1;
    circle.radius = 1.0;
    circle.axisRatio = 1.0;
    if (type == ArcTypeCode) circle.endAngle = std::numbers::pi / 2.0;
    setPart(record, circle);
    return true;
}

} // namespace zavhost
