#include "online/game_server.h"

int g_sentMove[4] = {0, 0, 0, 0};
CString g_moveMessage;
CString g_setupMessage;
std::atomic<int> g_autoRelogin{0};

std::mutex g_onlineTextLock;
CString g_ownName;
CString g_opponentName;

const char SetupCodeTable[10] = {'#', '$', '%', '^', '(', ')', '[', ']', '{', '}'};

CString CopyOnlineText(const CString& shared)
{
    std::lock_guard<std::mutex> hold(g_onlineTextLock);
    return shared;
}

void StoreOnlineText(CString& shared, const CString& value)
{
    std::lock_guard<std::mutex> hold(g_onlineTextLock);
    shared = value;
}

char EncodeSetupChar(char c)
{
    return (c >= '0' && c <= '9') ? SetupCodeTable[c - '0'] : c;
}

// Stands in until the game-server client sends moves.
UINT SendMoveThread(LPVOID)
{
    return 0;
}

// Stands in until the game-server client reports winners.
UINT ReportOpponentWinThread(LPVOID)
{
    return 0;
}

// Stands in until the game-server client sends match requests.
UINT MatchRequestThread(LPVOID)
{
    return 0;
}
