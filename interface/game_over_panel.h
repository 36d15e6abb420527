// The about and game-over panels: caption textures and layouts.
#pragma once

// Appended to the about panel's credit text: three blanks, the surname, three
// blanks, the first name.
extern const char* const ABOUT_CREDIT_NAMES;

// Renders the title, the credit line, the web-page button and the back button.
void BuildAboutPanelTextures();
// Places the about panel's four rows for the current client size.
void LayoutAboutPanel();
// Renders the title, both results (lost, won) and the button.
void BuildGameOverTextures();
// Places the game-over panel's widgets and hit rectangles for the client
// size; run at every game's end, just before the panel shows.
void LayoutGameOverPanel();
