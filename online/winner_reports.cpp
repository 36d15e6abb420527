// The winner reports' workers: the loser's side names the opponent, the side
// whose opponent left names itself.
#include <algorithm>
#include <cstring>

#include "online/game_client.h"
#include "online/online_state.h"
#include "online/server_connection.h"
#include "platform/process.h"

namespace {

const int MOVE_SEND_WAIT_MS = 2000;

void SendWinnerReport(const CString& winner)
{
    ConnectionRef connection = OpenServerConnection();
    if (!connection) return;
    char packet[WINNER_REPORT_SIZE] = {0};
    packet[0] = ')';
    std::memcpy(packet + 1, winner.GetString(), std::min(winner.GetLength(), OWN_NAME_MAX));
    SendAll(connection->Socket(), packet, WINNER_REPORT_SIZE);
}

}  // namespace

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
