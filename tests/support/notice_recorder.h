// The notices and error boxes of the online code, recorded in the order they
// came (from any thread) instead of shown.
#pragma once

#include <string>
#include <vector>

// Points the notice and the error box at the recorder and forgets what it held.
void RecordNotices();
std::vector<std::string> Notices();
void ClearNotices();
