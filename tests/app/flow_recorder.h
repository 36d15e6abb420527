// Records what the game flow shows and waits for in one time line, through
// its hooks and the rules' host table: frames (with the animation state each
// draws), sounds, pauses, threads and texture rebuilds. The clock is fake:
// each reading advances it a little, each pause by its length.
#pragma once

#include <string>
#include <vector>

#include "platform/threads.h"

struct FlowEvent {
    std::string name;  // "frame", "pick", "thread", "pieceTextures", "panelTextures",
                       // "sleep 300", or a sound's file name ("H2.wav")
    AFX_THREADPROC thread = nullptr;
    // Frames: the animation state drawn.
    int animState = 0;
    double animOffset = 0.0;
    int showPlayer = 0, showOpponent = 0;
    int drop[2] = {0, 0};
    int setupPhase = 0, setupMode = 0;
    unsigned clock = 0;
};

std::vector<FlowEvent>& FlowEvents();
// Records an event by name at the fake clock's time (for a test's own hooks).
FlowEvent& AddFlowEvent(const std::string& name);
std::vector<std::string> FlowNames();
std::vector<FlowEvent> Frames();

// The program's host tables with the recorder in front of the frames and
// sounds, the recording flow hooks, a fake clock stepping 5 ms per reading.
void InstallFlowRecorder();
void ClearFlowEvents();

// A game in play: empty field with lakes, full armies counted, menu closed,
// scene ready, offline, animations on, nothing recorded.
void StartFlowGame();
void PutPiece(int x, int y, int owner, int rank);
