#include "project/ElementLink.h"

#include "Environment/Host.h"
#include "Environment/HostCalls.h"
#include "project/Drawing.h"
#include "project/Plan.h"
#include "project/Project.h"
#include "project/Storey.h"

namespace tarnwick {

namespace {
uint8_t codeOf(uint16_t typeId) {
    return static_cast<uint8_t>(typeId & 0xFF);
}
uint8_t subKindOf(uint16_t typeId) {
    return static_cast<uint8_t>(typeId >> 8);
}

Project* currentProject() {
    return Host::getProject();
}
} // namespace

uint32_t typeToSelectionKind(uint8_t typeCode) {
    // Index: type code; value: selection kind (0 for codes without one).
    static constexpr uint8_t kinds[32] = {0,  1,  5,  6,  10, 12, 13, 14, 15, 17, 21, 27, 28, 29, 31, 32,
                                          33, 34, 38, 40, 0,  44, 46, 48, 50, 51, 53, 0,  0,  55, 0,  57};
    return typeCode < 32 ? kinds[typeCode] : 0;
}

bool ElementLink::typeIdsMatch(uint16_t a, uint16_t b) {
    if (codeOf(a) != codeOf(b)) return false;
    return subKindOf(a) == 0 || subKindOf(b) == 0 || subKindOf(a) == subKindOf(b);
}

ElementLink::ElementLink(uint16_t typeId, Drawing* drawing, uint32_t variation)
    : m_typeId(typeId), m_variation(variation) {
    setDrawing(drawing);
}

ElementLink::ElementLink(uint16_t typeId, uint32_t variation) : m_typeId(typeId), m_variation(variation) {}

ElementLink::ElementLink(const HostElementHead& header, Drawing* drawing) {
    if (drawing != nullptr) setDrawing(drawing);
    fillFromHeader(header);
}

ElementLink::ElementLink(const Guid& guid, Drawing* drawing) : m_guid(guid) {
    if (drawing == nullptr) return;
    setDrawing(drawing);
    ElementLink found;
    if (drawing->findElement(guid, &found, nullptr, nullptr)) {
        m_typeId = found.m_typeId;
        m_variation = found.m_variation;
        m_home.setStoreyIndex(found.m_home.getStoreyIndex());
    }
}

ElementLink::ElementLink(const HostSelectionRecord& record, Drawing* drawing)
    : m_fromSelection(1), m_selectionKind(record.selectionKind), m_guid(record.guid),
      m_partIndex(record.partIndex), m_partCode(record.partCode) {
    resolveType();
    if (drawing == nullptr) return;
    setDrawing(drawing);
    ElementLink found;
    if (drawing->findElement(m_guid, &found, nullptr, nullptr)) {
        m_home.setStoreyIndex(found.m_home.getStoreyIndex());
        m_typeId = found.m_typeId;
        m_variation = found.m_variation;
    }
}

ElementLink::ElementLink(const HostSelectionRecord& record)
    : m_fromSelection(1), m_selectionKind(record.selectionKind), m_guid(record.guid),
      m_partIndex(record.partIndex), m_partCode(record.partCode) {}

ElementLink::ElementLink(const HostElementHead& header)
    : m_typeId(makeTypeId(static_cast<uint8_t>(header.typeCode))), m_guid(header.guid), m_partIndex(0),
      m_partCode(0) {
    m_home.setStoreyIndex(static_cast<uint16_t>(header.storey));
}

void ElementLink::fillFromHeader(const HostElementHead& header) {
    m_fromSelection = 0;
    m_selectionKind = 0;
    m_partIndex = 1;
    m_partCode = 0;
    m_typeId = makeTypeId(static_cast<uint8_t>(header.typeCode));
    m_variation = header.variation;
    m_guid = Guid(header.guid);
    m_home.setStoreyIndex(static_cast<uint16_t>(header.storey));
}

void ElementLink::setGuid(const Guid& guid, Drawing* drawing) {
    m_guid = guid;
    if (drawing != nullptr) {
        setDrawing(drawing);
    } else if (m_home.getKind() == DatabaseNone) {
        setDrawing(Host::getPlan());
    }
}

void ElementLink::resolveType() const {
    if (codeOf(m_typeId) != 0 || m_selectionKind == 0) return;
    uint32_t kind = m_selectionKind;
    uint8_t typeId[2] = {0, 0};
    if (ACAPUtilityCall(fourCC("NTOE"), &kind, typeId) == hosterr::Ok)
        m_typeId = makeTypeId(typeId[0], typeId[1]);
}

uint16_t ElementLink::getTypeId() const {
    resolveType();
    return m_typeId;
}

uint32_t ElementLink::getSelectionKind() const {
    if (m_selectionKind == 0 && codeOf(m_typeId) != 0)
        m_selectionKind = typeToSelectionKind(codeOf(m_typeId));
    return m_selectionKind;
}

void ElementLink::setDrawing(Drawing* drawing) {
    if (drawing == nullptr) {
        m_home.clear(false);
        return;
    }
    DatabaseRef ref = drawing->getDatabaseRef();
    m_home.setKind(ref.getKind());
    m_home.setDatabaseGuid(ref.getDatabaseGuid());
}

void ElementLink::setProxyDrawing(Drawing* drawing) {
    if (drawing == nullptr) {
        m_proxy.clear(true);
        return;
    }
    m_proxy = drawing->getDatabaseRef();
}

void ElementLink::setProxy(Drawing* drawing) {
    if (getProxyDrawing() == nullptr) m_proxyTypeId = makeTypeId(ProxyTypeCode, subKindOf(m_proxyTypeId));
    setProxyDrawing(drawing);
}

Drawing* ElementLink::getDrawing() const {
    Project* project = currentProject();
    return project == nullptr ? nullptr : project->getDrawing(m_home);
}

Drawing* ElementLink::getProxyDrawing() const {
    Project* project = currentProject();
    return project == nullptr ? nullptr : project->getDrawing(m_proxy);
}

Library* ElementLink::getLibrary() const {
    Project* project = currentProject();
    return project == nullptr ? nullptr : project->getLibrary();
}

Specification* ElementLink::getSpecification() const {
    Project* project = currentProject();
    return project == nullptr ? nullptr : project->getSpecification();
}

uint16_t ElementLink::homeStoreyOr(uint16_t fallback) const {
    Storey* storey = m_home.getStorey();
    return storey == nullptr ? fallback : static_cast<uint16_t>(storey->getIndex());
}

void ElementLink::makeHeader(HostElementHead& header, bool viaProxy) const {
    header = HostElementHead();
    if (viaProxy && codeOf(m_proxyTypeId) == ProxyTypeCode && getProxyDrawing() != nullptr) {
        header.typeCode = ProxyTypeCode;
        header.guid = m_proxyGuid.toAPI();
    } else {
        header.typeCode = getTypeCode();
        header.variation = m_variation;
        header.guid = m_guid.toAPI();
    }
    header.storey = static_cast<int16_t>(homeStoreyOr(static_cast<uint16_t>(header.storey)));
}

void ElementLink::writeHeader(HostElementHead& header, bool withStorey) const {
    header.typeCode = getTypeCode();
    header.variation = m_variation;
    header.guid = m_guid.toAPI();
    if (withStorey) header.storey = static_cast<int16_t>(homeStoreyOr(static_cast<uint16_t>(header.storey)));
}

void ElementLink::makeSelectionRecord(HostSelectionRecord& record, bool viaProxy, bool fresh) const {
    record = HostSelectionRecord();
    if (viaProxy && codeOf(m_proxyTypeId) == ProxyTypeCode && getProxyDrawing() != nullptr) {
        record.selectionKind = typeToSelectionKind(codeOf(m_proxyTypeId));
        record.guid = m_proxyGuid.toAPI();
    } else {
        record.selectionKind = fresh ? typeToSelectionKind(getTypeCode()) : getSelectionKind();
        record.guid = m_guid.toAPI();
    }
    record.partIndex = m_partIndex;
    record.partCode = m_partCode;
}

void ElementLink::copySelection(const ElementLink& other) {
    m_fromSelection = other.m_fromSelection;
    m_selectionKind = other.m_selectionKind;
    m_partIndex = other.m_partIndex;
    m_partCode = other.m_partCode;
}

bool ElementLink::operator==(const ElementLink& other) const {
    if (other.hasGuid()) return m_guid == other.m_guid;
    if (hasGuid()) return false;
    if (m_fromSelection != 0 && other.m_fromSelection != 0) {
        if (m_selectionKind != other.m_selectionKind || m_partIndex != other.m_partIndex) return false;
    } else if (!typeIdsMatch(getTypeId(), other.getTypeId())) {
        return false;
    }
    return typeIdsMatch(m_proxyTypeId, other.m_proxyTypeId) && m_proxyGuid == other.m_proxyGuid &&
           m_home == other.m_home && m_proxy == other.m_proxy;
}

bool ElementLink::operator<(const ElementLink& other) const {
    uint16_t mine = getTypeId();
    uint16_t theirs = other.getTypeId();
    if (codeOf(mine) != codeOf(theirs)) return codeOf(mine) < codeOf(theirs);
    if (subKindOf(mine) != subKindOf(theirs)) return subKindOf(mine) < subKindOf(theirs);
    return m_guid < other.m_guid;
}

} // namespace tarnwick
