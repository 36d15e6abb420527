// When the last-move marker may be drawn: both squares on the board and the
// target on the move's line in its direction.
#include <gtest/gtest.h>

#include "scene/board_drawing.h"

namespace {

TEST(MoveMarker, FitsOnlyMovesAlongTheirDirectionOnTheBoard)
{
    EXPECT_TRUE(MoveMarkerFits(3, 4, 4, 4, 1));
    EXPECT_TRUE(MoveMarkerFits(3, 4, 3, 1, 2));
    EXPECT_TRUE(MoveMarkerFits(10, 4, 1, 4, 3));
    EXPECT_TRUE(MoveMarkerFits(3, 1, 3, 10, 4));

    EXPECT_FALSE(MoveMarkerFits(3, 4, 2, 4, 1));   // backwards
    EXPECT_FALSE(MoveMarkerFits(3, 4, 3, 5, 2));
    EXPECT_FALSE(MoveMarkerFits(3, 4, 4, 4, 3));
    EXPECT_FALSE(MoveMarkerFits(3, 4, 3, 3, 4));
    EXPECT_FALSE(MoveMarkerFits(3, 4, 3, 4, 1));   // no step at all
    EXPECT_FALSE(MoveMarkerFits(3, 4, 4, 5, 1));   // off its line
    EXPECT_FALSE(MoveMarkerFits(3, 4, 4, 4, 0));   // no direction
    EXPECT_FALSE(MoveMarkerFits(3, 4, 4, 4, 5));
    EXPECT_FALSE(MoveMarkerFits(0, 4, 2, 4, 1));   // the border ring
    EXPECT_FALSE(MoveMarkerFits(9, 4, 11, 4, 1));
    EXPECT_FALSE(MoveMarkerFits(-3, -3, -3, -1, 4));  // the "no move" values
    EXPECT_FALSE(MoveMarkerFits(5, 5, 5, 300, 4));
}

}  // namespace
