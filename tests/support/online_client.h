// What the tests of the game-server client share: the workers pointed at a
// test game server, a plain peer paired with the client, the player's move
// sent, the notices the player is shown, and the check that every worker
// ended and every connection closed.
#pragma once

#include <string>

#include "test_server.h"

extern const std::string kConnectionProblem;  // the English notices
extern const std::string kOpponentLeft;

// A fresh search as the online button leaves it, the player a guest with the
// standard army (machine "qwe"), English notices recorded.
void ResetOnlineSearch();

// The threads and descriptors a test starts from (its servers and peers
// included), and the check that it ends with no more.
class Leftovers {
public:
    void Mark();
    int Threads() const { return m_threads; }
    int Descriptors() const { return m_descriptors; }
    // Every worker ended and every connection closed (waits up to 8 s);
    // closedSinceMark: descriptors of the mark the test has closed itself.
    void ExpectNone(int closedSinceMark = 0) const;

private:
    int m_threads = 0;
    int m_descriptors = 0;
};

// Points the workers at the server and marks leftovers there; false when
// the server did not start.
bool UseServer(const TestGameServer& server, Leftovers& leftovers);

// A peer the server queued first (a guest unless credentials are given),
// then leftovers marked and the client's match request, which pairs the two,
// the client to move first. The peer, its pairing reply read into *pairing;
// -1 when any step failed.
int PairMovingFirst(const TestGameServer& server, Leftovers& leftovers, const std::string& credentials = "-",
                    std::string* pairing = nullptr);

// The player's move sent by SendMoveThread (the turn goes to the opponent);
// what the peer received.
std::string SendOwnMove(int peer, const std::string& move);

// The opponent left: g_opponentLeft came, with the one notice saying so.
void ExpectOpponentLeftNotice();
