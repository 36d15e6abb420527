// Worker threads, and modal boxes they ask the interface thread to show.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <gtest/gtest.h>

#include <FL/fl_draw.H>  // after the test framework: it brings X names in

#include <atomic>
#include <chrono>
#include <string>
#include <memory>
#include <thread>
#include <vector>

#include "platform/message_box.h"
#include "platform/threads.h"
#include "platform/window.h"

namespace {

// Runs the interface thread's event loop until done() or ten seconds.
template <class Done>
bool PumpUntil(Done done)
{
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done() && std::chrono::steady_clock::now() < until) Fl::wait(0.02);
    return done();
}

std::atomic<bool> g_workerResumed{false};
std::atomic<bool> g_workerStarted{false};

const char kPathText[] = "Failed to open DIB file /media/disk@1/Fon.res.";

UINT ShowNoticeFromWorker(LPVOID)
{
    g_workerStarted = true;
    AfxMessageBox(kPathText, MB_ICONHAND);
    g_workerResumed = true;
    return 0;
}

struct BoxCheck {
    std::thread::id seenOn;
    std::string caption;
    bool workerWaited = false;
    bool closed = false;
    int shownWidth = -1;  // of the message as the toolkit lays it out
    int fullWidth = 0;    // of every character as written
};

// Runs inside the box's own event loop: looks at the box and measures its
// message, then closes it.
void LookAtTheBox(void* data)
{
    auto* check = static_cast<BoxCheck*>(data);
    Fl_Window* box = Fl::modal();
    if (!box) {
        Fl::repeat_timeout(0.02, LookAtTheBox, data);
        return;
    }
    check->seenOn = std::this_thread::get_id();
    check->caption = box->label() ? box->label() : "";
    for (int i = 0; i < box->children(); ++i) {
        Fl_Widget* child = box->child(i);
        if (!child->label() || std::string(child->label()).find("DIB") == std::string::npos) continue;
        fl_font(child->labelfont(), child->labelsize());
        int w = 0, h = 0;
        fl_measure(child->label(), w, h, 1);  // with symbols, as labels are drawn
        check->shownWidth = w;
        w = h = 0;
        fl_measure(kPathText, w, h, 0);
        check->fullWidth = w;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    check->workerWaited = g_workerStarted && !g_workerResumed;
    box->do_callback();  // the box's close: same as its OK button
    check->closed = true;
}

// The box is shown whole: a text with an at sign (a symbol in the toolkit's
// labels) in full.
TEST(WorkerNotices, AreShownByTheInterfaceThreadWhileTheWorkerWaits)
{
    InitInterfaceThread();
    BoxCheck check;
    Fl::add_timeout(0.02, LookAtTheBox, &check);
    ASSERT_NE(AfxBeginThread(ShowNoticeFromWorker, nullptr), nullptr);
    EXPECT_TRUE(PumpUntil([] { return g_workerResumed.load(); }));
    Fl::remove_timeout(LookAtTheBox, &check);
    EXPECT_TRUE(check.closed);
    EXPECT_EQ(check.seenOn, std::this_thread::get_id());
    EXPECT_EQ(check.caption, "Velmonar");
    EXPECT_TRUE(check.workerWaited);
    EXPECT_GT(check.fullWidth, 0);
    EXPECT_EQ(check.shownWidth, check.fullWidth);
}

// Several workers make the program's first requests at the same moment (a
// fault here shows as a race under ThreadSanitizer, or as workers that hang).
TEST(WorkerNotices, WorkersAskingAtOnceAreEachServedOnce)
{
    InitInterfaceThread();
    constexpr int kWorkers = 8;
    struct Shared {
        std::atomic<int> ready{0};
        std::atomic<int> finished{0};
        int runs = 0;  // touched on the interface thread only
    };
    auto shared = std::make_shared<Shared>();
    std::vector<std::thread> workers;
    for (int i = 0; i < kWorkers; ++i)
        workers.emplace_back([shared] {
            ++shared->ready;
            while (shared->ready.load() < kWorkers) {
            }
            RunOnInterfaceThread([&] {
                EXPECT_TRUE(IsInterfaceThread());
                ++shared->runs;
            });
            ++shared->finished;
        });
    const bool allServed = PumpUntil([&] { return shared->finished.load() == kWorkers; });
    for (std::thread& t : workers) {
        if (allServed) t.join();
        else t.detach();  // a hung worker must not hang the test too
    }
    ASSERT_TRUE(allServed);
    EXPECT_EQ(shared->runs, kWorkers);
}

class EndsAtOnce : public CDialog {
public:
    EndsAtOnce() : CDialog(DialogTemplate{920, 0, 0, 80, 40, true, {}}) {}
    std::thread::id initialisedOn;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        initialisedOn = std::this_thread::get_id();
        EndDialog(7);
        return TRUE;
    }
};

TEST(WorkerNotices, ADialogRunFromAWorkerRunsOnTheInterfaceThread)
{
    InitInterfaceThread();
    EndsAtOnce dialog;
    std::atomic<long> result{0};
    std::thread worker([&] { result = dialog.DoModal(); });
    EXPECT_TRUE(PumpUntil([&] { return result.load() != 0; }));
    worker.join();
    EXPECT_EQ(result.load(), 7);
    EXPECT_EQ(dialog.initialisedOn, std::this_thread::get_id());
}

std::atomic<int> g_stage{0};
std::atomic<bool> g_unwound{false};

struct SetsOnUnwind {
    ~SetsOnUnwind() { g_unwound = true; }
};

void DeepInside()
{
    SetsOnUnwind guard;
    g_stage = 1;
    AfxEndThread(0);
}

UINT EndsFromInside(LPVOID)
{
    DeepInside();
    g_stage = 2;  // never reached
    return 0;
}

TEST(WorkerThreads, AfxEndThreadEndsTheThreadFromNestedCalls)
{
    ASSERT_NE(AfxBeginThread(EndsFromInside, nullptr), nullptr);
    PumpUntil([] { return g_unwound.load(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(g_unwound);
    EXPECT_EQ(g_stage.load(), 1);
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
}

}  // namespace
