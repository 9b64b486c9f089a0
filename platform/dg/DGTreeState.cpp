#include "DGTreeState.h"

#include <limits>
#include <memory>

#include "DGPanelState.h"

namespace DG {

TreeState::TreeState() {
    m_nodes.emplace(TreeRootItem, Node());
}

TreeState::Node* TreeState::Find(int32_t item) {
    if (item <= TreeRootItem) return nullptr;
    auto found = m_nodes.find(item);
    return found != m_nodes.end() ? &found->second : nullptr;
}

const TreeState::Node* TreeState::Find(int32_t item) const {
    return const_cast<TreeState*>(this)->Find(item);
}

int32_t TreeState::Insert(int32_t parent, int32_t position) {
    if (parent != TreeRootItem && !IsItem(parent)) return TreeNoItem;
    Node& above = m_nodes.at(parent);
    int32_t after = TreeNoItem; // the sibling the new item follows; none: the first place
    if (position == TreeLastChild) {
        after = above.lastChild;
    } else if (position != TreeFirstChild && position != 0) {
        const Node* sibling = Find(position);
        if (sibling == nullptr || sibling->parent != parent) return TreeNoItem;
        after = position;
    }
    if (m_nextNumber == std::numeric_limits<int32_t>::max()) return TreeNoItem;
    int32_t item = m_nextNumber++;
    Node made;
    made.parent = parent;
    made.prev = after;
    made.next = after == TreeNoItem ? above.firstChild : m_nodes.at(after).next;
    if (made.next != TreeNoItem)
        m_nodes.at(made.next).prev = item;
    else
        above.lastChild = item;
    if (after != TreeNoItem)
        m_nodes.at(after).next = item;
    else
        above.firstChild = item;
    m_nodes.emplace(item, std::move(made));
    return item;
}

void TreeState::Unlink(int32_t item) {
    Node& node = m_nodes.at(item);
    Node& parent = m_nodes.at(node.parent);
    if (node.prev != TreeNoItem)
        m_nodes.at(node.prev).next = node.next;
    else
        parent.firstChild = node.next;
    if (node.next != TreeNoItem)
        m_nodes.at(node.next).prev = node.prev;
    else
        parent.lastChild = node.prev;
}

bool TreeState::Delete(int32_t item) {
    if (item == TreeRootItem) {
        m_nodes.clear();
        m_nodes.emplace(TreeRootItem, Node());
        m_selected = 0;
        anchor = TreeNoItem;
        return true;
    }
    if (!IsItem(item)) return false;
    // The subtree is gathered first, then forgotten: its links stay whole while it is walked.
    std::vector<int32_t> gone{item};
    for (size_t i = 0; i < gone.size(); ++i)
        for (int32_t child = m_nodes.at(gone[i]).firstChild; child != TreeNoItem;
             child = m_nodes.at(child).next)
            gone.push_back(child);
    Unlink(item);
    for (int32_t each : gone) {
        if (m_nodes.at(each).selected) --m_selected;
        if (anchor == each) anchor = TreeNoItem;
        m_nodes.erase(each);
    }
    return true;
}

int32_t TreeState::Related(int32_t item, short relation, bool* known) const {
    if (known != nullptr) *known = relation >= TreeNextSibling && relation <= TreePrevDisplayed;
    const Node* node = item == TreeRootItem ? &m_nodes.at(TreeRootItem) : Find(item);
    if (node == nullptr) return TreeNoItem;
    bool root = item == TreeRootItem;
    switch (relation) {
    case TreeNextSibling:
        return root ? TreeNoItem : node->next;
    case TreePrevSibling:
        return root ? TreeNoItem : node->prev;
    case TreeParent:
        return root ? TreeNoItem : node->parent;
    case TreeChild:
        return node->firstChild;
    case TreeLastDisplayed:
        return LastDisplayedUnder(TreeRootItem);
    case TreeNextDisplayed:
        return NextDisplayed(item);
    case TreePrevDisplayed:
        return root ? TreeNoItem : PrevDisplayed(item);
    default:
        return TreeNoItem;
    }
}

int32_t TreeState::NextInOrder(int32_t item) const {
    const Node& node = m_nodes.at(item);
    if (node.firstChild != TreeNoItem) return node.firstChild;
    for (int32_t at = item; at != TreeRootItem; at = m_nodes.at(at).parent)
        if (m_nodes.at(at).next != TreeNoItem) return m_nodes.at(at).next;
    return TreeNoItem;
}

int32_t TreeState::NextDisplayed(int32_t item) const {
    const Node& node = m_nodes.at(item);
    if ((item == TreeRootItem || node.expanded) && node.firstChild != TreeNoItem) return node.firstChild;
    for (int32_t at = item; at != TreeRootItem; at = m_nodes.at(at).parent)
        if (m_nodes.at(at).next != TreeNoItem) return m_nodes.at(at).next;
    return TreeNoItem;
}

int32_t TreeState::LastDisplayedUnder(int32_t item) const {
    int32_t last = m_nodes.at(item).lastChild;
    if (last == TreeNoItem) return TreeNoItem;
    while (m_nodes.at(last).expanded && m_nodes.at(last).lastChild != TreeNoItem)
        last = m_nodes.at(last).lastChild;
    return last;
}

int32_t TreeState::PrevDisplayed(int32_t item) const {
    const Node& node = m_nodes.at(item);
    if (node.prev == TreeNoItem) return node.parent == TreeRootItem ? TreeNoItem : node.parent;
    const Node& prev = m_nodes.at(node.prev);
    if (!prev.expanded) return node.prev;
    int32_t last = LastDisplayedUnder(node.prev);
    return last != TreeNoItem ? last : node.prev;
}

int TreeState::Depth(int32_t item) const {
    int depth = -1;
    for (const Node* node = Find(item); node != nullptr; node = Find(node->parent))
        ++depth;
    return depth;
}

bool TreeState::Select(int32_t item, bool on) {
    Node* node = Find(item);
    if (node == nullptr || node->selected == on) return false;
    node->selected = on;
    m_selected += on ? 1 : -1;
    return true;
}

bool TreeState::SelectAll(bool on) {
    bool changed = false;
    for (auto& [item, node] : m_nodes)
        if (item != TreeRootItem) changed = Select(item, on) || changed;
    return changed;
}

int32_t TreeState::FirstSelectedFrom(int32_t item) const {
    if (m_selected == 0) return TreeNoItem;
    int32_t at = item == TreeRootItem ? NextInOrder(TreeRootItem) : item;
    while (at != TreeNoItem && !m_nodes.at(at).selected)
        at = NextInOrder(at);
    return at;
}

std::vector<int32_t> TreeState::Selected() const {
    std::vector<int32_t> items;
    for (int32_t at = FirstSelectedFrom(TreeRootItem); at != TreeNoItem && items.size() < size_t(m_selected);
         at = FirstSelectedFrom(NextInOrder(at)))
        items.push_back(at);
    return items;
}

bool TreeState::SetExpanded(int32_t item, bool on) {
    Node* node = Find(item);
    if (node == nullptr || node->expanded == on) return false;
    node->expanded = on;
    return true;
}

int32_t TreeState::FindPath(const std::vector<std::string>& texts) const {
    int32_t parent = TreeRootItem;
    for (const std::string& text : texts) {
        int32_t at = m_nodes.at(parent).firstChild;
        while (at != TreeNoItem && m_nodes.at(at).text.ToCStr() != text)
            at = m_nodes.at(at).next;
        if (at == TreeNoItem) return TreeNoItem;
        parent = at;
    }
    return parent == TreeRootItem ? TreeNoItem : parent;
}

TreeState* TreeOf(ItemState& item) {
    if (item.type != ItemType::TreeView) return nullptr;
    if (!item.tree) item.tree = std::make_shared<TreeState>();
    return item.tree.get();
}

} // namespace DG
