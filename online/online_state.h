// The state of an online game shared between the interface thread and the
// network workers; every flag here is an atomic.
#pragma once

#include <atomic>

extern std::atomic<int> g_onlineGame;         // 1 from the online search to the end of the online game
extern std::atomic<int> g_matchPending;       // 1 from the match request until the opponent's setup shows
extern std::atomic<int> g_matchState;         // 0 idle, 2 reply received, 3 decoded
extern std::atomic<int> g_onlineTurn;         // 0 none, 1 local player moves, 2 waiting for the opponent
extern std::atomic<int> g_opponentMoveReady;  // 1 a received move waits
extern std::atomic<int> g_opponentLeft;       // 1 the opponent left
extern std::atomic<int> g_stopMoveReceive;    // 1 tells the move-receiving thread to stop
extern std::atomic<int> g_serverStatus;       // 2 not reachable
extern std::atomic<int> g_waitingForOpponent; // 1 while the match request waits in the server's queue
// The game-server connection, -1 when there is none. Closed only by taking
// the handle out (closesocket on the atomic), so it is closed exactly once.
extern std::atomic<int> g_serverSocket;
