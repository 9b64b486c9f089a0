// The product's menu "ZAV Annotation", which turns each chosen item into a ("ZAVL", code) event
// for the tool of that code, and the About box, the tool of its last item.
#pragma once

#include <cstdint>

#include "Environment/HostSubscribers.h"
#include "interface/Dialog.h"

namespace zavlink {

inline constexpr uint32_t ProductSource = fourCC("ZAVL");

// The menu's item texts and status-bar prompts.
inline constexpr int32_t MenuList = 32500;
inline constexpr int32_t PromptList = 32510;

// The code each menu item publishes (item 1 first); 0 for a separator.
uint32_t menuItemCode(int32_t item);

class AnnotationMenu : public tarnwick::MenuSubscriber {
public:
    static constexpr int32_t PositionCode = 17;
    static constexpr int32_t ItemCount = 14;

    AnnotationMenu() : MenuSubscriber(MenuList, PromptList, PositionCode, 0) {}
    // Answers what the publish answers; false for a separator or an item not of this menu.
    bool handleMenu(tarnwick::MenuEvent& event) override;
};

class AboutDialog : public tarnwick::Dialog, public tarnwick::Subscriber {
public:
    static constexpr uint16_t ResourceId = 32513;
    static constexpr uint32_t Code = fourCC("ABDL");
    // The heading stands on item 2, where a modal dialog's Cancel button would be.
    static constexpr short HeadingItem = 2;
    static constexpr short VersionItem = 4;
    static constexpr double Version = 1.21;

    AboutDialog() : Dialog(ResourceId, true) {}

    void getEventTypes(std::vector<tarnwick::EventType>& types) const override;
    // Shows the box; handled whatever the user does.
    bool receive(tarnwick::Event& event) override;
    void initialise() override;
};

} // namespace zavlink
