// The product's add-on object: it registers the element classes, makes every tool, registers the
// project preferences and subscribes the tools to itself. The tools live exactly as long as it.
#pragma once

#include <memory>
#include <vector>

#include "Environment/Addon.h"
#include "Environment/Containers.h"
#include "Environment/Directory.h"
#include "Environment/RequiredFunctions.h"

namespace zavlink {

inline constexpr char ProductName[] = "ZAV Link";

// String lists of the product.
inline constexpr uint32_t ErrorTexts = 32524;    // messages of the error alerts
inline constexpr uint32_t ExchangeNames = 32525; // the exchange files and their folder
inline constexpr uint32_t InternalErrorItem = 1; // of ErrorTexts
inline constexpr uint32_t FolderNameItem = 4;    // of ExchangeNames: "ZAV Link"

class ZAVLinkAddon : public tarnwick::Addon {
public:
    // The tools in creation order; the list owns them.
    using ToolList = tarnwick::List<tarnwick::Subscriber>;

    ZAVLinkAddon() = default;
    // Each tool leaves the subscribers before it is deleted, in creation order, while the
    // publisher is still whole.
    ~ZAVLinkAddon() override;

    void onException() override { reportError(); }
    virtual void reportError();
    // The folder of the exchange files, which also holds the framework's scope-1 preferences.
    std::unique_ptr<tarnwick::Directory> getScope1Folder() override { return exchangeFolder(); }
    // "ZAV Link" in the user data folder, created when missing; null when it cannot be had.
    virtual std::unique_ptr<tarnwick::Directory> exchangeFolder();

    virtual tarnwick::String getName() const { return tarnwick::String(ProductName); }
    virtual void startUp();

    // Takes a tool into the list; startUp subscribes the list's tools in order.
    void addTool(std::unique_ptr<tarnwick::Subscriber> tool) { m_tools.push_back(std::move(tool)); }
    const ToolList& getTools() const { return m_tools; }

private:
    ToolList m_tools;
};

// The product's entries (see ProductHooks).
GSErrCode createAddon(HostEnvironment* environment);
GSErrCode destroyAddon();
void reportInternalError();
// The host functions without which the product's tools cannot walk their road, beyond those the
// runtime itself needs: a host that lacks one does not get the module loaded, and is told which.
std::vector<tarnwick::HostFunction> requiredFunctions();
// A model change that failed: shows the error alert above and answers the error that has the
// host undo whatever the step changed, so that nothing stays half-written.
GSErrCode reportFailedStep();

} // namespace zavlink
