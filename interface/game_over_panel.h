// The about and game-over panels: caption textures and layouts.
#pragma once

void BuildAboutPanelTextures();
void LayoutAboutPanel();
void BuildGameOverTextures();
// Places the game-over panel's widgets and hit rectangles for the client size.
void LayoutGameOverPanel();
