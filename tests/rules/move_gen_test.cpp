// Legal-move lists: the three tiers, their scan orders, the two moves never
// listed, and the bound of the list.
#include <algorithm>
#include <memory>
#include <vector>

#include "rules/battle.h"
#include "rules/move_gen.h"
#include "tests/support/board_fixture.h"

namespace {

std::vector<MoveRecord> Generate(int side)
{
    static MoveList list;
    list.count = GenerateMoves(side, list.fromX, list.fromY, list.toX, list.toY);
    std::vector<MoveRecord> moves;
    for (int i = 0; i < list.count; ++i)
        moves.push_back(MoveRecord{list.fromX[i], list.fromY[i], list.toX[i], list.toY[i]});
    return moves;
}

MoveRecord M(int fx, int fy, int tx, int ty) { return MoveRecord{fx, fy, tx, ty}; }

int IndexOf(const std::vector<MoveRecord>& moves, const MoveRecord& m)
{
    return static_cast<int>(std::find(moves.begin(), moves.end(), m) - moves.begin());
}

int CountOf(const std::vector<MoveRecord>& moves, const MoveRecord& m)
{
    return static_cast<int>(std::count(moves.begin(), moves.end(), m));
}

}  // namespace

TEST_F(RulesTest, UnknownSidesAndSidesThatCannotMoveGetNoMoves)
{
    StartPlay();
    Put(5, 2, OWNER_PLAYER, 6);
    Put(5, 9, OWNER_COMPUTER, 6);
    int fx[MOVE_LIST_CAPACITY], fy[MOVE_LIST_CAPACITY], tx[MOVE_LIST_CAPACITY], ty[MOVE_LIST_CAPACITY];
    fx[0] = fy[0] = tx[0] = ty[0] = 99;
    for (int side : {0, 3, -1, 5, 10}) {
        EXPECT_EQ(GenerateMoves(side, fx, fy, tx, ty), 0) << side;
        EXPECT_EQ(fx[0], 99);
    }

    StartPlay();
    EXPECT_TRUE(Generate(1).empty());  // no pieces at all

    // Bombs and flags never move, even with free squares around them.
    Put(5, 2, OWNER_PLAYER, RANK_BOMB);
    Put(7, 2, OWNER_PLAYER, RANK_FLAG);
    // A piece walled in by a lake, its own bombs and the board edge.
    Put(3, 4, OWNER_PLAYER, 8);
    Put(2, 4, OWNER_PLAYER, RANK_BOMB);
    Put(4, 4, OWNER_PLAYER, RANK_BOMB);
    Put(3, 3, OWNER_PLAYER, RANK_BOMB);
    Put(1, 1, OWNER_PLAYER, RANK_SCOUT);
    Put(2, 1, OWNER_PLAYER, RANK_BOMB);
    Put(1, 2, OWNER_PLAYER, RANK_BOMB);
    // The computer can move; the player cannot.
    Put(6, 9, OWNER_COMPUTER, 4);
    EXPECT_TRUE(Generate(1).empty());
    EXPECT_EQ(Generate(2).size(), 4u);

    // A walled-in scout next to the enemy flag and a walled-in spy next to the
    // enemy spy: those attacks are never listed, so the side has no move.
    StartPlay();
    Put(1, 10, OWNER_COMPUTER, RANK_SCOUT);
    Put(2, 10, OWNER_COMPUTER, RANK_BOMB);
    Put(1, 9, OWNER_PLAYER, RANK_FLAG);
    Put(10, 10, OWNER_COMPUTER, RANK_SPY);
    Put(9, 10, OWNER_COMPUTER, RANK_BOMB);
    Put(10, 9, OWNER_PLAYER, RANK_SPY);
    EXPECT_TRUE(Generate(2).empty());
}

TEST_F(RulesTest, SteppingPieceTakesNeighboursInFixedOrderAndTheTiersBeforeAndAfter)
{
    StartPlay();
    Put(5, 8, OWNER_COMPUTER, 6);
    EXPECT_EQ(Generate(2), (std::vector<MoveRecord>{M(5, 8, 4, 8), M(5, 8, 6, 8), M(5, 8, 5, 7), M(5, 8, 5, 9)}));
    StartPlay();
    Put(5, 3, OWNER_PLAYER, 6);
    EXPECT_EQ(Generate(1), (std::vector<MoveRecord>{M(5, 3, 4, 3), M(5, 3, 6, 3), M(5, 3, 5, 2), M(5, 3, 5, 4)}));

    // A marshal ties with the marshal first and attacks a bomb last.
    StartPlay();
    Put(5, 8, OWNER_COMPUTER, RANK_MARSHAL);
    Put(4, 8, OWNER_PLAYER, RANK_BOMB);
    Put(6, 8, OWNER_PLAYER, RANK_MARSHAL);
    Put(5, 9, OWNER_COMPUTER, RANK_FLAG);
    EXPECT_EQ(Generate(2), (std::vector<MoveRecord>{M(5, 8, 6, 8), M(5, 8, 5, 7), M(5, 8, 4, 8)}));
}

TEST_F(RulesTest, ScoutLinesListEveryFreeCellNearestFirst)
{
    // On an otherwise empty board the lines run x up, x down, y up, y down.
    StartPlay();
    Put(5, 8, OWNER_COMPUTER, RANK_SCOUT);
    std::vector<MoveRecord> expected;
    for (int x = 6; x <= 10; ++x) expected.push_back(M(5, 8, x, 8));
    for (int x = 4; x >= 1; --x) expected.push_back(M(5, 8, x, 8));
    for (int y = 9; y <= 10; ++y) expected.push_back(M(5, 8, 5, y));
    for (int y = 7; y >= 1; --y) expected.push_back(M(5, 8, 5, y));
    EXPECT_EQ(Generate(2), expected);

    // A free row ending on an enemy spy: the attack first, then the free cells;
    // a lake and own pieces end the other lines.
    StartPlay();
    Put(2, 7, OWNER_COMPUTER, RANK_SCOUT);
    Put(1, 7, OWNER_COMPUTER, RANK_BOMB);
    Put(2, 8, OWNER_COMPUTER, RANK_BOMB);
    Put(7, 7, OWNER_PLAYER, RANK_SPY);
    Put(9, 7, OWNER_PLAYER, 5);  // behind the spy: never reached
    EXPECT_EQ(Generate(2), (std::vector<MoveRecord>{M(2, 7, 7, 7), M(2, 7, 3, 7), M(2, 7, 4, 7), M(2, 7, 5, 7),
                                                    M(2, 7, 6, 7), M(2, 7, 2, 6), M(2, 7, 2, 5), M(2, 7, 2, 4),
                                                    M(2, 7, 2, 3), M(2, 7, 2, 2), M(2, 7, 2, 1)}));

    // A player's scout: its column ends at the lake (3, 5), its row at a
    // stronger enemy piece, whose attack comes after every free cell.
    StartPlay();
    Put(3, 1, OWNER_PLAYER, RANK_SCOUT);
    Put(6, 1, OWNER_COMPUTER, 6);
    EXPECT_EQ(Generate(1), (std::vector<MoveRecord>{M(3, 1, 4, 1), M(3, 1, 5, 1), M(3, 1, 2, 1), M(3, 1, 1, 1),
                                                    M(3, 1, 3, 2), M(3, 1, 3, 3), M(3, 1, 3, 4),
                                                    M(3, 1, 6, 1)}));
}

TEST_F(RulesTest, EveryAttackIsListedOnceInTheTierOfItsBattle)
{
    // Mover of every rank against a target of every rank, with one quiet move
    // available: attacks the mover wins or ties come before it, lost ones after
    // it, and a scout on the flag and a spy on the spy are never listed.
    for (int side = 1; side <= 2; ++side) {
        const int enemy = 3 - side;
        const int y = side == 2 ? 8 : 3;
        const int targetY = side == 2 ? 7 : 4;
        const int quietY = side == 2 ? 9 : 2;
        for (int r = RANK_SPY; r <= RANK_MARSHAL; ++r) {
            for (int t = RANK_BOMB; t <= RANK_FLAG; ++t) {
                StartPlay();
                Put(5, y, side, r);
                Put(5, targetY, enemy, t);
                Put(4, y, side, RANK_BOMB);
                Put(6, y, side, RANK_BOMB);
                Put(5, side == 2 ? 10 : 1, side, RANK_BOMB);  // leaves one quiet move
                const auto moves = Generate(side);
                const MoveRecord attack = M(5, y, 5, targetY);
                const MoveRecord quiet = M(5, y, 5, quietY);
                SCOPED_TRACE(testing::Message() << "side " << side << " rank " << r << " on " << t);
                ASSERT_EQ(CountOf(moves, quiet), 1);
                if ((r == RANK_SCOUT && t == RANK_FLAG) || (r == RANK_SPY && t == RANK_SPY)) {
                    EXPECT_EQ(moves.size(), 1u);
                    continue;
                }
                ASSERT_EQ(moves.size(), 2u);
                EXPECT_EQ(CountOf(moves, attack), 1);
                const BattleResult result = ResolveBattle(5, y, 5, targetY);
                if (result == BATTLE_LOSS)
                    EXPECT_EQ(moves, (std::vector<MoveRecord>{quiet, attack}));
                else
                    EXPECT_EQ(moves, (std::vector<MoveRecord>{attack, quiet}));
            }
        }
    }
}

TEST_F(RulesTest, EqualTierMovesComeInScanOrderOfTheSide)
{
    // Three computer pieces, each with moves of two tiers.
    StartPlay();
    for (int x : {2, 6, 9}) {
        Put(x, 9, OWNER_COMPUTER, 6);
        Put(x, 8, OWNER_PLAYER, 4);                 // tier 1 target
        Put(x, 10, OWNER_COMPUTER, RANK_BOMB);
    }
    Put(6, 10, OWNER_COMPUTER, 7);                  // larger y in the same column
    Put(7, 10, OWNER_PLAYER, RANK_BOMB);
    auto moves = Generate(2);
    // Tier 1: by x, then y.
    ASSERT_GE(moves.size(), 3u);
    EXPECT_EQ(moves[0], M(2, 9, 2, 8));
    EXPECT_EQ(moves[1], M(6, 9, 6, 8));
    EXPECT_EQ(moves[2], M(9, 9, 9, 8));
    // Tier 2 only after every tier-1 move, in the same order.
    EXPECT_EQ(IndexOf(moves, M(2, 9, 1, 9)), 3);
    EXPECT_LT(IndexOf(moves, M(6, 9, 5, 9)), IndexOf(moves, M(6, 10, 5, 10)));
    EXPECT_LT(IndexOf(moves, M(6, 10, 5, 10)), IndexOf(moves, M(9, 9, 8, 9)));
    // Tier 3 last: the rank-7 piece on the bomb.
    EXPECT_EQ(moves.back(), M(6, 10, 7, 10));

    // The player's pieces come from the largest x, then the largest y.
    StartPlay();
    Put(3, 2, OWNER_PLAYER, 5);
    Put(3, 3, OWNER_COMPUTER, 4);
    Put(8, 1, OWNER_PLAYER, 5);
    Put(8, 2, OWNER_COMPUTER, 4);
    Put(8, 4, OWNER_PLAYER, 5);
    moves = Generate(1);
    ASSERT_GE(moves.size(), 2u);
    EXPECT_EQ(moves[0], M(8, 1, 8, 2));
    EXPECT_EQ(moves[1], M(3, 2, 3, 3));
    // Tier 2 begins with the piece at (8, 4), then (8, 1), then (3, 2).
    EXPECT_EQ(moves[2], M(8, 4, 7, 4));
    EXPECT_LT(IndexOf(moves, M(8, 4, 8, 3)), IndexOf(moves, M(8, 1, 7, 1)));
    EXPECT_LT(IndexOf(moves, M(8, 1, 9, 1)), IndexOf(moves, M(3, 2, 2, 2)));
}

TEST_F(RulesTest, MoveListStopsAtItsCapacity)
{
    // Scouts on a synthetic board without lakes have more moves than a list holds.
    StartPlay();
    const char* rows[10] = {
        "S..SSS...S",  // y = 10
        ".S......S.", "..S....S..", "S.....S...", ".S.......S",
        "S........S", "S....S...S", "..S....S..", ".S....S.S.",
        "S..SS....S",  // y = 1
    };
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            if (rows[10 - y][x - 1] == 'S')
                Put(x, y, OWNER_COMPUTER, RANK_SCOUT);
            else
                Put(x, y, OWNER_EMPTY, RANK_EMPTY);
        }
    }
    // The moves a list without bound would hold, in listing order (all quiet).
    std::vector<MoveRecord> all;
    const int lines[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            if (g_cellOwner[x][y] == OWNER_COMPUTER)
                for (const auto& d : lines)
                    for (int cx = x + d[0], cy = y + d[1]; g_cellOwner[cx][cy] == OWNER_EMPTY;
                         cx += d[0], cy += d[1])
                        all.push_back(M(x, y, cx, cy));
    ASSERT_GT(all.size(), static_cast<size_t>(MOVE_LIST_CAPACITY));

    // Arrays of exactly the capacity: a write past them is caught by the sanitizer build.
    auto fx = std::make_unique<int[]>(MOVE_LIST_CAPACITY);
    auto fy = std::make_unique<int[]>(MOVE_LIST_CAPACITY);
    auto tx = std::make_unique<int[]>(MOVE_LIST_CAPACITY);
    auto ty = std::make_unique<int[]>(MOVE_LIST_CAPACITY);
    ASSERT_EQ(GenerateMoves(2, fx.get(), fy.get(), tx.get(), ty.get()), MOVE_LIST_CAPACITY);
    for (int i = 0; i < MOVE_LIST_CAPACITY; ++i) EXPECT_EQ(M(fx[i], fy[i], tx[i], ty[i]), all[i]) << i;

    // Entries past the capacity stay untouched.
    std::vector<int> a(MOVE_LIST_CAPACITY + 8, -7), b(a), c(a), d(a);
    EXPECT_EQ(GenerateMoves(2, a.data(), b.data(), c.data(), d.data()), MOVE_LIST_CAPACITY);
    for (int i = MOVE_LIST_CAPACITY; i < MOVE_LIST_CAPACITY + 8; ++i) {
        EXPECT_EQ(a[i], -7);
        EXPECT_EQ(d[i], -7);
    }
}
