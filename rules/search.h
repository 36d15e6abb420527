// The computer's turn: a fixed-depth alpha-beta search over the real board,
// shaped at the root by knowledge and bluff terms, then the move itself and
// the end of the game when a side cannot move.
#pragma once

#include "rules/board.h"
#include "rules/move_gen.h"
#include "platform/wintypes.h"

constexpr int BLUFF_ROLL_COUNT = 250;
constexpr int SEARCH_DEPTHS = 6;          // undo records per depth index 0..5
constexpr int MIN_TURN_MS = 700;          // a computer turn lasts at least this long
constexpr int SEARCH_INFINITY = 999999;   // start value of a minimising ply

// One saved trial move: its cells before the move and both marshal flags.
struct SearchUndoRecord {
    int fromX, fromY, toX, toY;
    int owner[2];
    int rank[2];
    float knowledge[2];
    int tag[2];
    int playerMarshalAlive;
    int computerMarshalAlive;
};

extern MoveList g_computerMoveList;       // the computer's moves at the root
extern int g_computerMoveCount;
extern MoveList g_playerMoveList;         // the player's moves at the root, again at ply 2
extern int g_playerMoveCount;
extern MoveList g_plyMoveList[4];         // plies 3..6
extern int g_plyBest[7];                  // running best of plies 2..6
extern int g_bestScore;                   // best root score; the bound of ply 2
extern MoveRecord g_bestMove;             // the chosen move
extern MoveList g_tiedMoves;              // root moves scored equal to g_bestScore
extern int g_tiedMoveCount;
extern int g_bluffRoll[BLUFF_ROLL_COUNT]; // rand() % 100, drawn at the start of each search
extern int g_deepSearch;                  // 1 when the root has fewer than 30 moves of both sides
extern SearchUndoRecord g_searchUndo[SEARCH_DEPTHS][2];
extern MoveList g_playerLegalMoves;       // the player's moves after the computer's real move
extern int g_playerLegalMoveCount;
extern DWORD g_tickStart;                 // when the current computer turn began

// Switch for the self-play tool only (tools/selfplay): 1 skips the 700 ms
// minimum length of a computer turn. The program never sets it.
extern int g_skipMinimumTurnTime;
// Wall-clock milliseconds that the last ComputerTurn spent in
// ChooseComputerMove and RescoreTiedMoves (read by the self-play tool).
extern double g_lastSearchMs;

// One whole computer turn: search, the minimum turn time, the move with its
// sound and presentation, and the end of the game when a side cannot move.
void ComputerTurn();

// The root of the search: sets g_bestMove, g_bestScore and g_tiedMoves, or
// ends the game when a side has no legal move.
void ChooseComputerMove();

// The plies below the root; each returns its score (computer positive).
int SearchPly2();
int SearchPly3();
int SearchPly4();
int SearchPly5();
int SearchPly6();

// Chooses among equally scored root moves by their static value.
void RescoreTiedMoves();

// mode 0 saves the two cells of the move and both marshal flags into
// g_searchUndo[depth][slot]; mode 1 puts them back (the coordinates are
// taken from the record).
void SaveOrRestoreMove(int mode, int depth, int slot, int fromX, int fromY, int toX, int toY);

// Forgets the computer's last plain move; called by a new game and after a
// game has been loaded, so no square pair of an earlier game is penalised.
void ResetLastComputerMove();
