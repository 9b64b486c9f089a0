// A layer attribute with its visibility and lock flags and its connection class.
#pragma once

#include "project/RecordAttribute.h"

namespace tarnwick {

class Layer : public RecordAttribute<Layer, HostLayer, AttrLayer> {
public:
    // The per-layer state layer combinations and layer maps keep.
    class Status {
    public:
        Status(uint16_t flags = 0, uint32_t connectionClass = 0) : m_flags(flags), m_class(connectionClass) {}
        explicit Status(const HostLayerStatus& record)
            : m_flags(record.flags), m_class(static_cast<uint32_t>(record.connectionClass)) {}
        virtual ~Status() = default;
        // A cleared record with flags and class; the index is the caller's.
        virtual void toRecord(HostLayerStatus& record) const;

        uint16_t getFlags() const { return m_flags; }
        uint32_t getConnectionClass() const { return m_class; }
        void setConnectionClass(uint32_t connectionClass) { m_class = connectionClass; }
        bool isHidden() const { return (m_flags & LayerHidden) != 0; }
        bool isLocked() const { return (m_flags & LayerLocked) != 0; }
        bool isNotInWorkspace() const { return (m_flags & LayerNotInWorkspace) != 0; }
        bool isFlag0010() const { return (m_flags & LayerFlag0010) != 0; }
        void setLocked(bool on) { set(LayerLocked, on); }
        void setHidden(bool on) { set(LayerHidden, on); }
        void setNotInWorkspace(bool on) { set(LayerNotInWorkspace, on); }
        void setFlag0010(bool on) { set(LayerFlag0010, on); }

    private:
        void set(uint16_t bit, bool on) { m_flags = on ? (m_flags | bit) : (m_flags & ~bit); }

        uint16_t m_flags;
        uint32_t m_class;
    };

    // The display name of the default layer (index 1), from the module's resources.
    static String defaultLayerName();

    Layer() = default; // an empty layer record, unbound
    explicit Layer(const AttributeLink& link) : RecordAttribute(link) {}
    // The layer of that name in the current project: the default layer's display name gives
    // index 1; a name no layer has gives a new layer carrying it, ready to be stored.
    explicit Layer(const String& name);
    // The factory's form; the default layer takes its display name.
    Layer(const API_Attribute& record, const AttributeLink& link);

    Status getStatus() const { return Status(getFlags(), getConnectionClass()); }
    uint32_t getConnectionClass() const { return record().connectionClass; }
    void setConnectionClass(uint32_t connectionClass) { record().connectionClass = connectionClass; }

    bool isHidden() const { return (getFlags() & LayerHidden) != 0; }
    bool isLocked() const { return (getFlags() & LayerLocked) != 0; }
    bool isNotInWorkspace() const { return (getFlags() & LayerNotInWorkspace) != 0; }
    bool isFlag0010() const { return (getFlags() & LayerFlag0010) != 0; }
    void setHidden(bool on) { setBit(LayerHidden, on); }
    void setLocked(bool on) { setBit(LayerLocked, on); }
    void setFlag0010(bool on) { setBit(LayerFlag0010, on); }

    bool operator==(const Layer& other) const { return getIndex16() == other.getIndex16(); }

private:
    friend class RecordAttribute<Layer, HostLayer, AttrLayer>;
    static void fillFallback(HostLayer& record) { record.header.typeCode = AttrLayer; }
    static constexpr bool fallbackUnlinks = true;

    void setBit(uint16_t bit, bool on);
};

} // namespace tarnwick
