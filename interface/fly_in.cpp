#include "interface/fly_in.h"

// Stands in for the fly-in animations until the interface work builds them.
void AnimateGameOverPanel() {}
void AnimateMainMenu() {}
// Stands in until the fly-in work animates the language list.
void AnimateLanguageList() {}
