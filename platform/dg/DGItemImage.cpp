// Button pictures.
#include "DGImage.h"

#include "DGDesk.h"
#include "DGFunctions.h"
#include "DGPanel.h"
#include "DGPanelState.h"

DG::Image DGGetItemImage(short dialId, short item) {
    DG::Panel* panel = DG::Desk::Get().FindPanel(dialId);
    DG::ItemState* state = panel != nullptr ? panel->State().item(item) : nullptr;
    if (state == nullptr || state->type != DG::ItemType::Button) {
        DG::Desk::Get().Refuse("DGGetItemImage: no button " + std::to_string(item) + " in panel " +
                               std::to_string(dialId));
        return DG::Image();
    }
    return state->image != nullptr ? *state->image : DG::Image();
}

void DGSetItemImage(short dialId, short item, const DG::Image& image) {
    DG::Panel* panel = DG::Desk::Get().FindPanel(dialId);
    DG::ItemState* state = panel != nullptr ? panel->State().item(item) : nullptr;
    if (state == nullptr || state->type != DG::ItemType::Button) {
        DG::Desk::Get().Refuse("DGSetItemImage: no button " + std::to_string(item) + " in panel " +
                               std::to_string(dialId));
        return;
    }
    state->image = std::make_shared<const DG::Image>(image);
}
