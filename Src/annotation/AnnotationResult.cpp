#include "annotation/AnnotationResult.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;

namespace {

// The annotation of an answer: its own check (which also trims the texts) counts only when the
// user did not cancel, since a cancel may come with any annotation or none.
class AnsweredAnnotationProxy : public tarnwick::XMLAssemblyProxy {
public:
    AnsweredAnnotationProxy(Annotation& annotation, const Result& result)
        : XMLAssemblyProxy(annotation), m_result(result) {}
    bool afterRead() override {
        bool checked = XMLAssemblyProxy::afterRead();
        return checked || m_result.getError() == Status::userCancelled;
    }

private:
    const Result& m_result;
};

} // namespace

void RetrieveAnnotationResult::reset() {
    resetResult();
    annotations.reset();
    m_received = false;
}

std::unique_ptr<XMLShipping> RetrieveAnnotationResult::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index < 2) return Result::makeFieldProxy(index, attributesOnly);
    if (index > 2 || attributesOnly) return nullptr;
    return std::make_unique<tarnwick::XMLArrayProxy>(annotations);
}

std::unique_ptr<XMLShipping> RetrieveAnnotationResult::makeFieldProxyByName(const String& name) {
    if (name == AnnotationList::ElementName) {
        m_received = true;
        return RetrieveAnnotationResult::makeFieldProxy(2, false);
    }
    return Result::makeFieldProxyByName(name);
}

void SelectAnnotationResult::reset() {
    resetResult();
    annotation.reset();
    m_received = false;
}

bool SelectAnnotationResult::afterRead() {
    return getError() == Status::userCancelled || !annotation.number.isEmpty();
}

std::unique_ptr<XMLShipping> SelectAnnotationResult::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index < 2) return Result::makeFieldProxy(index, attributesOnly);
    if (index > 2 || attributesOnly) return nullptr;
    return std::make_unique<AnsweredAnnotationProxy>(annotation, *this);
}

std::unique_ptr<XMLShipping> SelectAnnotationResult::makeFieldProxyByName(const String& name) {
    if (name == Annotation::ElementName) {
        m_received = true;
        return SelectAnnotationResult::makeFieldProxy(2, false);
    }
    return Result::makeFieldProxyByName(name);
}

} // namespace zavlink
