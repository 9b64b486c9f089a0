#include "elements/DimensionMemo.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "elements/Element.h"
#include "elements/text/TextStyle.h"
#include "project/MemoStore.h"

namespace tarnwick {

DimensionPoint::DimensionPoint(const HostDimensionPoint* record) {
    if (record == nullptr) return;
    m_record = *record;
    m_record.hostReference = 0;
}

namespace {

// The two flags a point takes from the selection kind of the element it measures.
void setKindFlags(HostDimensionPoint& record, uint32_t kind) {
    switch (kind) {
    case 3:
    case 7:
    case 16:
    case 18:
    case 22:
    case 39:
    case 41:
    case 45:
    case 49:
        record.flag4 = 1;
        break;
    case 4:
        record.flag4 = 1;
        record.flag5 = 1;
        break;
    case 2:
    case 8:
    case 10:
    case 12:
    case 23:
    case 24:
        record.flag5 = 1;
        break;
    default:
        break;
    }
}

bool nodeAt(HostSelectionRecord& selection, uint32_t node, HostCoord3D& point) {
    selection.partIndex = node;
    point = HostCoord3D();
    return ACAPUtilityCall(fourCC("NTOC"), &selection, &point) == hosterr::Ok;
}

bool isFinite(const HostDimensionPoint& record) {
    for (double v : {record.position.x, record.position.y, record.position3D.x, record.position3D.y,
                     record.position3D.z, record.projection.x, record.projection.y})
        if (!std::isfinite(v)) return false;
    return true;
}

bool samePlace(const HostCoord3D& node, const CadPoint& near, double tolerance) {
    return std::fabs(node.x - near.getX()) <= tolerance && std::fabs(node.y - near.getY()) <= tolerance;
}

} // namespace

DimensionPoint::DimensionPoint(const ElementLink& element, const CadPoint* near, uint32_t value,
                               double tolerance) {
    m_record.elementGuid = element.getGuid().toAPI();
    HostSelectionRecord selection;
    element.getSelectionRecord(selection);
    setKindFlags(m_record, selection.selectionKind);
    const uint32_t own = element.getPartIndex();
    HostCoord3D node;
    if (near == nullptr) {
        m_record.nodeIndex = own;
        if (nodeAt(selection, own, node))
            m_record.position = HostCoord2D{node.x, node.y};
        else
            m_unresolved = true;
    } else {
        m_record.position = near->getCoord2D();
        bool matched = false;
        if (own != 0) {
            m_record.nodeIndex = own;
            matched = nodeAt(selection, own, node) && samePlace(node, *near, tolerance);
        }
        // Bounded, as every node walk is: a host that never refuses must not hold the module.
        for (uint32_t i = 1; !matched && i <= Element::MaxNodePoints; ++i) {
            if (!nodeAt(selection, i, node)) break;
            if (samePlace(node, *near, tolerance)) {
                m_record.nodeIndex = i;
                matched = true;
            }
        }
        if (!matched && own == 0) m_record.noNode = 1;
    }
    m_record.projection = m_record.position;
    m_record.elementType = element.getTypeCode();
    m_record.value = value;
}

std::unique_ptr<TextStyle> DimensionPoint::getTextStyle() const {
    return std::make_unique<TextStyle>(m_record.textBlock);
}

void DimensionPoint::setTextStyle(const TextStyle& style) {
    style.toSizeRecord(m_record.textBlock);
}

CadPoint DimensionPoint::getPosition() const {
    return CadPoint(m_record.position.x, m_record.position.y, m_record.position3D.z);
}

void DimensionPoint::setPosition(const CadPoint& point) {
    m_record.position = point.getCoord2D();
    m_record.position3D = HostCoord3D{point.getX(), point.getY(), point.getZ()};
}

void DimensionPoint::setElement(const ElementLink& element) {
    m_record.elementGuid = element.getGuid().toAPI();
    m_record.elementType = element.getTypeId();
    m_record.nodeIndex = element.getPartIndex();
}

ElementLink DimensionPoint::getElementLink() const {
    ElementLink link(Guid(m_record.elementGuid), nullptr);
    link.setParts(m_record.nodeIndex, link.getPartCode());
    return link;
}

DimensionMemo::DimensionMemo(const DimensionMemo& other) : Memo(other) {
    m_points.reserve(other.m_points.size());
    for (size_t i = 0; i < other.m_points.size(); ++i)
        m_points.append(other.m_points[i]->clone());
}

DimensionMemo& DimensionMemo::operator=(const DimensionMemo& other) {
    if (this != &other) {
        Memo::operator=(other);
        m_points.clear();
        for (size_t i = 0; i < other.m_points.size(); ++i)
            m_points.append(other.m_points[i]->clone());
    }
    return *this;
}

bool DimensionMemo::writeMemo(MemoStore& store) {
    ensureLoaded(getMemoOwner());
    const size_t count = m_points.size();
    if (count == 0) return true;
    GSHandle* field = store.dimensionPointsAddress();
    freeHandle(*field);
    *field = allocateHandle(static_cast<GSSize>(count * sizeof(HostDimensionPoint)));
    auto* records = reinterpret_cast<HostDimensionPoint*>(**field);
    for (size_t i = 0; i < count; ++i)
        records[i] = m_points[i]->getRecord();
    return true;
}

bool DimensionMemo::readMemo(MemoStore& store) {
    m_loaded = false;
    m_points.clear();
    GSHandle handle = store.getDimensionPoints();
    const size_t count =
        handle == nullptr ? 0 : static_cast<size_t>(getHandleSize(handle)) / sizeof(HostDimensionPoint);
    if (count == 0) return false;
    const auto* records = reinterpret_cast<const HostDimensionPoint*>(*handle);
    // A point that could not be drawn is refused with the rest, as a polygon's is.
    for (size_t i = 0; i < count; ++i)
        if (!isFinite(records[i])) return false;
    m_points.reserve(count);
    for (size_t i = 0; i < count; ++i)
        m_points.append(std::make_unique<DimensionPoint>(&records[i]));
    m_loaded = true;
    return true;
}

void DimensionMemo::setPoint(std::unique_ptr<DimensionPoint> point, size_t index) {
    ensureLoaded(getMemoOwner());
    if (!point || index >= m_points.size()) return;
    if (m_points[index] == point.get()) {
        (void)point.release(); // already held there
        return;
    }
    (void)m_points.replace(index, std::move(point));
}

void DimensionMemo::insertPoint(std::unique_ptr<DimensionPoint> point, size_t index) {
    ensureLoaded(getMemoOwner());
    if (!point) return;
    if (index >= m_points.size())
        m_points.append(std::move(point));
    else
        m_points.insert(index, std::move(point));
}

void DimensionMemo::appendPoint(std::unique_ptr<DimensionPoint> point) {
    ensureLoaded(getMemoOwner());
    if (point) m_points.append(std::move(point));
}

std::vector<std::unique_ptr<DimensionPoint>> DimensionMemo::clearPoints(bool release) {
    ensureLoaded(getMemoOwner());
    std::vector<std::unique_ptr<DimensionPoint>> released;
    if (release) {
        released.reserve(m_points.size());
        // From the back, so that no release moves the points behind it.
        for (size_t i = m_points.size(); i > 0; --i)
            released.push_back(m_points.release(i - 1));
        std::reverse(released.begin(), released.end());
    }
    m_points.clear();
    return released;
}

void DimensionMemo::removePoint(size_t index) {
    ensureLoaded(getMemoOwner());
    if (index < m_points.size()) m_points.erase(index);
}

DimensionPoint* DimensionMemo::getPoint(size_t index) {
    ensureLoaded(getMemoOwner());
    return index < m_points.size() ? m_points[index] : nullptr;
}

size_t DimensionMemo::getPointCount() {
    ensureLoaded(getMemoOwner());
    return m_points.size();
}

int64_t DimensionMemo::findPoint(const ElementLink& element, size_t from) {
    ensureLoaded(getMemoOwner());
    for (size_t i = from; i < m_points.size(); ++i)
        if (m_points[i]->getElementLink() == element) return static_cast<int64_t>(i);
    return -1;
}

} // namespace tarnwick
