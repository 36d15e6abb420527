// The load list (panel 8) and the language list (panel 13): caption
// textures and layouts.
#pragma once

void BuildLoadListTextures();
void LayoutLoadListPanel();

// Renders one row per language found (g_languageNames 1 .. count - 1).
void BuildLanguageListTextures();
// Places the language list's rows for the current client size.
void LayoutLanguageListPanel();
