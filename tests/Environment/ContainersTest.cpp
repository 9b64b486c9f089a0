#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "Environment/Containers.h"

using tarnwick::List;
using tarnwick::Vector;

namespace {

std::vector<int> deleted;

struct Item {
    explicit Item(int itemId) : id(itemId) {}
    virtual ~Item() { deleted.push_back(id); }
    int id;
};

struct Derived : Item {
    explicit Derived(int itemId, bool* goneFlag) : Item(itemId), gone(goneFlag) {}
    ~Derived() override { *gone = true; }
    bool* gone;
};

class Containers : public ::testing::Test {
protected:
    void SetUp() override { deleted.clear(); }
};

// The message a bad index carries.
template <class F> std::string outOfRange(F f) {
    try {
        f();
    } catch (const std::out_of_range& e) {
        return e.what();
    }
    return "no exception";
}

} // namespace

// Adding takes ownership only as a std::unique_ptr: a raw pointer does not compile.
template <class C, class P>
concept CanPushBack = requires(C c, P p) {
    c.push_back(std::move(p));
};
template <class C, class P>
concept CanInsert = requires(C c, P p) {
    c.insert(0, std::move(p));
};
template <class C, class P>
concept CanPushFront = requires(C c, P p) {
    c.push_front(std::move(p));
};
static_assert(CanPushBack<Vector<Item>, std::unique_ptr<Item>>);
static_assert(CanPushBack<Vector<Item>, std::unique_ptr<Derived>>);
static_assert(!CanPushBack<Vector<Item>, Item*>);
static_assert(!CanInsert<Vector<Item>, Item*>);
static_assert(CanPushBack<List<Item>, std::unique_ptr<Item>>);
static_assert(!CanPushBack<List<Item>, Item*>);
static_assert(!CanPushFront<List<Item>, Item*>);
static_assert(!std::is_copy_constructible_v<Vector<Item>> && std::is_move_constructible_v<Vector<Item>>);
static_assert(!std::is_copy_constructible_v<List<Item>> && !std::is_copy_assignable_v<List<Item>>);

TEST_F(Containers, VectorDeletesInOrder) {
    {
        Vector<Item> v;
        for (int i = 1; i <= 3; ++i)
            v.push_back(std::make_unique<Item>(i));
        v.append(std::make_unique<Item>(4));
    }
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 3, 4}));

    deleted.clear();
    Vector<Item> v;
    v.push_back(std::make_unique<Item>(5));
    v.push_back(std::make_unique<Item>(6));
    v.clear();
    EXPECT_EQ(deleted, (std::vector<int>{5, 6}));
    EXPECT_TRUE(v.empty());

    bool gone = false;
    v.push_back(std::make_unique<Derived>(7, &gone));
    v.clear(); // through the virtual destructor
    EXPECT_TRUE(gone);
}

TEST_F(Containers, VectorBadIndicesThrowAndDeleteWhatWasGiven) {
    Vector<Item> v;
    v.push_back(std::make_unique<Item>(1));
    const std::string message = "invalid vector<T> subscript";
    EXPECT_EQ(outOfRange([&] { (void)v[1]; }), message);
    EXPECT_EQ(outOfRange([&] { (void)v.at(5); }), message);
    EXPECT_EQ(outOfRange([&] { v.release(1); }), message);
    EXPECT_EQ(outOfRange([&] { v.erase(1); }), message);
    EXPECT_EQ(outOfRange([&] { v.swap(0, 1); }), message);
    EXPECT_EQ(outOfRange([&] { v.replace(1, std::make_unique<Item>(8)); }), message);
    EXPECT_EQ(outOfRange([&] { v.insert(2, std::make_unique<Item>(9)); }), message);
    // the refused elements were the container's to delete, and nothing of its own went
    EXPECT_EQ(deleted, (std::vector<int>{8, 9}));
    EXPECT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0]->id, 1);
    EXPECT_EQ(Vector<Item>().back(), nullptr);
}

TEST_F(Containers, VectorEditingAndCloningKeepOwnershipStraight) {
    Vector<Item> v;
    for (int i = 1; i <= 3; ++i)
        v.push_back(std::make_unique<Item>(i));
    std::unique_ptr<Item> taken = v.release(1);
    EXPECT_EQ(taken->id, 2);
    EXPECT_TRUE(deleted.empty());
    v.insert(0, std::move(taken));
    EXPECT_EQ(v[0]->id, 2);
    v.insert(v.size(), std::make_unique<Item>(5)); // the end is a valid place
    EXPECT_EQ(v.back()->id, 5);
    v.erase(v.size() - 1);
    deleted.clear();

    std::unique_ptr<Item> old = v.replace(0, std::make_unique<Item>(4));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->id, 2); // the caller has the old one
    EXPECT_TRUE(deleted.empty());
    old.reset();
    EXPECT_EQ(deleted, (std::vector<int>{2}));
    v.replace(0, std::make_unique<Item>(7)); // an unused answer deletes the old one
    EXPECT_EQ(deleted, (std::vector<int>{2, 4}));
    v.erase(0);
    EXPECT_EQ(deleted, (std::vector<int>{2, 4, 7}));

    Vector<Item> other;
    other.push_back(std::make_unique<Item>(8));
    other = std::move(v); // the old element goes, the moved ones stay alive
    EXPECT_EQ(deleted, (std::vector<int>{2, 4, 7, 8}));
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[0]->id, 1);
    EXPECT_EQ(other[1]->id, 3);

    other.insert(1, nullptr); // an empty entry stays empty in the copy
    int copied = 0;
    Vector<Item> copies;
    copies.cloneFrom(other, [&](const Item& item) {
        ++copied;
        return std::make_unique<Item>(item.id * 10);
    });
    ASSERT_EQ(copies.size(), 3u);
    EXPECT_EQ(copied, 2);
    EXPECT_EQ(copies[0]->id, 10);
    EXPECT_EQ(copies[1], nullptr);
    EXPECT_EQ(copies[2]->id, 30);
    copies.erase(1);
    copies.sort([](const Item& a, const Item& b) { return a.id > b.id; });
    EXPECT_EQ(copies[0]->id, 30);
}

TEST_F(Containers, ListDeletesInOrderAndRemoveHandsOver) {
    std::unique_ptr<Item> kept;
    {
        List<Item> l;
        l.push_back(std::make_unique<Item>(1));
        auto two = std::make_unique<Item>(2);
        const Item* twoAt = two.get();
        l.push_back(std::move(two));
        l.push_front(std::make_unique<Item>(0));
        l.push_back(std::make_unique<Item>(3));
        EXPECT_TRUE(l.contains(twoAt));
        kept = l.remove(twoAt);
        EXPECT_EQ(kept.get(), twoAt);
        EXPECT_EQ(l.remove(twoAt), nullptr);
        EXPECT_FALSE(l.contains(twoAt));
        EXPECT_EQ(l[0]->id, 0);
        EXPECT_EQ(l[2]->id, 3);
        EXPECT_EQ(outOfRange([&] { (void)l[3]; }), "invalid vector<T> subscript");
    }
    EXPECT_EQ(deleted, (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(kept->id, 2);
}
