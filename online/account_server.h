// What the log-in and registration dialogs share: their exchange with the
// game server on the local machine, the entry checks and the message box.
#pragma once

#include "platform/sockets.h"
#include "platform/strings.h"
#include "platform/wintypes.h"

constexpr unsigned short ACCOUNT_SERVER_PORT = 10002;
// A server that accepts and never answers is given up after this long: with
// the pause before the request the player waits less than 5 s.
constexpr DWORD ACCOUNT_RECEIVE_LIMIT_MS = 4500;
// The wait for the reply goes in slices this long; between them the windows
// are drawn as they ask.
constexpr DWORD ACCOUNT_RECEIVE_SLICE_MS = 100;

// The dialogs' own text (the connection notice is the client's ConnectionProblemText).
const char* SocketErrorText();

// True when every byte is an ASCII letter or digit (an empty text passes).
bool IsLatinLettersAndDigits(const CString& text);

enum AccountExchange {
    ACCOUNT_NO_SOCKET,      // no socket could be made
    ACCOUNT_NO_CONNECTION,  // the host did not resolve or the connection failed (socket closed)
    ACCOUNT_NO_REPLY,       // the send or the receive failed, or timed out (socket open)
    ACCOUNT_REPLY,          // reply holds the first bytes received (socket open)
};

// One request of a dialog: closes the dialog's old socket, opens a new one to
// host:port (address keeps where it went), sends request after 100 ms and
// receives up to 2 bytes into reply (zeroed first) within the receive limit,
// keeping the windows drawn meanwhile.
AccountExchange ExchangeWithAccountServer(const CString& host, unsigned short port, SOCKET& s,
                                          sockaddr_in& address, const CString& request, char reply[2]);
