#include "DGPopUpState.h"

#include <memory>

#include "DGPanelState.h"

namespace DG {

bool PopUpState::Insert(short entry) {
    if (Count() >= MaxEntries || !m_entries.Insert(entry)) return false;
    if (chosen >= entry) ++chosen;
    return true;
}

bool PopUpState::Delete(short entry) {
    if (!m_entries.Delete(entry)) return false;
    if (chosen == entry)
        chosen = 0;
    else if (chosen > entry)
        --chosen;
    return true;
}

short PopUpState::FindText(const GS::UniString& text) const {
    for (int at = 1; at <= Count(); ++at) {
        const Entry* entry = Find(static_cast<short>(at));
        if (!entry->separator && entry->text == text) return static_cast<short>(at);
    }
    return 0;
}

PopUpState* PopUpOf(ItemState& item) {
    if (item.type != ItemType::PopUp && item.type != ItemType::UserControl) return nullptr;
    if (!item.popUp) item.popUp = std::make_shared<PopUpState>();
    return item.popUp.get();
}

} // namespace DG
