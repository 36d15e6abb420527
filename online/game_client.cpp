#include "online/game_client.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "online/notice.h"
#include "online/setup_code.h"
#include "online/online_host.h"
#include "online/online_state.h"
#include "online/stored_login.h"
#include "platform/process.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "rules/rules_host.h"
#include "scene/frame_state.h"

const char* const OPPONENT_LEFT = "rrrr";
int g_sentMove[4] = {0, 0, 0, 0};
CString g_moveMessage;
std::atomic<int> g_moveSendPending{0};
std::atomic<int> g_ownMoveApplying{0};

namespace {

const int SEND_TRIES = 3;
const int RECEIVE_ERROR_TRIES = 3;
const DWORD RETRY_PAUSE_MS = 100;
const DWORD MATCH_RETRY_PAUSE_MS = 1000;
const DWORD RELOGIN_PAUSE_MS = 100;
const int MOVE_SEND_WAIT_MS = 2000;
const int OWN_MOVE_VERDICT_WAIT_MS = 5000;

// Guards the publishing of handles in g_serverSocket against their closing,
// so a shutdown never reaches a closed (and maybe reused) handle number.
std::mutex g_connectionMutex;
GameLink g_gameLink;

bool IsCurrent(int generation)
{
    return g_onlineGeneration.load() == generation;
}

// The text of a received buffer: up to the first NUL, never past length.
size_t TextLength(const char* bytes, size_t length)
{
    size_t n = 0;
    while (n < length && bytes[n] != '\0') ++n;
    return n;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const int ANY_EXCHANGE = -1;

// True for an exchange that belongs to no search, or to the current one.
bool MayOpen(int generation)
{
    return generation == ANY_EXCHANGE || IsCurrent(generation);
}

// Cuts off the exchange before this one, unless this one belongs to a search
// that is no longer current: false then, and nothing was touched.
bool CutPrevious(int generation)
{
    std::lock_guard<std::mutex> lock(g_connectionMutex);
    if (!MayOpen(generation)) return false;
    ShutdownSharedSocket(g_serverSocket);
    return true;
}

bool Publish(SOCKET s, int generation)
{
    std::lock_guard<std::mutex> lock(g_connectionMutex);
    if (!MayOpen(generation)) return false;
    const SOCKET before = g_serverSocket.exchange(s);
    if (before >= 0) ShutdownSocket(before);  // a new exchange cuts off the one before it
    return true;
}

ConnectionRef OpenConnection(bool* socketMade, int generation)
{
    if (socketMade) *socketMade = false;
    if (!CutPrevious(generation)) return nullptr;
    const SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return nullptr;
    if (socketMade) *socketMade = true;
    ConnectionRef connection = std::make_shared<ServerConnection>(s);
    if (!Publish(s, generation)) return nullptr;
    sockaddr_in address;
    {
        std::lock_guard<std::mutex> lock(g_sharedTextMutex);
        std::memset(&g_serverAddr, 0, sizeof g_serverAddr);
        g_serverAddr.sin_family = AF_INET;
        g_serverAddr.sin_port = htons(g_serverPort);
        g_serverAddr.sin_addr.s_addr = inet_addr(g_serverIp);
        address = g_serverAddr;
    }
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return nullptr;
    return connection;
}

void SetGameLink(const ConnectionRef& connection, int generation)
{
    GameLink old;
    {
        std::lock_guard<std::mutex> lock(g_connectionMutex);
        old = g_gameLink;
        g_gameLink.connection = connection;
        g_gameLink.generation = generation;
    }
}

// The interface thread's end of the game: shuts the shared handle down
// (whatever exchange it belongs to) and lets go of the game connection.
void DropGameConnection()
{
    GameLink old;
    {
        std::lock_guard<std::mutex> lock(g_connectionMutex);
        ShutdownSharedSocket(g_serverSocket);
        old = g_gameLink;
        g_gameLink = GameLink();
    }
}

// A worker's end of its own connection: shuts only that one down, never a
// newer exchange that took g_serverSocket meanwhile (such as the loser's
// winner report), and lets go of it when it is the game connection.
void DropOwnConnection(const ConnectionRef& own)
{
    if (!own) return;
    GameLink old;
    {
        std::lock_guard<std::mutex> lock(g_connectionMutex);
        int handle = own->Socket();
        g_serverSocket.compare_exchange_strong(handle, INVALID_SOCKET);
        ShutdownSocket(own->Socket());
        if (g_gameLink.connection == own) {
            old = g_gameLink;
            g_gameLink = GameLink();
        }
    }
}

// Sends all of bytes: an interrupted or full send is tried again up to 3
// times 100 ms apart; any other failure gives up at once.
bool SendAll(SOCKET s, const char* bytes, int length)
{
    for (int failures = 0;;) {
        if (send(s, bytes, length, 0) == length) return true;
        if (!SocketErrorIsTransient() || ++failures >= SEND_TRIES) return false;
        Sleep(RETRY_PAUSE_MS);
    }
}

void ShowWorkerNotice(const CString& text)
{
    WriteSharedText(g_netMessage, text);
    ShowNotice(text);
}

// A failed or refused match request (or its re-login), or a queued one the
// server ended: the search ends, the waiting caption goes at once.
void EndSearch(int generation, bool socketMade, const ConnectionRef& own)
{
    if (!IsCurrent(generation) || g_onlineGame.load() == 0) return;
    g_onlineGame = 0;
    g_matchPending = 0;
    g_waitingForOpponent = 0;
    g_redrawRequested = 1;
    DropOwnConnection(own);
    if (socketMade)
        ShowWorkerNotice(ConnectionProblemText(g_workerLanguage));
    else
        ShowErrorBox("Ошибка создания сокета.");
}

// The player left the search (or began another): every way of leaving moves
// the generation on. The move receive's stop flag says nothing here: the
// search's own start leaves it set.
bool LeftOnPurpose(int generation)
{
    return !IsCurrent(generation) || g_onlineGame.load() == 0;
}

// The opponent left (or the game connection broke): the game goes on against
// the computer.
void OpponentLeft(const GameLink& link)
{
    for (int waited = 0; g_ownMoveApplying.load() == 1 && waited < OWN_MOVE_VERDICT_WAIT_MS; waited += 10) Sleep(10);
    if (!IsCurrent(link.generation)) return;
    if (g_accountDialogClosed.load() == 0) g_opponentLeftInDialog = 1;
    g_onlineGame = 0;
    g_matchPending = 0;
    DropOwnConnection(link.connection);
    if (g_gameOver.load() == 1 || g_accountDialogClosed.load() != 1) return;
    const CString own = ReadSharedText(g_ownName);
    const CString opponent = ReadSharedText(g_opponentName);
    if (!own.IsEmpty() && !IsGuestName(opponent)) AfxBeginThread(ReportOwnWinThread, nullptr);
    ShowWorkerNotice(OpponentLeftText(g_workerLanguage));
    g_opponentLeft = 1;
}

void SendWinnerReport(const CString& winner)
{
    ConnectionRef connection = OpenServerConnection();
    if (!connection) return;
    char packet[WINNER_REPORT_SIZE] = {0};
    packet[0] = ')';
    std::memcpy(packet + 1, winner.GetString(), std::min(winner.GetLength(), OWN_NAME_MAX));
    SendAll(connection->Socket(), packet, WINNER_REPORT_SIZE);
}

void WaitInQueue(const ConnectionRef& connection, int generation)
{
    const SOCKET s = connection->Socket();
    for (;;) {
        if (LeftOnPurpose(generation)) return;
        g_waitingForOpponent = 1;
        g_redrawRequested = 1;
        char buffer[SERVER_BUFFER_SIZE + 1] = {0};
        const int got = recv(s, buffer, SERVER_BUFFER_SIZE, 0);
        if (got < 0 && SocketErrorIsTransient() && !LeftOnPurpose(generation)) continue;
        if (got <= 0) {
            // An orderly close is no pairing: the wait ends either way.
            if (IsCurrent(generation)) g_waitingForOpponent = 0;
            if (!LeftOnPurpose(generation)) EndSearch(generation, true, connection);
            return;
        }
        const CString text(buffer, got);
        if (text[0] == KEEP_ALIVE) continue;
        if (!IsCurrent(generation)) return;
        g_waitingForOpponent = 0;
        g_opponentSetupGeneration = generation;
        g_matchState = 2;
        g_onlineTurn = 2;
        if (!DecodeMatchReply(text)) {
            EndSearch(generation, true, connection);
            return;
        }
        g_stopMoveReceive = 0;
        SetGameLink(connection, generation);
        ReceiveOpponentMove(GameLink{connection, generation});
        return;
    }
}

}  // namespace

// --- texts ---

CString ConnectionProblemText(int language)
{
    return language == 1 ? "Проблема в соединение с сервером. Попробуйте позже."
                         : "Problem in connection with the server. Try again later.";
}

CString OpponentLeftText(int language)
{
    return language == 1 ? "Соперник вышел из игры. Игра продолжается против компьютера."
                         : "Opponent out of the game. Game goes against the computer.";
}

CString GuestName(int language)
{
    return language == 1 ? "(гость)" : "(guest)";
}

bool IsGuestName(const CString& name)
{
    return name == "(гость)" || name == "(guest)";
}

// --- decoders ---

bool DecodePairingReply(const char* bytes, size_t length, PairingReply& out)
{
    if (bytes == nullptr) return false;
    // The decoder's copy: the text up to its first NUL, at most 299 bytes.
    char scan[REPLY_SCAN_SIZE] = {0};
    const size_t n = std::min(TextLength(bytes, length), static_cast<size_t>(REPLY_SCAN_SIZE - 1));
    std::memcpy(scan, bytes, n);
    if (n < static_cast<size_t>(SETUP_MESSAGE_LENGTH) || scan[0] != '!') return false;

    int ranks[40];
    int counts[RANK_KINDS] = {0};
    size_t p = 1;
    for (int code = 0; code < 40; ++code) {
        size_t end = p;
        while (end < n && scan[end] != '!') ++end;
        if (end >= n) return false;  // no closing "!"
        int value = -1;
        if (end - p == 1) {
            value = SetupCodeDigit(scan[p]);
        } else if (end - p == 2 && SetupCodeDigit(scan[p]) == 1) {
            const int second = SetupCodeDigit(scan[p + 1]);
            if (second == 0 || second == 1) value = 10 + second;
        }
        if (value < RANK_BOMB || value > RANK_FLAG) return false;
        ranks[code] = value;
        ++counts[value];
        p = end + 1;
    }
    for (int r = 0; r < RANK_KINDS; ++r)
        if (counts[r] != PIECE_SET[r]) return false;

    std::memcpy(out.ranks, ranks, sizeof ranks);
    out.name = n > static_cast<size_t>(PAIRING_NAME_OFFSET)
                   ? CString(scan + PAIRING_NAME_OFFSET, static_cast<int>(n) - PAIRING_NAME_OFFSET)
                   : CString();
    return true;
}

MoveReading DecodeMoveMessage(const char* bytes, size_t length, int move[4])
{
    const size_t n = bytes ? TextLength(bytes, length) : 0;
    if (n == 0) return MOVE_OPPONENT_LEFT;
    if (n != 4) return MOVE_DROPPED;
    if (std::memcmp(bytes, OPPONENT_LEFT, 4) == 0) return MOVE_OPPONENT_LEFT;
    for (int i = 0; i < 4; ++i)
        if (!IsDigit(bytes[i])) return MOVE_OPPONENT_LEFT;
    // Digit d is the sender's square d + 1, which is 11 - (d + 1) here.
    for (int i = 0; i < 4; ++i) move[i] = 10 - (bytes[i] - '0');
    return MOVE_RECEIVED;
}

int ParseOnlineCount(const char* bytes, size_t length)
{
    const size_t n = bytes ? TextLength(bytes, length) : 0;
    auto digit = [](char c) { return IsDigit(c) ? c - '0' : 0; };
    if (n == 1) return digit(bytes[0]);
    if (n == 2) return 10 * digit(bytes[0]) + digit(bytes[1]);
    return 100;
}

bool IsLoginOk(const char* bytes, size_t length)
{
    return bytes != nullptr && length >= 1 && bytes[0] == LOGIN_OK;
}

// --- the connection ---

ServerConnection::~ServerConnection()
{
    std::lock_guard<std::mutex> lock(g_connectionMutex);
    int mine = m_socket;
    g_serverSocket.compare_exchange_strong(mine, INVALID_SOCKET);
    closesocket(m_socket);
}

ConnectionRef OpenServerConnection(bool* socketMade)
{
    return OpenConnection(socketMade, ANY_EXCHANGE);
}

ConnectionRef OpenSearchConnection(int generation, bool* socketMade)
{
    return OpenConnection(socketMade, generation);
}

void CloseServerSocket()
{
    ++g_onlineGeneration;
    DropGameConnection();
}

void EndGameConnection()
{
    DropOwnConnection(CurrentGameLink().connection);
}

GameLink CurrentGameLink()
{
    std::lock_guard<std::mutex> lock(g_connectionMutex);
    return g_gameLink;
}

CString ServerRequest(SOCKET s, const CString& request)
{
    char sendBuffer[SERVER_BUFFER_SIZE] = {0};
    const int length = std::min(request.GetLength(), SERVER_BUFFER_SIZE);
    std::memcpy(sendBuffer, request.GetString(), static_cast<size_t>(length));
    SendAll(s, sendBuffer, length);
    char reply[SERVER_BUFFER_SIZE + 1] = {0};
    const int got = recv(s, reply, SERVER_BUFFER_SIZE, 0);
    return got > 0 ? CString(reply, got) : CString();
}

int ReceiveOpponentMove(const GameLink& link)
{
    if (!link.connection) return 0;
    const SOCKET s = link.connection->Socket();
    for (int errors = 0;;) {
        if (!IsCurrent(link.generation)) return 0;
        if (g_stopMoveReceive.exchange(0) == 1) {
            g_matchPending = 0;
            DropOwnConnection(link.connection);
            return 0;
        }
        char moveBuffer[10] = {0};
        const int got = recv(s, moveBuffer, 4, 0);
        if (got < 0) {
            if (SocketErrorIsTransient()) continue;
            if (++errors <= RECEIVE_ERROR_TRIES) {
                Sleep(RETRY_PAUSE_MS);
                continue;
            }
        }
        // Our own shutdown reads as an end too: a leave ends quietly.
        if (!IsCurrent(link.generation) || g_stopMoveReceive.load() == 1) continue;
        int move[4];
        const MoveReading reading =
            got < 0 ? MOVE_OPPONENT_LEFT : DecodeMoveMessage(moveBuffer, static_cast<size_t>(got), move);
        if (reading == MOVE_DROPPED) continue;
        if (reading == MOVE_OPPONENT_LEFT) {
            OpponentLeft(link);
            return 0;
        }
        for (int i = 0; i < 4; ++i) g_opponentMove[i] = move[i];
        g_opponentMoveReady = 1;
        return 1;
    }
}

int ReloginFromStoredCredentials(int generation)
{
    CString name, password;
    if (!ReadStoredLogin(&name, &password)) return 1;
    bool socketMade = false;
    ConnectionRef connection = OpenSearchConnection(generation, &socketMade);
    if (!connection) {
        EndSearch(generation, socketMade, nullptr);
        return 0;
    }
    const CString request = "%" + name + "+" + password;
    Sleep(RELOGIN_PAUSE_MS);
    if (LeftOnPurpose(generation)) return 0;
    SendAll(connection->Socket(), request, request.GetLength());
    SetReceiveTimeout(connection->Socket(), ONE_SHOT_TIMEOUT_MS);
    char reply[3] = {0};
    const int got = recv(connection->Socket(), reply, 2, 0);
    // Left meanwhile: the answer is no longer this search's to keep.
    if (LeftOnPurpose(generation)) return 0;
    if (got > 0 && IsLoginOk(reply, static_cast<size_t>(got)))
        WriteSharedText(g_credentials, request.Mid(1) + "-");
    return 1;
}

bool DecodeMatchReply(const CString& reply)
{
    int expected = 2;
    if (!g_matchState.compare_exchange_strong(expected, 0)) return false;
    PairingReply decoded;
    if (!DecodePairingReply(reply.GetString(), static_cast<size_t>(reply.GetLength()), decoded)) return false;

    const int language = g_workerLanguage;
    const CString credentials = ReadSharedText(g_credentials);
    const int plus = credentials.Find('+');
    const CString own = (plus < 0 ? credentials : credentials.Left(plus)).Left(OWN_NAME_MAX);
    {
        std::lock_guard<std::mutex> lock(g_sharedTextMutex);
        g_opponentName = decoded.name.IsEmpty() ? GuestName(language) : decoded.name;
        g_ownName = own;
    }
    std::memcpy(g_opponentSetup, decoded.ranks, sizeof decoded.ranks);
    const CString countText = ReadSharedText(g_onlineCountText);
    g_onlineCount = ParseOnlineCount(countText.GetString(), static_cast<size_t>(countText.GetLength()));
    g_matchState = 3;
    return true;
}

bool TakeDecodedSetup()
{
    int decoded = 3;
    if (!g_matchState.compare_exchange_strong(decoded, 0)) return false;
    return IsCurrent(g_opponentSetupGeneration.load());
}

CWinThread* StartOnlineThread(AFX_THREADPROC fn, LPVOID dialog)
{
    g_workerLanguage = g_language[0];
    return AfxBeginThread(fn, dialog);
}

// --- workers ---

// A search left during any of its blocking steps (the re-login, the
// connect, the wait for the reply) goes no further: it sends nothing, sets
// nothing and closes only its own connection.
UINT MatchRequestThread(LPVOID)
{
    const int generation = ++g_onlineGeneration;
    for (int attempt = 1;; ++attempt) {
        if (LeftOnPurpose(generation)) return 0;
        if (g_autoRelogin.exchange(0) == 1) {
            WriteSharedText(g_credentials, "-");
            if (ReloginFromStoredCredentials(generation) == 0) return 0;
        }
        bool socketMade = false;
        ConnectionRef connection = OpenSearchConnection(generation, &socketMade);
        if (!connection) {
            EndSearch(generation, socketMade, nullptr);
            return 0;
        }
        if (LeftOnPurpose(generation)) return 0;
        g_waitingForOpponent = 0;
        CString request;
        {
            std::lock_guard<std::mutex> lock(g_sharedTextMutex);
            request = g_credentials + g_machineId + g_setupMessage;
        }
        const CString reply = ServerRequest(connection->Socket(), request);
        if (LeftOnPurpose(generation)) return 0;
        WriteSharedText(g_matchReply, reply);
        if (reply[0] == MATCH_QUEUED) {
            WaitInQueue(connection, generation);
            return 0;
        }
        if (reply[0] == MATCH_FOUND) {
            // The turn is set before the decoded setup can reach the tick,
            // so the board never takes a click on a turn of 0 in between.
            g_onlineTurn = 1;
            g_opponentSetupGeneration = generation;
            g_matchState = 2;
            SetGameLink(connection, generation);
            if (!DecodeMatchReply(reply)) EndSearch(generation, true, connection);
            return 0;
        }
        // Neither queued nor paired: a fresh connection and the same request.
        connection.reset();
        if (attempt >= MATCH_TRIES) {
            EndSearch(generation, true, nullptr);
            return 0;
        }
        Sleep(MATCH_RETRY_PAUSE_MS);
    }
}

UINT SendMoveThread(LPVOID)
{
    const GameLink link = CurrentGameLink();
    if (!link.connection || !IsCurrent(link.generation)) {
        g_moveSendPending = 0;
        return 0;
    }
    char moveBuffer[10] = {0};
    const CString message = ReadSharedText(g_moveMessage);
    std::memcpy(moveBuffer, message.GetString(), static_cast<size_t>(std::min(message.GetLength(), 4)));
    const bool sent = SendAll(link.connection->Socket(), moveBuffer, 4);
    g_moveSendPending = 0;
    if (!sent) {
        OpponentLeft(link);
        return 0;
    }
    g_stopMoveReceive = 0;
    ReceiveOpponentMove(link);
    return 0;
}

UINT ReportOpponentWinThread(LPVOID)
{
    for (int waited = 0; g_moveSendPending.load() == 1 && waited < MOVE_SEND_WAIT_MS; waited += 10) Sleep(10);
    SendWinnerReport(ReadSharedText(g_opponentName));
    return 0;
}

UINT ReportOwnWinThread(LPVOID)
{
    SendWinnerReport(ReadSharedText(g_ownName));
    return 0;
}

UINT ServerStatusThread(LPVOID)
{
    for (;;) {
        ConnectionRef connection = OpenServerConnection();
        if (!connection) {
            WriteSharedText(g_onlineCountText, "0");
            g_serverStatus = 2;
            g_serverStatusDone = 1;
            if (g_serverStatusRetried.exchange(1) == 0) continue;
            return 0;
        }
        SetReceiveTimeout(connection->Socket(), ONE_SHOT_TIMEOUT_MS);
        const CString count = ServerRequest(connection->Socket(), "*");
        connection.reset();
        WriteSharedText(g_onlineCountText, count);
        g_serverStatus = 1;
        g_serverStatusDone = 1;
        return 0;
    }
}

UINT ServerPingThread(LPVOID)
{
    ConnectionRef connection = OpenServerConnection();
    if (!connection) {
        g_blinkStep = 0;
        g_serverReachable = 0;
        return 0;
    }
    const SOCKET s = connection->Socket();
    SetReceiveTimeout(s, ONE_SHOT_TIMEOUT_MS);
    SendAll(s, "&\0", 2);
    char reply[2] = {'0', '\0'};
    if (recv(s, reply, 2, 0) < 0) {
        g_blinkStep = 0;
        g_serverReachable = 0;
    } else {
        g_serverReachable = reply[0] == PING_ECHO ? 1 : 0;
    }
    return 0;
}

void LeaveOnlineGame()
{
    g_opponentLeftInDialog = 0;
    g_serverReachable = 0;
    g_blinkStep = 0;
    g_onlineHost.resetBannerAndPolling();
    g_setupMode = 0;
    g_waitingForOpponent = 0;
    g_stopMoveReceive = 1;
    g_onlineGame = 0;
    g_matchState = 0;
    g_matchPending = 0;
    g_onlineTurn = 0;
    CloseServerSocket();
    g_rulesHost.renderFrame();
    NewGame();
    g_rulesHost.renderFrame();
}
