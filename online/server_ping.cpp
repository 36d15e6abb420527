// The ping's worker: whether the game server answers.
#include "online/game_client.h"
#include "online/online_state.h"
#include "online/server_connection.h"

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
