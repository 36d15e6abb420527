#include "online/server_connection.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "online/notice.h"
#include "online/online_state.h"
#include "platform/process.h"

namespace {

const int SEND_TRIES = 3;

// Guards the publishing of handles in g_serverSocket against their closing,
// so a shutdown never reaches a closed (and maybe reused) handle number.
std::mutex g_connectionMutex;
// The connection the moves travel on. A link replaced under the lock is
// moved into a local `old` and let go after it: its last reference closes
// the socket, which takes the lock again.
GameLink g_gameLink;

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

}  // namespace

bool IsCurrent(int generation)
{
    return g_onlineGeneration.load() == generation;
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

ServerConnection::~ServerConnection()
{
    std::lock_guard<std::mutex> lock(g_connectionMutex);
    int mine = m_socket;
    g_serverSocket.compare_exchange_strong(mine, INVALID_SOCKET);
    closesocket(m_socket);
}

void ServerConnection::KeepAhead(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(m_aheadMutex);
    m_ahead += bytes;
}

size_t ServerConnection::TakeAhead(char* out, size_t most)
{
    std::lock_guard<std::mutex> lock(m_aheadMutex);
    const size_t n = std::min(most, m_ahead.size());
    m_ahead.copy(out, n);
    m_ahead.erase(0, n);
    return n;
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

std::string ServerExchange(SOCKET s, const CString& request)
{
    char sendBuffer[SERVER_BUFFER_SIZE] = {0};
    const int length = std::min(request.GetLength(), SERVER_BUFFER_SIZE);
    std::memcpy(sendBuffer, request.GetString(), static_cast<size_t>(length));
    SendAll(s, sendBuffer, length);
    char reply[SERVER_BUFFER_SIZE] = {0};
    const int got = recv(s, reply, SERVER_BUFFER_SIZE, 0);
    return got > 0 ? std::string(reply, static_cast<size_t>(got)) : std::string();
}

CString ServerRequest(SOCKET s, const CString& request)
{
    const std::string reply = ServerExchange(s, request);
    return CString(reply.data(), static_cast<int>(reply.size()));
}
