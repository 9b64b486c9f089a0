// How the dialog manager hands notifications to observers: through the desk's delivery, with the
// panel kept alive, to each observer that is still attached when its turn comes.
#pragma once

#include <functional>

namespace DG {

class Item;
class ItemObserver;
class Panel;
class PanelObserver;
struct PanelState;

namespace Delivery {

// Delivers to the panel's observers, now or after the notification being delivered.
void ToPanel(Panel& panel, std::function<void(Panel&, PanelObserver&)> notify);
// Calls the panel's observers at once; for use inside a delivery.
void CallPanelObservers(PanelState& state, const std::function<void(PanelObserver&)>& notify);
// Delivers to the observers of every object standing for the item.
void ToItem(Panel& panel, short item, std::function<void(Item&, ItemObserver&)> notify);
void CallItemObservers(PanelState& state, short item,
                       const std::function<void(Item&, ItemObserver&)>& notify);
// Runs `work` as a delivery concerning the panel: it finds the panel by id when its turn comes and
// does nothing when the panel has gone.
void Run(Panel& panel, std::function<void(Panel&)> work);

// The user moves the focus to the item (a click or a choice there); the item that had it hears
// ItemFocusLost first.
void MoveFocus(Panel& panel, short item);

// The user item must be drawn again: when its turn comes, if its panel is on screen and the item
// visible, its observers hear UserItemUpdate with a new, empty picture, which closes after them.
void UpdateUserItem(Panel& panel, short item);
// Every user item of the panel (it came on screen, or the add-on redraws it whole).
void UpdateUserItems(Panel& panel);

// The user or the add-on asks to close; the panel closes when every observer lets it.
void RequestClose(Panel& panel, bool accept);
// Closes at once and delivers PanelClosed.
void Close(Panel& panel, bool accepted);

} // namespace Delivery
} // namespace DG
