// Records the calls the rules make to other parts of the program (game flow,
// renderer, sound), each with a snapshot of the board as it stood at the call.
#pragma once

#include <string>
#include <vector>

#include "rules/board.h"

struct RecordedCall {
    std::string name;        // "FinishSetup", "AnimatePlacement", "ShowMoveResult", "RenderFrame", "PlaySoundA"
    std::vector<int> args;   // integer arguments in order
    std::string path;        // PlaySoundA: the file
    const void* module = nullptr;
    unsigned flags = 0;

    // The state at the moment of the call.
    int owner[GRID_SIZE][GRID_SIZE];
    int rank[GRID_SIZE][GRID_SIZE];
    int trayCount[RANK_KINDS];
    int hoverRow[2];
    int selectedTrayRank;
    int gameOver;
};

std::vector<RecordedCall>& RecordedCalls();
void ClearRecordedCalls();

// Names of the recorded calls in order, for compact comparisons.
std::vector<std::string> RecordedNames();
