// The about and game-over panels: caption textures and layouts.
#pragma once

// Renders the title, the credit line, the web-page button and the back button.
void BuildAboutPanelTextures();
// Places the about panel's four rows for the current client size.
void LayoutAboutPanel();
// Renders the title, both results (lost, won) and the button.
void BuildGameOverTextures();
// Places the game-over panel's widgets and hit rectangles for the client
// size; run at every game's end, just before the panel shows.
void LayoutGameOverPanel();
