// The host environment as the framework sees it: the current project, transactions and the
// module's resource strings. Module-wide state; every member is static.
#pragma once

#include <cstdint>

#include "Environment/Guid.h"
#include "Environment/String.h"

struct HWND__;
using HWND = HWND__*;

namespace tarnwick {

class Drawing;
class ElementLink;
class Library;
class Plan;
class Project;
class Specification;
class Transaction;
class User;

class Host {
public:
    Host() = delete;

    // The framework's own texts: alert headlines and buttons, layer warnings, phase names.
    static constexpr uint32_t FrameworkTexts = 32700;

    // String `index` (1-based) of the module's string list `listId`; empty when either is missing.
    static String getResourceString(uint32_t listId, uint32_t index);
    // The same with "$1" and then "$2" in it replaced by the arguments.
    static String getResourceString(uint32_t listId, uint32_t index, const String& first,
                                    const String& second = String());

    static bool hasProject(); // false when the host reports no open project
    // The current project, made on first use and kept until the module is released.
    static Project* getProject();
    static Plan* getPlan();                   // null without a project
    static Specification* getSpecification(); // null without a project
    static Library* getLibrary();             // null without a project
    static Drawing* getCurrentDatabase();     // null without a project or current database
    // True when done, or when the drawing already was the current one (no host call then).
    [[nodiscard]] static bool setCurrentDatabase(Drawing* drawing);
    [[nodiscard]] static bool setFrontWindow(Drawing* drawing);
    // The first top-level window whose title holds the host's product name; null when none.
    static HWND getApplicationWindow();
    // Makes the link's element type (resolved through the host) and variation the host's default
    // tool type; true on success.
    [[nodiscard]] static bool setDefaultType(const ElementLink& tool);
    [[nodiscard]] static bool setDefaultType(uint16_t typeId, uint32_t variation);

    // The Guid the host environment answers for a query ("GARF"); empty when the call fails.
    static Guid getEnvironmentGuid(uint32_t query);
    // The user at this host in a shared project (the host lists that user first); a blank user
    // (id 0) when there is none.
    static const User& getCurrentUser();

    // Changes bit 0 (disabled) of a menu item's host flags, only when the state differs.
    static bool setMenuItemEnabled(int32_t menuResId, int32_t itemIndex, bool enabled);
    static bool getSuspendGroups();
    static bool setSuspendGroups(bool on);
    static void sleep(uint32_t milliseconds);

    // Runs a transaction: refused (false) inside a host notification; true without running when
    // its mayStart declines. The outermost one runs as one undoable host command named after it;
    // nested ones run inline. Answers whether it succeeded. A command the host refused or could
    // not run, a run that threw, and a run the host failed are reported once through the add-on's
    // error hook; a run's own error answer is the run's to tell.
    [[nodiscard]] static bool runTransaction(Transaction& transaction);
    static bool isTransactionRunning() { return runningDepth > 0; }

    // Forgets the cached host state (transaction state, cached user, the project's caches).
    static void reset();
    // Drops the project object; the module is being released.
    static void unload();

private:
    static void resetProject();
    static void releaseProject();

    static int runningDepth;
    static uint32_t lastTransactionId;
};

} // namespace tarnwick
