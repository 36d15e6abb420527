// The computer's plans: for every piece on the board a map of attraction that
// rises along a path toward a target of its plan. The evaluation adds to each
// piece the value of its own map where it stands.
#pragma once

#include "rules/board.h"

constexpr int PLAN_TAG_COUNT = 101;  // tags 1..100 (a cell number); entry 0 holds nothing
constexpr int PLAN_WEIGHT_COUNT = 9;

// Weights of the plan paths, W0..W8 (LoadEvaluationTables fills them).
extern int g_planWeight[PLAN_WEIGHT_COUNT];

// [x][y][tag]: attraction of cell (x, y) for the piece carrying that tag.
extern int g_planMap[GRID_SIZE][GRID_SIZE][PLAN_TAG_COUNT];
// FloodPath's work grids: open cells (1 open, 0 blocked) and the walked path's
// step numbers (0 off the path, -1 on the border ring).
extern int g_passable[GRID_SIZE][GRID_SIZE];
extern int g_pathStep[GRID_SIZE][GRID_SIZE];
// x and y of each side's flag; (0, 0), a border cell, when the side has none.
extern int g_playerFlagPos[2];
extern int g_computerFlagPos[2];
// [x][y][k]: p(p+1)/2 with p = 20 - distance to the player's (k 0) or the
// computer's (k 1) flag.
extern int g_flagProximity[GRID_SIZE][GRID_SIZE][2];

// Clears every tag, finds both flags (making them known), fills
// g_flagProximity and rebuilds every plan. Run when play starts and after a load.
void ResetKnowledgeAndPlans();

// Rebuilds every plan map from the position.
void PlanMoves();

// Lays one path of type 0..3 with the given weight from the piece on
// (fromX, fromY) to (toX, toY) into the map of tag; each cell keeps the larger
// of its old value and the path's. An unreachable target adds nothing.
//   type 0: open board; 1: bombs block (a miner passes enemy bombs);
//   2: own bombs and enemies it does not beat block; 3: own pieces and enemies
//   it does not beat block.
void FloodPath(int type, int weight, int tag, int fromX, int fromY, int toX, int toY);

// The distance the plans and the evaluation measure by: |x1 - x2| + |y1 - y2|.
int ManhattanDistance(int x1, int y1, int x2, int y2);
