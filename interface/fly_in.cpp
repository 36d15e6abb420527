#include "interface/fly_in.h"

// Stands in for the fly-in animations until the interface work builds them.
void AnimateGameOverPanel() {}
void AnimateMainMenu() {}
