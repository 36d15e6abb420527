// The whole start-up in the real main dialog, against the built program
// folder (on a quick fake clock): the board geometry it derives, the textures
// it makes, the first panel it opens, and a clean end on missing data.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "interface/caption_bar.h"
#include "interface/language.h"
#include "interface/widgets.h"
#include "interface/options.h"
#include "interface/save_slots.h"
#include "online/web.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "rules/board.h"
#include "scene/board_geometry.h"
#include "scene/dib_image.h"
#include "scene/frame_state.h"
#include "scene/image_buffer.h"
#include "scene/textures.h"
#include "scene/tray_geometry.h"
#include "tests/support/main_dialog.h"
#include "tests/support/options_line.h"
#include "tests/support/program_links.h"

namespace {

std::vector<std::string> g_messages;
int RecordMessage(void*, const char* text, const char* caption, UINT)
{
    g_messages.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

std::vector<bool> g_flyIns;
void RecordFlyIn(bool languageList)
{
    g_flyIns.push_back(languageList);
}

class StartupRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_pictureMessageBox = RecordMessage;
        g_messages.clear();
        g_flyIns.clear();
        SetExitStatus(0);
    }

    // Runs the main dialog on the folder until its start-up is over.
    static INT_PTR Run(const ProgramLinks& folder)
    {
        return RunMainDialog(folder.Path(), [](CVelmonarDlg&) {}, 0.05, RecordFlyIn);
    }
};

TEST_F(StartupRun, GeneratedBoardGivesEveryMeasureAndTheLanguageListOpens)
{
    ProgramLinks folder({"language"});
    ASSERT_EQ(Run(folder), IDCANCEL);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_EQ(ExitStatus(), 0);
    EXPECT_EQ(g_appDir, folder.Path().c_str());
    EXPECT_EQ(g_sceneReady, 1);
    EXPECT_EQ(g_fadeInProgress, 0);

    // Board: 10 squares of 44 with a border of 4, depth stretched by 1.3.
    EXPECT_NEAR(g_boardMinX, 0.0, 1e-9);
    EXPECT_NEAR(g_boardMaxX, 448.0, 1e-9);
    EXPECT_NEAR(g_boardMaxZ, 0.0, 1e-9);
    EXPECT_NEAR(g_boardMinZ, -448.0 * 1.3, 1e-6);
    EXPECT_NEAR(g_boardOffsetX, 224.0, 1e-9);
    EXPECT_NEAR(g_boardOffsetZ, 224.0 * 1.3, 1e-9);

    // Every one of the 100 squares found, at its centre, each by its own polygon.
    std::set<int> firstVertices;
    const ModelRecord& board = g_models[0];
    for (int x = 1; x <= 10; ++x) {
        for (int y = 1; y <= 10; ++y) {
            EXPECT_NEAR(g_squareX[x][y], 26.0 + 44.0 * (x - 1), 1e-9) << x << "," << y;
            EXPECT_NEAR(g_squareZ[x][y], -1.3 * (26.0 + 44.0 * (y - 1)), 1e-9) << x << "," << y;
            const int k = static_cast<int>(g_squareFirstVertex[x][y]);
            ASSERT_GE(k, 0);
            ASSERT_LT(k, board.vertexCount);
            EXPECT_EQ(board.polyStart[static_cast<size_t>(k)], 1);
            firstVertices.insert(k);
        }
    }
    EXPECT_EQ(firstVertices.size(), 100u);
    EXPECT_EQ(g_squareX[0][5], 0.0);
    EXPECT_EQ(g_squareZ[11][11], 0.0);

    // Grid bands: 1024 texels across 448 units, each line 2 m = 8 units wide.
    const double k = 1024.0 / 448.0;
    for (int n = 0; n <= 10; ++n) {
        EXPECT_NEAR(g_gridLineStart[n], n * 44.0 * k, 1e-9);
        EXPECT_NEAR(g_gridLineEnd[n], n * 44.0 * k + 8.0 * k - (n == 0 ? 1.0 : 0.0), 1e-9);
    }

    // Tray from the square: 44 wide, 57.2 deep.
    EXPECT_NEAR(g_traySpacing, (8 * 44.0 + 22.0) / 11, 1e-9);
    EXPECT_NEAR(g_trayZ, 6 * 57.2 + 57.2 / 4 - 3, 1e-9);
    EXPECT_NEAR(g_hoverScaleInv, 1 / 1.01, 1e-12);
    EXPECT_NEAR(g_selectScaleInv, 1 / 1.03, 1e-12);

    // Texture names in creation order: the start-up image first, then the
    // five unified model textures.
    EXPECT_EQ(g_splashTex, 1u);
    ASSERT_GE(g_unifiedTextureCount, 5);
    for (size_t t = 1; t <= 5; ++t) EXPECT_EQ(g_modelTex[t], t + 1) << t;
    EXPECT_EQ(g_imageWidth[0], 256);
    EXPECT_EQ(g_imageHeight[1], 256);
    EXPECT_NE(g_digitsTex, 0u);
    EXPECT_NE(g_gridOverlayTex, 0u);
    EXPECT_GT(g_menuBackdropWidth, 0);
    EXPECT_EQ(g_textureCreatePass, 0);

    // Piece shading from the models' green, and the tints applied.
    ASSERT_EQ(g_vertexShade[1].size(), static_cast<size_t>(g_models[1].vertexCount));
    ASSERT_EQ(g_vertexShade[2].size(), static_cast<size_t>(g_models[2].vertexCount));
    EXPECT_GE(g_models[1].colourR[0], 0.0);
    EXPECT_LE(g_models[1].colourR[0], g_tintR[1]);

    // Labels, news, polling, the web thread's flags.
    EXPECT_EQ(g_saveSlotLabel[6], "---Пусто---");
    EXPECT_EQ(g_loadSlotLabel[1], "Пусто");
    EXPECT_EQ(g_newsUrl.Find("https://"), 0);
    EXPECT_EQ(g_loadListCount, 1);
    // The loader leaves 95; the ticks since then count on, no ping yet.
    EXPECT_GE(g_pollTicks, 95);
    EXPECT_LE(g_pollTicks, 101);
    EXPECT_EQ(g_pollSuspended, 0);
    EXPECT_EQ(g_webVersion.load(), g_programVersion);

    // No options file: language 0, and the language list is the first panel.
    EXPECT_EQ(g_language[0], 0);
    for (int f = 0; f < PANEL_FLAG_COUNT; ++f) EXPECT_EQ(g_panelVisible[f], f == 0 || f == 14 ? 1 : 0) << f;
    ASSERT_EQ(g_flyIns.size(), 1u);
    EXPECT_TRUE(g_flyIns[0]);
}

TEST_F(StartupRun, AnOptionsFileNamingAMissingLanguageOffersTheListWithLanguage1Loaded)
{
    ProgramLinks folder({"language"});
    mkdir((folder.Path() + "/language").c_str(), 0700);
    folder.Write("language/1.la", "!Русский\n!Меню\n!Главное   меню\n0 2\n!Новая   игра\n!Загрузить   игру\n");
    folder.Write("language/3.la", "!Never\n!Probed\n");
    folder.Write("konfig.ini", OptionsLine(3, "1.95", 0));
    ASSERT_EQ(Run(folder), IDCANCEL);
    EXPECT_EQ(g_languageCount, 2);
    EXPECT_EQ(g_language[0], 0);
    for (int f = 0; f < PANEL_FLAG_COUNT; ++f) EXPECT_EQ(g_panelVisible[f], f == 0 || f == 14 ? 1 : 0) << f;
    EXPECT_EQ(g_languageCaption, "Меню");
    EXPECT_EQ(g_uiText[0], "Новая   игра");
    EXPECT_EQ(g_uiText[1], "Загрузить   игру");
}

// A broken installation: a picture, the start-up image or a model missing,
// a board whose every vertex lies on one point (no width, no squares), a
// font with no glyph that shows (every caption would be empty, the close
// button too). The start-up says so in one message naming what is wrong and
// ends with status 1, writing nothing into the program folder.
TEST_F(StartupRun, ABrokenInstallationEndsTheStartUpWithOneMessage)
{
    std::string flatBoard = "8 1\n!Doska.res\n";
    for (int v = 0; v < 8; ++v) flatBoard += (v % 4 == 0 ? "1 1 0 0 " : "0 ") + std::string("0.5 0.5 0.5 2 0 -2 0 0\n");
    std::string garbage;
    for (int i = 0; i < 600; ++i) garbage += static_cast<char>((i * 73 + 11) % 256);
    struct Case {
        const char* entry;
        const char* replacement;  // missing when null
        const char* named;
    };
    const Case cases[] = {
        {"resources/Fon.res", nullptr, "Fon.res"}, {"resources/saver.res", nullptr, "saver.res"},
        {"F_k.geo", nullptr, "model"},             {"Pole.geo", flatBoard.c_str(), "board"},
        {"font.fnt", nullptr, "font.fnt"},         {"font.fnt", "", "font.fnt"},
        {"font.fnt", garbage.c_str(), "font.fnt"}, {"font.fnt", "2\na 9000 9000 1\nb 4 0 0\n1 1\n", "font.fnt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + (c.replacement ? " replaced" : " missing"));
        SetExitStatus(0);
        g_messages.clear();
        ProgramLinks folder({"language", c.entry});
        if (c.replacement) folder.Write(c.entry, c.replacement);
        auto entries = [&folder] {
            std::set<std::string> names;
            for (const auto& e : std::filesystem::recursive_directory_iterator(folder.Path())) {
                const bool written = e.is_regular_file() && !e.is_symlink();
                names.insert(e.path().string() + " " + std::to_string(written ? e.file_size() : 0));
            }
            return names;
        };
        const std::set<std::string> before = entries();
        EXPECT_EQ(Run(folder), 3);
        ASSERT_EQ(g_messages.size(), 1u);
        EXPECT_EQ(g_messages[0].rfind("Error: ", 0), 0u) << g_messages[0];
        EXPECT_NE(g_messages[0].find(c.named), std::string::npos) << g_messages[0];
        EXPECT_EQ(ExitStatus(), 1);
        EXPECT_EQ(g_sceneReady, 0);
        EXPECT_EQ(entries(), before);
    }
}

// The chosen language's file damaged: the texts it leaves empty are language
// 1's, so the menu, the settings and the language list can all be used.
TEST_F(StartupRun, ADamagedLanguageFileInUseLeavesEveryPanelUsable)
{
    const std::string shipped = std::string(VELMONAR_PROGRAM_DIR) + "/language/1.la";
    std::ifstream russian(shipped, std::ios::binary);
    CString first[UI_TEXT_COUNT];
    {
        for (CString& text : g_uiText) text = CString();
        ReadLanguage(russian);
        std::copy(g_uiText, g_uiText + UI_TEXT_COUNT, first);
    }
    std::string binary = "\x89PNG\r\n\x1a\n";
    for (int i = 0; i < 400; ++i) binary += static_cast<char>((i * 37 + 5) % 256);
    // Empty, binary, a bad group header, and a file cut after its first two
    // texts (which are kept, with its caption; the rest are language 1's).
    const std::string damaged[] = {"", binary, "!English\n!Menu\n!Main   menu\nzero eight\n!New   game\n",
                                   "!English\n!Menu\n!Main   menu\n0 8\n!New   game\n!Load   game\n"};
    for (const std::string& file : damaged) {
        for (CString& text : g_uiText) text = CString();
        g_languageCaption = CString();
        ProgramLinks folder({"language"});
        mkdir((folder.Path() + "/language").c_str(), 0700);
        symlink(shipped.c_str(), (folder.Path() + "/language/1.la").c_str());
        folder.Write("language/2.la", file);
        // English in use, animations off: the main menu opens at once.
        folder.Write("konfig.ini", OptionsLine(2, "1.95", 0));
        ASSERT_EQ(Run(folder), IDCANCEL);
        EXPECT_TRUE(g_messages.empty());
        EXPECT_EQ(g_language[0], 2);
        EXPECT_EQ(g_panelVisible[1], 1);
        const bool cut = file.find("Load") != std::string::npos;
        EXPECT_EQ(g_languageCaption, cut ? "Menu" : "Меню");
        for (int i = 0; i < UI_TEXT_COUNT; ++i)
            EXPECT_EQ(g_uiText[i], !cut || i > 1 ? first[i] : CString(i == 0 ? "New   game" : "Load   game")) << i;
        // Each entry of the menu, the settings' language entry and the first
        // language's row can be pressed; so can the menu button.
        auto pressable = [](const RECT& r) { return r.right - r.left > 10 && r.bottom - r.top > 10; };
        for (int w = 0; w < 8; ++w) EXPECT_TRUE(pressable(g_widgetHitRect[w])) << "menu entry " << w;
        EXPECT_TRUE(pressable(g_widgetHitRect[WidgetIndex(PANEL_SETTINGS, 4)]));
        EXPECT_TRUE(pressable(g_widgetHitRect[WidgetIndex(PANEL_LANGUAGE_LIST, 1)]));
        EXPECT_TRUE(pressable(g_menuButtonRect));
    }
}

}  // namespace
