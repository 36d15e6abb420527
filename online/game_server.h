// The game-server client's names the game flow shares with it: the move
// being sent, the setup part of the match request, the two players' names,
// the substitution code of setup strings, and the worker threads the game
// flow starts.
#pragma once

#include <atomic>
#include <mutex>

#include "platform/strings.h"
#include "platform/wintypes.h"

// --- written by the interface thread before it starts the thread that reads them ---
extern int g_sentMove[4];            // from x, from y, to x, to y of the move being sent
extern CString g_moveMessage;        // the outgoing move: four digits, each coordinate minus 1
extern CString g_setupMessage;       // "!" and 40 encoded rank codes, each followed by "!"
extern std::atomic<int> g_autoRelogin;  // 1: the next match request logs in again from the stored log-in

// --- written by worker threads: read and write them only under g_onlineTextLock ---
extern std::mutex g_onlineTextLock;
extern CString g_ownName;
extern CString g_opponentName;

// A copy of one of the names above, taken under the lock.
CString CopyOnlineText(const CString& shared);
// Replaces one of the names above under the lock.
void StoreOnlineText(CString& shared, const CString& value);

// One punctuation character per decimal digit of a setup string; the
// match-reply reader decodes with the same table.
extern const char SetupCodeTable[10];
// A digit through the table; any other character passes unchanged.
char EncodeSetupChar(char c);

// Worker threads of the match and the moves. Each stands in (doing nothing)
// until the game-server client work builds it.
UINT SendMoveThread(LPVOID param);           // sends g_moveMessage, then waits for the opponent's move
UINT ReportOpponentWinThread(LPVOID param);  // reports the opponent as the winner
UINT MatchRequestThread(LPVOID param);       // sends the match request with g_setupMessage
