// What the game-server client's own files share: the generation test, whole
// sends, the game connection's bookkeeping and the workers' notices. Callers
// outside the client use online/game_client.h.
#pragma once

#include "online/game_client.h"

// The pause between the tries of a send (and of a receive after an error).
constexpr DWORD RETRY_PAUSE_MS = 100;

// True while the search of generation is the current one.
bool IsCurrent(int generation);

// Sends all of bytes: an interrupted or full send is tried again up to 3
// times 100 ms apart; any other failure gives up at once.
bool SendAll(SOCKET s, const char* bytes, int length);

// Makes connection the game connection, the one the moves travel on.
void SetGameLink(const ConnectionRef& connection, int generation);

// A worker's end of its own connection: shuts only that one down, never a
// newer exchange that took g_serverSocket meanwhile (such as the loser's
// winner report), and lets go of it when it is the game connection.
void DropOwnConnection(const ConnectionRef& own);

// A worker's notice: kept in g_netMessage and shown (the worker waits).
void ShowWorkerNotice(const CString& text);
