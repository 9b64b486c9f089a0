#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Environment/Containers.h"

using tarnwick::List;
using tarnwick::Vector;

namespace {

std::vector<int> deleted;

struct Item {
    explicit Item(int id) : id(id) {}
    virtual ~Item() { deleted.push_back(id); }
    int id;
};

struct Derived : Item {
    explicit Derived(int id, bool* gone) : Item(id), gone(gone) {}
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

TEST_F(Containers, VectorDeletesInOrder) {
    {
        Vector<Item> v;
        for (int i = 1; i <= 3; ++i)
            v.push_back(new Item(i));
        v.append(std::make_unique<Item>(4));
    }
    EXPECT_EQ(deleted, (std::vector<int>{1, 2, 3, 4}));

    deleted.clear();
    Vector<Item> v;
    v.push_back(new Item(5));
    v.push_back(new Item(6));
    v.clear();
    EXPECT_EQ(deleted, (std::vector<int>{5, 6}));
    EXPECT_TRUE(v.empty());

    bool gone = false;
    v.push_back(new Derived(7, &gone));
    v.clear(); // through the virtual destructor
    EXPECT_TRUE(gone);
}

TEST_F(Containers, VectorBadIndicesThrow) {
    Vector<Item> v;
    v.push_back(new Item(1));
    const std::string message = "invalid vector<T> subscript";
    EXPECT_EQ(outOfRange([&] { (void)v[1]; }), message);
    EXPECT_EQ(outOfRange([&] { (void)v.at(5); }), message);
    EXPECT_EQ(outOfRange([&] { v.release(1); }), message);
    EXPECT_EQ(outOfRange([&] { v.erase(1); }), message);
    EXPECT_EQ(outOfRange([&] { v.swap(0, 1); }), message);
    Item* spare = new Item(9);
    EXPECT_EQ(outOfRange([&] { v.replace(1, spare); }), message);
    EXPECT_EQ(outOfRange([&] { v.insert(2, spare); }), message);
    delete spare;
    EXPECT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0]->id, 1);
    EXPECT_EQ(Vector<Item>().back(), nullptr);
}

TEST_F(Containers, VectorEditingKeepsOwnershipStraight) {
    Vector<Item> v;
    for (int i = 1; i <= 3; ++i)
        v.push_back(new Item(i));
    std::unique_ptr<Item> taken = v.release(1);
    EXPECT_EQ(taken->id, 2);
    EXPECT_TRUE(deleted.empty());
    v.insert(0, taken.release());
    EXPECT_EQ(v[0]->id, 2);

    v.replace(0, v[0]); // the same element is not deleted
    EXPECT_TRUE(deleted.empty());
    v.replace(0, new Item(4));
    EXPECT_EQ(deleted, (std::vector<int>{2}));
    v.erase(0);
    EXPECT_EQ(deleted, (std::vector<int>{2, 4}));

    Vector<Item> other;
    other.push_back(new Item(8));
    other = std::move(v); // the old element goes, the moved ones stay alive
    EXPECT_EQ(deleted, (std::vector<int>{2, 4, 8}));
    ASSERT_EQ(other.size(), 2u);
    EXPECT_EQ(other[0]->id, 1);
    EXPECT_EQ(other[1]->id, 3);

    Vector<Item> copies;
    copies.cloneFrom(other, [](const Item& item) { return new Item(item.id * 10); });
    EXPECT_EQ(copies[1]->id, 30);
    copies.sort([](const Item& a, const Item& b) { return a.id > b.id; });
    EXPECT_EQ(copies[0]->id, 30);
}

TEST_F(Containers, ListDeletesInOrderAndRemoveDoesNot) {
    Item* kept = new Item(2);
    {
        List<Item> l;
        l.push_back(new Item(1));
        l.push_back(kept);
        l.push_front(new Item(0));
        l.push_back(new Item(3));
        EXPECT_TRUE(l.contains(kept));
        EXPECT_TRUE(l.remove(kept));
        EXPECT_FALSE(l.remove(kept));
        EXPECT_FALSE(l.contains(kept));
        EXPECT_EQ(l[0]->id, 0);
        EXPECT_EQ(l[2]->id, 3);
        EXPECT_EQ(outOfRange([&] { (void)l[3]; }), "invalid vector<T> subscript");
    }
    EXPECT_EQ(deleted, (std::vector<int>{0, 1, 3}));
    delete kept;
}
