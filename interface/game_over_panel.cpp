#include "interface/game_over_panel.h"

// The about and game-over panels come with their own work; until then they have no captions and no places.
void BuildAboutPanelTextures() {}
void LayoutAboutPanel() {}
void BuildGameOverTextures() {}
void LayoutGameOverPanel() {}
