#include "annotation/CommandList.h"

#include "persistence/XMLTypeProxy.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;

namespace {
constexpr char ParentName[] = "parent";
constexpr char VersionName[] = "version";
} // namespace

CommandList::CommandList(tarnwick::Receiver* receiver)
    : Event(Type, receiver), XMLArray(String(ElementName)), m_parent(Parent), m_version(Version) {}

CommandList::CommandList(const CommandList& other)
    : Event(other), XMLArray(other), Vector<Command>(), m_parent(other.m_parent), m_version(other.m_version),
      m_progress(other.m_progress) {
    cloneFrom(other, [](const Command& command) { return command.clone(); });
}

void CommandList::reset() {
    m_parent = String(Parent);
    m_version = String(Version);
}

std::unique_ptr<XMLShipping> CommandList::makeFieldProxy(size_t index, bool) {
    if (index == 0)
        return std::make_unique<tarnwick::XMLTypeProxy<String>>(&m_parent, String(ParentName), true);
    if (index == 1)
        return std::make_unique<tarnwick::XMLTypeProxy<String>>(&m_version, String(VersionName), true);
    if (index - 2 >= size()) return nullptr;
    Command* command = (*this)[index - 2];
    if (auto* assembly = dynamic_cast<tarnwick::XMLAssembly*>(command))
        return std::make_unique<tarnwick::XMLAssemblyProxy>(*assembly);
    if (auto* array = dynamic_cast<tarnwick::XMLArray*>(command))
        return std::make_unique<tarnwick::XMLArrayProxy>(*array);
    return nullptr;
}

std::unique_ptr<XMLShipping> CommandList::makeFieldProxyByName(const String& name) {
    if (name == ParentName) return makeFieldProxy(0, true);
    if (name == VersionName) return makeFieldProxy(1, true);
    return nullptr;
}

} // namespace zavlink
