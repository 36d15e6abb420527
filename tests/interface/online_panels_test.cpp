// The online panels (opponent choice, online status, news banner, setup
// choice, online banner) built with the real font and the shipped language
// files in a real GL context, then laid out and drawn.
#include <gtest/gtest.h>  // before the X headers, whose macros clash with it
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "interface/font.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/online_panels.h"
#include "interface/overlay.h"
#include "interface/panel_captions.h"
#include "interface/panel_textures.h"
#include "interface/widgets.h"
#include "online/online_state.h"
#include "online/web.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "rules/live_options.h"
#include "scene/frame_state.h"
#include "scene/image_buffer.h"
#include "scene/textures.h"
#include "tests/support/gl_dialog.h"

namespace {

constexpr int W = 1024, H = 768;
constexpr int SPARE = WidgetIndex(PANEL_USED_COUNT, 0);  // an unused slot for reference captions

void RunWithGl(std::function<void()> body)
{
    GlTestDialog dialog(W, H, [&body](GlTestDialog&) {
        glViewport(0, 0, W, H);
        glEnable(GL_TEXTURE_2D);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        body();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

void SetPanelColour(int r, int g, int b)
{
    g_panelColour[0] = r / 255.0, g_panelColour[1] = g / 255.0, g_panelColour[2] = b / 255.0;
    UpdatePanelColourBytes();
}

// Start-up as the loader does it, in a language, with the panel heights measured.
void StartUp(int language)
{
    g_appDir = VELMONAR_PROGRAM_DIR;
    LoadFont();
    BuildLanguageList();
    g_language[0] = language;
    LoadLanguage(language);
    for (int c = 0; c < 3; ++c) g_panelColour[c] = PANEL_COLOUR_DEFAULT[c];
    WriteSharedText(g_onlineCountText, "42");
    WriteSharedText(g_newsText, "бесплатные  игры  тут");
    g_panelHeightsFixed = 0;
    g_textureCreatePass = 1;
    RebuildPanelTextures(REBUILD_ALL);
    g_textureCreatePass = 0;
    LayoutAll();
}

// Level 0 of a texture as RGBA bytes.
std::vector<unsigned char> TexturePixels(GLuint name)
{
    glBindTexture(GL_TEXTURE_2D, name);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<unsigned char> pixels(static_cast<size_t>(w) * h * 4);
    if (!pixels.empty()) glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The pixels of text built the plain way in a colour and style, for comparison.
std::vector<unsigned char> Reference(const CString& text, double scale, int style, int r, int g, int b)
{
    BuildWidgetCaption(SPARE, text, scale, 5, {style, r, g, b}, nullptr);
    return TexturePixels(g_widgetTexture[SPARE]);
}

void ExpectPlaced(int w, double left, double top, const char* what)
{
    EXPECT_EQ(g_widgetLeft[w], left) << what;
    EXPECT_EQ(g_widgetTop[w], top) << what;
    EXPECT_EQ(g_widgetRight[w], left + g_widgetWidth[w]) << what;
    EXPECT_EQ(g_widgetBottom[w], top - g_widgetHeight[w]) << what;
    const RECT hit = g_widgetHitRect[w];
    EXPECT_EQ(hit.left, static_cast<int>(left)) << what;
    EXPECT_EQ(hit.top, static_cast<int>(H - top)) << what;
    EXPECT_EQ(hit.right, static_cast<int>(left + g_widgetWidth[w])) << what;
    EXPECT_EQ(hit.bottom, static_cast<int>(H - (top - g_widgetHeight[w]))) << what;
}

// The count as the server sent it when it fits beside "In game"; a text
// wider than the row above it (the label and the server states) is cut at
// its end to the most characters that fit, in either language.
TEST(OnlinePanels, AStatusCountTooWideForThePanelIsCutToWhatFits)
{
    RunWithGl([] {
        for (int language : {2, 1}) {
            SCOPED_TRACE(language);
            StartUp(language);
            int grey[3], warning[3];
            PickOnlineStatusColours(g_panelColourByte, grey, warning);
            const int limit = std::max({g_widgetWidth[425], g_widgetWidth[426], g_widgetWidth[427]});
            EXPECT_EQ(TexturePixels(g_widgetTexture[429]), Reference("42", 0.5, 2, grey[0], grey[1], grey[2]));

            WriteSharedText(g_onlineCountText, CString(std::string(600, '7')));
            BuildOnlineStatusTextures();
            EXPECT_LE(g_widgetWidth[429], limit);
            const std::vector<unsigned char> shown = TexturePixels(g_widgetTexture[429]);
            int digits = 0;
            for (int k = 1; k <= 40 && digits == 0; ++k)
                if (Reference(CString(std::string(k, '7')), 0.5, 2, grey[0], grey[1], grey[2]) == shown) digits = k;
            EXPECT_GE(digits, 4) << "a few digits still show";
            Reference(CString(std::string(digits + 1, '7')), 0.5, 2, grey[0], grey[1], grey[2]);
            EXPECT_GT(g_widgetWidth[SPARE], limit) << "one more would not fit";
            WriteSharedText(g_onlineCountText, "42");
        }
    });
}

TEST(OnlinePanels, StatusColoursFollowThePanelColour)
{
    RunWithGl([] {
        StartUp(2);
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
            SetPanelColour(c.panel[0], c.panel[1], c.panel[2]);
            BuildOnlineStatusTextures();
            const std::vector<unsigned char> label = TexturePixels(g_widgetTexture[425]);
            const std::vector<unsigned char> warning = TexturePixels(g_widgetTexture[427]);
            EXPECT_EQ(label, Reference(server, 0.5, 1, c.grey, c.grey, c.grey));
            EXPECT_EQ(warning, Reference(offline, 0.5, 2, c.warning[0], c.warning[1], c.warning[2]));
            if (c.warning[1] == 0) {
                EXPECT_NE(warning, Reference(offline, 0.5, 2, c.grey, c.grey, c.grey)) << "red, not grey";
            }
        }
        // The waiting caption is red whatever the panel.
        EXPECT_EQ(TexturePixels(g_widgetTexture[430]),
                  Reference(PanelText(PANEL_ONLINE_STATUS, 4), 1.2, 3, 235, 20, 20));
    });
}

TEST(OnlinePanels, StatusTableNewsBannerAndBannerPlacesInEnglish)
{
    RunWithGl([] {
        StartUp(2);
        ASSERT_EQ(g_menuButtonLeft, 15.0);
        const double row1 = g_menuButtonBottom - 20, row2 = row1 - 20;
        const double values = g_widgetRight[425] + 20;
        ExpectPlaced(425, 20, row1, "server label");
        ExpectPlaced(426, values, row1, "reachable");
        ExpectPlaced(427, values, row1, "not reachable");
        ExpectPlaced(428, 20, row2, "in-game label");
        ExpectPlaced(429, values, row2, "count");
        ExpectPlaced(430, W / 2 - g_widgetWidth[430] / 2, 3 * (H / 4), "waiting caption");
        const std::vector<unsigned char> inGame = TexturePixels(g_widgetTexture[428]);
        EXPECT_EQ(inGame, Reference("In   game", 0.5, 2, 200, 200, 200)) << "the default panel is dark";

        // A wide label pushes the values column; the second row keeps the left edge.
        g_uiText[UI_TEXT_GROUP_SIZE * 16] = "A   much   wider   server   label:";
        BuildOnlineStatusTextures();
        LayoutOnlineStatusPanel();
        EXPECT_GT(g_widgetRight[425] + 20, values + 100);
        ExpectPlaced(426, g_widgetRight[425] + 20, row1, "moved value");
        ExpectPlaced(429, g_widgetRight[425] + 20, row2, "moved count");
        ExpectPlaced(428, 20, row2, "in-game label stays");

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
        ExpectPlaced(428, 20, row2, "after a binary count");

        // The news banner: brackets around the text, at the top edge, centred.
        WriteSharedText(g_newsText, "");
        BuildNewsBannerTextures();
        LayoutNewsBannerPanel();
        const std::vector<unsigned char> news = TexturePixels(g_widgetTexture[450]);
        const int newsWidth = g_widgetWidth[450];
        EXPECT_EQ(news, Reference("[  ]", 0.7, 2, g_panelColourByte[0], g_panelColourByte[1], g_panelColourByte[2]));
        EXPECT_EQ(newsWidth, g_widgetWidth[SPARE]);
        EXPECT_GT(newsWidth, 0);
        ExpectPlaced(450, W / 2 - newsWidth / 2, H - 10, "news banner");
        EXPECT_NE(TexturePixels(g_widgetHotTexture[450]), news);

        // The online banner: centred on x 53, rows 20, 17, 17 under the menu button.
        for (int k = 0; k < 3; ++k) {
            const int w = 500 + k;
            const double top = g_menuButtonBottom - (k == 0 ? 20 : k == 1 ? 37 : 54);
            ExpectPlaced(w, 53 - g_widgetWidth[w] / 2, top, "banner line");
            EXPECT_GT(g_widgetWidth[w], 20);
            // Plain, alert and hot: three textures of the same size, three looks.
            const std::vector<unsigned char> plain = TexturePixels(g_onlineBannerTexture[k][0]);
            const std::vector<unsigned char> alert = TexturePixels(g_onlineBannerTexture[k][1]);
            const std::vector<unsigned char> hot = TexturePixels(g_onlineBannerTexture[k][2]);
            EXPECT_EQ(plain.size(), alert.size());
            EXPECT_EQ(plain.size(), hot.size());
            EXPECT_NE(plain, alert);
            EXPECT_NE(alert, hot);
            EXPECT_EQ(plain, Reference(PanelText(PANEL_ONLINE_BANNER, k), 0.5, 2, g_panelColourByte[0],
                                       g_panelColourByte[1], g_panelColourByte[2]));
        }
    });
}

// Every texture name of panels 16 to 20.
std::vector<GLuint> OnlineTextureNames()
{
    std::vector<GLuint> names;
    for (int w : {400, 401, 402, 403, 425, 426, 427, 428, 429, 430, 450, 475, 476}) names.push_back(g_widgetTexture[w]);
    for (int w : {401, 402, 403, 450, 475, 476}) names.push_back(g_widgetHotTexture[w]);
    for (const auto& line : g_onlineBannerTexture) names.insert(names.end(), line, line + 3);
    return names;
}

TEST(OnlinePanels, RussianBannerOpponentChoiceHeightAndSetupMargins)
{
    RunWithGl([] {
        StartUp(1);
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(g_widgetLeft[500 + k], 65 - g_widgetWidth[500 + k] / 2) << "Russian banner line " << k;
        EXPECT_EQ(TexturePixels(g_widgetTexture[428]), Reference("В   игре", 0.5, 2, 200, 200, 200));

        // The opponent choice: a centred column of the title and three buttons.
        const int height = g_widgetHeight[400] + 20 + g_widgetHeight[401] + 5 + g_widgetHeight[402] + 20 +
                           g_widgetHeight[403];
        EXPECT_EQ(g_panelHeight[PANEL_ONLINE_GAME], height);
        ExpectPlaced(400, W / 2 - g_widgetWidth[400] / 2, H / 2 + height / 2, "title");
        ExpectPlaced(401, W / 2 - g_widgetWidth[401] / 2, g_widgetBottom[400] - 20, "computer");
        ExpectPlaced(402, W / 2 - g_widgetWidth[402] / 2, g_widgetBottom[401] - 5, "online");
        ExpectPlaced(403, W / 2 - g_widgetWidth[403] / 2, g_widgetBottom[402] - 20, "back");
        for (int w = 401; w <= 403; ++w) EXPECT_NE(TexturePixels(g_widgetHotTexture[w]), TexturePixels(g_widgetTexture[w]));
        // The 1.0 back button is taller than the 0.8 buttons of the same font.
        EXPECT_GT(g_widgetHeight[403] * 8, g_widgetHeight[401] * 9);

        // A language change keeps the height measured at start-up and refills
        // the same texture names.
        const int width400 = g_widgetWidth[400];
        const std::vector<GLuint> names = OnlineTextureNames();
        for (GLuint n : names) EXPECT_NE(n, 0u);
        std::vector<GLuint> sorted = names;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end()) << "each texture its own name";
        g_language[0] = 2;
        LoadLanguage(2);
        g_panelHeightsFixed = 1;
        RebuildPanelTextures(REBUILD_ALL);
        g_panelHeightsFixed = 0;
        LayoutAll();
        EXPECT_EQ(g_panelHeight[PANEL_ONLINE_GAME], height);
        EXPECT_EQ(OnlineTextureNames(), names);
        EXPECT_NE(g_widgetWidth[400], width400);
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

// The frame after an overlay pass over black; written as a PPM into
// $VELMONAR_SHOT_DIR when that is set, for looking at.
std::vector<unsigned char> RenderOverlay(const char* name)
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawOverlay();
    glFinish();
    std::vector<unsigned char> rgb(static_cast<size_t>(W) * H * 3);
    glReadPixels(0, 0, W, H, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    if (const char* dir = std::getenv("VELMONAR_SHOT_DIR")) {
        std::ofstream out(std::string(dir) + "/" + name + ".ppm", std::ios::binary);
        out << "P6\n" << W << " " << H << "\n255\n";
        for (int y = H - 1; y >= 0; --y) out.write(reinterpret_cast<const char*>(&rgb[static_cast<size_t>(y) * W * 3]), W * 3);
    }
    return rgb;
}

// The brightest channel sum inside a widget's rectangle.
int InkOf(const std::vector<unsigned char>& rgb, int w)
{
    int most = 0;
    for (int y = static_cast<int>(g_widgetBottom[w]) + 1; y < static_cast<int>(g_widgetTop[w]); ++y)
        for (int x = static_cast<int>(g_widgetLeft[w]) + 1; x < static_cast<int>(g_widgetRight[w]); ++x) {
            const unsigned char* p = &rgb[(static_cast<size_t>(y) * W + x) * 3];
            most = std::max(most, p[0] + p[1] + p[2]);
        }
    return most;
}

GLuint OneColourTexture(unsigned char grey, unsigned char alpha)
{
    const unsigned char pixel[4] = {grey, grey, grey, alpha};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return name;
}

TEST(OnlinePanels, DrawnInTheStatesThatShowThem)
{
    RunWithGl([] {
        StartUp(1);
        g_menuBackTex = OneColourTexture(255, 255);  // tinted by the panel colour
        g_menuEdgeTex = OneColourTexture(0, 0);
        g_menuBackdropWidth = 420, g_menuBackdropHeight = 300;
        LayoutAll();
        g_overlayOn = 1;
        g_hoverId = 0;
        for (int& flag : g_panelVisible) flag = 0;

        // In setup, offline, the banner on: the news, the setup choice and the blinking banner.
        g_setupPhase = 1;
        g_setupMode = 0;
        g_onlineGame = 0;
        g_onlineBannerOn = 1;
        g_blinkStep = 1;
        const std::vector<unsigned char> setup = RenderOverlay("setup_news_banner");
        for (int w : {450, 475, 476, 500, 501, 502}) EXPECT_GT(InkOf(setup, w), 300) << w;
        g_hoverId = HOVER_SETUP_AUTOMATIC;
        const std::vector<unsigned char> hovered = RenderOverlay("setup_hovered");
        EXPECT_NE(hovered, setup);
        g_hoverId = 0;

        // Queued online: the status table and the waiting caption; no banner.
        g_onlineGame = 1;
        g_serverStatus = 2;
        g_waitingForOpponent = 1;
        const std::vector<unsigned char> online = RenderOverlay("online_status");
        for (int w : {425, 427, 428, 429, 430}) EXPECT_GT(InkOf(online, w), 150) << w;

        // The opponent choice in the menu mode.
        g_onlineGame = 0;
        g_waitingForOpponent = 0;
        g_onlineBannerOn = 0;
        g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
        g_panelVisible[PANEL_FLAG_ONLINE_GAME] = 1;
        const std::vector<unsigned char> choice = RenderOverlay("opponent_choice");
        for (int w = 400; w <= 403; ++w) EXPECT_GT(InkOf(choice, w), 150) << w;
        for (int& flag : g_panelVisible) flag = 0;
        g_setupPhase = 0;
        g_serverStatus = 2;
    });
}

}  // namespace
