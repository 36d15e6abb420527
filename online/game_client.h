// The client side of the game-server protocol: the worker threads, the
// decoding of the server's replies and the leave. Every exchange runs in its
// own worker; results come back through online/online_state.h, which the
// 500 ms tick polls.
#pragma once

#include <atomic>
#include <cstddef>

#include "online/server_connection.h"
#include "platform/sockets.h"
#include "platform/strings.h"
#include "platform/threads.h"

// Reply codes and fixed messages.
constexpr char LOGIN_OK = '-';
constexpr char NAME_TAKEN = '-';
constexpr char REGISTERED = '+';
constexpr char MATCH_QUEUED = '?';
constexpr char MATCH_FOUND = '!';
constexpr char KEEP_ALIVE = '&';
constexpr char PING_ECHO = '&';
extern const char* const OPPONENT_LEFT;  // "rrrr"

constexpr int REPLY_SCAN_SIZE = 300;       // the decoder's copy of a pairing reply
constexpr int WINNER_REPORT_SIZE = 22;
constexpr int OWN_NAME_MAX = 21;
constexpr int SETUP_MESSAGE_LENGTH = 83;   // a full army in setup-string form
constexpr int PAIRING_NAME_OFFSET = 84;
constexpr int MATCH_TRIES = 5;             // match replies neither "?" nor "!"
constexpr DWORD ONE_SHOT_TIMEOUT_MS = 10000;

// The notices' texts (Windows-1251 inside).
CString ConnectionProblemText(int language);
CString OpponentLeftText(int language);
CString GuestName(int language);
// True for "(гость)" and "(guest)".
bool IsGuestName(const CString& name);

// --- pure decoders of the server's replies: (bytes, length) in, never read past length ---

// The opponent's setup and name from a pairing reply. Accepted only when
// byte 0 is "!", exactly 40 codes follow, each of table characters standing
// for 0..11, and the ranks make up the standard army. The name starts at
// byte 84 (empty: a guest) and ends at the first NUL.
struct PairingReply {
    int ranks[40];   // in code order: the sender's x 1..10 outer, y 1..4 inner
    CString name;
};
bool DecodePairingReply(const char* bytes, size_t length, PairingReply& out);

// A queue notice (the queued reply "?" or a keep-alive "&") can come in one
// receive with what the server sent after it. In bytes that begin with a
// notice: where the pairing reply begins (its "!"), length when none came.
size_t PairingAfterNotice(const char* bytes, size_t length);

// Where a pairing reply ends in one receive: just past the NUL that ends the
// name (the first NUL from byte 84), length when none came. What follows is
// the beginning of the move stream.
size_t PairingReplyEnd(const char* bytes, size_t length);

// One move message on the game connection.
enum MoveReading {
    MOVE_DROPPED,        // 1 to 3 characters before a NUL (or more than 4): read on
    MOVE_RECEIVED,       // four digits, turned to the local board in move[0..3]
    MOVE_OPPONENT_LEFT,  // "rrrr", an empty text, or a move that is not four digits
};
MoveReading DecodeMoveMessage(const char* bytes, size_t length, int move[4]);

// The players-in-game count of a status reply: one character its digit, two
// characters ten times the first plus the second (a non-digit counts 0), any
// other length 100.
int ParseOnlineCount(const char* bytes, size_t length);

// A log-in answer: true when its first byte is LOGIN_OK.
bool IsLoginOk(const char* bytes, size_t length);

// The blocking receive of one opponent move on link: the bytes the
// connection kept ahead first, then the socket's, 4 bytes a message however
// the receives split them. 1 a move is stored in g_opponentMove and
// published by g_opponentMoveReady; 0 the game ended here (the opponent
// left, or the game was left on purpose).
int ReceiveOpponentMove(const GameLink& link);

// Logs in again from the stored log-in file. 0 when the match request must
// end: the connection failed (the notice is shown), or the search of
// generation is no longer current (nothing is sent or kept); 1 otherwise.
int ReloginFromStoredCredentials(int generation);

// Decodes reply when g_matchState is 2: the opponent's setup into
// g_opponentSetup, the names, the count, then g_matchState 3. A reply that
// does not pass DecodePairingReply leaves g_matchState at 0 and returns false.
bool DecodeMatchReply(const CString& reply);

// Takes a setup DecodeMatchReply left in g_matchState 3 (setting it back to
// 0): true when it belongs to the search still current, which is so even
// after the opponent left (the game then goes on against the computer), but
// not after the player left or began another search.
bool TakeDecodedSetup();

// Starts a worker with the dialog as argument, handing it the language of the
// calling (interface) thread.
CWinThread* StartOnlineThread(AFX_THREADPROC fn, LPVOID dialog);

// --- the workers (param: the main dialog, unused) ---
UINT MatchRequestThread(LPVOID param);
UINT SendMoveThread(LPVOID param);
UINT ReportOpponentWinThread(LPVOID param);
UINT ReportOwnWinThread(LPVOID param);
UINT ServerStatusThread(LPVOID param);
UINT ServerPingThread(LPVOID param);

// The outgoing move of SendMoveThread: written by the board click before it
// starts the thread.
extern int g_sentMove[4];
extern CString g_moveMessage;
// 1 from the click that starts SendMoveThread until that thread has tried its
// send: a report the same click starts waits for it (up to 2 s), so the
// winner sees the last move before the report cuts the game connection off.
extern std::atomic<int> g_moveSendPending;
// 1 while the board click applies and judges the move it has just handed to
// SendMoveThread: an end of the game connection read meanwhile waits for
// that verdict (up to 5 s), so a winner by its own move never takes the
// loser's report for the opponent leaving.
extern std::atomic<int> g_ownMoveApplying;

// Leaves the online game: every online flag cleared, the connection shut
// down, the banner off, the next ping due, a redraw, a new game, a redraw.
void LeaveOnlineGame();
