#include "TestAddon.h"

#include <stdexcept>
#include <utility>

#include "Environment/AddonHooks.h"
#include "Environment/Host.h"
#include "Environment/ModuleEntry.h"
#include "Environment/ModuleRegistry.h"
#include "Environment/Transaction.h"
#include "library/LibraryModel.h"
#include "platform/api/HostErrors.h"
#include "project/Alert.h"
#include "resources/ModuleResources.h"

namespace testsupport {

namespace {
std::function<tarnwick::Addon*()> addonFactory;
bool throwOnCreate = false;
bool throwOnDestroy = false;
std::function<void()> destroyWork;
int errorsReported = 0;
const ResourceModule* extraResources = nullptr;

// The module's own exports, with the test's resources when it asked for extra lists.
GSErrCode exportsForTest(ModuleExports* exports) {
    GSErrCode err = GetExportedFuncAddrs(exports);
    if (err == 0 && extraResources != nullptr) exports->resources = extraResources;
    return err;
}
} // namespace

ExtraStrings::ExtraStrings(std::vector<std::pair<int32_t, std::vector<std::string>>> lists) {
    const ResourceModule* own = zavModuleResources();
    for (uint32_t i = 0; i < own->count; ++i)
        m_entries.push_back(own->entries[i]);
    for (auto& [id, items] : lists) {
        std::vector<unsigned char> blob(4, 0);
        for (const std::string& item : items) {
            blob.insert(blob.end(), item.begin(), item.end());
            blob.push_back(0);
        }
        uint32_t count = static_cast<uint32_t>(blob.size() - 4);
        for (int b = 0; b < 4; ++b)
            blob[b] = static_cast<unsigned char>(count >> (8 * b));
        m_blobs.push_back(std::move(blob));
        m_entries.push_back(ResourceEntry{fourCC("STRS"), id, nullptr, count + 4});
    }
    size_t first = m_entries.size() - m_blobs.size();
    for (size_t i = 0; i < m_blobs.size(); ++i)
        m_entries[first + i].data = m_blobs[i].data();
    m_module = ResourceModule{static_cast<uint32_t>(m_entries.size()), m_entries.data()};
    extraResources = &m_module;
}

ExtraStrings::~ExtraStrings() {
    extraResources = nullptr;
}

void setAddonFactory(std::function<tarnwick::Addon*()> factory) {
    addonFactory = std::move(factory);
}
void failNextCreate(bool fail) {
    throwOnCreate = fail;
}
void failNextDestroy(bool fail) {
    throwOnDestroy = fail;
}
void onNextDestroy(std::function<void()> work) {
    destroyWork = std::move(work);
}
int reportedErrors() {
    return errorsReported;
}

ModuleUnderTest::ModuleUnderTest(std::function<tarnwick::Addon*()> factory, bool withProject) {
    setAddonFactory(std::move(factory));
    if (withProject) m_host.newProject("Test Project");
    m_attach = m_host.attachModule(&exportsForTest, &SetImportedFuncAddrs);
}

bool runAsStep(const std::function<bool()>& body, const char* name) {
    struct Step : tarnwick::Transaction {
        Step(const std::function<bool()>& b, const char* n) : Transaction(tarnwick::String(n)), body(b) {}
        GSErrCode run() override { return body() ? hosterr::Ok : hosterr::Failed; }
        const std::function<bool()>& body;
    } step(body, name);
    return tarnwick::Host::runTransaction(step);
}

GSErrCode ModuleUnderTest::reattach() {
    if (m_host.moduleLoaded()) return hosterr::Ok;
    m_attach = m_host.attachModule(&exportsForTest, &SetImportedFuncAddrs);
    return m_attach;
}

ModuleUnderTest::~ModuleUnderTest() {
    if (m_host.moduleLoaded()) m_host.unloadModule();
    setAddonFactory(nullptr);
}

} // namespace testsupport

namespace {

GSErrCode createAddon(HostEnvironment*) {
    if (testsupport::throwOnCreate) {
        testsupport::throwOnCreate = false;
        throw std::runtime_error("start-up fails on purpose");
    }
    tarnwick::registerLibraryModel();
    GSErrCode err = tarnwick::initialiseModules();
    if (err != 0) return err;
    tarnwick::setAddon(testsupport::addonFactory ? testsupport::addonFactory() : new tarnwick::Addon());
    return 0;
}

GSErrCode destroyAddon() {
    delete tarnwick::getAddon();
    tarnwick::setAddon(nullptr);
    GSErrCode err = tarnwick::terminateModules();
    if (std::function<void()> work = std::exchange(testsupport::destroyWork, nullptr)) work();
    if (testsupport::throwOnDestroy) {
        testsupport::throwOnDestroy = false;
        throw std::runtime_error("release fails on purpose");
    }
    return err;
}

void reportInternalError() {
    ++testsupport::errorsReported;
    tarnwick::ErrorAlert().show(tarnwick::Host::getResourceString(32524, 1));
}

const tarnwick::ProductRegistration product({&createAddon, &destroyAddon, &reportInternalError,
                                             &zavModuleResources});

} // namespace
