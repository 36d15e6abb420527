// The computer's static evaluation of a position and the threat test its
// root uses. A position is worth the sum of its pieces: positive for the
// computer's, negative for the player's.
#pragma once

constexpr int PIECE_VALUE_COUNT = 16;
constexpr int VALUE_SPY_VS_MARSHAL = 13;   // a spy while the opposing marshal lives
constexpr int VALUE_MINER_NEAR_FLAG = 15;  // a miner within distance 5 of the enemy flag

// Value per rank 0..11, plus the two special entries above; 12 and 14 hold nothing.
extern int g_pieceValue[PIECE_VALUE_COUNT];

// Fills g_pieceValue and the plans' g_planWeight (rules/plans.h) with the
// game's values. The start-up loader calls it; until then both tables are zero.
void LoadEvaluationTables();

// Sum of PieceValue over every playing cell owned by the player or the computer.
int EvaluateBoard();

// Value of the piece of the given rank on (x, y), whose owner is 1 or 2:
// base value, plan attraction of the cell, a computer bomb's nearness to its
// own flag; negated for a player piece.
int PieceValue(int x, int y, int rank);

// What the cell adds to EvaluateBoard: PieceValue of a piece of either side,
// 0 for anything else. A move that kills no marshal changes the evaluation
// only by the change of CellValue on its two cells.
int CellValue(int x, int y);

// 1 when a computer piece of that rank on (x, y) could be taken by a player
// piece on one of the four neighbouring cells (judged by the real ranks).
int IsThreatened(int x, int y, int rank);
