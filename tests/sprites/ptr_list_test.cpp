#include "sprites/ptr_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int a = 1, b = 2, c = 3, d = 4;

TEST(PtrList, FirstAndNextWalkAndStopAtTheEnd) {
    PtrList list;
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Next(), nullptr);
    list.PushBack(&a);
    list.PushBack(&b);
    EXPECT_EQ(list.First(), &a);
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Next(), nullptr);
    EXPECT_EQ(list.Current(), &b) << "Next at the end must not move the cursor";
}

TEST(PtrList, PushFrontMovesCursorPushBackOnlyWhenEmpty) {
    PtrList list;
    list.PushBack(&a);
    EXPECT_EQ(list.Current(), &a);
    list.PushBack(&b);
    EXPECT_EQ(list.Current(), &a);
    list.PushFront(&c);
    EXPECT_EQ(list.Current(), &c);
    EXPECT_EQ(list.First(), &c);
    EXPECT_EQ(list.Next(), &a);
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Size(), 3u);
}

TEST(PtrList, RemovingUnderTheCursorMovesItToANeighbour) {
    PtrList list;
    for (int* p : {&a, &b, &c}) list.PushBack(p);
    list.First();
    list.Next();  // on b
    EXPECT_EQ(list.RemoveAtCursor(), &b);
    EXPECT_EQ(list.Current(), &c);
    EXPECT_EQ(list.RemoveAtCursor(), &c);
    EXPECT_EQ(list.Current(), &a) << "at the tail the cursor goes back";
    EXPECT_EQ(list.RemoveAtCursor(), &a);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(list.RemoveAtCursor(), nullptr);
    EXPECT_TRUE(list.Empty());
}

TEST(PtrList, RemoveByItemKeepsACursorElsewhere) {
    PtrList list;
    for (int* p : {&a, &b, &c}) list.PushBack(p);
    list.First();
    EXPECT_EQ(list.Remove(&c), 1);
    EXPECT_EQ(list.Current(), &a);
    EXPECT_EQ(list.Remove(&a), 1);
    EXPECT_EQ(list.Current(), &b);
    EXPECT_EQ(list.Remove(&d), 0);
    EXPECT_FALSE(list.Contains(&a));
    EXPECT_TRUE(list.Contains(&b));
}

TEST(PtrList, PopFrontAndSwapRelinkTheList) {
    PtrList list;
    for (int* p : {&a, &b, &c, &d}) list.PushBack(p);
    EXPECT_EQ(list.SwapWithNext(&a), 1);  // b a c d
    EXPECT_EQ(list.SwapWithNext(&c), 1);  // b a d c
    EXPECT_EQ(list.SwapWithNext(&c), 0) << "last node has no successor";
    int absent = 0;
    EXPECT_EQ(list.SwapWithNext(&absent), 0);
    std::vector<void*> order;
    for (void* p = list.First(); p; p = list.Next()) order.push_back(p);
    EXPECT_EQ(order, (std::vector<void*>{&b, &a, &d, &c}));
    // Walking backwards through the links must agree after the swaps.
    EXPECT_EQ(list.PopFront(), &b);
    EXPECT_EQ(list.PopFront(), &a);
    list.First();
    list.Next();
    EXPECT_EQ(list.RemoveAtCursor(), &c);
    EXPECT_EQ(list.Current(), &d);
    EXPECT_EQ(list.PopFront(), &d);
    EXPECT_EQ(list.PopFront(), nullptr);
    list.PushBack(&a);
    EXPECT_EQ(list.Current(), &a);
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_EQ(list.First(), nullptr);
}

}  // namespace
