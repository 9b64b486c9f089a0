// Choosing the project's specification through the ZAV Annotator, and keeping the menu's three
// display items usable only while a specification file is chosen.
#pragma once

#include "Environment/HostSubscribers.h"
#include "Environment/String.h"
#include "platform/api/HostTypes.h"

namespace zavlink {

class ZAVLinkPrefs;

// Published by the menu and by the readiness check when the user agrees to choose.
inline constexpr tarnwick::EventType SelectSpecificationEvent{fourCC("ZAVL"), fourCC("SELS")};

// The menu items that show a clause of the specification: "View Clause...", "Guidance Notes...",
// "Manufacturer Info...".
inline constexpr int32_t FirstDisplayItem = 10;
inline constexpr int32_t LastDisplayItem = 12;

// The project's preferences, or null without a project or without the package.
ZAVLinkPrefs* projectPrefs();

// A specification is chosen and its path ends in ".spec" (any case: the files come from Windows).
bool isSpecificationChosen(const ZAVLinkPrefs* prefs);

class SelectSpecification : public tarnwick::Subscriber {
public:
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override;
    // Answers false so that the change handler, subscribed after it, sees the path it stored;
    // true only when there is no current database and nothing was asked.
    bool receive(tarnwick::Event& event) override;
};

class SpecificationChangeHandler : public tarnwick::ProjectSubscriber {
public:
    void getEventTypes(std::vector<tarnwick::EventType>& types) const override;
    // Never handles: others of the same events still hear them.
    bool receive(tarnwick::Event& event) override;
    bool handleProjectEvent(tarnwick::ProjectEvent& event) override;

    // Enables or disables the display items after the project's preferences.
    static void refreshMenu();
};

} // namespace zavlink
