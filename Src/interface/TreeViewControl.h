// "TREE": a host multi-select tree view. The control keeps no copy of the tree: every item lives
// in the host and a position is the host's item number, so iterators stay valid only while the
// item they name exists. Notifications of the host become events of the panel: a selection change
// an ItemEvent of code 6 and data 0, an item click an ActionEvent of code 0, a click one of code 4
// and a double click one of code 5 (data the tree item), an expanded or collapsed item an ItemEvent
// of code 6 whose data points at a TreeItemNotice, and drags DropEvents (stage in the message code).
#pragma once

#include <cstdint>
#include <memory>
#include <set>

#include "Environment/String.h"
#include "interface/ControlObserver.h"
#include "interface/DialogControl.h"
#include "interface/ViewIterator.h"
#include "platform/dg/DGTreeView.h"

namespace tarnwick {

class Colour;

// The data of the expand and collapse events.
struct TreeItemNotice {
    uint16_t code = 0; // 3 expanded, 4 collapsed
    uint32_t item = 0;
    String first; // left empty by the tree view
    String second;
};

class TreeViewControl : public DialogControl {
public:
    static constexpr uint32_t TypeCode = fourCC("TREE");
    static constexpr uint32_t NoTreeItem = 0xFFFFFFFF;
    // Item 0 is the root, above the top item.
    static constexpr uint32_t RootItem = 0;
    enum StepMode : uint32_t { DepthFirst = 0, Siblings = 1, Selection = 2, Display = 3 };

    class iterator;
    class const_iterator;

    // One host item of the control's tree; the end flag marks a walk that ran out.
    class Node {
    public:
        Node(const ControlLink& link, uint32_t item);

        const ControlLink& getLink() const { return m_link; }
        uint32_t getItem() const { return m_item; }
        bool isEnd() const { return m_end; }

        // Steps by the mode; false, keeping the item and setting the end flag, when there is no
        // next. Throws std::out_of_range when already at the end.
        bool next(uint32_t mode);
        // Steps back by the mode and clears the end flag; throws std::out_of_range when there is
        // no item before.
        void prev(uint32_t mode);

        iterator beginChildren() const;
        iterator endChildren() const;
        // At the end for a top-level item.
        iterator getParent() const;
        // A new last child, in sibling mode; at the end when the host refuses.
        iterator appendChild();

        std::unique_ptr<Setting> getValue() const;
        String getText() const;
        Colour getColour() const;
        // The style word from the host's item style, 4.2333333333336 mm, and the item's colour.
        std::unique_ptr<TextStyle> getStyle() const;
        bool isExpanded() const;
        bool isSelected() const;
        bool isTopLevel() const;
        uint64_t getUserData() const;
        void setUserData(uint64_t value);
        void redraw();
        void setValue(const Setting& value);
        void setText(const String& text);
        void setImage(const Image& image);
        void setColour(const Colour& colour);
        // Style word 1 bold, 2 italic, 4 both; then the style's colour.
        void setStyle(const TextStyle& style);
        void setExpanded(bool expanded);
        void setSelected(bool selected);

    private:
        short dialId() const;
        short itemId() const;
        int32_t host() const { return static_cast<int32_t>(m_item); }
        uint32_t related(short relation) const;
        uint32_t nextSelected() const;
        uint32_t prevSelected() const;

        ControlLink m_link;
        uint32_t m_item;
        bool m_end;
    };

    class iterator : public ViewIterator<Node> {
    public:
        using ViewIterator::ViewIterator;
        iterator& operator++() {
            stepForward();
            return *this;
        }
        iterator operator++(int) {
            iterator before(*this);
            stepForward();
            return before;
        }
        iterator& operator--() {
            stepBack();
            return *this;
        }
        iterator operator--(int) {
            iterator before(*this);
            stepBack();
            return before;
        }
    };

    class const_iterator : public ViewIterator<const Node> {
    public:
        using ViewIterator::ViewIterator;
        const_iterator(const iterator& other) // NOLINT: an iterator may stand where a constant one does
            : const_iterator(other.tryNode() ? const_iterator(*other.tryNode(), other.getMode())
                                             : const_iterator()) {}
        virtual bool operator==(const iterator& other) const { return same(tryNode(), other.tryNode()); }
        bool operator==(const ViewIterator& other) const override { return ViewIterator::operator==(other); }
        virtual bool operator!=(const iterator& other) const { return !(*this == other); }
        bool operator!=(const ViewIterator& other) const override { return ViewIterator::operator!=(other); }
        const_iterator& operator++() {
            stepForward();
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before(*this);
            stepForward();
            return before;
        }
        const_iterator& operator--() {
            stepBack();
            return *this;
        }
    };

    class Observer : public ControlObserver, public DG::TreeViewObserver {
    public:
        void attach(DG::Panel& panel, DialogControl& control) override;
        void TreeViewSelectionChanged(const DG::TreeViewSelectionChangeEvent& event) override;
        void TreeViewClicked(const DG::TreeViewClickEvent& event) override;
        void TreeViewItemClicked(const DG::TreeViewItemClickEvent& event) override;
        void TreeViewDoubleClicked(const DG::TreeViewDoubleClickEvent& event) override;
        void TreeViewItemExpanded(const DG::TreeViewItemExpandEvent& event) override;
        void TreeViewItemCollapsed(const DG::TreeViewItemCollapseEvent& event) override;
        void TreeViewDragStarting(const DG::TreeViewDragSourceEvent& event, bool* canStart) override;
        void TreeViewDragStarted(const DG::TreeViewDragSourceEvent& event, DG::DragDrop::Effect* effect,
                                 bool* rightDragMenu) override;
        void TreeViewDragEnded(const DG::TreeViewDragSourceEvent& event,
                               DG::DragDrop::Effect effect) override;
        void TreeViewDragEntered(const DG::TreeViewDropTargetEvent& event, DG::DragDrop::Effect* effect,
                                 bool* defBehaviour) override;
        void TreeViewDragMoved(const DG::TreeViewDropTargetEvent& event, DG::DragDrop::Effect* effect,
                               bool* defBehaviour) override;
        void TreeViewDragLeft(const DG::TreeViewDropTargetEvent& event,
                              DG::DragDrop::Effect* effect) override;
        void TreeViewDropped(const DG::TreeViewDropTargetEvent& event, DG::DragDrop::Effect* effect) override;
        // A drop of any stage at a target: the record's stage, insert and relative positions from
        // the arguments, effect 7; answers the effect the panel leaves (7 without a panel).
        uint16_t drop(const DG::ItemEvent& source, uint16_t stage, uint32_t insertPosition,
                      uint16_t relativePosition);
    };

    ~TreeViewControl() override;

    // An expand or collapse event while the mouse record's state word is 2 spreads to the item's
    // whole subtree, with drawing off meanwhile; then the event goes to the subscribers.
    bool publish(Event& event) override;
    std::unique_ptr<DialogControl> clone() const override;
    std::unique_ptr<Setting> getValue(int16_t row = 0, int16_t column = 0) const override;
    void setValue(const Setting& value, int16_t row = 0, int16_t column = 0) override;
    uint32_t getTypeCode() const override { return TypeCode; }
    std::unique_ptr<ControlObserver> makeObserver() const override;
    void createItem(DG::Panel& panel) override;
    void releaseItem() override;

    // Mode 0 and 3 start at the top item (made in the host when there is none), 1 at its first
    // child, 2 at the first selected item.
    virtual const_iterator cbegin(uint32_t mode = DepthFirst) const;
    virtual iterator begin(uint32_t mode = DepthFirst);
    virtual const_iterator cend() const;
    virtual iterator end();
    // The last item of a walk: mode 0 the top item's last descendant, 1 its last child, 2 the last
    // selected item, 3 the last item displayed.
    virtual const_iterator crbegin(uint32_t mode = DepthFirst) const;
    virtual iterator rbegin(uint32_t mode = DepthFirst);
    virtual const_iterator cfind(uint32_t item, uint32_t mode = DepthFirst) const;
    virtual iterator find(uint32_t item, uint32_t mode = DepthFirst);
    // Every item.
    virtual void selectItem();
    virtual void deselectItem();
    // The item and its whole subtree; end() stands for the top item. Throws std::out_of_range
    // when the walk meets the end.
    virtual void expand(iterator position);
    virtual void collapse(iterator position);
    // Adds iterators (depth-first mode) at the items that qualify below `from`; from the top
    // item or the end, below the top item (never the top item itself).
    virtual void collect(std::set<iterator>& items, bool selectedOnly, bool subtreeOfSelected,
                         bool withBranches, bool withLeaves, iterator from = iterator());
    virtual int32_t getItemCount() const;

    // A new item just before `position` among its siblings; at end() a new last child of the
    // top item. Throws std::out_of_range when the position has no parent.
    iterator insert(const iterator& position);
    // Removes the item with its subtree and answers the position stepped past that subtree in
    // its own mode. Throws std::out_of_range at the end.
    iterator erase(const iterator& position);
    // Removes every item; the next begin makes a fresh top item. It stands in for the publisher's
    // clear: the subscribers stay (Publisher::clear, called by name, drops them).
    void clear() override;
    void setDrawEnabled(bool enabled);

    DG::MultiSelTreeView* getItem() const { return m_item.get(); }

protected:
    explicit TreeViewControl(const ControlLink& link) : DialogControl(link, 1, 1) {}
    TreeViewControl(const TreeViewControl& other);

private:
    // The top node, made in the host on first need; null when the host refuses.
    const Node* top() const;
    Node startNode(uint32_t mode) const;
    Node lastNode(uint32_t mode) const;
    void collectUnder(std::set<iterator>& items, const Node& node, bool selectedOnly, bool subtreeOfSelected,
                      bool withBranches, bool withLeaves);
    short dialId() const { return static_cast<short>(getDialogId()); }
    short itemId() const { return static_cast<short>(getItemId()); }

    mutable std::unique_ptr<Node> m_top;
    std::shared_ptr<DG::MultiSelTreeView> m_item;
};

} // namespace tarnwick
