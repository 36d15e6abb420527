// The moves both ways on the game connection: the worker that sends the
// player's move and then waits for the opponent's, and the end of the game
// when the opponent leaves.
#include <algorithm>
#include <cstring>

#include "online/game_client.h"
#include "online/online_state.h"
#include "online/server_connection.h"
#include "platform/process.h"
#include "rules/board.h"

int g_sentMove[4] = {0, 0, 0, 0};
CString g_moveMessage;
std::atomic<int> g_moveSendPending{0};
std::atomic<int> g_ownMoveApplying{0};

namespace {

const int RECEIVE_ERROR_TRIES = 3;
const size_t MOVE_MESSAGE_LENGTH = 4;
const int OWN_MOVE_VERDICT_WAIT_MS = 5000;

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

}  // namespace

int ReceiveOpponentMove(const GameLink& link)
{
    if (!link.connection) return 0;
    ServerConnection& connection = *link.connection;
    const SOCKET s = connection.Socket();
    char message[MOVE_MESSAGE_LENGTH + 1] = {0};
    size_t have = 0;  // a message split over receives is put together
    for (int errors = 0;;) {
        if (!IsCurrent(link.generation)) return 0;
        if (g_stopMoveReceive.exchange(0) == 1) {
            g_matchPending = 0;
            DropOwnConnection(link.connection);
            return 0;
        }
        have += connection.TakeAhead(message + have, MOVE_MESSAGE_LENGTH - have);
        int got = 1;
        if (have < MOVE_MESSAGE_LENGTH) {
            got = recv(s, message + have, static_cast<int>(MOVE_MESSAGE_LENGTH - have), 0);
            if (got < 0) {
                if (SocketErrorIsTransient()) continue;
                if (++errors <= RECEIVE_ERROR_TRIES) {
                    Sleep(RETRY_PAUSE_MS);
                    continue;
                }
            }
            if (got > 0) have += static_cast<size_t>(got);
        }
        // Our own shutdown reads as an end too: a leave ends quietly.
        if (!IsCurrent(link.generation) || g_stopMoveReceive.load() == 1) continue;
        // A part of a move waits for its rest from the next receive; an
        // orderly close (or lasting errors) ends the game, a part with it.
        if (got > 0 && have < MOVE_MESSAGE_LENGTH) continue;
        int move[4];
        const MoveReading reading = got <= 0 ? MOVE_OPPONENT_LEFT : DecodeMoveMessage(message, have, move);
        have = 0;
        std::memset(message, 0, sizeof message);
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
