// The framework's owning containers of pointers: clearing or destroying them deletes every
// element in order; a bad index throws std::out_of_range.
#pragma once

#include <algorithm>
#include <list>
#include <map>
#include <memory>
#include <stdexcept>
#include <typeinfo>
#include <vector>

#include "Environment/NonCopyable.h"

namespace tarnwick {

template <class T> class Vector : NonCopyable {
public:
    Vector() = default;
    Vector(Vector&& other) noexcept : m_items(std::move(other.m_items)) {}
    Vector& operator=(Vector&& other) noexcept {
        if (this != &other) {
            clear();
            m_items = std::move(other.m_items);
        }
        return *this;
    }
    virtual ~Vector() { clear(); }

    void clear() {
        for (T* item : m_items)
            delete item;
        m_items.clear();
    }
    // The container owns the element only once it holds it: a failed growth deletes it.
    void push_back(std::unique_ptr<T> item) {
        m_items.push_back(item.get());
        item.release();
    }
    void append(std::unique_ptr<T> item) { push_back(std::move(item)); }
    // Inserts before index (0..size()).
    void insert(size_t index, std::unique_ptr<T> item) {
        if (index > m_items.size()) throw std::out_of_range("invalid vector<T> subscript");
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), item.get());
        item.release();
    }
    // Removes the element at index and hands it to the caller.
    std::unique_ptr<T> release(size_t index) {
        check(index);
        T* item = m_items[index];
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        return std::unique_ptr<T>(item);
    }
    void erase(size_t index) { release(index); }
    // Replaces the element at index and answers the old one.
    std::unique_ptr<T> replace(size_t index, std::unique_ptr<T> item) {
        check(index);
        std::unique_ptr<T> old(m_items[index]);
        m_items[index] = item.release();
        return old;
    }
    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* operator[](size_t index) const {
        check(index);
        return m_items[index];
    }
    T* at(size_t index) const { return (*this)[index]; }
    T* back() const { return m_items.empty() ? nullptr : m_items.back(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    void reserve(size_t n) { m_items.reserve(n); }
    void swap(size_t a, size_t b) {
        check(a);
        check(b);
        std::swap(m_items[a], m_items[b]);
    }
    template <class Less> void sort(Less less) {
        std::stable_sort(m_items.begin(), m_items.end(),
                         [&](const T* a, const T* b) { return less(*a, *b); });
    }
    // Copies every element through copy(const T&) -> std::unique_ptr<T>; null entries stay null.
    template <class Copy> void cloneFrom(const Vector& other, Copy copy) {
        clear();
        m_items.reserve(other.size());
        for (const T* item : other.m_items) {
            std::unique_ptr<T> made = item == nullptr ? nullptr : copy(*item);
            push_back(std::move(made));
        }
    }

protected:
    void check(size_t index) const {
        if (index >= m_items.size()) throw std::out_of_range("invalid vector<T> subscript");
    }

private:
    std::vector<T*> m_items;
};

template <class T> class List : NonCopyable {
public:
    List() = default;
    virtual ~List() { clear(); }

    void clear() {
        for (T* item : m_items)
            delete item;
        m_items.clear();
    }
    void push_back(std::unique_ptr<T> item) {
        m_items.push_back(item.get());
        item.release();
    }
    void push_front(std::unique_ptr<T> item) {
        m_items.push_front(item.get());
        item.release();
    }
    // Takes the element out and hands it to the caller; null when it is not in the list.
    std::unique_ptr<T> remove(const T* item) {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        if (it == m_items.end()) return nullptr;
        std::unique_ptr<T> taken(*it);
        m_items.erase(it);
        return taken;
    }
    bool contains(const T* item) const {
        return std::find(m_items.begin(), m_items.end(), item) != m_items.end();
    }
    size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    T* operator[](size_t index) const {
        if (index >= m_items.size()) throw std::out_of_range("invalid vector<T> subscript");
        auto it = m_items.begin();
        std::advance(it, static_cast<std::ptrdiff_t>(index));
        return *it;
    }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::list<T*> m_items;
};

// An ordered map from keys to owned values. A copy holds clones of the values (the value's
// virtual clone, which must make a T: anything else throws std::bad_cast).
template <class K, class T> class Map {
public:
    using Entries = std::map<K, std::unique_ptr<T>>;
    using iterator = typename Entries::iterator;
    using const_iterator = typename Entries::const_iterator;

    Map() = default;
    Map(const Map& other) { copyFrom(other); }
    Map& operator=(const Map& other) {
        if (this != &other) {
            Entries old;
            old.swap(m_entries);
            copyFrom(other);
        }
        return *this;
    }
    virtual ~Map() = default;

    // Puts the value at the key, deleting one that was there.
    T* set(const K& key, std::unique_ptr<T> value) {
        auto& slot = m_entries[key];
        slot = std::move(value);
        return slot.get();
    }
    T* get(const K& key) const {
        auto it = m_entries.find(key);
        return it == m_entries.end() ? nullptr : it->second.get();
    }
    void clear() { m_entries.clear(); }
    iterator erase(const_iterator first, const_iterator last) { return m_entries.erase(first, last); }
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }
    iterator begin() { return m_entries.begin(); }
    iterator end() { return m_entries.end(); }
    const_iterator begin() const { return m_entries.begin(); }
    const_iterator end() const { return m_entries.end(); }
    iterator find(const K& key) { return m_entries.find(key); }
    const_iterator find(const K& key) const { return m_entries.find(key); }
    iterator upperBound(const K& key) { return m_entries.upper_bound(key); }
    const_iterator upperBound(const K& key) const { return m_entries.upper_bound(key); }
    // The last entry whose key is not above the key, or the first entry when there is none.
    const_iterator atOrBefore(const K& key) const {
        auto it = m_entries.upper_bound(key);
        return it == m_entries.begin() ? it : std::prev(it);
    }

private:
    void copyFrom(const Map& other) {
        for (const auto& [key, value] : other.m_entries) {
            std::unique_ptr<T> copy;
            if (value) {
                auto made = value->clone();
                T* same = dynamic_cast<T*>(made.get());
                if (same == nullptr) throw std::bad_cast();
                made.release();
                copy.reset(same);
            }
            m_entries.emplace_hint(m_entries.end(), key, std::move(copy));
        }
    }

    Entries m_entries;
};

} // namespace tarnwick
