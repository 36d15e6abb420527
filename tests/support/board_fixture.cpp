#include "tests/support/board_fixture.h"

#include "platform/program_folder.h"
#include "rules/live_options.h"

void RulesTest::SetUp()
{
    InstallRecorder();
    g_appDir = "/opt/velmonar";
    g_animationsOn = 1;
    NewGame();
    ClearRecordedCalls();
}

void RulesTest::StartPlay()
{
    StartPlayPosition();
    ClearRecordedCalls();
}

void RulesTest::Put(int x, int y, int owner, int rank, float knowledge, int tag)
{
    g_cellOwner[x][y] = owner;
    g_cellRank[x][y] = rank;
    g_knowledge[x][y] = knowledge;
    g_pieceTag[x][y] = tag;
}

int RulesTest::TrayTotal()
{
    int total = 0;
    for (int r = 0; r < RANK_KINDS; ++r) total += g_trayCount[r];
    return total;
}

int RulesTest::PiecesLeftTotal(int side)
{
    int total = 0;
    for (int r = 0; r < RANK_KINDS; ++r) total += g_piecesLeft[side][r];
    return total;
}

void ExpectVacated(int x, int y)
{
    EXPECT_EQ(g_cellOwner[x][y], OWNER_EMPTY) << x << "," << y;
    EXPECT_EQ(g_cellRank[x][y], RANK_EMPTY) << x << "," << y;
    EXPECT_EQ(g_knowledge[x][y], 0.0f) << x << "," << y;
    EXPECT_EQ(g_pieceTag[x][y], 0) << x << "," << y;
}

void PrintTo(const MoveRecord& m, std::ostream* os)
{
    *os << "(" << m.fromX << "," << m.fromY << ")->(" << m.toX << "," << m.toY << ")";
}
