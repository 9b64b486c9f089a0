#include "annotation/Command.h"

#include "Environment/DataFile.h"
#include "Environment/Host.h"
#include "annotation/ZAVLinkPrefs.h"
#include "persistence/XMLTypeProxy.h"
#include "project/Project.h"

namespace zavlink {

using tarnwick::String;
using tarnwick::XMLShipping;
using tarnwick::XMLTypeProxy;

namespace {
constexpr char CommandIDName[] = "commandID";
constexpr char ZavPathName[] = "zavPath";
constexpr char ModelPathName[] = "modelPath";
} // namespace

std::unique_ptr<XMLShipping> Command::lookupFieldProxy(const String& name) {
    return Command::makeFieldProxyByName(name);
}

std::unique_ptr<XMLShipping> Command::makeFieldProxy(size_t index, bool) {
    if (index != 0) return nullptr;
    return std::make_unique<XMLTypeProxy<uint32_t>>(&m_commandID, String(CommandIDName), true);
}

std::unique_ptr<XMLShipping> Command::makeFieldProxyByName(const String& name) {
    return name == CommandIDName ? Command::makeFieldProxy(0, true) : nullptr;
}

PathCommand::PathCommand(uint32_t commandID) : Command(commandID), XMLAssembly() {
    fillPaths();
}

void PathCommand::reset() {
    Command::reset();
    fillPaths();
}

void PathCommand::fillPaths() {
    m_zavPath.clear();
    m_modelPath.clear();
    tarnwick::Project* project = tarnwick::Host::hasProject() ? tarnwick::Host::getProject() : nullptr;
    if (project == nullptr) return;
    if (auto* prefs = dynamic_cast<ZAVLinkPrefs*>(project->getPackage(ZAVLinkPrefs::Code)))
        m_zavPath = prefs->specificationPath;
    if (std::unique_ptr<tarnwick::DataFile> file = project->getFile()) m_modelPath = file->getPath();
}

std::unique_ptr<XMLShipping> PathCommand::makeFieldProxy(size_t index, bool attributesOnly) {
    switch (index) {
    case 0:
        return Command::makeFieldProxy(index, attributesOnly);
    case 1:
        return attributesOnly ? nullptr
                              : std::make_unique<XMLTypeProxy<String>>(&m_zavPath, String(ZavPathName));
    case 2:
        return attributesOnly ? nullptr
                              : std::make_unique<XMLTypeProxy<String>>(&m_modelPath, String(ModelPathName));
    default:
        return nullptr;
    }
}

std::unique_ptr<XMLShipping> PathCommand::makeFieldProxyByName(const String& name) {
    if (name == ZavPathName) return PathCommand::makeFieldProxy(1, false);
    if (name == ModelPathName) return PathCommand::makeFieldProxy(2, false);
    return Command::makeFieldProxyByName(name);
}

} // namespace zavlink
