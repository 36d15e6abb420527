// The load list (panel 8) and the language list (panel 13): caption
// textures and layouts.
#pragma once

// Renders the title, one row per save listed (g_loadSlotLabel 1 ..
// g_loadListCount - 1) and the back button, and measures the panel height
// anew on every build.
void BuildLoadListTextures();
// Clears rows 1-6 (edges 0, empty hit rectangles), then places the title,
// the rows listed and the back button.
void LayoutLoadListPanel();

// Renders one row per language found (g_languageNames 1 .. count - 1).
void BuildLanguageListTextures();
// Places the language list's rows for the current client size.
void LayoutLanguageListPanel();
