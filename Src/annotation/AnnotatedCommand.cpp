#include "annotation/AnnotatedCommand.h"

#include "annotation/AnnotationList.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;

void AnnotatedCommand::reset() {
    PathCommand::reset();
    annotation.reset();
    hasAnnotation = false;
}

std::unique_ptr<XMLShipping> AnnotatedCommand::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index < 3) return PathCommand::makeFieldProxy(index, attributesOnly);
    if (index > 3 || attributesOnly) return nullptr;
    auto proxy = std::make_unique<tarnwick::XMLAssemblyProxy>(annotation);
    proxy->setEnabled(hasAnnotation);
    return proxy;
}

std::unique_ptr<XMLShipping> AnnotatedCommand::makeFieldProxyByName(const String& name) {
    if (name == Annotation::ElementName) {
        hasAnnotation = true;
        return AnnotatedCommand::makeFieldProxy(3, false);
    }
    return PathCommand::makeFieldProxyByName(name);
}

void RetrieveClauseCommand::reset() {
    Command::reset();
    m_list->reset();
}

std::unique_ptr<XMLShipping> RetrieveClauseCommand::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index < 3) return PathCommand::makeFieldProxy(index, attributesOnly);
    if (index > 3 || attributesOnly) return nullptr;
    return std::make_unique<tarnwick::XMLArrayProxy>(*m_list);
}

std::unique_ptr<XMLShipping> RetrieveClauseCommand::makeFieldProxyByName(const String& name) {
    return name == AnnotationList::ElementName ? RetrieveClauseCommand::makeFieldProxy(3, false) : nullptr;
}

} // namespace zavlink
