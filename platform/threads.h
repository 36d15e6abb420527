// Worker threads and the one interface thread that owns every window.
#pragma once

#include <functional>

#include "platform/wintypes.h"

typedef UINT (*AFX_THREADPROC)(LPVOID);
constexpr int THREAD_PRIORITY_NORMAL = 0;

// Returned by AfxBeginThread; only its being non-null means anything (the
// thread runs detached and owns itself).
class CWinThread {
public:
    virtual ~CWinThread() = default;
};

// Starts fn(param) on a new detached thread. Null when no thread could start.
CWinThread* AfxBeginThread(AFX_THREADPROC fn, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0, void* security = nullptr);

// Ends the calling worker thread from inside nested calls (unwinds its stack).
// Only for threads started by AfxBeginThread.
[[noreturn]] void AfxEndThread(UINT exitCode, BOOL deleteObject = TRUE);

// The interface thread is the first thread that opens a window; the event
// loop runs there and only there.
void InitInterfaceThread();
bool IsInterfaceThread();

// Runs work on the interface thread and waits until it has run. On the
// interface thread (or before there is one) it runs at once. The interface
// thread picks the work up in its event loop, also inside nested modal loops;
// while it runs a blocking loop without events, the work waits for it.
void RunOnInterfaceThread(const std::function<void()>& work);
