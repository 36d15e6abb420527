#include "platform/threads.h"

#include <FL/Fl.H>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace {

std::once_flag g_interfaceOnce;
std::atomic<bool> g_haveInterfaceThread{false};
std::thread::id g_interfaceThread;

// Thrown by AfxEndThread, caught where the thread began.
struct ThreadEnd {};

class DetachedThread : public CWinThread {};

struct PendingWork {
    const std::function<void()>* work;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
};

void RunPending(void* data)
{
    auto* pending = static_cast<PendingWork*>(data);
    (*pending->work)();
    std::lock_guard<std::mutex> lock(pending->mutex);
    pending->finished = true;
    pending->done.notify_all();
}

void NoWork(void*) {}

}  // namespace

void InitInterfaceThread()
{
    std::call_once(g_interfaceOnce, [] {
        g_interfaceThread = std::this_thread::get_id();
        Fl::lock();  // enables Fl::awake from worker threads
        // The toolkit creates the lock of its awake queue on first use without
        // guarding that: two workers asking at once would each make one. Use
        // it here, before any worker can.
        Fl::awake(NoWork, nullptr);
        g_haveInterfaceThread.store(true, std::memory_order_release);
    });
}

bool IsInterfaceThread()
{
    return !g_haveInterfaceThread.load(std::memory_order_acquire) ||
           std::this_thread::get_id() == g_interfaceThread;
}

void RunOnInterfaceThread(const std::function<void()>& work)
{
    if (IsInterfaceThread()) {
        work();
        return;
    }
    PendingWork pending;
    pending.work = &work;
    // The awake queue can be full for a moment; try again until it takes the work.
    while (Fl::awake(RunPending, &pending) != 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::unique_lock<std::mutex> lock(pending.mutex);
    pending.done.wait(lock, [&] { return pending.finished; });
}

CWinThread* AfxBeginThread(AFX_THREADPROC fn, LPVOID param, int, UINT, DWORD, void*)
{
    if (!fn) return nullptr;
    static DetachedThread started;
    try {
        std::thread([fn, param] {
            try {
                fn(param);
            } catch (const ThreadEnd&) {
            }
        }).detach();
    } catch (const std::exception&) {
        return nullptr;
    }
    return &started;
}

void AfxEndThread(UINT, BOOL)
{
    throw ThreadEnd{};
}
