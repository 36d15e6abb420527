// A saved game, loaded from the load list the way the player does during an
// online game: either it is refused (the notice, and the board, counters and
// online game exactly as before), or a sound position is on the board, play
// goes on offline, and the reader's own verdict agrees.
#include <cmath>
#include <string>

#include "interface/save_slots.h"
#include "online/online_state.h"
#include "rules/battle.h"
#include "rules/board.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

void NoPause(DWORD) {}

// The running game the load may replace: play, an online game, a last move.
void StartRunningGame()
{
    NewGame();
    g_setupPhase = 0;
    g_cellOwner[2][2] = OWNER_PLAYER, g_cellRank[2][2] = RANK_MARSHAL;
    g_cellOwner[9][9] = OWNER_COMPUTER, g_cellRank[9][9] = RANK_FLAG;
    g_lastMove = MoveRecord{2, 1, 2, 2};
    g_lastMoveDirection = 4;
    g_trayCount[RANK_SCOUT] = 1;
    g_onlineGame = 1;
    g_onlineTurn = 2;
    g_stopMoveReceive = 0;
}

// What a refused load must leave as it was, as its bytes.
std::string Take()
{
    std::string bytes;
    const auto add = [&bytes](const auto& value) { bytes.append(reinterpret_cast<const char*>(&value), sizeof value); };
    add(g_cellOwner);
    add(g_cellRank);
    add(g_trayCount);
    add(g_lastMove);
    add(g_lastMoveDirection);
    add(g_setupPhase);
    for (int flag : {g_onlineGame.load(), g_onlineTurn.load(), g_stopMoveReceive.load(), g_onlineGeneration.load()})
        add(flag);
    return bytes;
}

bool OnBoardOrZero(int a, int b) { return (a == 0 && b == 0) || (a >= 1 && a <= 10 && b >= 1 && b <= 10); }

void CheckLoadedPosition()
{
    int count[3][RANK_KINDS] = {};
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            const bool lake = (y == 5 || y == 6) && (x == 3 || x == 4 || x == 7 || x == 8);
            const int owner = g_cellOwner[x][y], rank = g_cellRank[x][y];
            FuzzCheck(lake == (owner == OWNER_LAKE), "the lakes stay where they are");
            FuzzCheck(owner == OWNER_LAKE || owner == OWNER_EMPTY || owner == OWNER_PLAYER || owner == OWNER_COMPUTER,
                      "only empty cells, lakes and the two sides' pieces");
            if (owner == OWNER_PLAYER || owner == OWNER_COMPUTER) {
                FuzzCheck(rank >= 0 && rank < RANK_KINDS, "a piece has a rank 0..11");
                ++count[owner][rank];
            } else {
                FuzzCheck(rank == RANK_EMPTY, "no rank without a piece");
            }
            FuzzCheck(std::isfinite(g_knowledge[x][y]) && g_knowledge[x][y] >= 0.0f && g_knowledge[x][y] <= 1.0000001f,
                      "knowledge within 0..1");
        }
    }
    for (int side = 1; side <= 2; ++side)
        for (int r = 0; r < RANK_KINDS; ++r) {
            FuzzCheck(count[side][r] <= PIECE_SET[r], "no side has more pieces of a rank than its set");
            FuzzCheck(g_piecesLeft[side][r] == count[side][r], "the pieces left are recounted");
        }
    for (int r = 0; r < RANK_KINDS; ++r)
        FuzzCheck(g_trayCount[r] >= 0 && g_trayCount[r] <= PIECE_SET[r], "tray counts within the set");
    const MoveRecord& m = g_lastMove;
    FuzzCheck(OnBoardOrZero(m.fromX, m.fromY) && OnBoardOrZero(m.toX, m.toY), "the last move lies on the board");
    FuzzCheck(g_lastMoveDirection == 0 || g_lastMoveDirection == MoveDirection(m.fromX, m.fromY, m.toX, m.toY),
              "the move marker matches the move");
    FuzzCheck(OnBoardOrZero(g_revealRow[0], g_revealRow[1]), "the revealed piece lies on the board");
    FuzzCheck(g_setupPhase == 0 && g_gameOver == 0 && g_onlineGame == 0, "play goes on offline");
}

}  // namespace

int FuzzSavedGame(const uint8_t* data, size_t size)
{
    EnterProgramFolder("saved_game");
    const std::string path = WriteFuzzInput("save/1.sav", data, size);
    g_revealPause = NoPause;
    StartRunningGame();
    ListLoadSlots();
    ListSaveSlots();
    FuzzCheck(g_loadListCount == 2 && g_loadSlotFile[1] == "1.sav", "every file in a slot is listed");
    FuzzCheck(g_loadSlotLabel[1].GetLength() <= static_cast<int>(SAVE_LABEL_MAX), "a label keeps at most 99");
    FuzzCheck(!g_loadSlotLabel[1].IsEmpty() && g_saveSlotLabel[1] == g_loadSlotLabel[1],
              "both panels show the file with a label");

    SavedGameFile parsed;
    const bool sound = ReadSavedGame(path, parsed);
    FuzzCheck(sound || g_loadSlotLabel[1] == DAMAGED_SLOT_LABEL, "a save that cannot be loaded says so");
    const std::string before = Take();
    const int boxes = ShownBoxes().count;
    LoadGame(1, 1);
    const bool refused = ShownBoxes().count != boxes;
    FuzzCheck(refused != sound, "the load refuses exactly the files the reader refuses");
    if (refused) FuzzCheck(before == Take(), "a refused save changes nothing");
    else CheckLoadedPosition();
    return 0;
}
