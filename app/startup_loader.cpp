#include "app/startup_loader.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <limits>

#include "app/game_state.h"
#include "interface/fly_in.h"
#include "interface/font.h"
#include "interface/interface_state.h"
#include "interface/language.h"
#include "interface/layout.h"
#include "interface/list_panels.h"
#include "interface/main_menu.h"
#include "interface/options.h"
#include "interface/save_slots.h"
#include "online/web.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/program_folder.h"
#include "platform/threads.h"
#include "rules/board.h"
#include "rules/evaluation.h"
#include "rules/search.h"
#include "scene/board_drawing.h"
#include "scene/board_geometry.h"
#include "scene/dib_image.h"
#include "scene/frame_state.h"
#include "scene/fullscreen_image.h"
#include "scene/mipmaps.h"
#include "scene/picking.h"
#include "scene/renderer.h"
#include "scene/textures.h"
#include "scene/tray_geometry.h"

CString g_modelFile[g_modelCount];

int g_splashDelayMs = 500;
int g_fadeMs = 1500;
int g_splashHoldMs = 2000;

namespace {

const char* const kSplashFile = "saver.res";
const char* const kModelFiles[g_modelCount] = {"Pole.geo", "F_i.geo", "F_k.geo", "F_i_t.geo", "F_k_t.geo"};
constexpr int STARTUP_FAILED = 3;          // the dialog's result when start-up could not finish
const char* const BROKEN_FONT_MESSAGE =
    "The font file font.fnt is missing or damaged: the installation is broken. Please install the game again.";

void DefaultFlyIn(bool languageList)
{
    if (languageList) {
        AnimateLanguageList();
        LayoutLanguageListPanel();
    } else {
        AnimateMainMenu();
        LayoutMainMenu();
    }
}

StartupHooks DefaultHooks()
{
    return StartupHooks{DrawFullscreenImage, RenderFrame, DefaultFlyIn, TerminationRequested, std::string()};
}

// Milliseconds since g_tickStart, kept in the shared timing variables.
int ElapsedSinceStart()
{
    g_tickNow = g_clockHooks.tick();
    g_tickElapsed = static_cast<int>(g_tickNow - g_tickStart);
    if (g_startupHooks.terminationRequested()) return std::numeric_limits<int>::max();
    return g_tickElapsed;
}

// The start-up could not finish: the reason has been shown; the dialog ends
// and the process leaves with a failure status.
bool EndStartup(CDialog& dialog, const char* russian, const char* english)
{
    if (russian && english)
        g_pictureMessageBox(nullptr, g_language[0] == 1 ? russian : english, "Error", MB_OK | MB_ICONHAND);
    SetExitStatus(1);
    dialog.EndDialog(STARTUP_FAILED);
    return false;
}

bool LoadSplash()
{
    AUX_RGBImageRec* image = auxDIBImageLoadA((g_appDir + "/resources/" + kSplashFile).GetString());
    if (!image) return false;
    const bool usable = image->sizeX > 0 && image->sizeY > 0 && image->data;
    if (usable) {
        glGenTextures(1, &g_splashTex);
        glBindTexture(GL_TEXTURE_2D, g_splashTex);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        UploadMipmaps(3, image->sizeX, image->sizeY, image->data);
    }
    std::free(image->data);
    std::free(image);
    return usable;
}

void LoadModels()
{
    g_geoTextureTotal = 0;
    for (int n = 0; n < g_modelCount; ++n) {
        g_modelFile[n] = kModelFiles[n];
        LoadGeoModel(n, g_modelFile[n]);
    }
}

bool ModelsUsable()
{
    for (int n = 0; n <= 2; ++n)
        if (g_models[n].vertexCount < MIN_MODEL_VERTICES) return false;
    return true;
}

void KeepUnscaledPieces()
{
    for (int n = 1; n <= 4; ++n) {
        const ModelRecord& m = g_models[n];
        const int base = 3 * (n - 1);
        g_unscaledPieceVertices[base] = m.posX;
        g_unscaledPieceVertices[base + 1] = m.posY;
        g_unscaledPieceVertices[base + 2] = m.posZ;
    }
}

void ShadeAndTintPieces()
{
    for (int n = 1; n <= 2; ++n) {
        const ModelRecord& m = g_models[n];
        g_vertexShade[n].assign(static_cast<size_t>(m.vertexCount), 0.0);
        for (size_t i = 0; i < g_vertexShade[n].size(); ++i) g_vertexShade[n][i] = 1.0 - m.colourG[i];
    }
    ApplySideTint(1);
    ApplySideTint(2);
}

void StartWeb(CDialog& dialog)
{
    g_webVersion = g_programVersion;
    g_webNewsPending = 0;
    g_updateAvailable = 0;
    AfxBeginThread(WebFetchThread, &dialog, THREAD_PRIORITY_NORMAL, 0);
    g_pollSuspended = 0;
    g_pollTicks = 95;
}

}  // namespace

StartupHooks g_startupHooks = DefaultHooks();

void ResetStartupHooks()
{
    g_startupHooks = DefaultHooks();
    ResetClockHooks();
}

std::string ProgramFolderFromCommandLine(const std::string& commandLine)
{
    std::string path;
    if (!commandLine.empty() && commandLine[0] == '"') {
        const size_t close = commandLine.find('"', 1);
        path = commandLine.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    } else {
        path = commandLine.substr(0, commandLine.find(' '));
    }
    for (char& c : path)
        if (c == '\\') c = '/';
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void ShowSplashFadeIn()
{
    g_fadeLevel = 0.0;
    g_startupHooks.drawSplash(1, 0.0);
    g_clockHooks.sleep(static_cast<DWORD>(g_splashDelayMs));
    g_tickStart = g_clockHooks.tick();
    while (ElapsedSinceStart() < g_fadeMs) {
        g_fadeLevel = g_tickElapsed / static_cast<double>(g_fadeMs);
        g_startupHooks.drawSplash(1, g_fadeLevel);
    }
    g_fadeLevel = 1.0;
    g_startupHooks.drawSplash(1, 1.0);
    g_tickStart = g_clockHooks.tick();
}

void HoldSplash()
{
    while (ElapsedSinceStart() < g_splashHoldMs) g_startupHooks.drawSplash(1, g_fadeLevel);
}

void FadeOutSplash()
{
    g_tickStart = g_clockHooks.tick();
    while (ElapsedSinceStart() < g_fadeMs) {
        g_fadeLevel = 1.0 - g_tickElapsed / static_cast<double>(g_fadeMs);
        g_startupHooks.drawSplash(1, g_fadeLevel);
    }
    g_fadeLevel = 0.0;
    g_startupHooks.drawSplash(1, 0.0);
}

void FadeInScene()
{
    g_fadeInProgress = 1;
    g_tickStart = g_clockHooks.tick();
    while (ElapsedSinceStart() < g_fadeMs) {
        g_fadeLevel = g_tickElapsed / static_cast<double>(g_fadeMs);
        g_startupHooks.renderFrame();
    }
    // The frames after the fade (the first panel's fly-in) show the scene at
    // full brightness, however coarse the last fade step was.
    g_fadeLevel = 1.0;
}

void OpenFirstPanel()
{
    const bool languageList = g_language[0] == 0;
    g_panelVisible[PANEL_FLAG_MENU_MODE] = 1;
    g_panelVisible[languageList ? PANEL_FLAG_LANGUAGE_LIST : PANEL_FLAG_MAIN_MENU] = 1;
    if (g_animationsOn == 1) g_startupHooks.flyIn(languageList);
    g_startupHooks.renderFrame();
    g_fadeInProgress = 0;
}

StartupDataResult LoadStartupData()
{
    // 8, 9. Models, their unscaled copies and the piece size.
    LoadModels();
    if (!ModelsUsable()) return STARTUP_DATA_BAD_MODELS;
    KeepUnscaledPieces();
    ScalePieceModels();

    // 10 to 14. Board depth, bounds, measures and square centres.
    g_hoverScaleInv = 1.0 / g_hoverScale;
    g_selectScaleInv = 1.0 / g_selectScale;
    BoardMeasures board{};
    if (!MeasureBoard(board)) return STARTUP_DATA_BAD_BOARD;

    // 15 to 19.
    ComputeTrayGeometry(board.square, board.depth, g_hoverScale);
    CalibratePickColours();
    ComputeGridLineBands(board);
    // Without a glyph no caption shows, not even the close button: the
    // installation is broken.
    LoadFont();
    if (!FontHasVisibleGlyph()) return STARTUP_DATA_BAD_FONT;
    WriteSharedText(g_newsUrl, NEWS_URL_DEFAULT);
    WriteSharedText(g_newsText, "бесплатные  игры  тут");

    // 20. Textures (a picture that failed has shown its message).
    if (!LoadTextures())
        return g_unifiedTextureCount < MIN_UNIFIED_TEXTURES ? STARTUP_DATA_TOO_FEW_TEXTURES : STARTUP_DATA_BAD_PICTURE;

    // 21 to 24. Tally, normals, shades and tints, search tables, layout.
    ComputeTallyQuad();
    SetTallyDigits();
    for (int n = 0; n < g_modelCount; ++n) ComputeModelNormals(n);
    ShadeAndTintPieces();
    LoadEvaluationTables();  // the piece values and the plan weights
    LayoutAll();
    g_loadListCount = 1;
    // The pictures and work images of the loading are freed: their pages go back.
    ReturnFreeMemory();
    return STARTUP_DATA_OK;
}

bool LoadStartup(CDialog& dialog)
{
    // 1. Topmost until the scene is ready.
    CRect windowRect;
    dialog.GetWindowRect(&windowRect);
    dialog.SetWindowPos(&CWnd::wndTopMost, windowRect.left, windowRect.top, windowRect.Width(),
                        windowRect.Height(), SWP_SHOWWINDOW);

    // 2. The program folder: the executable's own folder.
    g_appDir = CString(g_startupHooks.programFolder.empty() ? GetProgramFolder() : g_startupHooks.programFolder);

    // 3, 4. The start-up image (its reader has shown why when it fails).
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (!LoadSplash()) return EndStartup(dialog, nullptr, nullptr);

    // 5. Options and texts.
    SetStartupOptionDefaults();
    LoadConfig();
    LoadLanguage(g_language[0] == 0 ? 1 : g_language[0]);

    // 6, 7.
    ShowSplashFadeIn();
    for (int slot = 1; slot <= 6; ++slot) {
        g_loadSlotLabel[slot] = "Пусто";
        g_saveSlotLabel[slot] = "---Пусто---";
    }

    // 8 to 24.
    const StartupDataResult loaded = LoadStartupData();
    if (loaded != STARTUP_DATA_OK) {
        switch (loaded) {
        case STARTUP_DATA_BAD_MODELS:
            return EndStartup(dialog, "Файлы моделей повреждены или отсутствуют.",
                              "The model files are damaged or missing.");
        case STARTUP_DATA_BAD_BOARD:
            return EndStartup(dialog, "Модель доски повреждена.", "The board model is damaged.");
        case STARTUP_DATA_TOO_FEW_TEXTURES:
            return EndStartup(dialog, "Модели называют слишком мало текстур.", "The models name too few textures.");
        case STARTUP_DATA_BAD_FONT:  // in English only: the language file may be broken too
            return EndStartup(dialog, BROKEN_FONT_MESSAGE, BROKEN_FONT_MESSAGE);
        default:  // a picture, whose reader has shown why
            return EndStartup(dialog, nullptr, nullptr);
        }
    }

    // 25, 26.
    HoldSplash();
    FadeOutSplash();

    // 27. A new game; the window is an ordinary one again.
    NewGame();
    dialog.SetWindowPos(&CWnd::wndNoTopMost, windowRect.left, windowRect.top, windowRect.Width(),
                        windowRect.Height(), SWP_SHOWWINDOW);
    g_sceneReady = 1;

    // 28 to 30.
    FadeInScene();
    OpenFirstPanel();
    StartWeb(dialog);
    return true;
}
