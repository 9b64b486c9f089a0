#include "annotation/AnnotationMenu.h"

#include "Environment/Addon.h"
#include "Environment/NumberText.h"
#include "interface/Controls.h"

namespace zavlink {

using namespace tarnwick;

uint32_t menuItemCode(int32_t item) {
    static constexpr uint32_t codes[AnnotationMenu::ItemCount] = {fourCC("SELS"),
                                                                  fourCC("LABE"),
                                                                  fourCC("PLCA"),
                                                                  0,
                                                                  fourCC("RVWA"),
                                                                  fourCC("FNDL"),
                                                                  fourCC("UPTL"),
                                                                  fourCC("RSIG"),
                                                                  0,
                                                                  fourCC("VWCL"),
                                                                  fourCC("GDNC"),
                                                                  fourCC("MANU"),
                                                                  0,
                                                                  AboutDialog::Code};
    if (item < 1 || item > AnnotationMenu::ItemCount) return 0;
    return codes[item - 1];
}

bool AnnotationMenu::handleMenu(MenuEvent& event) {
    if (event.getMenuResId() != MenuList) return false;
    uint32_t code = menuItemCode(event.getItemIndex());
    Addon* addon = getAddon();
    if (code == 0 || addon == nullptr) return false;
    Event command({ProductSource, code});
    return addon->publish(command);
}

void AboutDialog::getEventTypes(std::vector<EventType>& types) const {
    types.push_back({ProductSource, Code});
}

bool AboutDialog::receive(Event&) {
    open(true);
    return true;
}

void AboutDialog::initialise() {
    // A control of the heading's own keeps the dialog from taking it for Cancel.
    DialogControl::make<StaticText>(ControlLink(HeadingItem, this));
    auto* version = DialogControl::make<StaticText>(ControlLink(VersionItem, this));
    version->setText(version->getText() + String(realToText(Version)));
}

} // namespace zavlink
