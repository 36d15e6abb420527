// The main menu and the settings panel.
#pragma once

// Places the main menu's widgets for the current client size.
void LayoutMainMenu();
