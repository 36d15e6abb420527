#include "platform/process.h"

#include <gtest/gtest.h>

TEST(Clock, SleepAdvancesTheTickCountWithoutWrapTrouble)
{
    DWORD start = GetTickCount();
    Sleep(30);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 29u);
    EXPECT_LT(elapsed, 5000u);
    // Differences of 32-bit ticks are right across the wrap.
    DWORD before = 0xFFFFFFF0u, after = 0x00000010u;
    EXPECT_EQ(after - before, 0x20u);
}
