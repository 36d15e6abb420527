// The five confirmation prompts (panels 7 and 9 to 12): caption textures and
// layouts.
#pragma once

#include "platform/strings.h"

// label: the prompt's free-text line (the slot's label).
void BuildSaveConfirmTextures(CString label);
void LayoutSaveConfirmPanel();
void BuildLoadConfirmTextures(CString label);
void LayoutLoadConfirmPanel();
void BuildNewGameConfirmTextures();
void LayoutNewGameConfirmPanel();
void BuildExitConfirmTextures();
void LayoutExitConfirmPanel();
void BuildResetConfirmTextures();
void LayoutResetConfirmPanel();
