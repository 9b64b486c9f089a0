// An iterator over the items a control keeps in the host: a copy of a node (the control's link and
// the host's number of one item) and a step mode that says how the node steps. The node type has
// getItem(), isEnd(), next(mode) and prev(mode); next answers false at the end, prev throws
// std::out_of_range before the first.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <type_traits>

namespace tarnwick {

template <class N> class ViewIterator {
public:
    using Node = std::remove_const_t<N>;

    // At the end, with no node.
    ViewIterator() = default;
    ViewIterator(const Node& node, uint32_t mode) : m_node(std::make_unique<Node>(node)), m_mode(mode) {}
    ViewIterator(const ViewIterator& other) : m_node(copy(other.m_node.get())), m_mode(other.m_mode) {}
    ViewIterator& operator=(const ViewIterator& other) {
        if (this != &other) {
            m_node = copy(other.m_node.get());
            m_mode = other.m_mode;
        }
        return *this;
    }
    virtual ~ViewIterator() = default;

    // Two iterators at the end are equal; otherwise equal when they name the same item.
    virtual bool operator==(const ViewIterator& other) const { return same(tryNode(), other.tryNode()); }
    virtual bool operator!=(const ViewIterator& other) const { return !(*this == other); }
    // The end comes before every item; items by number.
    virtual bool operator<(const ViewIterator& other) const { return less(tryNode(), other.tryNode()); }

    bool isEnd() const { return !m_node || m_node->isEnd(); }
    uint32_t getMode() const { return m_mode; }
    // Throws std::out_of_range at the end.
    N& getNode() const {
        if (isEnd()) throw std::out_of_range("");
        return *m_node;
    }
    N& operator*() const { return getNode(); }
    N* operator->() const { return &getNode(); }
    // The node whether at the end or not; null without one.
    const Node* tryNode() const { return m_node.get(); }

protected:
    // Throws std::out_of_range at the end.
    void stepForward() {
        if (isEnd()) throw std::out_of_range("");
        m_node->next(m_mode);
    }
    void stepBack() {
        if (!m_node) throw std::out_of_range("");
        m_node->prev(m_mode);
    }

    static bool atEnd(const Node* node) { return node == nullptr || node->isEnd(); }
    static bool same(const Node* a, const Node* b) {
        if (atEnd(a) || atEnd(b)) return atEnd(a) && atEnd(b);
        return a->getItem() == b->getItem();
    }
    static bool less(const Node* a, const Node* b) {
        if (atEnd(b)) return false;
        if (atEnd(a)) return true;
        return a->getItem() < b->getItem();
    }

private:
    static std::unique_ptr<Node> copy(const Node* node) {
        return node != nullptr ? std::make_unique<Node>(*node) : nullptr;
    }

    std::unique_ptr<Node> m_node;
    uint32_t m_mode = 0;
};

// The iterator of a control whose nodes step by row: the list's and the pop-up's.
template <class N> class StepIterator : public ViewIterator<N> {
public:
    using ViewIterator<N>::ViewIterator;
    StepIterator& operator++() {
        this->stepForward();
        return *this;
    }
    StepIterator operator++(int) {
        StepIterator before(*this);
        this->stepForward();
        return before;
    }
    StepIterator& operator--() {
        this->stepBack();
        return *this;
    }
    StepIterator operator--(int) {
        StepIterator before(*this);
        this->stepBack();
        return before;
    }
};

// Its constant form, which an iterator converts to and compares with.
template <class N> class ConstStepIterator : public ViewIterator<const N> {
public:
    using Base = ViewIterator<const N>;
    using Base::Base;
    ConstStepIterator(const StepIterator<N>& other) // NOLINT: an iterator may stand where a constant one does
        : Base(other.tryNode() ? Base(*other.tryNode(), other.getMode()) : Base()) {}
    virtual bool operator==(const StepIterator<N>& other) const {
        return Base::same(this->tryNode(), other.tryNode());
    }
    bool operator==(const Base& other) const override { return Base::operator==(other); }
    virtual bool operator!=(const StepIterator<N>& other) const { return !(*this == other); }
    bool operator!=(const Base& other) const override { return Base::operator!=(other); }
    ConstStepIterator& operator++() {
        this->stepForward();
        return *this;
    }
    ConstStepIterator operator++(int) {
        ConstStepIterator before(*this);
        this->stepForward();
        return before;
    }
    ConstStepIterator& operator--() {
        this->stepBack();
        return *this;
    }
};

} // namespace tarnwick
