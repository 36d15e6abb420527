// The state of an online game shared between the interface thread and the
// network workers: every flag an atomic, every shared text guarded by one
// mutex (writers assign under it, readers copy under it).
#pragma once

#include <atomic>
#include <mutex>

#include "platform/sockets.h"
#include "platform/strings.h"

// --- flags and values (0 at start unless said) ---
extern std::atomic<int> g_onlineGame;         // 1 from the online search to the end of the online game
extern std::atomic<int> g_matchPending;       // 1 from the match request until the opponent's setup shows
extern std::atomic<int> g_matchState;         // 0 idle, 2 reply received, 3 decoded
extern std::atomic<int> g_onlineTurn;         // 0 none, 1 local player moves, 2 waiting for the opponent
extern std::atomic<int> g_waitingForOpponent; // 1 while the match request waits in the server's queue
extern std::atomic<int> g_redrawRequested;    // a worker asks the tick for a redraw
extern std::atomic<int> g_opponentMove[4];    // from x, from y, to x, to y, turned to the local board
extern std::atomic<int> g_opponentMoveReady;  // 1 a received move waits (written after g_opponentMove)
extern std::atomic<int> g_stopMoveReceive;    // 1 tells the move-receiving thread to stop
extern std::atomic<int> g_opponentLeft;       // 1 the opponent left
extern std::atomic<int> g_opponentLeftInDialog;  // 1 the opponent left while an account dialog was open
extern std::atomic<int> g_accountDialogClosed;   // 1 at start; 0 while an account dialog is open
extern std::atomic<int> g_autoRelogin;        // 1 at start: the next match request logs in again
extern std::atomic<int> g_serverStatus;       // 2 at start; 1 answered, 2 not reachable
extern std::atomic<int> g_serverStatusDone;   // 1 the status thread has finished
extern std::atomic<int> g_serverStatusRetried;  // 1 once the status thread used its retry
extern std::atomic<int> g_onlineCount;        // players in game, parsed from g_onlineCountText
extern std::atomic<int> g_serverReachable;    // 1 the last ping was echoed
extern std::atomic<int> g_blinkStep;          // online banner: 0 still, 1..7 blinking

// Moves on at every search start, match request and leave. A worker
// remembers the value it started under; once it has moved on, the worker
// clears no flag, closes nothing, shows nothing and reports nothing.
extern std::atomic<int> g_onlineGeneration;

// The generation of the search whose pairing reply is being decoded, set
// before g_matchState becomes 2.
extern std::atomic<int> g_opponentSetupGeneration;

// The language of the notices, taken from the interface thread when it starts
// a worker (workers never read the live options).
extern std::atomic<int> g_workerLanguage;

// The game-server connection, -1 when there is none. Only its owner closes a
// handle; everybody else shuts it down through CloseServerSocket.
extern std::atomic<int> g_serverSocket;

// --- connection ---
extern const unsigned short g_serverPort;  // 10002
extern CString g_serverIp;                 // "127.0.0.1" until the web documents bring another
extern sockaddr_in g_serverAddr;           // rebuilt before every connect (by the connecting worker)

// --- texts (every access under g_sharedTextMutex) ---
extern std::mutex g_sharedTextMutex;
extern CString g_credentials;      // "-" a guest, or name "+" password "-" after a re-login
extern CString g_machineId;        // the machine identity sent to the game server
extern CString g_setupMessage;     // the own setup string of the match request
extern CString g_matchReply;       // the reply to the match request
extern CString g_ownName;          // at most 21 characters; empty until the first match
extern CString g_opponentName;     // "(гость)" at start
extern CString g_onlineCountText;  // "0" at start: the status reply
extern CString g_netMessage;       // the last notice shown by a worker

// Copies a shared text under the mutex.
CString ReadSharedText(const CString& text);
// Assigns a shared text under the mutex.
void WriteSharedText(CString& text, const CString& value);

// The opponent's setup as decoded from a validated pairing reply, in code
// order (the sender's x 1..10 outer, y 1..4 inner). Written by the match
// thread before g_matchState becomes 3; read by the tick once it sees 3.
extern int g_opponentSetup[40];
