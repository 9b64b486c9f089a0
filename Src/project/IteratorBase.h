// The framework's iterators over a database's items: they look like standard iterators but read
// each item from the host only when they reach it, owning it until they move on. An iterator
// walks a shared list of links (copies share it), or steps from one item to the next through
// the database itself.
//
// A database type Db supplies IteratorTraits<Db> with:
//   static Db* databaseOf(const Link&);                       // null: the link names none
//   static std::unique_ptr<Item> read(Db&, const Link&, const Filter&);
//   static std::unique_ptr<Item> next(const Link& position, bool forward, Filter&);
//   static const Link& linkOf(const Item&);
//   static bool save(Item&);                                  // write-back
//   static std::unique_ptr<Item> copy(const Item&);
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>

namespace tarnwick {

template <class Db> struct IteratorTraits;

// Thrown for a list entry that names nothing or an iterator without a filter.
class BadAllocation : public std::bad_alloc {
public:
    const char* what() const noexcept override { return "bad allocation"; }
};

// Told each time an iterator has tried to read an item.
class IteratorObserver {
public:
    virtual ~IteratorObserver() = default;
    virtual void onElementRead() = 0;
};

template <class Db, class Item, class Link, class Filter, class LinkList, class Traits = IteratorTraits<Db>>
class IteratorBase {
public:
    virtual ~IteratorBase() = default;

    // Deletes the current item when destroy is set; forgets it either way.
    virtual void release(bool destroy) {
        if (destroy)
            m_current.reset();
        else
            (void)m_current.release();
    }

    // The current item; std::out_of_range at the end.
    Item& operator*() const {
        if (!m_current) throw std::out_of_range("iterator at its end");
        return *m_current;
    }
    Item* operator->() const { return &**this; }
    Item* get() const { return m_current.get(); }
    bool atEnd() const { return !m_current; }

    // All iterators at their end are equal; otherwise the current items' links decide.
    bool operator==(const IteratorBase& other) const {
        if (!m_current || !other.m_current) return !m_current && !other.m_current;
        return Traits::linkOf(*m_current) == Traits::linkOf(*other.m_current);
    }
    bool operator!=(const IteratorBase& other) const { return !(*this == other); }

    // Not owned; replaces an observer the iterator was made with.
    void setObserver(IteratorObserver* observer) {
        m_observer = observer;
        m_ownedObserver.reset();
    }
    const Filter* getFilter() const { return m_filter.get(); }

protected:
    IteratorBase() = default; // the end
    // Over a shared list, placed quietly on the first readable item in the direction of travel.
    // An observer given here is told of the first reads too; copies share it.
    IteratorBase(std::shared_ptr<LinkList> links, const Filter& filter, bool reverse,
                 std::shared_ptr<IteratorObserver> observer = nullptr)
        : m_filter(filter.clone()), m_observer(observer.get()), m_ownedObserver(std::move(observer)),
          m_links(std::move(links)) {
        if (reverse && m_links && m_links->size() > 0) m_index = m_links->size() - 1;
        step(true, !reverse);
    }
    // From a position, through the database's own stepping.
    IteratorBase(const Link& start, const Filter& filter, bool forward) : m_filter(filter.clone()) {
        m_current = Traits::next(start, forward, *m_filter);
    }
    // A copy has its own copy of the current item and shares the list.
    IteratorBase(const IteratorBase& other)
        : m_current(other.m_current ? Traits::copy(*other.m_current) : nullptr),
          m_filter(other.m_filter ? other.m_filter->clone() : nullptr), m_observer(other.m_observer),
          m_ownedObserver(other.m_ownedObserver), m_links(other.m_links), m_index(other.m_index) {}
    IteratorBase(IteratorBase&&) noexcept = default;
    IteratorBase& operator=(const IteratorBase& other) {
        if (this != &other) {
            IteratorBase copy(other);
            *this = std::move(copy);
        }
        return *this;
    }
    IteratorBase& operator=(IteratorBase&&) noexcept = default;

    // Reads links from the index on until one gives an item. At the end of the list the iterator
    // lets go of it; without a readable item left it throws unless quiet.
    void step(bool quiet, bool forward) {
        for (;;) {
            if (!m_links || m_index >= m_links->size()) {
                if (quiet) return;
                throw std::out_of_range("iterator at its end");
            }
            const Link* link = (*m_links)[m_index];
            if (link == nullptr || !m_filter) throw BadAllocation();
            // A link whose database has gone is skipped like one that cannot be read.
            if (Db* database = Traits::databaseOf(*link))
                m_current = Traits::read(*database, *link, *m_filter);
            if (m_observer != nullptr) m_observer->onElementRead();
            if (m_current) return;
            if (forward) {
                if (++m_index >= m_links->size()) return endList();
            } else {
                if (m_index == 0) return endList();
                --m_index;
            }
        }
    }

    // Leaves the current item (release, destroying it when asked) for the next one.
    void advance(bool destroy, bool forward) {
        if (m_links) {
            release(destroy);
            if (forward) {
                if (++m_index < m_links->size())
                    step(false, true);
                else
                    endList();
            } else {
                if (m_index > 0) {
                    --m_index;
                    step(false, false);
                } else {
                    endList();
                }
            }
            return;
        }
        if (!m_current) throw std::out_of_range("iterator at its end");
        Link position = Traits::linkOf(*m_current);
        release(destroy);
        if (m_filter) m_current = Traits::next(position, forward, *m_filter);
        if (m_observer != nullptr) m_observer->onElementRead();
    }

    void endList() {
        m_links.reset();
        m_index = 0;
    }

    std::unique_ptr<Item> m_current;
    std::unique_ptr<Filter> m_filter;
    IteratorObserver* m_observer = nullptr;
    std::shared_ptr<IteratorObserver> m_ownedObserver;
    std::shared_ptr<LinkList> m_links;
    uint64_t m_index = 0;
};

// An iterator that may write each item it leaves back to its database (on by default).
template <class Db, class Item, class Link, class Filter, class LinkList, class Traits = IteratorTraits<Db>>
class NonConstIteratorBase : public IteratorBase<Db, Item, Link, Filter, LinkList, Traits> {
    using Base = IteratorBase<Db, Item, Link, Filter, LinkList, Traits>;

public:
    // Writes the current item back first when write-back is on.
    ~NonConstIteratorBase() override { NonConstIteratorBase::release(true); }
    void release(bool destroy) override {
        if (m_writeBack && this->m_current) Traits::save(*this->m_current);
        Base::release(destroy);
    }
    virtual bool isWriteBack() const { return m_writeBack; }
    virtual void setWriteBack(bool on) { m_writeBack = on; }

protected:
    using Base::Base;
    NonConstIteratorBase(const NonConstIteratorBase&) = default;
    NonConstIteratorBase(NonConstIteratorBase&&) noexcept = default;
    NonConstIteratorBase& operator=(const NonConstIteratorBase&) = default;
    NonConstIteratorBase& operator=(NonConstIteratorBase&&) noexcept = default;

    bool m_writeBack = true;
};

template <class Db, class Item, class Link, class Filter, class LinkList, class Traits = IteratorTraits<Db>>
class ConstIteratorBase : public IteratorBase<Db, Item, Link, Filter, LinkList, Traits> {
protected:
    using IteratorBase<Db, Item, Link, Filter, LinkList, Traits>::IteratorBase;
};

#define TARNWICK_ITERATOR_KIND(Name, BaseKind, forward)                                                      \
    template <class Db, class Item, class Link, class Filter, class LinkList,                                \
              class Traits = IteratorTraits<Db>>                                                             \
    class Name : public BaseKind<Db, Item, Link, Filter, LinkList, Traits> {                                 \
        using Base = BaseKind<Db, Item, Link, Filter, LinkList, Traits>;                                     \
                                                                                                             \
    public:                                                                                                  \
        Name() = default;                                                                                    \
        Name(std::shared_ptr<LinkList> links, const Filter& filter,                                          \
             std::shared_ptr<IteratorObserver> observer = nullptr)                                           \
            : Base(std::move(links), filter, !forward, std::move(observer)) {}                               \
        Name(const Link& start, const Filter& filter) : Base(start, filter, forward) {}                      \
        /* Moves on, deleting the item left when destroy is set (else the caller keeps it). */               \
        Name& advance(bool destroy) {                                                                        \
            Base::advance(destroy, forward);                                                                 \
            return *this;                                                                                    \
        }                                                                                                    \
        Name& operator++() { return advance(true); }                                                         \
    };

TARNWICK_ITERATOR_KIND(Iterator, NonConstIteratorBase, true)
TARNWICK_ITERATOR_KIND(ReverseIterator, NonConstIteratorBase, false)
TARNWICK_ITERATOR_KIND(ConstIterator, ConstIteratorBase, true)
TARNWICK_ITERATOR_KIND(ConstReverseIterator, ConstIteratorBase, false)

#undef TARNWICK_ITERATOR_KIND

} // namespace tarnwick
