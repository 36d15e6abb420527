// When the last-move marker may be drawn: both squares on the board and the
// target on the move's line in its direction.
#include <gtest/gtest.h>

#include "scene/board_drawing.h"

namespace {

TEST(MoveMarker, FitsOnlyMovesAlongTheirDirectionOnTheBoard)
{
    // From x, y to x, y; direction 1 to larger x, 2 to smaller y, 3 to smaller x, 4 to larger y.
    const int fitting[][5] = {{3, 4, 4, 4, 1}, {3, 4, 3, 1, 2}, {10, 4, 1, 4, 3}, {3, 1, 3, 10, 4}};
    const int failing[][5] = {
        {3, 4, 2, 4, 1},     {3, 4, 3, 5, 2}, {3, 4, 4, 4, 3}, {3, 4, 3, 3, 4},  // backwards
        {3, 4, 3, 4, 1},     {3, 4, 4, 5, 1},                                    // no step at all; off its line
        {3, 4, 4, 4, 0},     {3, 4, 4, 4, 5},                                    // no direction
        {0, 4, 2, 4, 1},     {9, 4, 11, 4, 1},                                   // the border ring
        {-3, -3, -3, -1, 4}, {5, 5, 5, 300, 4},                                  // the "no move" values
    };
    const auto fits = [](const int (&m)[5]) { return MoveMarkerFits(m[0], m[1], m[2], m[3], m[4]); };
    for (const auto& m : fitting) EXPECT_TRUE(fits(m)) << testing::PrintToString(m);
    for (const auto& m : failing) EXPECT_FALSE(fits(m)) << testing::PrintToString(m);
}

}  // namespace
