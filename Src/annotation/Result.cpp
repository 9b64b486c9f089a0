#include "annotation/Result.h"

#include "persistence/XMLTypeProxy.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;

namespace {
constexpr char CommandIDName[] = "commandID";
constexpr char ZavPathName[] = "zavPath";
} // namespace

std::unique_ptr<XMLShipping> Result::lookupFieldProxy(const String& name) {
    return Result::makeFieldProxyByName(name);
}

std::unique_ptr<XMLShipping> Result::makeFieldProxy(size_t index, bool) {
    std::unique_ptr<XMLShipping> proxy;
    if (index == 0) {
        proxy = std::make_unique<tarnwick::XMLTypeProxy<uint32_t>>(&m_commandID, String(CommandIDName), true);
        proxy->setEnabled(m_commandID != 0);
    } else if (index == 1) {
        proxy = std::make_unique<Status>(&m_error);
        proxy->setEnabled(m_error != Status::noError);
    }
    return proxy;
}

std::unique_ptr<XMLShipping> Result::makeFieldProxyByName(const String& name) {
    if (name == CommandIDName) return Result::makeFieldProxy(0, true);
    if (name == Status::ElementName) return Result::makeFieldProxy(1, true);
    return nullptr;
}

void SelectSpecificationResult::reset() {
    resetResult();
    m_zavPath.clear();
}

bool SelectSpecificationResult::afterRead() {
    return getError() == Status::userCancelled || !m_zavPath.isEmpty();
}

std::unique_ptr<XMLShipping> SelectSpecificationResult::makeFieldProxy(size_t index, bool attributesOnly) {
    if (index < 2) return Result::makeFieldProxy(index, attributesOnly);
    if (index == 2 && !attributesOnly)
        return std::make_unique<tarnwick::XMLTypeProxy<String>>(&m_zavPath, String(ZavPathName));
    return nullptr;
}

std::unique_ptr<XMLShipping> SelectSpecificationResult::makeFieldProxyByName(const String& name) {
    if (name == ZavPathName) return makeFieldProxy(2, false);
    return Result::makeFieldProxyByName(name);
}

} // namespace zavlink
