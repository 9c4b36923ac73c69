// Flag lists of the disjunct selection and row marks, and the update lock's depth.
#include "grid/string/rowstates.h"

#include <gtest/gtest.h>

TEST(FlagList, ReadsBeyondTheEndDoNotGrowWritesDo)
{
    TFlagList flags;
    EXPECT_FALSE(flags.Get(12));
    EXPECT_FALSE(flags.Get(-1));
    EXPECT_EQ(flags.Count(), 0);
    flags.Set(3, true);
    EXPECT_EQ(flags.Count(), 4);
    EXPECT_TRUE(flags.Get(3));
    EXPECT_FALSE(flags.Get(2));
    flags.Set(-2, true);
    EXPECT_EQ(flags.Count(), 4);
    flags.Set(6, false);
    EXPECT_EQ(flags.Count(), 7);
    EXPECT_EQ(flags.CountSet(), 1);
    EXPECT_EQ(flags.CountSet(3), 0);
    EXPECT_EQ(flags.CountSet(4), 1);
}

TEST(FlagList, EntriesFollowRemovedAndInsertedRowsOnlyWhereTheyExist)
{
    TFlagList flags;
    flags.Set(1, true);
    flags.Set(4, true);
    flags.Delete(2);
    EXPECT_EQ(flags.SetIndexes(), (std::vector<int>{1, 3}));
    flags.Delete(10);   // no entry: nothing
    EXPECT_EQ(flags.Count(), 4);
    flags.Insert(0, 2);
    EXPECT_EQ(flags.SetIndexes(), (std::vector<int>{3, 5}));
    flags.Insert(6, 5);   // past the end: nothing
    EXPECT_EQ(flags.Count(), 6);
}

TEST(UpdateLock, NestedBlocksEndOnceAtTheOutermost)
{
    TUpdateLock lock;
    lock.Begin();
    lock.Begin();
    EXPECT_TRUE(lock.Locked());
    EXPECT_FALSE(lock.End());
    EXPECT_TRUE(lock.End());
    EXPECT_TRUE(lock.End());   // below 0 stays 0 and still asks for a repaint
    EXPECT_EQ(lock.Count(), 0);
    lock.Begin();
    lock.Reset();
    EXPECT_FALSE(lock.Locked());
}
