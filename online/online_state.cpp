#include "online/online_state.h"

std::atomic<int> g_onlineGame{0};
std::atomic<int> g_matchPending{0};
std::atomic<int> g_matchState{0};
std::atomic<int> g_onlineTurn{0};
std::atomic<int> g_waitingForOpponent{0};
std::atomic<int> g_redrawRequested{0};
std::atomic<int> g_opponentMove[4] = {{0}, {0}, {0}, {0}};
std::atomic<int> g_opponentMoveReady{0};
std::atomic<int> g_stopMoveReceive{0};
std::atomic<int> g_opponentLeft{0};
std::atomic<int> g_opponentLeftInDialog{0};
std::atomic<int> g_accountDialogClosed{1};
std::atomic<int> g_autoRelogin{1};
std::atomic<int> g_serverStatus{2};
std::atomic<int> g_serverStatusDone{0};
std::atomic<int> g_serverStatusRetried{0};
std::atomic<int> g_onlineCount{0};
std::atomic<int> g_serverReachable{0};
std::atomic<int> g_blinkStep{0};
std::atomic<int> g_onlineGeneration{0};
std::atomic<int> g_opponentSetupGeneration{0};
std::atomic<int> g_workerLanguage{0};
std::atomic<int> g_serverSocket{-1};

const unsigned short g_serverPort = 10002;
CString g_serverIp = "127.0.0.1";
sockaddr_in g_serverAddr = {};

std::mutex g_sharedTextMutex;
CString g_credentials;
CString g_machineId;
CString g_setupMessage;
CString g_matchReply;
CString g_ownName;
CString g_opponentName = "(гость)";
CString g_onlineCountText = "0";
CString g_netMessage;

int g_opponentSetup[40] = {};

CString ReadSharedText(const CString& text)
{
    std::lock_guard<std::mutex> lock(g_sharedTextMutex);
    return text;
}

void WriteSharedText(CString& text, const CString& value)
{
    std::lock_guard<std::mutex> lock(g_sharedTextMutex);
    text = value;
}
