// An ordered map whose copies share their nodes (a B+ tree of shared nodes): a copy costs one
// pointer, and a change copies only the nodes on its way that another copy still shares. So an
// undo step can keep the project as it was at the cost of what the step changes, and two versions
// can be compared at the cost of what differs between them.
//
// A pointer or reference into the map (edit, operator[]) stays valid until the map is changed
// again or copied.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zavhost {

template <class K, class V, class Less = std::less<K>> class PersistentMap {
    static constexpr size_t MaxEntries = 32;
    // A node this small after an erase joins a neighbour when both fit in one.
    static constexpr size_t FewEntries = MaxEntries / 4;

    struct Node;
    using NodePtr = std::shared_ptr<Node>;
    // A leaf holds entries; an inner node its children, each under a key no greater than any key
    // in it and greater than every key of the child before.
    struct Node {
        bool leaf = true;
        std::vector<std::pair<K, V>> entries;
        std::vector<std::pair<K, NodePtr>> children;
        size_t count() const { return leaf ? entries.size() : children.size(); }
        const K& firstKey() const { return leaf ? entries.front().first : children.front().first; }
    };

public:
    using value_type = std::pair<K, V>;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = PersistentMap::value_type;
        using difference_type = std::ptrdiff_t;
        using pointer = const value_type*;
        using reference = const value_type&;

        const_iterator() = default;
        reference operator*() const { return top().node->entries[top().at]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++() {
            ++top().at;
            settle();
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator was = *this;
            ++*this;
            return was;
        }
        bool operator==(const const_iterator& other) const {
            if (m_depth == 0 || other.m_depth == 0) return m_depth == other.m_depth;
            return top().node == other.top().node && top().at == other.top().at;
        }

    private:
        friend class PersistentMap;
        struct Step {
            const Node* node = nullptr;
            size_t at = 0;
        };
        Step& top() { return m_path[m_depth - 1]; }
        const Step& top() const { return m_path[m_depth - 1]; }
        void push(const Node* node, size_t at) {
            if (m_depth == m_path.size()) throw std::length_error("a map deeper than any it can hold");
            m_path[m_depth++] = {node, at};
        }
        // Down the first children to a leaf.
        void descend(const Node* node) {
            while (true) {
                push(node, 0);
                if (node->leaf) return;
                node = node->children.front().second.get();
            }
        }
        // Past the end of a leaf: on to the next leaf, or the end.
        void settle() {
            while (m_depth > 0 && top().at == top().node->count()) {
                if (--m_depth == 0) return;
                if (++top().at < top().node->count()) {
                    descend(top().node->children[top().at].second.get());
                    return;
                }
            }
        }
        // Moves past the whole subtree of the node at `level`, which must be at its start.
        void skip(size_t level) {
            m_depth = level + 1;
            top().at = top().node->count();
            settle();
        }
        // Root first. A tree grows a level only when its root is full, and a node fills only by
        // splits of full nodes below it: a map grows this deep only after some 16^22 insertions.
        std::array<Step, 24> m_path;
        size_t m_depth = 0; // 0 at the end
    };

    PersistentMap() = default;

    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear() {
        m_root.reset();
        m_size = 0;
    }

    // The value of the key, or null.
    const V* get(const K& key) const {
        const Node* node = m_root.get();
        if (node == nullptr) return nullptr;
        while (!node->leaf)
            node = node->children[childFor(*node, key)].second.get();
        auto it = entryAt(*node, key);
        return it != node->entries.end() && !m_less(key, it->first) ? &it->second : nullptr;
    }
    // The entry of the greatest key, or null when the map is empty.
    const value_type* last() const {
        const Node* node = m_root.get();
        if (node == nullptr) return nullptr;
        while (!node->leaf)
            node = node->children.back().second.get();
        return &node->entries.back();
    }
    size_t count(const K& key) const { return get(key) != nullptr ? 1 : 0; }
    bool contains(const K& key) const { return get(key) != nullptr; }

    // The value of the key for changing, or null; its nodes are copied first where shared.
    V* edit(const K& key) {
        if (get(key) == nullptr) return nullptr;
        Node* node = &own(m_root);
        while (!node->leaf)
            node = &own(node->children[childFor(*node, key)].second);
        return &entryAt(*node, key)->second;
    }
    // The value of the key for changing, made (value-initialised) when the key has none.
    V& operator[](const K& key) {
        if (V* held = edit(key)) return *held;
        return insertNew(key, V());
    }
    // Adds the entry; false (and no change) when the key has a value already.
    bool insert(const K& key, V value) {
        if (get(key) != nullptr) return false;
        insertNew(key, std::move(value));
        return true;
    }
    void assign(const K& key, V value) {
        if (V* held = edit(key))
            *held = std::move(value);
        else
            insertNew(key, std::move(value));
    }
    // The number of entries taken away: 0 or 1.
    size_t erase(const K& key) {
        if (get(key) == nullptr) return 0;
        eraseIn(m_root, key);
        --m_size;
        while (!m_root->leaf && m_root->children.size() == 1) {
            NodePtr only = m_root->children.front().second;
            m_root = std::move(only);
        }
        if (m_root->count() == 0) m_root.reset();
        return 1;
    }

    const_iterator begin() const {
        const_iterator it;
        if (m_root != nullptr) it.descend(m_root.get());
        return it;
    }
    const_iterator end() const { return const_iterator(); }
    // The first entry whose key is not less than the key.
    const_iterator lower_bound(const K& key) const {
        const_iterator it;
        const Node* node = m_root.get();
        if (node == nullptr) return it;
        while (!node->leaf) {
            const size_t at = childFor(*node, key);
            it.push(node, at);
            node = node->children[at].second.get();
        }
        it.push(node, static_cast<size_t>(entryAt(*node, key) - node->entries.begin()));
        it.settle();
        return it;
    }
    const_iterator find(const K& key) const {
        const_iterator it = lower_bound(key);
        return it != end() && !m_less(key, it->first) ? it : end();
    }

    bool operator==(const PersistentMap& other) const {
        if (m_size != other.m_size) return false;
        bool same = true;
        differences(
            *this, other, [&](const K&, const V*, const V*) { same = false; },
            [](const V& a, const V& b) { return a == b; });
        return same;
    }

    // Calls `report(key, before, after)` for each key whose value differs between two versions,
    // in key order; a key one of them lacks has null there. Subtrees the two share are passed
    // over whole, so versions made from one another cost what differs between them. Values
    // count as the same when `same(a, b)`.
    template <class Report, class Same>
    static void differences(const PersistentMap& before, const PersistentMap& after, Report&& report,
                            Same&& same) {
        const_iterator was = before.begin(), is = after.begin();
        const Less less;
        while (was != before.end() || is != after.end()) {
            if (skipShared(was, is)) continue;
            if (is == after.end() || (was != before.end() && less(was->first, is->first))) {
                report(was->first, &was->second, static_cast<const V*>(nullptr));
                ++was;
            } else if (was == before.end() || less(is->first, was->first)) {
                report(is->first, static_cast<const V*>(nullptr), &is->second);
                ++is;
            } else {
                if (!same(was->second, is->second)) report(was->first, &was->second, &is->second);
                ++was;
                ++is;
            }
        }
    }

private:
    size_t childFor(const Node& node, const K& key) const {
        auto it = std::upper_bound(
            node.children.begin(), node.children.end(), key,
            [this](const K& k, const std::pair<K, NodePtr>& c) { return m_less(k, c.first); });
        return it == node.children.begin() ? 0 : static_cast<size_t>(it - node.children.begin()) - 1;
    }
    // The leaf's first entry whose key is not less than the key; an iterator that can change the
    // entry when the node can be changed.
    template <class N> auto entryAt(N& node, const K& key) const {
        return std::lower_bound(node.entries.begin(), node.entries.end(), key,
                                [this](const std::pair<K, V>& e, const K& k) { return m_less(e.first, k); });
    }

    // The node for changing: a copy when another map or node shares it.
    static Node& own(NodePtr& node) {
        if (node.use_count() > 1) node = std::make_shared<Node>(*node);
        return *node;
    }

    // Splits the full child at `at` in two halves, the upper one its next sibling.
    static void splitChild(Node& parent, size_t at) {
        Node& child = own(parent.children[at].second);
        auto upper = std::make_shared<Node>();
        upper->leaf = child.leaf;
        const size_t half = child.count() / 2;
        if (child.leaf) {
            upper->entries.assign(std::make_move_iterator(child.entries.begin() + half),
                                  std::make_move_iterator(child.entries.end()));
            child.entries.erase(child.entries.begin() + half, child.entries.end());
        } else {
            upper->children.assign(std::make_move_iterator(child.children.begin() + half),
                                   std::make_move_iterator(child.children.end()));
            child.children.erase(child.children.begin() + half, child.children.end());
        }
        K key = upper->firstKey();
        parent.children.insert(parent.children.begin() + at + 1, {std::move(key), std::move(upper)});
    }

    // Inserts a key the map does not hold; full nodes on the way down are split first, so the
    // leaf has room.
    V& insertNew(const K& key, V value) {
        if (m_root == nullptr) m_root = std::make_shared<Node>();
        if (m_root->count() == MaxEntries) {
            auto root = std::make_shared<Node>();
            root->leaf = false;
            K first = m_root->firstKey();
            root->children.push_back({std::move(first), std::move(m_root)});
            splitChild(*root, 0);
            m_root = std::move(root);
        }
        Node* node = &own(m_root);
        while (!node->leaf) {
            size_t at = childFor(*node, key);
            if (node->children[at].second->count() == MaxEntries) {
                splitChild(*node, at);
                if (!m_less(key, node->children[at + 1].first)) ++at;
            }
            if (m_less(key, node->children[at].first)) node->children[at].first = key;
            node = &own(node->children[at].second);
        }
        auto it = node->entries.insert(entryAt(*node, key), {key, std::move(value)});
        ++m_size;
        return it->second;
    }

    // Erases a key the subtree holds; true when the node is left empty.
    bool eraseIn(NodePtr& held, const K& key) {
        Node& node = own(held);
        if (node.leaf) {
            node.entries.erase(entryAt(node, key));
            return node.entries.empty();
        }
        const size_t at = childFor(node, key);
        if (eraseIn(node.children[at].second, key)) {
            node.children.erase(node.children.begin() + at);
        } else if (node.children[at].second->count() < FewEntries) {
            // Joins the small child with a neighbour, so that deleting most of a map leaves
            // neither a deep nor a sparse tree.
            const size_t left = at > 0 ? at - 1 : at;
            if (left + 1 < node.children.size() &&
                node.children[left].second->count() + node.children[left + 1].second->count() <=
                    MaxEntries / 2) {
                Node& into = own(node.children[left].second);
                Node& from = own(node.children[left + 1].second);
                if (into.leaf)
                    into.entries.insert(into.entries.end(), std::make_move_iterator(from.entries.begin()),
                                        std::make_move_iterator(from.entries.end()));
                else
                    into.children.insert(into.children.end(), std::make_move_iterator(from.children.begin()),
                                         std::make_move_iterator(from.children.end()));
                node.children.erase(node.children.begin() + left + 1);
            }
        }
        return node.children.empty();
    }

    // When both walks stand at the start of one shared subtree, moves both past it (the
    // largest such); false when they do not.
    static bool skipShared(const_iterator& was, const_iterator& is) {
        if (was.m_depth == 0 || is.m_depth == 0) return false;
        if (was.top().at != 0 || is.top().at != 0) return false;
        // The subtrees each walk is at the start of: from its leaf up while each step is at 0.
        auto startsFrom = [](const const_iterator& it) {
            size_t level = it.m_depth - 1;
            while (level > 0 && it.m_path[level - 1].at == 0)
                --level;
            return level;
        };
        const size_t wasTop = startsFrom(was), isTop = startsFrom(is);
        for (size_t a = wasTop; a < was.m_depth; ++a)
            for (size_t b = isTop; b < is.m_depth; ++b)
                if (was.m_path[a].node == is.m_path[b].node) {
                    was.skip(a);
                    is.skip(b);
                    return true;
                }
        return false;
    }

    NodePtr m_root;
    size_t m_size = 0;
    [[no_unique_address]] Less m_less;
};

} // namespace zavhost
