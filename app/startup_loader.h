// The start-up loader: finds the program folder, shows the start-up image
// with its fades, loads options, texts, models and textures, derives the
// board geometry that drawing and picking need, starts a new game, fades the
// scene in and opens the first panel.
#pragma once

#include <string>
#include <vector>

#include "interface/clock_hooks.h"
#include "platform/strings.h"
#include "platform/window.h"
#include "platform/wintypes.h"
#include "scene/geo_model.h"

// The model files, in model order: board, piece face side, piece back side,
// own shadow, enemy shadow.
extern CString g_modelFile[g_modelCount];

extern int g_splashDelayMs;  // dark start-up image before its fade-in
extern int g_fadeMs;         // every fade
extern int g_splashHoldMs;   // least time the start-up image stays after its fade-in

// What the loader's time line calls, replaceable so that the time line can
// be checked without waiting (the clock and the pauses are g_clockHooks).
// Defaults: DrawFullscreenImage, RenderFrame, and the fly-in followed by the
// layout of the first panel.
struct StartupHooks {
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
// Puts the default hooks back, the clock's too.
void ResetStartupHooks();

// The whole start-up; called once, at the end of the main dialog's
// initialisation, with the GL context current. The dialog is kept topmost
// until the scene is ready. On missing or damaged data it shows a message,
// ends the dialog and sets a non-zero exit status; it returns false then.
bool LoadStartup(CDialog& dialog);

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
    STARTUP_DATA_BAD_FONT,          // the font is missing or has no glyph that shows
};
StartupDataResult LoadStartupData();
