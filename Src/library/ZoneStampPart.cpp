#include "library/ZoneStampPart.h"

#include "Environment/Host.h"
#include "library/Library.h"
#include "project/Specification.h"

namespace tarnwick {

void ZoneStampPart::Parameters::loadThroughOwner() {
    Specification* specification = m_category->getLink().getDatabase();
    if (specification == nullptr || m_category->getLink().getIndex() == 0) return;
    AttributeMemoPtr definition = specification->getDefinition(m_category->getLink());
    if (definition) readParameters(definition->parameters);
}

void ZoneStampPart::resolve(const String& name) {
    Library* library = Host::getLibrary();
    m_link =
        name.isEmpty() || library == nullptr ? ComponentLink() : ComponentLink(name, LibPartZone, library);
    if (!m_link.isValid()) return;
    double a = 0.0;
    double b = 0.0;
    GSHandle defaults = library->getPartParameters(m_link, a, b);
    if (defaults == nullptr) return;
    m_parameters.readParameters(defaults);
    ParameterList::disposeHostParameters(defaults);
}

AttributeMemoPtr ZoneStampPart::makeMemo() const {
    AttributeMemoPtr memo(new HostAttributeMemo());
    memo->parameters = m_parameters.writeParameters();
    if (memo->parameters == nullptr && m_parameters.getCount() != 0) return nullptr;
    return memo;
}

std::unique_ptr<ZoneStamp> ZoneStampPart::make(const Attribute& category) {
    return std::make_unique<ZoneStampPart>(category);
}

} // namespace tarnwick
