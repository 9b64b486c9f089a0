#include "ElementDrawing.h"

#include <cstring>

#include "CallForwarding.h"
#include "ElementGeometry.h"
#include "LabelParts.h"
#include "ModelCalls.h"
#include "StandInHost.h"
#include "TextBlocks.h"
#include "ViewDatabases.h"
#include "platform/api/HostErrors.h"
#include "platform/gsroot/Memory.h"
#include "platform/gsroot/UniString.h"

namespace zavhost {

namespace {
constexpr uint32_t HatchTypeCode = 18;
constexpr uint32_t LineTypeCode = 19;
constexpr uint32_t PolylineTypeCode = 20;
constexpr uint32_t HotspotTypeCode = 24;

template <class T> std::string bytesOf(const T* items, size_t count) {
    return std::string(reinterpret_cast<const char*>(items), count * sizeof(T));
}

HostShapePrimitive recordOf(const StoredElement& element, uint32_t kind, uint32_t pen = 1) {
    HostShapePrimitive record;
    record.kind = kind;
    record.pen = pen;
    record.lineType = 1;
    record.headFlag = element.head().primitiveFlag;
    return record;
}

ScriptedPrimitive line(const StoredElement& element, const HostCoord2D& begin, const HostCoord2D& end,
                       uint32_t pen = 1) {
    ScriptedPrimitive p{recordOf(element, ShapeLine, pen), {}};
    p.record.line.begin = begin;
    p.record.line.end = end;
    return p;
}

ScriptedPrimitive text(const StoredElement& element, const HostCoord2D& at, double angle, uint32_t anchor,
                       double size, uint32_t pen, const std::string& content) {
    ScriptedPrimitive p{recordOf(element, ShapeText, pen), {}};
    p.record.text.location = at;
    p.record.text.angle = angle;
    p.record.text.anchor = anchor;
    p.record.text.size = size;
    p.data[0] = PrimitiveData::pointer(content + '\0');
    p.data[1] = PrimitiveData::uniText(content);
    return p;
}

const StoredBlock* blockAt(const StoredMemo& memo, size_t offset) {
    auto it = memo.blocks.find(static_cast<uint32_t>(offset));
    return it == memo.blocks.end() ? nullptr : &it->second;
}

size_t entries(const StoredBlock* block, size_t size) {
    return block == nullptr ? 0 : block->bytes.size() / size;
}

// The memo's polygon as the host hands a polygon primitive its parts; nothing without one.
bool addPolygon(const StoredElement& element, PrimitiveScript& script) {
    const StoredBlock* coordinates = blockAt(element.memo, offsetof(API_ElementMemo, coordinates));
    const StoredBlock* ends = blockAt(element.memo, offsetof(API_ElementMemo, subPolygonEnds));
    const StoredBlock* arcs = blockAt(element.memo, offsetof(API_ElementMemo, arcs));
    if (entries(coordinates, sizeof(HostCoord2D)) < 2 || entries(ends, sizeof(uint32_t)) < 2) return false;
    ScriptedPrimitive p{recordOf(element, ShapePolygon), {}};
    p.record.polygon.coordinateCount = static_cast<uint32_t>(entries(coordinates, sizeof(HostCoord2D)) - 1);
    p.record.polygon.endCount = static_cast<uint32_t>(entries(ends, sizeof(uint32_t)) - 1);
    p.record.polygon.arcCount = static_cast<uint32_t>(entries(arcs, sizeof(HostPolygonArc)));
    p.data[0] = PrimitiveData::handle(coordinates->bytes);
    p.data[1] = PrimitiveData::handle(ends->bytes);
    if (arcs != nullptr) p.data[2] = PrimitiveData::handle(arcs->bytes);
    script.push_back(std::move(p));
    return true;
}

void addPolyLine(const StoredElement& element, PrimitiveScript& script) {
    const auto contours = contoursOf(element.memo);
    if (contours.empty()) return;
    ScriptedPrimitive p{recordOf(element, ShapePolyLine), {}};
    std::vector<HostCoord2D> points{HostCoord2D()}; // from index 1
    points.insert(points.end(), contours[0].begin(), contours[0].end());
    p.record.polyLine.pointCount = static_cast<uint32_t>(contours[0].size());
    p.data[0] = PrimitiveData::pointer(bytesOf(points.data(), points.size()));
    const StoredBlock* arcs = blockAt(element.memo, offsetof(API_ElementMemo, arcs));
    p.record.polyLine.arcCount = static_cast<uint32_t>(entries(arcs, sizeof(HostPolygonArc)));
    if (arcs != nullptr) p.data[2] = PrimitiveData::pointer(arcs->bytes);
    script.push_back(std::move(p));
}

void addHatch(const StoredElement& element, PrimitiveScript& script) {
    HostFillRecord fill;
    fill.fillIndex = 1;
    fill.fillPen = 1;
    ScriptedPrimitive open{recordOf(element, ShapeFillOpen), {}};
    open.data[0] = PrimitiveData::pointer(bytesOf(&fill, 1));
    script.push_back(std::move(open));
    addPolygon(element, script);
    script.push_back(ScriptedPrimitive{recordOf(element, ShapeFillClose), {}});
}

void addLabel(const StoredElement& element, PrimitiveScript& script) {
    const HostLabelElement part = labelPartOf(element.record);
    const HostCoord2D* leader = part.leader;
    for (size_t i = 0; i + 1 < 3; ++i)
        if (leader[i].x != leader[i + 1].x || leader[i].y != leader[i + 1].y)
            script.push_back(line(element, leader[i], leader[i + 1], part.pen));
    const std::string content = textOf(element.memo);
    if (!content.empty())
        script.push_back(
            text(element, leader[2], part.textAngle, part.textAnchor, part.textSize, part.textPen, content));
}

GSErrCode elementPrimitives(StandInHost& host, const HostElementHead* head, ShapePrimitiveProc callback,
                            std::string& brief) {
    if (head == nullptr || callback == nullptr) return brief = "null argument", hosterr::BadParameter;
    Project* project = model::project(host, brief);
    if (project == nullptr) return hosterr::NoProject;
    brief = model::guidText(head->guid);
    // The host draws from the current database only.
    ViewDatabase& current = model::currentDatabase(*project);
    const StoredElement* element = project->model.views.elementsOf(current).find(head->guid);
    if (element == nullptr)
        return brief += ": not in the " + ViewDatabases::describe(current), hosterr::BadGuid;
    auto scripted = host.primitiveScripts().find(head->guid);
    const bool isScripted = scripted != host.primitiveScripts().end();
    const PrimitiveScript script = isScripted ? scripted->second : drawingOf(*element);
    brief += ": " + std::to_string(script.size()) + (isScripted ? " scripted" : "") + " primitive(s)";
    return playPrimitives(script, callback, brief);
}

GSErrCode getElementPrimitives(const HostElementHead* head, ShapePrimitiveProc callback) {
    StandInHost* h = forwarding::host();
    if (h == nullptr) return hosterr::Failed;
    std::string brief;
    GSErrCode err = elementPrimitives(*h, head, callback, brief);
    return forwarding::logged("GetElementPrimitives", std::move(brief), err);
}
} // namespace

PrimitiveScript drawingOf(const StoredElement& element) {
    PrimitiveScript script;
    switch (element.head().typeCode) {
    case LineTypeCode:
        script.push_back(
            line(element, pointAt(element.record, LineBeginOffset), pointAt(element.record, LineEndOffset)));
        break;
    case PolylineTypeCode:
        addPolyLine(element, script);
        break;
    case HatchTypeCode:
        addHatch(element, script);
        break;
    case TextTypeCode: {
        const HostTextElement part = textPartOf(element.record);
        script.push_back(
            text(element, part.location, part.angle, part.anchor, part.size, part.pen, textOf(element.memo)));
        break;
    }
    case LabelTypeCode:
        addLabel(element, script);
        break;
    case HotspotTypeCode:
        for (const HostCoord3D& node : nodePointsOf(element)) {
            ScriptedPrimitive p{recordOf(element, ShapeHotspot), {}};
            p.record.hotspot.location = {node.x, node.y};
            script.push_back(std::move(p));
        }
        break;
    default:
        addPolygon(element, script); // an outline, when the element has one
        break;
    }
    return script;
}

GSErrCode playPrimitives(const PrimitiveScript& script, ShapePrimitiveProc callback, std::string& brief) {
    for (const ScriptedPrimitive& primitive : script) {
        void* data[3] = {};
        GS::UniString texts[3];
        GSErrCode made = hosterr::Ok;
        for (size_t i = 0; i < 3 && made == hosterr::Ok; ++i) {
            const PrimitiveData& given = primitive.data[i];
            const auto size = static_cast<GSSize>(given.bytes.size());
            if (given.form == PrimitiveData::Form::Pointer) {
                GSPtr block = BMNewPtr(size);
                if (block != nullptr && size > 0) std::memcpy(block, given.bytes.data(), given.bytes.size());
                data[i] = block;
            } else if (given.form == PrimitiveData::Form::Handle) {
                GSHandle block = BMNewHandle(size);
                if (block != nullptr && size > 0) std::memcpy(*block, given.bytes.data(), given.bytes.size());
                data[i] = block;
            } else if (given.form == PrimitiveData::Form::UniText) {
                texts[i] = GS::UniString(given.bytes.c_str());
                data[i] = &texts[i];
            }
            if (given.form != PrimitiveData::Form::None && data[i] == nullptr) made = hosterr::MemoryFull;
        }
        const GSErrCode answer =
            made == hosterr::Ok ? callback(&primitive.record, data[0], data[1], data[2]) : made;
        for (size_t i = 0; i < 3; ++i) {
            if (primitive.data[i].form == PrimitiveData::Form::Pointer) {
                GSPtr block = static_cast<GSPtr>(data[i]);
                BMKillPtr(&block);
            } else if (primitive.data[i].form == PrimitiveData::Form::Handle) {
                GSHandle block = static_cast<GSHandle>(data[i]);
                BMKillHandle(&block);
            }
        }
        if (answer != hosterr::Ok)
            return brief += ", stopped at kind " + std::to_string(primitive.record.kind), answer;
    }
    return hosterr::Ok;
}

void fillDrawingFunctions(HostFunctionTable* table) {
    table->GetElementPrimitives = getElementPrimitives;
}

} // namespace zavhost
