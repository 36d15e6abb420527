// The start-up loader: finds the program folder, shows the start-up image
// with its fades, loads options, texts, models and textures, derives the
// board geometry that drawing and picking need, starts a new game, fades the
// scene in and opens the first panel.
#pragma once

#include <GL/gl.h>

#include <string>
#include <vector>

#include "platform/strings.h"
#include "platform/wintypes.h"
#include "scene/geo_model.h"

class CVelmonarDlg;

// The program folder: forward slashes, no trailing slash; every data path is
// g_appDir followed by a name that begins with "/".
extern CString g_appDir;

// The model files, in model order: board, piece face side, piece back side,
// own shadow, enemy shadow.
extern CString g_modelFile[g_modelCount];

// The x, y and z positions of models 1 to 4 as read: entry 3 (model - 1) + axis.
extern std::vector<double> g_unscaledPieceVertices[12];

// The board model's depth is stretched by this at start-up.
constexpr double g_boardDepthScale = 1.3;

// Bounds of the board model after its depth scaling.
extern double g_boardMinX, g_boardMaxX, g_boardMinY, g_boardMaxY, g_boardMinZ, g_boardMaxZ;
// The translation that centres the board.
extern double g_boardOffsetX, g_boardOffsetZ;
// Per board square [x][y] (1..10): world centre and the index of its first
// vertex in the board model; 0 for squares no polygon matched.
extern double g_squareX[12][12];
extern double g_squareZ[12][12];
extern double g_squareFirstVertex[12][12];
// Texel bands of the 11 grid lines in the board texture.
extern double g_gridLineStart[11];
extern double g_gridLineEnd[11];
// Per-vertex shade of piece models 1 and 2 (entry 0 unused).
extern std::vector<double> g_vertexShade[3];
extern double g_hoverScaleInv, g_selectScaleInv;

// Slot labels 1..6 of the save and load panels.
extern CString g_saveSlotLabel[7];
extern CString g_loadSlotLabel[7];

// The news banner's address and text (the web fetch may replace both).
extern const char* const NEWS_URL_DEFAULT;
extern CString g_newsUrl;
extern CString g_newsText;

extern GLuint g_splashTex;  // the start-up image
extern double g_fadeLevel;  // level of the fade being shown, 0..1

// Shared timing variables of the timed loops (g_tickStart is the rules').
extern DWORD g_tickNow;
extern int g_tickElapsed;

extern int g_splashDelayMs;  // dark start-up image before its fade-in
extern int g_fadeMs;         // every fade
extern int g_splashHoldMs;   // least time the start-up image stays after its fade-in

// What the loader's time line calls, replaceable so that the time line can
// be checked without waiting. Defaults: the clock, Sleep, DrawFullscreenImage,
// RenderFrame, and the fly-in followed by the layout of the first panel.
struct StartupHooks {
    DWORD (*tick)();
    void (*sleep)(DWORD milliseconds);
    void (*drawSplash)(int mode, double level);
    void (*renderFrame)();
    void (*flyIn)(bool languageList);
    // True once the program was asked to end (SIGINT, SIGTERM): the pauses
    // still to come are cut short, so the dialog ends at once.
    bool (*terminationRequested)();
    // Empty: the folder of the running executable.
    std::string programFolder;
};
extern StartupHooks g_startupHooks;
void ResetStartupHooks();

// The whole start-up; called once, at the end of the main dialog's
// initialisation, with the GL context current. On missing or damaged data it
// shows a message, ends the dialog and sets a non-zero exit status; it
// returns false then.
bool LoadStartup(CVelmonarDlg& dialog);

// --- the steps, for the loader and its tests ---

// The folder of a program from a Windows-style command line: the quoted path
// of the program ("C:\Play\Board\prog.exe" in quotes gives C:/Play/Board).
// Without quotes the line up to its first blank is the path; a path with no
// folder gives ".".
std::string ProgramFolderFromCommandLine(const std::string& commandLine);

// Step 6: dark image, delay, fade-in; the hold counts from its end.
void ShowSplashFadeIn();
// Step 25: redraws the image until the hold time has passed since the fade-in.
void HoldSplash();
// Step 26.
void FadeOutSplash();
// Step 28.
void FadeInScene();
// Step 29: the language list when no options file was read, else the main menu.
void OpenFirstPanel();

// Steps 8 to 24, the loading work between the fades: models, piece scale,
// board geometry, tray, pick colours, grid bands, font, textures, tally,
// normals, shades and tints, search tables, layout. Needs g_appDir, the
// options and a current GL context.
enum StartupDataResult {
    STARTUP_DATA_OK,
    STARTUP_DATA_BAD_MODELS,        // model 0, 1 or 2 has fewer than four vertices
    STARTUP_DATA_BAD_BOARD,         // the board has no width or no square size
    STARTUP_DATA_TOO_FEW_TEXTURES,  // the models name fewer textures than are drawn
    STARTUP_DATA_BAD_PICTURE,       // a picture could not be read (its message is shown)
};
StartupDataResult LoadStartupData();

// Board measures found by MeasureBoard.
struct BoardMeasures {
    double width;   // W
    double square;  // s
    double border;  // m
    double depth;   // d
};
// Steps 10 to 14 on model 0: depth scaling, bounds, measures, offsets,
// square centres. False (nothing usable) when the model is too small or
// degenerate.
bool MeasureBoard(BoardMeasures& out);
// Step 17: the texel bands of the grid lines for a board texture 1024 wide.
void ComputeGridLineBands(const BoardMeasures& board);
