// Names one host element by value: its type, variation, Guid, how it was selected, the database
// that holds it and, for an element seen through a proxy in a section-like view, the proxy.
// A link holds no live object; it is resolved against the current project on demand.
#pragma once

#include <cstdint>
#include <memory>

#include "Environment/Guid.h"
#include "platform/api/ElementRecords.h"
#include "project/DatabaseRef.h"

namespace tarnwick {

class Drawing;
class Library;
class ModelProxy;
class Specification;

// Host type code of the proxy that stands for a model element in a section-like view.
inline constexpr uint8_t ProxyTypeCode = 29;

// The selection kind of a host element type code; 0 for codes without one.
uint32_t typeToSelectionKind(uint8_t typeCode);

class ElementLink {
public:
    // A type id is two bytes: the type code (low byte) and a sub-kind (high byte; 0 = any).
    static uint16_t makeTypeId(uint8_t typeCode, uint8_t subKind = 0) {
        return static_cast<uint16_t>(typeCode | (subKind << 8));
    }
    // Type codes equal, and sub-kinds equal unless either is 0.
    static bool typeIdsMatch(uint16_t a, uint16_t b);

    ElementLink() = default;
    // A new element of a type in a drawing (null: no home database yet).
    ElementLink(uint16_t typeId, Drawing* drawing, uint32_t variation = 0);
    ElementLink(uint16_t typeId, uint32_t variation);
    // The element a host header describes, with the drawing (may be null) as home.
    ElementLink(const HostElementHead& header, Drawing* drawing);
    // An existing element; with a drawing its type, variation and storey are read from the host.
    ElementLink(const Guid& guid, Drawing* drawing);
    // A selected element; with a drawing its type, variation and storey are read from the host.
    ElementLink(const HostSelectionRecord& record, Drawing* drawing);
    explicit ElementLink(const HostSelectionRecord& record);
    // Type code, Guid and storey of a header; part fields 0.
    explicit ElementLink(const HostElementHead& header);

    // Refills from a header: type code (sub-kind 0), variation, Guid and home storey; the
    // selection fields go back to their defaults.
    void fillFromHeader(const HostElementHead& header);

    const Guid& getGuid() const { return m_guid; }
    bool hasGuid() const { return m_guid.isValid(); }
    // A given drawing becomes home; without one the floor plan does, while home is still unset.
    void setGuid(const Guid& guid, Drawing* drawing);
    const Guid& getProxyGuid() const { return m_proxyGuid; }
    void setProxyGuid(const Guid& guid) { m_proxyGuid = guid; }

    // The type id, asked of the host once when only the selection kind is known.
    uint16_t getTypeId() const;
    uint8_t getTypeCode() const { return static_cast<uint8_t>(getTypeId() & 0xFF); }
    uint8_t getSubKind() const { return static_cast<uint8_t>(getTypeId() >> 8); }
    void setTypeId(uint16_t typeId) { m_typeId = typeId; }
    uint16_t getProxyTypeId() const { return m_proxyTypeId; }
    void setProxyTypeId(uint16_t typeId) { m_proxyTypeId = typeId; }
    uint32_t getVariation() const { return m_variation; }
    void setVariation(uint32_t variation) { m_variation = variation; }
    // Stored from the type code when not yet known; 0 when neither is known.
    uint32_t getSelectionKind() const;
    void setSelectionKind(uint32_t kind) { m_selectionKind = kind; }
    bool isFromSelection() const { return m_fromSelection != 0; }
    uint32_t getPartIndex() const { return m_partIndex; }
    uint32_t getPartCode() const { return m_partCode; }
    void setParts(uint32_t partIndex, uint32_t partCode) {
        m_partIndex = partIndex;
        m_partCode = partCode;
    }

    const DatabaseRef& getHome() const { return m_home; }
    DatabaseRef& getHome() { return m_home; }
    const DatabaseRef& getProxy() const { return m_proxy; }
    DatabaseRef& getProxy() { return m_proxy; }
    // Home kind and Guid from the drawing; the home storey is kept. Null clears them.
    void setDrawing(Drawing* drawing);
    // The whole proxy ref from the drawing; null clears it.
    void setProxyDrawing(Drawing* drawing);
    // As setProxyDrawing, marking the proxy type first when the old proxy ref names no drawing.
    void setProxy(Drawing* drawing);

    // Resolved in the current project; null without one.
    Drawing* getDrawing() const;
    Drawing* getProxyDrawing() const;
    Library* getLibrary() const;
    Specification* getSpecification() const;

    // A cleared header naming the element, or with viaProxy (when the proxy resolves and has the
    // proxy type) its proxy; the storey of the home ref when it has one.
    void makeHeader(HostElementHead& header, bool viaProxy) const;
    void getHeader(HostElementHead& header) const { makeHeader(header, false); }
    // Writes type code, variation and Guid into an existing header; withStorey also the storey.
    void writeHeader(HostElementHead& header, bool withStorey) const;
    // A cleared selection record naming the element or, via the proxy, its proxy. fresh
    // computes the selection kind from the type without keeping it.
    void makeSelectionRecord(HostSelectionRecord& record, bool viaProxy, bool fresh) const;
    void getSelectionRecord(HostSelectionRecord& record) const { makeSelectionRecord(record, true, false); }

    // Takes over how the other link was selected.
    void copySelection(const ElementLink& other);
    std::unique_ptr<ElementLink> clone() const { return std::make_unique<ElementLink>(*this); }

    // With a Guid on the other side the Guids alone decide; Guid-less selected links compare
    // selection kind and part; others compare type, proxy and databases.
    bool operator==(const ElementLink& other) const;
    bool operator!=(const ElementLink& other) const { return !(*this == other); }
    // A total order: type code, sub-kind (0 first), then Guid.
    bool operator<(const ElementLink& other) const;
    bool operator>(const ElementLink& other) const { return other < *this; }

private:
    void resolveType() const;
    uint16_t homeStoreyOr(uint16_t fallback) const;

    uint8_t m_fromSelection = 0;
    mutable uint16_t m_typeId = 0; // resolved on demand, also in const links
    uint32_t m_variation = 0;
    uint16_t m_proxyTypeId = 0;
    mutable uint32_t m_selectionKind = 0;
    Guid m_guid;
    Guid m_proxyGuid;
    uint32_t m_partIndex = 1;
    uint32_t m_partCode = 0;
    DatabaseRef m_home;
    DatabaseRef m_proxy;
};

// An element of the exported 3D model: the link, the proxy that made it and its 3D index.
class Element3DLink : public ElementLink {
public:
    static constexpr uint32_t NoIndex = 0x7fffffff;

    Element3DLink() = default;
    Element3DLink(const ElementLink& link, ModelProxy* proxy, uint32_t index3D)
        : ElementLink(link), m_proxy(proxy), m_index3D(index3D) {}

    ModelProxy* getModelProxy() const { return m_proxy; }
    uint32_t getIndex3D() const { return m_index3D; }
    bool operator==(const Element3DLink& other) const {
        return ElementLink::operator==(other) && m_index3D == other.m_index3D;
    }

private:
    ModelProxy* m_proxy = nullptr;
    uint32_t m_index3D = NoIndex;
};

} // namespace tarnwick
