// Inside the click dispatch: the rows of the settings and the option panels.
#pragma once

#include "platform/window.h"

class CVelmonarDlg;

// The colour being edited (g_colourEditValue[0..2] / 255) becomes the live
// colour of g_colourEditSlot; the pieces' tints and the panel colour follow
// (the panels rebuilt in rebuildMode, -1 not at all).
void UseEditedColour(int rebuildMode);

// The reflection and brightness knobs moved but not confirmed go back to their
// confirmed places and their options follow (the pieces' textures rebuilt
// for the brightness).
void PutBackGraphicsSliders();

// The rows of the settings panel ([2]) and of the option panels ([3] to
// [6]), when that panel is open. True when a row took the click. The
// settings' account entry opens the account dialogs through openAccount.
bool ClickSettings(CVelmonarDlg& dialog, CPoint point, void (*openAccount)(CVelmonarDlg& dialog));
bool ClickGameOptions(CPoint point);
bool ClickGraphicsOptions(CPoint point);
bool ClickExtraOptions(CPoint point);
bool ClickColourEditor(CPoint point);
