// The host's array and hash table, as far as the function table passes them.
#pragma once

#include <unordered_map>
#include <vector>

#include "Guid.h"

namespace GS {

template <class T> class Array {
public:
    void Push(const T& item) { m_items.push_back(item); }
    size_t GetSize() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    T& operator[](size_t i) { return m_items.at(i); }
    const T& operator[](size_t i) const { return m_items.at(i); }
    void Clear() { m_items.clear(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::vector<T> m_items;
};

template <class K> struct HashOf : std::hash<K> {};
template <> struct HashOf<API_Guid> : API_GuidHash {};

template <class K, class V> class HashTable {
public:
    void Add(const K& key, const V& value) { m_items[key] = value; }
    bool ContainsKey(const K& key) const { return m_items.count(key) != 0; }
    // Answers false and leaves value alone when the key is missing.
    bool Get(const K& key, V* value) const {
        auto it = m_items.find(key);
        if (it == m_items.end()) return false;
        *value = it->second;
        return true;
    }
    size_t GetSize() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }
    void Clear() { m_items.clear(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    std::unordered_map<K, V, HashOf<K>> m_items;
};

} // namespace GS
