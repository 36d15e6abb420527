#include "interface/confirm_panels.h"

// The prompts come with the confirmation work; until then they have no captions and no places.
void BuildSaveConfirmTextures(CString) {}
void LayoutSaveConfirmPanel() {}
void BuildLoadConfirmTextures(CString) {}
void LayoutLoadConfirmPanel() {}
void BuildNewGameConfirmTextures() {}
void LayoutNewGameConfirmPanel() {}
void BuildExitConfirmTextures() {}
void LayoutExitConfirmPanel() {}
void BuildResetConfirmTextures() {}
void LayoutResetConfirmPanel() {}
