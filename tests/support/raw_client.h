// Plain loopback connections for the tests that play the other side.
#pragma once

#include <string>

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
