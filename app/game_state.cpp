#include "app/game_state.h"

int g_textWindowOpener = 0;
int g_newGameGoesOnline = 0;
int g_mouseHeld = 0;

int g_dragKnob[4] = {0, 0, 0, 0};
int g_dragScrollThumb = 0;

int g_pollSuspended = 1;
int g_pollTicks = 0;
