// The live texts of the online panels (the players' count and the news line)
// replaced by a worker while the interface thread rebuilds every panel: each
// caption is built from one whole text, never from a torn one.
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>

#include <atomic>
#include <iterator>
#include <set>
#include <thread>

#include "interface/online_panels.h"
#include "interface/panel_textures.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "online/web.h"
#include "tests/support/overlay_gl.h"

namespace {

// Texts of clearly different widths, so a mixed one would measure otherwise.
const char* const COUNTS[] = {"7", "4242", "1234567890123"};
const char* const NEWS[] = {"", "Играйте", "Новые  игры  каждый  день  на  нашем  сайте"};

TEST(OnlineTexts, RebuildWhileAWorkerReplacesThem)
{
    RunWithOverlayGl(800, 600, [] {
        BuildOverlayAtStartUp(2);

        // The width each whole text gives.
        std::set<int> countWidths, newsWidths;
        for (int i = 0; i < 3; ++i) {
            WriteSharedText(g_onlineCountText, COUNTS[i]);
            WriteSharedText(g_newsText, NEWS[i]);
            BuildOnlineStatusTextures();
            BuildNewsBannerTextures();
            countWidths.insert(g_widgetWidth[429]);
            newsWidths.insert(g_widgetWidth[450]);
        }
        ASSERT_EQ(countWidths.size(), 3u);
        ASSERT_EQ(newsWidths.size(), 3u);

        std::atomic<bool> stop{false};
        std::thread worker([&stop] {
            for (int i = 0; !stop; ++i) {
                WriteSharedText(g_onlineCountText, COUNTS[i % 3]);
                WriteSharedText(g_newsText, NEWS[(i / 3) % 3]);
            }
        });
        for (int round = 0; round < 40; ++round) {
            RebuildPanelTextures(round % 2 == 0 ? REBUILD_COLOUR : REBUILD_ALL);
            EXPECT_EQ(countWidths.count(g_widgetWidth[429]), 1u) << "round " << round;
            EXPECT_EQ(newsWidths.count(g_widgetWidth[450]), 1u) << "round " << round;
        }
        stop = true;
        worker.join();

        // Once the worker is done, the rebuild shows its last texts.
        WriteSharedText(g_onlineCountText, COUNTS[1]);
        WriteSharedText(g_newsText, NEWS[0]);
        RebuildPanelTextures(REBUILD_COLOUR);
        EXPECT_EQ(g_widgetWidth[429], *std::next(countWidths.begin(), 1));
        EXPECT_EQ(g_widgetWidth[450], *newsWidths.begin()) << "the empty news is the narrowest";
    });
}

}  // namespace
