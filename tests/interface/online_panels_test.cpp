// The online panels (opponent choice, online status, news banner, setup
// choice, online banner) built with the real font and the shipped language
// files in a real GL context: the status colours on other panels, the live
// texts, the places, and the drawing (their captions as the start-up builds
// them are the panel table test's).
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "interface/caption_bar.h"
#include "interface/caption_colours.h"
#include "interface/font.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/online_panels.h"
#include "interface/overlay.h"
#include "interface/panel_captions.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "online/web.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"
#include "tests/support/interface_steps.h"
#include "tests/support/overlay_gl.h"

namespace {

constexpr int W = 1024, H = 768;
// Start-up as the loader does it, in a language, with the live texts given.
void StartUp(int language, int backdropWidth = 300, int backdropHeight = 300)
{
    WriteSharedText(g_onlineCountText, "42");
    WriteSharedText(g_newsText, "бесплатные  игры  тут");
    BuildOverlayAtStartUp(language, backdropWidth, backdropHeight);
}

// The picture of text drawn in one look at spacing 5, for comparison.
TexImage Reference(const CString& text, int style, int r, int g, int b)
{
    return ReferenceCaption(text, 5, {CaptionLook{style, r, g, b}})[0];
}

// The count as the server sent it when it fits beside "In game"; a text
// wider than the row above it (the label and the server states) is cut at
// its end to the most characters that fit, in either language.
TEST(OnlinePanels, AStatusCountTooWideForThePanelIsCutToWhatFits)
{
    RunWithOverlayGl(W, H, [] {
        for (int language : {2, 1}) {
            SCOPED_TRACE(language);
            StartUp(language);
            int grey[3], warning[3];
            PickOnlineStatusColours(g_panelColourByte, grey, warning);
            const int limit = std::max({g_widgetWidth[425], g_widgetWidth[426], g_widgetWidth[427]});
            const auto sevens = [&](int k) { return Reference(CString(std::string(k, '7')), 2, grey[0], grey[1], grey[2]); };
            EXPECT_EQ(ReadTexture(g_widgetTexture[429]), Reference("42", 2, grey[0], grey[1], grey[2]));

            WriteSharedText(g_onlineCountText, CString(std::string(600, '7')));
            BuildOnlineStatusTextures();
            EXPECT_LE(g_widgetWidth[429], limit);
            const TexImage shown = ReadTexture(g_widgetTexture[429]);
            int digits = 0;
            for (int k = 1; k <= 40 && digits == 0; ++k)
                if (sevens(k) == shown) digits = k;
            EXPECT_GE(digits, 4) << "a few digits still show";
            // The caption of one digit more, at the status rows' scale 0.5.
            const int wider = Measured(CString(std::string(digits + 1, '7')), g_texturePadX, g_texturePadY, 5, 1).first;
            EXPECT_GT(static_cast<int>(wider * 0.5), limit) << "one more would not fit";
            WriteSharedText(g_onlineCountText, "42");
        }
    });
}

TEST(OnlinePanels, StatusTableNewsBannerAndBannerPlacesAndStatusColoursInEnglish)
{
    RunWithOverlayGl(W, H, [] {
        StartUp(2);
        ASSERT_EQ(g_menuButtonLeft, 15.0);
        const double row1 = g_menuButtonBottom - 20, row2 = row1 - 20;
        const double values = g_widgetRight[425] + 20;
        ExpectPlaced(425, 20, row1, H);
        ExpectPlaced(426, values, row1, H);
        ExpectPlaced(427, values, row1, H);
        ExpectPlaced(428, 20, row2, H);
        ExpectPlaced(429, values, row2, H);
        ExpectPlaced(430, W / 2 - g_widgetWidth[430] / 2, 3 * (H / 4), H);

        // A wide label pushes the values column; the second row keeps the left edge.
        g_uiText[UI_TEXT_GROUP_SIZE * 16] = "A   much   wider   server   label:";
        BuildOnlineStatusTextures();
        LayoutOnlineStatusPanel();
        EXPECT_GT(g_widgetRight[425] + 20, values + 100);
        ExpectPlaced(426, g_widgetRight[425] + 20, row1, H);
        ExpectPlaced(429, g_widgetRight[425] + 20, row2, H);
        ExpectPlaced(428, 20, row2, H);

        // The count follows its text; a long binary reply builds without harm.
        const int width42 = g_widgetWidth[429];
        WriteSharedText(g_onlineCountText, "123");
        BuildOnlineStatusTextures();
        EXPECT_GT(g_widgetWidth[429], width42);
        std::string binary(512, '\0');
        for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(1 + (i * 37) % 255);
        WriteSharedText(g_onlineCountText, CString(binary.data(), static_cast<int>(binary.size())));
        BuildOnlineStatusTextures();
        LayoutOnlineStatusPanel();
        EXPECT_GT(g_widgetWidth[429], 0);
        EXPECT_LE(g_widgetWidth[429], TEXT_IMAGE_SIDE_MAX / 2);
        ExpectPlaced(428, 20, row2, H);

        // The news banner: brackets around the text, at the top edge, centred.
        WriteSharedText(g_newsText, "");
        BuildNewsBannerTextures();
        LayoutNewsBannerPanel();
        const int newsWidth = g_widgetWidth[450];
        EXPECT_TRUE(ReadTexture(g_widgetTexture[450]) ==
                    Reference("[  ]", 2, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2]));
        EXPECT_EQ(newsWidth, static_cast<int>(Measured("[  ]", g_texturePadX, g_texturePadY, 5, 1).first * 0.7));
        EXPECT_GT(newsWidth, 0);
        ExpectPlaced(450, W / 2 - newsWidth / 2, H - 10, H);

        // The online banner: centred on x 53, rows 20, 17, 17 under the menu button.
        for (int k = 0; k < 3; ++k) {
            const int w = 500 + k;
            const double top = g_menuButtonBottom - (k == 0 ? 20 : k == 1 ? 37 : 54);
            ExpectPlaced(w, 53 - g_widgetWidth[w] / 2, top, H);
            EXPECT_GT(g_widgetWidth[w], 20);
        }

        // The status colours follow the panel colour.
        const CString server = PanelText(PANEL_ONLINE_STATUS, 0), offline = PanelText(PANEL_ONLINE_STATUS, 2);
        ASSERT_FALSE(offline.IsEmpty());
        struct Case {
            int panel[3];
            int grey;
            int warning[3];
        };
        const Case cases[] = {
            {{255, 255, 255}, 50, {255, 0, 0}},   // light panel: dark grey, red warning
            {{40, 90, 125}, 200, {255, 0, 0}},    // dark panel: light grey
            {{200, 100, 100}, 50, {50, 50, 50}},  // reddish panel: the warning turns grey
            {{150, 150, 150}, 50, {50, 50, 50}},  // the reddish test's edges are inclusive
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.panel[0]);
            for (int k = 0; k < 3; ++k) g_panelColour[k] = c.panel[k] / 255.0;
            UpdatePanelColourBytes();
            BuildOnlineStatusTextures();
            const TexImage warning = ReadTexture(g_widgetTexture[427]);
            EXPECT_TRUE(ReadTexture(g_widgetTexture[425]) == Reference(server, 1, c.grey, c.grey, c.grey));
            EXPECT_TRUE(warning == Reference(offline, 2, c.warning[0], c.warning[1], c.warning[2]));
            if (c.warning[1] == 0) {
                EXPECT_FALSE(warning == Reference(offline, 2, c.grey, c.grey, c.grey)) << "red, not grey";
            }
            // The waiting caption is red whatever the panel.
            EXPECT_TRUE(ReadTexture(g_widgetTexture[430]) ==
                        Reference(PanelText(PANEL_ONLINE_STATUS, 4), 3, 235, 20, 20));
        }
    });
}

TEST(OnlinePanels, RussianBannerOpponentChoiceHeightAndSetupMargins)
{
    RunWithOverlayGl(W, H, [] {
        StartUp(1);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(g_widgetLeft[500 + k], 65 - g_widgetWidth[500 + k] / 2) << "Russian banner line " << k;

        // The opponent choice: a centred column of the title and three buttons.
        const int height = g_panelHeight[PANEL_ONLINE_GAME];
        ExpectPlaced(400, W / 2 - g_widgetWidth[400] / 2, H / 2 + height / 2, H);
        ExpectPlaced(401, W / 2 - g_widgetWidth[401] / 2, g_widgetBottom[400] - 20, H);
        ExpectPlaced(402, W / 2 - g_widgetWidth[402] / 2, g_widgetBottom[401] - 5, H);
        ExpectPlaced(403, W / 2 - g_widgetWidth[403] / 2, g_widgetBottom[402] - 20, H);

        // After a language change (which keeps the height measured at
        // start-up: the panel caption test's) the title is centred anew.
        const int width400 = g_widgetWidth[400];
        ChangeOverlayLanguage(2);
        EXPECT_NE(g_widgetWidth[400], width400);
        EXPECT_EQ(g_widgetLeft[400], W / 2 - g_widgetWidth[400] / 2);
        EXPECT_EQ(g_widgetTop[400], H / 2 + height / 2);
        EXPECT_EQ(g_widgetLeft[500], 53 - g_widgetWidth[500] / 2);

        // The setup choice keeps a twentieth of the width from each side, an
        // eighth of the height above the bottom, at any size.
        const int sizes[2][2] = {{W, H}, {799, 601}};
        for (const auto& s : sizes) {
            glViewport(0, 0, s[0], s[1]);
            LayoutAll();
            EXPECT_EQ(g_widgetLeft[475], s[0] / 20);
            EXPECT_EQ(g_widgetRight[476], s[0] - s[0] / 20);
            EXPECT_EQ(g_widgetTop[475], s[1] / 8);
            EXPECT_EQ(g_widgetTop[476], s[1] / 8);
            EXPECT_EQ(g_widgetHitRect[476].bottom, static_cast<int>(s[1] - (s[1] / 8 - g_widgetHeight[476])));
        }
        EXPECT_EQ(g_widgetLeft[475], 39);
        glViewport(0, 0, W, H);
    });
}

// The frame after an overlay pass over black, kept when asked.
Shot RenderOverlay(const char* name)
{
    const Shot shot = RenderOverlayShot(W, H);
    shot.SaveIfAsked(name);
    return shot;
}

TEST(OnlinePanels, DrawnInTheStatesThatShowThem)
{
    RunWithOverlayGl(W, H, [] {
        StartUp(1, 420, 300);
        g_overlayOn = 1;
        g_hoverId = 0;
        for (int& flag : g_panelVisible) flag = 0;

        // In setup, offline, the banner on: the news, the setup choice and the blinking banner.
        g_setupPhase = 1;
        g_setupMode = 0;
        g_onlineGame = 0;
        g_onlineBannerOn = 1;
        g_blinkStep = 1;
        const Shot setup = RenderOverlay("setup_news_banner");
        for (int w : {450, 475, 476, 500, 501, 502}) EXPECT_GT(setup.Ink(w), 300) << w;
        g_hoverId = HOVER_SETUP_AUTOMATIC;
        const Shot hovered = RenderOverlay("setup_hovered");
        EXPECT_NE(hovered.pixels, setup.pixels);
        g_hoverId = 0;

        // Queued online: the status table and the waiting caption; no banner.
        g_onlineGame = 1;
        g_serverStatus = 2;
        g_waitingForOpponent = 1;
        const Shot online = RenderOverlay("online_status");
        for (int w : {425, 427, 428, 429, 430}) EXPECT_GT(online.Ink(w), 150) << w;

        // The opponent choice in the menu mode.
        g_onlineGame = 0;
        g_waitingForOpponent = 0;
        g_onlineBannerOn = 0;
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
        g_panelVisible[PANEL_FLAG_ONLINE_GAME] = 1;
        const Shot choice = RenderOverlay("opponent_choice");
        for (int w = 400; w <= 403; ++w) EXPECT_GT(choice.Ink(w), 150) << w;
        for (int& flag : g_panelVisible) flag = 0;
        g_setupPhase = 0;
        g_serverStatus = 2;
    });
}

}  // namespace
