// The game-server connection: the one shared handle g_serverSocket, opening
// a connection (which cuts off the one before it), the game connection the
// moves travel on and one request-reply exchange; and what the client's
// workers share around it: the generation test, whole sends, their notices.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>

#include "platform/sockets.h"
#include "platform/strings.h"
#include "platform/wintypes.h"

constexpr int SERVER_BUFFER_SIZE = 512;  // one receive of a reply

// A game-server connection owned by whoever holds a reference; the last
// holder closes it. While it is open its handle sits in g_serverSocket.
class ServerConnection {
public:
    explicit ServerConnection(SOCKET s) : m_socket(s) {}
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;
    SOCKET Socket() const { return m_socket; }

    // Bytes that one receive brought beyond the reply it was read for: the
    // beginning of what the server sent next (the move stream), which the
    // next read takes before the socket's.
    void KeepAhead(const std::string& bytes);
    // Moves up to most of the bytes kept ahead into out; their number.
    size_t TakeAhead(char* out, size_t most);

private:
    SOCKET m_socket;
    std::mutex m_aheadMutex;
    std::string m_ahead;
};
typedef std::shared_ptr<ServerConnection> ConnectionRef;

// Opening a connection: the connection before it is cut off, a new socket
// connects to g_serverIp:g_serverPort within 10 s. Null on failure;
// socketMade tells whether a socket could be created at all.
ConnectionRef OpenServerConnection(bool* socketMade = nullptr);
// The same for a step of the search of generation: once that search is no
// longer current it opens nothing and cuts nothing off (null, no socket made).
ConnectionRef OpenSearchConnection(int generation, bool* socketMade);

// The one way the interface thread closes g_serverSocket: moves the
// generation on, shuts the connection down (waking a blocked receive) and
// lets go of the game connection. The owners close the handles.
void CloseServerSocket();

// The connection the moves travel on, with the generation it belongs to.
struct GameLink {
    ConnectionRef connection;
    int generation = 0;
};
GameLink CurrentGameLink();

// The end of an online game by the rules: the game connection is shut down
// and let go (its last holder closes it).
void EndGameConnection();

// Sends request on s and returns the bytes of one receive of up to 512 bytes
// as they came (empty when the receive failed).
std::string ServerExchange(SOCKET s, const CString& request);
// The same exchange's reply as text (up to its first NUL).
CString ServerRequest(SOCKET s, const CString& request);

// --- shared by the client's workers ---

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
