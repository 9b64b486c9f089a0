// The framework's owning containers of pointers: clearing or destroying them deletes every
// element in order; a bad index throws std::out_of_range.
#pragma once

#include <algorithm>
#include <list>
#include <memory>
#include <stdexcept>
#include <vector>

namespace tarnwick {

template <class T> class Vector {
public:
    Vector() = default;
    Vector(const Vector&) = delete;
    Vector& operator=(const Vector&) = delete;
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
    void push_back(T* item) { m_items.push_back(item); } // takes ownership
    void append(std::unique_ptr<T> item) { m_items.push_back(item.release()); }
    void insert(size_t index, T* item) {
        if (index > m_items.size()) throw std::out_of_range("invalid vector<T> subscript");
        m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(index), item);
    }
    // Removes the element at index and hands it to the caller.
    std::unique_ptr<T> release(size_t index) {
        check(index);
        T* item = m_items[index];
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
        return std::unique_ptr<T>(item);
    }
    void erase(size_t index) { release(index); }
    // Replaces the element at index, deleting the old one.
    void replace(size_t index, T* item) {
        check(index);
        if (m_items[index] != item) delete m_items[index];
        m_items[index] = item;
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
    // Copies every element through copy(const T&) -> T*.
    template <class Copy> void cloneFrom(const Vector& other, Copy copy) {
        clear();
        m_items.reserve(other.size());
        for (const T* item : other.m_items)
            m_items.push_back(copy(*item));
    }

protected:
    void check(size_t index) const {
        if (index >= m_items.size()) throw std::out_of_range("invalid vector<T> subscript");
    }

private:
    std::vector<T*> m_items;
};

template <class T> class List {
public:
    List() = default;
    List(const List&) = delete;
    List& operator=(const List&) = delete;
    virtual ~List() { clear(); }

    void clear() {
        for (T* item : m_items)
            delete item;
        m_items.clear();
    }
    void push_back(T* item) { m_items.push_back(item); }
    void push_front(T* item) { m_items.push_front(item); }
    // Removes the element without deleting it; false when it is not in the list.
    bool remove(T* item) {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        if (it == m_items.end()) return false;
        m_items.erase(it);
        return true;
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

} // namespace tarnwick
