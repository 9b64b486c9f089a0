#include "interface/TreeViewControl.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "interface/InterfaceEvent.h"
#include "persistence/Setting.h"
#include "platform/dg/DGFunctions.h"
#include "platform/dg/DGItems.h"

namespace tarnwick {

namespace {
// The mouse record's state word that spreads an expand or collapse to the subtree.
constexpr short SubtreeMouseState = 2;
} // namespace

TreeViewControl::TreeViewControl(const TreeViewControl& other)
    : DialogControl(other), m_top(other.m_top ? std::make_unique<Node>(*other.m_top) : nullptr),
      m_item(other.m_item) {}

TreeViewControl::~TreeViewControl() {
    m_top.reset();
    releaseItem();
}

std::unique_ptr<DialogControl> TreeViewControl::clone() const {
    return std::unique_ptr<DialogControl>(new TreeViewControl(*this));
}

std::unique_ptr<Setting> TreeViewControl::getValue(int16_t, int16_t) const {
    return nullptr;
}

void TreeViewControl::setValue(const Setting&, int16_t, int16_t) {}

std::unique_ptr<ControlObserver> TreeViewControl::makeObserver() const {
    return std::make_unique<Observer>();
}

void TreeViewControl::createItem(DG::Panel& panel) {
    m_item = std::make_shared<DG::MultiSelTreeView>(panel, static_cast<short>(getItemId()));
}

void TreeViewControl::releaseItem() {
    m_item.reset();
}

const TreeViewControl::Node* TreeViewControl::top() const {
    if (!m_top) {
        auto made = static_cast<uint32_t>(DGTreeViewInsertItem(dialId(), itemId(), DG::TreeRootItem, 0));
        if (made != NoTreeItem) m_top = std::make_unique<Node>(getLink(), made);
    }
    return m_top.get();
}

TreeViewControl::Node TreeViewControl::startNode(uint32_t mode) const {
    const Node* first = top();
    if (first == nullptr) return Node(getLink(), NoTreeItem);
    auto topItem = static_cast<int32_t>(first->getItem());
    switch (mode) {
    case DepthFirst:
    case Display:
        return *first;
    case Siblings:
        return Node(getLink(),
                    static_cast<uint32_t>(DGTreeViewGetItem(dialId(), itemId(), topItem, DG::TreeChild)));
    case Selection:
        return Node(getLink(), static_cast<uint32_t>(DGTreeViewGetSelected(dialId(), itemId(), topItem)));
    default:
        return Node(getLink(), NoTreeItem);
    }
}

TreeViewControl::Node TreeViewControl::lastNode(uint32_t mode) const {
    Node none(getLink(), NoTreeItem);
    if (getRows() < 1) return none;
    const Node* first = top();
    if (first == nullptr) return none;
    auto lastChild = [this](int32_t parent) {
        int32_t last = DGTreeViewGetItem(dialId(), itemId(), parent, DG::TreeChild);
        for (int32_t at = last; at != DG::TreeNoItem;
             at = DGTreeViewGetItem(dialId(), itemId(), at, DG::TreeNextSibling))
            last = at;
        return last;
    };
    switch (mode) {
    case DepthFirst: {
        auto last = static_cast<int32_t>(first->getItem());
        for (int32_t below = lastChild(last); below != DG::TreeNoItem; below = lastChild(last))
            last = below;
        return Node(getLink(), static_cast<uint32_t>(last));
    }
    case Siblings:
        return Node(getLink(), static_cast<uint32_t>(lastChild(static_cast<int32_t>(first->getItem()))));
    case Selection: {
        int32_t count = DGTreeViewGetSelCount(dialId(), itemId());
        if (count < 1) return none;
        std::vector<int32_t> items(static_cast<size_t>(count));
        int32_t answered = std::min(DGTreeViewGetSelItems(dialId(), itemId(), items.data(), count), count);
        return answered >= 1 ? Node(getLink(), static_cast<uint32_t>(items[size_t(answered) - 1])) : none;
    }
    case Display:
        return Node(getLink(), static_cast<uint32_t>(DGTreeViewGetItem(dialId(), itemId(), DG::TreeRootItem,
                                                                       DG::TreeLastDisplayed)));
    default:
        return none;
    }
}

TreeViewControl::const_iterator TreeViewControl::cbegin(uint32_t mode) const {
    return const_iterator(startNode(mode), mode);
}

TreeViewControl::iterator TreeViewControl::begin(uint32_t mode) {
    return iterator(startNode(mode), mode);
}

TreeViewControl::const_iterator TreeViewControl::cend() const {
    return const_iterator(Node(getLink(), NoTreeItem), DepthFirst);
}

TreeViewControl::iterator TreeViewControl::end() {
    return iterator(Node(getLink(), NoTreeItem), DepthFirst);
}

TreeViewControl::const_iterator TreeViewControl::crbegin(uint32_t mode) const {
    return const_iterator(lastNode(mode), mode);
}

TreeViewControl::iterator TreeViewControl::rbegin(uint32_t mode) {
    return iterator(lastNode(mode), mode);
}

TreeViewControl::const_iterator TreeViewControl::cfind(uint32_t item, uint32_t mode) const {
    return const_iterator(Node(getLink(), item), mode);
}

TreeViewControl::iterator TreeViewControl::find(uint32_t item, uint32_t mode) {
    return iterator(Node(getLink(), item), mode);
}

void TreeViewControl::selectItem() {
    DGTreeViewSelectItem(dialId(), itemId(), DG::TreeRootItem);
}

void TreeViewControl::deselectItem() {
    DGTreeViewDeselectItem(dialId(), itemId(), DG::TreeRootItem);
}

void TreeViewControl::expand(iterator position) {
    if (position == end()) position = begin(DepthFirst);
    if (position == end()) return;
    position->setExpanded(true);
    for (iterator child = position->beginChildren(), stop = position->endChildren(); child != stop; ++child)
        expand(child);
}

void TreeViewControl::collapse(iterator position) {
    if (position == end()) position = begin(DepthFirst);
    if (position == end()) return;
    for (iterator child = position->beginChildren(), stop = position->endChildren(); child != stop; ++child)
        collapse(child);
    position->setExpanded(false);
}

void TreeViewControl::collect(std::set<iterator>& items, bool selectedOnly, bool subtreeOfSelected,
                              bool withBranches, bool withLeaves, iterator from) {
    if (from == begin(DepthFirst) || from == end()) {
        iterator child = begin(Siblings);
        if (child.isEnd()) return;
        bool keep = selectedOnly && !(top()->isSelected() && subtreeOfSelected);
        for (; !child.isEnd(); ++child)
            collectUnder(items, *child, keep, subtreeOfSelected, withBranches, withLeaves);
        return;
    }
    collectUnder(items, *from, selectedOnly, subtreeOfSelected, withBranches, withLeaves);
}

void TreeViewControl::collectUnder(std::set<iterator>& items, const Node& node, bool selectedOnly,
                                   bool subtreeOfSelected, bool withBranches, bool withLeaves) {
    bool topmost = selectedOnly && !subtreeOfSelected && !withBranches && !withLeaves;
    iterator child = node.beginChildren();
    bool hasChildren = child != node.endChildren();
    bool selected = node.isSelected();
    if (!selectedOnly || selected) {
        bool wanted = topmost || (withLeaves ? !hasChildren || withBranches : hasChildren && withBranches);
        if (wanted) items.insert(iterator(node, DepthFirst));
        // Nothing under a collected item is visited.
        if (topmost) return;
    }
    bool keep = selectedOnly && !(selected && subtreeOfSelected);
    for (; !child.isEnd(); ++child)
        collectUnder(items, *child, keep, subtreeOfSelected, withBranches, withLeaves);
}

int32_t TreeViewControl::getItemCount() const {
    return DGTreeViewGetItemCount(dialId(), itemId());
}

TreeViewControl::iterator TreeViewControl::insert(const iterator& position) {
    if (position == end()) {
        iterator first = begin(DepthFirst);
        return first.isEnd() ? first : first->appendChild();
    }
    iterator parent;
    int32_t place = DG::TreeFirstChild;
    if (position == begin(DepthFirst)) {
        parent = begin(DepthFirst);
    } else {
        parent = position->getParent();
        int32_t before = DGTreeViewGetItem(dialId(), itemId(), static_cast<int32_t>(position->getItem()),
                                           DG::TreePrevSibling);
        if (before != DG::TreeNoItem) place = before;
    }
    auto made = static_cast<uint32_t>(
        DGTreeViewInsertItem(dialId(), itemId(), static_cast<int32_t>(parent->getItem()), place));
    return made != NoTreeItem ? iterator(Node(getLink(), made), DepthFirst) : end();
}

TreeViewControl::iterator TreeViewControl::erase(const iterator& position) {
    const Node& gone = *position;
    auto goneItem = static_cast<int32_t>(gone.getItem());
    uint32_t mode = position.getMode();
    auto parentOf = [this](int32_t item) {
        return DGTreeViewGetItem(dialId(), itemId(), item, DG::TreeParent);
    };
    auto inside = [&](uint32_t item) {
        for (auto at = static_cast<int32_t>(item); at != DG::TreeRootItem && at != DG::TreeNoItem;
             at = parentOf(at))
            if (at == goneItem) return true;
        return false;
    };
    // The answer steps past the whole subtree first: an iterator into it would name deleted items.
    iterator next = position;
    if (mode == DepthFirst) {
        uint32_t after = NoTreeItem;
        for (int32_t at = goneItem; at != DG::TreeRootItem && at != DG::TreeNoItem; at = parentOf(at)) {
            after = static_cast<uint32_t>(DGTreeViewGetItem(dialId(), itemId(), at, DG::TreeNextSibling));
            if (after != NoTreeItem) break;
        }
        next = iterator(Node(getLink(), after), mode);
    } else if (mode == Siblings || mode == Selection || mode == Display) {
        ++next;
        while (!next.isEnd() && inside(next->getItem()))
            ++next;
    } else {
        next = iterator(Node(getLink(), NoTreeItem), mode);
    }
    if (next.isEnd()) next = iterator(Node(getLink(), NoTreeItem), mode);
    DGTreeViewDeleteItem(dialId(), itemId(), goneItem);
    if (m_top && m_top->getItem() == static_cast<uint32_t>(goneItem)) m_top.reset();
    return next;
}

void TreeViewControl::clear() {
    if (m_top) DGTreeViewDeleteItem(dialId(), itemId(), static_cast<int32_t>(m_top->getItem()));
    m_top.reset();
}

void TreeViewControl::setDrawEnabled(bool enabled) {
    if (enabled)
        DGTreeViewEnableDraw(dialId(), itemId());
    else
        DGTreeViewDisableDraw(dialId(), itemId());
}

bool TreeViewControl::publish(Event& event) {
    auto* interfaceEvent = dynamic_cast<InterfaceEvent*>(&event);
    DGMousePosData mouse{};
    if (interfaceEvent != nullptr && interfaceEvent->getCode() == 6 &&
        DGGetMousePosition(dialId(), &mouse) != 0 && mouse.modifiers == SubtreeMouseState) {
        setDrawEnabled(false);
        const auto* notice = dataPointer<const TreeItemNotice>(interfaceEvent->getData());
        if (notice != nullptr && notice->item != RootItem) {
            for (iterator at = begin(DepthFirst); !at.isEnd(); ++at) {
                if (at->getItem() != notice->item) continue;
                if (notice->code == 3) expand(at);
                if (notice->code == 4) collapse(at);
                break;
            }
        }
        setDrawEnabled(true);
        redraw();
    }
    return DialogControl::publish(event);
}

} // namespace tarnwick
