// The in-game menu (panel 0) and the settings panel (panel 1): their
// caption textures and layouts.
#pragma once

// Renders the eight menu entries (texts of group 0) with their hot twins.
void BuildMainMenuTextures();
// Places the main menu's widgets for the current client size.
void LayoutMainMenu();

// Renders the settings title and its seven entries (texts of group 1; the
// account entry's text follows g_language) with the entries' hot twins.
void BuildSettingsPanelTextures();
// Places the settings panel's widgets for the current client size.
void LayoutSettingsPanel();
