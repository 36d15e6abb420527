// The match request's worker: the re-login, the request, the wait in the
// server's queue and the decoding of the pairing.
#include <cstring>
#include <mutex>
#include <string>

#include "online/game_client.h"
#include "online/notice.h"
#include "online/online_state.h"
#include "online/server_connection.h"
#include "online/stored_login.h"
#include "platform/process.h"

namespace {

const DWORD MATCH_RETRY_PAUSE_MS = 1000;
const DWORD RELOGIN_PAUSE_MS = 100;

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

// The pairing reply at the start of received, as text; the bytes after its
// end are the beginning of the move stream, kept on the connection for the
// move receive.
CString TakePairingReply(const ConnectionRef& connection, const std::string& received)
{
    const size_t end = PairingReplyEnd(received.data(), received.size());
    connection->KeepAhead(received.substr(end));
    return CString(received.data(), static_cast<int>(end));
}

// received: what came after the queued reply in its own receive (often
// nothing), read before the socket.
void WaitInQueue(const ConnectionRef& connection, int generation, std::string received)
{
    const SOCKET s = connection->Socket();
    for (;;) {
        if (LeftOnPurpose(generation)) return;
        g_waitingForOpponent = 1;
        g_redrawRequested = 1;
        if (received.empty()) {
            char buffer[SERVER_BUFFER_SIZE] = {0};
            const int got = recv(s, buffer, SERVER_BUFFER_SIZE, 0);
            if (got < 0 && SocketErrorIsTransient() && !LeftOnPurpose(generation)) continue;
            if (got <= 0) {
                // An orderly close is no pairing: the wait ends either way.
                if (IsCurrent(generation)) g_waitingForOpponent = 0;
                if (!LeftOnPurpose(generation)) EndSearch(generation, true, connection);
                return;
            }
            received.assign(buffer, static_cast<size_t>(got));
        }
        if (received[0] == KEEP_ALIVE) {
            // Keep-alives, and maybe the pairing reply that came with them.
            received.erase(0, PairingAfterNotice(received.data(), received.size()));
            if (received.empty()) continue;
        }
        if (!IsCurrent(generation)) return;
        const CString text = TakePairingReply(connection, received);
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
        const std::string received = ServerExchange(connection->Socket(), request);
        const CString reply(received.data(), static_cast<int>(received.size()));
        if (LeftOnPurpose(generation)) return 0;
        WriteSharedText(g_matchReply, reply);
        if (reply[0] == MATCH_QUEUED) {
            // A late receive may hold the pairing reply too.
            const size_t pairing = PairingAfterNotice(received.data(), received.size());
            WaitInQueue(connection, generation, received.substr(pairing));
            return 0;
        }
        if (reply[0] == MATCH_FOUND) {
            // The turn is set before the decoded setup can reach the tick,
            // so the board never takes a click on a turn of 0 in between.
            g_onlineTurn = 1;
            g_opponentSetupGeneration = generation;
            g_matchState = 2;
            const CString pairing = TakePairingReply(connection, received);
            SetGameLink(connection, generation);
            if (!DecodeMatchReply(pairing)) EndSearch(generation, true, connection);
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
