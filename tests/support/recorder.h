// Records the calls the rules make above themselves (game flow, renderer,
// sound), each with a snapshot of the board as it stood at the call. The
// recorder fills the rules' host table; every test of the rules and of the
// computer opponent shares it.
#pragma once

#include <string>
#include <vector>

#include "rules/board.h"

struct RecordedCall {
    // "FinishSetup", "AnimatePlacement", "ShowMoveResult", "RenderFrame",
    // "PlaySoundA", "ShowGameOverPanel"
    std::string name;
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

// Points every entry of the rules' host table at the recorder.
void InstallRecorder();

std::vector<RecordedCall>& RecordedCalls();
void ClearRecordedCalls();

// Names of the recorded calls in order, for compact comparisons.
std::vector<std::string> RecordedNames();
