#include <algorithm>
#include <stdexcept>
#include <vector>

#include "elements/text/TextStyle.h"
#include "interface/TreeViewControl.h"
#include "persistence/StringSetting.h"
#include "platform/dg/DGFunctions.h"
#include "project/Colour.h"
#include "project/Image.h"

namespace tarnwick {

namespace {

constexpr double NodeTextSize = 4.2333333333336; // millimetres: the host's 12 points

uint16_t styleWordOf(short hostStyle) {
    switch (hostStyle) {
    case 16:
        return 1;
    case 32:
        return 2;
    case 48:
        return 4;
    default:
        return 0;
    }
}

short hostStyleOf(uint16_t styleWord) {
    switch (styleWord) {
    case 1:
        return 16;
    case 2:
        return 32;
    case 4:
        return 48;
    default:
        return 0;
    }
}

// The host's selection in the order of the tree, with the host's count read first; the buffer is
// as large as that count, and the host writes no more than its size.
std::vector<int32_t> selectedItems(short dialId, short itemId, int32_t count) {
    std::vector<int32_t> items(static_cast<size_t>(count));
    int32_t answered = DGTreeViewGetSelItems(dialId, itemId, items.data(), count);
    items.resize(static_cast<size_t>(std::clamp(answered, 0, count)));
    return items;
}

} // namespace

TreeViewControl::Node::Node(const ControlLink& link, uint32_t item)
    : m_link(link), m_item(item), m_end(item == NoTreeItem) {}

short TreeViewControl::Node::dialId() const {
    return static_cast<short>(m_link.getPanelId());
}

short TreeViewControl::Node::itemId() const {
    return static_cast<short>(m_link.getItemId());
}

uint32_t TreeViewControl::Node::related(short relation) const {
    return static_cast<uint32_t>(DGTreeViewGetItem(dialId(), itemId(), host(), relation));
}

uint32_t TreeViewControl::Node::nextSelected() const {
    int32_t count = DGTreeViewGetSelCount(dialId(), itemId());
    if (count < 1) return NoTreeItem;
    std::vector<int32_t> items = selectedItems(dialId(), itemId(), count);
    auto found = std::find(items.begin(), items.end(), host());
    if (found != items.end()) return ++found != items.end() ? static_cast<uint32_t>(*found) : NoTreeItem;
    return static_cast<uint32_t>(DGTreeViewGetSelected(dialId(), itemId(), host()));
}

uint32_t TreeViewControl::Node::prevSelected() const {
    int32_t count = DGTreeViewGetSelCount(dialId(), itemId());
    if (count < 1) return NoTreeItem;
    std::vector<int32_t> items = selectedItems(dialId(), itemId(), count);
    if (items.empty()) return NoTreeItem;
    auto found = std::find(items.begin(), items.end(), host());
    if (found == items.end()) return static_cast<uint32_t>(items.back());
    return found != items.begin() ? static_cast<uint32_t>(*(found - 1)) : NoTreeItem;
}

bool TreeViewControl::Node::next(uint32_t mode) {
    if (m_end || m_item == NoTreeItem) throw std::out_of_range("");
    uint32_t found = m_item;
    switch (mode) {
    case DepthFirst:
        found = related(DG::TreeChild);
        for (Node at = *this; found == NoTreeItem;) {
            found = at.related(DG::TreeNextSibling);
            if (found != NoTreeItem) break;
            uint32_t parent = at.related(DG::TreeParent);
            if (parent == RootItem || parent == NoTreeItem) break;
            at.m_item = parent;
        }
        break;
    case Siblings:
        found = related(DG::TreeNextSibling);
        break;
    case Selection:
        found = nextSelected();
        break;
    case Display:
        found = related(DG::TreeNextDisplayed);
        break;
    default:
        break;
    }
    if (found == NoTreeItem) {
        m_end = true;
        return false;
    }
    m_item = found;
    return true;
}

void TreeViewControl::Node::prev(uint32_t mode) {
    bool noItem = m_item == NoTreeItem;
    uint32_t found = m_item;
    switch (mode) {
    case DepthFirst:
        if (noItem) throw std::out_of_range("");
        found = related(DG::TreePrevSibling);
        if (found == NoTreeItem) {
            found = related(DG::TreeParent);
            if (found == RootItem) found = NoTreeItem;
            break;
        }
        // The previous sibling's last descendant.
        for (Node at(m_link, found);;) {
            uint32_t child = at.related(DG::TreeChild);
            if (child == NoTreeItem) break;
            for (uint32_t sibling = child; sibling != NoTreeItem;
                 sibling = Node(m_link, sibling).related(DG::TreeNextSibling))
                child = sibling;
            at.m_item = found = child;
        }
        break;
    case Siblings:
        if (noItem) throw std::out_of_range("");
        found = related(DG::TreePrevSibling);
        break;
    case Selection:
        found = prevSelected();
        break;
    case Display:
        found = !m_end && !noItem ? related(DG::TreePrevDisplayed)
                                  : Node(m_link, RootItem).related(DG::TreeLastDisplayed);
        break;
    default:
        break;
    }
    if (found == NoTreeItem) throw std::out_of_range("");
    m_item = found;
    m_end = false;
}

TreeViewControl::iterator TreeViewControl::Node::beginChildren() const {
    return iterator(Node(m_link, related(DG::TreeChild)), Siblings);
}

TreeViewControl::iterator TreeViewControl::Node::endChildren() const {
    Node child(m_link, related(DG::TreeChild));
    child.m_end = true;
    return iterator(child, Siblings);
}

TreeViewControl::iterator TreeViewControl::Node::getParent() const {
    uint32_t parent = related(DG::TreeParent);
    return iterator(Node(m_link, parent == RootItem ? NoTreeItem : parent), Siblings);
}

TreeViewControl::iterator TreeViewControl::Node::appendChild() {
    auto made = static_cast<uint32_t>(DGTreeViewInsertItem(dialId(), itemId(), host(), DG::TreeLastChild));
    return iterator(Node(m_link, made), Siblings);
}

std::unique_ptr<Setting> TreeViewControl::Node::getValue() const {
    return std::make_unique<StringSetting>(getText());
}

String TreeViewControl::Node::getText() const {
    return String(DGTreeViewGetItemText(dialId(), itemId(), host()));
}

Colour TreeViewControl::Node::getColour() const {
    unsigned short red = 0, green = 0, blue = 0;
    (void)DGTreeViewGetItemColor(dialId(), itemId(), host(), &red, &green, &blue);
    return Colour(uint16_t(red), uint16_t(green), uint16_t(blue), uint16_t(65535));
}

std::unique_ptr<TextStyle> TreeViewControl::Node::getStyle() const {
    auto style = std::make_unique<TextStyle>(styleWordOf(DGTreeViewGetItemStyle(dialId(), itemId(), host())),
                                             NodeTextSize);
    style->setColour(getColour());
    return style;
}

bool TreeViewControl::Node::isExpanded() const {
    return DGTreeViewIsItemExpanded(dialId(), itemId(), host());
}

bool TreeViewControl::Node::isSelected() const {
    return DGTreeViewGetSelected(dialId(), itemId(), host()) == host();
}

bool TreeViewControl::Node::isTopLevel() const {
    return related(DG::TreeParent) == RootItem;
}

uint64_t TreeViewControl::Node::getUserData() const {
    return DGTreeViewGetItemUserData(dialId(), itemId(), host());
}

void TreeViewControl::Node::setUserData(uint64_t value) {
    DGTreeViewSetItemUserData(dialId(), itemId(), host(), value);
}

void TreeViewControl::Node::redraw() {
    DGTreeViewRedrawItem(dialId(), itemId(), host());
}

void TreeViewControl::Node::setValue(const Setting& value) {
    String text;
    setText(value.getText(text));
}

void TreeViewControl::Node::setText(const String& text) {
    DGTreeViewSetItemText(dialId(), itemId(), host(), text.toUniString());
}

void TreeViewControl::Node::setImage(const Image& image) {
    DGTreeViewSetItemIcon(dialId(), itemId(), host(), 0, image.toDGIcon());
}

void TreeViewControl::Node::setColour(const Colour& colour) {
    uint16_t red = 0, green = 0, blue = 0;
    colour.getRGB16(red, green, blue);
    DGTreeViewSetItemColor(dialId(), itemId(), host(), red, green, blue);
}

void TreeViewControl::Node::setStyle(const TextStyle& style) {
    DGTreeViewSetItemStyle(dialId(), itemId(), host(), hostStyleOf(style.getStyle()));
    setColour(style.getColour());
}

void TreeViewControl::Node::setExpanded(bool expanded) {
    if (expanded)
        DGTreeViewExpandItem(dialId(), itemId(), host());
    else
        DGTreeViewCollapseItem(dialId(), itemId(), host());
}

void TreeViewControl::Node::setSelected(bool selected) {
    if (selected)
        DGTreeViewSelectItem(dialId(), itemId(), host());
    else
        DGTreeViewDeselectItem(dialId(), itemId(), host());
}

} // namespace tarnwick
