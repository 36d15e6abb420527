#include "interface/caption_colours.h"

#include "rules/live_options.h"

int g_panelColourByte[3] = {0, 0, 0};

void UpdatePanelColourBytes()
{
    for (int c = 0; c < 3; ++c) g_panelColourByte[c] = static_cast<int>(g_panelColour[c] * 255.0);
}
