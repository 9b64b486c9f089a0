#include "project/Layer.h"

#include "Environment/Host.h"

namespace tarnwick {

namespace {
constexpr uint32_t defaultLayerItem = 19;
constexpr int16_t defaultLayerIndex = 1;
} // namespace

void Layer::Status::toRecord(HostLayerStatus& record) const {
    record = HostLayerStatus();
    record.flags = m_flags;
    record.connectionClass = static_cast<int32_t>(m_class);
}

String Layer::defaultLayerName() {
    static String name;
    if (name.isEmpty())
        name = Host::getResourceString(Host::FrameworkTexts, defaultLayerItem); // kept once read
    return name;
}

Layer::Layer(const String& name) : RecordAttribute(AttributeLink(0u, AttrLayer, Host::getSpecification())) {
    if (!name.isEmpty()) m_link = AttributeLink(name, AttrLayer, m_link.getDatabase());
    if (!name.isEmpty() && name == defaultLayerName()) m_link.setIndex(defaultLayerIndex);
    if (name.isEmpty() || m_link.getIndex() != 0) return;
    auto fresh = std::make_unique<HostLayer>();
    fresh->header.typeCode = AttrLayer;
    AttributeLink::copyName(name, fresh->header);
    setRecord(std::move(fresh));
}

Layer::Layer(const API_Attribute& record, const AttributeLink& link) : RecordAttribute(record, link) {
    if (record.header.index == defaultLayerIndex) {
        String display = defaultLayerName();
        if (!display.isEmpty()) AttributeLink::copyName(display, this->record().header);
    }
}

void Layer::setBit(uint16_t bit, bool on) {
    uint16_t flags = getFlags();
    setFlags(on ? static_cast<uint16_t>(flags | bit) : static_cast<uint16_t>(flags & ~bit));
}

} // namespace tarnwick
