#include "interface/panel_textures.h"

// Stands in for the panel textures until the interface work builds them.
void RebuildPanelTextures(int) {}
