// Battles and carrying out moves on the board grids.
#pragma once

// Outcome of an attack, always seen from the attacker.
enum BattleResult {
    BATTLE_MOVE = 0,           // the target was empty
    BATTLE_WIN = 1,
    BATTLE_LOSS = -1,
    BATTLE_BOTH_REMOVED = -5,
};

// Result of the latest battle whose attacker was a computer piece, whether it
// came from a real move, a trial move of the search or the planner.
extern int g_lastComputerBattle;

// Decides the battle between the pieces on the two cells by their real ranks.
BattleResult ResolveBattle(int attX, int attY, int defX, int defY);

// Carries out one move. real 1: a move of the game (counters, history and the
// repetition rule, last-move marker, end of game, turn presentation before and
// after the grids change); real 0: a silent trial of the search. Legality is
// not checked: callers pass moves from GenerateMoves or MarkReachable.
// Returns the battle result of the move.
BattleResult ApplyMove(int real, int fromX, int fromY, int toX, int toY);

// Direction of a straight move: 1 x grows, 2 y falls, 3 x falls, 4 y grows, 0 otherwise.
int MoveDirection(int x1, int y1, int x2, int y2);

// Marks in g_reachable the cells the piece on (x, y) may go to (show 1), or
// only clears every mark (show 0).
void MarkReachable(int show, int x, int y);
