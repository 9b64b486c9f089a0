// Selections: the items of one kind met during a walk over a database, owned and kept together so
// that they can be stored back at once or named in a list of links.
#pragma once

#include <cstddef>
#include <memory>

#include "Environment/Containers.h"
#include "project/AttrRefList.h"
#include "project/Specification.h"

namespace tarnwick {

// The walk of a selection over items of Item, keeping those of Kind.
template <class Item, class Kind, class Db> class Selection {
public:
    virtual ~Selection() = default;
    // Keeps the item when it is a Kind (the selection then owns it) and says so; anything else
    // stays the caller's.
    virtual bool take(Item* item) = 0;
    // Walks the range: what the selection takes stays with it, anything else is deleted as the
    // walk moves on.
    template <class It> void collect(It first, const It& last) {
        while (first != last) {
            Item* item = first.get();
            first.advance(false); // the iterator lets go of it
            if (!take(item)) delete item;
        }
    }
};

// What every attribute selection answers, whatever its kind.
class BaseAttrSelection {
public:
    virtual ~BaseAttrSelection() = default;
    // Stores every attribute kept, through the database given, else through each one's own;
    // true only when every store succeeded.
    virtual bool storeAll(Specification* database = nullptr) = 0;
    // A new list of copies of the kept attributes' links.
    virtual std::unique_ptr<AttrRefList> makeRefList() const = 0;
};

template <class Kind>
class AttributeSelection : public BaseAttrSelection, public Selection<Attribute, Kind, Specification> {
public:
    bool take(Attribute* attribute) override {
        auto* kept = dynamic_cast<Kind*>(attribute);
        if (kept == nullptr) return false;
        m_items.push_back(std::unique_ptr<Kind>(kept));
        return true;
    }

    bool storeAll(Specification* database = nullptr) override {
        bool all = true;
        for (Kind* item : m_items) {
            Specification* through = database != nullptr ? database : item->getLink().getDatabase();
            if (through == nullptr || !through->store(*item)) all = false;
        }
        return all;
    }

    std::unique_ptr<AttrRefList> makeRefList() const override {
        auto list = std::make_unique<AttrRefList>();
        list->reserve(m_items.size());
        for (const Kind* item : m_items)
            list->push_back(item->getLink().clone());
        return list;
    }

    size_t size() const { return m_items.size(); }
    Kind* operator[](size_t index) const { return m_items[index]; } // std::out_of_range past the end
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    Vector<Kind> m_items;
};

} // namespace tarnwick
