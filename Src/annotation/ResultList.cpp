#include "annotation/ResultList.h"

#include "annotation/AnnotationResult.h"
#include "persistence/XMLTypeProxy.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;

namespace {

constexpr char ParentName[] = "parent";
constexpr char VersionName[] = "version";

} // namespace

ResultList::ResultList() : XMLArray(String(ElementName)) {}

ResultList::ResultList(const ResultList& other)
    : Message(other), XMLArray(other), Vector<Result>(), m_parent(other.m_parent),
      m_version(other.m_version) {
    cloneFrom(other, [](const Result& result) { return result.clone(); });
}

void ResultList::buildIndex() {
    if (Index) return;
    auto prototypes = std::make_unique<tarnwick::Vector<Result>>();
    prototypes->append(std::make_unique<RetrieveAnnotationResult>());
    prototypes->append(std::make_unique<SelectAnnotationResult>());
    prototypes->append(std::make_unique<SelectSpecificationResult>());
    Index = std::move(prototypes);
}

void ResultList::reset() {
    m_parent.clear();
    m_version.clear();
}

std::unique_ptr<XMLShipping> ResultList::makeFieldProxy(size_t index, bool) {
    if (index == 0)
        return std::make_unique<tarnwick::XMLTypeProxy<String>>(&m_parent, String(ParentName), true);
    if (index == 1)
        return std::make_unique<tarnwick::XMLTypeProxy<String>>(&m_version, String(VersionName), true);
    if (index - 2 >= size()) return nullptr;
    if (auto* assembly = dynamic_cast<tarnwick::XMLAssembly*>((*this)[index - 2]))
        return std::make_unique<tarnwick::XMLAssemblyProxy>(*assembly);
    return nullptr;
}

std::unique_ptr<XMLShipping> ResultList::makeFieldProxyByName(const String& name) {
    if (name == ParentName) return makeFieldProxy(0, true);
    if (name == VersionName) return makeFieldProxy(1, true);
    return nullptr;
}

std::unique_ptr<XMLShipping> ResultList::makeMember(const String& name) {
    if (!Index) return nullptr;
    for (const Result* prototype : *Index) {
        if (prototype == nullptr || !(prototype->getElementName() == name)) continue;
        append(prototype->clone());
        return makeFieldProxy(size() + 1, false);
    }
    return nullptr;
}

void ResultReceiver::receive(std::shared_ptr<tarnwick::Message> message) {
    if (auto results = std::dynamic_pointer_cast<ResultList>(message)) m_results = std::move(results);
}

} // namespace zavlink
