// Fly-in animations of the overlay panels: the panel's widgets and the menu
// backdrop grow out of the window's centre into the places the last layout
// left them, within g_flyInDuration. Each blocks, drawing and swapping its
// own frames over the still scene, and handles no input meanwhile. Callers
// test g_animationsOn first and run the panel's layout afterwards, which puts
// every edge exactly in place; the backdrop is put in place here.
#pragma once

extern int g_flyInDuration;  // milliseconds

// Main-menu entries (widgets 0-7).
void AnimateMainMenu();
// Language rows 1 to g_languageCount - 1 (widgets 326 onward).
void AnimateLanguageList();
// Game-over panel (widgets 375-378).
void AnimateGameOverPanel();
// New-game prompt (widgets 250-255).
void AnimateNewGameConfirm();
