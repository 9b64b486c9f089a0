// What the user does in list boxes and pop-ups: clicks on rows, the header's items, row drags and
// a pop-up's choice, each delivered to the observers as the host would.
#include <algorithm>
#include <memory>
#include <string>

#include "DGDelivery.h"
#include "DGDesk.h"
#include "DGItems.h"
#include "DGListFunctions.h"
#include "DGListState.h"
#include "DGPanel.h"
#include "DGPanelState.h"
#include "DGPopUpState.h"

namespace DG {

namespace {

bool refuse(std::string* why, const std::string& text) {
    if (why != nullptr) *why = text;
    return false;
}

std::string itemName(Panel& panel, short item) {
    return "item " + std::to_string(item) + " of " + Desk::Describe(panel);
}

// The item the user can reach: the panel open, the item there, visible and enabled.
ItemState* reachable(Panel& panel, short item, std::string* why) {
    PanelState& state = panel.State();
    if (!state.open) return refuse(why, Desk::Describe(panel) + " is not open"), nullptr;
    ItemState* found = state.item(item);
    if (found == nullptr)
        return refuse(why, Desk::Describe(panel) + " has no item " + std::to_string(item)), nullptr;
    if (!found->visible) return refuse(why, itemName(panel, item) + " is hidden"), nullptr;
    if (!found->enabled) return refuse(why, itemName(panel, item) + " is disabled"), nullptr;
    return found;
}

ListState* reachableList(Panel& panel, short item, std::string* why) {
    ItemState* found = reachable(panel, item, why);
    if (found == nullptr) return nullptr;
    ListState* list = ListOf(*found);
    if (list == nullptr)
        refuse(why, itemName(panel, item) + " is " + ItemTypeWithArticle(found->type) + ", not a list box");
    return list;
}

bool hasRow(Panel& panel, short item, const ListState& list, short row, std::string* why) {
    if (list.Find(row) == nullptr)
        return refuse(why, itemName(panel, item) + " has no row " + std::to_string(row) + " (it has " +
                               std::to_string(list.Count()) + ")");
    if (row < list.scroll) return refuse(why, "row " + std::to_string(row) + " is scrolled out of sight");
    return true;
}

bool hasHeaderItem(Panel& panel, short item, const ListState& list, short headerItem, std::string* why) {
    if (headerItem >= 1 && static_cast<size_t>(headerItem) <= list.header.size()) return true;
    return refuse(why, itemName(panel, item) + " has no header item " + std::to_string(headerItem));
}

// Delivers to the list's observers, with the keys held in the mouse record meanwhile.
void toList(Panel& panel, short item, short modifiers, std::function<void(Item&, ListBoxObserver&)> notify) {
    Delivery::Run(panel, [item, modifiers, notify = std::move(notify)](Panel& p) {
        Desk& desk = Desk::Get();
        DGMousePosData saved = desk.GetMouse();
        DGMousePosData held = saved;
        held.modifiers = modifiers;
        desk.SetMouse(held);
        Delivery::CallItemObservers(p.State(), item, [&](Item& source, ItemObserver& observer) {
            if (auto* list = dynamic_cast<ListBoxObserver*>(&observer)) notify(source, *list);
        });
        desk.SetMouse(saved);
    });
}

// The middle of the row's first tab field, from the list's top-left; a row past the last lies
// just below it.
Point rowPoint(const ListState& list, short row) {
    const DGListTabData& first = list.tabs.front();
    auto x = static_cast<short>((first.start + first.end) / 2 - list.hScroll);
    auto y = static_cast<short>(list.HeaderHeight() + (row - list.scroll) * ListState::ItemHeight +
                                ListState::ItemHeight / 2);
    return Point(x, y);
}

// The selection after a click; answers whether it changed.
bool clickSelection(ListState& list, short row, short modifiers) {
    if ((modifiers & CommandKey) != 0) {
        list.anchor = row;
        return list.Select(row, !list.Find(row)->selected);
    }
    if ((modifiers & ShiftKey) != 0 && list.Find(list.anchor) != nullptr) {
        bool changed = false;
        for (int at = std::min(row, list.anchor), last = std::max(row, list.anchor); at <= last; ++at)
            changed = list.Select(static_cast<short>(at), true) || changed;
        return changed;
    }
    list.anchor = row;
    if (list.SelectedCount() == 1 && list.Find(row)->selected) return false;
    list.Select(ListAllItems, false);
    list.Select(row, true);
    return true;
}

ListState* listAt(Panel& panel, short item) {
    ItemState* state = panel.State().item(item);
    return state != nullptr ? ListOf(*state) : nullptr;
}

} // namespace

void TabItemChanged(Panel& panel, short dialItem) {
    Delivery::Run(panel, [dialItem](Panel& p) {
        for (size_t i = 0; i < p.State().items.size(); ++i) {
            auto item = static_cast<short>(i + 1);
            ListState* list = p.State().items[i].type == ItemType::ListBox ? listAt(p, item) : nullptr;
            if (list == nullptr) continue;
            for (const auto& [tab, placed] : list->tabItems) {
                if (placed != dialItem) continue;
                short field = tab;
                Delivery::CallItemObservers(p.State(), item, [&](Item& source, ItemObserver& observer) {
                    if (auto* listObserver = dynamic_cast<ListBoxObserver*>(&observer))
                        listObserver->ListBoxTabFieldUpdated(
                            ListBoxTabFieldUpdateEvent(&source, field, dialItem));
                });
                break;
            }
        }
    });
}

bool Desk::ClickListRow(Panel& panel, short item, short row, short modifiers, std::string* why) {
    ListState* list = reachableList(panel, item, why);
    if (list == nullptr || !hasRow(panel, item, *list, row, why)) return false;
    Point at = rowPoint(*list, row);
    Delivery::MoveFocus(panel, item);
    toList(panel, item, modifiers, [row, modifiers, at](Item& source, ListBoxObserver& observer) {
        observer.ListBoxClicked(ListBoxClickEvent(&source, row, modifiers, at));
    });
    Delivery::Run(panel, [item, row, modifiers](Panel& p) {
        ListState* found = listAt(p, item);
        // A click handler may have taken the row away.
        if (found == nullptr || found->Find(row) == nullptr || !clickSelection(*found, row, modifiers))
            return;
        PlaceTabItems(p.State(), item);
        toList(p, item, modifiers, [](Item& source, ListBoxObserver& observer) {
            observer.ListBoxSelectionChanged(ListBoxSelectionChangeEvent(&source));
        });
    });
    return true;
}

bool Desk::DoubleClickListRow(Panel& panel, short item, short row, short modifiers, std::string* why) {
    if (!ClickListRow(panel, item, row, modifiers, why)) return false;
    Point at = rowPoint(*listAt(panel, item), row);
    toList(panel, item, modifiers, [row, modifiers, at](Item& source, ListBoxObserver& observer) {
        observer.ListBoxDoubleClicked(ListBoxClickEvent(&source, row, modifiers, at));
    });
    return true;
}

bool Desk::ClickListHeader(Panel& panel, short item, short headerItem, std::string* why) {
    ListState* list = reachableList(panel, item, why);
    if (list == nullptr || !hasHeaderItem(panel, item, *list, headerItem, why)) return false;
    toList(panel, item, 0, [headerItem](Item& source, ListBoxObserver& observer) {
        observer.ListBoxHeaderItemClicked(ListBoxHeaderItemEvent(&source, headerItem));
    });
    return true;
}

bool Desk::DragListHeader(Panel& panel, short item, short from, short to, std::string* why) {
    ListState* list = reachableList(panel, item, why);
    if (list == nullptr || !hasHeaderItem(panel, item, *list, from, why) ||
        !hasHeaderItem(panel, item, *list, to, why))
        return false;
    auto first = list->header.begin();
    if (from < to)
        std::rotate(first + from - 1, first + from, first + to);
    else
        std::rotate(first + to - 1, first + from - 1, first + from);
    toList(panel, item, 0, [from, to](Item& source, ListBoxObserver& observer) {
        observer.ListBoxHeaderItemDragged(ListBoxHeaderItemDragEvent(&source, from, to));
    });
    return true;
}

bool Desk::ResizeListHeader(Panel& panel, short item, short headerItem, short change, std::string* why) {
    ListState* list = reachableList(panel, item, why);
    if (list == nullptr || !hasHeaderItem(panel, item, *list, headerItem, why)) return false;
    ListState::HeaderItem& header = list->header[static_cast<size_t>(headerItem - 1)];
    auto size = static_cast<short>(std::clamp(header.size + change, int(header.minSize), 32767));
    auto made = static_cast<short>(size - header.size);
    toList(panel, item, 0, [headerItem](Item& source, ListBoxObserver& observer) {
        observer.ListBoxHeaderItemResizeEntered(ListBoxHeaderItemEvent(&source, headerItem));
    });
    Delivery::Run(panel, [item, headerItem, made](Panel& p) {
        ListState* found = listAt(p, item);
        if (found == nullptr || static_cast<size_t>(headerItem) > found->header.size()) return;
        found->header[static_cast<size_t>(headerItem - 1)].size += made;
        toList(p, item, 0, [headerItem, made](Item& source, ListBoxObserver& observer) {
            observer.ListBoxHeaderItemResized(ListBoxHeaderItemEvent(&source, headerItem, made));
        });
        toList(p, item, 0, [headerItem, made](Item& source, ListBoxObserver& observer) {
            observer.ListBoxHeaderItemResizeExited(ListBoxHeaderItemEvent(&source, headerItem, made));
        });
    });
    return true;
}

bool Desk::DragListRow(Panel& panel, short item, short row, short target, DragDrop::Effect* effect,
                       std::string* why) {
    ListState* list = reachableList(panel, item, why);
    if (list == nullptr || !hasRow(panel, item, *list, row, why)) return false;
    if (target < 1 || target > list->Count() + 1)
        return refuse(why, itemName(panel, item) + " has no place " + std::to_string(target) + " to drop at");
    struct Drag {
        bool started = false;
        DragDrop::Effect effect = DragDrop::None;
    };
    auto drag = std::make_shared<Drag>();
    bool after = target > list->Count();
    short insertAt = after ? list->Count() : target;
    ListBoxDropTargetEvent::RelativePosition relative =
        after ? ListBoxDropTargetEvent::After : ListBoxDropTargetEvent::Before;
    Point at = rowPoint(*list, target);
    auto source = [item, row](Panel& p,
                              const std::function<void(ListBoxObserver&, const ListBoxDragSourceEvent&)>& f) {
        Delivery::CallItemObservers(p.State(), item, [&](Item& src, ItemObserver& observer) {
            if (auto* o = dynamic_cast<ListBoxObserver*>(&observer)) f(*o, ListBoxDragSourceEvent(&src, row));
        });
    };
    auto targetCall =
        [item, at, insertAt,
         relative](Panel& p, const std::function<void(ListBoxObserver&, const ListBoxDropTargetEvent&)>& f) {
            Delivery::CallItemObservers(p.State(), item, [&](Item& src, ItemObserver& observer) {
                if (auto* o = dynamic_cast<ListBoxObserver*>(&observer))
                    f(*o, ListBoxDropTargetEvent(&src, at, insertAt, relative));
            });
        };
    Delivery::Run(panel, [drag, source](Panel& p) {
        bool canStart = true;
        source(p, [&](ListBoxObserver& o, const ListBoxDragSourceEvent& e) {
            o.ListBoxDragStarting(e, &canStart);
        });
        if (!canStart) return Desk::Get().Tell("the add-on did not let the row be dragged");
        drag->started = true;
        drag->effect = DragDrop::All;
        bool rightDragMenu = false;
        source(p, [&](ListBoxObserver& o, const ListBoxDragSourceEvent& e) {
            o.ListBoxDragStarted(e, &drag->effect, &rightDragMenu);
        });
    });
    Delivery::Run(panel, [drag, source, targetCall](Panel& p) {
        if (!drag->started) return;
        bool defBehaviour = true;
        targetCall(p, [&](ListBoxObserver& o, const ListBoxDropTargetEvent& e) {
            o.ListBoxDragEntered(e, &drag->effect, &defBehaviour);
        });
        targetCall(p, [&](ListBoxObserver& o, const ListBoxDropTargetEvent& e) {
            o.ListBoxDragMoved(e, &drag->effect, &defBehaviour);
        });
        targetCall(p, [&](ListBoxObserver& o, const ListBoxDropTargetEvent& e) {
            o.ListBoxDropped(e, &drag->effect);
        });
        source(p, [&](ListBoxObserver& o, const ListBoxDragSourceEvent& e) {
            o.ListBoxDragEnded(e, drag->effect);
        });
    });
    if (effect != nullptr) *effect = drag->effect;
    return true;
}

bool Desk::ChoosePopUpEntry(Panel& panel, short item, const GS::UniString& text, std::string* why) {
    ItemState* state = reachable(panel, item, why);
    if (state == nullptr) return false;
    PopUpState* menu = PopUpOf(*state);
    if (menu == nullptr)
        return refuse(why,
                      itemName(panel, item) + " is " + ItemTypeWithArticle(state->type) + ", not a pop-up");
    short entry = menu->FindText(text);
    if (entry == 0) return refuse(why, itemName(panel, item) + " has no entry \"" + text.ToCStr() + "\"");
    if (menu->Find(entry)->disabled)
        return refuse(why,
                      "the entry \"" + text.ToCStr() + "\" of " + itemName(panel, item) + " is disabled");
    Delivery::MoveFocus(panel, item);
    if (menu->chosen == entry) return true;
    menu->chosen = entry;
    bool userControl = state->type == ItemType::UserControl;
    Delivery::ToItem(panel, item, [userControl](Item& source, ItemObserver& observer) {
        if (auto* popUp = dynamic_cast<PopUpObserver*>(&observer); popUp != nullptr && !userControl)
            popUp->PopUpChanged(PopUpChangeEvent(&source));
        if (auto* control = dynamic_cast<UserControlObserver*>(&observer); control != nullptr && userControl)
            control->UserControlChanged(UserControlChangeEvent(&source));
    });
    TabItemChanged(panel, item);
    return true;
}

} // namespace DG
