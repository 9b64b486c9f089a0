#include "Environment/Host.h"

#include "Environment/Addon.h"
#include "Environment/EditManager.h"
#include "Environment/HostCalls.h"
#include "Environment/ProjectKeeper.h"
#include "Environment/Resources.h"
#include "Environment/Transaction.h"
#include "Environment/User.h"
#include "Environment/WindowSearch.h"
#include "platform/gsroot/DebugPrint.h"
#include "platform/gsroot/UniString.h"
#include "platform/windows/WinSystem.h"

namespace tarnwick {

int Host::runningDepth = 0;
uint32_t Host::lastTransactionId = 0;

namespace {
ProjectKeeper* keeper = nullptr;
} // namespace

void installProjectKeeper(ProjectKeeper* projectKeeper) {
    keeper = projectKeeper;
}

Project* Host::getProject() {
    return keeper != nullptr ? keeper->getProject() : nullptr;
}

Plan* Host::getPlan() {
    return keeper != nullptr ? keeper->getPlan() : nullptr;
}

Specification* Host::getSpecification() {
    return keeper != nullptr ? keeper->getSpecification() : nullptr;
}

Library* Host::getLibrary() {
    return keeper != nullptr ? keeper->getLibrary() : nullptr;
}

Drawing* Host::getCurrentDatabase() {
    return keeper != nullptr ? keeper->getCurrentDatabase() : nullptr;
}

bool Host::setCurrentDatabase(Drawing* drawing) {
    return keeper != nullptr && keeper->setCurrentDatabase(drawing);
}

bool Host::setFrontWindow(Drawing* drawing) {
    return keeper != nullptr && keeper->setFrontWindow(drawing);
}

bool Host::setDefaultType(const ElementLink& tool) {
    return keeper != nullptr && keeper->setDefaultType(tool);
}

bool Host::setDefaultType(uint16_t typeId, uint32_t variation) {
    uint8_t type[2] = {static_cast<uint8_t>(typeId & 0xFF), static_cast<uint8_t>(typeId >> 8)};
    return ACAPEnvironmentCall(fourCC("SETD"), type, &variation) == hosterr::Ok;
}

HWND Host::getApplicationWindow() {
    return findWindowByTitle(nullptr, String(HostApplicationTitle));
}

const User& Host::getCurrentUser() {
    static const User blank(String(), 0);
    const User* user = keeper != nullptr ? keeper->getCurrentUser() : nullptr;
    return user != nullptr ? *user : blank;
}

void Host::resetProject() {
    if (keeper != nullptr) keeper->resetProject();
}

void Host::releaseProject() {
    if (keeper != nullptr) keeper->releaseProject();
}

String Host::getResourceString(uint32_t listId, uint32_t index) {
    return loadResourceString(listId, index);
}

String Host::getResourceString(uint32_t listId, uint32_t index, const String& first, const String& second) {
    String text = loadResourceString(listId, index);
    text.replaceAll(String("$1"), first);
    text.replaceAll(String("$2"), second);
    return text;
}

bool Host::hasProject() {
    bool open = false;
    return ACAPHasOpenProject(&open) == hosterr::Ok && open;
}

Guid Host::getEnvironmentGuid(uint32_t query) {
    API_Guid guid;
    if (ACAPEnvironmentCall(query, &guid) != hosterr::Ok) return Guid();
    return Guid(guid);
}

bool Host::setMenuItemEnabled(int32_t menuResId, int32_t itemIndex, bool enabled) {
    int32_t flags = 0;
    if (ACAPGetMenuItemFlags(menuResId, itemIndex, &flags) != hosterr::Ok) return false;
    bool disabled = (flags & 1) != 0;
    if (disabled == !enabled) return true;
    flags = enabled ? (flags & ~1) : (flags | 1);
    return ACAPSetMenuItemFlags(menuResId, itemIndex, flags) == hosterr::Ok;
}

bool Host::getSuspendGroups() {
    bool on = false;
    return ACAPGetSuspendGroups(&on) == hosterr::Ok && on;
}

bool Host::setSuspendGroups(bool on) {
    bool current = false;
    if (ACAPGetSuspendGroups(&current) == hosterr::Ok && current == on) return true;
    return ACAPSetSuspendGroups(on) == hosterr::Ok;
}

void Host::sleep(uint32_t milliseconds) {
    Sleep(milliseconds);
}

namespace {

// Puts the model back after a transaction's run, however the run ended: relock the elements it
// unlocked, then restore the layers it changed.
class RestoreAfterRun {
public:
    explicit RestoreAfterRun(EditManager& edits) : m_edits(edits) {}
    RestoreAfterRun(const RestoreAfterRun&) = delete;
    RestoreAfterRun& operator=(const RestoreAfterRun&) = delete;
    ~RestoreAfterRun() {
        m_edits.relockElements();
        m_edits.restoreLayers();
    }

private:
    EditManager& m_edits;
};

// Releases the reservations and tells the transaction how it ended, however the run ended.
class FinishTransaction {
public:
    explicit FinishTransaction(Transaction& transaction) : m_transaction(transaction) {}
    FinishTransaction(const FinishTransaction&) = delete;
    FinishTransaction& operator=(const FinishTransaction&) = delete;
    ~FinishTransaction() {
        m_transaction.getEditManager().releaseElements();
        m_transaction.finished(m_success);
    }
    void succeeded(bool success) { m_success = success; }

private:
    Transaction& m_transaction;
    bool m_success = false;
};

struct CommandContext {
    Transaction* transaction = nullptr;
    bool ran = false;
    bool threw = false;
    GSErrCode answer = hosterr::Ok; // the run's
};

// Runs inside the host's undoable command, so that relocking and restoring layers are part of it.
GSErrCode runOutermost(void* userData) {
    auto* context = static_cast<CommandContext*>(userData);
    context->ran = true;
    try {
        RestoreAfterRun restore(context->transaction->getEditManager());
        context->answer = context->transaction->run();
    } catch (...) {
        context->threw = true;
        context->answer = hosterr::Internal;
    }
    return context->answer;
}

// Whether the user must hear that the command did not happen as its run answered: the host
// refused it or lacks undoable commands (it never ran), the run threw, the host failed a run that
// went well, or the run passed on the host's failure of its command. A run's own failure answer
// is its own to tell, and Cancelled is the user's choice.
bool mustReport(const CommandContext& context, GSErrCode hostAnswer) {
    if (!context.ran || context.threw) return true;
    if (context.answer == hosterr::Ok) return hostAnswer != hosterr::Ok;
    return context.answer == hosterr::CommandFailed || context.answer == hosterr::NotSupplied;
}

} // namespace

bool Host::runTransaction(Transaction& transaction) {
    Addon* addon = getAddon();
    if (addon != nullptr && addon->isInsideNotification()) {
        String text = addon->getAddonName() + " is trying to start a transaction at the wrong time\n";
        DBPrint(text.c_str());
        return false;
    }
    if (!transaction.mayStart()) return true; // declining is not a failure
    FinishTransaction finish(transaction);
    GSErrCode err = hosterr::Ok;
    if (runningDepth == 0) {
        transaction.setId(++lastTransactionId);
        CommandContext context{&transaction};
        GS::UniString name = transaction.getName().toUniString();
        ++runningDepth;
        err = ACAPRunUndoableCommand(&name, &runOutermost, &context);
        --runningDepth;
        // The add-on's error hook tells the user, once (the product's reports an internal error).
        if (mustReport(context, err) && addon != nullptr) addon->onException();
        // A host that answers success for a command it never ran changed nothing.
        if (!context.ran && err == hosterr::Ok) err = hosterr::CommandFailed;
        if (context.ran && context.answer != hosterr::Ok) err = context.answer;
    } else {
        struct Depth {
            Depth() { ++runningDepth; }
            ~Depth() { --runningDepth; }
        } depth;
        RestoreAfterRun restore(transaction.getEditManager());
        err = transaction.run();
    }
    finish.succeeded(err == hosterr::Ok);
    return err == hosterr::Ok;
}

void Host::reset() {
    runningDepth = 0; // an outermost host call never starts inside a transaction
    resetProject();
}

void Host::unload() {
    releaseProject();
    runningDepth = 0;
}

} // namespace tarnwick
