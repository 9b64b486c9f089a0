// A map from Guid to a small value, hashed, whose copies share their parts: the Guids are spread
// over 64 x 64 shards by their hash, each shard a table of open addressing. A copy costs one
// pointer; a change copies what another copy still shares on its way (the two levels of 64
// pointers and one shard). So a look-up costs a few memory reads whatever the size, and an undo
// step's copy costs what the step changes.
//
// A pointer into the table (get, edit) stays valid until the table is changed again or copied.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "GuidKeys.h"

namespace zavhost {

template <class V> class GuidTable {
    static constexpr unsigned Bits = 6;
    static constexpr size_t Fan = size_t(1) << Bits;
    struct Slot {
        API_Guid key; // null: free
        V value{};
    };
    struct Shard {
        std::vector<Slot> slots; // a power of two, never more than three quarters used
        size_t count = 0;
    };
    struct Branch {
        std::array<std::shared_ptr<Shard>, Fan> shards;
    };
    struct Root {
        std::array<std::shared_ptr<Branch>, Fan> branches;
    };

public:
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear() {
        m_root.reset();
        m_size = 0;
    }

    const V* get(const API_Guid& key) const {
        const uint64_t hash = hashOf(key);
        const Shard* shard = shardOf(hash);
        if (shard == nullptr) return nullptr;
        const size_t at = find(*shard, key, hash);
        return at == NotFound ? nullptr : &shard->slots[at].value;
    }
    bool contains(const API_Guid& key) const { return get(key) != nullptr; }

    // The value for changing, or null; what another copy shares is copied first.
    V* edit(const API_Guid& key) {
        if (get(key) == nullptr) return nullptr;
        const uint64_t hash = hashOf(key);
        Shard& shard = ownShard(hash);
        return &shard.slots[find(shard, key, hash)].value;
    }
    // Adds the entry; false (and no change) when the key has one, or is null.
    bool insert(const API_Guid& key, V value) {
        if (key.isNull() || get(key) != nullptr) return false;
        const uint64_t hash = hashOf(key);
        Shard& shard = ownShard(hash);
        if ((shard.count + 1) * 4 > shard.slots.size() * 3)
            resize(shard, std::max<size_t>(4, shard.slots.size() * 2));
        const size_t mask = shard.slots.size() - 1;
        size_t at = hash & mask;
        while (!shard.slots[at].key.isNull())
            at = (at + 1) & mask;
        shard.slots[at] = Slot{key, std::move(value)};
        ++shard.count;
        ++m_size;
        return true;
    }
    void assign(const API_Guid& key, V value) {
        if (V* held = edit(key))
            *held = std::move(value);
        else
            insert(key, std::move(value));
    }
    size_t erase(const API_Guid& key) {
        if (get(key) == nullptr) return 0;
        const uint64_t hash = hashOf(key);
        Shard& shard = ownShard(hash);
        const size_t mask = shard.slots.size() - 1;
        size_t hole = find(shard, key, hash);
        // Moves back each later entry of the run that the hole would hide from its home.
        for (size_t next = (hole + 1) & mask; !shard.slots[next].key.isNull(); next = (next + 1) & mask) {
            const size_t home = hashOf(shard.slots[next].key) & mask;
            const bool moves = hole <= next ? (home <= hole || home > next) : (home <= hole && home > next);
            if (moves) {
                shard.slots[hole] = std::move(shard.slots[next]);
                hole = next;
            }
        }
        shard.slots[hole] = Slot{};
        --shard.count;
        --m_size;
        if (shard.count * 8 < shard.slots.size() && shard.slots.size() > 4)
            resize(shard, std::max<size_t>(4, shard.slots.size() / 2));
        return 1;
    }

    // Calls f(key, value) for every entry, in no particular order.
    template <class F> void forEach(F&& f) const {
        if (m_root == nullptr) return;
        for (const auto& branch : m_root->branches)
            if (branch != nullptr)
                for (const auto& shard : branch->shards)
                    if (shard != nullptr)
                        for (const Slot& slot : shard->slots)
                            if (!slot.key.isNull()) f(slot.key, slot.value);
    }

    bool operator==(const GuidTable& other) const {
        if (m_size != other.m_size) return false;
        bool same = true;
        forEach([&](const API_Guid& key, const V& value) {
            const V* theirs = other.get(key);
            same = same && theirs != nullptr && *theirs == value;
        });
        return same;
    }

private:
    static constexpr size_t NotFound = static_cast<size_t>(-1);

    static uint64_t hashOf(const API_Guid& key) { return GuidHash()(key); }
    static size_t branchOf(uint64_t hash) { return static_cast<size_t>(hash >> (64 - Bits)); }
    static size_t shardIn(uint64_t hash) { return static_cast<size_t>(hash >> (64 - 2 * Bits)) & (Fan - 1); }

    const Shard* shardOf(uint64_t hash) const {
        if (m_root == nullptr) return nullptr;
        const Branch* branch = m_root->branches[branchOf(hash)].get();
        return branch == nullptr ? nullptr : branch->shards[shardIn(hash)].get();
    }
    static size_t find(const Shard& shard, const API_Guid& key, uint64_t hash) {
        if (shard.slots.empty()) return NotFound;
        const size_t mask = shard.slots.size() - 1;
        for (size_t at = hash & mask; !shard.slots[at].key.isNull(); at = (at + 1) & mask)
            if (shard.slots[at].key == key) return at;
        return NotFound;
    }
    template <class T> static T& own(std::shared_ptr<T>& part) {
        if (part == nullptr)
            part = std::make_shared<T>();
        else if (part.use_count() > 1)
            part = std::make_shared<T>(*part);
        return *part;
    }
    Shard& ownShard(uint64_t hash) {
        Root& root = own(m_root);
        Branch& branch = own(root.branches[branchOf(hash)]);
        return own(branch.shards[shardIn(hash)]);
    }
    static void resize(Shard& shard, size_t capacity) {
        std::vector<Slot> old(capacity);
        old.swap(shard.slots);
        const size_t mask = capacity - 1;
        for (Slot& slot : old) {
            if (slot.key.isNull()) continue;
            size_t at = hashOf(slot.key) & mask;
            while (!shard.slots[at].key.isNull())
                at = (at + 1) & mask;
            shard.slots[at] = std::move(slot);
        }
    }

    std::shared_ptr<Root> m_root;
    size_t m_size = 0;
};

} // namespace zavhost
