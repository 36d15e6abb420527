// Plain loopback connections for the tests that play the other side.
#pragma once

#include <string>
#include <vector>

// Connects to address:10002; -1 on failure.
int RawConnect(const std::string& address);
bool RawSend(int fd, const std::string& bytes);
// One receive within timeoutMs: the bytes, "" for an orderly end; "<timeout>"
// or "<error>" otherwise.
std::string RawReceive(int fd, int timeoutMs = 5000);
// Receives until count bytes arrived, the end, or the timeout.
std::string RawReceiveAll(int fd, size_t count, int timeoutMs = 5000);

// A full army's setup string for ranks in the order x 1..10, y 1..4.
std::string StandardSetupMessage();
// The same army with two of its one-character codes swapped: another
// arrangement, so that each side can tell its own setup from the other's.
std::string OtherSetupMessage();
// The rank codes read back from a setup string, in its order.
std::vector<int> RanksOf(const std::string& setup);
// The bytes as hexadecimal digits, as the test game server's switches take them.
std::string HexOf(const std::string& bytes);

// A plain peer that has sent its match request (machine "qwe", the other
// setup; a guest unless credentials are given); its reply is left unread.
int RequestingPeer(const std::string& address, const std::string& credentials = "-");
// A plain peer whose match request the server queued; -1 when it did not.
int QueuedPeer(const std::string& address, const std::string& credentials = "-");
