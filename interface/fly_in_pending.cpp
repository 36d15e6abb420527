#include "interface/fly_in.h"

// Stands in until the fly-in work animates the new-game prompt.
void AnimateNewGameConfirm() {}
