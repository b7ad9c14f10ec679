#include "state/tlist.h"

#include <gtest/gtest.h>

#include <string>

namespace {
struct Item {
    explicit Item(int v) : value(v) {}
    int value;
};
}  // namespace

TEST(TList, WalkToleratesSelfRemovalAndVisitsAppends)
{
    TList<Item> list;
    for (int i = 1; i <= 4; ++i)
        list.create(i);

    std::string seen;
    list.for_each([&](Item& item) {
        seen += std::to_string(item.value);
        if (item.value == 2)
            list.remove(&item);          // removes itself
        if (item.value == 3)
            list.create(9);              // appended during the walk: visited later
        if (item.value == 9)
            seen += std::to_string(item.value * 0);  // still alive while running
    });
    EXPECT_EQ(seen, "123490");
    EXPECT_EQ(list.count(), 4);

    seen.clear();
    list.for_each([&](Item& item) { seen += std::to_string(item.value); });
    EXPECT_EQ(seen, "1349");
}

TEST(TList, RemovingOthersAndClearingDuringAWalk)
{
    TList<Item> list;
    Item* a = list.create(1);
    list.create(2);
    Item* c = list.create(3);

    std::string seen;
    list.for_each([&](Item& item) {
        seen += std::to_string(item.value);
        if (&item == a)
            list.remove(c);  // a later entity removed: never visited
    });
    EXPECT_EQ(seen, "12");
    EXPECT_EQ(list.count(), 2);

    int visits = 0;
    list.for_each([&](Item&) {
        ++visits;
        list.clear();
    });
    EXPECT_EQ(visits, 1);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.first(), nullptr);
}

TEST(TList, NestedWalksKeepRemovedObjectsAliveUntilTheOuterWalkEnds)
{
    TList<Item> list;
    list.create(1);
    list.create(2);
    int inner = 0;
    int outer_visits = 0;
    list.for_each([&](Item& outer) {
        ++outer_visits;
        list.for_each([&](Item& other) {
            ++inner;
            if (&other != &outer && other.value == 2)
                list.remove(&other);
        });
        EXPECT_GE(outer.value, 1);  // outer object is alive even if removed inside
    });
    EXPECT_EQ(inner, 2);
    EXPECT_EQ(outer_visits, 1);  // the removed second item is not visited by the outer walk
    EXPECT_EQ(list.count(), 1);
}
