// The status query's worker: the number of players in game.
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/server_connection.h"

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
