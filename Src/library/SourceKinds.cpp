#include "library/SourceKinds.h"

namespace tarnwick {

ObjectSource::ObjectSource() : ParametricSource(ComponentLink(0, LibPartObject, nullptr)) {}

std::unique_ptr<ComponentSource> ObjectSource::create(const HostLibPart& record, const ComponentLink& link) {
    if (record.typeCode != LibPartObject) return nullptr;
    return std::make_unique<ObjectSource>(record, link);
}

} // namespace tarnwick
