#include "interface/game_over_panel.h"

// Stands in for the game-over panel layout until the interface work builds it.
void LayoutGameOverPanel() {}
