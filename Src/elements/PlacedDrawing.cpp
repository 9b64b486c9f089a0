#include "elements/PlacedDrawing.h"

#include <cstring>

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "Environment/Memory.h"
#include "project/MemoStore.h"
#include "project/Project.h"

namespace tarnwick {

// The memo block's field is typed as a handle, as all its fields are, but the host keeps a pointer
// block in it.
DrawingDataMemo::DrawingDataMemo(const DrawingDataMemo& other)
    : Memo(other), m_data(duplicatePtr(other.m_data)) {}

DrawingDataMemo& DrawingDataMemo::operator=(const DrawingDataMemo& other) {
    if (this != &other) {
        GSPtr copy = duplicatePtr(other.m_data);
        Memo::operator=(other);
        freePtr(m_data);
        m_data = copy;
    }
    return *this;
}

DrawingDataMemo::~DrawingDataMemo() {
    // A destructor cannot pass on what the host's memory manager throws.
    try {
        freePtr(m_data);
    } catch (...) {
    }
}

bool DrawingDataMemo::writeMemo(MemoStore& store) {
    try {
        if (!m_loaded || m_data == nullptr) return true;
        GSPtr copy = duplicatePtr(m_data);
        GSHandle* field = store.drawingDataBlockAddress();
        GSPtr old = reinterpret_cast<GSPtr>(*field);
        freePtr(old);
        *field = reinterpret_cast<GSHandle>(copy);
        return true;
    } catch (...) {
        return false;
    }
}

bool DrawingDataMemo::readMemo(MemoStore& store) {
    try {
        GSPtr copy = duplicatePtr(reinterpret_cast<GSPtr>(store.getDrawingDataBlock()));
        freePtr(m_data);
        m_data = copy;
        m_loaded = true;
        return true;
    } catch (...) {
        return false;
    }
}

void DrawingDataMemo::setDrawingData(GSPtr data) {
    if (data != m_data) freePtr(m_data);
    m_data = data;
    m_loaded = true;
}

void DrawingDataMemo::freeDrawingData() {
    freePtr(m_data);
}

PlacedDrawing::PlacedDrawing(const Guid& drawing)
    : Element(ElementLink(ElementLink::makeTypeId(TypeCode), nullptr, 0)) {
    applyDefaults();
    m_record.drawingGuid = drawing.toAPI();
}

PlacedDrawing::PlacedDrawing(const API_Element& record, const ElementLink& link) : Element(link) {
    std::memcpy(static_cast<void*>(&m_record), record.raw, sizeof m_record);
}

void PlacedDrawing::getPen(Pen& pen, uint32_t which) const {
    pen = Pen(AttributeLink(which <= 1 ? static_cast<int16_t>(m_record.pen) : int16_t(0), AttrPen));
}

void PlacedDrawing::setPen(const Pen& pen, uint32_t which) {
    if (which <= 1) m_record.pen = static_cast<uint16_t>(pen.getIndex16());
}

void PlacedDrawing::getReferencePoint(CadPoint& point) const {
    point = CadPoint(m_record.reference.x, m_record.reference.y, 0.0);
}

bool PlacedDrawing::moveBy(const CadPoint& offset) {
    if (!movePolygon(offset)) return false;
    const double dx = offset.getX(), dy = offset.getY();
    m_record.reference = HostCoord2D{m_record.reference.x + dx, m_record.reference.y + dy};
    m_record.secondPoint = HostCoord2D{m_record.secondPoint.x + dx, m_record.secondPoint.y + dy};
    m_record.box = HostBox2D{m_record.box.xMin + dx, m_record.box.yMin + dy, m_record.box.xMax + dx,
                             m_record.box.yMax + dy};
    return true;
}

std::unique_ptr<CadPolygon> PlacedDrawing::getOutline() const {
    const CadPolygon* polygon = const_cast<PlacedDrawing*>(this)->getPolygon();
    return polygon == nullptr ? nullptr : std::make_unique<CadPolygon>(*polygon);
}

void PlacedDrawing::setPolygon(std::unique_ptr<CadPolygon> polygon) {
    if (polygon) polygon->setClosed(true);
    PolygonMemo::setPolygon(std::move(polygon));
}

PolygonCounts PlacedDrawing::getPolygonHeader() const {
    return PolygonCounts{m_record.coordinateCount, m_record.endCount, m_record.arcCount};
}

String PlacedDrawing::getFirstCustomText() const {
    if (m_record.firstTextMode != UseCustomText) return String();
    return String(m_record.firstText, sizeof m_record.firstText);
}

String PlacedDrawing::getSecondCustomText() const {
    if (m_record.secondTextMode != UseCustomText) return String();
    return String(m_record.secondText, sizeof m_record.secondText);
}

bool PlacedDrawing::linkOf(HostDrawingLink& link) const {
    link = HostDrawingLink();
    API_Guid guid = getGuid().toAPI();
    return ACAPDatabaseCall(fourCC("GDLN"), &guid, &link) == hosterr::Ok;
}

Guid PlacedDrawing::getLinkGuid() const {
    HostDrawingLink link;
    return linkOf(link) ? Guid(link.guid) : Guid();
}

uint32_t PlacedDrawing::getLinkType() const {
    HostDrawingLink link;
    return linkOf(link) ? link.type : 0;
}

namespace {
ComponentIndexFinder componentIndexFinder = nullptr;
} // namespace

ComponentIndexFinder installComponentIndexFinder(ComponentIndexFinder finder) {
    ComponentIndexFinder old = componentIndexFinder;
    componentIndexFinder = finder;
    return old;
}

void PlacedDrawing::setComponentByName(const String& name) {
    Project* project = Host::getProject();
    Library* library = project != nullptr ? project->getLibrary() : nullptr;
    m_record.libraryIndex = library != nullptr && !name.isEmpty() && componentIndexFinder != nullptr
                                ? componentIndexFinder(*library, name)
                                : 0;
}

void PlacedDrawing::setBox(const Cube& box) {
    m_record.box =
        HostBox2D{box.getMin().getX(), box.getMin().getY(), box.getMax().getX(), box.getMax().getY()};
}

void PlacedDrawing::applyDefaults() {
    API_Element defaults;
    if (getDefaults(defaults, nullptr))
        std::memcpy(static_cast<void*>(&m_record), defaults.raw, sizeof m_record);
    getLink().writeHeader(m_record.head, true);
    m_record.word648 = 1.0;
    m_record.word680 = 4;
    m_record.head.byte76 = 0;
}

std::unique_ptr<API_Element> PlacedDrawing::buildRecord() const {
    HostPlacedDrawing part = m_record;
    auto* self = const_cast<PlacedDrawing*>(this);
    PolygonCounts counts;
    self->getPolygonCounts(counts);
    const bool read = PolygonMemo::isLoaded() && DrawingDataMemo::isLoaded();
    if (PolygonMemo::isLoaded()) {
        part.coordinateCount = counts.coordinates;
        part.endCount = counts.ends;
        part.arcCount = counts.arcs;
    }
    if (read || !getLink().hasGuid())
        part.head.byte76 = heldPolygon() != nullptr || heldDrawingData() != nullptr ? 1 : 0;
    auto record = std::make_unique<API_Element>();
    std::memcpy(record->raw, &part, sizeof part);
    getLink().writeHeader(record->head, true);
    return record;
}

void PlacedDrawing::loadMemo(uint64_t mask, MemoStore*& store) {
    Element::loadMemo(mask, store);
    if (!isMemoLoadSuspended()) {
        if (!PolygonMemo::isLoaded()) mask |= MemoPolygon;
        if (!DrawingDataMemo::isLoaded()) mask |= DrawingDataMemo::Mask;
    }
    mask &= MemoPolygon | DrawingDataMemo::Mask;
    if (mask == 0) return;
    if (store == nullptr) {
        if (!getLink().hasGuid()) {
            PolygonMemo::setLoaded(true); // a new drawing: the host holds no memo of it
            DrawingDataMemo::setLoaded(true);
            return;
        }
        if (!fetchMemo(mask, store)) return; // left unloaded: never written over the host's
    }
    if ((mask & MemoPolygon) != 0 && !PolygonMemo::readMemo(*store) && store->getCoordinates() == nullptr)
        PolygonMemo::setLoaded(true); // the host keeps no frame of it
    if ((mask & DrawingDataMemo::Mask) != 0) DrawingDataMemo::readMemo(*store);
}

ElementMemoPtr PlacedDrawing::buildMemo(uint64_t& mask) {
    mask = 0;
    PolygonMemo::ensureLoaded(*this);
    if (!PolygonMemo::isLoaded() || !DrawingDataMemo::isLoaded()) return nullptr;
    ElementMemoStore store;
    // No frame writes nothing of it.
    if (heldPolygon() != nullptr && !PolygonMemo::writeMemo(store)) return nullptr;
    if (!DrawingDataMemo::writeMemo(store)) return nullptr;
    if (store.getCoordinates() != nullptr) mask |= MemoPolygon;
    if (store.getDrawingDataBlock() != nullptr) mask |= DrawingDataMemo::Mask;
    return ElementMemoPtr(store.release());
}

std::unique_ptr<Element> createPlacedDrawing(const API_Element& record, ElementLink& link) {
    if (record.head.typeCode != PlacedDrawing::TypeCode) return nullptr;
    return std::make_unique<PlacedDrawing>(record, link);
}

} // namespace tarnwick
