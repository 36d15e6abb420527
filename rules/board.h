// The state of one game: board grids with their border ring and lakes, the
// per-rank counters, the move history of the repetition rule, the end-of-game
// flags, and the two operations that start a game and fill the player's setup
// zone by hand.
//
// Every grid is GRID_SIZE x GRID_SIZE and indexed [x][y]: x the column, y the
// row, both 1..10 on the playing field; x or y equal to 0 or 11 is the border
// ring. The player sets up on rows 1..4, the computer (or the online opponent)
// on rows 7..10.
//
// Per-side arrays are indexed by the side number itself: 1 the player, 2 the
// computer or online opponent; entry 0 is unused and holds nothing.
#pragma once

#include <atomic>

constexpr int GRID_SIZE = 12;
constexpr int RANK_KINDS = 12;           // ranks 0..11, the size of per-rank arrays
constexpr int MOVE_LIST_CAPACITY = 250;  // entries of one move list

// Owner code of a cell. Sides 1 and 2 are the same numbers as the owners.
enum CellOwner {
    OWNER_EMPTY = 0,
    OWNER_PLAYER = 1,
    OWNER_COMPUTER = 2,    // also the online opponent
    OWNER_LAKE = 5,
    OWNER_BORDER = 6,
    OWNER_SELECTED = 10,   // the player's piece picked up for a move
};

// Rank of the piece on a cell; a higher rank beats a lower one. The ordinary
// ranks 4..9 have no names of their own.
enum PieceRank {
    RANK_EMPTY = -1,
    RANK_BOMB = 0,
    RANK_SPY = 1,
    RANK_SCOUT = 2,
    RANK_MINER = 3,
    RANK_MARSHAL = 10,
    RANK_FLAG = 11,
    RANK_BORDER = 20,
};

// The pieces of one side by rank 0..11 (40 in all).
inline constexpr int PIECE_SET[RANK_KINDS] = {6, 1, 8, 5, 4, 4, 4, 3, 2, 1, 1, 1};

// One move: the cell it starts from and the cell it goes to.
struct MoveRecord {
    int fromX;
    int fromY;
    int toX;
    int toY;
};

inline bool operator==(const MoveRecord& a, const MoveRecord& b)
{
    return a.fromX == b.fromX && a.fromY == b.fromY && a.toX == b.toX && a.toY == b.toY;
}
inline bool operator!=(const MoveRecord& a, const MoveRecord& b) { return !(a == b); }

// Values meaning "no move" in the history ([0] and [1]) and in the forbidden move.
inline constexpr MoveRecord NO_LAST_MOVE = {-3, -3, -3, -3};
inline constexpr MoveRecord NO_PREVIOUS_MOVE = {-4, -4, -4, -4};
inline constexpr MoveRecord NO_FORBIDDEN_MOVE = {-5, -5, -10, -10};

// --- board grids ---
extern int g_cellOwner[GRID_SIZE][GRID_SIZE];    // CellOwner codes
extern int g_cellRank[GRID_SIZE][GRID_SIZE];     // PieceRank codes
extern float g_knowledge[GRID_SIZE][GRID_SIZE];  // 0.0 hidden .. 1.0 known; moves with the piece
extern int g_pieceTag[GRID_SIZE][GRID_SIZE];     // plan tag; moves with the piece, 0 on a vacated cell
extern int g_reachable[GRID_SIZE][GRID_SIZE];    // -1 not pickable, else a copy of the cell's owner code

// --- counters ---
extern int g_trayCount[RANK_KINDS];       // setup: player's pieces still to place; play: opponent's dead pieces
extern int g_piecesLeft[3][RANK_KINDS];   // [side][rank] pieces still on the board; row 0 unused
extern int g_playerMarshalAlive;
extern int g_computerMarshalAlive;

// --- moves ---
extern MoveRecord g_lastMove;             // last real move of either side, drawn as the move marker
// The computer's last plain move (the search penalises reversing it); kept
// here so that a new game forgets the previous game's move.
extern MoveRecord g_lastComputerMove;
extern int g_lastMoveDirection;           // 0 none, 1 x grows, 2 y falls, 3 x falls, 4 y grows
extern MoveRecord g_moveHistory[3][2];    // [side][0] last plain move, [side][1] the one before
extern MoveRecord g_forbiddenMove[3];     // [side] the move that side may not play next

// --- end of game ---
// Read by the online move-receiving thread, hence atomic. Only real moves and
// the game flow write it, never the search.
extern std::atomic<int> g_gameOver;       // 1 once the game has ended
extern int g_losingSide;                  // 1 the player lost, 2 the computer or opponent lost

// --- the phase of the program ---
// 0 while loading (paint only clears, input ignored), 1 once frames are drawn
// and input is taken. Set by the start-up and by the automatic placements.
extern int g_sceneReady;

// --- setup and selection ---
extern int g_setupPhase;                  // 1 while the player arranges the pieces, 0 in play
extern int g_selectedTrayRank;            // rank chosen in the setup tray, -1 none
extern int g_hoverRow[2];                 // (x, y) under the cursor, (0, 0) none
extern int g_prevHoverSquare[2];          // previously hovered cell
extern int g_selectedRow[2];              // cell of the player's selected piece
extern int g_revealRow[2];                // enemy piece shown face up after a battle

// Starts a new game: empty board with lakes and border ring, full tray, setup phase.
void NewGame();

// Places one piece of the given rank from the tray on the cell g_hoverRow (or
// swaps it with the player's piece standing there); ends the setup after the
// last piece. A rank outside 0..11 does nothing.
void PlaceSetupPiece(int rank);
