#include "tests/rules/ai_support.h"

#include <cstring>

#include "rules/evaluation.h"
#include "rules/live_options.h"
#include "rules/plans.h"
#include "rules/search.h"
#include "tests/support/recorder.h"

void AiTest::SetUp()
{
    RulesTest::SetUp();
    StartPlay();
    LoadEvaluationTables();
    std::memset(g_planMap, 0, sizeof g_planMap);
    std::memset(g_flagProximity, 0, sizeof g_flagProximity);
    g_playerFlagPos[0] = g_playerFlagPos[1] = 0;
    g_computerFlagPos[0] = g_computerFlagPos[1] = 0;
    g_sceneReady = 0;
    ResetLastComputerMove();
    SetLevel(3);
    g_skipMinimumTurnTime = 1;
    std::srand(1);
    ClearRecordedCalls();
}

void AiTest::ClearField()
{
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
            if (g_cellOwner[x][y] != OWNER_LAKE) Put(x, y, OWNER_EMPTY, RANK_EMPTY, 0.0f, 0);
    for (int r = 0; r < RANK_KINDS; ++r) g_piecesLeft[1][r] = g_piecesLeft[2][r] = 0;
}

void AiTest::CountPieces()
{
    for (int r = 0; r < RANK_KINDS; ++r) g_piecesLeft[1][r] = g_piecesLeft[2][r] = 0;
    for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y) {
            const int owner = g_cellOwner[x][y];
            if (owner == OWNER_PLAYER || owner == OWNER_COMPUTER) ++g_piecesLeft[owner][g_cellRank[x][y]];
        }
}

void AiTest::SetLevel(int level)
{
    g_aiQuickSearch = level == 1 ? 1 : 0;
    g_aiLevel2 = level == 2 ? 1 : 0;
    g_aiLevel3 = level == 3 ? 1 : 0;
}

BoardSnapshot BoardSnapshot::Take()
{
    BoardSnapshot s;
    std::memcpy(s.owner, g_cellOwner, sizeof s.owner);
    std::memcpy(s.rank, g_cellRank, sizeof s.rank);
    std::memcpy(s.knowledge, g_knowledge, sizeof s.knowledge);
    std::memcpy(s.tag, g_pieceTag, sizeof s.tag);
    s.playerMarshal = g_playerMarshalAlive;
    s.computerMarshal = g_computerMarshalAlive;
    return s;
}

bool BoardSnapshot::operator==(const BoardSnapshot& o) const
{
    return std::memcmp(owner, o.owner, sizeof owner) == 0 && std::memcmp(rank, o.rank, sizeof rank) == 0 &&
           std::memcmp(knowledge, o.knowledge, sizeof knowledge) == 0 &&
           std::memcmp(tag, o.tag, sizeof tag) == 0 && playerMarshal == o.playerMarshal &&
           computerMarshal == o.computerMarshal;
}

std::string PlayedSounds()
{
    std::string names;
    for (const auto& call : RecordedCalls()) {
        if (call.name != "PlaySoundA") continue;
        const size_t slash = call.path.rfind('/');
        if (!names.empty()) names += ' ';
        names += slash == std::string::npos ? call.path : call.path.substr(slash + 1);
    }
    return names;
}
