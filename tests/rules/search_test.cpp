// The computer's turn: the root terms, the bluff rolls, ties, the repetition
// rule, and the end of the game.
#include <cstdlib>

#include "rules/board.h"
#include "platform/process.h"
#include "rules/battle.h"
#include "rules/plans.h"
#include "rules/ready_setups.h"
#include "rules/search.h"
#include "tests/rules/ai_support.h"
#include "tests/support/armies.h"

namespace {

class SearchTest : public AiTest {
protected:
    // One computer piece in the open, far from a lone player piece: its four
    // plain moves score alike.
    static void QuietPosition()
    {
        ClearField();
        Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
        Put(5, 8, OWNER_COMPUTER, 5, 0.5f);
        Put(1, 1, OWNER_PLAYER, RANK_FLAG);
        Put(10, 1, OWNER_PLAYER, 4, 1.0f);
        CountPieces();
    }
};

MoveRecord Move(int fx, int fy, int tx, int ty) { return MoveRecord{fx, fy, tx, ty}; }

bool Tied(const MoveRecord& m)
{
    for (int i = 0; i < g_tiedMoveCount; ++i)
        if (Move(g_tiedMoves.fromX[i], g_tiedMoves.fromY[i], g_tiedMoves.toX[i], g_tiedMoves.toY[i]) == m)
            return true;
    return false;
}

}  // namespace

TEST_F(SearchTest, SaveAndRestoreAndTheSearchLeaveTheBoardAsTheyFoundIt)
{
    ClearField();
    Put(4, 4, OWNER_COMPUTER, RANK_MARSHAL, 0.7f, 34);
    Put(4, 3, OWNER_PLAYER, RANK_MARSHAL, 0.0f, 24);
    const BoardSnapshot before = BoardSnapshot::Take();
    SaveOrRestoreMove(0, 2, 0, 4, 4, 4, 3);
    ApplyMove(0, 4, 4, 4, 3);
    ASSERT_EQ(g_cellOwner[4][4], OWNER_EMPTY);
    ASSERT_EQ(g_playerMarshalAlive, 0);
    ASSERT_EQ(g_computerMarshalAlive, 0);
    SaveOrRestoreMove(1, 2, 0, 0, 0, 0, 0);
    EXPECT_TRUE(BoardSnapshot::Take() == before);

    // The search at every level, on a full board.
    for (int level = 1; level <= 3; ++level) {
        SetUp();
        PlaceArmies(BUILT_IN_SETUP, BUILT_IN_SETUP);
        CountPieces();
        ResetKnowledgeAndPlans();
        // Open the game a little so that battles happen in the search.
        ApplyMove(0, 1, 4, 1, 5);
        ApplyMove(0, 10, 7, 10, 6);
        ApplyMove(0, 1, 5, 1, 6);
        SetLevel(level);
        const BoardSnapshot searched = BoardSnapshot::Take();
        ChooseComputerMove();
        EXPECT_TRUE(BoardSnapshot::Take() == searched) << level;
        EXPECT_EQ(g_gameOver, 0);
        EXPECT_EQ(g_cellOwner[g_bestMove.fromX][g_bestMove.fromY], OWNER_COMPUTER) << level;
        EXPECT_TRUE(Tied(g_bestMove));
        if (g_tiedMoveCount > 1) {
            RescoreTiedMoves();
            EXPECT_TRUE(BoardSnapshot::Take() == searched) << level;
        }
    }
}

TEST_F(SearchTest, ComputerWithoutMovesOrWithOnlyTheForbiddenOneLosesBeforeThePlayerIsTested)
{
    for (bool forbiddenLeft : {false, true}) {
        SCOPED_TRACE(forbiddenLeft ? "only the forbidden move left" : "no move at all");
        SetUp();
        ClearField();
        Put(1, 10, OWNER_COMPUTER, RANK_FLAG);
        Put(2, 10, OWNER_COMPUTER, RANK_BOMB);
        Put(1, 1, OWNER_PLAYER, RANK_FLAG);  // with no other piece the player cannot move either
        if (forbiddenLeft) {
            Put(1, 8, OWNER_COMPUTER, RANK_BOMB);
            Put(2, 8, OWNER_COMPUTER, RANK_BOMB);
            Put(3, 9, OWNER_COMPUTER, RANK_BOMB);
            Put(1, 9, OWNER_COMPUTER, 6, 0.5f);  // its only way is to (2, 9)
            Put(5, 1, OWNER_PLAYER, 7);
            g_forbiddenMove[2] = Move(1, 9, 2, 9);
            g_bestMove = Move(5, 1, 5, 2);  // a stale move of the player's piece
        }
        CountPieces();
        const BoardSnapshot before = BoardSnapshot::Take();
        ComputerTurn();
        EXPECT_EQ(g_gameOver, 1);
        EXPECT_EQ(g_losingSide, 2);
        EXPECT_TRUE(BoardSnapshot::Take() == before) << "no move, a stale one neither, is played";
        EXPECT_EQ(PlayedSounds(), "Pobed.wav");
        // The game-over panel (menu mode, panel flown in and laid out) comes
        // from the game flow; the host wiring test checks what it opens.
        EXPECT_EQ(RecordedNames(), (std::vector<std::string>{"PlaySoundA", "ShowGameOverPanel", "RenderFrame"}));
    }
}

TEST_F(SearchTest, ForbiddenMoveIsNeverChosenEvenWhenBest)
{
    ClearField();
    Put(1, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(5, 8, OWNER_COMPUTER, 9, 0.5f);
    Put(8, 8, OWNER_COMPUTER, 5, 0.5f);
    Put(1, 1, OWNER_PLAYER, RANK_FLAG);
    Put(5, 3, OWNER_PLAYER, 6);
    CountPieces();
    ResetKnowledgeAndPlans();
    std::srand(5);
    ChooseComputerMove();
    const MoveRecord best = g_bestMove;
    ASSERT_NE(best.fromX, 0);

    g_forbiddenMove[2] = best;
    std::srand(5);
    ChooseComputerMove();
    EXPECT_NE(g_bestMove, best);
    EXPECT_FALSE(Tied(best));
    EXPECT_EQ(g_gameOver, 0);
}

// Two winning attacks, the second on a hidden piece: whether it gets the
// -70000 fear term depends on which roll it draws, so it shows whether the
// first attack drew one. Level 3 fears when the roll exceeds 10.
class RollOrderTest : public SearchTest {
protected:
    void SetUp() override
    {
        SearchTest::SetUp();
        ClearField();
        Put(1, 10, OWNER_COMPUTER, RANK_FLAG);
        Put(5, 1, OWNER_PLAYER, RANK_FLAG, 1.0f);
        Put(9, 8, OWNER_COMPUTER, 9, 0.5f);
        Put(9, 7, OWNER_PLAYER, 8, 0.0f);  // attack B: +8000, hidden
        // First roll is no fear, the second is.
        seed = FindSeed([](int r0, int r1) { return r0 <= 10 && r1 > 10; });
        ASSERT_NE(seed, 0u);
    }
    // The computer's choice with the rolls drawn from the seed.
    MoveRecord ChosenMove() const
    {
        std::srand(seed);
        ChooseComputerMove();
        return g_bestMove;
    }
    unsigned seed = 0;
    const MoveRecord attackB = {9, 8, 9, 7};
};

TEST_F(RollOrderTest, WinningAttackOnAKnownPieceDrawsNoRoll)
{
    Put(3, 8, OWNER_COMPUTER, 8, 0.5f);
    Put(3, 7, OWNER_PLAYER, 4, 1.0f);  // attack A: +4000, known
    CountPieces();
    g_piecesLeft[1][RANK_MARSHAL] = 1;  // the 8 is not the strongest piece left
    EXPECT_EQ(ChosenMove(), attackB) << "B drew the first roll";

    // The strongest piece left draws no roll against a piece seen at all.
    g_piecesLeft[1][RANK_MARSHAL] = 0;
    g_knowledge[3][7] = 0.5f;
    EXPECT_EQ(ChosenMove(), attackB);
    g_piecesLeft[1][RANK_MARSHAL] = 1;

    // Hidden, the same attack draws the first roll itself and B is feared.
    g_knowledge[3][7] = 0.0f;
    EXPECT_EQ(ChosenMove(), Move(3, 8, 3, 7));
}

TEST_F(RollOrderTest, MinerAttackNextToAFlagDrawsNoRoll)
{
    Put(2, 9, OWNER_COMPUTER, RANK_MINER, 0.5f);
    Put(1, 9, OWNER_PLAYER, RANK_SCOUT, 0.5f);  // attack A, beside the computer's flag
    CountPieces();
    EXPECT_EQ(ChosenMove(), attackB);

    // Away from any flag, the miner's attack draws the first roll.
    Put(1, 10, OWNER_EMPTY, RANK_EMPTY);
    Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
    CountPieces();
    EXPECT_EQ(ChosenMove(), Move(2, 9, 1, 9));
}

TEST_F(SearchTest, MinerBonusDependsOnWhatIsKnownOfTheTarget)
{
    ClearField();
    Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(5, 1, OWNER_PLAYER, RANK_FLAG);
    Put(1, 3, OWNER_PLAYER, RANK_SCOUT, 1.0f);
    // The miner's only move is onto a bomb, which stands beside a flag so
    // that no bluff term enters.
    Put(2, 10, OWNER_COMPUTER, RANK_MINER, 0.5f);
    Put(1, 10, OWNER_COMPUTER, RANK_BOMB);
    Put(3, 10, OWNER_COMPUTER, RANK_BOMB);
    Put(2, 9, OWNER_PLAYER, RANK_BOMB);
    Put(2, 8, OWNER_PLAYER, RANK_FLAG);
    CountPieces();
    const float knowledge[3] = {0.0f, 0.5f, 1.0f};
    int score[3];
    for (int i = 0; i < 3; ++i) {
        g_knowledge[2][9] = knowledge[i];
        ChooseComputerMove();
        ASSERT_EQ(g_bestMove, Move(2, 10, 2, 9));
        score[i] = g_bestScore;
    }
    EXPECT_EQ(score[0] - score[1], 40000);
    EXPECT_EQ(score[2] - score[1], 50000);
}

TEST_F(SearchTest, EqualRootScoresAreAllKeptTheFirstStaysBestAndAResetForgetsTheLastPlainMove)
{
    SetLevel(1);
    QuietPosition();
    ChooseComputerMove();
    EXPECT_EQ(g_tiedMoveCount, 4);
    EXPECT_EQ(g_bestMove, Move(5, 8, 4, 8));

    // Stepping straight back over the computer's last plain move costs 3000.
    g_lastComputerMove = Move(4, 8, 5, 8);
    ChooseComputerMove();
    EXPECT_EQ(g_tiedMoveCount, 3);
    EXPECT_EQ(g_bestMove, Move(5, 8, 6, 8));
    EXPECT_FALSE(Tied(Move(5, 8, 4, 8)));

    ResetLastComputerMove();
    EXPECT_EQ(g_lastComputerMove, Move(0, 0, 0, 0));
}

TEST_F(SearchTest, TiesAreSettledByTheStaticValueFirstHighestWins)
{
    ClearField();
    Put(5, 8, OWNER_COMPUTER, 5, 0.5f, 75);
    Put(1, 1, OWNER_PLAYER, RANK_FLAG);
    g_planMap[4][8][75] = 10;
    g_planMap[5][7][75] = 30;
    g_planMap[6][8][75] = 30;
    const MoveRecord moves[3] = {{5, 8, 4, 8}, {5, 8, 5, 7}, {5, 8, 6, 8}};
    for (int i = 0; i < 3; ++i) {
        g_tiedMoves.fromX[i] = moves[i].fromX;
        g_tiedMoves.fromY[i] = moves[i].fromY;
        g_tiedMoves.toX[i] = moves[i].toX;
        g_tiedMoves.toY[i] = moves[i].toY;
    }
    g_tiedMoveCount = 3;
    const BoardSnapshot before = BoardSnapshot::Take();
    RescoreTiedMoves();
    EXPECT_EQ(g_bestMove, moves[1]);
    EXPECT_EQ(g_bestScore, 5000 + 30 - 50000);
    EXPECT_TRUE(BoardSnapshot::Take() == before);
}

TEST_F(SearchTest, TurnPlaysTheMoveAfterItsMinimumTimeAndRemembersOnlyPlainMoves)
{
    QuietPosition();
    ResetKnowledgeAndPlans();
    g_lastComputerMove = Move(9, 9, 9, 9);
    g_skipMinimumTurnTime = 0;
    const DWORD start = GetTickCount();
    ComputerTurn();
    EXPECT_GE(GetTickCount() - start, static_cast<DWORD>(MIN_TURN_MS));
    g_skipMinimumTurnTime = 1;
    ASSERT_EQ(g_gameOver, 0);
    const MoveRecord played = g_lastMove;
    EXPECT_EQ(played, g_bestMove);
    EXPECT_EQ(g_cellOwner[played.toX][played.toY], OWNER_COMPUTER);
    EXPECT_EQ(g_lastComputerMove, played);
    const std::vector<std::string> names = RecordedNames();
    ASSERT_GE(names.size(), 3u);
    EXPECT_EQ(names[0], "PlaySoundA");
    EXPECT_EQ(names[1], "ShowMoveResult");
    EXPECT_EQ(PlayedSounds(), "H1.wav");
    EXPECT_EQ(g_playerLegalMoveCount, GenerateMoves(1, g_playerLegalMoves.fromX, g_playerLegalMoves.fromY,
                                                    g_playerLegalMoves.toX, g_playerLegalMoves.toY));
    // The plans were rebuilt for the piece where it now stands.
    EXPECT_EQ(g_pieceTag[played.toX][played.toY], played.toY * 10 + played.toX - 10);

    // A battle is not remembered as the last plain move.
    ClearField();
    Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(1, 10, OWNER_COMPUTER, RANK_MARSHAL, 1.0f);
    Put(2, 10, OWNER_COMPUTER, RANK_BOMB);
    Put(1, 9, OWNER_PLAYER, 9, 1.0f);  // the marshal's only move takes it
    Put(1, 1, OWNER_PLAYER, RANK_FLAG);
    Put(10, 2, OWNER_PLAYER, 4);
    CountPieces();
    g_lastComputerMove = Move(3, 3, 4, 3);
    ComputerTurn();
    EXPECT_EQ(g_cellRank[1][9], RANK_MARSHAL);
    EXPECT_EQ(g_lastComputerMove, Move(3, 3, 4, 3));
}

TEST_F(SearchTest, PlayerLeftWithoutMovesLoses)
{
    ClearField();
    Put(10, 10, OWNER_COMPUTER, RANK_FLAG);
    Put(2, 1, OWNER_COMPUTER, RANK_MARSHAL, 1.0f);
    Put(3, 1, OWNER_COMPUTER, RANK_BOMB);
    Put(2, 2, OWNER_COMPUTER, RANK_BOMB);
    Put(1, 1, OWNER_PLAYER, RANK_SCOUT, 1.0f);  // the marshal's only move takes it
    Put(10, 1, OWNER_PLAYER, RANK_FLAG);
    CountPieces();
    ComputerTurn();
    EXPECT_EQ(g_cellRank[1][1], RANK_MARSHAL);
    EXPECT_EQ(g_playerLegalMoveCount, 0);
    EXPECT_EQ(g_gameOver, 1);
    EXPECT_EQ(g_losingSide, 1);
    EXPECT_EQ(PlayedSounds(), "H1.wav komp_vig.wav");
    EXPECT_EQ(RecordedNames().back(), "RenderFrame");
    EXPECT_EQ(RecordedNames()[RecordedNames().size() - 2], "ShowGameOverPanel");
}

TEST_F(SearchTest, FlagAlreadyTakenEndsTheGameWithThePlayerAsWinner)
{
    ClearField();
    // The player's piece has just taken the flag on (1, 10) and is walled in:
    // the player has no move left, which must not make him the loser.
    Put(1, 10, OWNER_PLAYER, 5, 1.0f);
    Put(2, 10, OWNER_PLAYER, RANK_BOMB);
    Put(1, 9, OWNER_PLAYER, RANK_BOMB);
    Put(9, 9, OWNER_COMPUTER, 6);
    Put(5, 1, OWNER_PLAYER, RANK_FLAG);
    CountPieces();
    g_gameOver = 1;
    g_losingSide = 2;
    const BoardSnapshot before = BoardSnapshot::Take();
    ComputerTurn();
    EXPECT_EQ(g_losingSide, 2);
    EXPECT_TRUE(BoardSnapshot::Take() == before);
    EXPECT_EQ(PlayedSounds(), "Pobed.wav");
}

