#include "online/online_state.h"

std::atomic<int> g_onlineGame{0};
std::atomic<int> g_matchPending{0};
std::atomic<int> g_matchState{0};
std::atomic<int> g_onlineTurn{0};
std::atomic<int> g_opponentMoveReady{0};
std::atomic<int> g_opponentLeft{0};
std::atomic<int> g_stopMoveReceive{0};
std::atomic<int> g_serverStatus{2};
std::atomic<int> g_waitingForOpponent{0};
std::atomic<int> g_serverSocket{-1};
